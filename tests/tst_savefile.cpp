#include "QTossThread.h"
#include "championship.h"
#include "drawseed.h"
#include "globaldata.h"
#include "modelsupport.h"
#include "playedchampionship.h"
#include "savefile.h"
#include "xmltree.h"

#include <QDomDocument>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include "systemsupport.h"

#include <sys/stat.h>

namespace
{
QString readFile( const QString& path_cp, const char* codec_p = "windows-1251" )
{
    QFile file_l( path_cp );
    if( !file_l.open( QIODevice::ReadOnly ) )
        return QString();
    return QTextCodec::codecForName( codec_p )->toUnicode( file_l.readAll() );
}

// The four-player file with two players in groups 3 and 4 as well.
QString withFullGroups( QString text_p )
{
    for( const char* group_p : { "3", "4" } )
        text_p.replace( QStringLiteral( "<group gid=\"%1\">\n   <name>" ).arg( QLatin1String( group_p ) ),
                        QStringLiteral( "<group gid=\"%1\">\n   <player pid=\"0\"><nickname>a</nickname></player>\n"
                                        "   <player pid=\"1\"><nickname>b</nickname></player>\n   <name>" )
                            .arg( QLatin1String( group_p ) ) );
    return text_p;
}

void writeFile( const QString& path_cp, const QByteArray& bytes_cp )
{
    QFile file_l( path_cp );
    QVERIFY( file_l.open( QIODevice::WriteOnly | QIODevice::Truncate ) );
    file_l.write( bytes_cp );
}

// Two XML trees are equal when their elements, attributes (in any order)
// and texts are.
bool sameTree( const QDomNode& left_cp, const QDomNode& right_cp, QString& where_rp )
{
    if( left_cp.nodeType() != right_cp.nodeType() || left_cp.nodeName() != right_cp.nodeName()
        || ( left_cp.isText() && left_cp.nodeValue() != right_cp.nodeValue() ) )
    {
        where_rp = left_cp.nodeName() + QStringLiteral( " / " ) + right_cp.nodeName();
        return false;
    }
    const QDomNamedNodeMap leftAttributes_cl = left_cp.attributes();
    const QDomNamedNodeMap rightAttributes_cl = right_cp.attributes();
    if( leftAttributes_cl.count() != rightAttributes_cl.count() )
        return where_rp = left_cp.nodeName(), false;
    for( int i = 0; i < leftAttributes_cl.count(); ++i )
    {
        const QDomAttr attribute_cl = leftAttributes_cl.item( i ).toAttr();
        if( rightAttributes_cl.namedItem( attribute_cl.name() ).toAttr().value() != attribute_cl.value() )
            return where_rp = left_cp.nodeName() + QLatin1Char( '@' ) + attribute_cl.name(), false;
    }
    QDomNode left_l = left_cp.firstChild();
    QDomNode right_l = right_cp.firstChild();
    for( ; !left_l.isNull() && !right_l.isNull(); left_l = left_l.nextSibling(), right_l = right_l.nextSibling() )
        if( !sameTree( left_l, right_l, where_rp ) )
            return false;
    if( left_l.isNull() != right_l.isNull() )
        return where_rp = left_cp.nodeName() + QStringLiteral( " children" ), false;
    return true;
}

// Each line's indentation, which must be one blank per level.
QVector< int > indents( const QString& text_cp )
{
    QVector< int > indents_l;
    for( const QString& line_crl : text_cp.split( QLatin1Char( '\n' ), Qt::SkipEmptyParts ) )
        indents_l.append( line_crl.size() - line_crl.trimmed().size() );
    return indents_l;
}

// Both readings of one text: accepted or refused alike, for the same
// reason, into the same championship.
void compareReadings( const QByteArray& bytes_cp, const QString& what_cp )
{
    Championship streamed_l;
    Championship dom_l;
    SaveFile::Refusal streamedWhy_l = SaveFile::Refusal::None;
    SaveFile::Refusal domWhy_l = SaveFile::Refusal::None;
    const bool read_cl = SaveFile::fromBytes( bytes_cp, streamed_l, &streamedWhy_l );
    QVERIFY2( read_cl == SaveFile::fromBytes( bytes_cp, dom_l, &domWhy_l, SaveFile::Parser::DomOnly ),
              qPrintable( what_cp ) );
    QVERIFY2( streamedWhy_l == domWhy_l, qPrintable( what_cp ) );
    QVERIFY2( !read_cl || streamed_l.holdsSameAs( dom_l ), qPrintable( what_cp ) );
}

Game playedGame( const PlayerRef& favorite_cp, const PlayerRef& outsider_cp, int favoriteNation_p,
                 int outsiderNation_p )
{
    Game game_l;
    game_l.favorite_m = favorite_cp;
    game_l.outsider_m = outsider_cp;
    game_l.favoriteNation_m = favoriteNation_p;
    game_l.outsiderNation_m = outsiderNation_p;
    return game_l;
}

void compareChampionships( const Championship& loaded_cp, const Championship& saved_cp )
{
    QCOMPARE( loaded_cp.groupsNames(), saved_cp.groupsNames() );
    QCOMPARE( loaded_cp.players().keys(), saved_cp.players().keys() );
    for( const int groupId_cl : saved_cp.players().keys() )
    {
        const PlayersGroup saved_cl = saved_cp.players().value( groupId_cl );
        const PlayersGroup loaded_cl = loaded_cp.players().value( groupId_cl );
        QCOMPARE( loaded_cl.keys(), saved_cl.keys() );
        for( const int id_cl : saved_cl.keys() )
        {
            QCOMPARE( loaded_cl.value( id_cl ).nickname_m, saved_cl.value( id_cl ).nickname_m );
            QCOMPARE( loaded_cl.value( id_cl ).clanName_m, saved_cl.value( id_cl ).clanName_m );
        }
    }
    QCOMPARE( loaded_cp.nationsNames(), saved_cp.nationsNames() );
    QCOMPARE( loaded_cp.nations(), saved_cp.nations() );
    QCOMPARE( loaded_cp.currentRound(), saved_cp.currentRound() );
    QCOMPARE( loaded_cp.rounds().size(), saved_cp.rounds().size() );
    for( int i = 0; i < saved_cp.rounds().size(); ++i )
    {
        const Round& saved_crl = saved_cp.rounds().at( i );
        const Round& loaded_crl = loaded_cp.rounds().at( i );
        QCOMPARE( loaded_crl.denominator(), saved_crl.denominator() );
        QVERIFY( loaded_crl.games_m == saved_crl.games_m );
        // Entries with an empty list are not written back.
        RoundPlayers savedPool_l = saved_crl.players_m;
        for( auto group_it = savedPool_l.begin(); group_it != savedPool_l.end(); )
            group_it = group_it.value().isEmpty() ? savedPool_l.erase( group_it ) : std::next( group_it );
        QCOMPARE( loaded_crl.players_m, savedPool_l );
    }
}
}

class tst_SaveFile : public QObject
{
    Q_OBJECT
private slots:
    void neverWritesAnUnplayableChampionship();
    void initTestCase();
    void init();
    void writesExampleLayout();
    void rewritesSavedFilesAsTheyWere_data();
    void rewritesSavedFilesAsTheyWere();
    void writesTheSameBytesOnEveryPlatform_data();
    void writesTheSameBytesOnEveryPlatform();
    void streamedReadingAgreesWithTheDom_data();
    void streamedReadingAgreesWithTheDom();
    void streamedReadingAgreesWithTheDomOnTheCorpus();
    void roundTripsEveryStage_data();
    void roundTripsEveryStage();
    void keepsTextTheCodecCannotHold_data();
    void keepsTextTheCodecCannotHold();
    void usesCyrillicFileNamesAsTheyAre();
    void savesToRememberedFile();
    void keepsTheDrawProofThroughASave();
    void poolLackingADrawnPlayerIsRebuiltFromTheGames();
    void readerSkipsMalformedEntries_data();
    void readerSkipsMalformedEntries();
    void undrawnBracketLoadsAsNoRounds();
    void refusesBrokenFiles_data();
    void refusesBrokenFiles();
    void readsUnicodeFilesWithByteOrderMark_data();
    void readsUnicodeFilesWithByteOrderMark();
    void reportsFullDiskAndKeepsPreviousFile();
    void refusesHostileFiles_data();
    void refusesHostileFiles();
    void readsUpToEachBoundAndNoFurther_data();
    void readsUpToEachBoundAndNoFurther();
    void refusesToSaveOverNonRegularFiles_data();
    void refusesToSaveOverNonRegularFiles();
    void refusesToSaveBeyondTheSizeCap();
    void readsOldAndEditedFiles_data();
    void readsOldAndEditedFiles();
    void refusesStuckBrackets_data();
    void refusesStuckBrackets();
    void everyCharacterClassReadsBack_data();
    void everyCharacterClassReadsBack();
    void hostileFilesStayWithinBounds_data();
    void hostileFilesStayWithinBounds();

private:
    QString path( const QString& name_cp ) const { return dir_m.filePath( name_cp ); }
    QString baseText() const;

    QTemporaryDir dir_m;
};

void tst_SaveFile::initTestCase()
{
    guardTestProgram();
    QVERIFY( dir_m.isValid() );
}

void tst_SaveFile::init()
{
    drawseed::setFixedSeed( 7 );
    resetChampionship();
}

