#include "QNationsListModel.h"
#include "QPlayersTreeModel.h"
#include "championship.h"
#include "globals.h"
#include "testsupport.h"

#include <QAbstractItemModelTester>
#include <QtTest>

namespace
{
// The rows the model shows must be the championship's, in ascending ids.
void checkPlayersRows( const QPlayersTreeModel& model_cp )
{
    const PlayersGroups& players_crl = global::data::champ().players();
    QCOMPARE( model_cp.rowCount(), players_crl.size() );
    int row_l = 0;
    for( auto group_it = players_crl.cbegin(); group_it != players_crl.cend(); ++group_it, ++row_l )
    {
        const QModelIndex group_cl = model_cp.index( row_l, 0 );
        QCOMPARE( model_cp.data( group_cl, Qt::DisplayRole ).toString(),
                  global::data::champ().groupsNames().value( group_it.key() ) );
        QCOMPARE( model_cp.rowCount( group_cl ), group_it.value().size() );
        const QString count_cl = group_it.value().isEmpty() ? QStringLiteral( "( пусто )" )
                                                            : QStringLiteral( "( %1 )" ).arg( group_it.value().size() );
        QCOMPARE( model_cp.data( model_cp.index( row_l, 1 ), Qt::DisplayRole ).toString(), count_cl );
        int playerRow_l = 0;
        for( auto player_it = group_it.value().cbegin(); player_it != group_it.value().cend();
             ++player_it, ++playerRow_l )
        {
            QCOMPARE( model_cp.data( model_cp.index( playerRow_l, 0, group_cl ), Qt::DisplayRole ).toString(),
                      player_it.value().nickname_m );
            QCOMPARE( model_cp.data( model_cp.index( playerRow_l, 1, group_cl ), Qt::DisplayRole ).toString(),
                      player_it.value().clanName_m );
            QCOMPARE( model_cp.playerIdOf( model_cp.index( playerRow_l, 0, group_cl ) ), player_it.key() );
        }
    }
}

QModelIndexList playerIndexes( const QPlayersTreeModel& model_cp, const QVector< QPair< int, int > >& rows_cp )
{
    QModelIndexList indexes_l;
    for( const auto& row_crl : rows_cp )
        indexes_l.append( model_cp.index( row_crl.second, 0, model_cp.index( row_crl.first, 0 ) ) );
    return indexes_l;
}

QStringList nicknames( int groupId_p )
{
    QStringList names_l;
    for( const Player& player_crl : global::data::champ().players().value( groupId_p ) )
        names_l.append( player_crl.nickname_m );
    return names_l;
}
}

class tst_Models : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void showsDefaultGroupsEmpty();
    void headersAndFlags();
    void addsPlayerAtPositionOfItsId();
    void editsThroughSequenceKeepRowsInStep();
    void movesAdjacentGroupsOnlyOnce();
    void movingEdgeGroupsOutwardEmitsNothing_data();
    void movingEdgeGroupsOutwardEmitsNothing();
    void removalToEmptyGroupUpdatesCount();
    void ignoresGroupIndexAmongPlayers();
    void nationsFollowChampionship();
    void nationWithoutNameShowsEmptyText();
};

// A test that never ends (an endless draw, say) fails within a minute.
void tst_Models::initTestCase()
{
    startWatchdog( 60, nameOpenWindows );
    failOnBrokenConnections();
}

void tst_Models::init()
{
    resetChampionship();
}

void tst_Models::showsDefaultGroupsEmpty()
{
    QPlayersTreeModel model_l( nullptr );
    QAbstractItemModelTester tester_l( &model_l, QAbstractItemModelTester::FailureReportingMode::QtTest );
    QCOMPARE( model_l.rowCount(), 4 );
    for( int row_l = 0; row_l < 4; ++row_l )
    {
        QCOMPARE( model_l.data( model_l.index( row_l, 1 ), Qt::DisplayRole ).toString(),
                  QStringLiteral( "( пусто )" ) );
        QVERIFY( !model_l.data( model_l.index( row_l, 2 ), Qt::DisplayRole ).isValid() );
        QCOMPARE( model_l.rowCount( model_l.index( row_l, 0 ) ), 0 );
    }
    QCOMPARE( model_l.data( model_l.index( 3, 0 ), Qt::DisplayRole ).toString(), QStringLiteral( "Новички" ) );
}

void tst_Models::headersAndFlags()
{
    QPlayersTreeModel model_l( nullptr );
    QCOMPARE( model_l.columnCount(), 3 );
    for( const Qt::Orientation orientation_cl : { Qt::Horizontal, Qt::Vertical } )
    {
        QCOMPARE( model_l.headerData( 0, orientation_cl, Qt::DisplayRole ).toString(), QStringLiteral( "Псевдоним" ) );
        QCOMPARE( model_l.headerData( 1, orientation_cl, Qt::DisplayRole ).toString(), QStringLiteral( "Клан" ) );
        QVERIFY( !model_l.headerData( 2, orientation_cl, Qt::DisplayRole ).isValid() );
    }
    QCOMPARE( model_l.flags( model_l.index( 0, 0 ) ), Qt::ItemIsSelectable | Qt::ItemIsEnabled );
    QNationsListModel nations_l( nullptr );
    QCOMPARE( nations_l.flags( nations_l.index( 0, 0 ) ), Qt::ItemIsSelectable | Qt::ItemIsEnabled );
}

