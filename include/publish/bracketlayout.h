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
    };

    BracketLayout( const Championship& champ_cp, const QString& title_cp );

    QSizeF size() const { return size_m; }
    const QString& title() const { return title_m; }
    const QVector< Piece >& pieces() const { return pieces_m; }

    static const Style& style( Role role_p );
    static QFont font( Role role_p );

private:
    struct Node;

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
    void addGame( const Championship& champ_cp, const Node& node_cp );
    void addQualified( const Championship& champ_cp, const Node& node_cp );
    void addChampion( const Championship& champ_cp, const Node& final_cp );
    void addLinks( const QVector< Node >& nodes_cp );
    void addLink( const QPolygonF& points_cp, int round_p, int game_p );
    void addColumnTitles( const Championship& champ_cp, double top_p, double bottom_p, bool champion_p );
    void addHeading( double width_p );

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
};

#endif
