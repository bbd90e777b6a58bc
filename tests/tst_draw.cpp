#include "QTossApplication.h"
#include "QTossProcessWindow.h"
#include "QTossThread.h"
#include "QTossWindow.h"
#include "championship.h"
#include "drawpool.h"
#include "drawrandom.h"
#include "drawseed.h"
#include "globals.h"
#include "testsupport.h"

#include <QCryptographicHash>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

using Sides = QVector< QPair< int, int > >;

// QSignalSpy records in the emitting thread. The worker's signals reach the
// relay queued, on the GUI thread, as they reach the program's own
// receivers; the spies watch the relay.
class Relay : public QObject
{
    Q_OBJECT
public:
    explicit Relay( QObject* thread_p )
    {
        connect( thread_p, SIGNAL( started() ), this, SIGNAL( started() ) );
        connect( thread_p, SIGNAL( finished() ), this, SIGNAL( finished() ) );
        connect( thread_p, SIGNAL( nextGame( int ) ), this, SIGNAL( nextGame( int ) ) );
        connect( thread_p, SIGNAL( nextTxtValue( int, QString ) ), this, SIGNAL( nextTxtValue( int, QString ) ) );
        connect( thread_p, SIGNAL( tossStarted( int ) ), this, SIGNAL( tossStarted( int ) ) );
    }
signals:
    void started();
    void finished();
    void nextGame( int );
    void nextTxtValue( int, QString );
    void tossStarted( int );
};

namespace
{
// The main window shows whatever the draw stores: it is told about each new
// championship, as the file commands tell it.
void freshChampionship( const QVector< int >& amounts_cp = {} )
{
    resetChampionship( amounts_cp );
    global::widgets::tossWindow()->resetViews();
}

QTossThread* tossThread()
{
    return global::threads::tossThread();
}

Relay* relay()
{
    static Relay* const relay_scl = new Relay( tossThread() );
    return relay_scl;
}

// Runs one whole draw and waits until its round is stored.
bool draw()
{
    QSignalSpy finished_l( relay(), SIGNAL( finished() ) );
    QSignalSpy updated_l( tossThread(), SIGNAL( championshipDataUpdated() ) );
    tossThread()->start();
    return finished_l.wait( 20000 ) && ( !updated_l.isEmpty() || updated_l.wait( 5000 ) );
}

void decideRound( GameResult result_p = EXPECTED )
{
    Championship& champ_l = global::data::champ();
    for( int i = 0; i < champ_l.rounds().at( champ_l.currentRound() ).games_m.size(); ++i )
        champ_l.setGameResult( i, result_p );
}

}

class tst_Draw : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void pairsFavouritesWithOutsiders_data();
    void pairsFavouritesWithOutsiders();
    void skipsEmptyGroupsBetweenCursors();
    void handsOutTheOnlyNation();
    void announcesInOrder();
    void announcesSinglePlayerOnce();
    void playsWholeChampionshipToFinal();
    void cancelledDrawStoresNothing_data();
    void cancelledDrawStoresNothing();
    void drawStoppedAtAnyAnnouncementRecordsNothing();
    void refusesDrawWithoutNations();
    void drawnRoundGoesOnlyToItsChampionship_data();
    void drawnRoundGoesOnlyToItsChampionship();
    void drawsStartedInTheSameSecondDiffer();
    void byesAndPlacesAreFair();
    void processWindowShowsTheDraw();
    void processWindowTitles_data();
    void processWindowTitles();
    void processWindowShowsNamesAsTyped();
    void generatorIsGlibcRand_data();
    void generatorIsGlibcRand();
    void announcementsAsBefore_data();
    void announcementsAsBefore();
    void logKeepsCancelledAndUndoneDraws();
    void hallPaceChangesOnlyThePauses();
};

void tst_Draw::initTestCase()
{
    quietOffscreenPlatform();
    QTossApplication::connectGlobalObjects();
    tossThread()->setPaced( false );
}

void tst_Draw::init()
{
    drawseed::setFixedSeed( 1000 );
    freshChampionship();
}