void tst_Models::addsPlayerAtPositionOfItsId()
{
    QPlayersTreeModel model_l( nullptr );
    QAbstractItemModelTester tester_l( &model_l, QAbstractItemModelTester::FailureReportingMode::QtTest );
    QSignalSpy inserted_l( &model_l, SIGNAL( rowsInserted( QModelIndex, int, int ) ) );
    QSignalSpy changed_l( &model_l, SIGNAL( dataChanged( QModelIndex, QModelIndex, QVector< int > ) ) );
    const QModelIndex group_cl = model_l.index( 1, 0 );
    for( const QString& name_crl : { QStringLiteral( "Анна" ), QStringLiteral( "Борис" ), QStringLiteral( "Вера" ) } )
        model_l.addPlayer( group_cl, name_crl, QStringLiteral( "Клан" ) );
    QCOMPARE( inserted_l.size(), 3 );
    QCOMPARE( inserted_l.last().at( 0 ).toModelIndex(), group_cl );
    QCOMPARE( inserted_l.last().at( 1 ).toInt(), 0 );
    QCOMPARE( inserted_l.last().at( 2 ).toInt(), 2 );
    QVERIFY( changed_l.size() >= 3 );
    QCOMPARE( changed_l.last().at( 0 ).toModelIndex(), group_cl );
    QCOMPARE( changed_l.last().at( 1 ).toModelIndex().column(), 2 );
    model_l.removePlayers( playerIndexes( model_l, { { 1, 1 } } ) );
    model_l.addPlayer( group_cl, QStringLiteral( "Глеб" ), QString() );
    // Ids 0 and 2 are taken: the newcomer takes 1 and stands in the middle.
    QCOMPARE( model_l.data( model_l.index( 1, 0, group_cl ), Qt::DisplayRole ).toString(), QStringLiteral( "Глеб" ) );
    checkPlayersRows( model_l );
}

void tst_Models::editsThroughSequenceKeepRowsInStep()
{
    resetChampionship( { 3, 2, 0, 4 } );
    QPlayersTreeModel model_l( nullptr );
    QAbstractItemModelTester tester_l( &model_l, QAbstractItemModelTester::FailureReportingMode::QtTest );
    model_l.movePlayersDown( playerIndexes( model_l, { { 0, 0 }, { 0, 2 }, { 3, 1 } } ) );
    checkPlayersRows( model_l );
    model_l.movePlayersUp( playerIndexes( model_l, { { 0, 0 }, { 1, 0 }, { 1, 3 } } ) );
    checkPlayersRows( model_l );
    model_l.movePlayersDown( playerIndexes( model_l, { { 1, 0 }, { 1, 1 } } ) );
    checkPlayersRows( model_l );
    QCOMPARE( global::data::champ().players().value( 3 ).size(), 2 );
    model_l.removePlayers( playerIndexes( model_l, { { 2, 0 }, { 3, 0 }, { 3, 2 } } ) );
    checkPlayersRows( model_l );
    QCOMPARE( global::data::champ().playersAmount(), 6 );
    global::data::champ().addPlayer( 3, QStringLiteral( "извне" ), QString() );
    model_l.refresh();
    checkPlayersRows( model_l );
}

void tst_Models::movesAdjacentGroupsOnlyOnce()
{
    resetChampionship( { 2, 2 } );
    QPlayersTreeModel model_l( nullptr );
    QAbstractItemModelTester tester_l( &model_l, QAbstractItemModelTester::FailureReportingMode::QtTest );
    model_l.movePlayersDown( playerIndexes( model_l, { { 0, 1 }, { 1, 0 } } ) );
    QCOMPARE( nicknames( 1 ), QStringList( { "p1-0" } ) );
    QCOMPARE( nicknames( 2 ), QStringList( { "p2-1", "p1-1" } ) );
    QCOMPARE( nicknames( 3 ), QStringList( { "p2-0" } ) );
    checkPlayersRows( model_l );
}

void tst_Models::movingEdgeGroupsOutwardEmitsNothing_data()
{
    QTest::addColumn< bool >( "up" );
    QTest::addColumn< int >( "groupRow" );
    QTest::newRow( "first group up" ) << true << 0;
    QTest::newRow( "last group down" ) << false << 3;
}

