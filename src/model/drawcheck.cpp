#include "drawcheck.h"

#include "QTossThread.h"
#include "championship.h"
#include "drawpool.h"

#include <QMap>
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
    checkLog();
}

QString DrawCheck::wordText( const QString& word_cp )
{
    return word_cp.isEmpty() ? QStringLiteral( "без слова" )
                             : QStringLiteral( "слово «" ) + word_cp + QStringLiteral( "»" );
}

QString DrawCheck::timeText( const QDateTime& time_cp )
{
    return time_cp.toString( QStringLiteral( "dd.MM.yyyy HH:mm:ss" ) ) + QStringLiteral( " UTC" );
}

QString DrawCheck::renameText( const RenameLogEntry& rename_cp )
{
    const auto name_l = []( const QString& nickname_cp, const QString& clan_cp )
    { return clan_cp.isEmpty() ? nickname_cp : QLatin1Char( '[' ) + clan_cp + QLatin1Char( ']' ) + nickname_cp; };
    return QStringLiteral( "переименование " ) + timeText( rename_cp.time_m ) + QStringLiteral( ": «" )
           + name_l( rename_cp.oldNickname_m, rename_cp.oldClanName_m ) + QStringLiteral( "» → «" )
           + name_l( rename_cp.nickname_m, rename_cp.clanName_m ) + QStringLiteral( "»" );
}

int DrawCheck::storedEntry( const Championship& champ_cp, int round_p )
{
    const DrawRecord& record_crl = champ_cp.rounds().at( round_p ).record_m;
    const QVector< DrawLogEntry >& log_crl = champ_cp.drawLog();
    for( int i = 0; i < log_crl.size(); ++i )
        if( log_crl.at( i ).round_m == round_p && log_crl.at( i ).attempt_m == record_crl.attempt_m
            && DrawLogEntry::Stored == log_crl.at( i ).outcome_m )
            return i;
    return -1;
}

QVector< RenameLogEntry > DrawCheck::renamesSince( const Championship& champ_cp, int round_p )
{
    const int stored_cl = storedEntry( champ_cp, round_p );
    QVector< DrawPool::Entry > pool_l;
    QVector< QPair< int, QString > > nations_l;
    DrawPool::parse( champ_cp.rounds().at( round_p ).record_m.pool_m, pool_l, nations_l );
    QSet< PlayerKey > players_l;
    for( const DrawPool::Entry& entry_crl : pool_l )
        players_l.insert( qMakePair( entry_crl.player_m.groupId(), entry_crl.player_m.playerId() ) );
    QVector< RenameLogEntry > renames_l;
    for( const RenameLogEntry& rename_crl : champ_cp.renameLog() )
        if( stored_cl >= 0 && rename_crl.afterDraws_m > stored_cl
            && players_l.contains( qMakePair( rename_crl.groupId_m, rename_crl.playerId_m ) ) )
            renames_l.append( rename_crl );
    return renames_l;
}

bool DrawCheck::passes() const
{
    // Once draws were recorded, a round without a record is one whose
    // record went; so is every round of a file whose log went.
    const bool recorded_cl = !champ_m.drawLog().isEmpty() || champ_m.recordsPools();
    for( const Round& round_crl : rounds_m )
        if( Differs == round_crl.verdict_m || ( NotRecorded == round_crl.verdict_m && recorded_cl ) )
            return false;
    return problems_m.isEmpty();
}