void tst_Draw::pairsFavouritesWithOutsiders_data()
{
    QTest::addColumn< QVector< int > >( "amounts" );
    QTest::addColumn< Sides >( "groups" ); // favourite's and outsider's group per game
    QTest::newRow( "4 in one group" ) << QVector< int > { 4 } << Sides { { 1, 1 }, { 1, 1 } };
    QTest::newRow( "5 as 2+3" ) << QVector< int > { 2, 0, 0, 3 } << Sides { { 4, 4 } };
    QTest::newRow( "6 as 3+3" ) << QVector< int > { 3, 3 } << Sides { { 1, 2 }, { 2, 2 } };
    QTest::newRow( "8 over four groups" )
        << QVector< int > { 2, 2, 2, 2 } << Sides { { 1, 4 }, { 1, 4 }, { 2, 3 }, { 2, 3 } };
    QTest::newRow( "empty group between" ) << QVector< int > { 2, 0, 2 } << Sides { { 1, 3 }, { 1, 3 } };
    QTest::newRow( "favourites skip an empty second group" )
        << QVector< int > { 2, 0, 2, 4 } << Sides { { 1, 4 }, { 1, 4 }, { 3, 4 }, { 3, 4 } };
    QTest::newRow( "outsiders skip an empty third group" )
        << QVector< int > { 4, 2, 0, 2 } << Sides { { 1, 4 }, { 1, 4 }, { 1, 2 }, { 1, 2 } };
}

void tst_Draw::pairsFavouritesWithOutsiders()
{
    QFETCH( QVector< int >, amounts );
    QFETCH( Sides, groups );
    freshChampionship( amounts );
    QVERIFY( draw() );
    const Championship& champ_l = global::data::champ();
    QCOMPARE( champ_l.currentRound(), 0 );
    const QVector< Game >& games_crl = champ_l.rounds().at( 0 ).games_m;
    QCOMPARE( games_crl.size(), groups.size() );
    QSet< QPair< int, int > > seen_l;
    for( int i = 0; i < games_crl.size(); ++i )
    {
        QCOMPARE( games_crl.at( i ).favorite_m.groupId(), groups.at( i ).first );
        QCOMPARE( games_crl.at( i ).outsider_m.groupId(), groups.at( i ).second );
        QCOMPARE( games_crl.at( i ).result_m, UNKNOWN );
        for( const PlayerRef& side_crl : { games_crl.at( i ).favorite_m, games_crl.at( i ).outsider_m } )
        {
            QVERIFY( champ_l.players().value( side_crl.groupId() ).contains( side_crl.playerId() ) );
            QVERIFY( !seen_l.contains( qMakePair( side_crl.groupId(), side_crl.playerId() ) ) );
            seen_l.insert( qMakePair( side_crl.groupId(), side_crl.playerId() ) );
        }
    }
    QVERIFY( champ_l.rounds().at( 0 ).players_m.isEmpty() );
    // Nobody drawn into the first round waits in the second.
    const RoundPlayers second_cl = champ_l.rounds().value( 1, Round( 1 ) ).players_m;
    for( auto group_it = second_cl.cbegin(); group_it != second_cl.cend(); ++group_it )
        for( const int id_cl : group_it.value() )
            QVERIFY( !seen_l.contains( qMakePair( group_it.key(), id_cl ) ) );
}

void tst_Draw::skipsEmptyGroupsBetweenCursors()
{
    freshChampionship( { 0, 3, 0, 1 } );
    QVERIFY( draw() );
    const QVector< Game >& games_crl = global::data::champ().rounds().at( 0 ).games_m;
    QCOMPARE( games_crl.size(), 2 );
    QCOMPARE( games_crl.at( 0 ).favorite_m.groupId(), 2 );
    QCOMPARE( games_crl.at( 0 ).outsider_m, PlayerRef( 4, 0 ) );
    QCOMPARE( games_crl.at( 1 ).favorite_m.groupId(), 2 );
    QCOMPARE( games_crl.at( 1 ).outsider_m.groupId(), 2 );
}

void tst_Draw::handsOutTheOnlyNation()
{
    freshChampionship( { 4, 4 } );
    global::data::champ().nations() = { 13 };
    QSignalSpy values_l( relay(), SIGNAL( nextTxtValue( int, QString ) ) );
    QVERIFY( draw() );
    for( const Game& game_crl : global::data::champ().rounds().at( 0 ).games_m )
    {
        QCOMPARE( game_crl.favoriteNation_m, 13 );
        QCOMPARE( game_crl.outsiderNation_m, 13 );
    }
    int nationAnnouncements_l = 0;
    for( const QList< QVariant >& signal_crl : values_l )
        if( QTossThread::FAVORITE_PLAYERS_NATION == signal_crl.at( 0 ).toInt()
            && !signal_crl.at( 1 ).toString().isEmpty() )
        {
            ++nationAnnouncements_l;
            QCOMPARE( signal_crl.at( 1 ).toString(), QStringLiteral( "Россия" ) );
        }
    QCOMPARE( nationAnnouncements_l, 4 );
}

