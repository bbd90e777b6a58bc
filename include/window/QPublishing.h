#ifndef SORTIVANE_QPUBLISHING_H
#define SORTIVANE_QPUBLISHING_H

#include <QObject>

class BracketLayout;
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
    QPublishing( QMenu* menu_p, QWidget* window_p );

    // The bracket on the printer's pages: scaled to one page, or at its own
    // size in tiles that overlap and are marked with their place.
    static void print( const BracketLayout& layout_cp, QPrinter& printer_rp, bool tiled_p );
    // The title the published bracket carries: the file's name, or
    // "Чемпионат" for a championship not saved yet.
    static QString title();

private slots:
    void slotPublish();
    void slotPrint();

private:
    QWidget* window_m;
};

#endif
