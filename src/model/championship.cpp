#include "championship.h"

#include "drawpool.h"
#include "drawrandom.h"
#include "drawseed.h"
#include "savefile.h"
#include "svassert.h"

#include <QRandomGenerator>
#include <QSet>

#include <algorithm>
#include <atomic>

namespace
{
const QMap< int, QString >& defaultGroupsNames()
{
    static const QMap< int, QString > names_scl {
        { 1, QStringLiteral( "Чемпионы" ) },
        { 2, QStringLiteral( "Мастера" ) },
        { 3, QStringLiteral( "Ветераны" ) },
        { 4, QStringLiteral( "Новички" ) },
    };
    return names_scl;
}

const QMap< int, QString >& defaultNationsNames()
{
    static const QMap< int, QString > names_scl {
        { 1, QStringLiteral( "Ацтеки" ) },      { 2, QStringLiteral( "Великобритания" ) },
        { 3, QStringLiteral( "Германия" ) },    { 4, QStringLiteral( "Гуроны" ) },
        { 5, QStringLiteral( "Делавары" ) },    { 6, QStringLiteral( "Инки" ) },
        { 7, QStringLiteral( "Ирокезы" ) },     { 8, QStringLiteral( "Испания" ) },
        { 9, QStringLiteral( "Майя" ) },        { 10, QStringLiteral( "Нидерланды" ) },
        { 11, QStringLiteral( "Португалия" ) }, { 12, QStringLiteral( "Пуэбло" ) },
        { 13, QStringLiteral( "Россия" ) },     { 14, QStringLiteral( "Сиу" ) },
        { 15, QStringLiteral( "США" ) },        { 16, QStringLiteral( "Франция" ) },
        { 17, QStringLiteral( "Хайда" ) },
    };
    return names_scl;
}

// The largest free id not greater than the group's size.
int newPlayerId( const PlayersGroup& group_cp )
{
    int candidate_l = group_cp.size();
    while( group_cp.contains( candidate_l ) )
        --candidate_l;
    return candidate_l;
}

// Copies each listed player into the target group under a new id, in list
// order, then erases them from the source group.
void movePlayersBetween( PlayersGroup& sourceGroup_p, PlayersGroup& targetGroup_p, const QVector< int >& playersIds_cp )
{
    for( const int id : playersIds_cp )
    {
        SV_ASSERT( sourceGroup_p.end() != sourceGroup_p.find( id ) );
        targetGroup_p.insert( newPlayerId( targetGroup_p ), sourceGroup_p.value( id ) );
    }
    for( const int id : playersIds_cp )
        sourceGroup_p.remove( id );
}

// A waiting list emptied by a changed result names nobody: it counts as absent.
bool samePools( const RoundPlayers& first_cp, const RoundPlayers& second_cp )
{
    const auto covers_l = []( const RoundPlayers& some_cp, const RoundPlayers& other_cp )
    {
        for( auto group_it = some_cp.cbegin(); group_it != some_cp.cend(); ++group_it )
            if( !group_it.value().isEmpty() && other_cp.value( group_it.key() ) != group_it.value() )
                return false;
        return true;
    };
    return covers_l( first_cp, second_cp ) && covers_l( second_cp, first_cp );
}

bool sameRounds( const QVector< Round >& first_cp, const QVector< Round >& second_cp )
{
    if( first_cp.size() != second_cp.size() )
        return false;
    for( int i = 0; i < first_cp.size(); ++i )
        if( first_cp.at( i ).denominator() != second_cp.at( i ).denominator()
            || first_cp.at( i ).games_m != second_cp.at( i ).games_m
            || !samePools( first_cp.at( i ).players_m, second_cp.at( i ).players_m )
            || !samePools( first_cp.at( i ).drawnFrom_m, second_cp.at( i ).drawnFrom_m )
            || !( first_cp.at( i ).record_m == second_cp.at( i ).record_m ) )
            return false;
    return true;
}

quint64 newOrigin()
{
    static std::atomic< quint64 > origins_s { 0 };
    return ++origins_s;
}

// Whether a game of the current round agrees with the next round: a decided
// game has put its winner and only its winner there, an undecided one
// neither of its players.
bool gameAddsUp( const Game& game_cp, const Round& next_cp )
{
    const auto waits_l = [ &next_cp ]( const PlayerRef& player_cp )
    { return next_cp.players_m.value( player_cp.groupId() ).contains( player_cp.playerId() ); };
    const bool favoriteWaits_cl = waits_l( game_cp.favorite_m );
    const bool outsiderWaits_cl = waits_l( game_cp.outsider_m );
    switch( game_cp.result_m )
    {
    case EXPECTED:
        return favoriteWaits_cl && !outsiderWaits_cl;
    case UNEXPECTED:
        return !favoriteWaits_cl && outsiderWaits_cl;
    default:
        return !favoriteWaits_cl && !outsiderWaits_cl;
    }
}

// Whether the round fits its places and names only groups that exist.
bool roundFits( const Round& round_cp, const PlayersGroups& players_cp )
{
    if( round_cp.games_m.size() > round_cp.denominator() || round_cp.playersAmount() > 2 * round_cp.denominator() )
        return false;
    // The draw keeps one set of chosen players per group of the championship.
    // A missing player of an existing group is shown with empty texts.
    for( auto group_it = round_cp.players_m.cbegin(); group_it != round_cp.players_m.cend(); ++group_it )
        if( !players_cp.contains( group_it.key() ) )
            return false;
    for( const Game& game_crl : round_cp.games_m )
        if( !players_cp.contains( game_crl.favorite_m.groupId() )
            || !players_cp.contains( game_crl.outsider_m.groupId() ) )
            return false;
    return true;
}

// Chooses count players of the group at random; the chosen ones go to
// firstPart_rp, the others to secondPart_rp, both in ascending id.
void splitPlayers( const PlayersGroup& groupPlayers_cp, int count_p, QVector< int >& firstPart_rp,
                   QVector< int >& secondPart_rp, quint32 seed_p )
{
    const QVector< int > ids_cl = groupPlayers_cp.keys().toVector();
    QVector< bool > chosen_l( ids_cl.size(), false );
    DrawRandom random_l( seed_p );
    for( int i = 0; i < count_p; ++i )
    {
        int index_l = random_l.below( ids_cl.size() );
        while( chosen_l.at( index_l ) )
            index_l = random_l.below( ids_cl.size() );
        chosen_l[ index_l ] = true;
    }
    SV_ASSERT( !( firstPart_rp.size() || secondPart_rp.size() ) );
    firstPart_rp.reserve( count_p );
    secondPart_rp.reserve( ids_cl.size() - count_p );
    for( int i = 0; i < ids_cl.size(); ++i )
        ( chosen_l.at( i ) ? firstPart_rp : secondPart_rp ).append( ids_cl.at( i ) );
}
}

