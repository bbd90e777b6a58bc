#ifndef SORTIVANE_DRAWCHECK_H
#define SORTIVANE_DRAWCHECK_H

#include <QString>
#include <QVector>

class Championship;

// Checks every drawn round of a championship from the file's own data: the
// commitment logged for the round's stored attempt matches its revealed
// secret, the players drawn are those who reached the round, and the draw
// replayed from the pool, the recorded nations and the seed gives back the
// round's games.
class DrawCheck
{
public:
    enum Verdict
    {
        Matches,
        Differs,
        NotRecorded
    };
    struct Round
    {
        int round_m = 0;
        int denominator_m = 1;
        Verdict verdict_m = NotRecorded;
        // Why it differs: the first game (from 1) that differs, or 0 when
        // the commitment or the pool does.
        int game_m = 0;
        bool commitment_m = true;
        bool pool_m = true;
    };

    explicit DrawCheck( const Championship& champ_cp );

    const QVector< Round >& rounds() const { return rounds_m; }
    // Whether the draws stand: every recorded round matches, and with a
    // draw log in the file no round goes without a record, since deleting
    // a record must not hide a change.
    bool passes() const;

private:
    Round checkRound( int round_p ) const;

    const Championship& champ_m;
    QVector< Round > rounds_m;
};

#endif
