#include "bracketlayout.h"

#include "bracketgeometry.h"
#include "bracketrelay.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QHash>
#include <QSet>

#include <algorithm>

using namespace bracketgeometry;

namespace
{
quint64 key( const PlayerRef& player_cp )
{
    return ( quint64( quint32( player_cp.groupId() ) ) << 32 ) | quint32( player_cp.playerId() );
}

// The width a text of the role takes in a layout, with the allowance that
// keeps it inside its box in every output format.
double needed( BracketLayout::Role role_p, const QString& text_cp )
{
    return BracketLayout::advance( role_p, text_cp ) / FONT_ALLOWANCE;
}

// Where a text line of the role's font sits in a band starting at top_p.
double baseline( BracketLayout::Role role_p, double top_p, double height_p )
{
    const BracketLayout::LineMetrics& metrics_cl = BracketLayout::lineMetrics( role_p );
    return top_p + ( height_p - metrics_cl.height_m ) / 2 + metrics_cl.ascent_m;
}
}

double BracketLayout::Shape::textLeft() const
{
    const double width_cl = advance( role_m, text_m );
    if( align_m & Qt::AlignRight )
        return anchor_m.x() - width_cl;
    if( align_m & Qt::AlignHCenter )
        return anchor_m.x() - width_cl / 2;
    return anchor_m.x();
}

QRectF BracketLayout::Shape::bounds() const
{
    switch( kind_m )
    {
    case Box:
        return rect_m.adjusted( -2, -2, 2, 2 );
    case Text:
    {
        const LineMetrics& metrics_cl = lineMetrics( role_m );
        return QRectF( textLeft(), anchor_m.y() - metrics_cl.ascent_m, advance( role_m, text_m ), metrics_cl.height_m );
    }
    default:
        return points_m.boundingRect().adjusted( -2, -2, 2, 2 );
    }
}

bool BracketLayout::Shape::operator==( const Shape& other_cp ) const
{
    return kind_m == other_cp.kind_m && role_m == other_cp.role_m && rect_m == other_cp.rect_m
           && points_m == other_cp.points_m && anchor_m == other_cp.anchor_m && align_m == other_cp.align_m
           && text_m == other_cp.text_m && fullText_m == other_cp.fullText_m;
}

QRectF BracketLayout::Piece::bounds() const
{
    QRectF bounds_l;
    for( const Shape& shape_crl : shapes_m )
        bounds_l |= shape_crl.bounds();
    return bounds_l;
}

BracketLayout::BracketLayout( const Championship& champ_cp, const QString& title_cp ) : title_m( title_cp )
{
    const double top_cl = MARGIN + HEADING_HEIGHT;
    if( champ_cp.rounds().isEmpty() )
        layOutGroups( champ_cp, top_cl );
    else
        layOutBracket( champ_cp, top_cl );
}

const BracketLayout::Style& BracketLayout::style( Role role_p )
{
    static const Style styles_scl[ RoleCount ] = {
        { "title", 22, true, false, QColor( 0x1a, 0x1a, 0x1a ), QColor(), 0, false },
        { "note", 13, false, true, QColor( 0x55, 0x55, 0x55 ), QColor(), 0, false },
        { "column-title", 13, true, false, QColor( 0x33, 0x33, 0x33 ), QColor(), 0, false },
        { "future-column", 0, false, false, QColor( 0xb0, 0xb0, 0xb0 ), QColor(), 1, true },
        { "game-box", 0, false, false, QColor( 0x4d, 0x4d, 0x4d ), QColor( 0xff, 0xff, 0xff ), 1, false },
        { "qualified-box", 0, false, false, QColor( 0x80, 0x80, 0x80 ), QColor( 0xfa, 0xfa, 0xf4 ), 1, true },
        { "champion-box", 0, false, false, QColor( 0xa0, 0x78, 0x00 ), QColor( 0xff, 0xf4, 0xc2 ), 2, false },
        { "game-title", 10, false, false, QColor( 0x66, 0x66, 0x66 ), QColor(), 0, false },
        { "name", 12, false, false, QColor( 0x1a, 0x1a, 0x1a ), QColor(), 0, false },
        { "winner", 12, true, false, QColor( 0x00, 0x00, 0x00 ), QColor(), 0, false },
        { "loser", 12, false, false, QColor( 0x9a, 0x9a, 0x9a ), QColor(), 0, false },
        { "nation", 10, false, false, QColor( 0x55, 0x55, 0x55 ), QColor(), 0, false },
        { "loser-nation", 10, false, false, QColor( 0xb0, 0xb0, 0xb0 ), QColor(), 0, false },
        { "winner-mark", 0, false, false, QColor(), QColor( 0x2e, 0x7d, 0x32 ), 0, false },
        { "bye", 9, false, true, QColor( 0x7a, 0x5c, 0x00 ), QColor(), 0, false },
        { "champion-name", 15, true, false, QColor( 0x00, 0x00, 0x00 ), QColor(), 0, false },
        { "group-title", 13, true, false, QColor( 0x33, 0x33, 0x33 ), QColor(), 0, false },
        { "link", 0, false, false, QColor( 0x6b, 0x6b, 0x6b ), QColor(), 1.2, false },
    };
    return styles_scl[ role_p ];
}

