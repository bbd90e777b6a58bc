#ifndef SORTIVANE_QTOSSTHREAD_H
#define SORTIVANE_QTOSSTHREAD_H

#include "championship.h"
#include "drawrandom.h"

#include <QSet>
#include <QThread>

#include <atomic>
#include <mutex>
#include <optional>

// Draws the next round in a worker thread and announces every step, so that
// the organiser can watch it.
//
// The worker draws on a copy of the championship taken when the draw starts
// and hands the drawn bracket back to the GUI thread, which stores it. So the
// views may read the championship at any time, and a cancelled draw leaves
// no trace in it. A drawn round is stored only into the championship it was
// drawn from, unchanged since, and only if the draw was not stopped.
class QTossThread : public QThread
{
    Q_OBJECT

public:
    enum TextValueType
    {
        FAVORITE_PLAYERS_NAME = 1,
        FAVORITE_PLAYERS_NATION = 2,
        OUTSIDER_PLAYERS_NAME = 3,
        OUTSIDER_PLAYERS_NATION = 4
    };

    // The most players a first draw takes: fully played, with names of
    // Player::MAX_TYPED_LENGTH characters of any kind, such a championship
    // still saves within the file cap (about 1,400 bytes a player).
    static constexpr int MAX_PLAYERS = 1 << 15;

    QTossThread();

    // How long the show lets each step be seen. Quick: 1 ms before and 3 ms
    // after each candidate, 5 ms after each game. For the hall: each
    // candidate on screen for at least 120 ms, each finished game for 1.5 s,
    // so that a 16-player round takes about a minute. Only the pauses
    // differ: the draw and its announcements are the same.
    enum class Pace
    {
        Quick,
        Hall
    };
    void setPace( Pace pace_p );
    // Whether the show pauses at all. On by default; tests and benchmarks
    // switch it off to measure the draw alone.
    void setPaced( bool paced_p );
    // Whether a draw may start now: the bracket allows one and there are
    // nations to hand out.
    static bool canStart( const Championship& champ_cp );
    // Whether a draw runs or its drawn round still waits to be stored; no
    // new draw starts and no result may be entered meanwhile.
    bool isBusy() const;
    // The commitment of the draw running or last run; empty for a draw
    // without a record.
    QString commitment() const;
    // The attempt at its round of the draw running or last run; 0 for a
    // draw without a record.
    int attempt() const;
    // Draws the next round of champ_rp at once on the calling thread: no
    // show, no pauses, no hand-over to the GUI thread. For tools that need
    // only the outcome (the fuzzer); returns whether a round was drawn.
    bool drawInPlace( Championship& champ_rp );
    // Draws the next round of before_rp anew from a record, as the draw
    // that made it did, whatever seed is fixed: the check of a published
    // draw.
    bool replay( Championship& before_rp, const DrawRecord& record_cp );

signals:
    void nextGame( int gameNumber_p );
    void nextTxtValue( int textValueType_p, const QString& textValue_cp );
    void tossStarted( int tourDenominator_p );
    void championshipDataUpdated();
    // Worker to GUI thread: the drawn bracket is ready to be stored.
    void roundDrawn();

public slots:
    void start();
    void sltStop();

protected:
    void run() override;

private slots:
    void sltStoreRound();
    void sltDrawEnded();

private:
    using ChosenPlayers = QMap< int, QSet< int > >;

    // The body of run(): draws into draw_m; false when the draw was
    // abandoned or had nothing to draw.
    bool drawRound();
    // The record of the draw that starts on champ_rp (none with a fixed
    // seed); the attempt is logged in champ_rp.
    static DrawRecord startAttempt( Championship& champ_rp );
    int choosePlayer( int textValueType_p, RoundPlayers::const_iterator playersGroup_cp,
                      ChosenPlayers& chosenPlayers_rp );
    int chooseNation( int textValueType_p );
    enum class Step
    {
        BeforeCandidate,
        Candidate,
        Game
    };
    void pause( Step step_p ) const;
    // Announces a candidate's text, made only when somebody listens.
    template < typename Text > void announce( int textValueType_p, const Text& text_p );

    std::atomic< bool > proceed_m;
    std::atomic< bool > paced_m;
    std::atomic< Pace > pace_m { Pace::Quick };
    // Raised by start(), lowered when run() has drawn; unlike isRunning(),
    // already down when finished() arrives.
    std::atomic< bool > drawing_m;
    std::atomic< bool > storePending_m;
    // Guards the copies below. The worker holds it for the whole draw, so the
    // hand-over to the GUI thread is a lock that race detectors can see, not
    // only Qt's queued signal.
    std::mutex drawMutex_m;
    // The championship as the draw found it, and the worker's copy.
    Championship source_m;
    Championship draw_m;
    // The record the draw carries, and the generator of its current walk.
    DrawRecord record_m;
    bool replaying_m = false;
    bool announcing_m = true;
    std::optional< DrawRandom > random_m;
};

#endif