QString tst_SaveFile::baseText() const
{
    return readFile( QStringLiteral( SORTIVANE_TEST_DATA "four-players-first-draw.stv" ) );
}

void tst_SaveFile::writesExampleLayout()
{
    Championship& champ_l = global::data::champ();
    champ_l.addPlayer( 1, QStringLiteral( "Alpha" ), QStringLiteral( "KZ" ) );
    champ_l.addPlayer( 1, QStringLiteral( "Bravo" ), QString() );
    champ_l.addPlayer( 2, QStringLiteral( "Charlie" ), QStringLiteral( "AC" ) );
    champ_l.addPlayer( 2, QStringLiteral( "Delta" ), QString() );
    champ_l.nations() = { 1, 2, 3 };
    // The golden file keeps the first three nations of the catalogue only.
    QVERIFY( champ_l.load( QStringLiteral( SORTIVANE_TEST_DATA "four-players-first-draw.stv" ) ) );
    QVERIFY( champ_l.save( path( QStringLiteral( "layout.stv" ) ) ) );
    const QString written_cl = readFile( path( QStringLiteral( "layout.stv" ) ) );
    QVERIFY( !written_cl.startsWith( QStringLiteral( "<?xml" ) ) );
    QVERIFY(
        written_cl.startsWith( QStringLiteral( "<!DOCTYPE SortivaneSaveFile-v.0.1>\n<root>\n <groups>\n  <group" ) ) );
    QCOMPARE( indents( written_cl ), indents( baseText() ) );
    QDomDocument written_l;
    QDomDocument golden_l;
    QVERIFY( written_l.setContent( written_cl ) );
    QVERIFY( golden_l.setContent( baseText() ) );
    QString where_l;
    QVERIFY2( sameTree( written_l, golden_l, where_l ), qPrintable( where_l ) );
    QVERIFY( written_cl.contains( QStringLiteral( "<list>1 2 3 </list>" ) ) );
    QVERIFY( written_cl.contains( QStringLiteral( "   <players/>\n" ) ) );
    // The file is windows-1251: the Cyrillic group name is one byte a letter.
    QFile file_l( path( QStringLiteral( "layout.stv" ) ) );
    QVERIFY( file_l.open( QIODevice::ReadOnly ) );
    QVERIFY( file_l.readAll().contains( QByteArray( "<name>\xD7\xE5\xEC\xEF\xE8\xEE\xED\xFB</name>" ) ) );
}

void tst_SaveFile::rewritesSavedFilesAsTheyWere_data()
{
    QTest::addColumn< QString >( "file" );
    QTest::newRow( "four players after the first draw" ) << QStringLiteral( "four-players-first-draw.stv" );
    QTest::newRow( "sixteen played to the final" ) << QStringLiteral( "sixteen-played.stv" );
    // Records with the hall's word, the pools the draws found, a log with a
    // cancelled and a running draw, and names beyond windows-1251.
    QTest::newRow( "every part" ) << QStringLiteral( "eight-every-part.stv" );
}

// Files written by earlier versions are written again element for element,
// text for text, attribute for attribute, one blank of indentation a level.
void tst_SaveFile::rewritesSavedFilesAsTheyWere()
{
    QFETCH( QString, file );
    const QString original_cl = readFile( QStringLiteral( SORTIVANE_TEST_DATA ) + file );
    Championship champ_l;
    QVERIFY( SaveFile::fromText( original_cl, champ_l ) );
    const QString written_cl = SaveFile::toText( champ_l );
    QCOMPARE( indents( written_cl ), indents( original_cl ) );
    QDomDocument written_l;
    QDomDocument original_l;
    QVERIFY( written_l.setContent( written_cl ) );
    QVERIFY( original_l.setContent( original_cl ) );
    QString where_l;
    QVERIFY2( sameTree( written_l, original_l, where_l ), qPrintable( where_l ) );
}

// A damaged file whose round before the current one lost its games loads
// and plays on, but undoing its draw would leave a current round that can
// never be drawn: undo is refused, and no writer puts such a championship
// down, whoever asks.
// Records with their pools, renames among the draws, a draw cut short and
// a damaged entry all come back from a file, by either parser.
void tst_SaveFile::keepsTheDrawProofThroughASave()
{
    Championship champ_l;
    for( int i = 0; i < 6; ++i )
        champ_l.addPlayer( 1 + i % 2, QStringLiteral( "игрок\\%1" ).arg( i ), QStringLiteral( "клан" ) );
    QTossThread thread_l;
    thread_l.setPaced( false );
    drawseed::clearFixedSeed();
    champ_l.setHallWord( QStringLiteral( "слово <&> %1" ) );
    QVERIFY( thread_l.drawInPlace( champ_l ) );
    champ_l.renamePlayer( PlayerRef( 2, 0 ), QStringLiteral( "Ёжик 😀" ), QString() );
    champ_l.startDrawAttempt();
    // A file keeps no secret of a draw that never ended.
    champ_l.drawLog().last().secret_m.clear();
    champ_l.drawLog().append(
        DrawLogEntry { -1, 1, 0, QDateTime(), QString(), QString(), QByteArray(), DrawLogEntry::Damaged } );
    champ_l.renamePlayer( PlayerRef( 1, 0 ), QStringLiteral( "Второе" ), QStringLiteral( "имя" ) );
    drawseed::setFixedSeed( 7 );
    QVERIFY( champ_l.rounds().first().record_m.isValid() );
    const QString text_cl = SaveFile::toText( champ_l );
    for( const SaveFile::Parser parser_cl : { SaveFile::Parser::Streamed, SaveFile::Parser::DomOnly } )
    {
        Championship read_l;
        QVERIFY( SaveFile::fromText( text_cl, read_l, nullptr, parser_cl ) );
        QVERIFY( read_l.holdsSameAs( champ_l ) );
        QCOMPARE( read_l.renameLog().size(), 2 );
        QCOMPARE( read_l.renameLog().last().afterDraws_m, 3 );
    }
}

// A pool that lacks a player of its round's games cannot be the one the
// round was drawn from: it is dropped, and undo rebuilds the pool from the
// games, so the player is back where the draw found him.
void tst_SaveFile::poolLackingADrawnPlayerIsRebuiltFromTheGames()
{
    const Championship champ_cl = playedChampionship( 8, 11, 2, 0 );
    const Round& second_crl = champ_cl.rounds().at( 1 );
    QVERIFY( !second_crl.drawnFrom_m.isEmpty() );
    const int group_cl = second_crl.drawnFrom_m.firstKey();
    const QString list_cl = QStringLiteral( "<group gid=\"%1\">" ).arg( group_cl );
    QString text_l = SaveFile::toText( champ_cl );
    const int drawnFrom_cl = text_l.indexOf( list_cl, text_l.lastIndexOf( QStringLiteral( "<drawnfrom>" ) ) );
    QVERIFY( drawnFrom_cl > 0 );
    const int ids_cl = drawnFrom_cl + list_cl.size();
    text_l.remove( ids_cl, text_l.indexOf( QLatin1Char( ' ' ), ids_cl ) + 1 - ids_cl );
    Championship read_l;
    QVERIFY( SaveFile::fromText( text_l, read_l ) );
    QVERIFY( read_l.rounds().at( 1 ).drawnFrom_m.isEmpty() );
    read_l.undoLastDraw();
    QCOMPARE( read_l.rounds().at( 1 ).playersAmount(), 4 );
    for( const Game& game_crl : second_crl.games_m )
        for( const PlayerRef& side_crl : { game_crl.favorite_m, game_crl.outsider_m } )
            QVERIFY( read_l.rounds().at( 1 ).players_m.value( side_crl.groupId() ).contains( side_crl.playerId() ) );
}

void tst_SaveFile::neverWritesAnUnplayableChampionship()
{
    const Championship gap_l = withGapBeforeCurrentRound();
    QCOMPARE( gap_l.currentRound(), 1 );
    QVERIFY( gap_l.rounds().at( 0 ).games_m.isEmpty() );
    QVERIFY( gap_l.canBePlayedToFinal() );
    QVERIFY( !gap_l.canUndoLastDraw() );

    const QString file_cl = path( QStringLiteral( "kept.stv" ) );
    QVERIFY( SaveFile::write( gap_l, file_cl ) );
    const QString kept_cl = readFile( file_cl );
    Championship undone_l = gap_l;
    undone_l.undoLastDraw();
    QVERIFY( !undone_l.canBePlayedToFinal() );
    QVERIFY( !SaveFile::write( undone_l, file_cl ) );
    QVERIFY( !undone_l.save( file_cl ) );
    QCOMPARE( readFile( file_cl ), kept_cl );
    QVERIFY( !SaveFile::write( undone_l, path( QStringLiteral( "new.stv" ) ) ) );
    QVERIFY( !QFile::exists( path( QStringLiteral( "new.stv" ) ) ) );

    // An ordinary undo stays possible.
    QVERIFY( playedChampionship( 8, 5, 2, 0 ).canUndoLastDraw() );
}

