#ifndef SORTIVANE_BRACKETPAINTER_H
#define SORTIVANE_BRACKETPAINTER_H

#include <QPageSize>
#include <QString>

#include "bracketlayout.h"

class QImage;
class QIODevice;
class QPainter;

// Draws a bracket layout with QPainter: anti-aliased PNG pictures and
// vector PDF pages.
class BracketPainter
{
public:
    // A page of a standard size, scaled to fit; or, with natural_m, a page
    // as large as the bracket itself.
    struct Page
    {
        QPageSize::PageSizeId size_m = QPageSize::A4;
        bool natural_m = false;
        bool landscape_m = true;
    };
    // The largest PNG drawn, 2 GiB in memory; few viewers open even that.
    static constexpr qint64 MAX_PIXELS = qint64( 512 ) * 1024 * 1024;
    // PDF pages are at most 200 inches on a side.
    static constexpr double MAX_PAGE_POINTS = 200 * 72;

    // Draws in the layout's own units, pixels at 96 dpi.
    static void paint( const BracketLayout& layout_cp, QPainter& painter_rp );
    // One piece of it, as the window's tree view draws each on its own;
    // without its texts where they would be too small to read.
    static void paintPiece( const BracketLayout::Piece& piece_cp, QPainter& painter_rp, bool texts_p = true );
    // The picture at scale_p (1: 96 dpi), anti-aliased; a null image beyond
    // MAX_PIXELS or the memory at hand.
    static QImage image( const BracketLayout& layout_cp, double scale_p );
    static bool writePng( const QImage& image_cp, const QString& title_cp, QIODevice* device_p );
    static bool writePdf( const BracketLayout& layout_cp, const Page& page_cp, QIODevice* device_p );
};

#endif
