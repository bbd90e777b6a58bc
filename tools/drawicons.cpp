// Draws the program's pictures into resources/icons. Run it once after
// changing a picture: the PNG files are committed, the program embeds them.
//   g++ -std=c++17 -fPIC tools/drawicons.cpp $(pkg-config --cflags --libs Qt5Gui) -o /tmp/drawicons
//   QT_QPA_PLATFORM=offscreen /tmp/drawicons resources/icons
#include <QBuffer>
#include <QDataStream>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <cmath>
#include <functional>

namespace
{
const QColor green( 46, 160, 56 );
const QColor darkGreen( 26, 110, 36 );
const QColor red( 204, 40, 40 );
const QColor blue( 40, 90, 200 );

QByteArray pngOf( int size, const std::function< void( QPainter& ) >& draw )
{
    QImage image( size, size, QImage::Format_ARGB32 );
    image.fill( Qt::transparent );
    QPainter painter( &image );
    painter.setRenderHint( QPainter::Antialiasing );
    painter.scale( size / 24.0, size / 24.0 );
    draw( painter );
    painter.end();
    QByteArray png;
    QBuffer buffer( &png );
    buffer.open( QIODevice::WriteOnly );
    image.save( &buffer, "png" );
    return png;
}

// The Windows icon: one file with a PNG image for each size, which every
// Windows since Vista reads.
void saveIco( const QString& file, const QVector< int >& sizes, const std::function< void( QPainter& ) >& draw )
{
    QVector< QByteArray > images;
    for( int size : sizes )
        images.append( pngOf( size, draw ) );
    QFile out( file );
    out.open( QIODevice::WriteOnly );
    QDataStream stream( &out );
    stream.setByteOrder( QDataStream::LittleEndian );
    stream << quint16( 0 ) << quint16( 1 ) << quint16( sizes.size() );
    quint32 offset = 6 + 16 * sizes.size();
    for( int i = 0; i < sizes.size(); ++i )
    {
        // A size of 256 is written as 0.
        stream << quint8( sizes.at( i ) & 0xff ) << quint8( sizes.at( i ) & 0xff ) << quint8( 0 ) << quint8( 0 )
               << quint16( 1 ) << quint16( 32 ) << quint32( images.at( i ).size() ) << offset;
        offset += images.at( i ).size();
    }
    for( const QByteArray& png : images )
        stream.writeRawData( png.constData(), png.size() );
}

void render( const QString& file, int size, const std::function< void( QPainter& ) >& draw )
{
    QFile out( file );
    out.open( QIODevice::WriteOnly );
    out.write( pngOf( size, draw ) );
}

// Every picture also at twice its size ("name@2x.png"), drawn anew rather
// than scaled, for screens and projectors that scale the window by 2.
void save( const QString& dir, const QString& name, int size, const std::function< void( QPainter& ) >& draw )
{
    render( dir + "/" + name + ".png", size, draw );
    render( dir + "/" + name + "@2x.png", 2 * size, draw );
}

void die( QPainter& p )
{
    p.setPen( QPen( QColor( 20, 40, 120 ), 1.2 ) );
    p.setBrush( blue );
    p.drawRoundedRect( QRectF( 2, 2, 20, 20 ), 4, 4 );
    p.setPen( Qt::NoPen );
    p.setBrush( Qt::white );
    for( const QPointF& c :
         { QPointF( 7, 7 ), QPointF( 17, 7 ), QPointF( 12, 12 ), QPointF( 7, 17 ), QPointF( 17, 17 ) } )
        p.drawEllipse( c, 2, 2 );
}

void cross( QPainter& p, const QColor& colour, double width )
{
    p.setPen( QPen( colour, width, Qt::SolidLine, Qt::RoundCap ) );
    p.drawLine( QPointF( 6, 6 ), QPointF( 18, 18 ) );
    p.drawLine( QPointF( 18, 6 ), QPointF( 6, 18 ) );
}

void floppy( QPainter& p, const QColor& colour )
{
    p.setPen( QPen( colour.darker( 160 ), 1 ) );
    p.setBrush( colour );
    p.drawRoundedRect( QRectF( 3, 3, 18, 18 ), 2, 2 );
    p.setBrush( Qt::white );
    p.drawRect( QRectF( 6, 3.5, 12, 7 ) );
    p.setBrush( colour.darker( 140 ) );
    p.drawRect( QRectF( 7, 14, 10, 7 ) );
}

void arrow( QPainter& p, bool up )
{
    QPolygonF shape =
        QVector< QPointF > { QPointF( 12, 3 ),   QPointF( 21, 12 ),  QPointF( 15.5, 12 ), QPointF( 15.5, 21 ),
                             QPointF( 8.5, 21 ), QPointF( 8.5, 12 ), QPointF( 3, 12 ) };
    if( !up )
        for( QPointF& point : shape )
            point.setY( 24 - point.y() );
    p.setPen( QPen( darkGreen, 1 ) );
    p.setBrush( green );
    p.drawPolygon( shape );
}
}