void tst_SaveFile::writesTheSameBytesOnEveryPlatform_data()
{
    // sha256: of the file as the Linux build writes it; the Windows build,
    // run under Wine, must write the very same bytes, line ends included.
    QTest::addColumn< QString >( "file" );
    QTest::addColumn< QByteArray >( "sha256" );
    QTest::newRow( "four players after the first draw" )
        << QStringLiteral( "four-players-first-draw.stv" )
        << QByteArray( "c0cf97beb0335e3c10de0bf2cea3f18ce3ccd025152a0bfb088621ab0558e508" );
    QTest::newRow( "sixteen played to the final" )
        << QStringLiteral( "sixteen-played.stv" )
        << QByteArray( "76e813961afd254892ccf5b79aef6415c4da8b184bd41dea4745b0c01abdf286" );
    QTest::newRow( "every part" ) << QStringLiteral( "eight-every-part.stv" )
                                  << QByteArray( "15de9cc7d8ea2ecc782d5a11778b0c57ce59a7f47488a5bc751a5b2963a11a0a" );
}

void tst_SaveFile::writesTheSameBytesOnEveryPlatform()
{
    QFETCH( QString, file );
    QFETCH( QByteArray, sha256 );
    Championship champ_l;
    QVERIFY( champ_l.load( QStringLiteral( SORTIVANE_TEST_DATA ) + file ) );
    QVERIFY( champ_l.save( path( QStringLiteral( "bytes.stv" ) ) ) );
    QFile written_l( path( QStringLiteral( "bytes.stv" ) ) );
    QVERIFY( written_l.open( QIODevice::ReadOnly ) );
    const QByteArray bytes_cl = written_l.readAll();
    QVERIFY( !bytes_cl.contains( '\r' ) );
    QCOMPARE( QCryptographicHash::hash( bytes_cl, QCryptographicHash::Sha256 ).toHex(), sha256 );
}

// Where the two parsers part, the text is left to the DOM; each text is
// read (or refused) alike either way.
void tst_SaveFile::streamedReadingAgreesWithTheDom_data()
{
    QTest::addColumn< QString >( "text" );
    QTest::addColumn< bool >( "streamed" );
    QTest::addColumn< bool >( "read" );
    const QString base_cl = baseText();
    const auto edited_l = [ &base_cl ]( const char* from_p, const QString& to_cp )
    { return QString( base_cl ).replace( QLatin1String( from_p ), to_cp ); };
    QTest::newRow( "as written" ) << base_cl << true << true;
    QTest::newRow( "predefined entities" )
        << edited_l( "Alpha", QStringLiteral( "A&amp;l&lt;p&gt;h&quot;a&apos;" ) ) << true << true;
    QTest::newRow( "blank name" ) << edited_l( "Alpha", QStringLiteral( "   " ) ) << true << true;
    QTest::newRow( "no-break space between elements" )
        << edited_l( "<player pid=\"1\">", QStringLiteral( "\u00a0<player pid=\"1\">" ) ) << true << true;
    QTest::newRow( "carriage returns" ) << edited_l( "\n", QStringLiteral( "\r\n" ) ) << false << true;
    QTest::newRow( "line feed in a value" )
        << edited_l( "gid=\"1\"", QStringLiteral( "gid=\"1\n\"" ) ) << false << true;
    QTest::newRow( "tab in a value" ) << edited_l( "pid=\"0\"", QStringLiteral( "pid=\"\t0\"" ) ) << false << true;
    QTest::newRow( "undeclared entity" ) << edited_l( "Alpha", QStringLiteral( "&alpha;" ) ) << false << true;
    QTest::newRow( "control character" ) << edited_l( "Alpha", QStringLiteral( "Al\x01pha" ) ) << false << true;
    QTest::newRow( "character reference" ) << edited_l( "Alpha", QStringLiteral( "Al&#112;ha" ) ) << false << true;
    QTest::newRow( "letter beyond ASCII in a name" )
        << edited_l( " gid=", QStringLiteral( " \u2020gid=" ) ) << false << false;
    QTest::newRow( "comment" ) << edited_l( "<groups>", QStringLiteral( "<groups><!-- c -->" ) ) << false << true;
    QTest::newRow( "character data" ) << edited_l( "Alpha", QStringLiteral( "<![CDATA[Alpha]]>" ) ) << false << true;
    QTest::newRow( "declaration" ) << QStringLiteral( "<?xml version=\"1.0\"?>\n" ) + base_cl << false << true;
    QTest::newRow( "lone surrogate" ) << edited_l( "Alpha",
                                                   QStringLiteral( "Al" ) + QChar( 0xD800 ) + QStringLiteral( "pha" ) )
                                      << false << true;
    // Read from a file that starts with a byte-order mark of its own, as
    // every row is: the second mark is left in the text.
    QTest::newRow( "second byte-order mark" ) << QStringLiteral( "\ufeff" ) + base_cl << false << false;
}

void tst_SaveFile::streamedReadingAgreesWithTheDom()
{
    QFETCH( QString, text );
    QFETCH( bool, streamed );
    QCOMPARE( XmlTree().parse( text ), streamed );
    // UTF-16, which keeps every code unit, with exactly one byte-order mark.
    const QScopedPointer< QTextEncoder > encoder_cl(
        QTextCodec::codecForName( "UTF-16LE" )->makeEncoder( QTextCodec::IgnoreHeader ) );
    const QByteArray bytes_cl = encoder_cl->fromUnicode( QChar( QChar::ByteOrderMark ) + text );
    compareReadings( bytes_cl, QString() );
    Championship read_l;
    QTEST( SaveFile::fromBytes( bytes_cl, read_l ), "read" );
}

void tst_SaveFile::streamedReadingAgreesWithTheDomOnTheCorpus()
{
    int streamed_l = 0;
    for( const char* folder_p : { "tests/fuzz-corpus/seeds", "tests/fuzz-corpus/found", "tests/data" } )
    {
        const QDir dir_cl( QStringLiteral( SORTIVANE_SOURCE_DIR ) + QLatin1String( folder_p ) );
        for( const QString& name_crl : dir_cl.entryList( QDir::Files ) )
        {
            QFile file_l( dir_cl.filePath( name_crl ) );
            QVERIFY( file_l.open( QIODevice::ReadOnly ) );
            const QByteArray bytes_cl = file_l.readAll();
            compareReadings( bytes_cl, name_crl );
            if( QTest::currentTestFailed() )
                return;
            streamed_l += XmlTree().parse( global::data::codec()->toUnicode( bytes_cl ) );
        }
    }
    QVERIFY( streamed_l > 100 );
}

void tst_SaveFile::roundTripsEveryStage_data()
{
    QTest::addColumn< int >( "stage" );
    QTest::newRow( "new championship" ) << 0;
    QTest::newRow( "players in every group" ) << 1;
    QTest::newRow( "first draw with byes" ) << 2;
    QTest::newRow( "mid championship with results" ) << 3;
    QTest::newRow( "after the final" ) << 4;
}

void tst_SaveFile::roundTripsEveryStage()
{
    QFETCH( int, stage );
    Championship& champ_l = global::data::champ();
    if( stage >= 1 )
    {
        resetChampionship( { 2, 1, 3, 0 } );
        champ_l.addPlayer( 4, QStringLiteral( "Ёжик" ), QStringLiteral( "Лес" ) );
        champ_l.nations() = { 5, 3, 12 };
    }
    if( stage >= 2 )
    {
        // Seven players: T = 8, one bye for a random player of group 1.
        champ_l.createRounds();
        QVector< Game > games_l;
        const RoundPlayers pool_cl = champ_l.rounds().at( 0 ).players_m;
        QVector< PlayerRef > first_l;
        for( auto group_it = pool_cl.cbegin(); group_it != pool_cl.cend(); ++group_it )
            for( const int id_cl : group_it.value() )
                first_l.append( PlayerRef( group_it.key(), id_cl ) );
        for( int i = 0; i < first_l.size() / 2; ++i )
            games_l.append( playedGame( first_l.at( i ), first_l.at( first_l.size() - 1 - i ), 5, 12 ) );
        champ_l.clearCurrentRoundPlayers();
        champ_l.setCurrentRoundGames( games_l );
    }
    if( stage >= 3 )
    {
        champ_l.setGameResult( 0, EXPECTED );
        champ_l.setGameResult( 2, UNEXPECTED );
    }
    if( stage >= 4 )
    {
        champ_l.setGameResult( 1, EXPECTED );
        // Draw the semi-finals and the final by hand.
        for( int round_l = 1; round_l < champ_l.rounds().size(); ++round_l )
        {
            QVector< PlayerRef > pool_l;
            const RoundPlayers players_cl = champ_l.rounds().at( round_l ).players_m;
            for( auto group_it = players_cl.cbegin(); group_it != players_cl.cend(); ++group_it )
                for( const int id_cl : group_it.value() )
                    pool_l.append( PlayerRef( group_it.key(), id_cl ) );
            QVector< Game > games_l;
            for( int i = 0; i < pool_l.size() / 2; ++i )
                games_l.append( playedGame( pool_l.at( i ), pool_l.at( pool_l.size() - 1 - i ), 3, 3 ) );
            champ_l.advanceRound();
            champ_l.clearCurrentRoundPlayers();
            champ_l.setCurrentRoundGames( games_l );
            for( int i = 0; i < games_l.size(); ++i )
                champ_l.setGameResult( i, EXPECTED );
        }
        QCOMPARE( champ_l.currentRound(), champ_l.rounds().size() - 1 );
    }
    const QString file_cl = path( QStringLiteral( "stage%1.stv" ).arg( stage ) );
    QVERIFY( champ_l.save( file_cl ) );
    QCOMPARE( champ_l.fileName(), file_cl );
    Championship loaded_l;
    QVERIFY( loaded_l.load( file_cl ) );
    QCOMPARE( loaded_l.fileName(), file_cl );
    compareChampionships( loaded_l, champ_l );
}

