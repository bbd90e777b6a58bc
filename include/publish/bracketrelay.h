#ifndef SORTIVANE_BRACKETRELAY_H
#define SORTIVANE_BRACKETRELAY_H

#include "bracketlayout.h"

// Lays out again, on a kept layout, only what one result changed: the
// game, its winner waiting for the next draw and the line between them
// (with the next column's frame of a round ahead, for the round's first
// winner), or the final and the champion. Anything else it declines, and
// the whole bracket is laid out again.
class BracketRelay
{
public:
    using Piece = BracketLayout::Piece;

    // Pieces replaced go to gone_rp as they were and to come_rp as they
    // are; new pieces are added at the end of both the layout and come_rp.
    BracketRelay( BracketLayout& layout_rp, const Championship& champ_cp, QVector< Piece >& gone_rp,
                  QVector< Piece >& come_rp );

    // The result of game game_p of round round_p; false, with nothing
    // changed, when it moves more than its own pieces.
    bool result( int round_p, int game_p );

private:
    // A new champion in a column as wide as the old one's.
    bool champion( int node_p );
    void replace( int index_p, const Piece& piece_cp );
    int gameNode( int round_p, int game_p ) const;
    int pieceIndex( Piece::Kind kind_p, int round_p, int game_p, const PlayerRef& player_p = PlayerRef() ) const;

    BracketLayout& layout_m;
    const Championship& champ_m;
    QVector< Piece >& gone_m;
    QVector< Piece >& come_m;
};

#endif