void tst_Models::movingEdgeGroupsOutwardEmitsNothing()
{
    QFETCH( bool, up );
    QFETCH( int, groupRow );
    resetChampionship( { 2, 0, 0, 2 } );
    QPlayersTreeModel model_l( nullptr );
    QAbstractItemModelTester tester_l( &model_l, QAbstractItemModelTester::FailureReportingMode::QtTest );
    QSignalSpy removed_l( &model_l, SIGNAL( rowsRemoved( QModelIndex, int, int ) ) );
    QSignalSpy inserted_l( &model_l, SIGNAL( rowsInserted( QModelIndex, int, int ) ) );
    const QModelIndexList indexes_cl = playerIndexes( model_l, { { groupRow, 0 }, { groupRow, 1 } } );
    up ? model_l.movePlayersUp( indexes_cl ) : model_l.movePlayersDown( indexes_cl );
    QVERIFY( removed_l.isEmpty() );
    QVERIFY( inserted_l.isEmpty() );
    checkPlayersRows( model_l );
}

void tst_Models::removalToEmptyGroupUpdatesCount()
{
    resetChampionship( { 0, 1 } );
    QPlayersTreeModel model_l( nullptr );
    QAbstractItemModelTester tester_l( &model_l, QAbstractItemModelTester::FailureReportingMode::QtTest );
    QSignalSpy changed_l( &model_l, SIGNAL( dataChanged( QModelIndex, QModelIndex, QVector< int > ) ) );
    model_l.removePlayers( playerIndexes( model_l, { { 1, 0 } } ) );
    QCOMPARE( changed_l.size(), 1 );
    QCOMPARE( changed_l.front().at( 0 ).toModelIndex(), model_l.index( 1, 0 ) );
    QCOMPARE( model_l.data( model_l.index( 1, 1 ), Qt::DisplayRole ).toString(), QStringLiteral( "( пусто )" ) );
}

void tst_Models::ignoresGroupIndexAmongPlayers()
{
    resetChampionship( { 2 } );
    QPlayersTreeModel model_l( nullptr );
    QAbstractItemModelTester tester_l( &model_l, QAbstractItemModelTester::FailureReportingMode::QtTest );
    model_l.removePlayers( QModelIndexList { model_l.index( 0, 0 ) } + playerIndexes( model_l, { { 0, 1 } } ) );
    QCOMPARE( nicknames( 1 ), QStringList( { "p1-0" } ) );
    checkPlayersRows( model_l );
}

void tst_Models::nationsFollowChampionship()
{
    QNationsListModel model_l( nullptr );
    QAbstractItemModelTester tester_l( &model_l, QAbstractItemModelTester::FailureReportingMode::QtTest );
    QCOMPARE( model_l.rowCount(), 17 );
    QCOMPARE( model_l.data( model_l.index( 0, 0 ), Qt::DisplayRole ).toString(), QStringLiteral( "Ацтеки" ) );
    QSignalSpy removed_l( &model_l, SIGNAL( rowsRemoved( QModelIndex, int, int ) ) );
    QSignalSpy inserted_l( &model_l, SIGNAL( rowsInserted( QModelIndex, int, int ) ) );
    model_l.removeNations( { model_l.index( 16, 0 ), model_l.index( 0, 0 ), model_l.index( 5, 0 ) } );
    QCOMPARE( removed_l.size(), 3 );
    QCOMPARE( removed_l.at( 0 ).at( 1 ).toInt(), 0 );
    QCOMPARE( global::data::champ().nations().size(), 14 );
    QCOMPARE( global::data::champ().nations().front(), 2 );
    QVERIFY( !global::data::champ().nations().contains( 6 ) );
    model_l.addNation( 6 );
    QCOMPARE( inserted_l.size(), 1 );
    QCOMPARE( inserted_l.front().at( 1 ).toInt(), 14 );
    QCOMPARE( model_l.data( model_l.index( 14, 0 ), Qt::DisplayRole ).toString(), QStringLiteral( "Инки" ) );
    QModelIndexList all_l;
    for( int row_l = 0; row_l < model_l.rowCount(); ++row_l )
        all_l.append( model_l.index( row_l, 0 ) );
    model_l.removeNations( all_l );
    QCOMPARE( model_l.rowCount(), 0 );
    global::data::champ().nations() = { 3, 1 };
    QSignalSpy reset_l( &model_l, SIGNAL( modelReset() ) );
    model_l.refresh();
    QCOMPARE( reset_l.size(), 1 );
    QCOMPARE( model_l.data( model_l.index( 1, 0 ), Qt::DisplayRole ).toString(), QStringLiteral( "Ацтеки" ) );
}

void tst_Models::nationWithoutNameShowsEmptyText()
{
    global::data::champ().nations() = { 5, 0 };
    QNationsListModel model_l( nullptr );
    QAbstractItemModelTester tester_l( &model_l, QAbstractItemModelTester::FailureReportingMode::QtTest );
    QCOMPARE( model_l.data( model_l.index( 1, 0 ), Qt::DisplayRole ).toString(), QString() );
}

QTEST_GUILESS_MAIN( tst_Models )
#include "tst_models.moc"
