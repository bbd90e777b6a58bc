#ifndef SORTIVANE_BRACKETLAYOUT_H
#define SORTIVANE_BRACKETLAYOUT_H

#include "championship.h"

#include <QColor>
#include <QFont>
#include <QPointF>
#include <QPolygonF>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QVector>

// The bracket of a championship as a picture for publishing: rounds as
// columns from left to right with the final at the right, every game a box,
// a line from each game to the game its winner went on to, the champion in
// a box after the final. Computed once, in pixels at 96 dpi; every output
// format draws exactly these shapes.
class BracketLayout
{
public:
    // What a shape shows; style() gives each role its one look.
    enum Role
    {
        Heading,
        Note,
        ColumnTitle,
        FutureColumn,
        GameBox,
        QualifiedBox,
        ChampionBox,
        GameTitle,
        Name,
        WinnerName,
        LoserName,
        Nation,
        LoserNation,
        WinnerMark,
        ByeMark,
        ChampionName,
        GroupTitle,
        Link,
        RoleCount
    };

    struct Style
    {
        const char* cssClass_m;
        int pixelSize_m; // texts only
        bool bold_m;
        bool italic_m;
        QColor ink_m;  // text or outline
        QColor fill_m; // invalid: not filled
        double lineWidth_m;
        bool dashed_m;
    };

    struct Shape
    {
        enum Kind
        {
            Box,
            Text,
            Line,
            Mark
        };
        Kind kind_m;
        Role role_m;
        QRectF rect_m;      // a box
        QPolygonF points_m; // a line, or the outline of a mark
        // A text starts, is centred or ends at anchor_m (on its baseline),
        // as align_m says.
        QPointF anchor_m;
        Qt::Alignment align_m = Qt::AlignLeft;
        QString text_m;     // as shown, elided when too long
        QString fullText_m; // the whole text when text_m is elided

        // Where a text starts on its baseline, as its alignment and width say.
        double textLeft() const;
        // What the shape covers, its outline included.
        QRectF bounds() const;
        bool operator==( const Shape& other_cp ) const;
        bool operator!=( const Shape& other_cp ) const { return !( *this == other_cp ); }
    };

    // What a reader takes in as one: a game, a qualified player, a line.
    struct Piece
    {
        enum Kind
        {
            Heading,
            Column,
            Game,
            Qualified,
            Champion,
            Connector,
            Group
        };
        Kind kind_m;
        int round_m = -1;
        int game_m = -1;
        // Who the piece shows: both sides of a game, a qualified player,
        // the champion.
        QVector< PlayerRef > players_m;
        QVector< Shape > shapes_m;

        QRectF bounds() const;
    };

    BracketLayout( const Championship& champ_cp, const QString& title_cp );

    QSizeF size() const { return size_m; }
    const QString& title() const { return title_m; }
    const QVector< Piece >& pieces() const { return pieces_m; }

    // Lays out again only what the result of game game_p of round round_p
    // changed: the game, its winner waiting for the next draw and the line
    // between them, or the champion; listed in gone_rp (as they were) and
    // come_rp (as they are), new pieces at the end. Returns false, changing
    // nothing, when the result moves more than that (a column's width, the
    // first champion, a next round that disagrees with the games): the
    // whole bracket is to be laid out again.
    bool relayResult( const Championship& champ_cp, int round_p, int game_p, QVector< Piece >& gone_rp,
                      QVector< Piece >& come_rp );

    static const Style& style( Role role_p );
    static QFont font( Role role_p );
    // The bracket's font, DejaVu Sans, is carried inside the program and
    // registered before the first text is measured: Windows has no DejaVu
    // Sans, and its offscreen platform finds no fonts at all. font() calls it.
    static void addFonts();
    // The ascent and height of a line in the role's font.
    struct LineMetrics
    {
        double ascent_m;
        double height_m;
    };
    static const LineMetrics& lineMetrics( Role role_p );
    // The width text_cp takes in the role's font, measured once per text and
    // thread: a big bracket is laid out again after every result, and
    // shaping its texts anew would be most of the work.
    static double advance( Role role_p, const QString& text_cp );

private:
    // Lays one result out again on the pieces and nodes kept here.
    friend class BracketRelay;

    struct Node
    {
        int round_m = 0;
        int game_m = -1; // -1: a player qualified for a round not drawn yet
        PlayerRef player_m;
        // Per side (favourite, outsider; a qualified player has one): the
        // node of the game this side won in the round before, or -1.
        int from_m[ 2 ] = { -1, -1 };
        bool bye_m[ 2 ] = { false, false };
        int parent_m = -1; // the later node its winner's line leads to
        double y_m = 0;    // middle of the node's box
    };

    void layOutGroups( const Championship& champ_cp, double top_p );
    void layOutBracket( const Championship& champ_cp, double top_p );
    static QVector< Node > collectNodes( const Championship& champ_cp );
    void linkRounds( const Championship& champ_cp, QVector< Node >& nodes_rp ) const;
    double placeNodes( QVector< Node >& nodes_rp, double top_p ) const;
    double place( QVector< Node >& nodes_rp, int node_p, double& cursor_rp ) const;
    // Each column's box width, from the widest text it shows.
    void measureColumns( const Championship& champ_cp, const QVector< Node >& nodes_cp, const Node* final_p );
    double columnX( int column_p ) const;
    double boxWidth( int column_p ) const;
    Piece gamePiece( const Championship& champ_cp, const Node& node_cp ) const;
    Piece qualifiedPiece( const Championship& champ_cp, const Node& node_cp ) const;
    static double qualifiedWidth( const Championship& champ_cp, const PlayerRef& player_cp );
    Piece championPiece( const Championship& champ_cp, const Node& final_cp ) const;
    static double championWidth( const Championship& champ_cp, const PlayerRef& champion_cp );
    void addLinks( const QVector< Node >& nodes_cp );
    Piece linkPiece( const Node& node_cp, int side_p ) const;
    void addLink( const QPolygonF& points_cp, int round_p, int game_p );
    static Piece link( const QPolygonF& points_cp, int round_p, int game_p );
    void addColumnTitles( const Championship& champ_cp, double top_p, double bottom_p, bool champion_p );
    Piece columnTitle( const Championship& champ_cp, int column_p, double top_p, double bottom_p ) const;
    Piece heading( double width_p ) const;
    double bracketWidth() const;

    static Shape text( Role role_p, const QString& text_cp, const QPointF& anchor_cp, double width_p,
                       Qt::Alignment align_p = Qt::AlignLeft );
    static Shape box( Role role_p, const QRectF& rect_cp );
    static Shape playerText( Role role_p, const Championship& champ_cp, const PlayerRef& player_cp,
                             const QPointF& anchor_cp, double room_p );
    static Shape byeMark( double boxLeft_p, double rowTop_p, double rowHeight_p );

    QString title_m;
    QSizeF size_m;
    QVector< Piece > pieces_m;
    QVector< double > columnWidths_m;
    // What the bracket was laid out from, kept for relayResult().
    QVector< Node > nodes_m;
    QVector< int > firstGameNode_m; // per round
};

#endif
