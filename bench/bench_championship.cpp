// Times the work an organiser waits for with 1,024 players, or as many as
// the first argument says: each draw with the show's pauses switched off,
// the bracket build and repaint, one result, a rename, a recovery copy and
// an undo, the hall's views and printing, and save and load of the fully
// played championship.
//   QT_QPA_PLATFORM=offscreen build/bench/bench_championship [players]
#include "QBracketTreeScene.h"
#include "QBracketView.h"
#include "QDiagramScene.h"
#include "QPublishing.h"
#include "QRecoveryCopy.h"
#include "QTossThread.h"
#include "bracketlayout.h"
#include "championship.h"
#include "drawseed.h"
#include "exportcommand.h"
#include "globals.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QGraphicsView>
#include <QPrinter>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>

#include <cstdio>

namespace
{
double drawRound()
{
    QSignalSpy updated_l( global::threads::tossThread(), SIGNAL( championshipDataUpdated() ) );
    QElapsedTimer timer_l;
    timer_l.start();
    global::threads::tossThread()->start();
    updated_l.wait( 60000 );
    global::threads::tossThread()->wait();
    return timer_l.nsecsElapsed() / 1e6;
}

// One full repaint of the view's viewport, as a scroll or a zoom causes it;
// the best of five, so a stray scheduling delay does not count.
double repaint( QGraphicsView& view_p )
{
    QCoreApplication::processEvents();
    double best_l = 1e9;
    for( int i = 0; i < 5; ++i )
    {
        QElapsedTimer timer_l;
        timer_l.start();
        view_p.viewport()->repaint();
        best_l = qMin( best_l, timer_l.nsecsElapsed() / 1e6 );
    }
    return best_l;
}

// Waits, with the event loop running, until the condition holds.
#define QTRY_VERIFY_IN_BENCH( condition )                                                                              \
    do                                                                                                                 \
    {                                                                                                                  \
        for( int tries_l = 0; tries_l < 600 && !( condition ); ++tries_l )                                             \
            QTest::qWait( 50 );                                                                                        \
    } while( false )

void decideCurrentRound()
{
    Championship& champ_l = global::data::champ();
    for( int i = 0; i < champ_l.rounds().at( champ_l.currentRound() ).games_m.size(); ++i )
        champ_l.setGameResult( i, i % 3 ? EXPECTED : UNEXPECTED );
}
}