void tst_SaveFile::keepsTextTheCodecCannotHold_data()
{
    QTest::addColumn< QString >( "nickname" );
    QTest::addColumn< QString >( "clan" );
    QTest::newRow( "chinese" ) << QStringLiteral( "李小龙" ) << QStringLiteral( "龙" );
    QTest::newRow( "turkish" ) << QStringLiteral( "Şahin Güçlü" ) << QStringLiteral( "İstanbul" );
    QTest::newRow( "emoji" ) << QStringLiteral( "Игрок 😀🎮" ) << QStringLiteral( "🐉" );
    QTest::newRow( "markup characters" ) << QStringLiteral( "a<b>&c\"d'e" ) << QStringLiteral( "&#128512;" );
}

void tst_SaveFile::keepsTextTheCodecCannotHold()
{
    QFETCH( QString, nickname );
    QFETCH( QString, clan );
    Championship& champ_l = global::data::champ();
    champ_l.addPlayer( 3, nickname, clan );
    const QString file_cl = path( QStringLiteral( "unicode.stv" ) );
    QVERIFY( champ_l.save( file_cl ) );
    QFile raw_l( file_cl );
    QVERIFY( raw_l.open( QIODevice::ReadOnly ) );
    const QByteArray bytes_cl = raw_l.readAll();
    // windows-1251 all through: no UTF-8 sequences, no half surrogates.
    QVERIFY( !bytes_cl.contains( "&#55357;" ) );
    QCOMPARE( QTextCodec::codecForName( "windows-1251" )->fromUnicode( readFile( file_cl ) ), bytes_cl );
    Championship loaded_l;
    QVERIFY( loaded_l.load( file_cl ) );
    QCOMPARE( loaded_l.players().value( 3 ).value( 0 ).nickname_m, nickname );
    QCOMPARE( loaded_l.players().value( 3 ).value( 0 ).clanName_m, clan );
}

void tst_SaveFile::usesCyrillicFileNamesAsTheyAre()
{
    const QString file_cl = path( QStringLiteral( "Чемпионат осени.stv" ) );
    QVERIFY( global::data::champ().save( file_cl ) );
    QVERIFY( QDir( dir_m.path() ).entryList( QDir::Files ).contains( QStringLiteral( "Чемпионат осени.stv" ) ) );
#ifndef Q_OS_WIN
    // Linux keeps names as bytes: they must be UTF-8, as every other program
    // there reads them. Windows keeps them in UTF-16 itself.
    QVERIFY( QFile::exists( QString::fromUtf8( QFile::encodeName( file_cl ) ) ) );
#endif
    Championship loaded_l;
    QVERIFY( loaded_l.load( file_cl ) );
    QCOMPARE( loaded_l.fileName(), file_cl );
}

void tst_SaveFile::savesToRememberedFile()
{
    Championship& champ_l = global::data::champ();
    QVERIFY( !champ_l.save() );
    const QString file_cl = path( QStringLiteral( "remembered.stv" ) );
    QVERIFY( champ_l.save( file_cl ) );
    Championship loaded_l;
    QVERIFY( loaded_l.load( file_cl ) );
    loaded_l.addPlayer( 1, QStringLiteral( "later" ), QString() );
    QVERIFY( loaded_l.save() );
    QVERIFY( readFile( file_cl ).contains( QStringLiteral( "<nickname>later</nickname>" ) ) );
    QVERIFY( !champ_l.save( path( QStringLiteral( "no/such/dir/x.stv" ) ) ) );
    QCOMPARE( champ_l.fileName(), file_cl );
}

void tst_SaveFile::readerSkipsMalformedEntries_data()
{
    QTest::addColumn< QString >( "from" );
    QTest::addColumn< QString >( "to" );
    QTest::addColumn< int >( "check" );
    QTest::newRow( "comment inside groups" ) << " <groups>\n"
                                             << " <groups>\n<!-- note -->\n"
                                             << 0;
    QTest::newRow( "game without result" ) << "     <result>UNKNOWN</result>\n    </game>\n    <game>"
                                           << "    </game>\n    <game>" << 1;
    QTest::newRow( "favorite with empty nid" ) << "<favorite gid=\"1\" pid=\"0\" nid=\"3\"/>"
                                               << "<favorite gid=\"1\" pid=\"0\" nid=\"\"/>" << 1;
    QTest::newRow( "list 5  7 x" ) << "<list>1 2 3 </list>"
                                   << "<list>5  7 x</list>" << 2;
    // A draw would hand a negative id to a game, and the file written then
    // would be refused.
    QTest::newRow( "list 5 -3 7 x" ) << "<list>1 2 3 </list>"
                                     << "<list>5 -3 7 x</list>" << 2;
    QTest::newRow( "player without nickname" ) << "<nickname>Bravo</nickname>"
                                               << "<nickname></nickname>" << 3;
    QTest::newRow( "group without name" ) << "<name>Ветераны</name>"
                                          << "<name></name>" << 4;
}

void tst_SaveFile::readerSkipsMalformedEntries()
{
    QFETCH( QString, from );
    QFETCH( QString, to );
    QFETCH( int, check );
    QString text_l = baseText();
    QVERIFY( text_l.contains( from ) );
    text_l.replace( from, to );
    // A dropped game stays tolerated where the bracket still adds up: here
    // its favourite waits in the next round, as with a bye.
    if( 1 == check )
        text_l.replace( QStringLiteral( "  </round>\n </rounds>" ),
                        QStringLiteral( "  </round>\n  <round><games/><players><group gid=\"1\">0 </group></players>"
                                        "</round>\n </rounds>" ) );
    const QString file_cl = path( QStringLiteral( "skips.stv" ) );
    writeFile( file_cl, QTextCodec::codecForName( "windows-1251" )->fromUnicode( text_l ) );
    Championship loaded_l;
    QVERIFY( loaded_l.load( file_cl ) );
    switch( check )
    {
    case 0:
        QCOMPARE( loaded_l.players().size(), 4 );
        break;
    case 1:
        QCOMPARE( loaded_l.rounds().at( 0 ).games_m.size(), 1 );
        QCOMPARE( loaded_l.rounds().at( 0 ).games_m.at( 0 ).favorite_m, PlayerRef( 1, 1 ) );
        break;
    case 2:
        QCOMPARE( loaded_l.nations(), QVector< int >( { 5, 7, 0 } ) );
        QVERIFY( loaded_l.nationName( 5 ).isEmpty() );
        break;
    case 3:
        QCOMPARE( loaded_l.players().value( 1 ).keys(), QList< int >( { 0 } ) );
        break;
    case 4:
        QCOMPARE( loaded_l.players().keys(), QList< int >( { 1, 2, 4 } ) );
        QCOMPARE( loaded_l.groupsNames().keys(), QList< int >( { 1, 2, 4 } ) );
        break;
    }
}

void tst_SaveFile::undrawnBracketLoadsAsNoRounds()
{
    // Rounds made for a first draw that was cancelled: pools, no games.
    QString text_l = baseText();
    const int games_cl = text_l.indexOf( QStringLiteral( "   <games>" ) );
    const int gamesEnd_cl = text_l.indexOf( QStringLiteral( "   </games>\n" ) ) + 12;
    text_l.replace( games_cl, gamesEnd_cl - games_cl, QStringLiteral( "   <games/>\n" ) );
    text_l.replace( QStringLiteral( "<players/>" ),
                    QStringLiteral( "<players><group gid=\"1\">0 1 </group><group gid=\"2\">0 1 </group></players>" ) );
    const QString file_cl = path( QStringLiteral( "undrawn.stv" ) );
    writeFile( file_cl, QTextCodec::codecForName( "windows-1251" )->fromUnicode( text_l ) );
    Championship loaded_l;
    QVERIFY( loaded_l.load( file_cl ) );
    QVERIFY( loaded_l.rounds().isEmpty() );
    QCOMPARE( loaded_l.currentRound(), 0 );
    QCOMPARE( loaded_l.playersAmount(), 4 );

    // Past the first round, damaged first-round games lose nothing else:
    // the final and its result stay.
    Championship played_l;
    for( int i = 0; i < 4; ++i )
        played_l.addPlayer( 1 + i / 2, QStringLiteral( "p%1" ).arg( i ), QString() );
    played_l.createRounds();
    played_l.setCurrentRoundGames( { playedGame( PlayerRef( 1, 0 ), PlayerRef( 2, 0 ), 1, 2 ),
                                     playedGame( PlayerRef( 1, 1 ), PlayerRef( 2, 1 ), 1, 2 ) } );
    played_l.setGameResult( 0, EXPECTED );
    played_l.setGameResult( 1, UNEXPECTED );
    played_l.advanceRound();
    played_l.clearCurrentRoundPlayers();
    played_l.setCurrentRoundGames( { playedGame( PlayerRef( 1, 0 ), PlayerRef( 2, 1 ), 3, 1 ) } );
    played_l.setGameResult( 0, UNEXPECTED );
    QString damaged_l = SaveFile::toText( played_l );
    const int first_cl = damaged_l.indexOf( QStringLiteral( "<games>" ) );
    damaged_l.replace( first_cl, damaged_l.indexOf( QStringLiteral( "</games>" ) ) + 8 - first_cl,
                       QStringLiteral( "<games/>" ) );
    Championship reloaded_l;
    QVERIFY( SaveFile::fromText( damaged_l, reloaded_l ) );
    QCOMPARE( reloaded_l.currentRound(), 1 );
    QVERIFY( reloaded_l.rounds().at( 0 ).games_m.isEmpty() );
    QCOMPARE( reloaded_l.rounds().at( 1 ).games_m, played_l.rounds().at( 1 ).games_m );
}