QString storableText( const QString& text_cp )
{
    QString text_l;
    text_l.reserve( text_cp.size() );
    for( int i = 0; i < text_cp.size(); ++i )
    {
        const QChar char_cl = text_cp.at( i );
        if( char_cl.isHighSurrogate() && i + 1 < text_cp.size() && text_cp.at( i + 1 ).isLowSurrogate() )
        {
            text_l += char_cl;
            text_l += text_cp.at( ++i );
        }
        else if( char_cl.isSurrogate() || 0xFFFE == char_cl.unicode() || 0xFFFF == char_cl.unicode() )
            continue;
        else if( QChar::Other_Control == char_cl.category() )
            text_l += QLatin1Char( ' ' );
        else
            text_l += char_cl;
    }
    return text_l;
}

const QStringList& resultTxtValues()
{
    static const QStringList values_scl { QStringLiteral( "UNKNOWN" ), QStringLiteral( "EXPECTED" ),
                                          QStringLiteral( "UNEXPECTED" ) };
    return values_scl;
}

const QString& resultTxtValue( int resultId_p )
{
    SV_ASSERT( resultId_p < resultTxtValues().size() );
    return resultTxtValues().at( resultId_p );
}

QString roundTitle( int denominator_p )
{
    static const QString final_scl = QStringLiteral( "Финал" );
    static const QString round_scl = QStringLiteral( "1/%1 финала" );
    return 1 == denominator_p ? final_scl : round_scl.arg( denominator_p );
}

