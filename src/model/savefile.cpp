#include "savefile.h"

#include "atomicfile.h"
#include "championship.h"
#include "fileencoding.h"
#include "globaldata.h"
#include "markupscan.h"
#include "savefiletags.h"
#include "savefilewriter.h"
#include "svassert.h"
#include "xmltree.h"

#include <QDomDocument>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>
#include <QTextCodec>

#include <algorithm>
#include <climits>

namespace
{
const SaveFileTags& tags()
{
    return SaveFileTags::all();
}

// ---------------------------------------------------------------- reading

// Qt's XML reader drops character references beyond the Basic Multilingual
// Plane (an emoji the writer escaped). In text and attribute values a
// reference stands for its character, so those are put in place before
// parsing; "&amp;#..." is no reference and stays as it is.
QString resolveWideReferences( const QString& text_cp )
{
    static const QRegularExpression reference_scl( QStringLiteral( "&#(?:([0-9]+)|x([0-9a-fA-F]+));" ) );
    QString resolved_l;
    int done_l = 0;
    for( auto match_it = reference_scl.globalMatch( text_cp ); match_it.hasNext(); )
    {
        const QRegularExpressionMatch match_cl = match_it.next();
        bool ok_l = false;
        const uint codePoint_cl = match_cl.capturedRef( 1 ).isEmpty() ? match_cl.capturedRef( 2 ).toUInt( &ok_l, 16 )
                                                                      : match_cl.capturedRef( 1 ).toUInt( &ok_l, 10 );
        if( !ok_l || codePoint_cl <= 0xFFFF || codePoint_cl > 0x10FFFF )
            continue;
        resolved_l += text_cp.midRef( done_l, match_cl.capturedStart() - done_l );
        resolved_l += QString::fromUcs4( &codePoint_cl, 1 );
        done_l = match_cl.capturedEnd();
    }
    if( !done_l )
        return text_cp;
    resolved_l += text_cp.midRef( done_l );
    return resolved_l;
}

// The nations list keeps its old tolerance: "5  7 x" reads 5, 7, 0. A
// negative id is dropped: the draw would hand it out, and a game with it
// would make a file that no reader takes.
QVector< int > lenientIds( const QString& text_cp )
{
    QVector< int > ids_l;
    for( const QString& piece_crl : text_cp.split( QLatin1Char( ' ' ), Qt::SkipEmptyParts ) )
        if( piece_crl.toInt() >= 0 )
            ids_l.append( piece_crl.toInt() );
    return ids_l;
}

// A name as the program keeps it: cleaned like typed text, but not trimmed,
// so that names in existing files stay as they are. A name of blanks alone
// would not survive the next save, whose parser drops such texts: it is no
// name.
QString readName( const QString& text_cp )
{
    const QString cleaned_cl = storableText( text_cp );
    return cleaned_cl.trimmed().isEmpty() ? QString() : cleaned_cl;
}

// The text of the element's first child when that child is a text node.
template < typename Element > bool firstChildText( const Element& element_cp, QString& text_rp )
{
    const auto child_cl = element_cp.firstChild();
    if( !child_cl.isText() )
        return false;
    text_rp = child_cl.toText().data();
    return true;
}

struct Loaded
{
    PlayersGroups players;
    QMap< int, QString > groupsNames;
    QMap< int, QString > nationsNames;
    QVector< int > nations;
    QVector< Round > rounds;
    int current = 0;
    QVector< DrawLogEntry > drawLog;
    QVector< RenameLogEntry > renames;
    bool recordsPools = false;
    SaveFile::Refusal refusal = SaveFile::Refusal::None;

