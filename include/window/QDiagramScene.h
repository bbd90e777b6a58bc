#ifndef SORTIVANE_QDIAGRAMSCENE_H
#define SORTIVANE_QDIAGRAMSCENE_H

#include <QGraphicsScene>
#include <QMap>
#include <QVector>

class Championship;
class PlayerRef;
class QFontMetricsF;
class QGraphicsItem;
class QGraphicsProxyWidget;
class QGraphicsSimpleTextItem;
class QLabel;

// The bracket: one row per round, the games of the drawn rounds, and below
// the round being played the players already qualified for the next one.
class QDiagramScene : public QGraphicsScene
{
public:
    // The diagram shows brackets of up to this many first-round games: its
    // game boxes are widgets, and 2,048 of them take 0.2 s and 250 MiB to
    // build. Larger brackets are shown by the tree view alone.
    static constexpr int MAX_GAMES = 2048;
    // Boxes in one holder widget: a native window each holder, and a walk
    // over its widgets before each box is drawn.
    static constexpr int HOLDER_BOXES = 128;

    explicit QDiagramScene( QObject* parent_p );

    // Whether the championship's bracket is one the diagram shows.
    static bool shows( const Championship& champ_cp );

    void updateDiagram();
    void clearDiagram();
    void updateWinner( int gameId_p );
    // "Чемпион: [clan]nickname (nation)" once the final is decided; empty
    // before.
    static QString championText();
    // Shows a renamed player's new names in every box that names them.
    void updatePlayerTexts( const PlayerRef& player_cp );

    // Geometry of the rows, for whoever lays things out against them.
    double titleHeight() const { return titleHeight_m; }
    double diagramWidth() const { return diagramWidth_m; }
    double roundHeight() const { return roundHeight_m; }
    const QString& widestText() const { return widestText_m; }

private:
    void prepareRounds( int roundsAmount_p );
    void clearPlayersItems();
    int placeWidget( int roundId_p, int slot_p, QWidget* widget_p, QVector< QGraphicsProxyWidget* >& items_rp,
                     bool halfCells_p );
    QLabel* createPlayerLabel( const PlayerRef& player_cp, const QString& widestText_cp );
    // The holder widget the next box is made in.
    QWidget* holder();
    void checkWidestText( const QString& text_cp, const QFontMetricsF& metrics_cp, double& maxWidth_rp );
    // The champion's line below the final's row, under the rows and cells
    // of the bracket.
    void showChampion();
    // The scene is what is drawn, so that a smaller bracket after a bigger
    // one stays in sight and zooming keeps its anchor.
    void fitSceneRect();

    double titleHeight_m = 0;
    double diagramWidth_m = 0;
    double roundHeight_m = 0;
    QString widestText_m;
    QVector< QGraphicsItem* > roundsRects_m;
    QVector< QGraphicsItem* > roundsTitles_m;
    QVector< QVector< QGraphicsProxyWidget* > > gamesItems_m;
    QVector< QGraphicsProxyWidget* > playersItems_m;
    QMap< int, int > winnersItems_m;
    QGraphicsSimpleTextItem* championItem_m = nullptr;
    QVector< QGraphicsProxyWidget* > holders_m;
};

#endif