// Resources of a static library are registered by hand.
void BracketLayout::addFonts()
{
    static const bool added_scl = []
    {
        Q_INIT_RESOURCE( publishfonts );
        for( const char* const file_cl : { ":/fonts/DejaVuSans.ttf", ":/fonts/DejaVuSans-Bold.ttf" } )
            QFontDatabase::addApplicationFont( QString::fromLatin1( file_cl ) );
        return true;
    }();
    Q_UNUSED( added_scl );
}

QFont BracketLayout::font( Role role_p )
{
    addFonts();
    const Style& style_crl = style( role_p );
    QFont font_l( QStringLiteral( "DejaVu Sans" ) );
    font_l.setPixelSize( std::max( 1, style_crl.pixelSize_m ) );
    font_l.setBold( style_crl.bold_m );
    font_l.setItalic( style_crl.italic_m );
    return font_l;
}

const BracketLayout::LineMetrics& BracketLayout::lineMetrics( Role role_p )
{
    thread_local const QVector< LineMetrics > metrics_stl = []
    {
        QVector< LineMetrics > metrics_l;
        for( int role_l = 0; role_l < RoleCount; ++role_l )
        {
            const QFontMetricsF metrics_cl( font( Role( role_l ) ) );
            metrics_l.append( LineMetrics { metrics_cl.ascent(), metrics_cl.height() } );
        }
        return metrics_l;
    }();
    return metrics_stl.at( role_p );
}

double BracketLayout::advance( Role role_p, const QString& text_cp )
{
    // Twice the texts of the largest bracket; a long session of ever new
    // names starts the cache afresh instead of growing it without end.
    static constexpr int CACHE_LIMIT = 1 << 18;
    thread_local QHash< QString, double > widths_stl[ RoleCount ];
    thread_local int cached_stl = 0;
    QHash< QString, double >& widths_rl = widths_stl[ role_p ];
    const auto found_cl = widths_rl.constFind( text_cp );
    if( found_cl != widths_rl.cend() )
        return found_cl.value();
    if( ++cached_stl > CACHE_LIMIT )
    {
        for( QHash< QString, double >& role_rl : widths_stl )
            role_rl.clear();
        cached_stl = 1;
    }
    return *widths_rl.insert( text_cp, QFontMetricsF( font( role_p ) ).horizontalAdvance( text_cp ) );
}