    // The first rule a file breaks is the one it is refused for.
    void refuse( SaveFile::Refusal refusal_p )
    {
        if( SaveFile::Refusal::None == refusal )
            refusal = refusal_p;
    }
    // Reads a number of the file into value_rp. A number that overflowed or
    // was garbage used to read as 0 and so named somebody else: it refuses
    // the file.
    bool number( const QString& text_cp, int minimum_p, int maximum_p, int& value_rp )
    {
        bool ok_l = false;
        const qlonglong value_cl = text_cp.toLongLong( &ok_l );
        if( !ok_l || value_cl < minimum_p || value_cl > maximum_p )
        {
            refuse( SaveFile::Refusal::BadNumber );
            return false;
        }
        value_rp = static_cast< int >( value_cl );
        return true;
    }
    bool id( const QString& text_cp, int& id_rp ) { return number( text_cp, 0, INT_MAX, id_rp ); }
    bool ids( const QString& text_cp, QVector< int >& ids_rp )
    {
        for( const QString& piece_crl : text_cp.split( QLatin1Char( ' ' ), Qt::SkipEmptyParts ) )
        {
            int id_l = 0;
            if( !id( piece_crl, id_l ) )
                return false;
            ids_rp.append( id_l );
        }
        return true;
    }
    // A later entry under the same id used to replace the earlier one
    // silently: a registered player or nation would be lost.
    template < typename Map > bool isNew( const Map& map_cp, int id_p )
    {
        if( !map_cp.contains( id_p ) )
            return true;
        refuse( SaveFile::Refusal::RepeatedId );
        return false;
    }
    // The text of a name element, or false for one longer than any name.
    template < typename Element > bool name( const Element& element_cp, QString& name_rp )
    {
        QString text_l;
        if( !firstChildText( element_cp, text_l ) )
            return false;
        if( text_l.size() > SaveFile::MAX_NAME_LENGTH )
        {
            refuse( SaveFile::Refusal::BeyondBounds );
            return false;
        }
        name_rp = readName( text_l );
        return true;
    }
};

template < typename Element >
void readPlayer( const Element& playerElement_cp, PlayersGroup& group_rp, Loaded& loaded_rp )
{
    int pid_l = 0;
    if( playerElement_cp.attribute( tags().pid ).isEmpty()
        || !loaded_rp.id( playerElement_cp.attribute( tags().pid ), pid_l ) )
        return;
    Player player_l;
    for( auto node_l = playerElement_cp.firstChild(); !node_l.isNull(); node_l = node_l.nextSibling() )
    {
        if( !node_l.isElement() )
            break;
        const auto& field_cl = node_l.toElement();
        QString text_l;
        if( !loaded_rp.name( field_cl, text_l ) )
            continue;
        if( tags().nickname == field_cl.tagName() )
            player_l.nickname_m = text_l;
        else if( tags().clanname == field_cl.tagName() )
            player_l.clanName_m = text_l;
    }
    if( !player_l.nickname_m.isEmpty() && loaded_rp.isNew( group_rp, pid_l ) )
        group_rp.insert( pid_l, player_l );
}

template < typename Element > void readGroups( const Element& groups_cp, Loaded& loaded_rp )
{
    for( auto group_l = groups_cp.firstChildElement( tags().group ); !group_l.isNull();
         group_l = group_l.nextSiblingElement( tags().group ) )
    {
        int gid_l = 0;
        if( group_l.attribute( tags().gid ).isEmpty() || !loaded_rp.id( group_l.attribute( tags().gid ), gid_l ) )
            continue;
        QString name_l;
        PlayersGroup players_l;
        // A group without a name is dropped with its players, unread: what
        // they hold refuses nothing.
        Loaded playersCheck_l;
        for( auto node_l = group_l.firstChild(); !node_l.isNull(); node_l = node_l.nextSibling() )
        {
            if( !node_l.isElement() )
                break;
            const auto& child_cl = node_l.toElement();
            if( tags().name == child_cl.tagName() )
                loaded_rp.name( child_cl, name_l );
            else if( tags().player == child_cl.tagName() )
                readPlayer( child_cl, players_l, playersCheck_l );
        }
        if( name_l.isEmpty() || !loaded_rp.isNew( loaded_rp.players, gid_l ) )
            continue;
        loaded_rp.refuse( playersCheck_l.refusal );
        loaded_rp.players.insert( gid_l, players_l );
        loaded_rp.groupsNames.insert( gid_l, name_l );
    }
}

template < typename Element > void readNations( const Element& nations_cp, Loaded& loaded_rp )
{
    for( auto child_l = nations_cp.firstChildElement(); !child_l.isNull(); child_l = child_l.nextSiblingElement() )
    {
        QString text_l;
        if( !firstChildText( child_l, text_l ) || text_l.isEmpty() )
            continue;
        int nid_l = 0;
        if( tags().nation == child_l.tagName() && !child_l.attribute( tags().nid ).isEmpty() )
        {
            if( !loaded_rp.name( child_l, text_l ) || text_l.isEmpty() )
                continue;
            if( loaded_rp.id( child_l.attribute( tags().nid ), nid_l )
                && loaded_rp.isNew( loaded_rp.nationsNames, nid_l ) )
                loaded_rp.nationsNames.insert( nid_l, text_l );
        }
        else if( tags().list == child_l.tagName() )
            loaded_rp.nations += lenientIds( text_l );
    }
}

// Reads one side or the result into the game; returns whether it was a part.
template < typename Element > bool readGamePart( const Element& part_cp, Game& game_rp, int& favorites_rp,
                                                 int& outsiders_rp, int& results_rp, Loaded& loaded_rp )
{
    if( tags().result == part_cp.tagName() )
    {
        QString text_l;
        if( !firstChildText( part_cp, text_l ) )
            return false;
        game_rp.result_m = static_cast< GameResult >( qMax( 0, resultTxtValues().indexOf( text_l ) ) );
        ++results_rp;
        return true;
    }
    // Another element reads nothing, whatever its attributes look like.
    const bool favorite_cl = tags().favorite == part_cp.tagName();
    if( !favorite_cl && tags().outsider != part_cp.tagName() )
        return false;
    const QString gid_cl = part_cp.attribute( tags().gid );
    const QString pid_cl = part_cp.attribute( tags().pid );
    const QString nid_cl = part_cp.attribute( tags().nid );
    int gid_l = 0;
    int pid_l = 0;
    int nid_l = 0;
    if( gid_cl.isEmpty() || pid_cl.isEmpty() || nid_cl.isEmpty() || !loaded_rp.id( gid_cl, gid_l )
        || !loaded_rp.id( pid_cl, pid_l ) || !loaded_rp.id( nid_cl, nid_l ) )
        return false;
    ( favorite_cl ? game_rp.favorite_m : game_rp.outsider_m ) = PlayerRef( gid_l, pid_l );
    ( favorite_cl ? game_rp.favoriteNation_m : game_rp.outsiderNation_m ) = nid_l;
    ++( favorite_cl ? favorites_rp : outsiders_rp );
    return true;
}

template < typename Element > QVector< Game > readGames( const Element& games_cp, Loaded& loaded_rp )
{
    QVector< Game > games_l;
    for( auto gameElement_l = games_cp.firstChildElement( tags().game ); !gameElement_l.isNull();
         gameElement_l = gameElement_l.nextSiblingElement( tags().game ) )
    {
        Game game_l;
        int parts_l = 0;
        int favorites_l = 0;
        int outsiders_l = 0;
        int results_l = 0;
        for( auto part_l = gameElement_l.firstChildElement(); !part_l.isNull(); part_l = part_l.nextSiblingElement() )
            if( readGamePart( part_l, game_l, favorites_l, outsiders_l, results_l, loaded_rp ) )
                ++parts_l;
        if( 3 == parts_l && 1 == favorites_l && 1 == outsiders_l && 1 == results_l )
            games_l.append( game_l );
    }
    return games_l;
}

template < typename Element > void readRoundPlayers( const Element& players_cp, Round& round_rp, Loaded& loaded_rp )
{
    for( auto group_l = players_cp.firstChildElement( tags().group ); !group_l.isNull();
         group_l = group_l.nextSiblingElement( tags().group ) )
    {
        QString text_l;
        if( group_l.attribute( tags().gid ).isEmpty() || !firstChildText( group_l, text_l ) || text_l.isEmpty() )
            continue;
        int gid_l = 0;
        QVector< int > ids_l;
        if( !loaded_rp.id( group_l.attribute( tags().gid ), gid_l ) || !loaded_rp.ids( text_l, ids_l ) )
            return;
        // A group named twice in one pool, or a player named twice in a
        // group, would make the draw pick the same player for two places.
        if( round_rp.players_m.contains( gid_l ) || QSet< int >( ids_l.begin(), ids_l.end() ).size() != ids_l.size() )
        {
            loaded_rp.refuse( SaveFile::Refusal::RepeatedId );
            return;
        }
        round_rp.addGroup( gid_l, ids_l );
    }
}

// A secret of its own size in hex; anything else reads as none.
QByteArray readSecret( const QString& hex_cp )
{
    static const QRegularExpression hex_scl( QStringLiteral( "^[0-9a-f]{%1}$" ).arg( 2 * DrawRecord::SECRET_BYTES ) );
    return hex_scl.match( hex_cp ).hasMatch() ? QByteArray::fromHex( hex_cp.toLatin1() ) : QByteArray();
}

// A record that is malformed in any part reads as none: the draw is then
// unverifiable, and the check says so.
template < typename Element > DrawRecord readRecord( const Element& round_cp )
{
    DrawRecord record_l;
    if( !round_cp.hasAttribute( tags().secret ) )
        return record_l;
    Loaded check_l;
    record_l.secret_m = readSecret( round_cp.attribute( tags().secret ) );
    record_l.word_m = round_cp.attribute( tags().word );
    record_l.version_m = DrawRecord::FIRST_VERSION;
    if( round_cp.hasAttribute( tags().proof ) )
    {
        record_l.version_m = tags().poolVersion == round_cp.attribute( tags().proof ) ? DrawRecord::POOL_VERSION : 0;
        const auto pool_cl = round_cp.firstChildElement( tags().drawPool );
        if( pool_cl.isNull() || !firstChildText( pool_cl, record_l.pool_m ) )
            return DrawRecord();
    }
    if( !check_l.number( round_cp.attribute( tags().attempt ), 1, INT_MAX, record_l.attempt_m )
        || !check_l.ids( round_cp.attribute( tags().nationsUsed ), record_l.nations_m ) || !record_l.isValid() )
        return DrawRecord();
    return record_l;
}

// An entry in a form no program writes is kept as damaged, in its place:
// dropped, it would leave a gap the check could not see, and a file saved
// again would no longer show it.
DrawLogEntry damagedEntry()
{
    DrawLogEntry damaged_l;
    damaged_l.round_m = -1;
    damaged_l.outcome_m = DrawLogEntry::Damaged;
    return damaged_l;
}

template < typename Element > DrawLogEntry readDrawEntry( const Element& draw_cp )
{
    static const QRegularExpression commitment_scl( QStringLiteral( "^([0-9a-f]{16}|[0-9a-f]{64})$" ) );
    Loaded check_l;
    DrawLogEntry entry_l;
    const int outcome_cl = tags().outcomes.indexOf( draw_cp.attribute( tags().outcome ) );
    entry_l.time_m = QDateTime::fromString( draw_cp.attribute( tags().time ), Qt::ISODate );
    entry_l.commitment_m = draw_cp.attribute( tags().commitment );
    entry_l.word_m = draw_cp.attribute( tags().word );
    entry_l.secret_m = readSecret( draw_cp.attribute( tags().secret ) );
    if( outcome_cl < 0 || DrawLogEntry::Damaged == outcome_cl || !entry_l.time_m.isValid()
        || !commitment_scl.match( entry_l.commitment_m ).hasMatch()
        || ( DrawLogEntry::Started != outcome_cl && entry_l.secret_m.isEmpty() )
        || !check_l.number( draw_cp.attribute( tags().index ), 0, Championship::MAX_ROUNDS, entry_l.round_m )
        || !check_l.number( draw_cp.attribute( tags().denominator ), 1, INT_MAX, entry_l.denominator_m )
        || !check_l.number( draw_cp.attribute( tags().attempt ), 1, INT_MAX, entry_l.attempt_m ) )
        return damagedEntry();
    entry_l.outcome_m = static_cast< DrawLogEntry::Outcome >( outcome_cl );
    return entry_l;
}

template < typename Element > bool readRename( const Element& rename_cp, RenameLogEntry& entry_rp )
{
    Loaded check_l;
    entry_rp.time_m = QDateTime::fromString( rename_cp.attribute( tags().time ), Qt::ISODate );
    entry_rp.oldNickname_m = readName( rename_cp.attribute( tags().oldNickname ) );
    entry_rp.oldClanName_m = readName( rename_cp.attribute( tags().oldClanname ) );
    entry_rp.nickname_m = readName( rename_cp.attribute( tags().nickname ) );
    entry_rp.clanName_m = readName( rename_cp.attribute( tags().clanname ) );
    return entry_rp.time_m.isValid()
           && check_l.number( rename_cp.attribute( tags().gid ), 0, INT_MAX, entry_rp.groupId_m )
           && check_l.number( rename_cp.attribute( tags().pid ), 0, INT_MAX, entry_rp.playerId_m );
}

template < typename Element >
void readDrawLog( const Element& log_cp, QVector< DrawLogEntry >& log_rp, QVector< RenameLogEntry >& renames_rp )
{
    for( auto child_l = log_cp.firstChildElement(); !child_l.isNull(); child_l = child_l.nextSiblingElement() )
    {
        RenameLogEntry rename_l;
        rename_l.afterDraws_m = log_rp.size();
        if( tags().draw == child_l.tagName() )
            log_rp.append( readDrawEntry( child_l ) );
        else if( tags().rename == child_l.tagName() && readRename( child_l, rename_l ) )
            renames_rp.append( rename_l );
        else if( tags().rename == child_l.tagName() )
            log_rp.append( damagedEntry() );
    }
}

// Whether the pool names exactly the players of the round's games, each once.
bool isPoolOf( const RoundPlayers& pool_cp, const QVector< Game >& games_cp )
{
    QSet< QPair< int, int > > playing_l;
    for( const Game& game_crl : games_cp )
        for( const PlayerRef& side_crl : { game_crl.favorite_m, game_crl.outsider_m } )
            playing_l.insert( qMakePair( side_crl.groupId(), side_crl.playerId() ) );
    int pooled_l = 0;
    for( auto group_it = pool_cp.cbegin(); group_it != pool_cp.cend(); ++group_it )
        for( const int id_cl : group_it.value() )
        {
            ++pooled_l;
            if( !playing_l.contains( qMakePair( group_it.key(), id_cl ) ) )
                return false;
        }
    return pooled_l == 2 * games_cp.size() && playing_l.size() == pooled_l;
}

template < typename Element > void readRound( const Element& roundElement_cp, Round& round_rp, Loaded& loaded_rp )
{
    for( auto child_l = roundElement_cp.firstChildElement(); !child_l.isNull(); child_l = child_l.nextSiblingElement() )
    {
        if( tags().games == child_l.tagName() )
            round_rp.games_m = readGames( child_l, loaded_rp );
        else if( tags().players == child_l.tagName() )
            readRoundPlayers( child_l, round_rp, loaded_rp );
        else if( tags().drawnFrom == child_l.tagName() )
        {
            // The pool a draw was made from, which only undo needs: a record
            // that is malformed, or that names others than the round's
            // players, reads as no record.
            Round drawnFrom_l( round_rp.denominator() );
            Loaded check_l;
            readRoundPlayers( child_l, drawnFrom_l, check_l );
            if( SaveFile::Refusal::None == check_l.refusal )
                round_rp.drawnFrom_m = drawnFrom_l.players_m;
        }
    }
    if( !isPoolOf( round_rp.drawnFrom_m, round_rp.games_m ) )
        round_rp.drawnFrom_m.clear();
    round_rp.record_m = readRecord( roundElement_cp );
}

template < typename Element > void readRounds( const Element& rounds_cp, Loaded& loaded_rp )
{
    loaded_rp.recordsPools = loaded_rp.recordsPools || rounds_cp.hasAttribute( tags().proof );
    const QString amount_cl = rounds_cp.attribute( tags().amount );
    const QString current_cl = rounds_cp.attribute( tags().current );
    int amount_l = 0;
    if( amount_cl.isEmpty() || current_cl.isEmpty()
        || !loaded_rp.number( current_cl, INT_MIN, INT_MAX, loaded_rp.current )
        || !loaded_rp.number( amount_cl, 0, Championship::MAX_ROUNDS, amount_l ) )
        return;
    // A second "rounds" element adds rounds to a bracket of at most as many.
    if( loaded_rp.rounds.size() + amount_l > Championship::MAX_ROUNDS )
    {
        loaded_rp.refuse( SaveFile::Refusal::BadNumber );
        return;
    }
    for( int i = amount_l - 1; i >= 0; --i )
        loaded_rp.rounds.append( Round( 1 << i ) );
    int i = 0;
    for( auto node_l = rounds_cp.firstChild(); !node_l.isNull() && i < loaded_rp.rounds.size();
         node_l = node_l.nextSibling(), ++i )
        if( node_l.isElement() && tags().round == node_l.toElement().tagName() )
            readRound( node_l.toElement(), loaded_rp.rounds[ i ], loaded_rp );
}

// The rounds element describes a bracket: rounds that halve down to the
// final, whatever number of "rounds" elements described them, and a current
// round among them (0 without rounds).
bool isConsistent( const Loaded& loaded_cp )
{
    const int roundsAmount_cl = loaded_cp.rounds.size();
    for( int i = 0; i < roundsAmount_cl; ++i )
        if( loaded_cp.rounds.at( i ).denominator() != 1 << ( roundsAmount_cl - 1 - i ) )
            return false;
    return loaded_cp.current >= 0 && ( roundsAmount_cl ? loaded_cp.current < roundsAmount_cl : 0 == loaded_cp.current );
}

// A decided game whose winner is missing from the next round's list, with
// a place free there, is read as the program would have written it: with
// the winner waiting.
void putBackMissingWinners( Loaded& loaded_rp )
{
    const int next_cl = loaded_rp.current + 1;
    if( next_cl >= loaded_rp.rounds.size() )
        return;
    Round& next_l = loaded_rp.rounds[ next_cl ];
    const QVector< Game >& games_crl = loaded_rp.rounds.at( loaded_rp.current ).games_m;
    const int undecided_cl = std::count_if( games_crl.cbegin(), games_crl.cend(),
                                            []( const Game& game_cp ) { return UNKNOWN == game_cp.result_m; } );
    const auto waits_l = [ &next_l ]( const PlayerRef& player_cp )
    { return next_l.players_m.value( player_cp.groupId() ).contains( player_cp.playerId() ); };
    for( const Game& game_crl : games_crl )
        if( UNKNOWN != game_crl.result_m && !waits_l( game_crl.favorite_m ) && !waits_l( game_crl.outsider_m )
            && next_l.playersAmount() + undecided_cl < 2 * next_l.denominator() )
            next_l.addPlayer( game_crl.winner() );
}

// The root's parts, of a document of this format; false for any other.
template < typename Node > bool readDocument( const QString& docType_cp, const Node& firstNode_cp, Loaded& loaded_rp )
{
    const SaveFileTags& tags_crl = tags();
    const auto& root_cl = firstNode_cp.toElement();
    if( tags_crl.docType != docType_cp || root_cl.isNull() || tags_crl.root != root_cl.tagName() )
        return false;
    for( auto node_l = root_cl.firstChild(); !node_l.isNull(); node_l = node_l.nextSibling() )
    {
        if( !node_l.isElement() )
            return false;
        const auto& child_cl = node_l.toElement();
        if( tags_crl.groups == child_cl.tagName() )
            readGroups( child_cl, loaded_rp );
        else if( tags_crl.nations == child_cl.tagName() )
            readNations( child_cl, loaded_rp );
        else if( tags_crl.rounds == child_cl.tagName() )
            readRounds( child_cl, loaded_rp );
        else if( tags_crl.drawLog == child_cl.tagName() )
            readDrawLog( child_cl, loaded_rp.drawLog, loaded_rp.renames );
    }
    return true;
}

// The document's first child, past an XML declaration, which is no node of
// the document's own.
QDomNode firstNode( const QDomDocument& document_cp )
{
    auto node_l = document_cp.firstChild();
    if( node_l.isProcessingInstruction() && QStringLiteral( "xml" ) == node_l.toProcessingInstruction().target() )
        node_l = node_l.nextSibling();
    return node_l;
}
}

