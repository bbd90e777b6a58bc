#ifndef SORTIVANE_QBRACKETTREESCENE_H
#define SORTIVANE_QBRACKETTREESCENE_H

#include "bracketlayout.h"

#include <QGraphicsScene>
#include <QHash>

#include <memory>

class QGraphicsItem;

// "Сетка": the bracket as it is published, rounds as columns and a line
// from each game to the game its winner played next, drawn from the same
// layout as sortivane-export, one item a piece. A click on a game of the
// current round records its winner, as in the diagram.
class QBracketTreeScene : public QGraphicsScene
{
    Q_OBJECT

public:
    explicit QBracketTreeScene( QObject* parent_p );

    // Lays the bracket out anew; only the pieces that look different are
    // replaced, so a result redraws the boxes and lines it touches.
    void update();
    // After a result in game gameId_p of the current round: only the game,
    // its winner's box in the next column and the line between them are
    // laid out and replaced, unless the result moves more.
    void showResult( int gameId_p );
    // Pieces replaced by the last update, for whoever measures it.
    int replacedPieces() const { return replaced_m; }

private:
    static QString title();
    // Every item stands under a key of its own: the piece's key, with as
    // many '#' as items already shown under it.
    void addPiece( const BracketLayout::Piece& piece_cp );
    QString freeKey( QString key_p ) const;
    // The key of the item that shows piece_cp.
    QString keyOfShown( const BracketLayout::Piece& piece_cp ) const;

    std::unique_ptr< BracketLayout > layout_m;
    QHash< QString, QGraphicsItem* > items_m;
    int replaced_m = 0;
};

#endif