void tst_Draw::announcesInOrder()
{
    freshChampionship( { 2, 2 } );
    QStringList order_l;
    const auto record_l = [ &order_l ]( const QString& what_cp ) { order_l.append( what_cp ); };
    QObject context_l;
    connect( relay(), &Relay::tossStarted, &context_l,
             [ & ]( int denominator_p ) { record_l( QStringLiteral( "started %1" ).arg( denominator_p ) ); } );
    connect( relay(), &Relay::nextGame, &context_l,
             [ & ]( int game_p ) { record_l( QStringLiteral( "game %1" ).arg( game_p ) ); } );
    connect(
        relay(), &Relay::nextTxtValue, &context_l,
        [ & ]( int type_p, const QString& text_cp )
        {
            if( !text_cp.isEmpty()
                && ( order_l.isEmpty() || !order_l.last().startsWith( QStringLiteral( "field %1" ).arg( type_p ) ) ) )
                record_l( QStringLiteral( "field %1" ).arg( type_p ) );
        } );
    connect( tossThread(), &QTossThread::championshipDataUpdated, &context_l,
             [ & ] { record_l( QStringLiteral( "stored" ) ); } );
    QVERIFY( draw() );
    QCOMPARE( order_l, QStringList( { "started 2", "game 1", "field 1", "field 2", "field 3", "field 4", "game 2",
                                      "field 1", "field 2", "field 3", "field 4", "stored" } ) );
}

void tst_Draw::announcesSinglePlayerOnce()
{
    freshChampionship( { 1, 0, 0, 1 } );
    QSignalSpy values_l( relay(), SIGNAL( nextTxtValue( int, QString ) ) );
    QVERIFY( draw() );
    QList< QList< QVariant > > names_l;
    for( const QList< QVariant >& signal_crl : values_l )
        if( QTossThread::FAVORITE_PLAYERS_NAME == signal_crl.at( 0 ).toInt() )
            names_l.append( signal_crl );
    QCOMPARE( names_l.size(), 1 );
    QCOMPARE( names_l.front().at( 1 ).toString(), QStringLiteral( "p1-0" ) );
}

void tst_Draw::playsWholeChampionshipToFinal()
{
    freshChampionship( { 3, 4, 2, 4 } );
    Championship& champ_l = global::data::champ();
    QVERIFY( draw() );
    QCOMPARE( champ_l.rounds().size(), 4 );
    QCOMPARE( champ_l.rounds().at( 0 ).games_m.size(), 5 );
    // The three byes: group 1 whole.
    QCOMPARE( champ_l.rounds().at( 1 ).players_m.value( 1 ), QVector< int >( { 0, 1, 2 } ) );
    for( int round_l = 0; round_l < 3; ++round_l )
    {
        QVERIFY( !champ_l.roundIsFinished() );
        decideRound( round_l % 2 ? UNEXPECTED : EXPECTED );
        QVERIFY( champ_l.roundIsFinished() );
        QVERIFY( draw() );
        QCOMPARE( champ_l.currentRound(), round_l + 1 );
        QCOMPARE( champ_l.rounds().at( round_l + 1 ).games_m.size(), champ_l.rounds().at( round_l + 1 ).denominator() );
        QVERIFY( champ_l.rounds().at( round_l + 1 ).players_m.isEmpty() );
    }
    decideRound( UNEXPECTED );
    QVERIFY( !champ_l.roundIsFinished() );
    QVERIFY( !QTossThread::canStart( champ_l ) );
    QCOMPARE( champ_l.rounds().last().games_m.size(), 1 );
    QCOMPARE( champ_l.rounds().last().games_m.at( 0 ).result_m, UNEXPECTED );
}

void tst_Draw::cancelledDrawStoresNothing_data()
{
    QTest::addColumn< bool >( "firstDraw" );
    QTest::newRow( "first draw" ) << true;
    QTest::newRow( "later draw" ) << false;
}

