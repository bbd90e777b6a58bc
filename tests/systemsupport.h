#ifndef SORTIVANE_SYSTEMSUPPORT_H
#define SORTIVANE_SYSTEMSUPPORT_H

// The few things a test asks of the operating system itself: special files,
// a small full disk, a child that aborts, the memory a process took. Each
// says when the system has no such thing, and the test then skips just the
// case that needs it.

#include <QByteArray>
#include <QFile>
#include <QString>

#include <functional>

#ifdef Q_OS_WIN
#include <windows.h>
// After windows.h, which it needs.
#include <psapi.h>
#else
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace systemsupport
{
inline QByteArray native( const QString& path_p )
{
    return QFile::encodeName( path_p );
}

constexpr bool hasFifos()
{
#ifdef Q_OS_WIN
    return false;
#else
    return true;
#endif
}

inline bool makeFifo( const QString& path_p )
{
#ifdef Q_OS_WIN
    Q_UNUSED( path_p );
    return false;
#else
    return 0 == mkfifo( native( path_p ).constData(), 0600 );
#endif
}

// A character device like /dev/null's; only root may make one, and Windows
// has none.
inline bool makeNullDevice( const QString& path_p )
{
#ifdef Q_OS_WIN
    Q_UNUSED( path_p );
    return false;
#else
    return 0 == mknod( native( path_p ).constData(), S_IFCHR | 0600, makedev( 1, 3 ) );
#endif
}

// A 64 KiB tmpfs at path_p, a disk that fills at once; false where mounting
// is not allowed or not there.
inline bool mountSmallDisk( const QString& path_p )
{
#ifdef Q_OS_WIN
    Q_UNUSED( path_p );
    return false;
#else
    return 0 == mount( "tmpfs", native( path_p ).constData(), "tmpfs", 0, "size=64k" );
#endif
}

inline void unmountSmallDisk( const QString& path_p )
{
#ifdef Q_OS_WIN
    Q_UNUSED( path_p );
#else
    umount( native( path_p ).constData() );
#endif
}

// The CPU time this process has taken so far, user and system, in
// milliseconds: what a bound on the program's own cost measures, whatever
// else the machine runs.
inline qint64 cpuMilliseconds()
{
#ifdef Q_OS_WIN
    FILETIME created_l, exited_l, kernel_l, user_l;
    GetProcessTimes( GetCurrentProcess(), &created_l, &exited_l, &kernel_l, &user_l );
    const auto ticks_l = []( const FILETIME& time_p )
    { return ( qint64( time_p.dwHighDateTime ) << 32 ) | time_p.dwLowDateTime; };
    return ( ticks_l( kernel_l ) + ticks_l( user_l ) ) / 10000;
#else
    rusage usage_l {};
    getrusage( RUSAGE_SELF, &usage_l );
    return qint64( usage_l.ru_utime.tv_sec + usage_l.ru_stime.tv_sec ) * 1000
           + ( usage_l.ru_utime.tv_usec + usage_l.ru_stime.tv_usec ) / 1000;
#endif
}

// The peak memory this process has taken, in MiB.
inline long peakMemoryMiB()
{
#ifdef Q_OS_WIN
    PROCESS_MEMORY_COUNTERS counters_l {};
    GetProcessMemoryInfo( GetCurrentProcess(), &counters_l, sizeof counters_l );
    return long( counters_l.PeakWorkingSetSize / ( 1024 * 1024 ) );
#else
    rusage usage_l {};
    getrusage( RUSAGE_SELF, &usage_l );
    return usage_l.ru_maxrss / 1024;
#endif
}

}

#endif
