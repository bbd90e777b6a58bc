// Renders the pictures of the README and the guide of a 16-player
// championship into a folder: players.png (the registered players),
// draw.png (the draw show) and bracket.png (first round decided, second
// round drawn); then plays it to the final and saves it as
// sixteen-played.stv. On a real display (scripts/screenshots.sh runs it
// under Xvfb with a window manager) each window is taken from the screen
// with its frame, as the organiser sees it.
//   build/tools/sortivane_screenshot docs
#include "QTossApplication.h"
#include "QTossProcessWindow.h"
#include "QTossThread.h"
#include "QTossWindow.h"
#include "championship.h"
#include "drawseed.h"
#include "globals.h"

#include <QAction>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QSlider>
#include <QTreeView>

namespace
{
void drawAndWait()
{
    QEventLoop loop_l;
    QObject::connect( global::threads::tossThread(), &QThread::finished, &loop_l, &QEventLoop::quit );
    global::threads::tossThread()->start();
    loop_l.exec();
}

void settle()
{
    // Long enough for a window manager to frame and place the window.
    QElapsedTimer waited_l;
    waited_l.start();
    while( waited_l.elapsed() < 700 )
        QCoreApplication::processEvents( QEventLoop::AllEvents, 50 );
}

void save( QWidget* widget_p, const QDir& dir_p, const QString& name_p )
{
    if( QGuiApplication::platformName() == QStringLiteral( "offscreen" ) )
    {
        QCoreApplication::processEvents();
        widget_p->grab().save( dir_p.filePath( name_p ), "png" );
        return;
    }
    settle();
    const QRect frame_cl = widget_p->frameGeometry();
    widget_p->screen()
        ->grabWindow( 0, frame_cl.x(), frame_cl.y(), frame_cl.width(), frame_cl.height() )
        .save( dir_p.filePath( name_p ), "png" );
}
}

int main( int argc, char** argv )
{
    const std::unique_ptr< QTossApplication > application_l = QTossApplication::create( argc, argv );
    QTossApplication::connectGlobalObjects();
    const QDir dir_cl( argc > 1 ? QString::fromLocal8Bit( argv[ 1 ] ) : QStringLiteral( "." ) );
    drawseed::setFixedSeed( 16 );
    global::threads::tossThread()->setPaced( false );
    Championship& champ_l = global::data::champ();
    const QStringList names_cl { "Атаман",  "Казак", "Гетман", "Сокол", "Буря", "Волк",  "Орёл",  "Ястреб",
                                 "Медведь", "Рысь",  "Лис",    "Барс",  "Гром", "Ветер", "Шторм", "Туман" };
    for( int i = 0; i < names_cl.size(); ++i )
        champ_l.addPlayer( 1 + i / 4, names_cl.at( i ), i % 3 ? QStringLiteral( "UA" ) : QString() );
    QTossWindow* const window_cl = global::widgets::tossWindow();
    window_cl->resetViews();
    window_cl->resize( 1400, 900 );
    window_cl->show();
    window_cl->findChild< QTreeView* >( QStringLiteral( "playersView" ) )->expandAll();
    save( window_cl, dir_cl, QStringLiteral( "players.png" ) );

    drawAndWait();
    // The process window keeps the last draw's texts.
    QTossProcessWindow* const show_cl = global::widgets::tossProcessWindow();
    show_cl->show();
    show_cl->raise();
    // On a desktop the show is seen over the main window, as the hall sees it.
    save( QGuiApplication::platformName() == QStringLiteral( "offscreen" ) ? static_cast< QWidget* >( show_cl )
                                                                           : window_cl,
          dir_cl, QStringLiteral( "draw.png" ) );
    show_cl->close();

    for( int i = 0; i < champ_l.rounds().at( 0 ).games_m.size(); ++i )
    {
        champ_l.setGameResult( i, i % 3 ? EXPECTED : UNEXPECTED );
        window_cl->updateAfterGameResult( i );
    }
    drawAndWait();
    // Zoomed out so that the whole bracket fits the window.
    window_cl->findChild< QSlider* >( QStringLiteral( "scaleSlider" ) )->setValue( 45 );
    save( window_cl, dir_cl, QStringLiteral( "bracket.png" ) );

    // Played to the final, for the published bracket.
    while( true )
    {
        const int current_cl = champ_l.currentRound();
        for( int i = 0; i < champ_l.rounds().at( current_cl ).games_m.size(); ++i )
            champ_l.setGameResult( i, i % 3 ? EXPECTED : UNEXPECTED );
        if( current_cl + 1 == champ_l.rounds().size() )
            break;
        drawAndWait();
    }
    // The hall's view: the tree, as published, with its champion.
    window_cl->resetViews();
    for( QAction* const action_cl : window_cl->findChildren< QAction* >() )
        if( action_cl->text() == QStringLiteral( "Сетка" ) || action_cl->text() == QStringLiteral( "Вписать" ) )
            action_cl->trigger();
    save( window_cl, dir_cl, QStringLiteral( "tree.png" ) );
    for( QAction* const action_cl : window_cl->findChildren< QAction* >() )
        if( action_cl->text() == QStringLiteral( "Схема" ) )
            action_cl->trigger();
    return champ_l.save( dir_cl.filePath( QStringLiteral( "sixteen-played.stv" ) ) ) ? 0 : 1;
}