void tst_SaveFile::refusesBrokenFiles_data()
{
    QTest::addColumn< QString >( "from" );
    QTest::addColumn< QString >( "to" );
    QTest::newRow( "not well-formed" ) << "</root>"
                                       << "";
    QTest::newRow( "doctype in another case" ) << "SortivaneSaveFile-v.0.1"
                                               << "sortivanesavefile-v.0.1";
    QTest::newRow( "no doctype" ) << "<!DOCTYPE SortivaneSaveFile-v.0.1>"
                                  << "";
    QTest::newRow( "first element not root" ) << "<root>"
                                              << "<base><root>";
    QTest::newRow( "comment directly in root" ) << "<root>\n"
                                                << "<root>\n<!-- note -->\n";
    QTest::newRow( "no nation names" )
        << "<nation nid=\"1\">Ацтеки</nation>\n  <nation nid=\"2\">Великобритания</nation>\n  "
           "<nation nid=\"3\">Германия</nation>"
        << "";
    QTest::newRow( "negative amount" ) << "amount=\"2\""
                                       << "amount=\"-2\"";
    QTest::newRow( "amount beyond a million places" ) << "amount=\"2\""
                                                      << "amount=\"21\"";
    QTest::newRow( "huge amount" ) << "amount=\"2\""
                                   << "amount=\"2147483647\"";
    QTest::newRow( "negative current" ) << "current=\"0\""
                                        << "current=\"-1\"";
    QTest::newRow( "current outside the rounds" ) << "current=\"0\""
                                                  << "current=\"2\"";
    QTest::newRow( "group twice in a pool" )
        << "<players/>"
        << "<players><group gid=\"1\">0 </group><group gid=\"1\">1 </group></players>";
    QTest::newRow( "player twice in a pool" ) << "<players/>"
                                              << "<players><group gid=\"2\">1 1 </group></players>";
    QTest::newRow( "pool names a missing group" ) << "<players/>"
                                                  << "<players><group gid=\"9\">0 </group></players>";
    QTest::newRow( "game names a missing group" ) << "<outsider gid=\"2\" pid=\"0\" nid=\"1\"/>"
                                                  << "<outsider gid=\"7\" pid=\"0\" nid=\"1\"/>";
    QTest::newRow( "games in a round after the current one" )
        << "  </round>\n"
        << "  </round>\n  <round><games><game><favorite gid=\"1\" pid=\"0\" nid=\"1\"/>"
           "<outsider gid=\"2\" pid=\"0\" nid=\"1\"/><result>UNKNOWN</result></game></games><players/></round>\n";
    QTest::newRow( "more games than the denominator" )
        << "   </games>"
        << "    <game><favorite gid=\"1\" pid=\"0\" nid=\"1\"/><outsider gid=\"1\" pid=\"1\" nid=\"1\"/>"
           "<result>UNKNOWN</result></game>\n   </games>";
}

void tst_SaveFile::refusesBrokenFiles()
{
    QFETCH( QString, from );
    QFETCH( QString, to );
    QString text_l = baseText();
    QVERIFY( text_l.contains( from ) );
    text_l.replace( from, to );
    const QString file_cl = path( QStringLiteral( "broken.stv" ) );
    writeFile( file_cl, QTextCodec::codecForName( "windows-1251" )->fromUnicode( text_l ) );
    Championship& champ_l = global::data::champ();
    champ_l.addPlayer( 2, QStringLiteral( "kept" ), QString() );
    QVERIFY( champ_l.save( path( QStringLiteral( "previous.stv" ) ) ) );
    QVERIFY( !champ_l.load( file_cl ) );
    QCOMPARE( champ_l.fileName(), path( QStringLiteral( "previous.stv" ) ) );
    QCOMPARE( champ_l.players().value( 2 ).value( 0 ).nickname_m, QStringLiteral( "kept" ) );
    QVERIFY( champ_l.rounds().isEmpty() );
    QCOMPARE( champ_l.nations().size(), 17 );
    // The file is not left open: it can be removed and replaced at once.
    QVERIFY( QFile::remove( file_cl ) );
}

void tst_SaveFile::readsUnicodeFilesWithByteOrderMark_data()
{
    QTest::addColumn< QByteArray >( "codec" );
    QTest::newRow( "UTF-8" ) << QByteArray( "UTF-8" );
    QTest::newRow( "UTF-16LE" ) << QByteArray( "UTF-16LE" );
    QTest::newRow( "UTF-16BE" ) << QByteArray( "UTF-16BE" );
}

void tst_SaveFile::readsUnicodeFilesWithByteOrderMark()
{
    QFETCH( QByteArray, codec );
    QTextCodec* const codec_cl = QTextCodec::codecForName( codec );
    // Exactly one byte-order mark, whatever the codec would add by itself.
    const QScopedPointer< QTextEncoder > encoder_cl( codec_cl->makeEncoder( QTextCodec::IgnoreHeader ) );
    const QByteArray bytes_cl = encoder_cl->fromUnicode( QChar( QChar::ByteOrderMark ) + baseText() );
    const QString file_cl = path( QStringLiteral( "bom.stv" ) );
    writeFile( file_cl, bytes_cl );
    Championship loaded_l;
    QVERIFY( loaded_l.load( file_cl ) );
    QCOMPARE( loaded_l.groupsNames().value( 2 ), QStringLiteral( "Мастера" ) );
    QCOMPARE( loaded_l.rounds().at( 0 ).games_m.size(), 2 );
}

void tst_SaveFile::reportsFullDiskAndKeepsPreviousFile()
{
    QTemporaryDir mountPoint_l;
    if( !systemsupport::mountSmallDisk( mountPoint_l.path() ) )
        QSKIP( "no permission to mount a small tmpfs here" );
    const QString file_cl = mountPoint_l.filePath( QStringLiteral( "full.stv" ) );
    Championship& champ_l = global::data::champ();
    QVERIFY( champ_l.save( file_cl ) );
    const QByteArray previous_cl = readFile( file_cl ).toUtf8();
    // Far more than 64 KiB of text: the write runs out of space midway.
    for( int i = 0; i < 3000; ++i )
        champ_l.addPlayer( 1 + i % 4, QStringLiteral( "Игрок с длинным псевдонимом %1" ).arg( i ),
                           QStringLiteral( "Клан" ) );
    const bool saved_cl = champ_l.save( file_cl );
    const QByteArray after_cl = readFile( file_cl ).toUtf8();
    systemsupport::unmountSmallDisk( mountPoint_l.path() );
    QVERIFY( !saved_cl );
    QCOMPARE( after_cl, previous_cl );
}

// Each row breaks one rule of the reader; the big inputs are made here.
void tst_SaveFile::refusesHostileFiles_data()
{
    QTest::addColumn< QString >( "from" );
    QTest::addColumn< QString >( "to" );
    QTest::addColumn< int >( "refusal" );
    const auto row_l = []( const char* name_p, const QString& from_cp, const QString& to_cp, SaveFile::Refusal why_p )
    { QTest::newRow( name_p ) << from_cp << to_cp << int( why_p ); };
    const QString deep_cl = QStringLiteral( "<a>" ).repeated( 30000 ) + QStringLiteral( "</a>" ).repeated( 30000 );
    row_l( "nested deeper than the format", QStringLiteral( "<players/>" ), deep_cl, SaveFile::Refusal::NestedTooDeep );
    row_l( "internal entity used many times", QStringLiteral( "<!DOCTYPE SortivaneSaveFile-v.0.1>" ),
           QStringLiteral( "<!DOCTYPE SortivaneSaveFile-v.0.1 [<!ENTITY e \"%1\">]>" )
               .arg( QString( 60000, QLatin1Char( 'x' ) ) ),
           SaveFile::Refusal::InternalSubset );
    row_l( "FIFO", QStringLiteral( "fifo" ), QString(), SaveFile::Refusal::NotARegularFile );
    row_l( "directory", QStringLiteral( "directory" ), QString(), SaveFile::Refusal::NotARegularFile );
    row_l( "file beyond the cap", QStringLiteral( "sparse" ), QString(), SaveFile::Refusal::TooLarge );
    row_l( "amount that overflows", QStringLiteral( "amount=\"2\"" ), QStringLiteral( "amount=\"4294967298\"" ),
           SaveFile::Refusal::BadNumber );
    row_l( "player id that overflows", QStringLiteral( "<player pid=\"1\">" ),
           QStringLiteral( "<player pid=\"4294967296\">" ), SaveFile::Refusal::BadNumber );
    row_l( "garbage in a pool", QStringLiteral( "<players/>" ),
           QStringLiteral( "<players><group gid=\"3\">0 x</group></players>" ), SaveFile::Refusal::BadNumber );
    row_l( "garbage current", QStringLiteral( "current=\"0\"" ), QStringLiteral( "current=\"first\"" ),
           SaveFile::Refusal::BadNumber );
    row_l( "player id 0 given as 00", QStringLiteral( "<player pid=\"1\">" ), QStringLiteral( "<player pid=\"00\">" ),
           SaveFile::Refusal::RepeatedId );
    row_l( "nation id twice", QStringLiteral( "<nation nid=\"2\">" ), QStringLiteral( "<nation nid=\"1\">" ),
           SaveFile::Refusal::RepeatedId );
    row_l( "group id twice", QStringLiteral( "<group gid=\"4\">" ), QStringLiteral( "<group gid=\"3\">" ),
           SaveFile::Refusal::RepeatedId );
    row_l( "next round full while games are undecided", QStringLiteral( "  </round>\n </rounds>" ),
           QStringLiteral( "  </round>\n  <round><games/><players><group gid=\"3\">0 1 </group></players></round>\n"
                           " </rounds>" ),
           SaveFile::Refusal::Unplayable );
    row_l( "dropped game leaves the round unplayable", QStringLiteral( "<favorite gid=\"1\" pid=\"0\" nid=\"3\"/>" ),
           QStringLiteral( "<favorite gid=\"1\" pid=\"0\" nid=\"\"/>" ), SaveFile::Refusal::Unplayable );
}

