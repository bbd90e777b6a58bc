// Times sortivane-export on a played 1,024-player championship (random
// pairings, every round decided), each format through the whole command:
// reading the file, the layout, drawing and writing.
//   build/bench/bench_export [runs]
// Also times the PNG at zlib's default level, for the choice of level 1.
#include "../tests/playedchampionship.h"
#include "bracketlayout.h"
#include "bracketpainter.h"
#include "exportcommand.h"
#include "savefile.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <cstdio>

namespace
{
// The best of runs_p runs, in seconds.
template < typename Action > double best( int runs_p, const Action& action_p )
{
    double best_l = 1e9;
    for( int i = 0; i < runs_p; ++i )
    {
        QElapsedTimer timer_l;
        timer_l.start();
        action_p();
        best_l = std::min( best_l, timer_l.nsecsElapsed() / 1e9 );
    }
    return best_l;
}
}

int main( int argc, char** argv )
{
    qputenv( "QT_QPA_PLATFORM", "offscreen" );
    QGuiApplication application_l( argc, argv );
    const int runs_cl = argc > 1 ? std::max( 1, atoi( argv[ 1 ] ) ) : 3;
    QTemporaryDir dir_l;
    const QString input_cl = dir_l.filePath( QStringLiteral( "1024.stv" ) );
    if( !SaveFile::write( playedChampionship( 1024, 1024 ), input_cl ) )
        return 1;
    QString ignored_l;
    QTextStream quiet_l( &ignored_l );
    for( const char* format_p : { "svg", "html", "png", "pdf" } )
    {
        const QString output_cl = dir_l.filePath( QStringLiteral( "bracket." ) + QLatin1String( format_p ) );
        int code_l = 0;
        const double seconds_cl =
            best( runs_cl,
                  [ & ]
                  {
                      code_l = ExportCommand::run(
                          { QStringLiteral( "sortivane-export" ), input_cl, QStringLiteral( "-o" ), output_cl },
                          quiet_l, quiet_l );
                  } );
        std::printf( "%-5s %.2f s  exit %d  %lld bytes\n", format_p, seconds_cl, code_l,
                     static_cast< long long >( QFileInfo( output_cl ).size() ) );
    }
    Championship champ_l;
    SaveFile::read( input_cl, champ_l );
    const BracketLayout layout_cl( champ_l, QStringLiteral( "1024" ) );
    const QImage image_cl = BracketPainter::image( layout_cl, 1 );
    // The encoding alone, at zlib's default level and at level 1.
    for( const int quality_cl : { -1, 80 } )
    {
        QByteArray bytes_l;
        const double seconds_cl = best( runs_cl,
                                        [ & ]
                                        {
                                            bytes_l.clear();
                                            QBuffer buffer_l( &bytes_l );
                                            buffer_l.open( QIODevice::WriteOnly );
                                            QImageWriter writer_l( &buffer_l, "png" );
                                            writer_l.setQuality( quality_cl );
                                            writer_l.write( image_cl );
                                        } );
        std::printf( "png encoding alone, %s: %.2f s  %d bytes  (%d x %d)\n",
                     quality_cl < 0 ? "zlib's default level" : "level 1", seconds_cl, int( bytes_l.size() ),
                     image_cl.width(), image_cl.height() );
    }
    return 0;
}