QString gameTitle( int denominator_p, int gameNumber_p )
{
    static const QString game_scl = QStringLiteral( " - игра №%1" );
    if( 1 == denominator_p )
        return roundTitle( denominator_p );
    return roundTitle( denominator_p ) + game_scl.arg( gameNumber_p );
}

// ---------------------------------------------------------------- Game

const PlayerRef& Game::winner() const
{
    SV_ASSERT( UNKNOWN != result_m );
    return EXPECTED == result_m ? favorite_m : outsider_m;
}

bool Game::operator==( const Game& other_cp ) const
{
    return favorite_m == other_cp.favorite_m && outsider_m == other_cp.outsider_m
           && favoriteNation_m == other_cp.favoriteNation_m && outsiderNation_m == other_cp.outsiderNation_m
           && result_m == other_cp.result_m;
}

// ---------------------------------------------------------------- Round

Round::Round( int denominator_p ) : denominator_m( denominator_p )
{
    SV_ASSERT( denominator_m && ( 1 == denominator_m || !( denominator_m % 2 ) ) );
}

Round::Round( const Round& round_cp )
    : players_m( round_cp.players_m ), games_m( round_cp.games_m ), drawnFrom_m( round_cp.drawnFrom_m ),
      record_m( round_cp.record_m ), denominator_m( round_cp.denominator_m )
{
    SV_ASSERT( denominator_m && ( 1 == denominator_m || !( denominator_m % 2 ) ) );
}

void Round::addGroup( int groupId_p, const QVector< int >& playersIds_cp )
{
    SV_ASSERT( players_m.end() == players_m.find( groupId_p ) );
    players_m.insert( groupId_p, playersIds_cp );
}

void Round::addPlayer( const PlayerRef& player_cp )
{
    auto found_l = players_m.find( player_cp.groupId() );
    if( players_m.end() == found_l )
        found_l = players_m.insert( player_cp.groupId(), QVector< int >() );
    SV_ASSERT( !found_l.value().contains( player_cp.playerId() ) );
    found_l.value().append( player_cp.playerId() );
}

void Round::removePlayer( const PlayerRef& player_cp )
{
    auto found_l = players_m.find( player_cp.groupId() );
    SV_ASSERT( players_m.end() != found_l );
    SV_ASSERT( found_l.value().contains( player_cp.playerId() ) );
    found_l.value().removeOne( player_cp.playerId() );
}

Game& Round::game( int gameId_p )
{
    SV_ASSERT( games_m.size() > gameId_p );
    return games_m[ gameId_p ];
}

const Game& Round::game( int gameId_p ) const
{
    SV_ASSERT( games_m.size() > gameId_p );
    return games_m.at( gameId_p );
}

int Round::playersAmount() const
{
    int amount_l = 0;
    for( const QVector< int >& ids_crl : players_m )
        amount_l += ids_crl.size();
    return amount_l;
}

bool Round::operator==( const Round& other_cp ) const
{
    return denominator_m == other_cp.denominator_m && players_m == other_cp.players_m && games_m == other_cp.games_m
           && samePools( drawnFrom_m, other_cp.drawnFrom_m ) && record_m == other_cp.record_m;
}

// ---------------------------------------------------------------- Championship

Championship::Championship() : currentRound_m( 0 )
{
    reset();
}

bool Championship::roundIsFinished() const
{
    const int next_cl = currentRound_m + 1;
    if( next_cl >= rounds_m.size() )
        return false;
    const Round& round_crl = rounds_m.at( next_cl );
    return round_crl.playersAmount() == 2 * round_crl.denominator();
}

int Championship::playersAmount() const
{
    int amount_l = 0;
    for( const PlayersGroup& group_crl : players_m )
        amount_l += group_crl.size();
    return amount_l;
}