void tst_Draw::cancelledDrawStoresNothing()
{
    QFETCH( bool, firstDraw );
    freshChampionship( { 8, 8 } );
    Championship& champ_l = global::data::champ();
    if( !firstDraw )
    {
        QVERIFY( draw() );
        decideRound();
    }
    const QVector< Round > before_cl = champ_l.rounds();
    tossThread()->setPaced( true );
    QSignalSpy finished_l( relay(), SIGNAL( finished() ) );
    QSignalSpy updated_l( tossThread(), SIGNAL( championshipDataUpdated() ) );
    QSignalSpy games_l( relay(), SIGNAL( nextGame( int ) ) );
    tossThread()->start();
    QVERIFY( games_l.wait( 5000 ) );
    QTest::qWait( 30 );
    tossThread()->sltStop();
    QVERIFY( finished_l.wait( 5000 ) );
    tossThread()->setPaced( false );
    QTest::qWait( 20 );
    QVERIFY( updated_l.isEmpty() );
    QVERIFY( champ_l.rounds() == before_cl );
    QCOMPARE( champ_l.currentRound(), 0 );
    // The draw can be started anew and completes.
    QVERIFY( QTossThread::canStart( champ_l ) );
    QVERIFY( draw() );
    QCOMPARE( champ_l.currentRound(), firstDraw ? 0 : 1 );
}

void tst_Draw::drawStoppedAtAnyAnnouncementRecordsNothing()
{
    resetChampionship( { 5, 1 } );
    const Championship before_cl = global::data::champ();
    int announcements_l = 0;
    int stopAt_l = 0;
    // Direct: the draw runs on this thread, and stops within the very
    // candidate run it announces.
    const QMetaObject::Connection counter_cl = connect(
        tossThread(), &QTossThread::nextTxtValue, tossThread(),
        [ & ]
        {
            if( ++announcements_l == stopAt_l )
                tossThread()->sltStop();
        },
        Qt::DirectConnection );
    Championship unstopped_l = before_cl;
    drawseed::setFixedSeed( 7 );
    QVERIFY( tossThread()->drawInPlace( unstopped_l ) );
    const int total_cl = announcements_l;
    for( stopAt_l = 1; stopAt_l <= total_cl; ++stopAt_l )
    {
        announcements_l = 0;
        Championship champ_l = before_cl;
        drawseed::setFixedSeed( 7 );
        const bool drawn_cl = tossThread()->drawInPlace( champ_l );
        if( drawn_cl || !champ_l.holdsSameAs( before_cl ) )
            disconnect( counter_cl );
        QVERIFY( !drawn_cl );
        QVERIFY( champ_l.holdsSameAs( before_cl ) );
    }
    disconnect( counter_cl );
}

void tst_Draw::refusesDrawWithoutNations()
{
    freshChampionship( { 4 } );
    global::data::champ().nations().clear();
    QVERIFY( !QTossThread::canStart( global::data::champ() ) );
    QSignalSpy started_l( relay(), SIGNAL( started() ) );
    tossThread()->start();
    QTest::qWait( 50 );
    QVERIFY( started_l.isEmpty() );
    QVERIFY( !tossThread()->isRunning() );
    QVERIFY( global::data::champ().rounds().isEmpty() );
}

void tst_Draw::drawnRoundGoesOnlyToItsChampionship_data()
{
    QTest::addColumn< QString >( "meanwhile" );
    QTest::newRow( "nothing" ) << QString();
    QTest::newRow( "stop, then a refused start" ) << QStringLiteral( "stop" );
    QTest::newRow( "a second start" ) << QStringLiteral( "start" );
    QTest::newRow( "a new championship" ) << QStringLiteral( "new" );
    QTest::newRow( "a player added" ) << QStringLiteral( "edit" );
}

// The worker has drawn and its round waits, queued, to be stored; whatever
// happened meanwhile decides whether it is.
void tst_Draw::drawnRoundGoesOnlyToItsChampionship()
{
    QFETCH( QString, meanwhile );
    freshChampionship( { 4, 4 } );
    Championship& champ_l = global::data::champ();
    QSignalSpy started_l( relay(), SIGNAL( started() ) );
    QSignalSpy updated_l( tossThread(), SIGNAL( championshipDataUpdated() ) );
    tossThread()->start();
    QVERIFY( tossThread()->wait( 20000 ) );
    QVERIFY( tossThread()->isBusy() );
    if( meanwhile == QStringLiteral( "stop" ) )
    {
        tossThread()->sltStop();
        tossThread()->start();
    }
    else if( meanwhile == QStringLiteral( "start" ) )
        tossThread()->start();
    else if( meanwhile == QStringLiteral( "new" ) )
        resetChampionship( { 4, 4 } );
    else if( meanwhile == QStringLiteral( "edit" ) )
        champ_l.addPlayer( 3, QStringLiteral( "late" ), QString() );
    QTRY_VERIFY( !tossThread()->isBusy() );
    QTest::qWait( 20 );
    QCOMPARE( started_l.size(), 1 );
    QCOMPARE( updated_l.size(), meanwhile.isEmpty() || meanwhile == QStringLiteral( "start" ) ? 1 : 0 );
    QCOMPARE( champ_l.rounds().isEmpty(), updated_l.isEmpty() );
}