void tst_SaveFile::refusesHostileFiles()
{
    QFETCH( QString, from );
    QFETCH( QString, to );
    QFETCH( int, refusal );
    const QString file_cl = path( QStringLiteral( "hostile.stv" ) );
    QFile::remove( file_cl );
    QDir( file_cl ).removeRecursively();
    if( from == QStringLiteral( "fifo" ) )
    {
        if( !systemsupport::hasFifos() )
            QSKIP( "no FIFOs on this system" );
        QVERIFY( systemsupport::makeFifo( file_cl ) );
    }
    else if( from == QStringLiteral( "directory" ) )
        QVERIFY( QDir().mkpath( file_cl ) );
    else if( from == QStringLiteral( "sparse" ) )
    {
        QFile sparse_l( file_cl );
        QVERIFY( sparse_l.open( QIODevice::WriteOnly ) );
        QVERIFY( sparse_l.resize( SaveFile::MAX_FILE_SIZE + 1 ) );
    }
    else
    {
        // Groups of two players, for the rows that repeat or overflow an id.
        QString text_l = withFullGroups( baseText() );
        QVERIFY( text_l.contains( from ) );
        text_l.replace( from, to );
        writeFile( file_cl, QTextCodec::codecForName( "windows-1251" )->fromUnicode( text_l ) );
    }
    Championship& champ_l = global::data::champ();
    champ_l.addPlayer( 2, QStringLiteral( "kept" ), QString() );
    QVERIFY( champ_l.save( path( QStringLiteral( "previous.stv" ) ) ) );
    // The reader's own cost, whatever else the machine runs.
    const qint64 start_cl = systemsupport::cpuMilliseconds();
    Championship loaded_l;
    SaveFile::Refusal why_l = SaveFile::Refusal::None;
    QVERIFY( !SaveFile::read( file_cl, loaded_l, &why_l ) );
    QCOMPARE( int( why_l ), refusal );
    QVERIFY( !champ_l.load( file_cl ) );
    const qint64 took_cl = systemsupport::cpuMilliseconds() - start_cl;
    QVERIFY2( took_cl < 5000, qPrintable( QString::number( took_cl ) ) );
    QCOMPARE( champ_l.fileName(), path( QStringLiteral( "previous.stv" ) ) );
    QCOMPARE( champ_l.players().value( 2 ).value( 0 ).nickname_m, QStringLiteral( "kept" ) );
}

namespace
{
// The nodes and attributes of a document as its reader counts them: every
// element, comment and text that is more than blanks.
void countMarkup( const QDomNode& node_cp, int& nodes_rp, int& attributes_rp )
{
    for( QDomNode child_l = node_cp.firstChild(); !child_l.isNull(); child_l = child_l.nextSibling() )
    {
        nodes_rp += child_l.isElement() || child_l.isComment()
                    || ( child_l.isText() && !child_l.nodeValue().trimmed().isEmpty() );
        attributes_rp += child_l.attributes().count();
        countMarkup( child_l, nodes_rp, attributes_rp );
    }
}

QString attributes( int count_p )
{
    QString text_l;
    for( int i = 0; i < count_p; ++i )
        text_l += QStringLiteral( " a%1=\"\"" ).arg( i );
    return text_l;
}

// The four-player file grown to its bound for one measure, plus extra_p:
// elements of no meaning to the reader, which it skips once counted.
QString grownToBound( const QString& base_cp, const QString& bound_cp, int extra_p )
{
    QDomDocument document_l;
    document_l.setContent( base_cp );
    int nodes_l = 0;
    int attributes_l = 0;
    countMarkup( document_l, nodes_l, attributes_l );
    QString text_l = base_cp;
    QString added_l;
    if( QStringLiteral( "attributes on one element" ) == bound_cp )
        text_l.replace( QStringLiteral( "<root>" ),
                        QStringLiteral( "<root%1>" ).arg( attributes( SaveFile::MAX_ATTRIBUTES + extra_p ) ) );
    else if( QStringLiteral( "attributes in the file" ) == bound_cp )
    {
        const int wanted_cl = SaveFile::MAX_ALL_ATTRIBUTES - attributes_l + extra_p;
        const QString full_cl = QStringLiteral( "<x%1/>" ).arg( attributes( SaveFile::MAX_ATTRIBUTES ) );
        added_l = full_cl.repeated( wanted_cl / SaveFile::MAX_ATTRIBUTES )
                  + QStringLiteral( "<x%1/>" ).arg( attributes( wanted_cl % SaveFile::MAX_ATTRIBUTES ) );
    }
    else if( QStringLiteral( "nodes" ) == bound_cp )
        added_l = QStringLiteral( "<x/>" ).repeated( SaveFile::MAX_NODES - nodes_l + extra_p );
    else if( QStringLiteral( "depth" ) == bound_cp )
        added_l = QStringLiteral( "<x>" ).repeated( SaveFile::MAX_DEPTH - 1 + extra_p )
                  + QStringLiteral( "</x>" ).repeated( SaveFile::MAX_DEPTH - 1 + extra_p );
    else if( QStringLiteral( "comments" ) == bound_cp )
        text_l += QStringLiteral( "<!--c-->" ).repeated( SaveFile::MAX_ASIDES + extra_p );
    else if( QStringLiteral( "name length" ) == bound_cp )
        text_l.replace( QStringLiteral( "Alpha" ), QString( SaveFile::MAX_NAME_LENGTH + extra_p, QLatin1Char( 'A' ) ) );
    return text_l.replace( QStringLiteral( "</root>" ), added_l + QStringLiteral( "</root>" ) );
}
}

void tst_SaveFile::readsUpToEachBoundAndNoFurther_data()
{
    QTest::addColumn< QString >( "bound" );
    QTest::addColumn< int >( "refusal" );
    QTest::newRow( "attributes on one element" )
        << "attributes on one element" << int( SaveFile::Refusal::BeyondBounds );
    QTest::newRow( "attributes in the file" ) << "attributes in the file" << int( SaveFile::Refusal::BeyondBounds );
    QTest::newRow( "nodes" ) << "nodes" << int( SaveFile::Refusal::BeyondBounds );
    QTest::newRow( "depth" ) << "depth" << int( SaveFile::Refusal::NestedTooDeep );
    QTest::newRow( "comments" ) << "comments" << int( SaveFile::Refusal::BeyondBounds );
    QTest::newRow( "name length" ) << "name length" << int( SaveFile::Refusal::BeyondBounds );
}

// A file at each bound is read, by either parser, and plays on and saves;
// one a step beyond it is refused for that bound.
void tst_SaveFile::readsUpToEachBoundAndNoFurther()
{
    QFETCH( QString, bound );
    QFETCH( int, refusal );
    for( const SaveFile::Parser parser_l : { SaveFile::Parser::Streamed, SaveFile::Parser::DomOnly } )
    {
        Championship atBound_l;
        SaveFile::Refusal why_l = SaveFile::Refusal::None;
        QVERIFY2( SaveFile::fromText( grownToBound( baseText(), bound, 0 ), atBound_l, &why_l, parser_l ),
                  qPrintable( QString::number( int( why_l ) ) ) );
        atBound_l.setGameResult( 0, EXPECTED );
        atBound_l.setGameResult( 1, UNEXPECTED );
        QVERIFY( global::threads::tossThread()->drawInPlace( atBound_l ) );
        QVERIFY( atBound_l.save( path( QStringLiteral( "bound.stv" ) ) ) );
        Championship beyond_l;
        QVERIFY( !SaveFile::fromText( grownToBound( baseText(), bound, 1 ), beyond_l, &why_l, parser_l ) );
        QCOMPARE( int( why_l ), refusal );
    }
}

void tst_SaveFile::refusesToSaveOverNonRegularFiles_data()
{
    QTest::addColumn< QString >( "kind" );
    QTest::newRow( "FIFO" ) << QStringLiteral( "fifo" );
    QTest::newRow( "character device" ) << QStringLiteral( "device" );
    QTest::newRow( "directory" ) << QStringLiteral( "directory" );
}

