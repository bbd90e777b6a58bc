#include "savefilewriter.h"

#include "championship.h"
#include "globaldata.h"
#include "savefiletags.h"
#include "svassert.h"

#include <QTextCodec>
#include <QXmlStreamWriter>

#include <vector>

namespace
{
const SaveFileTags& tags()
{
    return SaveFileTags::all();
}

QString idsText( const QVector< int >& ids_cp )
{
    QString text_l;
    for( const int id_cl : ids_cp )
        text_l += QString::number( id_cl ) + QLatin1Char( ' ' );
    return text_l;
}

// Every text goes through the same cleaning as at entry: whatever text the
// championship holds, the file written reads back.
void writeTextElement( QXmlStreamWriter& writer_r, const QString& tag_cp, const QString& text_cp )
{
    writer_r.writeStartElement( tag_cp );
    writer_r.writeCharacters( storableText( text_cp ) );
    writer_r.writeEndElement();
}

void writeNumber( QXmlStreamWriter& writer_r, const QString& name_cp, qint64 value_p )
{
    writer_r.writeAttribute( name_cp, QString::number( value_p ) );
}

void writeSide( QXmlStreamWriter& writer_r, const QString& tag_cp, const PlayerRef& player_cp, int nationId_p )
{
    writer_r.writeEmptyElement( tag_cp );
    writeNumber( writer_r, tags().gid, player_cp.groupId() );
    writeNumber( writer_r, tags().pid, player_cp.playerId() );
    writeNumber( writer_r, tags().nid, nationId_p );
}

void writePool( QXmlStreamWriter& writer_r, const QString& tag_cp, const RoundPlayers& pool_cp )
{
    writer_r.writeStartElement( tag_cp );
    for( auto group_it = pool_cp.cbegin(); group_it != pool_cp.cend(); ++group_it )
    {
        writer_r.writeStartElement( tags().group );
        writeNumber( writer_r, tags().gid, group_it.key() );
        writer_r.writeCharacters( idsText( group_it.value() ) );
        writer_r.writeEndElement();
    }
    writer_r.writeEndElement();
}

// Written only when known: a round drawn without a record looks as before.
void writeRecordAttributes( QXmlStreamWriter& writer_r, const DrawRecord& record_cp )
{
    if( !record_cp.isValid() )
        return;
    if( DrawRecord::POOL_VERSION == record_cp.version_m )
        writer_r.writeAttribute( tags().proof, tags().poolVersion );
    writer_r.writeAttribute( tags().secret, QString::fromLatin1( record_cp.secret_m.toHex() ) );
    writer_r.writeAttribute( tags().word, storableText( record_cp.word_m ) );
    writeNumber( writer_r, tags().attempt, record_cp.attempt_m );
    writer_r.writeAttribute( tags().nationsUsed, idsText( record_cp.nations_m ).trimmed() );
}

void writeRename( QXmlStreamWriter& writer_r, const RenameLogEntry& rename_cp )
{
    writer_r.writeEmptyElement( tags().rename );
    writer_r.writeAttribute( tags().time, rename_cp.time_m.toString( Qt::ISODate ) );
    writeNumber( writer_r, tags().gid, rename_cp.groupId_m );
    writeNumber( writer_r, tags().pid, rename_cp.playerId_m );
    writer_r.writeAttribute( tags().oldNickname, storableText( rename_cp.oldNickname_m ) );
    writer_r.writeAttribute( tags().oldClanname, storableText( rename_cp.oldClanName_m ) );
    writer_r.writeAttribute( tags().nickname, storableText( rename_cp.nickname_m ) );
    writer_r.writeAttribute( tags().clanname, storableText( rename_cp.clanName_m ) );
}

void writeDrawEntry( QXmlStreamWriter& writer_r, const DrawLogEntry& entry_cp )
{
    writer_r.writeEmptyElement( tags().draw );
    // What a damaged entry said is unknown; that it was there stays known.
    if( DrawLogEntry::Damaged != entry_cp.outcome_m )
    {
        writeNumber( writer_r, tags().index, entry_cp.round_m );
        writeNumber( writer_r, tags().denominator, entry_cp.denominator_m );
        writeNumber( writer_r, tags().attempt, entry_cp.attempt_m );
        writer_r.writeAttribute( tags().time, entry_cp.time_m.toString( Qt::ISODate ) );
        writer_r.writeAttribute( tags().commitment, entry_cp.commitment_m );
        // Entries of the first version had no word.
        if( entry_cp.commitment_m.size() > 16 )
            writer_r.writeAttribute( tags().word, storableText( entry_cp.word_m ) );
        // A draw still running keeps its secret.
        if( DrawLogEntry::Started != entry_cp.outcome_m )
            writer_r.writeAttribute( tags().secret, QString::fromLatin1( entry_cp.secret_m.toHex() ) );
    }
    writer_r.writeAttribute( tags().outcome, tags().outcomes.at( entry_cp.outcome_m ) );
}

// The renames stand among the draws in the order they came.
void writeDrawLog( QXmlStreamWriter& writer_r, const Championship& champ_cp )
{
    writer_r.writeStartElement( tags().drawLog );
    auto rename_it = champ_cp.renameLog().cbegin();
    for( int i = 0; i <= champ_cp.drawLog().size(); ++i )
    {
        for( ; rename_it != champ_cp.renameLog().cend() && rename_it->afterDraws_m <= i; ++rename_it )
            writeRename( writer_r, *rename_it );
        if( i < champ_cp.drawLog().size() )
            writeDrawEntry( writer_r, champ_cp.drawLog().at( i ) );
    }
    for( ; rename_it != champ_cp.renameLog().cend(); ++rename_it )
        writeRename( writer_r, *rename_it );
    writer_r.writeEndElement();
}

// windows-1251 cannot hold every character a nickname may carry; those are
// written as character references of the whole code point, which the XML
// parser turns back into the same text.
bool mustEscape( const QString& text_cp, int at_p, QTextCodec* codec_p )
{
    // Whether a character of the Basic Multilingual Plane can be encoded,
    // asked of the codec once per character and thread: 0 not asked yet,
    // 1 yes, 2 no.
    thread_local QTextCodec* asked_stl = nullptr;
    thread_local std::vector< quint8 > encodable_stl;
    const QChar char_cl = text_cp.at( at_p );
    if( char_cl.unicode() < 0x80 )
        return false;
    if( char_cl.isSurrogate() )
        return true;
    if( asked_stl != codec_p )
    {
        encodable_stl.assign( 0x10000, 0 );
        asked_stl = codec_p;
    }
    quint8& known_r = encodable_stl[ char_cl.unicode() ];
    if( 0 == known_r )
        known_r = codec_p->canEncode( char_cl ) ? 1 : 2;
    return 2 == known_r;
}

QString escapeForCodec( const QString& text_cp, QTextCodec* codec_p )
{
    int first_l = 0;
    while( first_l < text_cp.size() && !mustEscape( text_cp, first_l, codec_p ) )
        ++first_l;
    if( first_l == text_cp.size() )
        return text_cp;
    QString escaped_l = text_cp.left( first_l );
    for( int i = first_l; i < text_cp.size(); ++i )
    {
        if( !mustEscape( text_cp, i, codec_p ) )
        {
            escaped_l += text_cp.at( i );
            continue;
        }
        const QChar char_cl = text_cp.at( i );
        uint codePoint_l = char_cl.unicode();
        if( char_cl.isHighSurrogate() && i + 1 < text_cp.size() && text_cp.at( i + 1 ).isLowSurrogate() )
            codePoint_l = QChar::surrogateToUcs4( char_cl, text_cp.at( ++i ) );
        escaped_l += QStringLiteral( "&#%1;" ).arg( codePoint_l );
    }
    return escaped_l;
}
}