void BracketLayout::layOutGroups( const Championship& champ_cp, double top_p )
{
    static const QString notDrawn_scl = QStringLiteral( "Жеребьевка еще не проводилась." );
    static const QString noPlayers_scl = QStringLiteral( "нет игроков" );
    Piece note_l { Piece::Heading, -1, -1, {}, {} };
    note_l.shapes_m.append(
        text( Note, notDrawn_scl, QPointF( MARGIN, baseline( Note, top_p, NOTE_HEIGHT ) ), 2 * BOX_WIDTH ) );
    pieces_m.append( note_l );

    const double listTop_cl = top_p + NOTE_HEIGHT + 8;
    double bottom_l = listTop_cl + COLUMN_TITLE_HEIGHT + LIST_ROW_HEIGHT;
    int column_l = 0;
    const PlayersGroups& groups_crl = champ_cp.players();
    for( auto group_it = groups_crl.cbegin(); group_it != groups_crl.cend(); ++group_it, ++column_l )
    {
        Piece group_l { Piece::Group, -1, -1, {}, {} };
        const double x_cl = columnX( column_l );
        group_l.shapes_m.append( text( GroupTitle, champ_cp.groupsNames().value( group_it.key() ),
                                       QPointF( x_cl, baseline( GroupTitle, listTop_cl, COLUMN_TITLE_HEIGHT ) ),
                                       BOX_WIDTH ) );
        double rowTop_l = listTop_cl + COLUMN_TITLE_HEIGHT;
        for( auto player_it = group_it.value().cbegin(); player_it != group_it.value().cend(); ++player_it )
        {
            const PlayerRef player_cl( group_it.key(), player_it.key() );
            group_l.players_m.append( player_cl );
            group_l.shapes_m.append( text( Name, champ_cp.playerText( player_cl ),
                                           QPointF( x_cl, baseline( Name, rowTop_l, LIST_ROW_HEIGHT ) ), BOX_WIDTH ) );
            rowTop_l += LIST_ROW_HEIGHT;
        }
        if( group_it.value().isEmpty() )
            group_l.shapes_m.append(
                text( Note, noPlayers_scl, QPointF( x_cl, baseline( Note, rowTop_l, LIST_ROW_HEIGHT ) ), BOX_WIDTH ) );
        bottom_l = std::max( bottom_l, rowTop_l + LIST_ROW_HEIGHT );
        pieces_m.append( group_l );
    }
    const double width_cl = std::max( 2.0, double( column_l ) ) * PITCH - COLUMN_GAP;
    pieces_m.prepend( heading( width_cl ) );
    size_m = QSizeF( width_cl + 2 * MARGIN, bottom_l + MARGIN );
}

double BracketLayout::columnX( int column_p ) const
{
    double x_l = MARGIN;
    for( int i = 0; i < column_p; ++i )
        x_l += boxWidth( i ) + COLUMN_GAP;
    return x_l;
}

double BracketLayout::boxWidth( int column_p ) const
{
    return columnWidths_m.value( column_p, BOX_WIDTH );
}

void BracketLayout::measureColumns( const Championship& champ_cp, const QVector< Node >& nodes_cp, const Node* final_p )
{
    const QVector< Round >& rounds_crl = champ_cp.rounds();
    columnWidths_m.fill( BOX_WIDTH, rounds_crl.size() );
    for( const Node& node_crl : nodes_cp )
    {
        double width_l = BOX_WIDTH;
        if( node_crl.game_m < 0 )
            width_l = qualifiedWidth( champ_cp, node_crl.player_m );
        else
        {
            const Game& game_crl = rounds_crl.at( node_crl.round_m ).games_m.at( node_crl.game_m );
            for( const int side_l : { 0, 1 } )
                width_l = std::max(
                    width_l,
                    27 + needed( WinnerName, champ_cp.playerText( side_l ? game_crl.outsider_m : game_crl.favorite_m ) )
                        + needed( Nation, champ_cp.nationName( side_l ? game_crl.outsiderNation_m
                                                                      : game_crl.favoriteNation_m ) ) );
        }
        double& column_r = columnWidths_m[ node_crl.round_m ];
        column_r = std::max( column_r, std::min( width_l, MAX_BOX_WIDTH ) );
    }
    if( final_p )
    {
        const Game& final_crl = rounds_crl.at( final_p->round_m ).games_m.at( final_p->game_m );
        columnWidths_m.append( championWidth( champ_cp, final_crl.winner() ) );
    }
}

double BracketLayout::championWidth( const Championship& champ_cp, const PlayerRef& champion_cp )
{
    return std::max( BOX_WIDTH, 16 + needed( ChampionName, champ_cp.playerText( champion_cp ) ) );
}

double BracketLayout::qualifiedWidth( const Championship& champ_cp, const PlayerRef& player_cp )
{
    return std::min( 22 + needed( WinnerName, champ_cp.playerText( player_cp ) ), MAX_BOX_WIDTH );
}

