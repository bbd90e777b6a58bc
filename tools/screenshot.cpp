// Renders the main window of a 16-player championship (first round decided,
// second round drawn) to a PNG for the README.
//   QT_QPA_PLATFORM=offscreen build/tools/sortivane_screenshot docs/mainwindow.png
#include "QTossApplication.h"
#include "QTossThread.h"
#include "QTossWindow.h"
#include "championship.h"
#include "drawseed.h"
#include "globals.h"

#include <QEventLoop>
#include <QPixmap>
#include <QTimer>

namespace
{
void drawAndWait()
{
    QEventLoop loop_l;
    QObject::connect( global::threads::tossThread(), &QThread::finished, &loop_l, &QEventLoop::quit );
    global::threads::tossThread()->start();
    loop_l.exec();
}
}

int main( int argc, char** argv )
{
    QTossApplication application_l( argc, argv );
    QTossApplication::connectGlobalObjects();
    drawseed::setFixedSeed( 16 );
    global::threads::tossThread()->setPaced( false );
    Championship& champ_l = global::data::champ();
    const QStringList names_cl { "Ataman", "Kazak", "Hetman", "Sokol", "Burya", "Volk",  "Orel",   "Yastreb",
                                 "Medved", "Rys",   "Lis",    "Bars",  "Grom",  "Veter", "Shtorm", "Tuman" };
    for( int i = 0; i < names_cl.size(); ++i )
        champ_l.addPlayer( 1 + i / 4, names_cl.at( i ), i % 3 ? QStringLiteral( "UA" ) : QString() );
    QTossWindow* const window_cl = global::widgets::tossWindow();
    window_cl->resetViews();
    window_cl->resize( 1400, 900 );
    window_cl->show();
    drawAndWait();
    for( int i = 0; i < champ_l.rounds().at( 0 ).games_m.size(); ++i )
    {
        champ_l.setGameResult( i, i % 3 ? EXPECTED : UNEXPECTED );
        window_cl->updateAfterGameResult( i );
    }
    drawAndWait();
    QTimer::singleShot( 100,
                        [ & ]
                        {
                            window_cl->grab().save( argc > 1 ? QString::fromLocal8Bit( argv[ 1 ] )
                                                             : QStringLiteral( "mainwindow.png" ),
                                                    "png" );
                            application_l.quit();
                        } );
    return application_l.exec();
}