// Seeded from the clock, two draws of one pool in the same second gave the
// same pairings. 64 players in one group pair in about 10^44 ways, so equal
// pairings mean an equal seed (a chance of 2^-32).
void tst_Draw::drawsStartedInTheSameSecondDiffer()
{
    drawseed::clearFixedSeed();
    Championship first_l;
    for( int i = 0; i < 64; ++i )
        first_l.addPlayer( 1, QStringLiteral( "p%1" ).arg( i ), QString() );
    Championship second_l = first_l;
    QVERIFY( tossThread()->drawInPlace( first_l ) );
    QVERIFY( tossThread()->drawInPlace( second_l ) );
    QCOMPARE( first_l.rounds().at( 0 ).games_m.size(), 32 );
    QVERIFY( first_l.rounds().at( 0 ).games_m != second_l.rounds().at( 0 ).games_m );
}

void tst_Draw::byesAndPlacesAreFair()
{
    // Group 1 (5 players) does not fit the 3 byes completely: each of its
    // players should get a bye in 3 of 5 draws; group 2's 8 players fill
    // eight places, each equally likely at each place.
    const int draws_cl = 300;
    QVector< int > byes_l( 5, 0 );
    QVector< QVector< int > > places_l( 4, QVector< int >( 8, 0 ) );
    for( int i = 0; i < draws_cl; ++i )
    {
        drawseed::setFixedSeed( 5000 + 7 * i );
        resetChampionship( { 5, 8 } );
        QVERIFY( draw() );
        const Championship& champ_l = global::data::champ();
        for( const int id_cl : champ_l.rounds().at( 1 ).players_m.value( 1 ) )
            ++byes_l[ id_cl ];
        const QVector< Game >& games_crl = champ_l.rounds().at( 0 ).games_m;
        QCOMPARE( games_crl.size(), 5 );
        // Games 1 to 4: the outsiders come from group 2.
        for( int g = 0; g < 4; ++g )
            ++places_l[ g ][ games_crl.at( g ).outsider_m.playerId() ];
    }
    const auto chiSquare_l = []( const QVector< int >& counts_cp, double expected_p )
    {
        double sum_l = 0;
        for( const int count_cl : counts_cp )
            sum_l += ( count_cl - expected_p ) * ( count_cl - expected_p ) / expected_p;
        return sum_l;
    };
    // Loose bounds (far beyond the 0.999 quantiles of 9.5 and 24.3).
    QVERIFY2( chiSquare_l( byes_l, draws_cl * 3.0 / 5 ) < 25,
              qPrintable( QString::number( chiSquare_l( byes_l, draws_cl * 0.6 ) ) ) );
    for( const QVector< int >& place_crl : places_l )
        QVERIFY2( chiSquare_l( place_crl, draws_cl / 8.0 ) < 40,
                  qPrintable( QString::number( chiSquare_l( place_crl, draws_cl / 8.0 ) ) ) );
}

void tst_Draw::processWindowShowsTheDraw()
{
    freshChampionship( { 2, 2 } );
    global::data::champ().nations() = { 13 };
    QTossProcessWindow* const window_cl = global::widgets::tossProcessWindow();
    QVERIFY( !window_cl->isVisible() );
    QSignalSpy started_l( relay(), SIGNAL( started() ) );
    QVERIFY( draw() );
    QCOMPARE( started_l.size(), 1 );
    QTRY_VERIFY( !window_cl->isVisible() );
    QCOMPARE( window_cl->windowTitle(), QStringLiteral( "Жеребьевка полуфинала чемпионата" ) );
    QStringList texts_l;
    for( QLabel* const label_cl : window_cl->findChildren< QLabel* >() )
        texts_l.append( label_cl->text() );
    QVERIFY( texts_l.contains( QStringLiteral( "Игра 2" ) ) );
    QVERIFY( texts_l.contains( QStringLiteral( "VS" ) ) );
    QCOMPARE( texts_l.count( QStringLiteral( "(Россия)" ) ), 2 );
    QVERIFY( window_cl->windowFlags().testFlag( Qt::WindowTitleHint ) );
    QVERIFY( !window_cl->windowFlags().testFlag( Qt::WindowCloseButtonHint ) );
    QPushButton* const cancel_cl = window_cl->findChild< QPushButton* >();
    QCOMPARE( cancel_cl->text(), QStringLiteral( "Отменить" ) );
}

