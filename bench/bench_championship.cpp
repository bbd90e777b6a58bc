// Times the work an organiser waits for with 1,024 players, or as many as
// the first argument says: each draw with the show's pauses switched off,
// the bracket build and repaint, one result, a rename, a recovery copy and
// an undo, the hall's views and printing, and save and load of the fully
// played championship. Each figure is CPU time, with the wall time beside it.
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
#include "stopwatch.h"

#include <QApplication>
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
// The draw runs on the worker thread: the process's CPU time counts it, and
// what the GUI thread spends on its signals.
Stopwatch drawRound()
{
    QSignalSpy updated_l( global::threads::tossThread(), SIGNAL( championshipDataUpdated() ) );
    Stopwatch watch_l( Stopwatch::WholeProcess );
    global::threads::tossThread()->start();
    updated_l.wait( 60000 );
    global::threads::tossThread()->wait();
    return watch_l;
}

// One full repaint of the view's viewport, as a scroll or a zoom causes it:
// the best of five, as "1.2 ms (wall 1.3 ms)".
QByteArray repaint( QGraphicsView& view_p )
{
    QCoreApplication::processEvents();
    double best_l = 1e9;
    double bestWall_l = 1e9;
    for( int i = 0; i < 5; ++i )
    {
        const Stopwatch watch_l;
        view_p.viewport()->repaint();
        best_l = qMin( best_l, watch_l.cpuMs() );
        bestWall_l = qMin( bestWall_l, watch_l.wallMs() );
    }
    return QStringLiteral( "%1 ms (wall %2 ms)" ).arg( best_l, 0, 'f', 1 ).arg( bestWall_l, 0, 'f', 1 ).toUtf8();
}

