#ifndef SORTIVANE_QROUNDPROGRESS_H
#define SORTIVANE_QROUNDPROGRESS_H

#include <QLabel>

class Championship;

// The status bar's word on the round being played: how many of its games
// still have no winner. The hall sees no tool tips.
class QRoundProgress : public QLabel
{
public:
    explicit QRoundProgress( QWidget* parent_p );

    void refresh();
    // "В туре «1/4 финала» без победителя: 2 игры"; empty once every game
    // of the current round has its winner, or before the first draw.
    static QString progressText( const Championship& champ_cp );
};

#endif