void tst_Draw::processWindowTitles_data()
{
    QTest::addColumn< int >( "denominator" );
    QTest::addColumn< QString >( "title" );
    QTest::newRow( "final" ) << 1 << QStringLiteral( "Жеребьевка финала чемпионата" );
    QTest::newRow( "semi-final" ) << 2 << QStringLiteral( "Жеребьевка полуфинала чемпионата" );
    QTest::newRow( "quarter-final" ) << 4 << QStringLiteral( "Жеребьевка четвертьфинала чемпионата" );
    QTest::newRow( "1/16" ) << 16 << QStringLiteral( "Жеребьевка 1/16 финала чемпионата" );
}

void tst_Draw::processWindowTitles()
{
    QFETCH( int, denominator );
    QFETCH( QString, title );
    QTossProcessWindow* const window_cl = global::widgets::tossProcessWindow();
    QVERIFY( QMetaObject::invokeMethod( window_cl, "sltSetWindowTitle", Q_ARG( int, denominator ) ) );
    QCOMPARE( window_cl->windowTitle(), title );
    QVERIFY( QMetaObject::invokeMethod( window_cl, "sltSetTxtValue", Q_ARG( int, 2 ), Q_ARG( QString, QString() ) ) );
    QVERIFY( QMetaObject::invokeMethod( window_cl, "sltSetTxtValue", Q_ARG( int, 4 ),
                                        Q_ARG( QString, QStringLiteral( "Сиу" ) ) ) );
    QStringList texts_l;
    for( QLabel* const label_cl : window_cl->findChildren< QLabel* >() )
        texts_l.append( label_cl->text() );
    QVERIFY( texts_l.contains( QStringLiteral( "(Сиу)" ) ) );
    QVERIFY( !texts_l.contains( QStringLiteral( "()" ) ) );
}

// The hall sees a nickname that looks like markup as it was typed.
void tst_Draw::processWindowShowsNamesAsTyped()
{
    const QString markup_cl = QStringLiteral( "<i>Лис</i>" );
    QTossProcessWindow* const window_cl = global::widgets::tossProcessWindow();
    QVERIFY( QMetaObject::invokeMethod( window_cl, "sltSetTxtValue", Q_ARG( int, QTossThread::FAVORITE_PLAYERS_NAME ),
                                        Q_ARG( QString, markup_cl ) ) );
    int shown_l = 0;
    for( QLabel* const label_cl : window_cl->findChildren< QLabel* >() )
        if( label_cl->text() == markup_cl )
        {
            ++shown_l;
            QVERIFY( label_cl->sizeHint().width() >= QFontMetrics( label_cl->font() ).horizontalAdvance( markup_cl ) );
        }
    QCOMPARE( shown_l, 1 );
}

void tst_Draw::generatorIsGlibcRand_data()
{
    // digest: FNV-1a over the first million values of glibc's rand(),
    // recorded on Linux, so that a platform without glibc checks them too.
    QTest::addColumn< quint32 >( "seed" );
    QTest::addColumn< quint64 >( "digest" );
    QTest::newRow( "seed 0" ) << 0u << Q_UINT64_C( 0x0cd7ca29a09273ae );
    QTest::newRow( "seed 1" ) << 1u << Q_UINT64_C( 0x0cd7ca29a09273ae );
    QTest::newRow( "seed 2026" ) << 2026u << Q_UINT64_C( 0x0e1dc935907ee630 );
    QTest::newRow( "seed 2147483648" ) << 0x80000000u << Q_UINT64_C( 0xaab6b8b346994e0d );
    QTest::newRow( "seed 4294967295" ) << 0xFFFFFFFFu << Q_UINT64_C( 0x09e351605437829c );
}

