#include "QTossThread.h"

#include "drawseed.h"
#include "globaldata.h"
#include "svassert.h"

#include <QMetaMethod>

template < typename Text > void QTossThread::announce( int textValueType_p, const Text& text_p )
{
    if( announcing_m )
        emit nextTxtValue( textValueType_p, text_p() );
}

QTossThread::QTossThread()
    : QThread( nullptr ), proceed_m( true ), paced_m( true ), drawing_m( false ), storePending_m( false )
{
    connect( this, "2roundDrawn()", this, "1sltStoreRound()" );
    connect( this, "2finished()", this, "1sltDrawEnded()" );
}

void QTossThread::setPace( Pace pace_p )
{
    pace_m = pace_p;
}

void QTossThread::setPaced( bool paced_p )
{
    paced_m = paced_p;
}

bool QTossThread::canStart( const Championship& champ_cp )
{
    if( champ_cp.nations().isEmpty() )
        return false;
    if( champ_cp.rounds().isEmpty() )
        return champ_cp.playersAmount() >= 2 && champ_cp.playersAmount() <= MAX_PLAYERS;
    return champ_cp.roundIsFinished();
}

bool QTossThread::isBusy() const
{
    return drawing_m || storePending_m;
}

QString QTossThread::commitment() const
{
    return record_m.isValid() ? record_m.commitment() : QString();
}

int QTossThread::attempt() const
{
    return record_m.isValid() ? record_m.attempt_m : 0;
}

void QTossThread::start()
{
    // Raising the flag of a running draw would revive a stopped one.
    if( isBusy() )
        return;
    Championship& champ_l = global::data::champ();
    // Without nations there is nothing to hand out: the draw is refused.
    if( champ_l.nations().isEmpty() )
        return;
    SV_ASSERT( global::data::champ().rounds().empty() || global::data::champ().roundIsFinished() );
    // The previous draw may still be leaving its thread.
    wait();
    {
        const std::lock_guard< std::mutex > lock_l( drawMutex_m );
        record_m = startAttempt( champ_l );
        source_m = champ_l;
        draw_m = champ_l;
    }
    proceed_m = true;
    drawing_m = true;
    QThread::start( QThread::InheritPriority );
}

void QTossThread::sltStop()
{
    proceed_m = false;
}

void QTossThread::run()
{
    const std::lock_guard< std::mutex > lock_l( drawMutex_m );
    if( drawRound() )
    {
        storePending_m = true;
        emit roundDrawn();
    }
    drawing_m = false;
}

bool QTossThread::drawInPlace( Championship& champ_rp )
{
    if( isBusy() || !canStart( champ_rp ) )
        return false;
    const std::lock_guard< std::mutex > lock_l( drawMutex_m );
    record_m = startAttempt( champ_rp );
    draw_m = champ_rp;
    proceed_m = true;
    const bool drawn_cl = drawRound();
    if( drawn_cl )
        champ_rp.adoptRounds( draw_m );
    if( record_m.isValid() )
        champ_rp.endDrawAttempt( drawn_cl );
    return drawn_cl;
}

bool QTossThread::replay( Championship& before_rp, const DrawRecord& record_cp )
{
    if( isBusy() || before_rp.nations().isEmpty() )
        return false;
    const std::lock_guard< std::mutex > lock_l( drawMutex_m );
    record_m = record_cp;
    draw_m = before_rp;
    proceed_m = true;
    replaying_m = true;
    const bool drawn_cl = drawRound();
    replaying_m = false;
    if( drawn_cl )
        before_rp.adoptRounds( draw_m );
    return drawn_cl;
}

