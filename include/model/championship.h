#ifndef SORTIVANE_CHAMPIONSHIP_H
#define SORTIVANE_CHAMPIONSHIP_H

#include "drawrecord.h"

#include <QMap>
#include <QString>
#include <QStringList>
#include <QVector>

#include <functional>

// Result of a game; stored as an int in the save file's text form.
enum GameResult
{
    UNKNOWN = 0,
    EXPECTED = 1,  // the favourite won
    UNEXPECTED = 2 // the outsider won
};

// "UNKNOWN", "EXPECTED", "UNEXPECTED" at the indices of GameResult.
const QStringList& resultTxtValues();
const QString& resultTxtValue( int resultId_p );

// The text as a save file can hold it: tab, line breaks and every other
// control character become a blank; U+FFFE, U+FFFF and unpaired surrogates,
// which no XML file may carry, are dropped. Names are cleaned where they
// enter the program and where they are written.
QString storableText( const QString& text_cp );

// "Финал" for the round of denominator 1, "1/N финала" for the others.
QString roundTitle( int denominator_p );
// A game's title: "Финал", or "1/N финала - игра №k" for game number k.
QString gameTitle( int denominator_p, int gameNumber_p );

struct Player
{
    // The longest nickname or clan name the window takes: with it the
    // largest championship the window draws saves within the file cap.
    static constexpr int MAX_TYPED_LENGTH = 64;

    QString nickname_m;
    QString clanName_m;

    // "[clan]nickname", or the nickname alone without a clan.
    QString text() const;
    bool operator==( const Player& other_cp ) const
    {
        return nickname_m == other_cp.nickname_m && clanName_m == other_cp.clanName_m;
    }
};

// One side of a game: a player is identified by its group and its id in it.
class PlayerRef
{
public:
    PlayerRef( int groupId_p = 0, int playerId_p = 0 ) : groupId_m( groupId_p ), playerId_m( playerId_p ) {}

    int groupId() const { return groupId_m; }
    int playerId() const { return playerId_m; }
    bool operator==( const PlayerRef& other_cp ) const
    {
        return groupId_m == other_cp.groupId_m && playerId_m == other_cp.playerId_m;
    }

    int groupId_m;
    int playerId_m;
};

struct Game
{
    PlayerRef favorite_m;
    PlayerRef outsider_m;
    int favoriteNation_m = 0;
    int outsiderNation_m = 0;
    GameResult result_m = UNKNOWN;

    const PlayerRef& winner() const;
    bool operator==( const Game& other_cp ) const;
};

// Player ids of one round's pool, per group id.
using RoundPlayers = QMap< int, QVector< int > >;

class Round
{
public:
    explicit Round( int denominator_p );
    Round( const Round& round_cp );
    Round& operator=( const Round& round_cp ) = default;

    int denominator() const { return denominator_m; }
    void addGroup( int groupId_p, const QVector< int >& playersIds_cp );
    void addPlayer( const PlayerRef& player_cp );
    void removePlayer( const PlayerRef& player_cp );
    Game& game( int gameId_p );
    const Game& game( int gameId_p ) const;
    // Number of player ids in the pool, over all groups.
    int playersAmount() const;
    bool operator==( const Round& other_cp ) const;

    RoundPlayers players_m;
    QVector< Game > games_m;
    // The pool as the draw found it, kept so that the draw can be undone;
    // empty for a round not drawn, or drawn by a program that kept none.
    RoundPlayers drawnFrom_m;
    // What checks the draw; invalid for a round drawn without one.
    DrawRecord record_m;

private:
    int denominator_m;
};

using PlayersGroup = QMap< int, Player >;
using PlayersGroups = QMap< int, PlayersGroup >;

class Championship
{
public:
    // A bracket of more rounds (over a million places) is no championship
    // anybody runs: the draw does not make one and the reader refuses one.
    static constexpr int MAX_ROUNDS = 20;

    Championship();

    PlayersGroups& players() { return players_m; }
    const PlayersGroups& players() const { return players_m; }
    const QMap< int, QString >& groupsNames() const { return groupsNames_m; }
    QVector< int >& nations() { return nations_m; }
    const QVector< int >& nations() const { return nations_m; }
    const QMap< int, QString >& nationsNames() const { return nationsNames_m; }
    const QVector< Round >& rounds() const { return rounds_m; }
    int currentRound() const { return currentRound_m; }
    const QString& fileName() const { return fileName_m; }
    void setFileName( const QString& fileName_p ) { fileName_m = fileName_p; }
    bool roundIsFinished() const;
    // Registered players over all groups.
    int playersAmount() const;
    // The text that names a player on screen: "[clan]nickname", or the
    // nickname alone; empty for a reference that names nobody.
    QString playerText( const PlayerRef& player_cp ) const;
    QString nationName( int nationId_p ) const;
    // Whether both hold the same groups, players, nations and bracket; the
    // file name and where each came from do not count.
    bool holdsSameAs( const Championship& other_cp ) const;
    // Whether the bracket adds up, so that the championship can be played to
    // the final from where it stands: the rounds halve down to the final;
    // the current round is drawn and none after it; no round
    // holds more games or waiting players than its places, nor names a
    // missing group; in the current round everybody plays once, each decided
    // game has put its winner and only its winner into the next round, and
    // with the undecided games the next round fills exactly; no later round
    // has anybody waiting.
    bool canBePlayedToFinal() const;
    // Whether this is still the championship that kept_cp was copied from,
    // with nothing changed since. A championship that was reset or loaded
    // is another one, even with equal contents.
    bool isUnchangedSince( const Championship& kept_cp ) const;

