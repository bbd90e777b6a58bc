#include "drawcheck.h"

#include "QTossThread.h"
#include "championship.h"

#include <QSet>

namespace
{
using PlayerKey = QPair< int, int >;

QSet< PlayerKey > keysOf( const RoundPlayers& pool_cp )
{
    QSet< PlayerKey > keys_l;
    for( auto group_it = pool_cp.cbegin(); group_it != pool_cp.cend(); ++group_it )
        for( const int id_cl : group_it.value() )
            keys_l.insert( qMakePair( group_it.key(), id_cl ) );
    return keys_l;
}

// Who may be drawn into the round: the winners of the round before, and in
// the second round the players who did not play the first.
QSet< PlayerKey > qualified( const Championship& champ_cp, int round_p )
{
    QSet< PlayerKey > qualified_l;
    QSet< PlayerKey > playedFirst_l;
    for( const Game& game_crl : champ_cp.rounds().at( round_p - 1 ).games_m )
    {
        if( UNKNOWN != game_crl.result_m )
            qualified_l.insert( qMakePair( game_crl.winner().groupId(), game_crl.winner().playerId() ) );
        playedFirst_l.insert( qMakePair( game_crl.favorite_m.groupId(), game_crl.favorite_m.playerId() ) );
        playedFirst_l.insert( qMakePair( game_crl.outsider_m.groupId(), game_crl.outsider_m.playerId() ) );
    }
    if( 1 == round_p )
        for( auto group_it = champ_cp.players().cbegin(); group_it != champ_cp.players().cend(); ++group_it )
            for( auto player_it = group_it.value().cbegin(); player_it != group_it.value().cend(); ++player_it )
                if( !playedFirst_l.contains( qMakePair( group_it.key(), player_it.key() ) ) )
                    qualified_l.insert( qMakePair( group_it.key(), player_it.key() ) );
    return qualified_l;
}

// The championship as the draw of the round found it.
Championship before( const Championship& champ_cp, int round_p )
{
    Championship before_l = champ_cp;
    before_l.nations() = champ_cp.rounds().at( round_p ).record_m.nations_m;
    // Undo puts back each round's pool as its draw found it; before the
    // first draw there are no rounds at all.
    while( !before_l.rounds().isEmpty() && ( !round_p || before_l.currentRound() >= round_p ) )
        before_l.undoLastDraw();
    return before_l;
}
}

DrawCheck::DrawCheck( const Championship& champ_cp ) : champ_m( champ_cp )
{
    for( int round_l = 0; round_l < champ_cp.rounds().size(); ++round_l )
        if( !champ_cp.rounds().at( round_l ).games_m.isEmpty() )
            rounds_m.append( checkRound( round_l ) );
}

bool DrawCheck::passes() const
{
    for( const Round& round_crl : rounds_m )
        if( Differs == round_crl.verdict_m || ( NotRecorded == round_crl.verdict_m && !champ_m.drawLog().isEmpty() ) )
            return false;
    return true;
}

DrawCheck::Round DrawCheck::checkRound( int round_p ) const
{
    const ::Round& drawn_crl = champ_m.rounds().at( round_p );
    const DrawRecord& record_crl = drawn_crl.record_m;
    Round check_l;
    check_l.round_m = round_p;
    check_l.denominator_m = drawn_crl.denominator();
    const auto stored_cl = std::find_if( champ_m.drawLog().cbegin(), champ_m.drawLog().cend(),
                                         [ round_p, &record_crl ]( const DrawLogEntry& entry_cp )
                                         {
                                             return entry_cp.round_m == round_p
                                                    && entry_cp.attempt_m == record_crl.attempt_m
                                                    && DrawLogEntry::Stored == entry_cp.outcome_m;
                                         } );
    if( !record_crl.isValid() || champ_m.drawLog().cend() == stored_cl )
        return check_l;
    check_l.verdict_m = Differs;
    check_l.commitment_m = stored_cl->commitment_m == DrawRecord::commitment( record_crl.secret_m );
    check_l.pool_m = !round_p || keysOf( drawn_crl.drawnFrom_m ) == qualified( champ_m, round_p );
    if( !check_l.commitment_m || !check_l.pool_m )
        return check_l;
    Championship replayed_l = before( champ_m, round_p );
    QTossThread thread_l;
    thread_l.setPaced( false );
    const QVector< Game > games_cl =
        thread_l.replay( replayed_l, record_crl ) ? replayed_l.rounds().at( round_p ).games_m : QVector< Game >();
    for( int g = 0; g < std::max( games_cl.size(), drawn_crl.games_m.size() ); ++g )
    {
        const Game recorded_cl = drawn_crl.games_m.value( g );
        const Game replayed_cl = games_cl.value( g );
        // Results came after the draw; everything else the draw made.
        if( g >= games_cl.size() || g >= drawn_crl.games_m.size()
            || !( recorded_cl.favorite_m == replayed_cl.favorite_m )
            || !( recorded_cl.outsider_m == replayed_cl.outsider_m )
            || recorded_cl.favoriteNation_m != replayed_cl.favoriteNation_m
            || recorded_cl.outsiderNation_m != replayed_cl.outsiderNation_m )
        {
            check_l.game_m = g + 1;
            return check_l;
        }
    }
    check_l.verdict_m = Matches;
    return check_l;
}