bool QTossThread::drawRound()
{
    if( !proceed_m || draw_m.nations().isEmpty() )
        return false;
    // Each walk, the bye split of a first draw and the toss, takes the next
    // seed: from the record, or the fixed ones of a test.
    const quint32 seed_cl = record_m.isValid() ? record_m.seed( roundTitle( draw_m.nextDrawDenominator() ) ) : 0;
    const std::function< quint32() > seeds_cl =
        replaying_m ? std::function< quint32() >( [ next_l = seed_cl ]() mutable { return next_l++; } )
                    : drawseed::walkSeeds( seed_cl );
    int roundId_l = 0;
    if( draw_m.rounds().isEmpty() )
    {
        draw_m.createRounds( seeds_cl );
        if( draw_m.rounds().isEmpty() )
            return false;
    }
    else
        roundId_l = draw_m.currentRound() + 1;

    const Round& round_crl = draw_m.rounds().at( roundId_l );
    const int currentRoundId_cl = roundId_l;
    const int playersAmount_cl = round_crl.playersAmount();
    SV_ASSERT( ( ( 0 == currentRoundId_cl && playersAmount_cl < round_crl.denominator() * 2 )
                 || playersAmount_cl == round_crl.denominator() * 2 )
               && !( playersAmount_cl % 2 ) );
    const int denominator_cl = round_crl.denominator();
    const RoundPlayers pool_cl = round_crl.players_m;
    // Unwatched (the fuzzer, a benchmark), the candidates' texts are not
    // made: they cost most of a big draw's time, and change nothing drawn.
    announcing_m = isSignalConnected( QMetaMethod::fromSignal( &QTossThread::nextTxtValue ) );
    emit tossStarted( denominator_cl );

    // Places are lined up group by group in rank order; game g pairs the g-th
    // place from the top with the g-th place from the bottom.
    auto favorite_it = pool_cl.cbegin();
    auto outsider_it = pool_cl.cend();
    int favoritesCount_l = 0;
    int outsidersCount_l = 0;
    if( !pool_cl.isEmpty() )
    {
        --outsider_it;
        favoritesCount_l = favorite_it.value().size();
        outsidersCount_l = outsider_it.value().size();
    }
    QVector< Game > games_l;
    games_l.reserve( denominator_cl );
    ChosenPlayers chosenPlayers_l;
    for( auto group_it = draw_m.players().cbegin(); group_it != draw_m.players().cend(); ++group_it )
    {
        // Sized once for the whole draw: a set that grows as it goes
        // rehashes, and the candidates' lookups dominate a big draw.
        QSet< int > chosen_l;
        chosen_l.reserve( pool_cl.value( group_it.key() ).size() );
        chosenPlayers_l.insert( group_it.key(), chosen_l );
    }
    random_m.emplace( seeds_cl() );
    if( !proceed_m )
        return false;

    for( int gameNumber_l = 1; gameNumber_l <= playersAmount_cl / 2; ++gameNumber_l )
    {
        emit nextGame( gameNumber_l );
        if( !favoritesCount_l )
        {
            do
                ++favorite_it;
            while( favorite_it.value().isEmpty() );
            favoritesCount_l = favorite_it.value().size();
        }
        if( !outsidersCount_l )
        {
            do
                --outsider_it;
            while( outsider_it.value().isEmpty() );
            outsidersCount_l = outsider_it.value().size();
        }
        Game game_l;
        game_l.favorite_m =
            PlayerRef( favorite_it.key(), choosePlayer( FAVORITE_PLAYERS_NAME, favorite_it, chosenPlayers_l ) );
        game_l.favoriteNation_m = chooseNation( FAVORITE_PLAYERS_NATION );
        game_l.outsider_m =
            PlayerRef( outsider_it.key(), choosePlayer( OUTSIDER_PLAYERS_NAME, outsider_it, chosenPlayers_l ) );
        game_l.outsiderNation_m = chooseNation( OUTSIDER_PLAYERS_NATION );
        games_l.append( game_l );
        if( !proceed_m )
            return false;
        pause( Step::Game );
        --favoritesCount_l;
        --outsidersCount_l;
        if( !proceed_m )
            return false;
    }

    if( roundId_l )
        draw_m.advanceRound();
    draw_m.clearCurrentRoundPlayers();
    draw_m.setCurrentRoundGames( games_l );
    draw_m.setCurrentRoundRecord( record_m );
    return true;
}

DrawRecord QTossThread::startAttempt( Championship& champ_rp )
{
    return drawseed::isFixed() ? DrawRecord() : champ_rp.startDrawAttempt();
}

void QTossThread::sltStoreRound()
{
    {
        const std::lock_guard< std::mutex > lock_l( drawMutex_m );
        storePending_m = false;
        Championship& champ_l = global::data::champ();
        // A stop is final, even when it comes after the last game; and a new
        // or loaded championship, or an edited one, never takes a bracket
        // drawn from another.
        if( !proceed_m || !champ_l.isUnchangedSince( source_m ) )
            return;
        champ_l.adoptRounds( draw_m );
        if( record_m.isValid() )
            champ_l.endDrawAttempt( true );
    }
    emit championshipDataUpdated();
}

