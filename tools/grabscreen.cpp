// Saves what an X display shows, or one window of it, for the README's
// pictures of the Windows build running under Wine:
//   DISPLAY=:99 grabscreen shot.png [X-WINDOW-ID]
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>

#include <cstdio>

int main( int argc, char** argv )
{
    QGuiApplication application_l( argc, argv );
    if( argc < 2 )
        return std::fprintf( stderr, "usage: grabscreen PICTURE.png [X-WINDOW-ID]\n" ), 2;
    const WId window_cl = argc > 2 ? WId( QByteArray( argv[ 2 ] ).toULongLong( nullptr, 0 ) ) : 0;
    return QGuiApplication::primaryScreen()->grabWindow( window_cl ).save( QString::fromLocal8Bit( argv[ 1 ] ) ) ? 0
                                                                                                                 : 1;
}