void tst_Draw::generatorIsGlibcRand()
{
    QFETCH( quint32, seed );
    QFETCH( quint64, digest );
    DrawRandom random_l( seed );
    quint64 fnv_l = Q_UINT64_C( 1469598103934665603 );
#ifdef __GLIBC__
    std::srand( seed );
#endif
    for( int i = 0; i < 1000000; ++i )
    {
        const int value_cl = random_l.next();
        fnv_l = ( fnv_l ^ quint32( value_cl ) ) * Q_UINT64_C( 1099511628211 );
#ifdef __GLIBC__
        if( value_cl != std::rand() )
            QFAIL( qPrintable( QStringLiteral( "value %1 differs" ).arg( i ) ) );
#endif
    }
    QCOMPARE( fnv_l, digest );
}

// Every announcement and every stored game of whole championships, with
// fixed seeds, hashed: the figures are those of the program before the draw
// had a generator of its own, when it called rand().
void tst_Draw::announcementsAsBefore_data()
{
    QTest::addColumn< QVector< int > >( "amounts" );
    QTest::addColumn< quint32 >( "seed" );
    QTest::addColumn< QByteArray >( "hash" );
    QTest::newRow( "4 in one group" ) << QVector< int > { 4 } << 1u
                                      << QByteArray( "ccc8fe260d1883cf46a1a87bd33ae866ae027046" );
    QTest::newRow( "2 and 3, byes split" )
        << QVector< int > { 2, 0, 0, 3 } << 7u << QByteArray( "daa64243eef2f577b6a2a0ccd281f91d7e940b5e" );
    QTest::newRow( "3 and 3" ) << QVector< int > { 3, 3 } << 99u
                               << QByteArray( "1f1051e00bad368fa4e073dcae5b1f53789932ce" );
    QTest::newRow( "23 over four groups" )
        << QVector< int > { 5, 7, 2, 9 } << 2026u << QByteArray( "46a416ff3d17fb5121ff7b0435b5a3a5ad302057" );
    QTest::newRow( "33 with one bye group" )
        << QVector< int > { 16, 16, 0, 1 } << 31337u << QByteArray( "3cba1185283435643d787f4518578a4a4c522d10" );
    QTest::newRow( "42, seed beyond 2^31" )
        << QVector< int > { 0, 1, 1, 40 } << 4000000000u << QByteArray( "ff8368d2987908e367143cc8a7b715145e3b3055" );
}

void tst_Draw::announcementsAsBefore()
{
    QFETCH( QVector< int >, amounts );
    QFETCH( quint32, seed );
    // The whole championship drawn and played by thread_p from the seed;
    // each drawn round goes to drawn_p before its results.
    const auto play_l =
        [ &amounts, seed ]( QTossThread& thread_p, const std::function< void( const Round& ) >& drawn_p )
    {
        Championship champ_l;
        for( int g = 0; g < amounts.size(); ++g )
            for( int n = 0; n < amounts.at( g ); ++n )
                champ_l.addPlayer( g + 1, QStringLiteral( "p%1-%2" ).arg( g + 1 ).arg( n ),
                                   n % 2 ? QStringLiteral( "К" ) : QString() );
        thread_p.setPaced( false );
        drawseed::setFixedSeed( seed );
        while( thread_p.drawInPlace( champ_l ) )
        {
            const Round& round_crl = champ_l.rounds().at( champ_l.currentRound() );
            drawn_p( round_crl );
            for( int i = 0; i < round_crl.games_m.size(); ++i )
                champ_l.setGameResult( i, i % 3 ? EXPECTED : UNEXPECTED );
        }
        return champ_l;
    };
    QTossThread thread_l;
    QByteArray log_l;
    connect( &thread_l, &QTossThread::nextGame,
             [ &log_l ]( int number_p ) { log_l += "g" + QByteArray::number( number_p ) + ";"; } );
    connect( &thread_l, &QTossThread::nextTxtValue,
             [ &log_l ]( int type_p, const QString& value_cp )
             { log_l += QByteArray::number( type_p ) + ":" + value_cp.toUtf8() + ";"; } );
    connect( &thread_l, &QTossThread::tossStarted,
             [ &log_l ]( int denominator_p ) { log_l += "t" + QByteArray::number( denominator_p ) + ";"; } );
    const auto side_l = []( const PlayerRef& player_cp, int nation_p )
    {
        return QByteArray::number( player_cp.groupId() ) + "/" + QByteArray::number( player_cp.playerId() ) + "/"
               + QByteArray::number( nation_p );
    };
    const Championship watched_cl =
        play_l( thread_l,
                [ &log_l, &side_l ]( const Round& round_cp )
                {
                    for( const Game& game_crl : round_cp.games_m )
                        log_l += side_l( game_crl.favorite_m, game_crl.favoriteNation_m ) + "-"
                                 + side_l( game_crl.outsider_m, game_crl.outsiderNation_m ) + ";";
                } );
    QTEST( QCryptographicHash::hash( log_l, QCryptographicHash::Sha1 ).toHex(), "hash" );
    // Unwatched, the draw skips its texts and draws the same games.
    QTossThread quiet_l;
    QVERIFY( play_l( quiet_l, []( const Round& ) {} ).holdsSameAs( watched_cl ) );
}

