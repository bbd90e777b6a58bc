#include "bracketrelay.h"

#include "bracketgeometry.h"

#include <algorithm>

using namespace bracketgeometry;

BracketRelay::BracketRelay( BracketLayout& layout_rp, const Championship& champ_cp, QVector< Piece >& gone_rp,
                            QVector< Piece >& come_rp )
    : layout_m( layout_rp ), champ_m( champ_cp ), gone_m( gone_rp ), come_m( come_rp )
{
}

bool BracketRelay::result( int round_p, int game_p )
{
    const QVector< Round >& rounds_crl = champ_m.rounds();
    const int node_cl = gameNode( round_p, game_p );
    if( node_cl >= 0 && round_p + 1 == rounds_crl.size() )
        return champion( node_cl );
    if( node_cl < 0 || round_p + 1 >= rounds_crl.size() || !rounds_crl.at( round_p + 1 ).games_m.isEmpty() )
        return false;
    const int next_cl = round_p + 1;
    const Game& game_crl = rounds_crl.at( round_p ).games_m.at( game_p );
    const int oldNode_cl = layout_m.nodes_m.at( node_cl ).parent_m;
    if( oldNode_cl >= 0 && layout_m.nodes_m.at( oldNode_cl ).game_m >= 0 )
        return false;
    const bool decided_cl = UNKNOWN != game_crl.result_m;
    const PlayerRef oldWinner_cl = oldNode_cl >= 0 ? layout_m.nodes_m.at( oldNode_cl ).player_m : PlayerRef();
    const RoundPlayers& pool_crl = rounds_crl.at( next_cl ).players_m;
    const auto inPool_cl = [ &pool_crl ]( const PlayerRef& player_cp )
    { return pool_crl.value( player_cp.groupId() ).contains( player_cp.playerId() ); };

    // The pool the bracket shows must be the championship's, but for this
    // one game's winner: anything else is a change of another kind.
    int shown_l = 0;
    for( int n = 0; n < layout_m.nodes_m.size(); ++n )
        if( layout_m.nodes_m.at( n ).round_m == next_cl && layout_m.nodes_m.at( n ).game_m < 0 )
        {
            ++shown_l;
            if( n != oldNode_cl && decided_cl && layout_m.nodes_m.at( n ).player_m == game_crl.winner() )
                return false;
        }
    const int pool_cl = rounds_crl.at( next_cl ).playersAmount();
    if( pool_cl != shown_l - ( oldNode_cl >= 0 ? 1 : 0 ) + ( decided_cl ? 1 : 0 ) || 0 == pool_cl
        || ( decided_cl && !inPool_cl( game_crl.winner() ) )
        || ( oldNode_cl >= 0 && !( decided_cl && oldWinner_cl == game_crl.winner() ) && inPool_cl( oldWinner_cl ) ) )
        return false;
    // The next column keeps its width unless its widest name goes or a wider
    // one comes.
    const double column_cl = layout_m.columnWidths_m.at( next_cl );
    if( ( decided_cl && BracketLayout::qualifiedWidth( champ_m, game_crl.winner() ) > column_cl )
        || ( oldNode_cl >= 0 && column_cl > BOX_WIDTH
             && BracketLayout::qualifiedWidth( champ_m, oldWinner_cl ) >= column_cl ) )
        return false;
    const int gamePiece_cl = pieceIndex( Piece::Game, round_p, game_p );
    const int qualified_cl = oldNode_cl >= 0 ? pieceIndex( Piece::Qualified, next_cl, -1, oldWinner_cl ) : -1;
    const int link_cl = oldNode_cl >= 0 ? pieceIndex( Piece::Connector, round_p, game_p ) : -1;
    // The round's first winner: the next column stops being a round ahead.
    const int nextColumn_cl = 0 == shown_l ? pieceIndex( Piece::Column, next_cl, -1 ) : -1;
    if( gamePiece_cl < 0 || ( oldNode_cl >= 0 && ( qualified_cl < 0 || link_cl < 0 ) )
        || ( 0 == shown_l && nextColumn_cl < 0 ) )
        return false;

    replace( gamePiece_cl, layout_m.gamePiece( champ_m, layout_m.nodes_m.at( node_cl ) ) );
    if( nextColumn_cl >= 0 )
    {
        Piece column_l = layout_m.pieces_m.at( nextColumn_cl );
        column_l.shapes_m.erase( std::remove_if( column_l.shapes_m.begin(), column_l.shapes_m.end(),
                                                 []( const BracketLayout::Shape& shape_cp )
                                                 { return BracketLayout::FutureColumn == shape_cp.role_m; } ),
                                 column_l.shapes_m.end() );
        replace( nextColumn_cl, column_l );
    }
    if( oldNode_cl >= 0 )
    {
        // The old winner's box; the line to it stays while a winner is there.
        if( decided_cl )
        {
            layout_m.nodes_m[ oldNode_cl ].player_m = game_crl.winner();
            replace( qualified_cl, layout_m.qualifiedPiece( champ_m, layout_m.nodes_m.at( oldNode_cl ) ) );
            return true;
        }
        gone_m.append( layout_m.pieces_m.at( qualified_cl ) );
        gone_m.append( layout_m.pieces_m.at( link_cl ) );
        layout_m.pieces_m.remove( std::max( qualified_cl, link_cl ) );
        layout_m.pieces_m.remove( std::min( qualified_cl, link_cl ) );
        // Out of the bracket: no round, no game.
        layout_m.nodes_m[ oldNode_cl ] = BracketLayout::Node { -1, -1, {}, { -1, -1 }, { false, false }, -1, 0 };
        layout_m.nodes_m[ node_cl ].parent_m = -1;
        return true;
    }
    BracketLayout::Node winner_l;
    winner_l.round_m = next_cl;
    winner_l.player_m = game_crl.winner();
    winner_l.from_m[ 0 ] = node_cl;
    winner_l.y_m = layout_m.nodes_m.at( node_cl ).y_m;
    layout_m.nodes_m[ node_cl ].parent_m = layout_m.nodes_m.size();
    layout_m.nodes_m.append( winner_l );
    layout_m.pieces_m.append( layout_m.linkPiece( winner_l, 0 ) );
    layout_m.pieces_m.append( layout_m.qualifiedPiece( champ_m, winner_l ) );
    come_m << layout_m.pieces_m.at( layout_m.pieces_m.size() - 2 ) << layout_m.pieces_m.last();
    return true;
}

