#ifndef SORTIVANE_PLAYEDCHAMPIONSHIP_H
#define SORTIVANE_PLAYEDCHAMPIONSHIP_H

#include "championship.h"
#include "savefile.h"

#include <QVector>

#include <algorithm>
#include <random>

// A championship of players_p players (spread over the four groups) drawn
// and played the way the program does it, from a seed: every round's pool is
// paired at random, so game g of a round seldom feeds game g of the next.
// Rounds are played until rounds_p rounds are drawn (-1: to the final); in
// the last drawn round only the first decided_p games get a winner (-1: all).
// Nicknames are padded to nicknameLength_p characters.
inline Championship playedChampionship( int players_p, unsigned seed_p, int rounds_p = -1, int decided_p = -1,
                                        int nicknameLength_p = 0 )
{
    std::mt19937 random_l( seed_p );
    Championship champ_l;
    for( int i = 0; i < players_p; ++i )
        champ_l.addPlayer( 1 + int( random_l() % 4 ),
                           QStringLiteral( "игрок%1" ).arg( i ).leftJustified( nicknameLength_p, QLatin1Char( 'n' ) ),
                           i % 3 ? QStringLiteral( "клан%1" ).arg( i % 7 ) : QString() );
    champ_l.createRounds();
    const int drawn_cl = rounds_p < 0 ? champ_l.rounds().size() : std::min( rounds_p, int( champ_l.rounds().size() ) );
    for( int round_l = 0; round_l < drawn_cl; ++round_l )
    {
        if( round_l )
            champ_l.advanceRound();
        QVector< PlayerRef > pool_l;
        const RoundPlayers players_cl = champ_l.rounds().at( round_l ).players_m;
        for( auto group_it = players_cl.cbegin(); group_it != players_cl.cend(); ++group_it )
            for( const int id_cl : group_it.value() )
                pool_l.append( PlayerRef( group_it.key(), id_cl ) );
        std::shuffle( pool_l.begin(), pool_l.end(), random_l );
        champ_l.clearCurrentRoundPlayers();
        QVector< Game > games_l;
        for( int i = 0; i + 1 < pool_l.size(); i += 2 )
        {
            Game game_l;
            game_l.favorite_m = pool_l.at( i );
            game_l.outsider_m = pool_l.at( i + 1 );
            game_l.favoriteNation_m = 1 + int( random_l() % 17 );
            game_l.outsiderNation_m = 1 + int( random_l() % 17 );
            games_l.append( game_l );
        }
        champ_l.setCurrentRoundGames( games_l );
        const bool last_cl = round_l + 1 == drawn_cl;
        const int decided_cl =
            last_cl && decided_p >= 0 ? std::min( decided_p, int( games_l.size() ) ) : games_l.size();
        for( int i = 0; i < decided_cl; ++i )
            champ_l.setGameResult( i, random_l() % 2 ? EXPECTED : UNEXPECTED );
    }
    return champ_l;
}

// An 8-player championship with its second round drawn, as a damaged file
// leaves it: the first round has lost its games. It loads and plays on.
inline Championship withGapBeforeCurrentRound()
{
    QString text_l = SaveFile::toText( playedChampionship( 8, 5, 2, 0 ) );
    const int games_cl = text_l.indexOf( QStringLiteral( "<games>" ) );
    const int end_cl = text_l.indexOf( QStringLiteral( "</games>" ), games_cl ) + 8;
    text_l.replace( games_cl, end_cl - games_cl, QStringLiteral( "<games/>" ) );
    Championship gap_l;
    SaveFile::fromText( text_l, gap_l );
    return gap_l;
}

#endif
