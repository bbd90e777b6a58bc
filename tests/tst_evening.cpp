// An organiser's evening, from registration to the final, through the main
// window only: real widgets, real dialogs answered as a user would, real files.
#include "QNationsPanel.h"
#include "QPlayersPanel.h"
#include "QTossApplication.h"
#include "QTossProcessWindow.h"
#include "QTossThread.h"
#include "championship.h"
#include "drawseed.h"
#include "guisupport.h"

#include <QComboBox>
#include <QFileDialog>
#include <QListView>
#include <QTemporaryDir>
#include <QToolButton>

using namespace gui;

namespace
{
QStringList warnings_g;

void recordWarnings( QtMsgType type_p, const QMessageLogContext&, const QString& message_cp )
{
    if( type_p != QtDebugMsg && type_p != QtInfoMsg && !message_cp.contains( QStringLiteral( "propagateSizeHints" ) ) )
        warnings_g.append( message_cp );
}

void addPlayer( int groupRow_p, const QString& nickname_cp, const QString& clan_cp )
{
    clickRow( groupIndex( groupRow_p ) );
    enterPlayer( nickname_cp, clan_cp );
    child< QToolButton >( "addPlayerBtn" )->click();
}

// Starts the draw from the menu and waits until the process window has shown
// it and closed again.
void drawFromMenu()
{
    QSignalSpy updated_l( global::threads::tossThread(), SIGNAL( championshipDataUpdated() ) );
    action( QStringLiteral( "Запустить" ) )->trigger();
    QVERIFY( !action( QStringLiteral( "Продолжить сохранённый" ) )->isEnabled() );
    QVERIFY( updated_l.wait( 60000 ) );
    QTRY_VERIFY( !global::threads::tossThread()->isRunning()
                 && action( QStringLiteral( "Начать новый" ) )->isEnabled() );
    QTRY_VERIFY( !global::widgets::tossProcessWindow()->isVisible() );
}

void fileDialogChooses( const QString& file_cp, const std::function< void() >& then_p )
{
    whenModal(
        [ file_cp, then_p ]( QWidget* modal_p )
        {
            QFileDialog* const dialog_cl = qobject_cast< QFileDialog* >( modal_p );
            QVERIFY( dialog_cl );
            chooseFile( dialog_cl, file_cp );
            then_p();
            QMetaObject::invokeMethod( dialog_cl, "accept", Qt::QueuedConnection );
        } );
}

QList< QGameWidget* > currentRoundGames()
{
    QList< QGameWidget* > games_l;
    for( QGameWidget* const game_cl : gameWidgets() )
        if( game_cl->roundId() == global::data::champ().currentRound() )
            games_l.append( game_cl );
    std::sort( games_l.begin(), games_l.end(),
               []( QGameWidget* a_p, QGameWidget* b_p ) { return a_p->gameId() < b_p->gameId(); } );
    return games_l;
}
}

class tst_Evening : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void organisersEvening();
    void cleanupTestCase();

private:
    QTemporaryDir dir_m;
};

void tst_Evening::initTestCase()
{
    qInstallMessageHandler( recordWarnings );
    startWatchdog( 60, nameOpenWindows );
    QTossApplication::connectGlobalObjects();
    window()->resize( 1280, 860 );
    window()->show();
    QVERIFY( QTest::qWaitForWindowExposed( window() ) );
    drawseed::setFixedSeed( 20261207 );
}

