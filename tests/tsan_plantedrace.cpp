// A planted race of the draw's shape, for the ThreadSanitizer run: a worker
// QThread writes a value that the GUI thread reads after a queued signal,
// with no lock ThreadSanitizer can see. The shipped suppressions must leave
// this report standing; a suppression that hides it would hide a real race
// between the draw and the window as well.
#include <QCoreApplication>
#include <QThread>
#include <QTimer>

#include <cstdio>

namespace
{
int handedOver_g = 0;
}

int main( int argc, char** argv )
{
    QCoreApplication application_l( argc, argv );
    // The worker first wakes the GUI thread with an event of its own, so
    // that the queued finished() which hands the value over needs no wake-up
    // of its own: the hand-over is then only Qt's futex-based event queue.
    QThread* const worker_cl = QThread::create(
        [ &application_l ]
        {
            QCoreApplication::postEvent( &application_l, new QEvent( QEvent::User ) );
            handedOver_g = 42;
        } );
    QObject::connect( worker_cl, &QThread::finished, &application_l,
                      [ &application_l ]
                      {
                          std::printf( "read %d\n", handedOver_g );
                          application_l.quit();
                      } );
    worker_cl->start();
    // Busy elsewhere while the worker runs, as the GUI thread often is.
    QThread::msleep( 200 );
    const int result_cl = application_l.exec();
    worker_cl->wait();
    delete worker_cl;
    return result_cl;
}