void tst_SaveFile::refusesToSaveOverNonRegularFiles()
{
    QFETCH( QString, kind );
    const QString node_cl = path( QStringLiteral( "node-" ) + kind );
    const QByteArray native_cl = QFile::encodeName( node_cl );
    if( kind == QStringLiteral( "fifo" ) )
    {
        if( !systemsupport::hasFifos() )
            QSKIP( "no FIFOs on this system" );
        QVERIFY( systemsupport::makeFifo( node_cl ) );
    }
    else if( kind == QStringLiteral( "directory" ) )
        QVERIFY( QDir().mkpath( node_cl ) );
    // A device node like /dev/null's, made in the scratch folder; only root
    // may make one.
    else if( kind == QStringLiteral( "device" ) && !systemsupport::makeNullDevice( node_cl ) )
        QSKIP( "no device node can be made here" );
    struct stat before_l;
    QCOMPARE( stat( native_cl.constData(), &before_l ), 0 );
    Championship& champ_l = global::data::champ();
    QVERIFY( !champ_l.save( node_cl ) );
    QVERIFY( champ_l.fileName().isEmpty() );
    struct stat after_l;
    QCOMPARE( stat( native_cl.constData(), &after_l ), 0 );
    QCOMPARE( after_l.st_mode, before_l.st_mode );
    QCOMPARE( after_l.st_ino, before_l.st_ino );
}

void tst_SaveFile::refusesToSaveBeyondTheSizeCap()
{
    Championship& champ_l = global::data::champ();
    const QString file_cl = path( QStringLiteral( "capped.stv" ) );
    QVERIFY( champ_l.save( file_cl ) );
    const QString previous_cl = readFile( file_cl );
    const QString nickname_cl( 4000, QLatin1Char( 'n' ) );
    for( int i = 0; i * nickname_cl.size() <= SaveFile::MAX_FILE_SIZE; ++i )
        champ_l.addPlayer( 1 + i % 4, nickname_cl, QString() );
    QVERIFY( !champ_l.save( file_cl ) );
    QCOMPARE( readFile( file_cl ), previous_cl );
}

// Files that an older program read, that a person edited, or that an editor
// re-encoded: each has one sound reading, and saved again it reads back the
// same.
void tst_SaveFile::readsOldAndEditedFiles_data()
{
    QTest::addColumn< QString >( "from" );
    QTest::addColumn< QString >( "to" );
    QTest::addColumn< QByteArray >( "codec" );
    QTest::addColumn< QString >( "nickname" ); // of player 0 of group 1
    QTest::addColumn< QString >( "clan" );
    QTest::addColumn< int >( "waiting" ); // in the second round
    const QByteArray cp1251_cl( "windows-1251" );
    const QString declaration_cl = QStringLiteral( "<?xml version=\"1.0\" encoding=\"%1\"?>\n" );
    const auto row_l = [ & ]( const char* name_p, const QString& from_cp, const QString& to_cp,
                              const QByteArray& codec_cp = QByteArray( "windows-1251" ),
                              const QString& nickname_cp = QStringLiteral( "Alpha" ),
                              const QString& clan_cp = QStringLiteral( "KZ" ), int waiting_p = 0 )
    { QTest::newRow( name_p ) << from_cp << to_cp << codec_cp << nickname_cp << clan_cp << waiting_p; };
    row_l( "prefixed element under root", " <groups>", " <ext:meta/>\n <groups>" );
    row_l( "prefixed attribute on a group", "<group gid=\"3\">", "<group gid=\"3\" note:colour=\"red\">" );
    row_l( "unknown element with ids in a game", "<favorite gid=\"1\" pid=\"0\" nid=\"3\"/>",
           "<favorite gid=\"1\" pid=\"0\" nid=\"3\"/><referee gid=\"x\" pid=\"y\" nid=\"z\"/>" );
    row_l( "system id holding a bracket", "<!DOCTYPE SortivaneSaveFile-v.0.1>",
           "<!DOCTYPE SortivaneSaveFile-v.0.1 SYSTEM \"saves[1].dtd\">" );
    row_l( "repeated pid in a dropped group", "<name>Ветераны</name>",
           "<name></name><player pid=\"0\"><nickname>a</nickname></player>"
           "<player pid=\"0\"><nickname>b</nickname></player>" );
    row_l( "winners missing from the next round", "<result>UNKNOWN</result>", "<result>EXPECTED</result>", cp1251_cl,
           "Alpha", "KZ", 2 );
    row_l( "unknown result word", "<result>UNKNOWN</result>", "<result>WON</result>" );
    row_l( "raw control character", "<nickname>Alpha</nickname>", "<nickname>Al\x0Bpha</nickname>", cp1251_cl,
           "Al pha" );
    row_l( "referenced control character", "<nickname>Alpha</nickname>", "<nickname>Al&#11;pha</nickname>", cp1251_cl,
           "Al pha" );
    row_l( "clan of control characters", "<clanname>KZ</clanname>", "<clanname>&#1;&#x1F;</clanname>", cp1251_cl,
           "Alpha", QString() );
    row_l( "UTF-8 from a text editor", "Alpha", "Alpha", "UTF-8" );
    row_l( "UTF-8 with a declaration", "<!DOCTYPE", declaration_cl.arg( "UTF-8" ) + "<!DOCTYPE", "UTF-8" );
    row_l( "windows-1251 with a declaration", "<!DOCTYPE", declaration_cl.arg( "windows-1251" ) + "<!DOCTYPE" );
}

void tst_SaveFile::readsOldAndEditedFiles()
{
    QFETCH( QString, from );
    QFETCH( QString, to );
    QFETCH( QByteArray, codec );
    QString text_l = baseText();
    QVERIFY( text_l.contains( from ) );
    text_l.replace( from, to );
    const QString file_cl = path( QStringLiteral( "old.stv" ) );
    writeFile( file_cl, QTextCodec::codecForName( codec )->fromUnicode( text_l ) );
    Championship loaded_l;
    QVERIFY( loaded_l.load( file_cl ) );
    QTEST( loaded_l.players().value( 1 ).value( 0 ).nickname_m, "nickname" );
    QTEST( loaded_l.players().value( 1 ).value( 0 ).clanName_m, "clan" );
    QCOMPARE( loaded_l.groupsNames().value( 2 ), QStringLiteral( "Мастера" ) );
    QCOMPARE( loaded_l.nationName( 1 ), QStringLiteral( "Ацтеки" ) );
    QCOMPARE( loaded_l.rounds().size(), 2 );
    QTEST( loaded_l.rounds().at( 1 ).playersAmount(), "waiting" );
    QVERIFY( loaded_l.canBePlayedToFinal() );
    QVERIFY( loaded_l.save( path( QStringLiteral( "resaved.stv" ) ) ) );
    Championship reloaded_l;
    QVERIFY( reloaded_l.load( path( QStringLiteral( "resaved.stv" ) ) ) );
    QVERIFY( reloaded_l.holdsSameAs( loaded_l ) );
}