    void reset();
    void clearFileName();
    void addPlayer( int groupId_p, const QString& nickname_p, const QString& clanName_p );
    void removePlayers( int groupId_p, const QVector< int >& playersIds_cp );
    void movePlayersToNextGroup( int groupId_p, const QVector< int >& playersIds_cp );
    void movePlayersToPreviousGroup( int groupId_p, const QVector< int >& playersIds_cp );

    // Changes a registered player's names; the player keeps the group, the
    // id and every place in the bracket.
    void renamePlayer( const PlayerRef& player_cp, const QString& nickname_p, const QString& clanName_p );
    void setGameResult( int gameId_p, GameResult result_p );
    // Makes the rounds; a bye split, where one is needed, takes its seed
    // from seeds_p (the no-argument form: from the system's randomness).
    void createRounds();
    void createRounds( const std::function< quint32() >& seeds_p );
    void advanceRound();
    void clearCurrentRoundPlayers();
    void setCurrentRoundGames( const QVector< Game >& games_cp );
    void setCurrentRoundRecord( const DrawRecord& record_cp );
    // Takes over the bracket of a championship on which a draw was made.
    void adoptRounds( const Championship& drawn_cp );
    // Undoes the latest draw: its round loses its games and takes back the
    // pool it was drawn from, and the round before becomes the current one
    // again, its results open to change; the winners already waiting for
    // the next round go. Undoing the first draw leaves no rounds at all.
    void undoLastDraw();
    // Whether undoing the latest draw leaves a championship that can be
    // played to the final: a damaged file may keep a round without games
    // before the current one, which undoing would make current.
    bool canUndoLastDraw() const;
    // Results recorded in the current round.
    int decidedGames() const;

    // Every started draw, in order.
    const QVector< DrawLogEntry >& drawLog() const { return drawLog_m; }
    QVector< DrawLogEntry >& drawLog() { return drawLog_m; }
    // Every rename since the first draw was started, in order.
    const QVector< RenameLogEntry >& renameLog() const { return renameLog_m; }
    QVector< RenameLogEntry >& renameLog() { return renameLog_m; }
    // Whether this championship's draws are recorded with their pools: a
    // round drawn since then without a record, or a log gone, is no
    // longer a draw anyone can check.
    bool recordsPools() const { return recordsPools_m; }
    void setRecordsPools( bool records_p ) { recordsPools_m = records_p; }
    // The round the next draw makes, and its title.
    int nextDrawRound() const { return rounds_m.isEmpty() ? 0 : currentRound_m + 1; }
    int nextDrawDenominator() const;
    // The commitment to the secret of the next attempt at a draw and to the
    // pool it would draw from now; the secret is made now if there is none
    // yet, and stays unknown until the draw that uses it has ended.
    QString nextDrawCommitment();
    // The attempt the next draw would be at its round, from 1.
    int nextDrawAttempt() const;
    void setHallWord( const QString& word_cp ) { hallWord_m = word_cp; }
    // Starts an attempt at the next draw: logs it, with its commitment, and
    // returns the record its draw carries. The next attempt gets a new secret.
    DrawRecord startDrawAttempt();
    // Ends the latest attempt: stored, or cancelled; either way its secret
    // is revealed in the log.
    void endDrawAttempt( bool stored_p );

    bool load( const QString& fileName_p );
    bool save( const QString& fileName_p = QString() );

private:
    friend class SaveFile;

    void movePlayers( int groupId_p, const QVector< int >& playersIds_cp, bool toNext_p );

    QString fileName_m;
    PlayersGroups players_m;
    QVector< int > nations_m;
    QMap< int, QString > groupsNames_m;
    QMap< int, QString > nationsNames_m;
    QVector< Round > rounds_m;
    int currentRound_m;
    QVector< DrawLogEntry > drawLog_m;
    QVector< RenameLogEntry > renameLog_m;
    bool recordsPools_m = false;
    // The next attempt's secret and the hall's word for it: in memory only.
    QByteArray nextSecret_m;
    QString hallWord_m;
    // Set anew by every reset() and so by every load(); copies share it.
    quint64 origin_m = 0;
};

#endif