// "[clan]nickname" as wide as room_p allows: the clan is cut first, and only
// a nickname too wide on its own is cut, at its end.
BracketLayout::Shape BracketLayout::playerText( Role role_p, const Championship& champ_cp, const PlayerRef& player_cp,
                                                const QPointF& anchor_cp, double room_p )
{
    const QString full_cl = champ_cp.playerText( player_cp );
    Shape shape_l = text( role_p, full_cl, anchor_cp, room_p );
    const Player player_cl = champ_cp.players().value( player_cp.groupId() ).value( player_cp.playerId() );
    if( shape_l.fullText_m.isEmpty() || player_cl.clanName_m.isEmpty() )
        return shape_l;
    const QFontMetricsF metrics_cl( font( role_p ) );
    const double left_cl = room_p * FONT_ALLOWANCE - advance( role_p, QStringLiteral( "[]" ) + player_cl.nickname_m );
    const QString clan_cl = metrics_cl.elidedText( player_cl.clanName_m, Qt::ElideRight, left_cl );
    shape_l.text_m = left_cl > metrics_cl.horizontalAdvance( QStringLiteral( "…" ) ) && !clan_cl.isEmpty()
                         ? QStringLiteral( "[%1]%2" ).arg( clan_cl, player_cl.nickname_m )
                         : metrics_cl.elidedText( player_cl.nickname_m, Qt::ElideRight, room_p * FONT_ALLOWANCE );
    return shape_l;
}

void BracketLayout::layOutBracket( const Championship& champ_cp, double top_p )
{
    nodes_m = collectNodes( champ_cp );
    QVector< Node >& nodes_l = nodes_m;
    firstGameNode_m.fill( -1, champ_cp.rounds().size() );
    for( int n = 0; n < nodes_l.size(); ++n )
        if( 0 == nodes_l.at( n ).game_m )
            firstGameNode_m[ nodes_l.at( n ).round_m ] = n;
    linkRounds( champ_cp, nodes_l );
    const double bracketTop_cl = top_p + COLUMN_TITLE_HEIGHT + 8;
    double bottom_l = std::max( placeNodes( nodes_l, bracketTop_cl ), bracketTop_cl + SLOT );

    // The champion: the winner of the final's one game.
    const QVector< Round >& rounds_crl = champ_cp.rounds();
    const Node* final_l = nullptr;
    if( 1 == rounds_crl.last().denominator() && 1 == rounds_crl.last().games_m.size()
        && UNKNOWN != rounds_crl.last().games_m.first().result_m )
        final_l = &*std::find_if( nodes_l.cbegin(), nodes_l.cend(),
                                  [ &rounds_crl ]( const Node& node_cp )
                                  { return node_cp.round_m == rounds_crl.size() - 1 && 0 == node_cp.game_m; } );
    if( final_l )
        bottom_l = std::max( bottom_l, final_l->y_m + CHAMPION_HEIGHT / 2 + 4 );

    measureColumns( champ_cp, nodes_l, final_l );
    const double width_cl = bracketWidth();
    addColumnTitles( champ_cp, top_p, bottom_l, final_l );
    addLinks( nodes_l );
    if( final_l )
        addLink( QPolygonF( QVector< QPointF > {
                     QPointF( columnX( final_l->round_m ) + boxWidth( final_l->round_m ), final_l->y_m ),
                     QPointF( columnX( rounds_crl.size() ), final_l->y_m ) } ),
                 final_l->round_m, final_l->game_m );
    for( const Node& node_crl : nodes_l )
        pieces_m.append( node_crl.game_m >= 0 ? gamePiece( champ_cp, node_crl )
                                              : qualifiedPiece( champ_cp, node_crl ) );
    if( final_l )
        pieces_m.append( championPiece( champ_cp, *final_l ) );
    pieces_m.prepend( heading( width_cl ) );
    size_m = QSizeF( width_cl + 2 * MARGIN, bottom_l + MARGIN );
}

bool BracketLayout::relayResult( const Championship& champ_cp, int round_p, int game_p, QVector< Piece >& gone_rp,
                                 QVector< Piece >& come_rp )
{
    return BracketRelay( *this, champ_cp, gone_rp, come_rp ).result( round_p, game_p );
}

// Every drawn game, and every player waiting for the draw of a round.
QVector< BracketLayout::Node > BracketLayout::collectNodes( const Championship& champ_cp )
{
    QVector< Node > nodes_l;
    const QVector< Round >& rounds_crl = champ_cp.rounds();
    for( int r = 0; r < rounds_crl.size(); ++r )
    {
        const Round& round_crl = rounds_crl.at( r );
        for( int g = 0; g < round_crl.games_m.size(); ++g )
        {
            Node node_l;
            node_l.round_m = r;
            node_l.game_m = g;
            nodes_l.append( node_l );
        }
        // A pool counts only while its round waits for the draw.
        if( !round_crl.games_m.isEmpty() )
            continue;
        for( auto group_it = round_crl.players_m.cbegin(); group_it != round_crl.players_m.cend(); ++group_it )
            for( const int id_cl : group_it.value() )
            {
                Node node_l;
                node_l.round_m = r;
                node_l.player_m = PlayerRef( group_it.key(), id_cl );
                nodes_l.append( node_l );
            }
    }
    return nodes_l;
}

