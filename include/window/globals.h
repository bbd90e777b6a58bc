#ifndef SORTIVANE_GLOBALS_H
#define SORTIVANE_GLOBALS_H

#include "globaldata.h"

#include <QIcon>
#include <QMessageBox>

class QChooseNationDialog;
class QChooseWinnerDialog;
class QFileDialog;
class QStringEnterDialog;
class QTossProcessWindow;
class QTossWindow;

// The window's global objects: each is made on first use by its accessor
// and kept for the rest of the run. The widgets are deleted by the
// application object's destructor.
namespace global
{
namespace widgets
{
QTossProcessWindow* tossProcessWindow();
QTossWindow* tossWindow();
QStringEnterDialog* stringEnterDialog();
QChooseWinnerDialog* chooseWinnerDialog();
QChooseNationDialog* chooseNationDialog();
QFileDialog* fileDialog();
QMessageBox* resultMsgBox();
QMessageBox* confirmMsgBox();
// Asks whether to save unsaved work before the main window closes.
QMessageBox* quitMsgBox();
QMessageBox* aboutMsgBox();
// Asks the shared confirmation box; Enter answers Cancel on every use.
bool confirm( const QString& question_cp );
// Asks in a box of its own whose buttons say what they do: yes_cp (Ok) or
// no_cp (Cancel), the default; true for yes_cp.
bool ask( const QString& question_cp, const QString& yes_cp, const QString& no_cp );
// Reports in the shared result box.
void showResult( QMessageBox::Icon icon_p, const QString& text_cp );
}

namespace icons
{
const QIcon& appIcon();
const QIcon& checkIcon();
const QIcon& crossIcon();
// A picture of the program's resources, decoded from its PNG data.
QIcon fromResource( const QString& name_p );
// The same, decoded once and kept for the rest of the run.
const QIcon& named( const QString& name_cp );
}
}

#endif