QString SaveFileWriter::text( const Championship& champ_cp )
{
    QString text_l;
    QXmlStreamWriter writer_l( &text_l );
    writeDocument( writer_l, champ_cp );
    // The formatting writer starts the document type on a line of its own.
    if( text_l.startsWith( QLatin1Char( '\n' ) ) )
        text_l.remove( 0, 1 );
    return escapeForCodec( text_l, global::data::codec() );
}

void SaveFileWriter::writeDocument( QXmlStreamWriter& writer_r, const Championship& champ_cp )
{
    const SaveFileTags& tags_crl = tags();
    writer_r.setAutoFormatting( true );
    writer_r.setAutoFormattingIndent( 1 );
    writer_r.writeDTD( QStringLiteral( "<!DOCTYPE %1>" ).arg( tags_crl.docType ) );
    writer_r.writeStartElement( tags_crl.root );

    writer_r.writeStartElement( tags_crl.groups );
    for( auto group_it = champ_cp.players().cbegin(); group_it != champ_cp.players().cend(); ++group_it )
    {
        SV_ASSERT( champ_cp.groupsNames().cend() != champ_cp.groupsNames().find( group_it.key() ),
                   "groupsNames_m.cend() != groupsNames_m.find( group_it.key() )" );
        writer_r.writeStartElement( tags_crl.group );
        writeNumber( writer_r, tags_crl.gid, group_it.key() );
        writeTextElement( writer_r, tags_crl.name, champ_cp.groupsNames().value( group_it.key() ) );
        for( auto player_it = group_it.value().cbegin(); player_it != group_it.value().cend(); ++player_it )
        {
            writer_r.writeStartElement( tags_crl.player );
            writeNumber( writer_r, tags_crl.pid, player_it.key() );
            writeTextElement( writer_r, tags_crl.nickname, player_it.value().nickname_m );
            writeTextElement( writer_r, tags_crl.clanname, player_it.value().clanName_m );
            writer_r.writeEndElement();
        }
        writer_r.writeEndElement();
    }
    writer_r.writeEndElement();

    writer_r.writeStartElement( tags_crl.nations );
    for( auto nation_it = champ_cp.nationsNames().cbegin(); nation_it != champ_cp.nationsNames().cend(); ++nation_it )
    {
        writer_r.writeStartElement( tags_crl.nation );
        writeNumber( writer_r, tags_crl.nid, nation_it.key() );
        writer_r.writeCharacters( storableText( nation_it.value() ) );
        writer_r.writeEndElement();
    }
    writeTextElement( writer_r, tags_crl.list, idsText( champ_cp.nations() ) );
    writer_r.writeEndElement();

    writer_r.writeStartElement( tags_crl.rounds );
    writeNumber( writer_r, tags_crl.amount, champ_cp.rounds().size() );
    writeNumber( writer_r, tags_crl.current, champ_cp.currentRound() );
    if( champ_cp.recordsPools() )
        writer_r.writeAttribute( tags_crl.proof, tags_crl.poolVersion );
    for( int i = 0; i < champ_cp.rounds().size(); ++i )
    {
        // The rounds after the first empty one past the current round are
        // empty as well; the reader recreates them from "amount". An earlier
        // round left empty by a damaged file is written, so that the current
        // round keeps its place.
        const Round& round_crl = champ_cp.rounds().at( i );
        if( i > champ_cp.currentRound() && round_crl.games_m.isEmpty() && !round_crl.playersAmount() )
            break;
        writer_r.writeStartElement( tags_crl.round );
        writeRecordAttributes( writer_r, round_crl.record_m );
        writer_r.writeStartElement( tags_crl.games );
        for( const Game& game_crl : round_crl.games_m )
        {
            writer_r.writeStartElement( tags_crl.game );
            writeSide( writer_r, tags_crl.favorite, game_crl.favorite_m, game_crl.favoriteNation_m );
            writeSide( writer_r, tags_crl.outsider, game_crl.outsider_m, game_crl.outsiderNation_m );
            writeTextElement( writer_r, tags_crl.result, resultTxtValue( game_crl.result_m ) );
            writer_r.writeEndElement();
        }
        writer_r.writeEndElement();
        writePool( writer_r, tags_crl.players, round_crl.players_m );
        if( !round_crl.drawnFrom_m.isEmpty() )
            writePool( writer_r, tags_crl.drawnFrom, round_crl.drawnFrom_m );
        if( round_crl.record_m.isValid() && DrawRecord::POOL_VERSION == round_crl.record_m.version_m )
            writer_r.writeTextElement( tags_crl.drawPool, round_crl.record_m.pool_m );
        writer_r.writeEndElement();
    }
    writer_r.writeEndElement();
    if( !champ_cp.drawLog().isEmpty() || !champ_cp.renameLog().isEmpty() )
        writeDrawLog( writer_r, champ_cp );
    writer_r.writeEndElement();
    writer_r.writeEndDocument();
}