QString Player::text() const
{
    if( clanName_m.isEmpty() )
        return nickname_m;
    return QStringLiteral( "[%1]%2" ).arg( clanName_m, nickname_m );
}

QString Championship::playerText( const PlayerRef& player_cp ) const
{
    return players_m.value( player_cp.groupId() ).value( player_cp.playerId() ).text();
}

QString Championship::nationName( int nationId_p ) const
{
    return nationsNames_m.value( nationId_p );
}

bool Championship::holdsSameAs( const Championship& other_cp ) const
{
    return currentRound_m == other_cp.currentRound_m && players_m == other_cp.players_m
           && groupsNames_m == other_cp.groupsNames_m && nations_m == other_cp.nations_m
           && nationsNames_m == other_cp.nationsNames_m && sameRounds( rounds_m, other_cp.rounds_m )
           && drawLog_m == other_cp.drawLog_m && renameLog_m == other_cp.renameLog_m
           && recordsPools_m == other_cp.recordsPools_m;
}

bool Championship::canBePlayedToFinal() const
{
    const int amount_cl = rounds_m.size();
    if( !amount_cl )
        return 0 == currentRound_m;
    if( currentRound_m < 0 || currentRound_m >= amount_cl )
        return false;
    for( int i = 0; i < amount_cl; ++i )
    {
        const Round& round_crl = rounds_m.at( i );
        // A current round without games could never be drawn again, and
        // games after it would stand in place of the ones its draw makes.
        // An earlier round that lost its games to a damaged file is history
        // that nothing plays on.
        const bool drawnAsDue_cl = i < currentRound_m || round_crl.games_m.isEmpty() == ( i > currentRound_m );
        if( round_crl.denominator() != 1 << ( amount_cl - 1 - i ) || !drawnAsDue_cl
            || !roundFits( round_crl, players_m ) )
            return false;
    }
    QSet< QPair< int, int > > playing_l;
    for( const Game& game_crl : rounds_m.at( currentRound_m ).games_m )
        for( const PlayerRef& side_crl : { game_crl.favorite_m, game_crl.outsider_m } )
        {
            const QPair< int, int > key_cl( side_crl.groupId(), side_crl.playerId() );
            if( playing_l.contains( key_cl ) )
                return false;
            playing_l.insert( key_cl );
        }
    const int next_cl = currentRound_m + 1;
    if( next_cl == amount_cl )
        return true;
    const Round& nextRound_crl = rounds_m.at( next_cl );
    int undecided_l = 0;
    for( const Game& game_crl : rounds_m.at( currentRound_m ).games_m )
    {
        if( !gameAddsUp( game_crl, nextRound_crl ) )
            return false;
        undecided_l += UNKNOWN == game_crl.result_m;
    }
    if( nextRound_crl.playersAmount() + undecided_l != 2 * nextRound_crl.denominator() )
        return false;
    for( int i = next_cl + 1; i < amount_cl; ++i )
        if( rounds_m.at( i ).playersAmount() )
            return false;
    return true;
}

bool Championship::isUnchangedSince( const Championship& kept_cp ) const
{
    return origin_m == kept_cp.origin_m && holdsSameAs( kept_cp );
}

void Championship::reset()
{
    origin_m = newOrigin();
    players_m.clear();
    for( auto group_it = defaultGroupsNames().cbegin(); group_it != defaultGroupsNames().cend(); ++group_it )
        players_m.insert( group_it.key(), PlayersGroup() );
    groupsNames_m = defaultGroupsNames();
    nationsNames_m = defaultNationsNames();
    nations_m = nationsNames_m.keys().toVector();
    rounds_m.clear();
    currentRound_m = 0;
    drawLog_m.clear();
    renameLog_m.clear();
    recordsPools_m = false;
    nextSecret_m.clear();
    hallWord_m.clear();
}

void Championship::clearFileName()
{
    fileName_m.clear();
}