// A side is linked to the game of the round before that it won; a game
// feeds one later node at most. A side that played no first-round game in a
// second round that follows a drawn first round had a bye.
void BracketLayout::linkRounds( const Championship& champ_cp, QVector< Node >& nodes_rp ) const
{
    const QVector< Round >& rounds_crl = champ_cp.rounds();
    QVector< QHash< quint64, int > > winners_l( rounds_crl.size() );
    QSet< quint64 > playedFirst_l;
    for( int n = 0; n < nodes_rp.size(); ++n )
    {
        const Node& node_crl = nodes_rp.at( n );
        if( node_crl.game_m < 0 )
            continue;
        const Game& game_crl = rounds_crl.at( node_crl.round_m ).games_m.at( node_crl.game_m );
        if( UNKNOWN != game_crl.result_m && !winners_l.at( node_crl.round_m ).contains( key( game_crl.winner() ) ) )
            winners_l[ node_crl.round_m ].insert( key( game_crl.winner() ), n );
        if( 0 == node_crl.round_m )
            playedFirst_l << key( game_crl.favorite_m ) << key( game_crl.outsider_m );
    }
    const bool firstDrawn_cl = !rounds_crl.first().games_m.isEmpty();
    for( int n = 0; n < nodes_rp.size(); ++n )
    {
        Node& node_r = nodes_rp[ n ];
        if( 0 == node_r.round_m )
            continue;
        QVector< PlayerRef > sides_l;
        if( node_r.game_m < 0 )
            sides_l << node_r.player_m;
        else
        {
            const Game& game_crl = rounds_crl.at( node_r.round_m ).games_m.at( node_r.game_m );
            sides_l << game_crl.favorite_m << game_crl.outsider_m;
        }
        for( int side_l = 0; side_l < sides_l.size(); ++side_l )
        {
            const quint64 key_cl = key( sides_l.at( side_l ) );
            const int from_cl = winners_l.at( node_r.round_m - 1 ).value( key_cl, -1 );
            if( from_cl >= 0 && nodes_rp.at( from_cl ).parent_m < 0 )
            {
                node_r.from_m[ side_l ] = from_cl;
                nodes_rp[ from_cl ].parent_m = n;
            }
            else
                node_r.bye_m[ side_l ] = 1 == node_r.round_m && firstDrawn_cl && !playedFirst_l.contains( key_cl );
        }
    }
}

// The draw pairs each round at random, so game g of a round does not feed
// game g of the next. But each side of a drawn game came from one game of
// the round before (or a bye): the drawn rounds form a tree whose root is a
// game of the latest drawn round. Placing the games depth first from those
// roots, each game halfway between the two it came from, orders every column
// so that no two lines cross. Games no later game came from (only a file
// written by hand has them) start trees of their own below. Returns the
// bottom of what was placed.
double BracketLayout::placeNodes( QVector< Node >& nodes_rp, double top_p ) const
{
    // A qualified player only follows its game: the game stays a root.
    const auto isRoot_cl = [ &nodes_rp ]( int node_p )
    {
        const int parent_cl = nodes_rp.at( node_p ).parent_m;
        return parent_cl < 0 || nodes_rp.at( parent_cl ).game_m < 0;
    };
    int rounds_l = 0;
    for( const Node& node_crl : nodes_rp )
        rounds_l = std::max( rounds_l, node_crl.round_m + 1 );
    double cursor_l = top_p;
    for( int r = rounds_l - 1; r >= 0; --r )
        for( int n = 0; n < nodes_rp.size(); ++n )
            if( nodes_rp.at( n ).round_m == r && nodes_rp.at( n ).game_m >= 0 && isRoot_cl( n ) )
                place( nodes_rp, n, cursor_l );
    for( Node& node_r : nodes_rp )
    {
        if( node_r.game_m >= 0 )
            continue;
        if( node_r.from_m[ 0 ] >= 0 )
            node_r.y_m = nodes_rp.at( node_r.from_m[ 0 ] ).y_m;
        else
        {
            node_r.y_m = cursor_l + SLOT / 4;
            cursor_l += SLOT / 2;
        }
    }
    return cursor_l;
}

