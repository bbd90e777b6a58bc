#ifndef SORTIVANE_QTOSSAPPLICATION_H
#define SORTIVANE_QTOSSAPPLICATION_H

#include <QApplication>

// The application object; it exists for its destructor, which disposes of the
// global widgets once the event loop has ended.
class QTossApplication : public QApplication
{
public:
    QTossApplication( int& argc_p, char** argv_p );
    ~QTossApplication() override;

    // Wires the toss thread to the process window and the main window.
    static void connectGlobalObjects();
};

#endif
