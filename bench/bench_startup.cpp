// Times start-up as an organiser sees it: from starting the process to the
// first paint of the main window, through the steps the program's main()
// takes. It starts itself again for each run, so that loading the program
// and Qt counts too, with settings and recovery copies in fresh folders;
// it prints the first run and the best and median of ten.
//   QT_QPA_PLATFORM=offscreen build/bench/bench_startup
#include "QTossApplication.h"
#include "QTossWindow.h"
#include "QWindowSettings.h"
#include "globals.h"

#include <QDir>
#include <QEvent>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace
{
long long nowNs()
{
    timespec now_l {};
    clock_gettime( CLOCK_MONOTONIC, &now_l );
    return now_l.tv_sec * 1000000000LL + now_l.tv_nsec;
}

// Reports the time of the window's first paint and ends the program.
class FirstPaint : public QObject
{
public:
    explicit FirstPaint( long long startNs_p ) : startNs_m( startNs_p ) {}

    bool eventFilter( QObject* watched_p, QEvent* event_p ) override
    {
        if( QEvent::Paint == event_p->type() && !done_m )
        {
            done_m = true;
            std::printf( "%.2f\n", ( nowNs() - startNs_m ) / 1e6 );
            std::fflush( stdout );
            QMetaObject::invokeMethod( qApp, "quit", Qt::QueuedConnection );
        }
        return QObject::eventFilter( watched_p, event_p );
    }

private:
    long long startNs_m;
    bool done_m = false;
};

int startProgram( int argc_p, char** argv_p, long long startNs_p )
{
    const std::unique_ptr< QTossApplication > application_l = QTossApplication::create( argc_p, argv_p );
    QTossApplication::connectGlobalObjects();
    QWindowSettings::restoreGeometry( global::widgets::tossWindow() );
    QTossApplication::offerRecovery();
    FirstPaint firstPaint_l( startNs_p );
    global::widgets::tossWindow()->installEventFilter( &firstPaint_l );
    global::widgets::tossWindow()->show();
    return application_l->exec();
}

// One start of this program as a child; the milliseconds it reports.
double timeOneStart( const char* self_p )
{
    int pipe_l[ 2 ];
    if( pipe( pipe_l ) )
        std::exit( 1 );
    const std::string start_cl = std::to_string( nowNs() );
    const pid_t child_cl = fork();
    if( 0 == child_cl )
    {
        dup2( pipe_l[ 1 ], STDOUT_FILENO );
        execl( self_p, self_p, "--child", start_cl.c_str(), static_cast< char* >( nullptr ) );
        _exit( 1 );
    }
    close( pipe_l[ 1 ] );
    char buffer_l[ 64 ] = {};
    const ssize_t read_cl = read( pipe_l[ 0 ], buffer_l, sizeof buffer_l - 1 );
    close( pipe_l[ 0 ] );
    waitpid( child_cl, nullptr, 0 );
    return read_cl > 0 ? std::atof( buffer_l ) : -1;
}
}

int main( int argc, char** argv )
{
    if( argc > 2 && 0 == std::strcmp( argv[ 1 ], "--child" ) )
    {
        int childArgc_l = 1;
        return startProgram( childArgc_l, argv, std::atoll( argv[ 2 ] ) );
    }
    char folder_l[] = "/tmp/sortivane-startup-XXXXXX";
    if( !mkdtemp( folder_l ) )
        return 1;
    setenv( "XDG_CONFIG_HOME", folder_l, 1 );
    setenv( "XDG_DATA_HOME", folder_l, 1 );
    std::vector< double > times_l;
    for( int i = 0; i < 10; ++i )
        times_l.push_back( timeOneStart( argv[ 0 ] ) );
    const double first_cl = times_l.front();
    std::sort( times_l.begin(), times_l.end() );
    std::printf( "start-up to the first paint of the window: first %.1f ms, best %.1f ms, median %.1f ms\n", first_cl,
                 times_l.front(), times_l.at( times_l.size() / 2 ) );
    return QDir( QString::fromLocal8Bit( folder_l ) ).removeRecursively() ? 0 : 1;
}
