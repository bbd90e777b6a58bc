// Saves what an X display shows, for the README's pictures of the Windows
// build running under Wine:   DISPLAY=:99 grabscreen shot.png
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>

#include <cstdio>

int main( int argc, char** argv )
{
    QGuiApplication application_l( argc, argv );
    if( argc < 2 )
        return std::fprintf( stderr, "usage: grabscreen PICTURE.png\n" ), 2;
    return QGuiApplication::primaryScreen()->grabWindow( 0 ).save( QString::fromLocal8Bit( argv[ 1 ] ) ) ? 0 : 1;
}