void Championship::addPlayer( int groupId_p, const QString& nickname_p, const QString& clanName_p )
{
    const auto group_l = players_m.find( groupId_p );
    SV_ASSERT( players_m.end() != group_l );
    group_l.value().insert( newPlayerId( group_l.value() ), Player { nickname_p, clanName_p } );
}

void Championship::removePlayers( int groupId_p, const QVector< int >& playersIds_cp )
{
    const auto found_l = players_m.find( groupId_p );
    SV_ASSERT( players_m.end() != found_l );
    for( const int id_cl : playersIds_cp )
        found_l.value().remove( id_cl );
}

void Championship::movePlayersToNextGroup( int groupId_p, const QVector< int >& playersIds_cp )
{
    movePlayers( groupId_p, playersIds_cp, true );
}

void Championship::movePlayersToPreviousGroup( int groupId_p, const QVector< int >& playersIds_cp )
{
    movePlayers( groupId_p, playersIds_cp, false );
}

void Championship::movePlayers( int groupId_p, const QVector< int >& playersIds_cp, bool toNext_p )
{
    const auto found_l = players_m.find( groupId_p );
    SV_ASSERT( players_m.end() != found_l );
    if( toNext_p ? std::next( found_l ) == players_m.end() : found_l == players_m.begin() )
        return;
    const auto target_cl = toNext_p ? std::next( found_l ) : std::prev( found_l );
    movePlayersBetween( found_l.value(), target_cl.value(), playersIds_cp );
}

void Championship::renamePlayer( const PlayerRef& player_cp, const QString& nickname_p, const QString& clanName_p )
{
    const auto group_l = players_m.find( player_cp.groupId() );
    SV_ASSERT( players_m.end() != group_l && group_l.value().contains( player_cp.playerId() ) );
    Player& player_l = group_l.value()[ player_cp.playerId() ];
    const Player renamed_cl { nickname_p, clanName_p };
    // Once a draw has started, a record may hold the old name: the check
    // follows it to the new one through the log.
    if( !drawLog_m.isEmpty() && !( player_l == renamed_cl ) )
        renameLog_m.append( RenameLogEntry {
            drawLog_m.size(), QDateTime::fromSecsSinceEpoch( QDateTime::currentSecsSinceEpoch(), Qt::UTC ),
            player_cp.groupId(), player_cp.playerId(), player_l.nickname_m, player_l.clanName_m, nickname_p,
            clanName_p } );
    player_l = renamed_cl;
}

void Championship::setGameResult( int gameId_p, GameResult result_p )
{
    const int current_cl = currentRound_m;
    if( current_cl + 1 >= rounds_m.size() )
    {
        rounds_m[ current_cl ].game( gameId_p ).result_m = result_p;
        return;
    }
    Game& game_l = rounds_m[ current_cl ].game( gameId_p );
    Round& next_l = rounds_m[ current_cl + 1 ];
    // A loaded file may disagree with itself: the previous winner may be
    // missing from the next round, or the new one be there already. Keep the
    // next round's lists free of duplicates and never take out what is not
    // there.
    auto holds_l = [ &next_l ]( const PlayerRef& player_cp )
    { return next_l.players_m.value( player_cp.groupId() ).contains( player_cp.playerId() ); };
    // A full next round takes nobody more: the result is not changed.
    const bool freesPlace_cl = UNKNOWN != game_l.result_m && holds_l( game_l.winner() );
    const PlayerRef& newWinner_crl = EXPECTED == result_p ? game_l.favorite_m : game_l.outsider_m;
    if( UNKNOWN != result_p && !freesPlace_cl && !holds_l( newWinner_crl )
        && next_l.playersAmount() >= 2 * next_l.denominator() )
        return;
    if( freesPlace_cl )
        next_l.removePlayer( game_l.winner() );
    game_l.result_m = result_p;
    if( !holds_l( game_l.winner() ) )
        next_l.addPlayer( game_l.winner() );
    // The bracket's own rule, for the one game that changed.
    SV_ASSERT( gameAddsUp( game_l, next_l ) );
}

void Championship::createRounds()
{
    createRounds( drawseed::walkSeeds( QRandomGenerator::system()->generate() ) );
}

