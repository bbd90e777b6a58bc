#ifndef SORTIVANE_GLOBALS_H
#define SORTIVANE_GLOBALS_H

#include <QIcon>
#include <QString>
#include <QVector>

class Championship;
class QChooseNationDialog;
class QChooseWinnerDialog;
class QFileDialog;
class QMessageBox;
class QStringEnterDialog;
class QTextCodec;
class QTossProcessWindow;
class QTossThread;
class QTossWindow;

// The program's global objects: each is made on first use by its accessor
// and kept for the rest of the run. The widgets are deleted by the
// application object's destructor; the thread and the championship never are.
namespace global
{
namespace data
{
Championship& champ();
// windows-1251: the code page of the save files.
QTextCodec* codec();
// "Псевдоним", "Клан": the players' columns and the add dialog's captions.
const QVector< QString >& playerFieldsNames();
}

namespace threads
{
QTossThread* tossThread();
}

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
}

namespace icons
{
const QIcon& appIcon();
const QIcon& checkIcon();
const QIcon& crossIcon();
// A picture of the program's resources, decoded from its PNG data.
QIcon fromResource( const QString& name_p );
}
}

#endif