void report( const char* step_p, const Stopwatch& watch_cp, int decimals_p = 1 )
{
    std::printf( "%s: %s\n", step_p, qPrintable( watch_cp.text( decimals_p ) ) );
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
        double bestWall_l = 1e9;
        for( int i = 0; i < 20; ++i )
        {
            Championship copy_l = champ_l;
            const Stopwatch watch_l;
            thread_l.drawInPlace( copy_l );
            best_l = std::min( best_l, watch_l.cpuMs() );
            bestWall_l = std::min( bestWall_l, watch_l.wallMs() );
        }
        std::printf( "first draw in place, best of 20: %.3f ms (wall %.3f ms)\n", best_l, bestWall_l );
    }
    const Stopwatch firstDraw_cl = drawRound();
    std::printf( "draw of round 1 (1/%d): %s\n", champ_l.rounds().first().denominator(),
                 qPrintable( firstDraw_cl.text() ) );
    QDiagramScene scene_l( nullptr );
    QGraphicsView view_l( &scene_l );
    view_l.resize( 1280, 800 );
    view_l.show();
    if( !QDiagramScene::shows( champ_l ) )
        std::printf( "the diagram shows up to %d first-round games: the window shows the tree view alone\n",
                     QDiagramScene::MAX_GAMES );
    Stopwatch watch_l;
    scene_l.updateDiagram();
    report( "updateDiagram after the first draw", watch_l );
    {
        // On X each native window is a server round trip.
        int native_l = 0;
        const QWidgetList widgets_cl = QApplication::allWidgets();
        for( const QWidget* const widget_cl : widgets_cl )
            native_l += widget_cl->testAttribute( Qt::WA_WState_Created ) && widget_cl->internalWinId();
        std::printf( "widgets with a native window: %d of %d\n", native_l, int( widgets_cl.size() ) );
    }
    std::printf( "repaint at 100 %%: %s\n", repaint( view_l ).constData() );
    view_l.scale( 0.1, 0.1 );
    std::printf( "repaint at 10 %%: %s\n", repaint( view_l ).constData() );
    {
        // The hall's tree view while the first round is played: its first
        // result, then a later one, each after a repaint, as on screen.
        QBracketTreeScene tree_l( nullptr );
        tree_l.update();
        QBracketView shown_l( &tree_l, nullptr );
        shown_l.resize( 1280, 800 );
        shown_l.show();
        for( const char* step_p :
             { "first result of a round shown in the tree view", "result shown in the tree view" } )
        {
            shown_l.viewport()->repaint();
            const int game_cl = champ_l.decidedGames();
            champ_l.setGameResult( game_cl, game_cl ? UNEXPECTED : EXPECTED );
            const Stopwatch watch_l;
            tree_l.showResult( game_cl );
            std::printf( "%s: %s (%d pieces replaced)\n", step_p, qPrintable( watch_l.text( 3 ) ),
                         tree_l.replacedPieces() );
        }
    }
    watch_l.restart();
    scene_l.updateWinner( 0 );
    report( "updateWinner", watch_l, 3 );
    decideCurrentRound();
    double laterCpu_l = 0;
    double laterWall_l = 0;
    for( int round_l = 1; round_l < champ_l.rounds().size(); ++round_l )
    {
        const Stopwatch draw_cl = drawRound();
        laterCpu_l += draw_cl.cpuMs();
        laterWall_l += draw_cl.wallMs();
        std::printf( "draw of round %d (1/%d): %s\n", round_l + 1, champ_l.rounds().at( round_l ).denominator(),
                     qPrintable( draw_cl.text() ) );
        decideCurrentRound();
    }
    std::printf( "later draws together: %.1f ms (wall %.1f ms)\n", laterCpu_l, laterWall_l );
    watch_l.restart();
    scene_l.updateDiagram();
    report( "updateDiagram of the played championship", watch_l );

    // The forgiving commands on the played championship. The champion's
    // boxes: one game in every round.
    const Game& final_crl = champ_l.rounds().last().games_m.first();
    const PlayerRef champion_cl = final_crl.winner();
    watch_l.restart();
    champ_l.renamePlayer( champion_cl, QStringLiteral( "Переименованный" ), QStringLiteral( "Клан" ) );
    scene_l.updatePlayerTexts( champion_cl );
    report( "rename of the champion, boxes updated", watch_l, 2 );
    {
        // What the GUI thread spends on a recovery copy: the copy of the
        // championship and the start of the worker that writes it.
        QRecoveryCopy recovery_l( nullptr );
        watch_l.restart();
        QMetaObject::invokeMethod( &recovery_l, "slotWrite" );
        report( "recovery copy, time on the GUI thread", watch_l, 3 );
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
    watch_l.restart();
    scene_l.clearDiagram();
    scene_l.updateDiagram();
    report( "bracket of the played championship built anew", watch_l );
    settle_l();
    watch_l.restart();
    champ_l.undoLastDraw();
    scene_l.clearDiagram();
    scene_l.updateDiagram();
    report( "undo of the final's draw, bracket rebuilt", watch_l );
    champ_l = played_cl;

    QTemporaryDir dir_l;
    {
        // The hall's views of the played championship.
        QBracketTreeScene tree_l( nullptr );
        watch_l.restart();
        tree_l.update();
        std::printf( "tree view built: %s (%d pieces)\n", qPrintable( watch_l.text() ), int( tree_l.items().size() ) );
        // The final's result changes the champion's column: the tree is
        // laid out again, and only the pieces that look different replaced.
        const Game final_cl = champ_l.rounds().last().games_m.first();
        champ_l.setGameResult( 0, EXPECTED == final_cl.result_m ? UNEXPECTED : EXPECTED );
        watch_l.restart();
        tree_l.showResult( 0 );
        std::printf( "the final's result shown in the tree view: %s (%d pieces replaced)\n",
                     qPrintable( watch_l.text() ), tree_l.replacedPieces() );
        champ_l.setGameResult( 0, final_cl.result_m );
        tree_l.update();
        QBracketView treeView_l( &tree_l, nullptr );
        treeView_l.resize( 1280, 800 );
        treeView_l.show();
        QCoreApplication::processEvents();
        watch_l.restart();
        const double fit_cl = treeView_l.fittingZoom() / 100.0;
        treeView_l.setTransform( QTransform::fromScale( fit_cl, fit_cl ) );
        treeView_l.viewport()->repaint();
        std::printf( "Вписать and a repaint at the fitted zoom (%.0f %%): %s\n", fit_cl * 100,
                     qPrintable( watch_l.text() ) );
        std::printf( "repaint of the tree at the fitted zoom: %s\n", repaint( treeView_l ).constData() );
        QPrinter printer_l( QPrinter::HighResolution );
        printer_l.setOutputFormat( QPrinter::PdfFormat );
        printer_l.setOutputFileName( dir_l.filePath( QStringLiteral( "printed.pdf" ) ) );
        watch_l.restart();
        QPublishing::print( BracketLayout( champ_l, QStringLiteral( "Кубок" ) ), printer_l, false );
        report( "printing to PDF, fitted to one page", watch_l, 0 );
    }
    const QString file_cl = dir_l.filePath( QStringLiteral( "bench.stv" ) );
    watch_l.restart();
    champ_l.save( file_cl );
    std::printf( "save of the played championship: %s (%lld bytes)\n", qPrintable( watch_l.text() ),
                 static_cast< long long >( QFileInfo( file_cl ).size() ) );
    // The first load, as the organiser meets it, and the best of five.
    double bestLoad_l = 1e9;
    double bestWall_l = 1e9;
    for( int i = 0; i < 5; ++i )
    {
        Championship loaded_l;
        watch_l.restart();
        loaded_l.load( file_cl );
        if( 0 == i )
            report( "load of the played championship", watch_l );
        bestLoad_l = std::min( bestLoad_l, watch_l.cpuMs() );
        bestWall_l = std::min( bestWall_l, watch_l.wallMs() );
    }
    std::printf( "the best of five loads: %.1f ms (wall %.1f ms)\n", bestLoad_l, bestWall_l );
    // Publishing as sortivane-export does it: reading, laying out, writing.
    for( const char* format_p : { "svg", "html", "pdf" } )
    {
        QString ignored_l;
        QTextStream out_l( &ignored_l );
        watch_l.restart();
        ExportCommand::run( { QStringLiteral( "sortivane-export" ), file_cl, QStringLiteral( "-o" ),
                              dir_l.filePath( QStringLiteral( "bracket." ) + QLatin1String( format_p ) ) },
                            out_l, out_l );
        std::printf( "export to %s: %s\n", format_p, qPrintable( watch_l.text() ) );
    }

    // The show as the organiser watches it: sixteen players, pauses on.
    champ_l.reset();
    for( int i = 0; i < 16; ++i )
        champ_l.addPlayer( 1 + i % 4, QStringLiteral( "Игрок %1" ).arg( i ), QString() );
    global::threads::tossThread()->setPaced( true );
    std::printf( "show with pauses, per game (16 players, 8 games): %.0f ms of wall time\n", drawRound().wallMs() / 8 );
    return 0;
}
