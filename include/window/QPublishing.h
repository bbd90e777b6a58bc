#ifndef SORTIVANE_QPUBLISHING_H
#define SORTIVANE_QPUBLISHING_H

#include <QObject>
#include <QRectF>
#include <QVector>

class BracketLayout;
class QFileDialog;
class QLineEdit;
class QMenu;
class QPrinter;
class QWidget;

// "Опубликовать …" and "Печать …": the bracket as sortivane-export draws
// it, written to a file of the organiser's choice or printed, from the
// window and of the championship on screen, saved or not.
class QPublishing : public QObject
{
    Q_OBJECT

public:
    // Layout pixels are 1/96 inch; neighbouring tiles share this much.
    static constexpr double TILE_OVERLAP = 24;

    QPublishing( QMenu* menu_p, QWidget* window_p );

    // The bracket on the printer's pages: scaled to the printable area of
    // one page and centred on it, or at its own size in tiles that overlap
    // and are marked with their place.
    static void print( const BracketLayout& layout_cp, QPrinter& printer_rp, bool tiled_p );
    // Where each tile of size tile_cp starts in a bracket of size size_cp,
    // row by row: the page order of a tiled print.
    static QVector< QVector< QPointF > > tileOrigins( const QSizeF& size_cp, const QSizeF& tile_cp );
    // Where the bracket stands on a page of size page_cp when fitted to it.
    static QRectF fittedPlace( const QSizeF& size_cp, const QSizeF& page_cp );
    // The title the published bracket carries: the file's name, or
    // "Чемпионат" for a championship not saved yet.
    static QString title();

private slots:
    void slotPublish();
    void slotPrint();

private:
    // The publish dialog's folder at first.
    static QString startFolder();
    // "Заголовок": the title of the published bracket, the window's form
    // of sortivane-export's --title.
    static QLineEdit* addTitleField( QFileDialog& dialog_rp );

    QWidget* window_m;
};

#endif
