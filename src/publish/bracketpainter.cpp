#include "bracketpainter.h"

#include "bracketlayout.h"

#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QPdfWriter>

#include <cmath>

namespace
{
// 96 dpi: the layout's pixels are the PDF writer's device units.
const int LAYOUT_DPI = 96;
// zlib's level 1: a tall bracket is mostly white, and the default level
// takes several times as long for a file hardly smaller.
const int PNG_QUALITY = 80;

QPen outline( const BracketLayout::Style& style_cp )
{
    if( !style_cp.ink_m.isValid() || style_cp.lineWidth_m <= 0 )
        return Qt::NoPen;
    QPen pen_l( style_cp.ink_m, style_cp.lineWidth_m );
    if( style_cp.dashed_m )
        pen_l.setStyle( Qt::DashLine );
    return pen_l;
}

QBrush filling( const BracketLayout::Style& style_cp )
{
    return style_cp.fill_m.isValid() ? QBrush( style_cp.fill_m ) : QBrush( Qt::NoBrush );
}

void paintText( const BracketLayout::Shape& shape_cp, QPainter& painter_rp )
{
    painter_rp.setFont( BracketLayout::font( shape_cp.role_m ) );
    painter_rp.setPen( BracketLayout::style( shape_cp.role_m ).ink_m );
    painter_rp.drawText( QPointF( shape_cp.textLeft(), shape_cp.anchor_m.y() ), shape_cp.text_m );
}
}

void BracketPainter::paint( const BracketLayout& layout_cp, QPainter& painter_rp )
{
    painter_rp.setRenderHints( QPainter::Antialiasing | QPainter::TextAntialiasing );
    for( const BracketLayout::Piece& piece_crl : layout_cp.pieces() )
        paintPiece( piece_crl, painter_rp );
}

void BracketPainter::paintPiece( const BracketLayout::Piece& piece_cp, QPainter& painter_rp, bool texts_p )
{
    for( const BracketLayout::Shape& shape_crl : piece_cp.shapes_m )
    {
        const BracketLayout::Style& style_crl = BracketLayout::style( shape_crl.role_m );
        switch( shape_crl.kind_m )
        {
        case BracketLayout::Shape::Box:
            painter_rp.setPen( outline( style_crl ) );
            painter_rp.setBrush( filling( style_crl ) );
            painter_rp.drawRoundedRect( shape_crl.rect_m, 3, 3 );
            break;
        case BracketLayout::Shape::Text:
            if( texts_p )
                paintText( shape_crl, painter_rp );
            break;
        case BracketLayout::Shape::Line:
            painter_rp.setPen( outline( style_crl ) );
            painter_rp.setBrush( Qt::NoBrush );
            painter_rp.drawPolyline( shape_crl.points_m );
            break;
        case BracketLayout::Shape::Mark:
            painter_rp.setPen( Qt::NoPen );
            painter_rp.setBrush( filling( style_crl ) );
            painter_rp.drawPolygon( shape_crl.points_m );
            break;
        }
    }
}

QImage BracketPainter::image( const BracketLayout& layout_cp, double scale_p )
{
    const QSize size_cl( int( std::ceil( layout_cp.size().width() * scale_p ) ),
                         int( std::ceil( layout_cp.size().height() * scale_p ) ) );
    if( qint64( size_cl.width() ) * size_cl.height() > MAX_PIXELS )
        return QImage();
    QImage image_l( size_cl, QImage::Format_RGB32 );
    if( image_l.isNull() )
        return image_l;
    image_l.fill( Qt::white );
    image_l.setDotsPerMeterX( int( std::lround( LAYOUT_DPI * scale_p / 0.0254 ) ) );
    image_l.setDotsPerMeterY( image_l.dotsPerMeterX() );
    // Qt's raster painter draws nothing past 32,767 pixels: a tall bracket is
    // painted in bands, each an image of its own on the same pixels, with the
    // pieces that reach into it.
    static constexpr int BAND = 16384;
    QVector< QRectF > bounds_l;
    bounds_l.reserve( layout_cp.pieces().size() );
    // Smoothing reaches a little past what a piece covers.
    for( const BracketLayout::Piece& piece_crl : layout_cp.pieces() )
        bounds_l.append( piece_crl.bounds().adjusted( -4, -4, 4, 4 ) );
    for( int top_l = 0; top_l < size_cl.height(); top_l += BAND )
    {
        const int rows_cl = std::min( BAND, size_cl.height() - top_l );
        QImage band_l( image_l.scanLine( top_l ), size_cl.width(), rows_cl, image_l.bytesPerLine(), image_l.format() );
        QPainter painter_l( &band_l );
        painter_l.setRenderHints( QPainter::Antialiasing | QPainter::TextAntialiasing );
        painter_l.translate( 0, -top_l );
        painter_l.scale( scale_p, scale_p );
        for( int i = 0; i < bounds_l.size(); ++i )
            if( bounds_l.at( i ).bottom() * scale_p >= top_l && bounds_l.at( i ).top() * scale_p <= top_l + rows_cl )
                paintPiece( layout_cp.pieces().at( i ), painter_l );
    }
    return image_l;
}

bool BracketPainter::writePng( const QImage& image_cp, const QString& title_cp, QIODevice* device_p )
{
    QImageWriter writer_l( device_p, "png" );
    writer_l.setQuality( PNG_QUALITY );
    writer_l.setText( QStringLiteral( "Title" ), title_cp );
    return writer_l.write( image_cp );
}

bool BracketPainter::writePdf( const BracketLayout& layout_cp, const Page& page_cp, QIODevice* device_p )
{
    QPdfWriter writer_l( device_p );
    writer_l.setTitle( layout_cp.title() );
    writer_l.setCreator( QStringLiteral( "Sortivane" ) );
    writer_l.setResolution( LAYOUT_DPI );
    const QSizeF natural_cl = layout_cp.size() * 72.0 / LAYOUT_DPI;
    if( page_cp.natural_m )
    {
        const double shrink_cl = std::min( 1.0, MAX_PAGE_POINTS / std::max( natural_cl.width(), natural_cl.height() ) );
        writer_l.setPageLayout(
            QPageLayout( QPageSize( natural_cl * shrink_cl, QPageSize::Point, QString(), QPageSize::ExactMatch ),
                         QPageLayout::Portrait, QMarginsF() ) );
    }
    else
        writer_l.setPageLayout( QPageLayout( QPageSize( page_cp.size_m ),
                                             page_cp.landscape_m ? QPageLayout::Landscape : QPageLayout::Portrait,
                                             QMarginsF( 10, 10, 10, 10 ), QPageLayout::Millimeter ) );
    QPainter painter_l;
    if( !painter_l.begin( &writer_l ) )
        return false;
    const QRectF room_cl = writer_l.pageLayout().paintRectPixels( LAYOUT_DPI );
    const double scale_cl =
        std::min( room_cl.width() / layout_cp.size().width(), room_cl.height() / layout_cp.size().height() );
    // Centred across the page and at its top, as a printed page reads; the
    // painter starts at the paint rectangle's corner.
    painter_l.translate( ( room_cl.width() - layout_cp.size().width() * scale_cl ) / 2, 0 );
    painter_l.scale( scale_cl, scale_cl );
    paint( layout_cp, painter_l );
    return painter_l.end();
}
