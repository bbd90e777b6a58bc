#ifndef SORTIVANE_QTOSSAPPLICATION_H
#define SORTIVANE_QTOSSAPPLICATION_H

#include <QApplication>

#include <memory>

// The application object; it exists for its destructor, which disposes of the
// global widgets once the event loop has ended, and installs Qt's own Russian
// translations, so that the standard dialogs speak the program's language.
class QTossApplication : public QApplication
{
public:
    QTossApplication( int& argc_p, char** argv_p );
    ~QTossApplication() override;

    // The application as the program starts it: Qt's high-DPI scaling and
    // pixmaps are switched on first, as they must be before the object exists.
    static std::unique_ptr< QTossApplication > create( int& argc_p, char** argv_p );

    // Wires the toss thread to the process window and the main window.
    static void connectGlobalObjects();
    // The start-up after the wiring, before the main window is shown: a
    // championship that a crash left unsaved is offered back.
    static void offerRecovery();
    // Then the championship file given as the first argument, as a double
    // click on a file or a file dropped on the program's icon gives it.
    static void openStartFile();
};

#endif
