#ifndef SORTIVANE_DRAWCHECK_H
#define SORTIVANE_DRAWCHECK_H

#include "drawrecord.h"

#include <QString>
#include <QStringList>
#include <QVector>

class Championship;

// Checks every drawn round of a championship from the file's own data: the
// commitment logged for the round's stored attempt matches its revealed
// secret and the pool it kept, that pool is the one the bracket gives, the
// names it kept lead to today's through the logged renames, and the draw
// replayed from the pool, the recorded nations and the seed gives back the
// round's games. The log itself must hold together: every attempt of a
// round logged once, in order, none damaged, none under a round the
// bracket does not have.
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
        // Anything else that differs, as the check says it.
        QString problem_m;
        // What the hall could note: the record's version (0 without a
        // record), the code as shown, the word and the attempt.
        int version_m = 0;
        QString code_m;
        QString word_m;
        int attempt_m = 0;
        // The renames of the round's players since its draw.
        QVector< RenameLogEntry > renames_m;
    };

    explicit DrawCheck( const Championship& champ_cp );

    // The word as the hall called it, quoted exactly, or "без слова".
    static QString wordText( const QString& word_cp );
    static QString timeText( const QDateTime& time_cp );
    // "переименование <time>: «<old>» → «<new>»".
    static QString renameText( const RenameLogEntry& rename_cp );
    // The log entry that stored the round's record, or -1.
    static int storedEntry( const Championship& champ_cp, int round_p );
    // The renames of the round's players logged after its draw was stored.
    static QVector< RenameLogEntry > renamesSince( const Championship& champ_cp, int round_p );

    const QVector< Round >& rounds() const { return rounds_m; }
    // What is wrong with the log itself, a line each.
    const QStringList& problems() const { return problems_m; }
    // Whether the draws stand: every recorded round matches, and with a
    // draw log in the file no round goes without a record, since deleting
    // a record must not hide a change.
    bool passes() const;

private:
    Round checkRound( int round_p ) const;
    bool poolMatches( Round& check_rp, const QString& pool_cp ) const;
    void checkLog();
    void checkAttempts( int round_p, int denominator_p );

    const Championship& champ_m;
    QVector< Round > rounds_m;
    QStringList problems_m;
};

#endif
