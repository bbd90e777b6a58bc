// Tells whether a picture shows something: exit 0 when at least the given
// per mille of its pixels (default 10) differ from its corner's colour.
//   inkcheck PICTURE.png [PER-MILLE]
#include <QCoreApplication>
#include <QImage>

#include <cstdio>

int main( int argc, char** argv )
{
    QCoreApplication application_l( argc, argv );
    if( argc < 2 )
        return std::fprintf( stderr, "usage: inkcheck PICTURE.png [PER-MILLE]\n" ), 2;
    const QImage image_cl( QString::fromLocal8Bit( argv[ 1 ] ) );
    if( image_cl.isNull() )
        return std::fprintf( stderr, "inkcheck: %s is no picture\n", argv[ 1 ] ), 2;
    const long long needed_cl = argc > 2 ? atoll( argv[ 2 ] ) : 10;
    const QRgb background_cl = image_cl.pixel( 0, 0 );
    long long ink_l = 0;
    for( int y = 0; y < image_cl.height(); ++y )
        for( int x = 0; x < image_cl.width(); ++x )
            ink_l += image_cl.pixel( x, y ) != background_cl;
    const long long perMille_cl = ink_l * 1000 / ( qint64( image_cl.width() ) * image_cl.height() );
    std::printf( "inkcheck: %s: %dx%d, %lld per mille drawn\n", argv[ 1 ], image_cl.width(), image_cl.height(),
                 perMille_cl );
    return perMille_cl >= needed_cl ? 0 : 1;
}