void Championship::createRounds( const std::function< quint32() >& seeds_p )
{
    SV_ASSERT( !( rounds_m.size() || currentRound_m ) );
    const int playersAmount_cl = playersAmount();
    if( playersAmount_cl < 2 )
        return;
    int places_l = 1;
    while( places_l < playersAmount_cl )
        places_l *= 2;
    int favoritesAmountRest_l = places_l - playersAmount_cl;
    for( int denominator_l = places_l / 2; denominator_l >= 1; denominator_l /= 2 )
    {
        Round round_l( denominator_l );
        round_l.games_m.reserve( denominator_l );
        rounds_m.append( round_l );
    }
    // The byes go to the strongest groups: whole groups first, then a random
    // part of the first group that does not fit completely.
    int targetRound_l = favoritesAmountRest_l > 0 ? 1 : 0;
    for( auto currentGroup_l = players_m.cbegin(); currentGroup_l != players_m.cend(); ++currentGroup_l )
    {
        SV_ASSERT( players_m.cend() != currentGroup_l );
        const PlayersGroup& group_crl = currentGroup_l.value();
        if( favoritesAmountRest_l && group_crl.size() > favoritesAmountRest_l )
        {
            QVector< int > firstPart_l;
            QVector< int > secondPart_l;
            splitPlayers( group_crl, favoritesAmountRest_l, firstPart_l, secondPart_l, seeds_p() );
            rounds_m[ 1 ].addGroup( currentGroup_l.key(), firstPart_l );
            rounds_m[ 0 ].addGroup( currentGroup_l.key(), secondPart_l );
            favoritesAmountRest_l = 0;
            targetRound_l = 0;
            continue;
        }
        rounds_m[ targetRound_l ].addGroup( currentGroup_l.key(), group_crl.keys().toVector() );
        if( favoritesAmountRest_l )
        {
            favoritesAmountRest_l -= group_crl.size();
            SV_ASSERT( favoritesAmountRest_l >= 0 );
            if( !favoritesAmountRest_l )
                targetRound_l = 0;
        }
    }
}

void Championship::advanceRound()
{
    if( roundIsFinished() )
        ++currentRound_m;
}

void Championship::clearCurrentRoundPlayers()
{
    Round& round_l = rounds_m[ currentRound_m ];
    round_l.drawnFrom_m = round_l.players_m;
    round_l.players_m.clear();
}

void Championship::setCurrentRoundGames( const QVector< Game >& games_cp )
{
    SV_ASSERT( !currentRound_m || games_cp.size() == rounds_m.at( currentRound_m ).denominator() );
    rounds_m[ currentRound_m ].games_m = games_cp;
}

void Championship::setCurrentRoundRecord( const DrawRecord& record_cp )
{
    rounds_m[ currentRound_m ].record_m = record_cp;
}

void Championship::adoptRounds( const Championship& drawn_cp )
{
    rounds_m = drawn_cp.rounds_m;
    currentRound_m = drawn_cp.currentRound_m;
}

void Championship::undoLastDraw()
{
    SV_ASSERT( !rounds_m.isEmpty() );
    // An undone draw stays in the log, marked as such.
    for( auto entry_it = drawLog_m.rbegin(); entry_it != drawLog_m.rend(); ++entry_it )
        if( entry_it->round_m == currentRound_m && DrawLogEntry::Stored == entry_it->outcome_m )
        {
            entry_it->outcome_m = DrawLogEntry::Undone;
            break;
        }
    if( !currentRound_m )
    {
        rounds_m.clear();
        return;
    }
    Round& undone_l = rounds_m[ currentRound_m ];
    // A file of an older program keeps no pool: every player of the pool
    // was drawn into one of the round's games.
    if( undone_l.drawnFrom_m.isEmpty() )
        for( const Game& game_crl : undone_l.games_m )
        {
            undone_l.drawnFrom_m[ game_crl.favorite_m.groupId() ].append( game_crl.favorite_m.playerId() );
            undone_l.drawnFrom_m[ game_crl.outsider_m.groupId() ].append( game_crl.outsider_m.playerId() );
        }
    undone_l.players_m = undone_l.drawnFrom_m;
    undone_l.drawnFrom_m.clear();
    undone_l.games_m.clear();
    undone_l.record_m = DrawRecord();
    if( currentRound_m + 1 < rounds_m.size() )
        rounds_m[ currentRound_m + 1 ].players_m.clear();
    --currentRound_m;
}

