// Compares two pictures of the same bracket, made on two platforms: exit 0
// when they have the same size and at most the given per mille of their
// pixels (default 0) differ. Glyphs are hinted a little differently from one
// platform to another, so a pixel counts as the same when the other picture
// has a pixel of nearly its colour at most one pixel away; a missing name or
// line is still counted whole.
//   picturediff A.png B.png [PER-MILLE]
#include <QCoreApplication>
#include <QImage>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace
{
bool alike( QRgb p_p, QRgb q_p )
{
    return std::max( { std::abs( qRed( p_p ) - qRed( q_p ) ), std::abs( qGreen( p_p ) - qGreen( q_p ) ),
                       std::abs( qBlue( p_p ) - qBlue( q_p ) ) } )
           <= 48;
}

// Whether image_cp has a pixel like pixel_p at (x_p, y_p) or next to it.
bool nearby( QRgb pixel_p, const QImage& image_cp, int x_p, int y_p )
{
    for( int y = std::max( 0, y_p - 1 ); y <= std::min( image_cp.height() - 1, y_p + 1 ); ++y )
        for( int x = std::max( 0, x_p - 1 ); x <= std::min( image_cp.width() - 1, x_p + 1 ); ++x )
            if( alike( pixel_p, image_cp.pixel( x, y ) ) )
                return true;
    return false;
}
}

int main( int argc, char** argv )
{
    QCoreApplication application_l( argc, argv );
    if( argc < 3 )
        return std::fprintf( stderr, "usage: picturediff A.png B.png [PER-MILLE]\n" ), 2;
    const QImage a_cl = QImage( QString::fromLocal8Bit( argv[ 1 ] ) ).convertToFormat( QImage::Format_RGB32 );
    const QImage b_cl = QImage( QString::fromLocal8Bit( argv[ 2 ] ) ).convertToFormat( QImage::Format_RGB32 );
    if( a_cl.isNull() || b_cl.isNull() )
        return std::fprintf( stderr, "picturediff: not a picture\n" ), 2;
    if( a_cl.size() != b_cl.size() )
    {
        std::printf( "picturediff: sizes differ: %dx%d and %dx%d\n", a_cl.width(), a_cl.height(), b_cl.width(),
                     b_cl.height() );
        return 1;
    }
    const long long allowed_cl = argc > 3 ? atoll( argv[ 3 ] ) : 0;
    long long differing_l = 0;
    for( int y = 0; y < a_cl.height(); ++y )
        for( int x = 0; x < a_cl.width(); ++x )
        {
            differing_l += !nearby( a_cl.pixel( x, y ), b_cl, x, y ) || !nearby( b_cl.pixel( x, y ), a_cl, x, y );
        }
    const long long perMille_cl = differing_l * 1000 / ( qint64( a_cl.width() ) * a_cl.height() );
    std::printf( "picturediff: %dx%d, %lld pixels (%lld per mille) differ\n", a_cl.width(), a_cl.height(), differing_l,
                 perMille_cl );
    return perMille_cl <= allowed_cl ? 0 : 1;
}