double BracketLayout::place( QVector< Node >& nodes_rp, int node_p, double& cursor_rp ) const
{
    // The box sits a little below the middle of its slot: its title is above it.
    const double lift_cl = CAPTION_HEIGHT / 2;
    if( 0 == nodes_rp.at( node_p ).round_m )
    {
        nodes_rp[ node_p ].y_m = cursor_rp + SLOT / 2 + lift_cl;
        cursor_rp += SLOT;
        return nodes_rp.at( node_p ).y_m;
    }
    double y_l[ 2 ];
    for( int side_l = 0; side_l < 2; ++side_l )
    {
        const int from_cl = nodes_rp.at( node_p ).from_m[ side_l ];
        if( from_cl >= 0 )
            y_l[ side_l ] = place( nodes_rp, from_cl, cursor_rp );
        else
        {
            y_l[ side_l ] = cursor_rp + SLOT / 4 + lift_cl;
            cursor_rp += SLOT / 2;
        }
    }
    nodes_rp[ node_p ].y_m = ( y_l[ 0 ] + y_l[ 1 ] ) / 2;
    return nodes_rp.at( node_p ).y_m;
}

BracketLayout::Piece BracketLayout::gamePiece( const Championship& champ_cp, const Node& node_cp ) const
{
    const Round& round_crl = champ_cp.rounds().at( node_cp.round_m );
    const Game& game_crl = round_crl.games_m.at( node_cp.game_m );
    const double x_cl = columnX( node_cp.round_m );
    const double width_cl = boxWidth( node_cp.round_m );
    const double boxTop_cl = node_cp.y_m - ROW_HEIGHT;
    Piece piece_l { Piece::Game, node_cp.round_m, node_cp.game_m, { game_crl.favorite_m, game_crl.outsider_m }, {} };
    piece_l.shapes_m.append( box( GameBox, QRectF( x_cl, boxTop_cl, width_cl, 2 * ROW_HEIGHT ) ) );
    piece_l.shapes_m.append(
        text( GameTitle, gameTitle( round_crl.denominator(), node_cp.game_m + 1 ),
              QPointF( x_cl + 2, baseline( GameTitle, boxTop_cl - CAPTION_HEIGHT, CAPTION_HEIGHT ) ), width_cl - 4 ) );
    const int sideNations_cl[ 2 ] = { game_crl.favoriteNation_m, game_crl.outsiderNation_m };
    for( int side_l = 0; side_l < 2; ++side_l )
    {
        const PlayerRef& player_crl = side_l ? game_crl.outsider_m : game_crl.favorite_m;
        const double rowTop_cl = boxTop_cl + side_l * ROW_HEIGHT;
        const double rowMiddle_cl = rowTop_cl + ROW_HEIGHT / 2;
        const bool decided_cl = UNKNOWN != game_crl.result_m;
        const bool won_cl = decided_cl && ( EXPECTED == game_crl.result_m ) == ( 0 == side_l );
        const Role nameRole_cl = !decided_cl ? Name : won_cl ? WinnerName : LoserName;
        const Role nationRole_cl = decided_cl && !won_cl ? LoserNation : Nation;
        if( won_cl )
        {
            Shape mark_l { Shape::Mark, WinnerMark, {}, {}, {}, Qt::AlignLeft, {}, {} };
            mark_l.points_m << QPointF( x_cl + 5, rowMiddle_cl - 4.5 ) << QPointF( x_cl + 12, rowMiddle_cl )
                            << QPointF( x_cl + 5, rowMiddle_cl + 4.5 );
            piece_l.shapes_m.append( mark_l );
        }
        const Shape nation_cl = text( nationRole_cl, champ_cp.nationName( sideNations_cl[ side_l ] ),
                                      QPointF( x_cl + width_cl - 5, baseline( nationRole_cl, rowTop_cl, ROW_HEIGHT ) ),
                                      NATION_WIDTH, Qt::AlignRight );
        const double nationWidth_cl = advance( nationRole_cl, nation_cl.text_m );
        piece_l.shapes_m.append( playerText( nameRole_cl, champ_cp, player_crl,
                                             QPointF( x_cl + 16, baseline( nameRole_cl, rowTop_cl, ROW_HEIGHT ) ),
                                             width_cl - 16 - 5 - nationWidth_cl - 6 ) );
        piece_l.shapes_m.append( nation_cl );
        if( node_cp.bye_m[ side_l ] )
            piece_l.shapes_m.append( byeMark( x_cl, rowTop_cl, ROW_HEIGHT ) );
    }
    return piece_l;
}

