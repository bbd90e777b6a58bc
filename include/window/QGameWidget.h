#ifndef SORTIVANE_QGAMEWIDGET_H
#define SORTIVANE_QGAMEWIDGET_H

#include <QFrame>

class QLabel;

// One game of the bracket: title, both players with their nations. A left
// click on a game of the current round records its winner.
class QGameWidget : public QFrame
{
    Q_OBJECT

public:
    QGameWidget( int roundId_p, int gameId_p, const QString& widestText_cp, QWidget* parent_p = nullptr );

    int roundId() const { return roundId_m; }
    int gameId() const { return gameId_m; }
    // Reads both players' names anew, after a rename.
    void refreshNames();
    // Shows who won, once the game has its result: the winner's name in the
    // tree's green, the loser's dimmed. Colours only, so the box keeps its
    // size and texts.
    void markResult();
    // Asks for the winner of a game of the current round and records it,
    // as a click on its box does in either view of the bracket.
    static void recordResult( int roundId_p, int gameId_p );

protected:
    void mousePressEvent( QMouseEvent* event_p ) override;

private:
    QLabel* createCenteredLabel( const QString& text_cp );

    int roundId_m;
    int gameId_m;
    QLabel* titleLabel_m = nullptr;
    QLabel* favoriteLabel_m = nullptr;
    QLabel* favoriteNationLabel_m = nullptr;
    QLabel* outsiderLabel_m = nullptr;
    QLabel* outsiderNationLabel_m = nullptr;
};

#endif