// A new champion in a column as wide as the old one's: the final's box and
// the champion's change, nothing else. A first champion adds the column.
bool BracketRelay::champion( int node_p )
{
    const BracketLayout::Node& final_crl = layout_m.nodes_m.at( node_p );
    const Game& game_crl = champ_m.rounds().at( final_crl.round_m ).games_m.at( final_crl.game_m );
    const int gamePiece_cl = pieceIndex( Piece::Game, final_crl.round_m, final_crl.game_m );
    const int champion_cl = pieceIndex( Piece::Champion, final_crl.round_m, final_crl.game_m );
    const int heading_cl = pieceIndex( Piece::Heading, -1, -1 );
    const int title_cl = pieceIndex( Piece::Column, -1, -1 );
    if( 1 != champ_m.rounds().last().denominator() || 1 != champ_m.rounds().last().games_m.size()
        || UNKNOWN == game_crl.result_m || gamePiece_cl < 0 || champion_cl < 0 || heading_cl < 0 || title_cl < 0
        || layout_m.columnWidths_m.size() != champ_m.rounds().size() + 1 )
        return false;
    replace( gamePiece_cl, layout_m.gamePiece( champ_m, final_crl ) );
    // The champion's column is the last: a wider or narrower one widens or
    // narrows the bracket and moves only its own title.
    const double width_cl = BracketLayout::championWidth( champ_m, game_crl.winner() );
    if( width_cl != layout_m.columnWidths_m.last() )
    {
        layout_m.columnWidths_m.last() = width_cl;
        const double top_cl = MARGIN + HEADING_HEIGHT;
        replace( title_cl, layout_m.columnTitle( champ_m, layout_m.columnWidths_m.size() - 1, top_cl,
                                                 layout_m.size_m.height() - MARGIN ) );
        replace( heading_cl, layout_m.heading( layout_m.bracketWidth() ) );
        layout_m.size_m.setWidth( layout_m.bracketWidth() + 2 * MARGIN );
    }
    replace( champion_cl, layout_m.championPiece( champ_m, final_crl ) );
    return true;
}

void BracketRelay::replace( int index_p, const Piece& piece_cp )
{
    gone_m.append( layout_m.pieces_m.at( index_p ) );
    layout_m.pieces_m[ index_p ] = piece_cp;
    come_m.append( piece_cp );
}

int BracketRelay::gameNode( int round_p, int game_p ) const
{
    const int first_cl = layout_m.firstGameNode_m.value( round_p, -1 );
    const int node_cl = first_cl + game_p;
    return first_cl >= 0 && game_p >= 0 && node_cl < layout_m.nodes_m.size()
                   && layout_m.nodes_m.at( node_cl ).round_m == round_p
                   && layout_m.nodes_m.at( node_cl ).game_m == game_p
               ? node_cl
               : -1;
}

int BracketRelay::pieceIndex( Piece::Kind kind_p, int round_p, int game_p, const PlayerRef& player_p ) const
{
    for( int i = 0; i < layout_m.pieces_m.size(); ++i )
    {
        const Piece& piece_crl = layout_m.pieces_m.at( i );
        if( piece_crl.kind_m == kind_p && piece_crl.round_m == round_p && piece_crl.game_m == game_p
            && ( Piece::Qualified != kind_p || piece_crl.players_m.value( 0 ) == player_p ) )
            return i;
    }
    return -1;
}