// ---------------------------------------------------------------- SaveFile

bool SaveFile::write( const Championship& champ_cp, const QString& fileName_p )
{
    if( !champ_cp.canBePlayedToFinal() )
        return false;
    const QByteArray bytes_cl = global::data::codec()->fromUnicode( toText( champ_cp ) );
    // A file the reader refuses for its size would be lost work: refused now,
    // the previous file stays.
    if( bytes_cl.size() > MAX_FILE_SIZE )
        return false;
    return AtomicFile::write( fileName_p, [ &bytes_cl ]( QIODevice* file_p )
                              { return file_p->write( bytes_cl ) == bytes_cl.size(); } );
}

bool SaveFile::read( const QString& fileName_p, Championship& champ_rp, Refusal* refusal_rp )
{
    Refusal ignored_l = Refusal::None;
    Refusal& refusal_l = refusal_rp ? *refusal_rp : ignored_l;
    // A device never ends and a FIFO blocks in open(): only regular files are
    // opened, and only up to the size any championship could need.
    const QFileInfo info_cl( fileName_p );
    refusal_l = !info_cl.exists()                ? Refusal::Unreadable
                : !info_cl.isFile()              ? Refusal::NotARegularFile
                : info_cl.size() > MAX_FILE_SIZE ? Refusal::TooLarge
                                                 : Refusal::None;
    if( Refusal::None != refusal_l )
        return false;
    QFile file_l( fileName_p );
    if( !file_l.open( QIODevice::ReadOnly ) )
        return refusal_l = Refusal::Unreadable, false;
    const QByteArray bytes_cl = file_l.read( MAX_FILE_SIZE + 1 );
    file_l.close();
    if( bytes_cl.size() > MAX_FILE_SIZE )
        return refusal_l = Refusal::TooLarge, false;
    return fromBytes( bytes_cl, champ_rp, refusal_rp );
}