BracketLayout::Piece BracketLayout::qualifiedPiece( const Championship& champ_cp, const Node& node_cp ) const
{
    const double x_cl = columnX( node_cp.round_m );
    const double top_cl = node_cp.y_m - QUALIFIED_HEIGHT / 2;
    Piece piece_l { Piece::Qualified, node_cp.round_m, -1, { node_cp.player_m }, {} };
    const double width_cl = boxWidth( node_cp.round_m );
    piece_l.shapes_m.append( box( QualifiedBox, QRectF( x_cl, top_cl, width_cl, QUALIFIED_HEIGHT ) ) );
    piece_l.shapes_m.append( playerText( Name, champ_cp, node_cp.player_m,
                                         QPointF( x_cl + 16, baseline( Name, top_cl, QUALIFIED_HEIGHT ) ),
                                         width_cl - 22 ) );
    if( node_cp.bye_m[ 0 ] )
        piece_l.shapes_m.append( byeMark( x_cl, top_cl, QUALIFIED_HEIGHT ) );
    return piece_l;
}

BracketLayout::Piece BracketLayout::championPiece( const Championship& champ_cp, const Node& final_cp ) const
{
    static const QString champion_scl = QStringLiteral( "Чемпион" );
    const Game& final_crl = champ_cp.rounds().at( final_cp.round_m ).games_m.at( final_cp.game_m );
    const int nation_cl = EXPECTED == final_crl.result_m ? final_crl.favoriteNation_m : final_crl.outsiderNation_m;
    const double x_cl = columnX( champ_cp.rounds().size() );
    const double width_cl = boxWidth( champ_cp.rounds().size() );
    const double top_cl = final_cp.y_m - CHAMPION_HEIGHT / 2;
    Piece piece_l { Piece::Champion, final_cp.round_m, final_cp.game_m, { final_crl.winner() }, {} };
    piece_l.shapes_m.append( box( ChampionBox, QRectF( x_cl, top_cl, width_cl, CHAMPION_HEIGHT ) ) );
    piece_l.shapes_m.append( text( GameTitle, champion_scl,
                                   QPointF( x_cl + 8, baseline( GameTitle, top_cl + 2, CAPTION_HEIGHT ) ),
                                   width_cl - 16 ) );
    piece_l.shapes_m.append( text( ChampionName, champ_cp.playerText( final_crl.winner() ),
                                   QPointF( x_cl + 8, baseline( ChampionName, top_cl + 15, 20 ) ), width_cl - 16 ) );
    piece_l.shapes_m.append( text( Nation, champ_cp.nationName( nation_cl ),
                                   QPointF( x_cl + 8, baseline( Nation, top_cl + 35, 16 ) ), width_cl - 16 ) );
    return piece_l;
}

void BracketLayout::addLinks( const QVector< Node >& nodes_cp )
{
    for( const Node& node_crl : nodes_cp )
        for( int side_l = 0; side_l < 2; ++side_l )
            if( node_crl.from_m[ side_l ] >= 0 )
                pieces_m.append( linkPiece( node_crl, side_l ) );
}

// From the middle of a game's box to the row of its winner in the next game,
// or straight across to its winner waiting for the next draw.
BracketLayout::Piece BracketLayout::linkPiece( const Node& node_cp, int side_p ) const
{
    const Node& child_crl = nodes_m.at( node_cp.from_m[ side_p ] );
    const QPointF start_cl( columnX( child_crl.round_m ) + boxWidth( child_crl.round_m ), child_crl.y_m );
    const double endY_cl = node_cp.game_m < 0 ? child_crl.y_m : node_cp.y_m + ( side_p ? 0.5 : -0.5 ) * ROW_HEIGHT;
    const double middleX_cl = start_cl.x() + COLUMN_GAP / 2;
    const QPointF end_cl( columnX( node_cp.round_m ), endY_cl );
    return link( node_cp.game_m < 0 ? QPolygonF( QVector< QPointF > { start_cl, end_cl } )
                                    : QPolygonF( QVector< QPointF > { start_cl, QPointF( middleX_cl, start_cl.y() ),
                                                                      QPointF( middleX_cl, endY_cl ), end_cl } ),
                 child_crl.round_m, child_crl.game_m );
}