// Each row breaks one clause of the rule that a bracket can be played to
// its final, and no other. Groups 3 and 4 hold two players each here too.
void tst_SaveFile::refusesStuckBrackets_data()
{
    QTest::addColumn< QString >( "rounds" );
    const QString game_cl = QStringLiteral( "<game><favorite gid=\"%1\" pid=\"%2\" nid=\"1\"/>"
                                            "<outsider gid=\"%3\" pid=\"%4\" nid=\"%5\"/><result>%6</result></game>" );
    const auto game_l = [ &game_cl ]( int favouriteGroup_p, int player_p, const char* result_p )
    {
        return game_cl.arg( favouriteGroup_p )
            .arg( player_p )
            .arg( favouriteGroup_p + 1 )
            .arg( player_p )
            .arg( 1 )
            .arg( result_p );
    };
    const auto round_l = []( const QString& games_cp, const QString& players_cp )
    { return QStringLiteral( "<round><games>%1</games><players>%2</players></round>" ).arg( games_cp, players_cp ); };
    const auto rounds_l = []( int amount_p, int current_p, const QString& rounds_cp )
    {
        return QStringLiteral( "<rounds amount=\"%1\" current=\"%2\">%3</rounds>" )
            .arg( amount_p )
            .arg( current_p )
            .arg( rounds_cp );
    };
    const QString semiFinals_cl = round_l( game_l( 1, 0, "EXPECTED" ) + game_l( 1, 1, "EXPECTED" ), QString() );
    QTest::newRow( "final game lost a part" ) << rounds_l(
        2, 1,
        semiFinals_cl
            + round_l( game_cl.arg( 1 ).arg( 0 ).arg( 1 ).arg( 1 ).arg( QString() ).arg( "UNKNOWN" ), QString() ) );
    QTest::newRow( "current round above 0, no games anywhere" )
        << rounds_l( 2, 1, round_l( QString(), QString() ) + round_l( QString(), QString() ) );
    QTest::newRow( "a round after the current one has games" )
        << rounds_l( 2, 0, semiFinals_cl + round_l( game_l( 1, 0, "UNKNOWN" ), QString() ) );
    QTest::newRow( "more games than the round has places" ) << rounds_l(
        2, 1, semiFinals_cl + round_l( game_l( 1, 0, "UNKNOWN" ) + game_l( 3, 0, "UNKNOWN" ), QString() ) );
    QTest::newRow( "more players waiting than the round has places" )
        << rounds_l( 2, 0,
                     round_l( game_l( 1, 0, "UNKNOWN" ) + game_l( 1, 1, "UNKNOWN" ),
                              QStringLiteral( "<group gid=\"3\">0 1 </group><group gid=\"4\">0 1 </group>"
                                              "<group gid=\"1\">0 </group>" ) )
                         + round_l( QString(), QString() ) );
    QTest::newRow( "players waiting in a group that does not exist" )
        << rounds_l( 2, 0,
                     round_l( game_l( 1, 0, "UNKNOWN" ) + game_l( 1, 1, "UNKNOWN" ),
                              QStringLiteral( "<group gid=\"9\">0 </group>" ) )
                         + round_l( QString(), QString() ) );
    QTest::newRow( "a game of a group that does not exist" ) << rounds_l(
        2, 1,
        semiFinals_cl + round_l( game_cl.arg( 9 ).arg( 0 ).arg( 2 ).arg( 0 ).arg( 1 ).arg( "UNKNOWN" ), QString() ) );
    QTest::newRow( "a player in two games of the round" ) << rounds_l(
        2, 0,
        round_l( game_l( 1, 0, "UNKNOWN" ) + game_cl.arg( 1 ).arg( 0 ).arg( 2 ).arg( 1 ).arg( 1 ).arg( "UNKNOWN" ),
                 QString() )
            + round_l( QString(), QString() ) );
    QTest::newRow( "loser waits in the next round" )
        << rounds_l( 2, 0,
                     round_l( game_l( 1, 0, "EXPECTED" ) + game_l( 1, 1, "UNKNOWN" ), QString() )
                         + round_l( QString(), QStringLiteral( "<group gid=\"2\">0 </group>" ) ) );
    QTest::newRow( "the next round full while games are undecided" )
        << rounds_l( 2, 0,
                     round_l( game_l( 1, 0, "UNKNOWN" ) + game_l( 1, 1, "UNKNOWN" ), QString() )
                         + round_l( QString(), QStringLiteral( "<group gid=\"3\">0 1 </group>" ) ) );
    QTest::newRow( "a round beyond the next one has players" ) << rounds_l(
        3, 0,
        round_l( game_l( 1, 0, "UNKNOWN" ) + game_l( 1, 1, "UNKNOWN" ), QString() )
            + round_l( QString(), QStringLiteral( "<group gid=\"3\">0 </group><group gid=\"4\">0 </group>" ) )
            + round_l( QString(), QStringLiteral( "<group gid=\"3\">1 </group>" ) ) );
}

void tst_SaveFile::refusesStuckBrackets()
{
    QFETCH( QString, rounds );
    QString text_l = withFullGroups( baseText() );
    const int from_cl = text_l.indexOf( QStringLiteral( " <rounds" ) );
    text_l.replace( from_cl, text_l.indexOf( QStringLiteral( "</rounds>" ) ) + 9 - from_cl, rounds );
    Championship loaded_l;
    SaveFile::Refusal why_l = SaveFile::Refusal::None;
    QVERIFY( !SaveFile::fromText( text_l, loaded_l, &why_l ) );
    QCOMPARE( why_l, SaveFile::Refusal::Unplayable );
}

// Whatever a nickname or clan holds, the file written reads back, with the
// text cleaned as at entry.
void tst_SaveFile::everyCharacterClassReadsBack_data()
{
    QTest::addColumn< QString >( "character" );
    for( ushort c = 0; c < 0x20; ++c )
        QTest::addRow( "C0 %02x", c ) << QString( QChar( c ) );
    QTest::newRow( "DEL" ) << QString( QChar( 0x7F ) );
    for( ushort c = 0x80; c < 0xA0; c += 0x0F )
        QTest::addRow( "C1 %02x", c ) << QString( QChar( c ) );
    QTest::newRow( "line separator" ) << QString( QChar( 0x2028 ) );
    QTest::newRow( "paragraph separator" ) << QString( QChar( 0x2029 ) );
    QTest::newRow( "right-to-left override" ) << QString( QChar( 0x202E ) );
    QTest::newRow( "left-to-right isolate" ) << QString( QChar( 0x2066 ) );
    QTest::newRow( "byte-order mark" ) << QString( QChar( 0xFEFF ) );
    QTest::newRow( "replacement character" ) << QString( QChar( 0xFFFD ) );
    QTest::newRow( "U+FFFE" ) << QString( QChar( 0xFFFE ) );
    QTest::newRow( "U+FFFF" ) << QString( QChar( 0xFFFF ) );
    QTest::newRow( "lone high surrogate" ) << QString( QChar( 0xD83D ) );
    QTest::newRow( "lone low surrogate" ) << QString( QChar( 0xDE00 ) );
    QTest::newRow( "beyond the BMP" ) << QStringLiteral( "\U0001F3AE" );
}

void tst_SaveFile::everyCharacterClassReadsBack()
{
    QFETCH( QString, character );
    Championship& champ_l = global::data::champ();
    champ_l.addPlayer( 1, QStringLiteral( "ник" ) + character + QStringLiteral( "нейм" ),
                       character + QLatin1Char( 'K' ) );
    const QString file_cl = path( QStringLiteral( "characters.stv" ) );
    QVERIFY( champ_l.save( file_cl ) );
    Championship loaded_l;
    QVERIFY( loaded_l.load( file_cl ) );
    const Player& player_crl = champ_l.players().value( 1 ).value( 0 );
    QCOMPARE( loaded_l.players().value( 1 ).value( 0 ),
              ( Player { storableText( player_crl.nickname_m ), storableText( player_crl.clanName_m ) } ) );
}

// Each file is read by a child process, which reports its own peak memory.
void tst_SaveFile::hostileFilesStayWithinBounds_data()
{
    QTest::addColumn< QByteArray >( "body" );
    QTest::addColumn< int >( "repeats" );
    QTest::newRow( "100,000 attributes on one element" )
        << ( "<root><groups a0=\"0\"" + QByteArray( " a=\"0\"" ).repeated( 100000 ) + "/></root>" ) << 1;
    const int cap_cl = SaveFile::MAX_FILE_SIZE - 64;
    QTest::newRow( "tiny elements up to the cap" ) << QByteArray( "<a/>" ) << cap_cl / 4;
    QTest::newRow( "processing instructions up to the cap" ) << QByteArray( "<?p?>" ) << cap_cl / 5;
    QTest::newRow( "comments up to the cap" ) << QByteArray( "<!---->" ) << cap_cl / 7;
    QTest::newRow( "an attribute on each of as many elements as allowed" )
        << ( "<a b=\"" + QByteArray( 100, 'x' ) + "\"/>" ) << SaveFile::MAX_NODES - 16;
    QTest::newRow( "31 levels, again and again" )
        << ( QByteArray( "<a>" ).repeated( 31 ) + QByteArray( "</a>" ).repeated( 31 ) ) << cap_cl / 217;
}

void tst_SaveFile::hostileFilesStayWithinBounds()
{
    QFETCH( QByteArray, body );
    QFETCH( int, repeats );
    const QString file_cl = path( QStringLiteral( "bounds.stv" ) );
    writeFile( file_cl, "<!DOCTYPE SortivaneSaveFile-v.0.1>\n<root>" + body.repeated( repeats ) + "</root>" );
    QProcess reader_l;
    reader_l.start( QCoreApplication::applicationFilePath(), { QStringLiteral( "--read" ), file_cl } );
    // Wall time only guards against a hang; the bound is on the CPU time.
    QVERIFY( reader_l.waitForFinished( 60000 ) );
    const QList< QByteArray > report_cl = reader_l.readAllStandardOutput().trimmed().split( ' ' );
    QCOMPARE( report_cl.size(), 3 );
    QVERIFY2( report_cl.at( 0 ) == "refused", report_cl.at( 0 ).constData() );
#if !defined( __SANITIZE_ADDRESS__ ) && !defined( __SANITIZE_THREAD__ )
    // Under a sanitizer, its shadow memory and checks are no part of the
    // reader's bounds: only the refusal is checked there.
    QVERIFY2( report_cl.at( 1 ).toInt() < 10000, report_cl.at( 1 ).constData() );
    QVERIFY2( report_cl.at( 2 ).toInt() < 1024, report_cl.at( 2 ).constData() );
#endif
    QFile::remove( file_cl );
}

// With "--read FILE", reads the file and prints whether it was read, the
// milliseconds of CPU and the peak memory in MiB it took, measured by this
// process alone.
int main( int argc, char** argv )
{
    if( 3 == argc && 0 == qstrcmp( argv[ 1 ], "--read" ) )
    {
        QCoreApplication application_l( argc, argv );
        const qint64 start_cl = systemsupport::cpuMilliseconds();
        Championship loaded_l;
        const bool read_cl = SaveFile::read( QString::fromLocal8Bit( argv[ 2 ] ), loaded_l );
        std::printf( "%s %lld %ld\n", read_cl ? "read" : "refused", systemsupport::cpuMilliseconds() - start_cl,
                     systemsupport::peakMemoryMiB() );
        return 0;
    }
    QCoreApplication application_l( argc, argv );
    tst_SaveFile test_l;
    return QTest::qExec( &test_l, argc, argv );
}
#include "tst_savefile.moc"