bool Championship::canUndoLastDraw() const
{
    if( rounds_m.isEmpty() )
        return false;
    Championship undone_l = *this;
    undone_l.undoLastDraw();
    return undone_l.canBePlayedToFinal();
}

int Championship::decidedGames() const
{
    if( rounds_m.isEmpty() )
        return 0;
    const QVector< Game >& games_crl = rounds_m.at( currentRound_m ).games_m;
    return std::count_if( games_crl.cbegin(), games_crl.cend(),
                          []( const Game& game_cp ) { return UNKNOWN != game_cp.result_m; } );
}

int Championship::nextDrawDenominator() const
{
    if( !rounds_m.isEmpty() )
        return rounds_m.value( nextDrawRound(), Round( 1 ) ).denominator();
    // The first draw makes rounds for the smallest power of two that takes
    // every player.
    int places_l = 2;
    while( places_l < playersAmount() )
        places_l *= 2;
    return places_l / 2;
}

QString Championship::nextDrawCommitment()
{
    if( nextSecret_m.isEmpty() )
        nextSecret_m = DrawRecord::newSecret();
    return DrawRecord::commitment( nextSecret_m, DrawPool::nextDraw( *this ) );
}

int Championship::nextDrawAttempt() const
{
    const int round_cl = nextDrawRound();
    return 1
           + std::count_if( drawLog_m.cbegin(), drawLog_m.cend(),
                            [ round_cl ]( const DrawLogEntry& logged_cp ) { return logged_cp.round_m == round_cl; } );
}

DrawRecord Championship::startDrawAttempt()
{
    DrawRecord record_l;
    record_l.secret_m = nextSecret_m.isEmpty() ? DrawRecord::newSecret() : nextSecret_m;
    record_l.word_m = hallWord_m;
    record_l.attempt_m = nextDrawAttempt();
    record_l.nations_m = nations_m;
    record_l.pool_m = DrawPool::nextDraw( *this );
    DrawLogEntry entry_l;
    entry_l.round_m = nextDrawRound();
    entry_l.denominator_m = nextDrawDenominator();
    entry_l.attempt_m = record_l.attempt_m;
    // To the second, as the file keeps it.
    entry_l.time_m = QDateTime::fromSecsSinceEpoch( QDateTime::currentSecsSinceEpoch(), Qt::UTC );
    entry_l.commitment_m = record_l.commitment();
    entry_l.word_m = hallWord_m;
    entry_l.secret_m = record_l.secret_m;
    drawLog_m.append( entry_l );
    recordsPools_m = true;
    nextSecret_m.clear();
    hallWord_m.clear();
    return record_l;
}

void Championship::endDrawAttempt( bool stored_p )
{
    SV_ASSERT( !drawLog_m.isEmpty() && DrawLogEntry::Started == drawLog_m.last().outcome_m );
    DrawLogEntry& entry_l = drawLog_m.last();
    entry_l.outcome_m = stored_p ? DrawLogEntry::Stored : DrawLogEntry::Cancelled;
}

bool Championship::load( const QString& fileName_p )
{
    Championship loaded_l;
    if( !SaveFile::read( fileName_p, loaded_l ) )
        return false;
    loaded_l.fileName_m = fileName_p;
    *this = loaded_l;
    return true;
}

bool Championship::save( const QString& fileName_p )
{
    const QString fileName_cl = fileName_p.isEmpty() ? fileName_m : fileName_p;
    if( fileName_cl.isEmpty() || !SaveFile::write( *this, fileName_cl ) )
        return false;
    fileName_m = fileName_cl;
    return true;
}