int main( int argc, char** argv )
{
    QGuiApplication app( argc, argv );
    const QString dir = argc > 1 ? QString::fromLocal8Bit( argv[ 1 ] ) : QStringLiteral( "." );
    for( int size : { 16, 32, 48 } )
        save( dir, QStringLiteral( "app%1" ).arg( size ), size, die );
    save( dir, "about", 128, die );
    saveIco( dir + "/sortivane.ico", { 16, 32, 48, 64, 96, 256 }, die );
    save( dir, "check", 24,
          []( QPainter& p )
          {
              p.setPen( QPen( green, 3.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin ) );
              p.drawPolyline( QVector< QPointF > { QPointF( 4, 13 ), QPointF( 10, 19 ), QPointF( 20, 5 ) } );
          } );
    save( dir, "cross", 24, []( QPainter& p ) { cross( p, red, 3.5 ); } );
    save( dir, "plus", 24,
          []( QPainter& p )
          {
              p.setPen( QPen( green, 4, Qt::SolidLine, Qt::RoundCap ) );
              p.drawLine( QPointF( 12, 4 ), QPointF( 12, 20 ) );
              p.drawLine( QPointF( 4, 12 ), QPointF( 20, 12 ) );
          } );
    save( dir, "up", 24, []( QPainter& p ) { arrow( p, true ); } );
    save( dir, "down", 24, []( QPainter& p ) { arrow( p, false ); } );
    save( dir, "new", 24,
          []( QPainter& p )
          {
              p.setPen( QPen( Qt::gray, 1 ) );
              p.setBrush( Qt::white );
              p.drawRect( QRectF( 4, 2, 15, 20 ) );
              QPolygonF star;
              for( int i = 0; i < 10; ++i )
              {
                  const double r = i % 2 ? 2.5 : 6;
                  const double a = -M_PI / 2 + i * M_PI / 5;
                  star << QPointF( 15 + r * cos( a ), 9 + r * sin( a ) );
              }
              p.setPen( QPen( QColor( 200, 100, 0 ), 0.8 ) );
              p.setBrush( QColor( 255, 150, 20 ) );
              p.drawPolygon( star );
          } );
    save( dir, "open", 24,
          []( QPainter& p )
          {
              p.setPen( QPen( QColor( 160, 120, 0 ), 1 ) );
              p.setBrush( QColor( 240, 200, 60 ) );
              p.drawRect( QRectF( 2, 7, 20, 14 ) );
              p.drawRect( QRectF( 2, 5, 8, 2 ) );
              p.setPen( QPen( green, 3, Qt::SolidLine, Qt::RoundCap ) );
              p.drawLine( QPointF( 8, 14 ), QPointF( 17, 14 ) );
              p.drawPolyline( QVector< QPointF > { QPointF( 13, 10 ), QPointF( 17, 14 ), QPointF( 13, 18 ) } );
          } );
    save( dir, "save", 24, []( QPainter& p ) { floppy( p, green ); } );
    save( dir, "saveas", 24, []( QPainter& p ) { floppy( p, blue ); } );
    save( dir, "exit", 24,
          []( QPainter& p )
          {
              p.setPen( QPen( red.darker( 150 ), 1.5 ) );
              p.setBrush( Qt::white );
              p.drawRect( QRectF( 2.5, 2.5, 19, 19 ) );
              cross( p, red, 3 );
          } );
    save( dir, "toss", 24,
          []( QPainter& p )
          {
              p.setPen( QPen( darkGreen, 1 ) );
              p.setBrush( green );
              p.drawPolygon( QVector< QPointF > { QPointF( 6, 3 ), QPointF( 21, 12 ), QPointF( 6, 21 ) } );
          } );
    save( dir, "import", 24,
          []( QPainter& p )
          {
              p.setPen( QPen( blue.darker( 150 ), 1 ) );
              p.setBrush( blue );
              p.drawRoundedRect( QRectF( 3, 4, 18, 12 ), 2, 2 );
              p.setBrush( QColor( 180, 210, 255 ) );
              p.drawRect( QRectF( 5, 6, 14, 8 ) );
              p.setBrush( blue );
              p.drawRect( QRectF( 9, 16, 6, 3 ) );
              p.drawRect( QRectF( 6, 19, 12, 2 ) );
          } );
    save( dir, "setup", 24,
          []( QPainter& p )
          {
              p.setPen( QPen( QColor( 110, 110, 120 ), 3, Qt::SolidLine, Qt::RoundCap ) );
              p.drawLine( QPointF( 5, 19 ), QPointF( 17, 7 ) );
              p.setPen( QPen( QColor( 200, 60, 40 ), 3, Qt::SolidLine, Qt::RoundCap ) );
              p.drawLine( QPointF( 5, 5 ), QPointF( 19, 19 ) );
              p.setPen( QPen( QColor( 110, 110, 120 ), 2 ) );
              p.setBrush( Qt::NoBrush );
              p.drawEllipse( QPointF( 18, 6 ), 3, 3 );
          } );
    save( dir, "pencil", 24,
          []( QPainter& p )
          {
              // A pencil lying from lower left to upper right: wooden body,
              // graphite tip, pink eraser.
              p.translate( 12, 12 );
              p.rotate( -45 );
              p.setPen( QPen( QColor( 90, 70, 20 ), 1 ) );
              p.setBrush( QColor( 240, 190, 40 ) );
              p.drawRect( QRectF( -6, -2.5, 12, 5 ) );
              p.setBrush( QColor( 230, 120, 140 ) );
              p.drawRect( QRectF( 6, -2.5, 3, 5 ) );
              p.setBrush( QColor( 245, 220, 170 ) );
              p.drawPolygon( QPolygonF( { QPointF( -6, -2.5 ), QPointF( -10.5, 0 ), QPointF( -6, 2.5 ) } ) );
              p.setBrush( QColor( 50, 50, 50 ) );
              p.drawPolygon( QPolygonF( { QPointF( -8.8, -1 ), QPointF( -10.5, 0 ), QPointF( -8.8, 1 ) } ) );
          } );
    save( dir, "undo", 24,
          []( QPainter& p )
          {
              // A bent arrow turning back to the left.
              p.setPen( QPen( darkGreen, 2.6, Qt::SolidLine, Qt::RoundCap ) );
              p.setBrush( Qt::NoBrush );
              QPainterPath path;
              path.moveTo( 8, 9 );
              path.lineTo( 14, 9 );
              path.cubicTo( 22, 9, 22, 20, 14, 20 );
              path.lineTo( 9, 20 );
              p.drawPath( path );
              p.setPen( Qt::NoPen );
              p.setBrush( darkGreen );
              p.drawPolygon( QPolygonF( { QPointF( 3, 9 ), QPointF( 9, 3.5 ), QPointF( 9, 14.5 ) } ) );
          } );
    return 0;
}