DrawCheck::Round DrawCheck::checkRound( int round_p ) const
{
    const ::Round& drawn_crl = champ_m.rounds().at( round_p );
    const DrawRecord& record_crl = drawn_crl.record_m;
    Round check_l;
    check_l.round_m = round_p;
    check_l.denominator_m = drawn_crl.denominator();
    if( !record_crl.isValid() )
    {
        if( champ_m.recordsPools() )
        {
            check_l.verdict_m = Differs;
            check_l.problem_m = QStringLiteral( "записи нет, а жеребьевки этого чемпионата записывались" );
        }
        return check_l;
    }
    check_l.version_m = record_crl.version_m;
    check_l.word_m = record_crl.word_m;
    check_l.attempt_m = record_crl.attempt_m;
    check_l.code_m = DrawRecord::shownCode( record_crl.commitment() );
    check_l.verdict_m = Differs;
    const int stored_cl = storedEntry( champ_m, round_p );
    if( stored_cl < 0 )
    {
        check_l.problem_m =
            QStringLiteral( "попытка %1 не записана в журнале как сохранённая" ).arg( record_crl.attempt_m );
        return check_l;
    }
    const DrawLogEntry& entry_crl = champ_m.drawLog().at( stored_cl );
    check_l.code_m = DrawRecord::shownCode( entry_crl.commitment_m );
    check_l.commitment_m = entry_crl.commitment_m == record_crl.commitment();
    check_l.pool_m = !round_p || keysOf( drawn_crl.drawnFrom_m ) == qualified( champ_m, round_p );
    if( !check_l.commitment_m || !check_l.pool_m )
        return check_l;
    Championship replayed_l = before( champ_m, round_p );
    if( DrawRecord::POOL_VERSION == record_crl.version_m && !poolMatches( check_l, DrawPool::nextDraw( replayed_l ) ) )
        return check_l;
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

// The pool the record kept against the bracket: the same players in the
// same order, the same nations under today's names, and the names it kept
// leading to today's through the renames logged after the draw.
bool DrawCheck::poolMatches( Round& check_rp, const QString& pool_cp ) const
{
    const DrawRecord& record_crl = champ_m.rounds().at( check_rp.round_m ).record_m;
    QVector< DrawPool::Entry > kept_l;
    QVector< DrawPool::Entry > bracket_l;
    QVector< QPair< int, QString > > nations_l;
    QVector< QPair< int, QString > > ignored_l;
    if( !DrawPool::parse( record_crl.pool_m, kept_l, nations_l ) || !DrawPool::parse( pool_cp, bracket_l, ignored_l ) )
    {
        check_rp.pool_m = false;
        return false;
    }
    check_rp.pool_m = kept_l.size() == bracket_l.size()
                      && std::equal( kept_l.cbegin(), kept_l.cend(), bracket_l.cbegin(),
                                     []( const DrawPool::Entry& kept_cp, const DrawPool::Entry& bracket_cp )
                                     { return kept_cp.player_m == bracket_cp.player_m; } );
    if( !check_rp.pool_m )
        return false;
    for( int i = 0; i < nations_l.size() || i < record_crl.nations_m.size(); ++i )
        if( nations_l.value( i ).first != record_crl.nations_m.value( i, -1 )
            || nations_l.value( i ).second != champ_m.nationName( nations_l.value( i ).first ) )
        {
            check_rp.problem_m =
                QStringLiteral( "нация «" ) + nations_l.value( i ).second + QStringLiteral( "» изменена без записи" );
            return false;
        }
    QMap< QPair< int, int >, Player > names_l;
    for( const DrawPool::Entry& entry_crl : kept_l )
        names_l.insert( qMakePair( entry_crl.player_m.groupId(), entry_crl.player_m.playerId() ), entry_crl.name_m );
    check_rp.renames_m = renamesSince( champ_m, check_rp.round_m );
    for( const RenameLogEntry& rename_crl : qAsConst( check_rp.renames_m ) )
    {
        const auto renamed_it = names_l.find( qMakePair( rename_crl.groupId_m, rename_crl.playerId_m ) );
        if( renamed_it.value() == Player { rename_crl.oldNickname_m, rename_crl.oldClanName_m } )
            renamed_it.value() = Player { rename_crl.nickname_m, rename_crl.clanName_m };
    }
    for( auto name_it = names_l.cbegin(); name_it != names_l.cend(); ++name_it )
        if( !( name_it.value()
               == champ_m.players().value( name_it.key().first ).value( name_it.key().second, Player { {}, {} } ) ) )
        {
            const Player& kept_crl = name_it.value();
            check_rp.problem_m =
                QStringLiteral( "имя игрока «" )
                + ( kept_crl.clanName_m.isEmpty() ? QString()
                                                  : QLatin1Char( '[' ) + kept_crl.clanName_m + QLatin1Char( ']' ) )
                + kept_crl.nickname_m + QStringLiteral( "» изменено без записи" );
            return false;
        }
    return true;
}

// The log on its own: nothing damaged, nothing under a round the bracket
// does not have, and each round's attempts logged once each from 1 on, the
// last one the round's record where it has one.
void DrawCheck::checkLog()
{
    const QVector< DrawLogEntry >& log_crl = champ_m.drawLog();
    const bool anyRecord_cl = std::any_of( champ_m.rounds().cbegin(), champ_m.rounds().cend(),
                                           []( const ::Round& round_cp ) { return round_cp.record_m.isValid(); } );
    if( log_crl.isEmpty() && ( anyRecord_cl || champ_m.recordsPools() ) )
        problems_m << QStringLiteral( "Журнал жеребьевок: не совпадает: журнала нет, а жеребьевки записывались" );
    QMap< int, int > denominators_l;
    for( int i = 0; i < log_crl.size(); ++i )
    {
        const DrawLogEntry& entry_crl = log_crl.at( i );
        if( DrawLogEntry::Damaged == entry_crl.outcome_m )
            problems_m << QStringLiteral( "Журнал жеребьевок: не совпадает: запись №%1 повреждена" ).arg( i + 1 );
        else if( champ_m.rounds().isEmpty() ? entry_crl.round_m > 0 : entry_crl.round_m >= champ_m.rounds().size() )
            problems_m << QStringLiteral( "Журнал жеребьевок: не совпадает: запись №%1 - жеребьевка тура, "
                                          "которого в сетке нет" )
                              .arg( i + 1 );
        else
            denominators_l.insert( entry_crl.round_m, entry_crl.denominator_m );
    }
    for( int round_l = 0; round_l < champ_m.rounds().size(); ++round_l )
        denominators_l.insert( round_l, champ_m.rounds().at( round_l ).denominator() );
    for( auto round_it = denominators_l.cbegin(); round_it != denominators_l.cend(); ++round_it )
        checkAttempts( round_it.key(), round_it.value() );
}

void DrawCheck::checkAttempts( int round_p, int denominator_p )
{
    const QString title_cl = roundTitle( denominator_p ) + QStringLiteral( ": не совпадает: " );
    QMap< int, QVector< DrawLogEntry::Outcome > > attempts_l;
    for( const DrawLogEntry& entry_crl : champ_m.drawLog() )
        if( entry_crl.round_m == round_p && DrawLogEntry::Damaged != entry_crl.outcome_m )
            attempts_l[ entry_crl.attempt_m ].append( entry_crl.outcome_m );
    const ::Round drawn_cl = champ_m.rounds().value( round_p, ::Round( denominator_p ) );
    const int recorded_cl =
        drawn_cl.record_m.isValid() && !drawn_cl.games_m.isEmpty() ? drawn_cl.record_m.attempt_m : 0;
    const int last_cl = std::max( attempts_l.isEmpty() ? 0 : attempts_l.lastKey(), recorded_cl );
    for( int attempt_l = 1; attempt_l <= last_cl; ++attempt_l )
    {
        const QVector< DrawLogEntry::Outcome > outcomes_cl = attempts_l.value( attempt_l );
        if( outcomes_cl.isEmpty() )
            problems_m << title_cl + QStringLiteral( "попытка %1 не записана" ).arg( attempt_l );
        else if( outcomes_cl.size() > 1 )
            problems_m << title_cl + QStringLiteral( "попытка %1 записана дважды" ).arg( attempt_l );
        // Only the round's own record may stand as stored.
        else if( DrawLogEntry::Stored == outcomes_cl.first() && attempt_l != recorded_cl )
            problems_m
                << title_cl
                       + QStringLiteral( "попытка %1 записана как сохранённая, но в сетке её нет" ).arg( attempt_l );
    }
}