int main( int argc, char** argv )
{
    QApplication application_l( argc, argv );
    // The offscreen platform's note about size hints, once per game widget.
    qInstallMessageHandler(
        []( QtMsgType, const QMessageLogContext&, const QString& message_cp )
        {
            if( !message_cp.contains( QStringLiteral( "propagateSizeHints" ) ) )
                std::fprintf( stderr, "%s\n", qPrintable( message_cp ) );
        } );
    drawseed::setFixedSeed( 2026 );
    global::threads::tossThread()->setPaced( false );
    Championship& champ_l = global::data::champ();
    const int players_cl = argc > 1 ? QByteArray( argv[ 1 ] ).toInt() : 1024;
    for( int i = 0; i < players_cl; ++i )
        champ_l.addPlayer( 1 + i % 4, QStringLiteral( "Игрок %1" ).arg( i ),
                           i % 2 ? QStringLiteral( "Клан%1" ).arg( i % 50 ) : QString() );

    {
        // The draw alone, on the calling thread: the figure to compare with
        // other programs that make a bracket.
        QTossThread thread_l;
        thread_l.setPaced( false );
        double best_l = 1e9;
        for( int i = 0; i < 20; ++i )
        {
            Championship copy_l = champ_l;
            QElapsedTimer inPlace_l;
            inPlace_l.start();
            thread_l.drawInPlace( copy_l );
            best_l = std::min( best_l, inPlace_l.nsecsElapsed() / 1e6 );
        }
        std::printf( "first draw in place, best of 20: %.3f ms\n", best_l );
    }
    const double firstDraw_cl = drawRound();
    std::printf( "draw of round 1 (1/%d): %.1f ms\n", champ_l.rounds().first().denominator(), firstDraw_cl );
    QDiagramScene scene_l( nullptr );
    QGraphicsView view_l( &scene_l );
    view_l.resize( 1280, 800 );
    view_l.show();
    if( !QDiagramScene::shows( champ_l ) )
        std::printf( "the diagram shows up to %d first-round games: the window shows the tree view alone\n",
                     QDiagramScene::MAX_GAMES );
    QElapsedTimer timer_l;
    timer_l.start();
    scene_l.updateDiagram();
    std::printf( "updateDiagram after the first draw: %.1f ms\n", timer_l.nsecsElapsed() / 1e6 );
    std::printf( "repaint at 100 %%: %.1f ms\n", repaint( view_l ) );
    view_l.scale( 0.1, 0.1 );
    std::printf( "repaint at 10 %%: %.1f ms\n", repaint( view_l ) );
    champ_l.setGameResult( 0, EXPECTED );
    timer_l.restart();
    scene_l.updateWinner( 0 );
    std::printf( "updateWinner: %.3f ms\n", timer_l.nsecsElapsed() / 1e6 );
    {
        // The hall's tree view while the first round is played.
        QBracketTreeScene tree_l( nullptr );
        tree_l.update();
        champ_l.setGameResult( 1, UNEXPECTED );
        timer_l.restart();
        tree_l.showResult( 1 );
        std::printf( "result shown in the tree view: %.3f ms (%d pieces replaced)\n", timer_l.nsecsElapsed() / 1e6,
                     tree_l.replacedPieces() );
    }
    decideCurrentRound();
    double laterDraws_l = 0;
    for( int round_l = 1; round_l < champ_l.rounds().size(); ++round_l )
    {
        const double draw_cl = drawRound();
        laterDraws_l += draw_cl;
        std::printf( "draw of round %d (1/%d): %.1f ms\n", round_l + 1, champ_l.rounds().at( round_l ).denominator(),
                     draw_cl );
        decideCurrentRound();
    }
    std::printf( "later draws together: %.1f ms\n", laterDraws_l );
    timer_l.restart();
    scene_l.updateDiagram();
    std::printf( "updateDiagram of the played championship: %.1f ms\n", timer_l.nsecsElapsed() / 1e6 );

    // The forgiving commands on the played championship. The champion's
    // boxes: one game in every round.
    const Game& final_crl = champ_l.rounds().last().games_m.first();
    const PlayerRef champion_cl = final_crl.winner();
    timer_l.restart();
    champ_l.renamePlayer( champion_cl, QStringLiteral( "Переименованный" ), QStringLiteral( "Клан" ) );
    scene_l.updatePlayerTexts( champion_cl );
    std::printf( "rename of the champion, boxes updated: %.2f ms\n", timer_l.nsecsElapsed() / 1e6 );
    {
        // What the GUI thread spends on a recovery copy: the copy of the
        // championship and the start of the worker that writes it.
        QRecoveryCopy recovery_l( nullptr );
        timer_l.restart();
        QMetaObject::invokeMethod( &recovery_l, "slotWrite" );
        std::printf( "recovery copy, time on the GUI thread: %.3f ms\n", timer_l.nsecsElapsed() / 1e6 );
        QTRY_VERIFY_IN_BENCH( QFileInfo::exists( recovery_l.copyPath() ) );
        recovery_l.discard();
    }
    const Championship played_cl = champ_l;
    // Widgets removed by a rebuild are deleted by the event loop; each
    // measure starts with none left over.
    const auto settle_l = []
    {
        QCoreApplication::sendPostedEvents( nullptr, QEvent::DeferredDelete );
        QCoreApplication::processEvents();
    };
    settle_l();
    timer_l.restart();
    scene_l.clearDiagram();
    scene_l.updateDiagram();
    std::printf( "bracket of the played championship built anew: %.1f ms\n", timer_l.nsecsElapsed() / 1e6 );
    settle_l();
    timer_l.restart();
    champ_l.undoLastDraw();
    scene_l.clearDiagram();
    scene_l.updateDiagram();
    std::printf( "undo of the final's draw, bracket rebuilt: %.1f ms\n", timer_l.nsecsElapsed() / 1e6 );
    champ_l = played_cl;

    QTemporaryDir dir_l;
    {
        // The hall's views of the played championship.
        QBracketTreeScene tree_l( nullptr );
        timer_l.restart();
        tree_l.update();
        std::printf( "tree view built: %.1f ms (%d pieces)\n", timer_l.nsecsElapsed() / 1e6,
                     int( tree_l.items().size() ) );
        // The final's result changes the champion's column: the tree is
        // laid out again, and only the pieces that look different replaced.
        const Game final_cl = champ_l.rounds().last().games_m.first();
        champ_l.setGameResult( 0, EXPECTED == final_cl.result_m ? UNEXPECTED : EXPECTED );
        timer_l.restart();
        tree_l.showResult( 0 );
        std::printf( "the final's result shown in the tree view: %.1f ms (%d pieces replaced)\n",
                     timer_l.nsecsElapsed() / 1e6, tree_l.replacedPieces() );
        champ_l.setGameResult( 0, final_cl.result_m );
        tree_l.update();
        QBracketView treeView_l( &tree_l, nullptr );
        treeView_l.resize( 1280, 800 );
        treeView_l.show();
        QCoreApplication::processEvents();
        timer_l.restart();
        const double fit_cl = treeView_l.fittingZoom() / 100.0;
        treeView_l.setTransform( QTransform::fromScale( fit_cl, fit_cl ) );
        treeView_l.viewport()->repaint();
        std::printf( "Вписать and a repaint at the fitted zoom (%.0f %%): %.1f ms\n", fit_cl * 100,
                     timer_l.nsecsElapsed() / 1e6 );
        std::printf( "repaint of the tree at the fitted zoom: %.1f ms\n", repaint( treeView_l ) );
        QPrinter printer_l( QPrinter::HighResolution );
        printer_l.setOutputFormat( QPrinter::PdfFormat );
        printer_l.setOutputFileName( dir_l.filePath( QStringLiteral( "printed.pdf" ) ) );
        timer_l.restart();
        QPublishing::print( BracketLayout( champ_l, QStringLiteral( "Кубок" ) ), printer_l, false );
        std::printf( "printing to PDF, fitted to one page: %.0f ms\n", timer_l.nsecsElapsed() / 1e6 );
    }
    const QString file_cl = dir_l.filePath( QStringLiteral( "bench.stv" ) );
    timer_l.restart();
    champ_l.save( file_cl );
    std::printf( "save of the played championship: %.1f ms (%lld bytes)\n", timer_l.nsecsElapsed() / 1e6,
                 static_cast< long long >( QFileInfo( file_cl ).size() ) );
    // The first load, and the best of five, which a busy moment of the
    // machine does not spoil.
    double firstLoad_l = 0;
    double bestLoad_l = 1e9;
    for( int i = 0; i < 5; ++i )
    {
        Championship loaded_l;
        timer_l.restart();
        loaded_l.load( file_cl );
        const double load_cl = timer_l.nsecsElapsed() / 1e6;
        firstLoad_l = i ? firstLoad_l : load_cl;
        bestLoad_l = std::min( bestLoad_l, load_cl );
    }
    std::printf( "load of the played championship: %.1f ms (the best of five loads %.1f ms)\n", firstLoad_l,
                 bestLoad_l );
    // Publishing as sortivane-export does it: reading, laying out, writing.
    for( const char* format_p : { "svg", "html", "pdf" } )
    {
        QString ignored_l;
        QTextStream out_l( &ignored_l );
        timer_l.restart();
        ExportCommand::run( { QStringLiteral( "sortivane-export" ), file_cl, QStringLiteral( "-o" ),
                              dir_l.filePath( QStringLiteral( "bracket." ) + QLatin1String( format_p ) ) },
                            out_l, out_l );
        std::printf( "export to %s: %.1f ms\n", format_p, timer_l.nsecsElapsed() / 1e6 );
    }

    // The show as the organiser watches it: sixteen players, pauses on.
    champ_l.reset();
    for( int i = 0; i < 16; ++i )
        champ_l.addPlayer( 1 + i % 4, QStringLiteral( "Игрок %1" ).arg( i ), QString() );
    global::threads::tossThread()->setPaced( true );
    std::printf( "show with pauses, per game (16 players, 8 games): %.0f ms\n", drawRound() / 8 );
    return 0;
}