void QTossThread::sltDrawEnded()
{
    Championship& champ_l = global::data::champ();
    // A draw that stored nothing stays in the log of its championship, with
    // its secret revealed; a championship replaced meanwhile has no entry.
    if( !record_m.isValid() || !champ_l.isUnchangedSince( source_m ) )
        return;
    champ_l.endDrawAttempt( false );
}

int QTossThread::choosePlayer( int textValueType_p, RoundPlayers::const_iterator playersGroup_cp,
                               ChosenPlayers& chosenPlayers_rp )
{
    SV_ASSERT( playersGroup_cp.value().size() );
    SV_ASSERT( FAVORITE_PLAYERS_NAME == textValueType_p || OUTSIDER_PLAYERS_NAME == textValueType_p );
    const auto chosenPlayersIn1Group_l = chosenPlayers_rp.find( playersGroup_cp.key() );
    SV_ASSERT( chosenPlayers_rp.end() != chosenPlayersIn1Group_l );
    const QVector< int >& players_crl = playersGroup_cp.value();
    auto playerText_l = [ this, &playersGroup_cp ]( int playerId_p )
    { return draw_m.playerText( PlayerRef( playersGroup_cp.key(), playerId_p ) ); };

    int choosenPlayerId_l = players_crl.first();
    if( 1 == players_crl.size() )
        announce( textValueType_p, [ &playerText_l, choosenPlayerId_l ] { return playerText_l( choosenPlayerId_l ); } );
    else if( proceed_m )
    {
        // Any member of the list may come up, drawn or not; the seventh
        // candidate that is still undrawn is the pick.
        int hits_l = 0;
        do
        {
            announce( textValueType_p, [] { return QString(); } );
            choosenPlayerId_l = players_crl.at( random_m->below( players_crl.size() ) );
            if( !chosenPlayersIn1Group_l.value().contains( choosenPlayerId_l ) )
                ++hits_l;
            pause( Step::BeforeCandidate );
            announce( textValueType_p,
                      [ &playerText_l, choosenPlayerId_l ] { return playerText_l( choosenPlayerId_l ); } );
            pause( Step::Candidate );
        } while( proceed_m && hits_l < 7 );
    }
    // A stopped draw is abandoned with its game: its pick is not recorded.
    if( !proceed_m )
        return choosenPlayerId_l;
    SV_ASSERT( chosenPlayersIn1Group_l.value().end() == chosenPlayersIn1Group_l.value().find( choosenPlayerId_l ) );
    chosenPlayersIn1Group_l.value().insert( choosenPlayerId_l );
    return choosenPlayerId_l;
}

int QTossThread::chooseNation( int textValueType_p )
{
    SV_ASSERT( FAVORITE_PLAYERS_NATION == textValueType_p || OUTSIDER_PLAYERS_NATION == textValueType_p );
    const QVector< int >& nations_crl = draw_m.nations();
    int nationId_l = nations_crl.first();
    if( !proceed_m )
        return nationId_l;
    int counter_l = 7;
    do
    {
        announce( textValueType_p, [] { return QString(); } );
        nationId_l = nations_crl.at( random_m->below( nations_crl.size() ) );
        pause( Step::BeforeCandidate );
        announce( textValueType_p, [ this, nationId_l ] { return draw_m.nationName( nationId_l ); } );
        pause( Step::Candidate );
    } while( nations_crl.size() > 1 && proceed_m && --counter_l );
    return nationId_l;
}

void QTossThread::pause( Step step_p ) const
{
    if( !paced_m )
        return;
    static const unsigned long quick_scl[] = { 1, 3, 5 };
    static const unsigned long hall_scl[] = { 1, 120, 1500 };
    const int step_cl = static_cast< int >( step_p );
    unsigned long milliseconds_l = Pace::Hall == pace_m ? hall_scl[ step_cl ] : quick_scl[ step_cl ];
    // A long pause is cut short by a stop: Escape answers at once.
    while( milliseconds_l && proceed_m )
    {
        const unsigned long slice_cl = std::min( milliseconds_l, 20UL );
        QThread::msleep( slice_cl );
        milliseconds_l -= slice_cl;
    }
}