void BracketLayout::addLink( const QPolygonF& points_cp, int round_p, int game_p )
{
    pieces_m.append( link( points_cp, round_p, game_p ) );
}

BracketLayout::Piece BracketLayout::link( const QPolygonF& points_cp, int round_p, int game_p )
{
    Shape line_l { Shape::Line, Link, {}, points_cp, {}, Qt::AlignLeft, {}, {} };
    return Piece { Piece::Connector, round_p, game_p, {}, { line_l } };
}

void BracketLayout::addColumnTitles( const Championship& champ_cp, double top_p, double bottom_p, bool champion_p )
{
    for( int column_l = 0; column_l < champ_cp.rounds().size() + ( champion_p ? 1 : 0 ); ++column_l )
        pieces_m.append( columnTitle( champ_cp, column_l, top_p, bottom_p ) );
}

BracketLayout::Piece BracketLayout::columnTitle( const Championship& champ_cp, int column_p, double top_p,
                                                 double bottom_p ) const
{
    static const QString champion_scl = QStringLiteral( "Чемпион" );
    const QVector< Round >& rounds_crl = champ_cp.rounds();
    const bool round_cl = column_p < rounds_crl.size();
    Piece piece_l { Piece::Column, round_cl ? column_p : -1, -1, {}, {} };
    const double x_cl = columnX( column_p );
    const double width_cl = boxWidth( column_p );
    piece_l.shapes_m.append( text( ColumnTitle,
                                   round_cl ? roundTitle( rounds_crl.at( column_p ).denominator() ) : champion_scl,
                                   QPointF( x_cl + width_cl / 2, baseline( ColumnTitle, top_p, COLUMN_TITLE_HEIGHT ) ),
                                   width_cl, Qt::AlignHCenter ) );
    // A round further ahead: an empty column keeps its place.
    if( round_cl && rounds_crl.at( column_p ).games_m.isEmpty() && rounds_crl.at( column_p ).players_m.isEmpty() )
        piece_l.shapes_m.append( box( FutureColumn, QRectF( x_cl, top_p + COLUMN_TITLE_HEIGHT + 2, width_cl,
                                                            bottom_p - top_p - COLUMN_TITLE_HEIGHT - 2 ) ) );
    return piece_l;
}

BracketLayout::Piece BracketLayout::heading( double width_p ) const
{
    return Piece { Piece::Heading,
                   -1,
                   -1,
                   {},
                   { text( Heading, title_m, QPointF( MARGIN, baseline( Heading, MARGIN, HEADING_HEIGHT ) ),
                           width_p ) } };
}

// As wide as its columns, and never narrower than two.
double BracketLayout::bracketWidth() const
{
    return std::max( columnX( std::max( 2, int( columnWidths_m.size() ) ) ) - MARGIN - COLUMN_GAP,
                     2 * PITCH - COLUMN_GAP );
}

BracketLayout::Shape BracketLayout::text( Role role_p, const QString& text_cp, const QPointF& anchor_cp, double width_p,
                                          Qt::Alignment align_p )
{
    Shape shape_l { Shape::Text, role_p, {}, {}, anchor_cp, align_p, text_cp, {} };
    const double room_cl = std::max( 0.0, width_p * FONT_ALLOWANCE );
    if( advance( role_p, text_cp ) > room_cl )
    {
        shape_l.text_m = QFontMetricsF( font( role_p ) ).elidedText( text_cp, Qt::ElideRight, room_cl );
        shape_l.fullText_m = text_cp;
    }
    return shape_l;
}

BracketLayout::Shape BracketLayout::box( Role role_p, const QRectF& rect_cp )
{
    return Shape { Shape::Box, role_p, rect_cp, {}, {}, Qt::AlignLeft, {}, {} };
}

// "без игры" in the gap before a box, where the line from a game would come in.
BracketLayout::Shape BracketLayout::byeMark( double boxLeft_p, double rowTop_p, double rowHeight_p )
{
    static const QString bye_scl = QStringLiteral( "без игры" );
    return text( ByeMark, bye_scl, QPointF( boxLeft_p - 4, baseline( ByeMark, rowTop_p, rowHeight_p ) ), COLUMN_GAP - 6,
                 Qt::AlignRight );
}