void tst_Evening::organisersEvening()
{
    Championship& champ_l = global::data::champ();
    // 1. Thirteen players in groups 1, 2 and 4; group 3 stays empty.
    const QStringList first_cl { "Атаман", "Гетман", "Есаул" };
    const QStringList second_cl { "Сокол", "Беркут", "Кречет", "Сапсан", "Орлан" };
    const QStringList fourth_cl { "Волк", "Рысь", "Лис", "Барс", "Ёж" };
    for( const QString& name_crl : first_cl )
        addPlayer( 0, name_crl, QStringLiteral( "Сечь" ) );
    for( const QString& name_crl : second_cl )
        addPlayer( 1, name_crl, name_crl == second_cl.last() ? QString() : QStringLiteral( "Небо" ) );
    for( const QString& name_crl : fourth_cl )
        addPlayer( 3, name_crl, QStringLiteral( "Лес" ) );
    QCOMPARE( champ_l.playersAmount(), 13 );
    QVERIFY( champ_l.players().value( 2 ).value( 4 ).clanName_m.isEmpty() );
    child< QTreeView >( "playersView" )->expandAll();
    clickRow( playerIndex( 3, 4 ) );
    answerMessageBox( QMessageBox::Ok );
    child< QToolButton >( "removePlayerBtn" )->click();
    QCOMPARE( champ_l.playersAmount(), 12 );
    child< QTreeView >( "playersView" )->expandAll();
    clickRow( playerIndex( 1, 0 ) );
    clickRow( playerIndex( 1, 1 ), Qt::ControlModifier );
    QString question_l;
    answerMessageBox( QMessageBox::Ok, &question_l );
    child< QToolButton >( "movePlayerUpBtn" )->click();
    QCOMPARE( question_l, QPlayersPanel::moveConfirmationText( 2 ) + QStringLiteral( "вверх" ) );
    QCOMPARE( champ_l.players().value( 1 ).size(), 5 );
    QCOMPARE( champ_l.players().value( 2 ).size(), 3 );
    QCOMPARE( champ_l.players().value( 4 ).size(), 4 );

    // 2. Three nations out, one back.
    QListView* const nations_cl = child< QListView >( "nationsView" );
    for( const int row_cl : { 0, 4, 9 } )
        QTest::mouseClick( nations_cl->viewport(), Qt::LeftButton, Qt::ControlModifier,
                           nations_cl->visualRect( nations_cl->model()->index( row_cl, 0 ) ).center() );
    answerMessageBox( QMessageBox::Ok, &question_l );
    child< QToolButton >( "removeNationBtn" )->click();
    QCOMPARE( question_l, QNationsPanel::removeNationsQuestion( 3 ) );
    QCOMPARE( champ_l.nations().size(), 14 );
    whenModal(
        []( QWidget* modal_p )
        {
            QComboBox* const combo_cl = modal_p->findChild< QComboBox* >();
            QCOMPARE( combo_cl->count(), 3 );
            QCOMPARE( combo_cl->itemText( 0 ), QStringLiteral( "Ацтеки" ) );
            combo_cl->setCurrentIndex( 1 );
            for( QPushButton* const button_cl : modal_p->findChildren< QPushButton* >() )
                if( button_cl->text() == QStringLiteral( "Ввести зачение" ) )
                    button_cl->click();
        } );
    child< QToolButton >( "addNationBtn" )->click();
    QCOMPARE( champ_l.nations().size(), 15 );
    QCOMPARE( champ_l.nations().last(), 5 );

    // 3. The first draw, with the show at its real pace. Twelve players: four
    //    byes, all from the strongest group.
    QVERIFY( action( QStringLiteral( "Запустить" ) )->isEnabled() );
    global::threads::tossThread()->setPaced( true );
    drawFromMenu();
    global::threads::tossThread()->setPaced( false );
    QCOMPARE( champ_l.rounds().size(), 4 );
    QCOMPARE( champ_l.rounds().at( 1 ).players_m.keys(), QList< int >( { 1 } ) );
    QCOMPARE( champ_l.rounds().at( 1 ).players_m.value( 1 ).size(), 4 );
    QCOMPARE( champ_l.rounds().at( 0 ).games_m.size(), 4 );
    QVERIFY( !child< QToolButton >( "addPlayerBtn" )->isEnabled() );
    QVERIFY( !action( QStringLiteral( "Запустить" ) )->isEnabled() );

    // 4. Every result by a click, one changed, saved, a new championship, and
    //    the file back.
    const QList< QGameWidget* > games_cl = currentRoundGames();
    QCOMPARE( games_cl.size(), 4 );
    for( int i = 0; i < games_cl.size(); ++i )
        clickGame( games_cl.at( i ), i % 2 );
    QVERIFY( action( QStringLiteral( "Запустить" ) )->isEnabled() );
    clickGame( games_cl.at( 0 ), true );
    QCOMPARE( champ_l.rounds().at( 0 ).games_m.at( 0 ).result_m, UNEXPECTED );
    QCOMPARE( champ_l.rounds().at( 1 ).playersAmount(), 8 );
    const QVector< Round > rounds_cl = champ_l.rounds();
    const QString file_cl = dir_m.filePath( QStringLiteral( "Кубок Сечи.stv" ) );
    fileDialogChooses( file_cl,
                       [] {
                           whenModal( []( QWidget* box_p )
                                      { qobject_cast< QMessageBox* >( box_p )->button( QMessageBox::Ok )->click(); } );
                       } );
    action( QStringLiteral( "Сохранить" ) )->trigger();
    QTRY_VERIFY( QFile::exists( file_cl ) );
    const QString title_cl = shownTitle();
    QCOMPARE( title_cl, QStringLiteral( "Информация по чемпонату из файла " ) + file_cl );
    answerMessageBox( QMessageBox::Ok );
    action( QStringLiteral( "Начать новый" ) )->trigger();
    QVERIFY( champ_l.rounds().isEmpty() );
    QVERIFY( gameWidgets().isEmpty() );
    QVERIFY( child< QToolButton >( "addNationBtn" )->isEnabled() );
    whenModal(
        [ this, file_cl ]( QWidget* confirm_p )
        {
            qobject_cast< QMessageBox* >( confirm_p )->button( QMessageBox::Ok )->click();
            fileDialogChooses( file_cl,
                               [] {
                                   whenModal(
                                       []( QWidget* box_p )
                                       { qobject_cast< QMessageBox* >( box_p )->button( QMessageBox::Ok )->click(); } );
                               } );
        } );
    action( QStringLiteral( "Продолжить сохранённый" ) )->trigger();
    QTRY_COMPARE( shownTitle(), title_cl );
    QVERIFY( champ_l.rounds() == rounds_cl );
    QCOMPARE( gameWidgets().size(), 4 );
    QVERIFY( action( QStringLiteral( "Запустить" ) )->isEnabled() );
    QVERIFY( !child< QToolButton >( "addPlayerBtn" )->isEnabled() );

    // 5. Every later round to the final.
    while( QTossThread::canStart( champ_l ) )
    {
        drawFromMenu();
        const QList< QGameWidget* > round_cl = currentRoundGames();
        QCOMPARE( round_cl.size(), champ_l.rounds().at( champ_l.currentRound() ).denominator() );
        for( int i = 0; i < round_cl.size(); ++i )
            clickGame( round_cl.at( i ), i % 3 == 1 );
    }
    QCOMPARE( champ_l.currentRound(), 3 );
    QVERIFY( champ_l.rounds().at( 3 ).games_m.at( 0 ).result_m != UNKNOWN );
    QVERIFY( !action( QStringLiteral( "Запустить" ) )->isEnabled() );
    answerMessageBox( QMessageBox::Ok );
    action( QStringLiteral( "Сохранить" ) )->trigger();
    Championship saved_l;
    QVERIFY( saved_l.load( file_cl ) );
    QVERIFY( saved_l.rounds() == champ_l.rounds() );
    QCOMPARE( saved_l.currentRound(), 3 );
    QCOMPARE( saved_l.nations(), champ_l.nations() );
    QCOMPARE( saved_l.playersAmount(), 12 );
}

void tst_Evening::cleanupTestCase()
{
    QVERIFY2( warnings_g.isEmpty(), qPrintable( warnings_g.join( QLatin1Char( '\n' ) ) ) );
}

QTEST_MAIN( tst_Evening )
#include "tst_evening.moc"