bool SaveFile::fromBytes( const QByteArray& bytes_cp, Championship& champ_rp, Refusal* refusal_rp, Parser parser_p )
{
    QString text_l;
    QTextCodec* const codec_cl = FileEncoding::codecOf( bytes_cp, text_l );
    if( nullptr == codec_cl )
    {
        if( refusal_rp )
            *refusal_rp = Refusal::NotASaveFile;
        return false;
    }
    if( text_l.isNull() )
        text_l = codec_cl->toUnicode( bytes_cp );
    return fromText( text_l, champ_rp, refusal_rp, parser_p );
}

QString SaveFile::toText( const Championship& champ_cp )
{
    return SaveFileWriter::text( champ_cp );
}

bool SaveFile::fromText( const QString& text_cp, Championship& champ_rp, Refusal* refusal_rp, Parser parser_p )
{
    Refusal ignored_l = Refusal::None;
    Refusal& refusal_l = refusal_rp ? *refusal_rp : ignored_l;
    const QString text_cl = resolveWideReferences( text_cp );
    refusal_l = MarkupScan( text_cl ).refusal();
    if( Refusal::None != refusal_l )
        return false;
    refusal_l = Refusal::NotASaveFile;
    Loaded loaded_l;
    XmlTree tree_l;
    if( Parser::Streamed == parser_p && tree_l.parse( text_cl ) )
    {
        if( !readDocument( tree_l.docTypeName(), tree_l.firstNode(), loaded_l ) )
            return false;
    }
    else
    {
        QDomDocument document_l;
        if( !document_l.setContent( text_cl, false )
            || !readDocument( document_l.doctype().name(), firstNode( document_l ), loaded_l ) )
            return false;
    }
    // A record that names nations the file does not know is no record.
    for( Round& round_rl : loaded_l.rounds )
        for( const int nation_cl : round_rl.record_m.nations_m )
            if( !loaded_l.nationsNames.contains( nation_cl ) )
            {
                round_rl.record_m = DrawRecord();
                break;
            }
    if( loaded_l.players.isEmpty() || loaded_l.nationsNames.isEmpty() )
        return false;
    refusal_l = loaded_l.refusal;
    if( Refusal::None != refusal_l )
        return false;
    refusal_l = Refusal::Inconsistent;
    if( !isConsistent( loaded_l ) )
        return false;

    // A bracket that was never drawn (a first draw cancelled before this
    // program stored nothing of it) would lock the draw for good: it is a
    // championship without rounds. A bracket with games anywhere keeps them.
    const bool undrawn_cl = std::none_of( loaded_l.rounds.cbegin(), loaded_l.rounds.cend(),
                                          []( const Round& round_cp ) { return !round_cp.games_m.isEmpty(); } );
    if( 0 == loaded_l.current && undrawn_cl )
        loaded_l.rounds.clear();
    putBackMissingWinners( loaded_l );
    SV_ASSERT( loaded_l.players.size() == loaded_l.groupsNames.size(), "players_l.size() == groupsNames_l.size()" );
    Championship read_l = champ_rp;
    read_l.players_m = loaded_l.players;
    read_l.groupsNames_m = loaded_l.groupsNames;
    read_l.nationsNames_m = loaded_l.nationsNames;
    read_l.nations_m = loaded_l.nations;
    read_l.rounds_m = loaded_l.rounds;
    read_l.currentRound_m = loaded_l.current;
    read_l.drawLog_m = loaded_l.drawLog;
    read_l.renameLog_m = loaded_l.renames;
    read_l.recordsPools_m = loaded_l.recordsPools;
    refusal_l = Refusal::Unplayable;
    if( !read_l.canBePlayedToFinal() )
        return false;
    refusal_l = Refusal::None;
    champ_rp = read_l;
    return true;
}
