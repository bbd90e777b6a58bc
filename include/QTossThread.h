#ifndef SORTIVANE_QTOSSTHREAD_H
#define SORTIVANE_QTOSSTHREAD_H

#include "championship.h"

#include <QSet>
#include <QThread>

#include <atomic>

// Draws the next round in a worker thread and announces every step, so that
// the organiser can watch it.
//
// The worker draws on a copy of the championship taken when the draw starts
// and hands the drawn bracket back to the GUI thread, which stores it. So the
// views may read the championship at any time, and a cancelled draw leaves
// no trace in it.
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

    QTossThread();

    // Whether the show pauses between candidates (1, 3 and 5 ms). On by
    // default; tests and benchmarks switch it off to measure the draw alone.
    void setPaced( bool paced_p );
    // Whether a draw may start now: the bracket allows one and there are
    // nations to hand out.
    static bool canStart( const Championship& champ_cp );

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

private:
    using ChosenPlayers = QMap< int, QSet< int > >;

    int choosePlayer( int textValueType_p, RoundPlayers::const_iterator playersGroup_cp,
                      ChosenPlayers& chosenPlayers_rp );
    int chooseNation( int textValueType_p );
    void pause( unsigned long milliseconds_p ) const;

    std::atomic< bool > proceed_m;
    std::atomic< bool > paced_m;
    // The worker's copy; the GUI thread touches it only while no draw runs.
    Championship draw_m;
};

#endif
