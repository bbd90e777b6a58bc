#ifndef SORTIVANE_STOPWATCH_H
#define SORTIVANE_STOPWATCH_H

#include <QElapsedTimer>
#include <QString>

#include <ctime>

// The time a step takes, as the benchmarks report it: CPU time, which
// another load on the machine does not inflate, with the wall time beside
// it. The calling thread's CPU time by default; the whole process's for a
// step that runs on a worker thread, such as a draw.
class Stopwatch
{
public:
    enum Clock
    {
        ThisThread,
        WholeProcess
    };

    explicit Stopwatch( Clock clock_p = ThisThread ) : clock_m( clock_p ) { restart(); }

    void restart()
    {
        cpuStart_m = cpuNow();
        wall_m.start();
    }
    double cpuMs() const { return ( cpuNow() - cpuStart_m ) / 1e6; }
    double wallMs() const { return wall_m.nsecsElapsed() / 1e6; }
    // "1.234 ms (wall 1.301 ms)": the CPU time is the figure scale.sh reads.
    QString text( int decimals_p = 1 ) const
    {
        return QStringLiteral( "%1 ms (wall %2 ms)" )
            .arg( cpuMs(), 0, 'f', decimals_p )
            .arg( wallMs(), 0, 'f', decimals_p );
    }

private:
    qint64 cpuNow() const
    {
        timespec now_l {};
        clock_gettime( ThisThread == clock_m ? CLOCK_THREAD_CPUTIME_ID : CLOCK_PROCESS_CPUTIME_ID, &now_l );
        return qint64( now_l.tv_sec ) * 1000000000 + now_l.tv_nsec;
    }

    Clock clock_m;
    qint64 cpuStart_m = 0;
    QElapsedTimer wall_m;
};

#endif
