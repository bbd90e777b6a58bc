// Times the save file reader on the largest files it meets, one case a run,
// and reports the process's peak memory with it:
//   build/bench/bench_reader played   a fully played 1,024-player championship
//   build/bench/bench_reader cap      a save just under the size cap
//   build/bench/bench_reader deep     a hostile file nesting 20,000 levels
//   build/bench/bench_reader attributes|elements|instructions|comments|nests|widest
//                                     hostile files up to the cap: one element
//                                     with 100,000 attributes; empty elements,
//                                     processing instructions, comments or
//                                     31-deep nests repeated; as many elements
//                                     as allowed, each with an attribute
// The file is written first and then read by a second run of the program
// ("load FILE"), so that the peak memory is the reader's alone.
#include "../tests/playedchampionship.h"
#include "championship.h"
#include "savefile.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QMap>
#include <QProcess>
#include <QTemporaryDir>

#include <sys/resource.h>

#include <cstdio>

namespace
{
void time( const char* case_p, const QString& file_cp )
{
    QElapsedTimer timer_l;
    timer_l.start();
    Championship loaded_l;
    SaveFile::Refusal why_l = SaveFile::Refusal::None;
    const bool read_cl = SaveFile::read( file_cp, loaded_l, &why_l );
    const double ms_cl = timer_l.nsecsElapsed() / 1e6;
    rusage usage_l {};
    getrusage( RUSAGE_SELF, &usage_l );
    std::printf( "%s: %lld bytes, %s (refusal %d) in %.1f ms, peak memory %ld MiB\n", case_p,
                 static_cast< long long >( QFile( file_cp ).size() ), read_cl ? "read" : "refused", int( why_l ), ms_cl,
                 usage_l.ru_maxrss / 1024 );
}
}

int main( int argc, char** argv )
{
    QCoreApplication application_l( argc, argv );
    const QByteArray case_cl = argc > 1 ? QByteArray( argv[ 1 ] ) : QByteArray( "played" );
    if( case_cl == "load" && argc > 3 )
        return time( argv[ 3 ], QString::fromLocal8Bit( argv[ 2 ] ) ), 0;
    QTemporaryDir dir_l;
    const QString file_cl = dir_l.filePath( QStringLiteral( "bench.stv" ) );
    // Hostile files up to the size cap: one body repeated as often as fits.
    const int cap_cl = SaveFile::MAX_FILE_SIZE - 64;
    const QMap< QByteArray, QPair< QByteArray, int > > hostile_cl {
        { "deep", { QByteArray( "<a>" ).repeated( 20000 ) + QByteArray( "</a>" ).repeated( 20000 ), 1 } },
        { "attributes", { "<groups" + QByteArray( " a=\"0\"" ).repeated( 100000 ) + "/>", 1 } },
        { "elements", { "<a/>", cap_cl / 4 } },
        { "instructions", { "<?p?>", cap_cl / 5 } },
        { "comments", { "<!---->", cap_cl / 7 } },
        { "nests", { QByteArray( "<a>" ).repeated( 31 ) + QByteArray( "</a>" ).repeated( 31 ), cap_cl / 217 } },
        { "widest", { "<a b=\"" + QByteArray( 100, 'x' ) + "\"/>", SaveFile::MAX_NODES - 16 } },
    };
    if( hostile_cl.contains( case_cl ) )
    {
        QFile file_l( file_cl );
        file_l.open( QIODevice::WriteOnly );
        file_l.write( "<!DOCTYPE SortivaneSaveFile-v.0.1>\n<root>"
                      + hostile_cl.value( case_cl ).first.repeated( hostile_cl.value( case_cl ).second ) + "</root>" );
    }
    else if( case_cl == "cap" )
    {
        // 4,000-character nicknames fill the cap with few enough players.
        const int players_cl = SaveFile::MAX_FILE_SIZE / 4250;
        if( !playedChampionship( players_cl, 1, -1, -1, 4000 ).save( file_cl ) )
            return std::printf( "cap: the writer refused the file\n" ), 1;
    }
    else if( !playedChampionship( 1024, 1 ).save( file_cl ) )
        return 1;
    return QProcess::execute( QCoreApplication::applicationFilePath(),
                              { QStringLiteral( "load" ), file_cl, QString::fromLatin1( case_cl ) } );
}