void tst_Draw::logKeepsCancelledAndUndoneDraws()
{
    drawseed::clearFixedSeed();
    freshChampionship( { 16, 16 } );
    Championship& champ_l = global::data::champ();
    const QString commitment_cl = champ_l.nextDrawCommitment();
    tossThread()->setPaced( true );
    QSignalSpy finished_l( relay(), SIGNAL( finished() ) );
    QSignalSpy games_l( relay(), SIGNAL( nextGame( int ) ) );
    tossThread()->start();
    QVERIFY( games_l.wait( 5000 ) );
    tossThread()->sltStop();
    QVERIFY( finished_l.wait( 5000 ) );
    tossThread()->setPaced( false );
    QTRY_COMPARE( champ_l.drawLog().size(), 1 );
    QTRY_COMPARE( champ_l.drawLog().first().outcome_m, DrawLogEntry::Cancelled );
    QCOMPARE( champ_l.drawLog().first().commitment_m, commitment_cl );
    // The cancelled draw's pool is the next one's: the code follows from it.
    QCOMPARE( DrawRecord::commitment( champ_l.drawLog().first().secret_m, DrawPool::nextDraw( champ_l ) ),
              commitment_cl );
    QVERIFY( champ_l.rounds().isEmpty() );
    // The next attempt has a secret of its own.
    QVERIFY( champ_l.nextDrawCommitment() != commitment_cl );
    QVERIFY( draw() );
    QCOMPARE( champ_l.drawLog().last().outcome_m, DrawLogEntry::Stored );
    QCOMPARE( champ_l.drawLog().last().attempt_m, 2 );
    QCOMPARE( champ_l.rounds().first().record_m.attempt_m, 2 );
    champ_l.undoLastDraw();
    QCOMPARE( champ_l.drawLog().size(), 2 );
    QCOMPARE( champ_l.drawLog().last().outcome_m, DrawLogEntry::Undone );
    drawseed::setFixedSeed( 1000 );
}

void tst_Draw::hallPaceChangesOnlyThePauses()
{
    Championship champ_l;
    champ_l.addPlayer( 1, QStringLiteral( "один" ), QString() );
    champ_l.addPlayer( 2, QStringLiteral( "два" ), QString() );
    champ_l.nations() = { 3, 5 };
    QStringList shown_l[ 2 ];
    qint64 took_l[ 2 ] = {};
    for( const int hall_cl : { 0, 1 } )
    {
        QTossThread thread_l;
        thread_l.setPace( hall_cl ? QTossThread::Pace::Hall : QTossThread::Pace::Quick );
        connect( &thread_l, &QTossThread::nextTxtValue,
                 [ &shown_l, hall_cl ]( int type_p, const QString& text_cp )
                 { shown_l[ hall_cl ] << QStringLiteral( "%1 %2" ).arg( type_p ).arg( text_cp ); } );
        Championship drawn_l = champ_l;
        drawseed::setFixedSeed( 5 );
        QElapsedTimer timer_l;
        timer_l.start();
        QVERIFY( thread_l.drawInPlace( drawn_l ) );
        took_l[ hall_cl ] = timer_l.elapsed();
        QCOMPARE( drawn_l.rounds().first().games_m.size(), 1 );
    }
    QCOMPARE( shown_l[ 1 ], shown_l[ 0 ] );
    // Fourteen nation candidates, each seen 120 ms, and the game 1.5 s.
    QVERIFY2( took_l[ 1 ] >= 14 * 120 + 1500, qPrintable( QString::number( took_l[ 1 ] ) ) );
    // The quick pace never waits the hall's pauses, however busy the machine.
    QVERIFY2( took_l[ 0 ] < 14 * 120 + 1500, qPrintable( QString::number( took_l[ 0 ] ) ) );
}

QTEST_MAIN( tst_Draw )
#include "tst_draw.moc"
