#include "QBracketTreeScene.h"
#include "QDiagramScene.h"
#include "QGameWidget.h"
#include "QGuide.h"
#include "QNationsPanel.h"
#include "QPlayersPanel.h"
#include "QPublishing.h"
#include "QRecoveryCopy.h"
#include "QRoundProgress.h"
#include "QStringEnterDialog.h"
#include "QTossApplication.h"
#include "QTossProcessWindow.h"
#include "QTossThread.h"
#include "QTossWindow.h"
#include "bracketlayout.h"
#include "championship.h"
#include "drawcheck.h"
#include "drawseed.h"
#include "globals.h"
#include "guisupport.h"
#include "playedchampionship.h"
#include "savefile.h"
#include "testsupport.h"

#include <QComboBox>
#include <QDesktopServices>
#include <QFileDialog>
#include <QGraphicsProxyWidget>
#include <QGraphicsSimpleTextItem>
#include <QGraphicsView>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenuBar>
#include <QMessageBox>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSlider>
#include <QTemporaryDir>
#include <QToolButton>
#include <QTreeView>
#include <QtTest>

using namespace gui;

// Takes the place of the browser: what the program asks to open.
class OpenedUrls : public QObject
{
    Q_OBJECT

public slots:
    void open( const QUrl& url_cp ) { urls_m.append( url_cp ); }

public:
    QList< QUrl > urls_m;
};

class tst_MainWindow : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void startsAsSpecified();
    void tossNeedsFourPlayersAndNations();
    void scalesRelatively();
    void questionTexts_data();
    void questionTexts();
    void registersPlayersThroughThePanel();
    void refusesBlankNickname();
    void buttonStatesFollowSelection_data();
    void buttonStatesFollowSelection();
    void fileCommandsAskAndReport();
    void failedLoadKeepsTitleAndReportsName();
    void saveAsPreselectsRememberedName();
    void bracketTakesResultsByClick();
    void lockedWhileDrawingAndCancelled_data();
    void lockedWhileDrawingAndCancelled();
    void resultClickedDuringDrawIsRefused();
    void newChampionshipPreselectsNoFile();
    void typedNameTakesSuffixOfFilter_data();
    void typedNameTakesSuffixOfFilter();
    void nationsRemoveButtonFollowsSelectionAfterReset();
    void nationIdZeroIsListedOnce();
    void quitAsksAfterEveryKindOfChange_data();
    void quitAsksAfterEveryKindOfChange();
    void closesWithoutAskingAfterSaveLoadOrNew_data();
    void closesWithoutAskingAfterSaveLoadOrNew();
    void typedNameWinsOverTwoSelectedFiles_data();
    void typedNameWinsOverTwoSelectedFiles();
    void clanOfBlanksIsStoredAsNone();
    void duplicatePlayerIsAskedAbout_data();
    void duplicatePlayerIsAskedAbout();
    void addedPlayerIsShownAndGroupsStayOpen();
    void statusBarCountsOpenGames_data();
    void statusBarCountsOpenGames();
    void closingDuringPacedDrawStopsItFirst();
    void renamesPlayerAfterTheDraw_data();
    void renamesPlayerAfterTheDraw();
    void renameCancelledOrBlankChangesNothing();
    void undoWalksBackToTheUndrawnChampionship();
    void commandsHaveStandardShortcuts_data();
    void commandsHaveStandardShortcuts();
    void recoveryCopyFollowsChangesAndSaves();
    void drawShowsItsCommitmentAndAsksTheHall();
    void championShownAndBracketFitsTheView();
    void fitShowsTheWholeBracket_data();
    void fitShowsTheWholeBracket();
    void leavingFullScreenGivesBackWindowAndZoom_data();
    void leavingFullScreenGivesBackWindowAndZoom();
    void treeViewTakesResultsAndShowsTheChampion();
    void publishesFromTheWindow();
    void publishingNeverWritesOverTheChampionship();
    void publishDialogRemembersFolderAndTitle();
    void undoRefusedWhereItWouldStrandTheChampionship();
    void treeShowsNothingButTheCurrentLayout();
    void bracketTooLargeForTheDiagramShowsTheTree();
    void helpOpensTheGuide();
    void printsFittedOrTiled_data();
    void printsFittedOrTiled();
    void tilesCoverTheBracketRowByRow_data();
    void tilesCoverTheBracketRowByRow();
    void fittedPrintIsCentredOnThePage_data();
    void fittedPrintIsCentredOnThePage();

private:
    QTemporaryDir dir_m;
};

void tst_MainWindow::initTestCase()
{
    quietOffscreenPlatform();
    QTossApplication::connectGlobalObjects();
    global::threads::tossThread()->setPaced( false );
    window()->resize( 1200, 800 );
    window()->show();
    QVERIFY( QTest::qWaitForWindowExposed( window() ) );
}

void tst_MainWindow::init()
{
    drawseed::setFixedSeed( 99 );
    resetChampionship();
    window()->resetViews();
}

void tst_MainWindow::cleanup()
{
    if( QTest::currentTestFailed() )
        dropLeftoverDialogs();
}

void tst_MainWindow::startsAsSpecified()
{
    QCOMPARE( shownTitle(), QStringLiteral( "Новый не сохранённый чемпионат" ) );
    QCOMPARE( child< QSlider >( "scaleSlider" )->value(), 100 );
    QCOMPARE( child< QSlider >( "scaleSlider" )->minimum(), 5 );
    QCOMPARE( child< QSlider >( "scaleSlider" )->maximum(), 400 );
    QCOMPARE( child< QLabel >( "scaleLabel" )->text(), QStringLiteral( "100 %" ) );
    QStringList menus_l;
    for( QAction* const action_cl : window()->menuBar()->actions() )
        menus_l.append( action_cl->text() );
    QCOMPARE( menus_l, QStringList( { "Чемпионат", "Жеребьевка", "Вид", "?", "Справка" } ) );
    QStringList files_l;
    for( QAction* const action_cl : window()->menuBar()->actions().front()->menu()->actions() )
        files_l.append( action_cl->isSeparator() ? QStringLiteral( "|" ) : action_cl->text() );
    QCOMPARE( files_l, QStringList( { "Начать новый", "Продолжить сохранённый", "Сохранить", "Сохранить как ...", "|",
                                      "Опубликовать …", "Печать …", "|", "Выйти" } ) );
    QVERIFY( !action( QStringLiteral( "Запустить" ) )->isEnabled() );
    QVERIFY( !action( QStringLiteral( "Импортировать" ) )->isEnabled() );
    QVERIFY( !action( QStringLiteral( "Настроить" ) )->isEnabled() );
    QCOMPARE( action( QStringLiteral( "Сохранить" ) )->toolTip(), QStringLiteral( "Cохранить чемпионат" ) );
    QCOMPARE( action( QStringLiteral( "Сохранить" ) )->toolTip().at( 0 ), QLatin1Char( 'C' ) );
    QCOMPARE( action( QStringLiteral( "Сохранить как ..." ) )->toolTip(),
              QStringLiteral( "Cохранить чемпионат в другой файл" ) );
    // Grey, it says why.
    QCOMPARE( action( QStringLiteral( "Запустить" ) )->toolTip(),
              QStringLiteral( "Провести жеребьевку нельзя: нужно не меньше 4 игроков, зарегистрировано 0" ) );
    for( const char* const name_cl :
         { "addPlayerBtn", "removePlayerBtn", "movePlayerUpBtn", "movePlayerDownBtn", "removeNationBtn" } )
        QVERIFY( !child< QToolButton >( name_cl )->isEnabled() );
    QVERIFY( child< QToolButton >( "addNationBtn" )->isEnabled() );
    QCOMPARE( child< QGraphicsView >( "diagramView" )->minimumWidth(), 500 );
    QVERIFY( !global::widgets::tossProcessWindow()->isVisible() );
    // Every picture is decoded from the program's own PNG data.
    QVERIFY( !action( QStringLiteral( "Запустить" ) )->icon().isNull() );
    QVERIFY( !child< QToolButton >( "addNationBtn" )->icon().isNull() );
    QVERIFY( !global::icons::checkIcon().isNull() );
    // 16, 32 and 48 pixels, and twice 32 and 48 for a scale of 2.
    QCOMPARE( global::icons::appIcon().availableSizes().size(), 5 );
}

void tst_MainWindow::tossNeedsFourPlayersAndNations()
{
    resetChampionship( { 2, 1 } );
    window()->resetViews();
    QVERIFY( !action( QStringLiteral( "Запустить" ) )->isEnabled() );
    global::data::champ().addPlayer( 4, QStringLiteral( "четвёртый" ), QString() );
    window()->updateTossAction();
    QVERIFY( action( QStringLiteral( "Запустить" ) )->isEnabled() );
    QCOMPARE( action( QStringLiteral( "Запустить" ) )->toolTip(), QStringLiteral( "Провести жеребьевку" ) );
    // A round with games still open says how many.
    Championship& champ_l = global::data::champ();
    QVERIFY( global::threads::tossThread()->drawInPlace( champ_l ) );
    champ_l.setGameResult( 0, EXPECTED );
    window()->resetViews();
    QVERIFY( !action( QStringLiteral( "Запустить" ) )->isEnabled() );
    QCOMPARE( action( QStringLiteral( "Запустить" ) )->toolTip(),
              QStringLiteral( "Провести жеребьевку нельзя: в текущем туре игр без победителя: 1" ) );
    global::data::champ().nations().clear();
    window()->updateTossAction();
    QVERIFY( !action( QStringLiteral( "Запустить" ) )->isEnabled() );
    QVERIFY( action( QStringLiteral( "Запустить" ) )->toolTip().contains( QStringLiteral( "пуст" ) ) );
}

void tst_MainWindow::scalesRelatively()
{
    QSlider* const slider_cl = child< QSlider >( "scaleSlider" );
    QGraphicsView* const view_cl = child< QGraphicsView >( "diagramView" );
    slider_cl->setValue( 50 );
    QCOMPARE( child< QLabel >( "scaleLabel" )->text(), QStringLiteral( "50 %" ) );
    QCOMPARE( view_cl->transform().m11(), 0.5 );
    slider_cl->setValue( 10 );
    slider_cl->setValue( 100 );
    QVERIFY( qAbs( view_cl->transform().m11() - 1.0 ) < 1e-9 );
    QCOMPARE( child< QLabel >( "scaleLabel" )->text(), QStringLiteral( "100 %" ) );
}

void tst_MainWindow::questionTexts_data()
{
    QTest::addColumn< int >( "amount" );
    QTest::addColumn< QString >( "removal" );
    QTest::addColumn< QString >( "move" );
    const auto row_l =
        []( int n_p, const char* removed_p, const char* selected_p, const char* ending_p, const char* moved_p )
    {
        QTest::newRow( qPrintable( QString::number( n_p ) ) )
            << n_p
            << QStringLiteral( "Из списка игроков будет %1 %2 %3элемент%4." )
                   .arg( QString::fromUtf8( removed_p ) )
                   .arg( n_p )
                   .arg( QString::fromUtf8( selected_p ), QString::fromUtf8( ending_p ) )
            << QStringLiteral( "%1  %2элемент%3 будет перемещен%4 на одну группу " )
                   .arg( n_p )
                   .arg( QString::fromUtf8( selected_p ), QString::fromUtf8( ending_p ), QString::fromUtf8( moved_p ) );
    };
    row_l( 1, "удалён", "выделенный ", "", "" );
    row_l( 2, "удалено", "выделенных ", "а", "о" );
    row_l( 3, "удалено", "выделенных ", "а", "о" );
    row_l( 4, "удалено", "выделенных ", "а", "о" );
    row_l( 5, "удалено", "выделенных ", "ов", "о" );
    row_l( 11, "удалено", "выделенных ", "ов", "о" );
    row_l( 21, "удалено", "выделенных ", "ов", "о" );
    row_l( 22, "удалено", "выделенных ", "ов", "о" );
    row_l( 25, "удалено", "выделенных ", "ов", "о" );
}

void tst_MainWindow::questionTexts()
{
    QFETCH( int, amount );
    QFETCH( QString, removal );
    QFETCH( QString, move );
    QCOMPARE( QPlayersPanel::removePlayersQuestion( amount ), removal );
    QCOMPARE( QPlayersPanel::moveConfirmationText( amount ), move );
    QString nations_l = removal;
    nations_l.replace( QStringLiteral( "игроков" ), QStringLiteral( "наций" ) );
    QCOMPARE( QNationsPanel::removeNationsQuestion( amount ), nations_l );
}

void tst_MainWindow::registersPlayersThroughThePanel()
{
    Championship& champ_l = global::data::champ();
    clickRow( groupIndex( 1 ) );
    QVERIFY( child< QToolButton >( "addPlayerBtn" )->isEnabled() );
    QVERIFY( !child< QToolButton >( "removePlayerBtn" )->isEnabled() );
    const QStringList names_cl { QStringLiteral( "Ёлка" ), QStringLiteral( "Жук" ), QStringLiteral( "Щука" ) };
    for( const QString& name_crl : names_cl )
    {
        enterPlayer( name_crl, name_crl == names_cl.at( 1 ) ? QString() : QStringLiteral( "Клан" ) );
        child< QToolButton >( "addPlayerBtn" )->click();
    }
    QCOMPARE( champ_l.players().value( 2 ).size(), 3 );
    QCOMPARE( champ_l.players().value( 2 ).value( 0 ).nickname_m, names_cl.at( 0 ) );
    QCOMPARE( champ_l.players().value( 2 ).value( 1 ).clanName_m, QString() );
    child< QTreeView >( "playersView" )->expandAll();
    clickRow( playerIndex( 1, 0 ) );
    clickRow( playerIndex( 1, 2 ), Qt::ControlModifier );
    QVERIFY( child< QToolButton >( "removePlayerBtn" )->isEnabled() );
    QString question_l;
    answerMessageBox( QMessageBox::Cancel, &question_l );
    child< QToolButton >( "removePlayerBtn" )->click();
    QCOMPARE( question_l, QPlayersPanel::removePlayersQuestion( 2 ) );
    QCOMPARE( champ_l.players().value( 2 ).size(), 3 );
    answerMessageBox( QMessageBox::Ok );
    child< QToolButton >( "movePlayerDownBtn" )->click();
    QCOMPARE( champ_l.players().value( 2 ).size(), 1 );
    QCOMPARE( champ_l.players().value( 3 ).size(), 2 );
    QVERIFY( !child< QToolButton >( "removePlayerBtn" )->isEnabled() );
    QVERIFY( !action( QStringLiteral( "Запустить" ) )->isEnabled() );
    clickRow( groupIndex( 0 ) );
    enterPlayer( QStringLiteral( "Четвёртый" ), QString() );
    child< QToolButton >( "addPlayerBtn" )->click();
    QVERIFY( action( QStringLiteral( "Запустить" ) )->isEnabled() );
}

void tst_MainWindow::refusesBlankNickname()
{
    clickRow( groupIndex( 0 ) );
    enterPlayer( QStringLiteral( "   " ), QStringLiteral( "Клан" ) );
    QString message_l;
    QTimer::singleShot( 50, [ &message_l ] { answerMessageBox( QMessageBox::Ok, &message_l ); } );
    child< QToolButton >( "addPlayerBtn" )->click();
    QVERIFY( message_l.contains( QStringLiteral( "Псевдоним" ) ) );
    QCOMPARE( global::data::champ().playersAmount(), 0 );
}

void tst_MainWindow::buttonStatesFollowSelection_data()
{
    QTest::addColumn< int >( "groupRow" );
    QTest::addColumn< bool >( "up" );
    QTest::addColumn< bool >( "down" );
    QTest::newRow( "first group" ) << 0 << false << true;
    QTest::newRow( "middle group" ) << 2 << true << true;
    QTest::newRow( "last group" ) << 3 << true << false;
}

void tst_MainWindow::buttonStatesFollowSelection()
{
    QFETCH( int, groupRow );
    QFETCH( bool, up );
    QFETCH( bool, down );
    resetChampionship( { 1, 1, 1, 1 } );
    window()->resetViews();
    child< QTreeView >( "playersView" )->expandAll();
    clickRow( playerIndex( groupRow, 0 ) );
    QVERIFY( !child< QToolButton >( "addPlayerBtn" )->isEnabled() );
    QVERIFY( child< QToolButton >( "removePlayerBtn" )->isEnabled() );
    QCOMPARE( child< QToolButton >( "movePlayerUpBtn" )->isEnabled(), up );
    QCOMPARE( child< QToolButton >( "movePlayerDownBtn" )->isEnabled(), down );
    // A group row joining the selection replaces it.
    clickRow( groupIndex( groupRow ), Qt::ControlModifier );
    QCOMPARE( child< QTreeView >( "playersView" )->selectionModel()->selectedRows().size(), 1 );
    QVERIFY( child< QToolButton >( "addPlayerBtn" )->isEnabled() );
    QVERIFY( !child< QToolButton >( "movePlayerUpBtn" )->isEnabled() );
}

void tst_MainWindow::fileCommandsAskAndReport()
{
    resetChampionship( { 2, 2 } );
    window()->resetViews();
    const QString file_cl = dir_m.filePath( QStringLiteral( "Осенний кубок.stv" ) );
    whenModal(
        [ file_cl ]( QWidget* modal_p )
        {
            QFileDialog* const dialog_cl = qobject_cast< QFileDialog* >( modal_p );
            QVERIFY( dialog_cl );
            QCOMPARE( dialog_cl->windowTitle(), QStringLiteral( "Выбор файла для сохранения" ) );
            QCOMPARE( dialog_cl->nameFilters().front(), QStringLiteral( "SortivaneSaveFile-v.0.1 (*.stv)" ) );
            chooseFile( dialog_cl, file_cl );
            QTimer::singleShot( 0, [] { answerMessageBox( QMessageBox::Ok ); } );
            QMetaObject::invokeMethod( dialog_cl, "accept", Qt::QueuedConnection );
        } );
    action( QStringLiteral( "Сохранить" ) )->trigger();
    QTRY_COMPARE( shownTitle(), QStringLiteral( "Информация по чемпонату из файла " ) + file_cl );
    QVERIFY( QFile::exists( file_cl ) );
    // Saving again asks nothing but the result.
    global::data::champ().addPlayer( 3, QStringLiteral( "новый" ), QString() );
    QString message_l;
    answerMessageBox( QMessageBox::Ok, &message_l );
    action( QStringLiteral( "Сохранить" ) )->trigger();
    QCOMPARE( message_l, QStringLiteral( "Данные успешно сохранены в файл\n\"%1\"" ).arg( file_cl ) );
    // New championship, then the file back.
    answerMessageBox( QMessageBox::Ok );
    action( QStringLiteral( "Начать новый" ) )->trigger();
    QCOMPARE( global::data::champ().playersAmount(), 0 );
    QCOMPARE( shownTitle(), QStringLiteral( "Новый не сохранённый чемпионат" ) );
    whenModal(
        [ file_cl ]( QWidget* confirm_p )
        {
            qobject_cast< QMessageBox* >( confirm_p )->button( QMessageBox::Ok )->click();
            whenModal(
                [ file_cl ]( QWidget* modal_p )
                {
                    QFileDialog* const dialog_cl = qobject_cast< QFileDialog* >( modal_p );
                    QCOMPARE( dialog_cl->windowTitle(), QStringLiteral( "Выбор файла для загрузки" ) );
                    chooseFile( dialog_cl, file_cl );
                    whenModal( []( QWidget* result_p )
                               { qobject_cast< QMessageBox* >( result_p )->button( QMessageBox::Ok )->click(); } );
                    QMetaObject::invokeMethod( dialog_cl, "accept", Qt::QueuedConnection );
                } );
        } );
    action( QStringLiteral( "Продолжить сохранённый" ) )->trigger();
    QCOMPARE( global::data::champ().playersAmount(), 5 );
    QCOMPARE( global::data::champ().fileName(), file_cl );
    QCOMPARE( child< QTreeView >( "playersView" )->model()->rowCount( groupIndex( 2 ) ), 1 );
}

// Answers the confirmation, then the file dialog with file_cp, then reads the
// result box's text into message_rp.
void openFile( const QString& file_cp, QString* message_rp )
{
    whenModal(
        [ file_cp, message_rp ]( QWidget* confirm_p )
        {
            qobject_cast< QMessageBox* >( confirm_p )->button( QMessageBox::Ok )->click();
            whenModal(
                [ file_cp, message_rp ]( QWidget* modal_p )
                {
                    QFileDialog* const dialog_cl = qobject_cast< QFileDialog* >( modal_p );
                    QVERIFY( dialog_cl );
                    chooseFile( dialog_cl, file_cp );
                    answerMessageBox( QMessageBox::Ok, message_rp );
                    QMetaObject::invokeMethod( dialog_cl, "accept", Qt::QueuedConnection );
                } );
        } );
    action( QStringLiteral( "Продолжить сохранённый" ) )->trigger();
}

void tst_MainWindow::failedLoadKeepsTitleAndReportsName()
{
    const QString good_cl = dir_m.filePath( QStringLiteral( "good.stv" ) );
    resetChampionship( { 3 } );
    QVERIFY( global::data::champ().save( good_cl ) );
    QString message_l;
    openFile( good_cl, &message_l );
    QCOMPARE( message_l, QStringLiteral( "Данные успешно загружены из файла\n\"%1\"" ).arg( good_cl ) );
    const QString title_cl = shownTitle();
    QCOMPARE( title_cl, QStringLiteral( "Информация по чемпонату из файла " ) + good_cl );
    const QString bad_cl = dir_m.filePath( QStringLiteral( "не сохранение.txt" ) );
    QFile bad_l( bad_cl );
    QVERIFY( bad_l.open( QIODevice::WriteOnly ) );
    bad_l.write( "just text" );
    bad_l.close();
    openFile( bad_cl, &message_l );
    QCOMPARE( message_l, QStringLiteral( "Не удалось загрузить данные из файла\n\"%1\"" ).arg( bad_cl ) );
    QCOMPARE( shownTitle(), title_cl );
    QCOMPARE( global::data::champ().fileName(), good_cl );
    QCOMPARE( global::data::champ().playersAmount(), 3 );
}

void tst_MainWindow::saveAsPreselectsRememberedName()
{
    const QString file_cl = dir_m.filePath( QStringLiteral( "remembered.stv" ) );
    resetChampionship( { 1 } );
    QVERIFY( global::data::champ().save( file_cl ) );
    QStringList preselected_l;
    whenModal(
        [ &preselected_l ]( QWidget* modal_p )
        {
            QFileDialog* const dialog_cl = qobject_cast< QFileDialog* >( modal_p );
            preselected_l = dialog_cl->selectedFiles();
            QMetaObject::invokeMethod( dialog_cl, "reject", Qt::QueuedConnection );
        } );
    action( QStringLiteral( "Сохранить как ..." ) )->trigger();
    QCOMPARE( preselected_l, QStringList( { file_cl } ) );
    // A failed save to a new name reports that name and changes nothing.
    const QString unwritable_cl = dir_m.filePath( QStringLiteral( "нет/такой/папки.stv" ) );
    QString message_l;
    whenModal(
        [ unwritable_cl, &message_l ]( QWidget* modal_p )
        {
            QFileDialog* const dialog_cl = qobject_cast< QFileDialog* >( modal_p );
            chooseFile( dialog_cl, unwritable_cl );
            answerMessageBox( QMessageBox::Ok, &message_l );
            QMetaObject::invokeMethod( dialog_cl, "accept", Qt::QueuedConnection );
        } );
    action( QStringLiteral( "Сохранить как ..." ) )->trigger();
    QCOMPARE( message_l, QStringLiteral( "Не удалось сохранить данные в файл\n\"%1\"" ).arg( unwritable_cl ) );
    QCOMPARE( global::data::champ().fileName(), file_cl );
}

void tst_MainWindow::bracketTakesResultsByClick()
{
    resetChampionship( { 2, 2, 2, 2 } );
    window()->resetViews();
    QSignalSpy updated_l( global::threads::tossThread(), SIGNAL( championshipDataUpdated() ) );
    action( QStringLiteral( "Запустить" ) )->trigger();
    QVERIFY( !action( QStringLiteral( "Начать новый" ) )->isEnabled() || !updated_l.isEmpty() );
    QVERIFY( updated_l.wait( 10000 ) );
    QTRY_VERIFY( action( QStringLiteral( "Начать новый" ) )->isEnabled() );
    QVERIFY( !child< QToolButton >( "addPlayerBtn" )->isEnabled() );
    QGraphicsView* const view_cl = child< QGraphicsView >( "diagramView" );
    QCOMPARE( gameWidgets().size(), 4 );
    const Championship& champ_l = global::data::champ();
    for( QGameWidget* const game_cl : gameWidgets() )
        clickGame( game_cl, true );
    for( const Game& game_crl : champ_l.rounds().at( 0 ).games_m )
        QCOMPARE( game_crl.result_m, UNEXPECTED );
    QVERIFY( action( QStringLiteral( "Запустить" ) )->isEnabled() );
    const auto labelTexts_l = [ view_cl ]
    {
        QStringList texts_l;
        for( QGraphicsItem* const item_cl : view_cl->scene()->items() )
            if( QGraphicsProxyWidget* const proxy_cl = qgraphicsitem_cast< QGraphicsProxyWidget* >( item_cl ) )
                if( QLabel* const label_cl = qobject_cast< QLabel* >( proxy_cl->widget() ) )
                    texts_l.append( label_cl->text() );
        return texts_l;
    };
    const Game& first_crl = champ_l.rounds().at( 0 ).games_m.at( 0 );
    QCOMPARE( labelTexts_l().size(), 4 );
    QVERIFY( labelTexts_l().contains( champ_l.playerText( first_crl.outsider_m ) ) );
    // The first game's favourite won after all: its label changes in place.
    clickGame( gameWidget( 0, 0 ), false );
    QCOMPARE( first_crl.result_m, EXPECTED );
    QCOMPARE( labelTexts_l().size(), 4 );
    QVERIFY( labelTexts_l().contains( champ_l.playerText( first_crl.favorite_m ) ) );
    QVERIFY( !labelTexts_l().contains( champ_l.playerText( first_crl.outsider_m ) ) );
    QCOMPARE( champ_l.rounds().at( 1 ).playersAmount(), 4 );
}

void tst_MainWindow::lockedWhileDrawingAndCancelled_data()
{
    QTest::addColumn< QString >( "cancelWith" );
    QTest::newRow( "cancel button" ) << QStringLiteral( "cancel button" );
    QTest::newRow( "Escape" ) << QStringLiteral( "Escape" );
    QTest::newRow( "closing the window" ) << QStringLiteral( "closing the window" );
}

void tst_MainWindow::lockedWhileDrawingAndCancelled()
{
    resetChampionship( { 8, 8 } );
    window()->resetViews();
    clickRow( groupIndex( 0 ) );
    QVERIFY( child< QToolButton >( "addPlayerBtn" )->isEnabled() );
    QTossThread* const thread_cl = global::threads::tossThread();
    thread_cl->setPaced( true );
    QSignalSpy updated_l( thread_cl, SIGNAL( championshipDataUpdated() ) );
    action( QStringLiteral( "Запустить" ) )->trigger();
    for( const QString& text_cl :
         { QStringLiteral( "Начать новый" ), QStringLiteral( "Продолжить сохранённый" ), QStringLiteral( "Сохранить" ),
           QStringLiteral( "Сохранить как ..." ), QStringLiteral( "Запустить" ) } )
        QVERIFY2( !action( text_cl )->isEnabled(), qPrintable( text_cl ) );
    for( const char* const name_cl : { "addPlayerBtn", "addNationBtn", "removeNationBtn" } )
        QVERIFY2( !child< QToolButton >( name_cl )->isEnabled(), name_cl );
    QTossProcessWindow* const show_cl = global::widgets::tossProcessWindow();
    QTRY_VERIFY( show_cl->isVisible() );
    // Centred over the main window, not over its menus.
    QVERIFY( ( show_cl->frameGeometry().center() - window()->frameGeometry().center() ).manhattanLength() < 4 );
    QTest::qWait( 50 );
    QPushButton* const cancel_cl = show_cl->findChild< QPushButton* >();
    QCOMPARE( cancel_cl->text(), QStringLiteral( "Отменить" ) );
    QFETCH( QString, cancelWith );
    if( cancelWith == QStringLiteral( "cancel button" ) )
        cancel_cl->click();
    else if( cancelWith == QStringLiteral( "Escape" ) )
        QTest::keyClick( show_cl, Qt::Key_Escape );
    else
        show_cl->close();
    QTRY_VERIFY( !show_cl->isVisible() );
    QTRY_VERIFY( action( QStringLiteral( "Начать новый" ) )->isEnabled() );
    thread_cl->setPaced( false );
    QVERIFY( updated_l.isEmpty() );
    QVERIFY( global::data::champ().rounds().isEmpty() );
    QVERIFY( gameWidgets().isEmpty() );
    QVERIFY( action( QStringLiteral( "Запустить" ) )->isEnabled() );
    QVERIFY( child< QToolButton >( "addNationBtn" )->isEnabled() );
    QVERIFY( child< QToolButton >( "addPlayerBtn" )->isEnabled() );
}

namespace
{
// Draws the first round of the current championship and records a win of
// every favourite through the bracket.
// Answers the rename dialog with the given names, after checking that it
// offers the player's present ones.
void renameTo( const QString& nickname_cp, const QString& clan_cp )
{
    const Player old_cl = global::data::champ().players().value( 1 ).value( 0 );
    whenModal(
        [ nickname_cp, clan_cp, old_cl ]( QWidget* modal_p )
        {
            QCOMPARE( modal_p->windowTitle(), QStringLiteral( "Изменение игрока" ) );
            const QList< QLineEdit* > fields_cl = modal_p->findChildren< QLineEdit* >();
            QCOMPARE( fields_cl.at( 0 )->text(), old_cl.nickname_m );
            QCOMPARE( fields_cl.at( 1 )->text(), old_cl.clanName_m );
            QCOMPARE( fields_cl.at( 0 )->maxLength(), Player::MAX_TYPED_LENGTH );
            fields_cl.at( 0 )->setText( nickname_cp );
            fields_cl.at( 1 )->setText( clan_cp );
            for( QPushButton* const button_cl : modal_p->findChildren< QPushButton* >() )
                if( button_cl->text() == QStringLiteral( "Ввести зачение" ) )
                    button_cl->click();
        } );
}

void drawAndDecideFirstRound()
{
    QSignalSpy updated_l( global::threads::tossThread(), SIGNAL( championshipDataUpdated() ) );
    action( QStringLiteral( "Запустить" ) )->trigger();
    QVERIFY( updated_l.wait( 10000 ) );
    QTRY_VERIFY( action( QStringLiteral( "Начать новый" ) )->isEnabled() );
    for( QGameWidget* const game_cl : gameWidgets() )
        clickGame( game_cl, false );
    QVERIFY( action( QStringLiteral( "Запустить" ) )->isEnabled() );
}

void clickOnGame( QGameWidget* game_p )
{
    QGraphicsView* const view_cl = child< QGraphicsView >( "diagramView" );
    QTest::mouseClick( view_cl->viewport(), Qt::LeftButton, Qt::NoModifier,
                       view_cl->mapFromScene( game_p->graphicsProxyWidget()->sceneBoundingRect().center() ) );
}

}

void tst_MainWindow::resultClickedDuringDrawIsRefused()
{
    resetChampionship( { 4, 4 } );
    window()->resetViews();
    drawAndDecideFirstRound();
    const QVector< Game > decided_cl = global::data::champ().rounds().at( 0 ).games_m;
    QTossThread* const thread_cl = global::threads::tossThread();
    // While the next round is drawn, a click on a game opens nothing.
    thread_cl->setPaced( true );
    QSignalSpy updated_l( thread_cl, SIGNAL( championshipDataUpdated() ) );
    action( QStringLiteral( "Запустить" ) )->trigger();
    bool opened_l = false;
    QTimer::singleShot( 0,
                        [ &opened_l ]
                        {
                            opened_l = nullptr != QApplication::activeModalWidget();
                            if( opened_l )
                                QTest::keyClick( QApplication::activeModalWidget(), Qt::Key_Escape );
                        } );
    clickOnGame( gameWidget( 0, 0 ) );
    QVERIFY( updated_l.wait( 10000 ) );
    QTRY_VERIFY( action( QStringLiteral( "Начать новый" ) )->isEnabled() );
    thread_cl->setPaced( false );
    QVERIFY( !opened_l );
    QCOMPARE( global::data::champ().rounds().at( 0 ).games_m, decided_cl );
    QCOMPARE( global::data::champ().currentRound(), 1 );

    // A dialog answered after a draw stored a round behind it stores nothing:
    // its game is no longer in the current round.
    resetChampionship( { 4, 4 } );
    window()->resetViews();
    drawAndDecideFirstRound();
    whenModal(
        [ thread_cl ]( QWidget* modal_p )
        {
            QSignalSpy stored_l( thread_cl, SIGNAL( championshipDataUpdated() ) );
            thread_cl->start();
            QVERIFY( stored_l.wait( 10000 ) );
            modal_p->findChildren< QRadioButton* >().at( 1 )->click();
            for( QPushButton* const button_cl : modal_p->findChildren< QPushButton* >() )
                if( button_cl->text() == QStringLiteral( "Выбрать" ) )
                    button_cl->click();
        } );
    clickOnGame( gameWidget( 0, 0 ) );
    QTRY_VERIFY( action( QStringLiteral( "Начать новый" ) )->isEnabled() );
    const Championship& champ_crl = global::data::champ();
    QCOMPARE( champ_crl.currentRound(), 1 );
    QCOMPARE( champ_crl.rounds().at( 0 ).games_m.at( 0 ).result_m, EXPECTED );
    QCOMPARE( champ_crl.rounds().at( 1 ).games_m.at( 0 ).result_m, UNKNOWN );
    QCOMPARE( champ_crl.rounds().at( 2 ).playersAmount(), 0 );
}

void tst_MainWindow::newChampionshipPreselectsNoFile()
{
    const QString file_cl = dir_m.filePath( QStringLiteral( "last-week.stv" ) );
    resetChampionship( { 1 } );
    QVERIFY( global::data::champ().save( file_cl ) );
    answerMessageBox( QMessageBox::Ok );
    action( QStringLiteral( "Начать новый" ) )->trigger();
    for( const QString& command_cl : { QStringLiteral( "Сохранить" ), QStringLiteral( "Продолжить сохранённый" ) } )
    {
        QString typed_l = QStringLiteral( "unset" );
        QString reject_l;
        QFileDialog* const dialog_cl =
            fileDialogOf( command_cl,
                          [ &typed_l, &reject_l ]( QFileDialog* dialog_p )
                          {
                              typed_l = dialog_p->findChild< QLineEdit* >( QStringLiteral( "fileNameEdit" ) )->text();
                              reject_l = dialog_p->labelText( QFileDialog::Reject );
                              QTest::keyClick( dialog_p, Qt::Key_Escape );
                          } );
        QVERIFY2( typed_l.isEmpty(), qPrintable( command_cl ) );
        QCOMPARE( reject_l, QStringLiteral( "Отменить" ) );
        QVERIFY( dialog_cl->testOption( QFileDialog::DontUseNativeDialog ) );
        QVERIFY( !dialog_cl->windowIcon().isNull() );
    }
}

void tst_MainWindow::typedNameTakesSuffixOfFilter_data()
{
    QTest::addColumn< int >( "filter" );
    QTest::addColumn< QString >( "suffix" );
    QTest::newRow( "save files" ) << 0 << QStringLiteral( ".stv" );
    QTest::newRow( "XML files" ) << 1 << QStringLiteral( ".xml" );
    QTest::newRow( "all files" ) << 2 << QStringLiteral( ".stv" );
}

void tst_MainWindow::typedNameTakesSuffixOfFilter()
{
    QFETCH( int, filter );
    QFETCH( QString, suffix );
    const QString typed_cl = dir_m.filePath( QStringLiteral( "typed%1" ).arg( filter ) );
    fileDialogOf( QStringLiteral( "Сохранить как ..." ),
                  [ typed_cl, filter ]( QFileDialog* dialog_p )
                  {
                      // The organiser picks the filter in its box, as a user does.
                      QComboBox* const types_cl =
                          dialog_p->findChild< QComboBox* >( QStringLiteral( "fileTypeCombo" ) );
                      for( int i = 0; i < 3; ++i )
                          QTest::keyClick( types_cl, Qt::Key_Up );
                      for( int i = 0; i < filter; ++i )
                          QTest::keyClick( types_cl, Qt::Key_Down );
                      QLineEdit* const name_cl = dialog_p->findChild< QLineEdit* >( QStringLiteral( "fileNameEdit" ) );
                      name_cl->setText( typed_cl );
                      answerMessageBox( QMessageBox::Ok );
                      QTest::keyClick( name_cl, Qt::Key_Return );
                  } );
    QCOMPARE( global::data::champ().fileName(), typed_cl + suffix );
    QVERIFY( QFile::exists( typed_cl + suffix ) );
}

void tst_MainWindow::nationsRemoveButtonFollowsSelectionAfterReset()
{
    QListView* const view_cl = child< QListView >( "nationsView" );
    QTest::mouseClick( view_cl->viewport(), Qt::LeftButton, Qt::NoModifier,
                       view_cl->visualRect( view_cl->model()->index( 2, 0 ) ).center() );
    QToolButton* const remove_cl = child< QToolButton >( "removeNationBtn" );
    QVERIFY( remove_cl->isEnabled() );
    answerMessageBox( QMessageBox::Ok );
    action( QStringLiteral( "Начать новый" ) )->trigger();
    QVERIFY( view_cl->selectionModel()->selectedIndexes().isEmpty() );
    QVERIFY( !remove_cl->isEnabled() );
}

void tst_MainWindow::nationIdZeroIsListedOnce()
{
    Championship loaded_l;
    QVERIFY( SaveFile::fromText( QStringLiteral( "<!DOCTYPE SortivaneSaveFile-v.0.1><root><groups><group gid=\"1\">"
                                                 "<name>Все</name></group></groups><nations>"
                                                 "<nation nid=\"0\">Нулевая</nation><nation nid=\"1\">Первая</nation>"
                                                 "<list>0 1</list></nations></root>" ),
                                 loaded_l ) );
    global::data::champ() = loaded_l;
    window()->resetViews();
    whenModal( []( QWidget* modal_p ) { QTest::keyClick( modal_p, Qt::Key_Return ); } );
    child< QToolButton >( "addNationBtn" )->click();
    QCOMPARE( global::data::champ().nations(), QVector< int >( { 0, 1 } ) );
}

void tst_MainWindow::quitAsksAfterEveryKindOfChange_data()
{
    QTest::addColumn< QString >( "change" );
    QTest::newRow( "final's result" ) << QStringLiteral( "final" );
    QTest::newRow( "nation removed" ) << QStringLiteral( "remove nation" );
    QTest::newRow( "nation added" ) << QStringLiteral( "add nation" );
    QTest::newRow( "player renamed" ) << QStringLiteral( "rename" );
    QTest::newRow( "draw undone" ) << QStringLiteral( "undo" );
}

void tst_MainWindow::quitAsksAfterEveryKindOfChange()
{
    QFETCH( QString, change );
    resetChampionship( { 2, 2 } );
    Championship& champ_l = global::data::champ();
    if( QStringLiteral( "final" ) == change )
    {
        QVERIFY( global::threads::tossThread()->drawInPlace( champ_l ) );
        champ_l.setGameResult( 0, EXPECTED );
        champ_l.setGameResult( 1, UNEXPECTED );
        QVERIFY( global::threads::tossThread()->drawInPlace( champ_l ) );
    }
    if( QStringLiteral( "add nation" ) == change )
        champ_l.nations().removeLast();
    if( QStringLiteral( "undo" ) == change )
        QVERIFY( global::threads::tossThread()->drawInPlace( champ_l ) );
    window()->resetViews();
    if( QStringLiteral( "final" ) == change )
        clickGame( gameWidget( 1, 0 ), true );
    else if( QStringLiteral( "undo" ) == change )
    {
        answerMessageBox( QMessageBox::Ok );
        action( QStringLiteral( "Отменить жеребьевку" ) )->trigger();
    }
    else if( QStringLiteral( "rename" ) == change )
    {
        child< QTreeView >( "playersView" )->expandAll();
        clickRow( playerIndex( 0, 0 ) );
        renameTo( QStringLiteral( "Другой" ), QString() );
        child< QToolButton >( "renamePlayerBtn" )->click();
    }
    else if( QStringLiteral( "remove nation" ) == change )
    {
        QListView* const view_cl = child< QListView >( "nationsView" );
        QTest::mouseClick( view_cl->viewport(), Qt::LeftButton, Qt::NoModifier,
                           view_cl->visualRect( view_cl->model()->index( 0, 0 ) ).center() );
        answerMessageBox( QMessageBox::Ok );
        QTest::mouseClick( child< QToolButton >( "removeNationBtn" ), Qt::LeftButton );
    }
    else
    {
        whenModal(
            []( QWidget* modal_p )
            {
                for( QPushButton* const button_cl : modal_p->findChildren< QPushButton* >() )
                    if( button_cl->text() == QStringLiteral( "Ввести зачение" ) )
                        button_cl->click();
            } );
        QTest::mouseClick( child< QToolButton >( "addNationBtn" ), Qt::LeftButton );
    }
    QString question_l;
    answerMessageBox( QMessageBox::Cancel, &question_l );
    action( QStringLiteral( "Выйти" ) )->trigger();
    QCOMPARE( question_l, QStringLiteral( "Чемпионат изменён и не сохранён. Сохранить изменения перед выходом?" ) );
    QVERIFY( window()->isVisible() );
}

void tst_MainWindow::closesWithoutAskingAfterSaveLoadOrNew_data()
{
    QTest::addColumn< QString >( "command" );
    QTest::newRow( "saved" ) << QStringLiteral( "Сохранить" );
    QTest::newRow( "loaded" ) << QStringLiteral( "Продолжить сохранённый" );
    QTest::newRow( "new" ) << QStringLiteral( "Начать новый" );
}

// Whatever the championship was before, what is saved, loaded or new has
// nothing to lose: closing right after asks nothing.
void tst_MainWindow::closesWithoutAskingAfterSaveLoadOrNew()
{
    QFETCH( QString, command );
    resetChampionship( { 2, 2 } );
    const QString file_cl = dir_m.filePath( QStringLiteral( "closing.stv" ) );
    QVERIFY( global::data::champ().save( file_cl ) );
    window()->resetViews();
    global::data::champ().addPlayer( 3, QStringLiteral( "новый" ), QString() );
    window()->showEditedChampionship();
    QVERIFY( window()->isWindowModified() );
    if( QStringLiteral( "Продолжить сохранённый" ) == command )
        fileDialogOf( command,
                      [ file_cl ]( QFileDialog* dialog_p )
                      {
                          chooseFile( dialog_p, file_cl );
                          answerMessageBox( QMessageBox::Ok );
                          QMetaObject::invokeMethod( dialog_p, "accept", Qt::QueuedConnection );
                      } );
    else
    {
        answerMessageBox( QMessageBox::Ok );
        action( command )->trigger();
    }
    QVERIFY( !window()->isWindowModified() );
    QString asked_l;
    answerMessageBox( QMessageBox::Cancel, &asked_l );
    const bool closed_cl = window()->close();
    dropLeftoverDialogs();
    window()->show();
    QVERIFY( QTest::qWaitForWindowExposed( window() ) );
    QCOMPARE( asked_l, QString() );
    QVERIFY( closed_cl );
}

void tst_MainWindow::typedNameWinsOverTwoSelectedFiles_data()
{
    // typed: the name in the field, typed before the list's selection;
    // chosen: the file then loaded, none for nothing.
    QTest::addColumn< QString >( "typed" );
    QTest::addColumn< QString >( "chosen" );
    QTest::newRow( "a third name typed" ) << "typed.stv"
                                          << "typed.stv";
    QTest::newRow( "the second of the two typed" ) << "b.stv"
                                                   << "b.stv";
    QTest::newRow( "two picked, nothing typed" ) << ""
                                                 << "";
}

void tst_MainWindow::typedNameWinsOverTwoSelectedFiles()
{
    QFETCH( QString, typed );
    QFETCH( QString, chosen );
    for( const QString& name_crl : { QStringLiteral( "a" ), QStringLiteral( "b" ), QStringLiteral( "typed" ) } )
    {
        resetChampionship();
        global::data::champ().addPlayer( 1, name_crl, QString() );
        QVERIFY( global::data::champ().save( dir_m.filePath( name_crl + QStringLiteral( ".stv" ) ) ) );
    }
    resetChampionship();
    window()->resetViews();
    QString shown_l;
    fileDialogOf( QStringLiteral( "Продолжить сохранённый" ),
                  [ this, typed, chosen, &shown_l ]( QFileDialog* dialog_p )
                  {
                      dialog_p->setDirectory( dir_m.path() );
                      QListView* const list_cl = dialog_p->findChild< QListView* >( QStringLiteral( "listView" ) );
                      // The dialog lists the folder on a thread of its own:
                      // typing before the list is there selects nothing.
                      QTRY_VERIFY( list_cl->model()->rowCount( list_cl->rootIndex() ) >= 3 );
                      const QModelIndex root_cl = list_cl->rootIndex();
                      // Typed first, in the name field the organiser clicked:
                      // typing selects the file it names, and a.stv and b.stv
                      // are then selected over it.
                      QLineEdit* const edit_cl = dialog_p->findChild< QLineEdit* >( QStringLiteral( "fileNameEdit" ) );
                      if( !typed.isEmpty() )
                      {
                          QApplication::setActiveWindow( dialog_p );
                          edit_cl->setFocus();
                          QTRY_VERIFY( edit_cl->hasFocus() );
                          edit_cl->setText( typed );
                      }
                      for( int row_l = 0; row_l < list_cl->model()->rowCount( root_cl ); ++row_l )
                      {
                          const QModelIndex index_cl = list_cl->model()->index( row_l, 0, root_cl );
                          if( index_cl.data().toString() != QStringLiteral( "typed.stv" ) )
                              list_cl->selectionModel()->select( index_cl, QItemSelectionModel::Select
                                                                               | QItemSelectionModel::Rows );
                      }
                      QVERIFY( dialog_p->selectedFiles().size() > 1 );
                      if( !chosen.isEmpty() )
                          answerMessageBox( QMessageBox::Ok, &shown_l );
                      QMetaObject::invokeMethod( dialog_p, "accept", Qt::QueuedConnection );
                      // Two names are no one name: nothing is loaded, and the
                      // dialog, if still open, is left.
                      if( chosen.isEmpty() )
                          QTimer::singleShot( 50, dialog_p, &QDialog::reject );
                  } );
    const QString expected_cl = chosen.isEmpty() ? QString() : dir_m.filePath( chosen );
    QCOMPARE( global::data::champ().fileName(), expected_cl );
    QCOMPARE( global::data::champ().playersAmount(), chosen.isEmpty() ? 0 : 1 );
    if( !chosen.isEmpty() )
    {
        QCOMPARE( global::data::champ().players().value( 1 ).value( 0 ).nickname_m, chosen.chopped( 4 ) );
        QVERIFY( shown_l.startsWith( QStringLiteral( "Данные успешно загружены" ) ) );
    }
}

void tst_MainWindow::duplicatePlayerIsAskedAbout_data()
{
    // way: a player added to the second group, or p1-0 renamed; yes: the
    // question answered "Да", else Enter.
    QTest::addColumn< QString >( "way" );
    QTest::addColumn< QString >( "nickname" );
    QTest::addColumn< QString >( "clan" );
    QTest::addColumn< bool >( "asked" );
    QTest::addColumn< bool >( "yes" );
    QTest::newRow( "added in another case, Enter" ) << "add"
                                                    << "P2-1"
                                                    << "" << true << false;
    QTest::newRow( "added in another case, yes" ) << "add"
                                                  << "p2-1"
                                                  << "" << true << true;
    QTest::newRow( "added with another clan" ) << "add"
                                               << "p2-1"
                                               << "Клан" << false << false;
    QTest::newRow( "renamed to another's name, Enter" ) << "rename"
                                                        << "p2-0"
                                                        << "" << true << false;
    QTest::newRow( "renamed to its own name in capitals" ) << "rename"
                                                           << "P1-0"
                                                           << "" << false << false;
}

void tst_MainWindow::duplicatePlayerIsAskedAbout()
{
    QFETCH( QString, way );
    QFETCH( QString, nickname );
    QFETCH( QString, clan );
    QFETCH( bool, asked );
    QFETCH( bool, yes );
    resetChampionship( { 2, 2 } );
    window()->resetViews();
    QString question_l;
    QTimer answer_l;
    connect( &answer_l, &QTimer::timeout,
             [ &question_l, &answer_l, yes ]
             {
                 QMessageBox* const box_cl = qobject_cast< QMessageBox* >( QApplication::activeModalWidget() );
                 if( !box_cl || !box_cl->isVisible() )
                     return;
                 answer_l.stop();
                 question_l = box_cl->text();
                 QCOMPARE( box_cl->defaultButton()->text(), QStringLiteral( "Нет" ) );
                 if( yes )
                     box_cl->button( QMessageBox::Ok )->click();
                 else
                     QTest::keyClick( box_cl, Qt::Key_Return );
             } );
    answer_l.start( 5 );
    const bool stored_cl = !asked || yes;
    Championship& champ_l = global::data::champ();
    if( QStringLiteral( "add" ) == way )
    {
        clickRow( groupIndex( 1 ) );
        enterPlayer( nickname, clan );
        QTest::mouseClick( child< QToolButton >( "addPlayerBtn" ), Qt::LeftButton );
        QCOMPARE( champ_l.playersAmount(), stored_cl ? 5 : 4 );
    }
    else
    {
        child< QTreeView >( "playersView" )->expandAll();
        clickRow( playerIndex( 0, 0 ) );
        renameTo( nickname, clan );
        child< QToolButton >( "renamePlayerBtn" )->click();
        QCOMPARE( champ_l.players().value( 1 ).value( 0 ).nickname_m, stored_cl ? nickname : QStringLiteral( "p1-0" ) );
    }
    const QString shown_cl = clan.isEmpty() ? nickname : QStringLiteral( "[%1]%2" ).arg( clan, nickname );
    QCOMPARE( question_l, asked ? QStringLiteral( "Игрок «" ) + shown_cl
                                      + QStringLiteral( "» уже зарегистрирован. Всё равно добавить?" )
                                : QString() );
}

// A player added to a closed group opens it; the groups open stay open
// when the tree is filled again, after an undo or a load.
void tst_MainWindow::addedPlayerIsShownAndGroupsStayOpen()
{
    resetChampionship( { 2, 2, 2, 2 } );
    window()->resetViews();
    QTreeView* const view_cl = child< QTreeView >( "playersView" );
    view_cl->collapseAll();
    clickRow( groupIndex( 2 ) );
    enterPlayer( QStringLiteral( "Новый" ), QString() );
    QTest::mouseClick( child< QToolButton >( "addPlayerBtn" ), Qt::LeftButton );
    QVERIFY( view_cl->isExpanded( groupIndex( 2 ) ) );
    QVERIFY( view_cl->visualRect( playerIndex( 2, 2 ) ).isValid() );
    drawAndDecideFirstRound();
    answerMessageBox( QMessageBox::Ok );
    action( QStringLiteral( "Отменить жеребьевку" ) )->trigger();
    QVERIFY( global::data::champ().rounds().isEmpty() );
    window()->resetViews();
    for( int row_l = 0; row_l < 4; ++row_l )
        QCOMPARE( view_cl->isExpanded( groupIndex( row_l ) ), 2 == row_l );
}

void tst_MainWindow::statusBarCountsOpenGames_data()
{
    QTest::addColumn< int >( "players" );
    QTest::addColumn< int >( "decided" );
    QTest::addColumn< QString >( "shown" );
    QTest::newRow( "one open" ) << 4 << 1 << "В туре «1/2 финала» без победителя: 1 игра";
    QTest::newRow( "two open" ) << 4 << 0 << "В туре «1/2 финала» без победителя: 2 игры";
    QTest::newRow( "five open" ) << 16 << 3 << "В туре «1/8 финала» без победителя: 5 игр";
    QTest::newRow( "eleven open" ) << 32 << 5 << "В туре «1/16 финала» без победителя: 11 игр";
    QTest::newRow( "twelve open" ) << 32 << 4 << "В туре «1/16 финала» без победителя: 12 игр";
    QTest::newRow( "twenty-one open" ) << 64 << 11 << "В туре «1/32 финала» без победителя: 21 игра";
    QTest::newRow( "twenty-two open" ) << 64 << 10 << "В туре «1/32 финала» без победителя: 22 игры";
    QTest::newRow( "all decided" ) << 4 << 2 << "";
}

void tst_MainWindow::statusBarCountsOpenGames()
{
    QFETCH( int, players );
    QFETCH( int, decided );
    QFETCH( QString, shown );
    resetChampionship( { players } );
    window()->resetViews();
    QCOMPARE( child< QLabel >( "roundProgressLabel" )->text(), QString() );
    QVERIFY( global::threads::tossThread()->drawInPlace( global::data::champ() ) );
    window()->showEditedChampionship();
    // Clicked where the diagram shows the games whole; set directly beyond.
    for( int game_l = 0; game_l < decided; ++game_l )
    {
        if( players <= 16 )
            clickGame( gameWidget( 0, game_l ), false );
        else
            global::data::champ().setGameResult( game_l, EXPECTED );
    }
    if( players > 16 )
        window()->showEditedChampionship();
    QCOMPARE( child< QLabel >( "roundProgressLabel" )->text(), shown );
    QCOMPARE( QRoundProgress::progressText( global::data::champ() ), shown );
}

void tst_MainWindow::clanOfBlanksIsStoredAsNone()
{
    clickRow( groupIndex( 0 ) );
    enterPlayer( QStringLiteral( "Игрок" ), QStringLiteral( "   " ) );
    QTest::mouseClick( child< QToolButton >( "addPlayerBtn" ), Qt::LeftButton );
    const Championship& champ_l = global::data::champ();
    QCOMPARE( champ_l.players().value( 1 ).value( 0 ), ( Player { QStringLiteral( "Игрок" ), QString() } ) );
    const QString file_cl = dir_m.filePath( QStringLiteral( "blank-clan.stv" ) );
    Championship copy_l = champ_l;
    QVERIFY( copy_l.save( file_cl ) );
    Championship loaded_l;
    QVERIFY( loaded_l.load( file_cl ) );
    QVERIFY( loaded_l.holdsSameAs( champ_l ) );
}

void tst_MainWindow::closingDuringPacedDrawStopsItFirst()
{
    // Long enough paced that a draw left running would take many seconds.
    resetChampionship( { 64, 64 } );
    window()->resetViews();
    // Unsaved, so that closing asks and Cancel keeps the window open.
    global::data::champ().nations().removeLast();
    QTossThread* const thread_cl = global::threads::tossThread();
    thread_cl->setPaced( true );
    QSignalSpy games_l( thread_cl, SIGNAL( nextGame( int ) ) );
    action( QStringLiteral( "Запустить" ) )->trigger();
    QVERIFY( games_l.wait( 5000 ) );
    answerMessageBox( QMessageBox::Cancel );
    window()->close();
    // The draw was cancelled, not waited out: nothing of it was stored.
    QVERIFY( thread_cl->isFinished() );
    QVERIFY( global::data::champ().rounds().isEmpty() );
    thread_cl->setPaced( false );
    QTRY_VERIFY( action( QStringLiteral( "Начать новый" ) )->isEnabled() );
    QVERIFY( global::data::champ().rounds().isEmpty() );
    QVERIFY( window()->isVisible() );
}

void tst_MainWindow::renamesPlayerAfterTheDraw_data()
{
    QTest::addColumn< QString >( "way" );
    QTest::newRow( "button" ) << QStringLiteral( "button" );
    QTest::newRow( "double click" ) << QStringLiteral( "double click" );
    QTest::newRow( "F2" ) << QStringLiteral( "F2" );
}

void tst_MainWindow::renamesPlayerAfterTheDraw()
{
    QFETCH( QString, way );
    resetChampionship( { 2, 2 } );
    Championship& champ_l = global::data::champ();
    QVERIFY( global::threads::tossThread()->drawInPlace( champ_l ) );
    window()->resetViews();
    QTreeView* const view_cl = child< QTreeView >( "playersView" );
    view_cl->expandAll();
    clickRow( playerIndex( 0, 0 ) );
    QToolButton* const rename_cl = child< QToolButton >( "renamePlayerBtn" );
    QVERIFY( rename_cl->isEnabled() );
    QVERIFY( !child< QToolButton >( "removePlayerBtn" )->isEnabled() );
    QCOMPARE( rename_cl->toolTip(), QStringLiteral( "Изменить игрока" ) );
    // Pasted with a tab and blanks around: stored cleaned.
    renameTo( QStringLiteral( "  Новое\tимя " ), QStringLiteral( "Клан" ) );
    if( QStringLiteral( "button" ) == way )
        QTest::mouseClick( rename_cl, Qt::LeftButton );
    else if( QStringLiteral( "double click" ) == way )
        QTest::mouseDClick( view_cl->viewport(), Qt::LeftButton, Qt::NoModifier,
                            view_cl->visualRect( playerIndex( 0, 0 ) ).center() );
    else
        QTest::keyClick( view_cl, Qt::Key_F2 );
    QCOMPARE( champ_l.players().value( 1 ).value( 0 ),
              ( Player { QStringLiteral( "Новое имя" ), QStringLiteral( "Клан" ) } ) );
    QCOMPARE( playerIndex( 0, 0 ).data().toString(), QStringLiteral( "Новое имя" ) );
    QStringList shown_l;
    for( QGameWidget* const game_cl : gameWidgets() )
        for( QLabel* const label_cl : game_cl->findChildren< QLabel* >() )
            shown_l << label_cl->text();
    QVERIFY( shown_l.contains( QStringLiteral( "[Клан]Новое имя" ) ) );
    QCOMPARE( shownTitle(), QStringLiteral( "Новый не сохранённый чемпионат*" ) );
    QVERIFY( QApplication::activeModalWidget() == nullptr );
}

void tst_MainWindow::renameCancelledOrBlankChangesNothing()
{
    resetChampionship( { 2, 2 } );
    window()->resetViews();
    child< QTreeView >( "playersView" )->expandAll();
    clickRow( playerIndex( 0, 0 ) );
    const Championship before_cl = global::data::champ();
    whenModal( []( QWidget* modal_p ) { QTest::keyClick( modal_p, Qt::Key_Escape ); } );
    child< QToolButton >( "renamePlayerBtn" )->click();
    QString refusal_l;
    renameTo( QStringLiteral( " \t " ), QStringLiteral( "Клан" ) );
    QTimer::singleShot( 50, [ &refusal_l ] { answerMessageBox( QMessageBox::Ok, &refusal_l ); } );
    child< QToolButton >( "renamePlayerBtn" )->click();
    QCOMPARE( refusal_l, QStringLiteral( "Псевдоним игрока не может быть пустым.\nИгрок не добавлен." ) );
    QVERIFY( global::data::champ().isUnchangedSince( before_cl ) );
    QVERIFY( !window()->isWindowModified() );
}

void tst_MainWindow::undoWalksBackToTheUndrawnChampionship()
{
    resetChampionship( { 2, 2, 2, 2 } );
    window()->resetViews();
    QAction* const undo_cl = action( QStringLiteral( "Отменить жеребьевку" ) );
    QVERIFY( !undo_cl->isEnabled() );
    QCOMPARE( undo_cl->shortcut(), QKeySequence( QStringLiteral( "Ctrl+Z" ) ) );
    drawAndDecideFirstRound();
    Championship& champ_l = global::data::champ();
    const Championship decided_cl = champ_l;
    QSignalSpy updated_l( global::threads::tossThread(), SIGNAL( championshipDataUpdated() ) );
    action( QStringLiteral( "Запустить" ) )->trigger();
    QVERIFY( updated_l.wait( 10000 ) );
    QTRY_VERIFY( undo_cl->isEnabled() );
    // The buttons say what they do, and Enter keeps the draw.
    QStringList buttons_l;
    whenModal(
        [ &buttons_l ]( QWidget* modal_p )
        {
            QMessageBox* const box_cl = qobject_cast< QMessageBox* >( modal_p );
            for( QAbstractButton* const button_cl : box_cl->buttons() )
                buttons_l.append( button_cl->text() );
            buttons_l.append( box_cl->defaultButton()->text() );
            QTest::keyClick( box_cl, Qt::Key_Return );
        } );
    undo_cl->trigger();
    buttons_l.sort();
    QCOMPARE( buttons_l, QStringList( { "Оставить", "Оставить", "Отменить жеребьевку" } ) );
    QCOMPARE( champ_l.rounds().at( 1 ).games_m.size(), 2 );
    QString question_l;
    answerMessageBox( QMessageBox::Ok, &question_l );
    undo_cl->trigger();
    QCOMPARE( question_l, QStringLiteral( "Отменить жеребьевку тура «1/2 финала»? Игры этого тура будут удалены." ) );
    QVERIFY( champ_l.holdsSameAs( decided_cl ) );
    QCOMPARE( gameWidgets().size(), 4 );
    QVERIFY( action( QStringLiteral( "Запустить" ) )->isEnabled() );
    // The first round's results are open again: one is changed by a click.
    clickGame( gameWidget( 0, 0 ), true );
    QCOMPARE( champ_l.rounds().at( 0 ).games_m.at( 0 ).result_m, UNEXPECTED );
    answerMessageBox( QMessageBox::Ok, &question_l );
    undo_cl->trigger();
    QCOMPARE( question_l, QStringLiteral( "Отменить жеребьевку тура «1/4 финала»? Игры этого тура будут удалены. "
                                          "Записанные результаты этих игр (4) будут потеряны." ) );
    QVERIFY( champ_l.rounds().isEmpty() );
    QVERIFY( gameWidgets().isEmpty() );
    QVERIFY( !undo_cl->isEnabled() );
    clickRow( groupIndex( 0 ) );
    QVERIFY( child< QToolButton >( "addPlayerBtn" )->isEnabled() );
}

void tst_MainWindow::commandsHaveStandardShortcuts_data()
{
    QTest::addColumn< QString >( "command" );
    QTest::addColumn< QString >( "keys" );
    QTest::newRow( "new" ) << QStringLiteral( "Начать новый" ) << QStringLiteral( "Ctrl+N" );
    QTest::newRow( "open" ) << QStringLiteral( "Продолжить сохранённый" ) << QStringLiteral( "Ctrl+O" );
    QTest::newRow( "save" ) << QStringLiteral( "Сохранить" ) << QStringLiteral( "Ctrl+S" );
    QTest::newRow( "save as" ) << QStringLiteral( "Сохранить как ..." ) << QStringLiteral( "Ctrl+Shift+S" );
    QTest::newRow( "quit" ) << QStringLiteral( "Выйти" ) << QStringLiteral( "Ctrl+Q" );
    QTest::newRow( "draw" ) << QStringLiteral( "Запустить" ) << QStringLiteral( "F5" );
    QTest::newRow( "undo" ) << QStringLiteral( "Отменить жеребьевку" ) << QStringLiteral( "Ctrl+Z" );
}

void tst_MainWindow::commandsHaveStandardShortcuts()
{
    QFETCH( QString, command );
    QFETCH( QString, keys );
    QCOMPARE( action( command )->shortcut(), QKeySequence( keys ) );
}

void tst_MainWindow::recoveryCopyFollowsChangesAndSaves()
{
    const QString copy_cl =
        QStringLiteral( "%1/recovery-%2.stv" ).arg( QRecoveryCopy::folder() ).arg( QCoreApplication::applicationPid() );
    QVERIFY( !QFile::exists( copy_cl ) );
    clickRow( groupIndex( 0 ) );
    enterPlayer( QStringLiteral( "Несохранённый" ), QString() );
    QElapsedTimer since_l;
    since_l.start();
    child< QToolButton >( "addPlayerBtn" )->click();
    QVERIFY( window()->isWindowModified() );
    QTRY_VERIFY_WITH_TIMEOUT( QFile::exists( copy_cl ), 2000 );
    Championship copied_l;
    QTRY_VERIFY( copied_l.load( copy_cl ) );
    QVERIFY( copied_l.holdsSameAs( global::data::champ() ) );
    // Saved, the championship needs no copy.
    const QString file_cl = dir_m.filePath( QStringLiteral( "recovered.stv" ) );
    fileDialogOf( QStringLiteral( "Сохранить как ..." ),
                  [ file_cl ]( QFileDialog* dialog_p )
                  {
                      chooseFile( dialog_p, file_cl );
                      answerMessageBox( QMessageBox::Ok );
                      QMetaObject::invokeMethod( dialog_p, "accept", Qt::QueuedConnection );
                  } );
    QCOMPARE( global::data::champ().fileName(), file_cl );
    QVERIFY( !QFile::exists( copy_cl ) );
    QVERIFY( !window()->isWindowModified() );
}

void tst_MainWindow::drawShowsItsCommitmentAndAsksTheHall()
{
    drawseed::clearFixedSeed();
    resetChampionship( { 4, 4 } );
    window()->resetViews();
    Championship& champ_l = global::data::champ();
    const QString commitment_cl = champ_l.nextDrawCommitment();
    const QString code_cl = DrawRecord::shownCode( commitment_cl );
    QCOMPARE( QString( code_cl ).remove( QLatin1Char( ' ' ) ), commitment_cl.left( 32 ) );
    QVERIFY( QRegularExpression( QStringLiteral( "^([0-9a-f]{8} ){3}[0-9a-f]{8}$" ) ).match( code_cl ).hasMatch() );
    QCOMPARE( child< QLabel >( "drawProofLabel" )->text(), QStringLiteral( "Код жеребьевки: " ) + code_cl );
    // A rename changes the pool, and so the code; the old name brings it back.
    child< QTreeView >( "playersView" )->expandAll();
    clickRow( playerIndex( 0, 0 ) );
    for( const QString& name_crl : { QStringLiteral( "другой" ), QStringLiteral( "p1-0" ) } )
    {
        renameTo( name_crl, QString() );
        child< QToolButton >( "renamePlayerBtn" )->click();
        QCOMPARE( champ_l.players().first().first().nickname_m, name_crl );
        QCOMPARE( child< QLabel >( "drawProofLabel" )->text().contains( code_cl ), name_crl == "p1-0" );
    }
    QVERIFY( champ_l.renameLog().isEmpty() );
    QCOMPARE( child< QLabel >( "drawProofLabel" )->text(), QStringLiteral( "Код жеребьевки: " ) + code_cl );
    QAction* const ask_cl = action( QStringLiteral( "Спрашивать слово зала" ) );
    QVERIFY( ask_cl->isCheckable() && !ask_cl->isChecked() );
    ask_cl->setChecked( true );
    // Cancelled at the word, no draw starts and nothing is logged.
    whenModal(
        [ code_cl ]( QWidget* modal_p )
        {
            QCOMPARE( modal_p->windowTitle(), QStringLiteral( "Слово зала" ) );
            QVERIFY( qobject_cast< QInputDialog* >( modal_p )->labelText().contains( code_cl ) );
            qobject_cast< QDialog* >( modal_p )->reject();
        } );
    action( QStringLiteral( "Запустить" ) )->trigger();
    QVERIFY( champ_l.drawLog().isEmpty() );
    QString shown_l;
    Championship copied_l;
    whenModal(
        [ &shown_l, &copied_l ]( QWidget* modal_p )
        {
            QInputDialog* const dialog_cl = qobject_cast< QInputDialog* >( modal_p );
            dialog_cl->setTextValue( QStringLiteral( "семь" ) );
            QTimer::singleShot( 0,
                                [ &shown_l, &copied_l ]
                                {
                                    shown_l = global::widgets::tossProcessWindow()
                                                  ->findChild< QLabel* >( QStringLiteral( "commitmentLabel" ) )
                                                  ->text();
                                    // Killed now, the attempt would be found.
                                    copied_l.load( QStringLiteral( "%1/recovery-%2.stv" )
                                                       .arg( QRecoveryCopy::folder() )
                                                       .arg( QCoreApplication::applicationPid() ) );
                                } );
            dialog_cl->accept();
        } );
    QSignalSpy updated_l( global::threads::tossThread(), SIGNAL( championshipDataUpdated() ) );
    action( QStringLiteral( "Запустить" ) )->trigger();
    QVERIFY( updated_l.wait( 10000 ) );
    QTRY_VERIFY( action( QStringLiteral( "Начать новый" ) )->isEnabled() );
    ask_cl->setChecked( false );
    drawseed::setFixedSeed( 99 );
    QCOMPARE( shown_l, QStringLiteral( "Код жеребьевки: " ) + code_cl );
    QCOMPARE( copied_l.drawLog().size(), 1 );
    QCOMPARE( copied_l.drawLog().first().outcome_m, DrawLogEntry::Started );
    QCOMPARE( copied_l.drawLog().first().commitment_m, commitment_cl );
    // Drawn through the window, the round checks; a rename through the
    // window is logged and still checks; one made behind the log does not.
    QVERIFY( DrawCheck( champ_l ).passes() );
    clickRow( playerIndex( 0, 0 ) );
    renameTo( QStringLiteral( "Опечатка" ), QString() );
    child< QToolButton >( "renamePlayerBtn" )->click();
    QCOMPARE( champ_l.renameLog().size(), 1 );
    QVERIFY( DrawCheck( champ_l ).passes() );
    Championship forged_l = champ_l;
    std::swap( forged_l.players()[ 1 ][ 1 ], forged_l.players()[ 1 ][ 2 ] );
    const DrawCheck forgery_cl( forged_l );
    QVERIFY( !forgery_cl.passes() );
    QVERIFY( forgery_cl.rounds().first().problem_m.endsWith( QStringLiteral( "изменено без записи" ) ) );
    const DrawRecord& record_crl = champ_l.rounds().first().record_m;
    QCOMPARE( record_crl.word_m, QStringLiteral( "семь" ) );
    QCOMPARE( record_crl.commitment(), commitment_cl );
    QCOMPARE( child< QLabel >( "drawProofLabel" )->text(), QStringLiteral( "Секрет жеребьевки тура «1/4 финала»: " )
                                                               + QString::fromLatin1( record_crl.secret_m.toHex() ) );
    QVERIFY( window()->isWindowModified() );
}

void tst_MainWindow::championShownAndBracketFitsTheView()
{
    Championship& champ_l = global::data::champ();
    QGraphicsView* const view_cl = child< QGraphicsView >( "diagramView" );
    resetChampionship( { 11, 10, 10, 10 } );
    QVERIFY( global::threads::tossThread()->drawInPlace( champ_l ) );
    window()->resetViews();
    const double wide_cl = view_cl->sceneRect().width();
    // A smaller bracket after a bigger one: the scene is what is drawn.
    resetChampionship( { 2, 2 } );
    QVERIFY( global::threads::tossThread()->drawInPlace( champ_l ) );
    champ_l.setGameResult( 0, EXPECTED );
    champ_l.setGameResult( 1, UNEXPECTED );
    QVERIFY( global::threads::tossThread()->drawInPlace( champ_l ) );
    window()->resetViews();
    QCOMPARE( view_cl->sceneRect(), view_cl->scene()->itemsBoundingRect() );
    QVERIFY( view_cl->sceneRect().width() < wide_cl / 4 );
    QCOMPARE( child< QLabel >( "championLabel" )->text(), QString() );

    clickGame( gameWidget( 1, 0 ), true );
    const Game& final_crl = champ_l.rounds().last().games_m.first();
    const QString champion_cl =
        QStringLiteral( "Чемпион: %1 (%2)" )
            .arg( champ_l.playerText( final_crl.outsider_m ), champ_l.nationName( final_crl.outsiderNation_m ) );
    QCOMPARE( child< QLabel >( "championLabel" )->text(), champion_cl );
    QStringList sceneTexts_l;
    for( QGraphicsItem* const item_cl : view_cl->scene()->items() )
        if( QGraphicsSimpleTextItem* const text_cl = qgraphicsitem_cast< QGraphicsSimpleTextItem* >( item_cl ) )
            sceneTexts_l << text_cl->text();
    QCOMPARE( sceneTexts_l, QStringList { champion_cl } );
    QCOMPARE( view_cl->sceneRect(), view_cl->scene()->itemsBoundingRect() );

    // "Вписать": the whole bracket inside the viewport.
    action( QStringLiteral( "Вписать" ) )->trigger();
    QVERIFY( view_cl->viewport()->rect().contains(
        view_cl->mapFromScene( view_cl->scene()->itemsBoundingRect() ).boundingRect() ) );
    QCOMPARE( child< QSlider >( "scaleSlider" )->value(), qRound( view_cl->transform().m11() * 100 ) );

    // Full screen shows the bracket alone; Escape brings the rest back.
    action( QStringLiteral( "Полный экран" ) )->trigger();
    QVERIFY( !window()->menuBar()->isVisible() );
    QVERIFY( !child< QTreeView >( "playersView" )->isVisible() );
    QVERIFY( view_cl->isVisible() );
    window()->activateWindow();
    QVERIFY( QTest::qWaitForWindowActive( window() ) );
    QTest::keyClick( window(), Qt::Key_Escape );
    QVERIFY( window()->menuBar()->isVisible() );
    QVERIFY( child< QTreeView >( "playersView" )->isVisible() );
    child< QSlider >( "scaleSlider" )->setValue( 100 );
}

void tst_MainWindow::fitShowsTheWholeBracket_data()
{
    QTest::addColumn< QString >( "view" );
    QTest::addColumn< int >( "state" );
    for( const char* view_p : { "Схема", "Сетка" } )
        for( const auto& [ name_p, state_p ] :
             { std::pair< const char*, Qt::WindowState > { "normal", Qt::WindowNoState },
               { "maximised", Qt::WindowMaximized },
               { "full screen", Qt::WindowFullScreen } } )
            QTest::addRow( "%s, %s", view_p, name_p ) << QString::fromUtf8( view_p ) << int( state_p );
}

// "Вписать" on a played championship: the whole bracket, the champion's box
// included, inside the view, and no scroll bar.
void tst_MainWindow::fitShowsTheWholeBracket()
{
    QFETCH( QString, view );
    QFETCH( int, state );
    global::data::champ() = playedChampionship( 12, 3 );
    window()->resetViews();
    action( view )->trigger();
    if( Qt::WindowFullScreen == state )
        action( QStringLiteral( "Полный экран" ) )->trigger();
    else
        window()->setWindowState( Qt::WindowState( state ) );
    QTest::qWait( 20 );
    action( QStringLiteral( "Вписать" ) )->trigger();
    QCoreApplication::processEvents();
    QGraphicsView* const view_cl = child< QGraphicsView >( "diagramView" );
    const bool horizontal_cl = view_cl->horizontalScrollBar()->isVisible();
    const bool vertical_cl = view_cl->verticalScrollBar()->isVisible();
    const QRect shown_cl = view_cl->mapFromScene( view_cl->sceneRect() ).boundingRect();
    const QRect room_cl = view_cl->viewport()->rect();
    if( Qt::WindowFullScreen == state )
        action( QStringLiteral( "Полный экран" ) )->trigger();
    window()->setWindowState( Qt::WindowNoState );
    action( QStringLiteral( "Схема" ) )->trigger();
    child< QSlider >( "scaleSlider" )->setValue( 100 );
    QVERIFY( !horizontal_cl && !vertical_cl );
    // The tree's title at the top, with no empty band above it.
    QVERIFY( QStringLiteral( "Сетка" ) != view || shown_cl.top() <= 1 );
    QVERIFY2( room_cl.contains( shown_cl ), qPrintable( QStringLiteral( "%1,%2 %3×%4 in %5×%6" )
                                                            .arg( shown_cl.x() )
                                                            .arg( shown_cl.y() )
                                                            .arg( shown_cl.width() )
                                                            .arg( shown_cl.height() )
                                                            .arg( room_cl.width() )
                                                            .arg( room_cl.height() ) ) );
}

void tst_MainWindow::leavingFullScreenGivesBackWindowAndZoom_data()
{
    QTest::addColumn< bool >( "maximised" );
    QTest::newRow( "normal window" ) << false;
    QTest::newRow( "maximised window" ) << true;
}

void tst_MainWindow::leavingFullScreenGivesBackWindowAndZoom()
{
    QFETCH( bool, maximised );
    global::data::champ() = playedChampionship( 16, 3 );
    window()->resetViews();
    window()->setWindowState( maximised ? Qt::WindowMaximized : Qt::WindowNoState );
    QTest::qWait( 20 );
    const QRect geometry_cl = window()->geometry();
    child< QSlider >( "scaleSlider" )->setValue( 150 );
    action( QStringLiteral( "Полный экран" ) )->trigger();
    QVERIFY( window()->isFullScreen() );
    action( QStringLiteral( "Вписать" ) )->trigger();
    QVERIFY( child< QSlider >( "scaleSlider" )->value() != 150 );
    action( QStringLiteral( "Полный экран" ) )->trigger();
    QTest::qWait( 20 );
    const Qt::WindowStates state_cl = window()->windowState();
    const QRect back_cl = window()->geometry();
    window()->setWindowState( Qt::WindowNoState );
    child< QSlider >( "scaleSlider" )->setValue( 100 );
    QCOMPARE( state_cl, maximised ? Qt::WindowStates( Qt::WindowMaximized ) : Qt::WindowStates( Qt::WindowNoState ) );
    QCOMPARE( back_cl, geometry_cl );
}

void tst_MainWindow::treeViewTakesResultsAndShowsTheChampion()
{
    Championship& champ_l = global::data::champ();
    resetChampionship( { 2, 2, 2, 2 } );
    QVERIFY( global::threads::tossThread()->drawInPlace( champ_l ) );
    window()->resetViews();
    QGraphicsView* const view_cl = child< QGraphicsView >( "diagramView" );
    QGraphicsScene* const diagram_cl = view_cl->scene();
    action( QStringLiteral( "Сетка" ) )->trigger();
    QBracketTreeScene* const tree_cl = qobject_cast< QBracketTreeScene* >( view_cl->scene() );
    QVERIFY( tree_cl );
    QVERIFY( !action( QStringLiteral( "Схема" ) )->isChecked() );
    QCOMPARE( tree_cl->sceneRect().topLeft(), QPointF() );

    // The games of the current round take clicks, as an organiser clicks them.
    QList< QGraphicsItem* > games_l = tree_cl->items();
    games_l.erase( std::remove_if( games_l.begin(), games_l.end(),
                                   []( QGraphicsItem* item_p )
                                   { return !( item_p->acceptedMouseButtons() & Qt::LeftButton ); } ),
                   games_l.end() );
    QCOMPARE( games_l.size(), 4 );
    QGraphicsItem* const box_cl = games_l.first();
    view_cl->ensureVisible( box_cl );
    whenModal(
        []( QWidget* modal_p )
        {
            modal_p->findChildren< QRadioButton* >().at( 1 )->click();
            for( QPushButton* const button_cl : modal_p->findChildren< QPushButton* >() )
                if( button_cl->text() == QStringLiteral( "Выбрать" ) )
                    button_cl->click();
        } );
    QTest::mouseClick( view_cl->viewport(), Qt::LeftButton, Qt::NoModifier,
                       view_cl->mapFromScene( box_cl->sceneBoundingRect().center() ) );
    QTRY_COMPARE( champ_l.decidedGames(), 1 );
    // The game, its winner waiting in the next column and what joins them;
    // the other games and columns stay as they were drawn.
    QVERIFY2(
        tree_cl->replacedPieces() <= 4 && tree_cl->items().size() >= 10,
        qPrintable( QStringLiteral( "%1 of %2" ).arg( tree_cl->replacedPieces() ).arg( tree_cl->items().size() ) ) );

    for( int i = 0; i < 4; ++i )
        champ_l.setGameResult( i, EXPECTED );
    QVERIFY( global::threads::tossThread()->drawInPlace( champ_l ) );
    champ_l.setGameResult( 0, EXPECTED );
    champ_l.setGameResult( 1, EXPECTED );
    QVERIFY( global::threads::tossThread()->drawInPlace( champ_l ) );
    champ_l.setGameResult( 0, UNEXPECTED );
    window()->resetViews();
    const Game& final_crl = champ_l.rounds().last().games_m.first();
    QCOMPARE(
        child< QLabel >( "championLabel" )->text(),
        QStringLiteral( "Чемпион: %1 (%2)" )
            .arg( champ_l.playerText( final_crl.outsider_m ), champ_l.nationName( final_crl.outsiderNation_m ) ) );
    QVERIFY( tree_cl->itemsBoundingRect().width() > 4 * 232 );
    action( QStringLiteral( "Схема" ) )->trigger();
    QCOMPARE( view_cl->scene(), diagram_cl );
}

void tst_MainWindow::publishesFromTheWindow()
{
    resetChampionship( { 2, 2 } );
    QVERIFY( global::threads::tossThread()->drawInPlace( global::data::champ() ) );
    window()->resetViews();
    const QString file_cl = dir_m.filePath( QStringLiteral( "опубликовано" ) );
    QString report_l;
    whenModal(
        [ file_cl, &report_l ]( QWidget* modal_p )
        {
            QFileDialog* const dialog_cl = qobject_cast< QFileDialog* >( modal_p );
            QCOMPARE( dialog_cl->nameFilters(),
                      QStringList( { "PNG (*.png)", "SVG (*.svg)", "PDF (*.pdf)", "HTML (*.html)" } ) );
            QCOMPARE( dialog_cl->selectedFiles().value( 0 ).section( QLatin1Char( '/' ), -1 ),
                      QStringLiteral( "Чемпионат.png" ) );
            dialog_cl->selectNameFilter( QStringLiteral( "SVG (*.svg)" ) );
            emit dialog_cl->filterSelected( QStringLiteral( "SVG (*.svg)" ) );
            chooseFile( dialog_cl, file_cl );
            answerMessageBox( QMessageBox::Ok, &report_l );
            QMetaObject::invokeMethod( dialog_cl, "accept", Qt::QueuedConnection );
        } );
    action( QStringLiteral( "Опубликовать …" ) )->trigger();
    QCOMPARE( report_l, QStringLiteral( "Сетка опубликована в файл\n\"%1.svg\"" ).arg( file_cl ) );
    QFile svg_l( file_cl + QStringLiteral( ".svg" ) );
    QVERIFY( svg_l.open( QIODevice::ReadOnly ) );
    QVERIFY( svg_l.readAll().contains( "<title>Чемпионат</title>" ) );
}

// Beside the championship's file under its name at first; then where it
// was published last, under the title given there.
void tst_MainWindow::publishDialogRemembersFolderAndTitle()
{
    resetChampionship( { 2, 2 } );
    QVERIFY( global::threads::tossThread()->drawInPlace( global::data::champ() ) );
    QVERIFY( QDir( dir_m.path() ).mkpath( QStringLiteral( "кубки" ) ) );
    QVERIFY( QDir( dir_m.path() ).mkpath( QStringLiteral( "сайт" ) ) );
    QVERIFY( global::data::champ().save( dir_m.filePath( QStringLiteral( "кубки/Осень.stv" ) ) ) );
    window()->resetViews();
    const QString site_cl = dir_m.filePath( QStringLiteral( "сайт" ) );
    QStringList seen_l;
    const auto publish_l = [ &seen_l, site_cl ]( bool write_p )
    {
        whenModal(
            [ &seen_l, site_cl, write_p ]( QWidget* modal_p )
            {
                QFileDialog* const dialog_cl = qobject_cast< QFileDialog* >( modal_p );
                QLineEdit* const title_cl = dialog_cl->findChild< QLineEdit* >( QStringLiteral( "publishTitleEdit" ) );
                seen_l << dialog_cl->directory().absolutePath()
                       << dialog_cl->selectedFiles().value( 0 ).section( QLatin1Char( '/' ), -1 ) << title_cl->text();
                if( !write_p )
                {
                    QTest::keyClick( dialog_cl, Qt::Key_Escape );
                    return;
                }
                title_cl->setText( QStringLiteral( "Финал <осени>" ) );
                dialog_cl->selectNameFilter( QStringLiteral( "HTML (*.html)" ) );
                emit dialog_cl->filterSelected( QStringLiteral( "HTML (*.html)" ) );
                chooseFile( dialog_cl, site_cl + QStringLiteral( "/сетка" ) );
                answerMessageBox( QMessageBox::Ok );
                QMetaObject::invokeMethod( dialog_cl, "accept", Qt::QueuedConnection );
            } );
        action( QStringLiteral( "Опубликовать …" ) )->trigger();
    };
    publish_l( true );
    publish_l( false );
    QCOMPARE( seen_l, QStringList( { dir_m.filePath( QStringLiteral( "кубки" ) ), "Осень.png", "Осень", site_cl,
                                     "Осень.png", "Финал <осени>" } ) );
    QFile html_l( site_cl + QStringLiteral( "/сетка.html" ) );
    QVERIFY( html_l.open( QIODevice::ReadOnly ) );
    QVERIFY( QString::fromUtf8( html_l.readAll() ).contains( QStringLiteral( "<title>Финал &lt;осени&gt;</title>" ) ) );
}

// Its own file typed and the question to replace it answered yes: the
// championship stays as it was, and the window says why nothing was written.
void tst_MainWindow::publishingNeverWritesOverTheChampionship()
{
    resetChampionship( { 2, 2 } );
    QVERIFY( global::threads::tossThread()->drawInPlace( global::data::champ() ) );
    const QString file_cl = dir_m.filePath( QStringLiteral( "кубок.stv" ) );
    QVERIFY( global::data::champ().save( file_cl ) );
    QFile saved_l( file_cl );
    QVERIFY( saved_l.open( QIODevice::ReadOnly ) );
    const QByteArray before_cl = saved_l.readAll();
    saved_l.close();
    QString report_l;
    whenModal(
        [ file_cl, &report_l ]( QWidget* modal_p )
        {
            QFileDialog* const dialog_cl = qobject_cast< QFileDialog* >( modal_p );
            dialog_cl->selectNameFilter( QStringLiteral( "HTML (*.html)" ) );
            emit dialog_cl->filterSelected( QStringLiteral( "HTML (*.html)" ) );
            chooseFile( dialog_cl, file_cl );
            whenModal(
                [ &report_l ]( QWidget* replace_p )
                {
                    qobject_cast< QMessageBox* >( replace_p )->button( QMessageBox::Yes )->click();
                    answerMessageBox( QMessageBox::Ok, &report_l );
                } );
            QMetaObject::invokeMethod( dialog_cl, "accept", Qt::QueuedConnection );
        } );
    action( QStringLiteral( "Опубликовать …" ) )->trigger();
    QVERIFY2( report_l.startsWith( QStringLiteral( "Не удалось опубликовать сетку" ) ), qPrintable( report_l ) );
    QVERIFY( saved_l.open( QIODevice::ReadOnly ) );
    QCOMPARE( saved_l.readAll(), before_cl );
}

void tst_MainWindow::undoRefusedWhereItWouldStrandTheChampionship()
{
    global::data::champ() = withGapBeforeCurrentRound();
    window()->resetViews();
    QAction* const undo_cl = action( QStringLiteral( "Отменить жеребьевку" ) );
    QVERIFY( !undo_cl->isEnabled() );
    QVERIFY2( undo_cl->toolTip().startsWith( QStringLiteral( "Отменить жеребьевку нельзя" ) ),
              qPrintable( undo_cl->toolTip() ) );
    QTest::keySequence( window(), QKeySequence::Undo );
    QCOMPARE( global::data::champ().currentRound(), 1 );

    global::data::champ() = playedChampionship( 8, 5, 2, 0 );
    window()->resetViews();
    QVERIFY( undo_cl->isEnabled() );
    QCOMPARE( undo_cl->toolTip(), QStringLiteral( "Отменить последнюю жеребьевку" ) );
}

namespace
{
// The tree as the window shows it, and a tree laid out afresh for the same
// championship, drawn side by side: any item left over, missing or stale
// shows as a difference.
void checkTreeIsFresh( const char* step_p )
{
    QBracketTreeScene* const shown_cl = window()->findChild< QBracketTreeScene* >();
    QBracketTreeScene fresh_l( nullptr );
    fresh_l.update();
    QCOMPARE( shown_cl->sceneRect(), fresh_l.sceneRect() );
    QCOMPARE( shown_cl->items().size(), fresh_l.items().size() );
    const QSize size_cl = fresh_l.sceneRect().size().toSize();
    QImage shownImage_l( size_cl, QImage::Format_RGB32 );
    QImage freshImage_l( size_cl, QImage::Format_RGB32 );
    for( auto [ scene_p, image_p ] : { std::pair< QGraphicsScene*, QImage* > { shown_cl, &shownImage_l },
                                       std::pair< QGraphicsScene*, QImage* > { &fresh_l, &freshImage_l } } )
    {
        image_p->fill( Qt::white );
        QPainter painter_l( image_p );
        scene_p->render( &painter_l, QRectF( QPointF(), size_cl ), scene_p->sceneRect() );
    }
    // Where a line meets a box, the item drawn last differs by a shade of
    // anti-aliasing between the two; a whole text or box left over does not.
    int differing_l = 0;
    for( int y = 0; y < size_cl.height(); ++y )
        for( int x = 0; x < size_cl.width(); ++x )
        {
            const QRgb shown_cl = shownImage_l.pixel( x, y );
            const QRgb fresh_cl = freshImage_l.pixel( x, y );
            differing_l += std::max( { std::abs( qRed( shown_cl ) - qRed( fresh_cl ) ),
                                       std::abs( qGreen( shown_cl ) - qGreen( fresh_cl ) ),
                                       std::abs( qBlue( shown_cl ) - qBlue( fresh_cl ) ) } )
                           > 48;
        }
    QVERIFY2( 0 == differing_l,
              qPrintable( QStringLiteral( "%1: %2 pixels differ" ).arg( step_p ).arg( differing_l ) ) );
}
}

// Registrations, a draw, results, an undo, a load and view switches, each
// followed by the tree the hall sees.
void tst_MainWindow::treeShowsNothingButTheCurrentLayout()
{
    resetChampionship();
    window()->resetViews();
    action( QStringLiteral( "Сетка" ) )->trigger();
    checkTreeIsFresh( "empty" );
    for( int group_l = 0; group_l < 3; ++group_l )
    {
        clickRow( groupIndex( group_l ) );
        enterPlayer( QStringLiteral( "Игрок%1" ).arg( group_l ), QString() );
        QTest::mouseClick( child< QToolButton >( "addPlayerBtn" ), Qt::LeftButton );
        checkTreeIsFresh( "registered" );
    }
    clickRow( groupIndex( 0 ) );
    enterPlayer( QStringLiteral( "Игрок3" ), QString() );
    QTest::mouseClick( child< QToolButton >( "addPlayerBtn" ), Qt::LeftButton );
    QSignalSpy updated_l( global::threads::tossThread(), SIGNAL( championshipDataUpdated() ) );
    action( QStringLiteral( "Запустить" ) )->trigger();
    QVERIFY( updated_l.wait( 10000 ) );
    QTRY_VERIFY( action( QStringLiteral( "Начать новый" ) )->isEnabled() );
    checkTreeIsFresh( "drawn" );
    for( int game_l = 0; game_l < 2; ++game_l )
    {
        // As a click on the game in the tree records it.
        chooseWinner( 1 == game_l );
        QGameWidget::recordResult( 0, game_l );
        checkTreeIsFresh( "result" );
    }
    child< QTreeView >( "playersView" )->expandAll();
    clickRow( playerIndex( 0, 0 ) );
    renameTo( QStringLiteral( "Переименованный" ), QStringLiteral( "Клан" ) );
    child< QToolButton >( "renamePlayerBtn" )->click();
    checkTreeIsFresh( "renamed" );
    const QString file_cl = dir_m.filePath( QStringLiteral( "дерево.stv" ) );
    QVERIFY( global::data::champ().save( file_cl ) );
    // The same bracket with other names, for a load that changes only them.
    Championship other_l = global::data::champ();
    const PlayersGroups players_cl = other_l.players();
    for( auto group_it = players_cl.cbegin(); group_it != players_cl.cend(); ++group_it )
        for( auto player_it = group_it->cbegin(); player_it != group_it->cend(); ++player_it )
            other_l.renamePlayer( PlayerRef( group_it.key(), player_it.key() ),
                                  QStringLiteral( "Другой" ) + player_it->nickname_m, QString() );
    const QString otherFile_cl = dir_m.filePath( QStringLiteral( "другое дерево.stv" ) );
    QVERIFY( other_l.save( otherFile_cl ) );
    action( QStringLiteral( "Запустить" ) )->trigger();
    QVERIFY( updated_l.wait( 10000 ) );
    QTRY_VERIFY( action( QStringLiteral( "Начать новый" ) )->isEnabled() );
    checkTreeIsFresh( "final drawn" );
    answerMessageBox( QMessageBox::Ok );
    action( QStringLiteral( "Отменить жеребьевку" ) )->trigger();
    checkTreeIsFresh( "undone" );
    action( QStringLiteral( "Схема" ) )->trigger();
    resetChampionship( { 2, 2 } );
    window()->resetViews();
    window()->openOnStart( file_cl );
    action( QStringLiteral( "Сетка" ) )->trigger();
    checkTreeIsFresh( "loaded" );
    window()->openOnStart( otherFile_cl );
    QCOMPARE( global::data::champ().fileName(), otherFile_cl );
    checkTreeIsFresh( "same shape, other names" );
    action( QStringLiteral( "Схема" ) )->trigger();
}

// F1 opens the guide that stands beside the program, each of its pictures
// and links in place; without the guide the window says where it looked.
void tst_MainWindow::helpOpensTheGuide()
{
    OpenedUrls opened_l;
    QDesktopServices::setUrlHandler( QStringLiteral( "file" ), &opened_l, "open" );
    window()->activateWindow();
    QVERIFY( QTest::qWaitForWindowActive( window() ) );
    QTest::keyClick( window(), Qt::Key_F1 );
    QCOMPARE( opened_l.urls_m.size(), 1 );
    const QString page_cl = opened_l.urls_m.front().toLocalFile();
    QCOMPARE( page_cl, QGuide::pagePath() );
    QFile file_l( page_cl );
    QVERIFY( file_l.open( QIODevice::ReadOnly ) );
    const QString html_cl = QString::fromUtf8( file_l.readAll() );
    QVERIFY( html_cl.contains( QStringLiteral( "<title>Sortivane — справка организатора</title>" ) ) );
    const QRegularExpression picture_cl( QStringLiteral( "<img src=\"([^\"]+)\"" ) );
    int pictures_l = 0;
    for( auto match_it = picture_cl.globalMatch( html_cl ); match_it.hasNext(); ++pictures_l )
    {
        const QString source_cl = match_it.next().captured( 1 );
        QVERIFY2( QFileInfo( QFileInfo( page_cl ).dir().filePath( source_cl ) ).isFile(), qPrintable( source_cl ) );
    }
    QVERIFY( pictures_l >= 5 );
    const QRegularExpression anchor_cl( QStringLiteral( "href=\"#([^\"]+)\"" ) );
    for( auto match_it = anchor_cl.globalMatch( html_cl ); match_it.hasNext(); )
    {
        const QString anchor_l = match_it.next().captured( 1 );
        QVERIFY2( html_cl.contains( QStringLiteral( "id=\"" ) + anchor_l + QLatin1Char( '"' ) ),
                  qPrintable( anchor_l ) );
    }

    QDir folder_l = QFileInfo( page_cl ).dir();
    const QString aside_cl = folder_l.absolutePath() + QStringLiteral( "-aside" );
    QVERIFY( QDir().rename( folder_l.absolutePath(), aside_cl ) );
    QString warning_l;
    answerMessageBox( QMessageBox::Ok, &warning_l );
    QTest::keyClick( window(), Qt::Key_F1 );
    QVERIFY( QDir().rename( aside_cl, folder_l.absolutePath() ) );
    QDesktopServices::unsetUrlHandler( QStringLiteral( "file" ) );
    QCOMPARE( opened_l.urls_m.size(), 1 );
    QCOMPARE(
        warning_l,
        QStringLiteral( "Справка не найдена: её нет ни рядом с программой, ни среди установленной документации." ) );
}

void tst_MainWindow::printsFittedOrTiled_data()
{
    QTest::addColumn< bool >( "tiled" );
    QTest::newRow( "fit to one page" ) << false;
    QTest::newRow( "tiles over pages" ) << true;
}

void tst_MainWindow::printsFittedOrTiled()
{
    QFETCH( bool, tiled );
    resetChampionship( { 16, 16, 16, 16 } );
    QVERIFY( global::threads::tossThread()->drawInPlace( global::data::champ() ) );
    const BracketLayout layout_cl( global::data::champ(), QStringLiteral( "Кубок" ) );
    QPrinter printer_l( QPrinter::HighResolution );
    printer_l.setOutputFormat( QPrinter::PdfFormat );
    const QString file_cl = dir_m.filePath( QStringLiteral( "printed.pdf" ) );
    printer_l.setOutputFileName( file_cl );
    QPublishing::print( layout_cl, printer_l, tiled );
    QFile pdf_l( file_cl );
    QVERIFY( pdf_l.open( QIODevice::ReadOnly ) );
    const QByteArray bytes_cl = pdf_l.readAll();
    QVERIFY( bytes_cl.startsWith( "%PDF" ) );
    const int pages_cl = bytes_cl.count( "/Type /Page\n" ) + bytes_cl.count( "/Type /Page\r" )
                         + bytes_cl.count( "/Type /Page>" ) + bytes_cl.count( "/Type /Page " );
    // A tile is the page's printable area in layout pixels, less the line
    // that names it.
    const double scale_cl = printer_l.resolution() / 96.0;
    const QSizeF page_cl = printer_l.pageLayout().paintRectPixels( printer_l.resolution() ).size() / scale_cl;
    int tiles_l = 0;
    for( const QVector< QPointF >& row_crl : QPublishing::tileOrigins( layout_cl.size(), page_cl - QSizeF( 0, 16 ) ) )
        tiles_l += row_crl.size();
    QVERIFY( tiles_l > 2 );
    QCOMPARE( pages_cl, tiled ? tiles_l : 1 );
}

void tst_MainWindow::tilesCoverTheBracketRowByRow_data()
{
    QTest::addColumn< QSizeF >( "bracket" );
    QTest::addColumn< int >( "rows" );
    QTest::addColumn< int >( "columns" );
    QTest::newRow( "smaller than a page" ) << QSizeF( 500, 300 ) << 1 << 1;
    QTest::newRow( "a page exactly" ) << QSizeF( 1000, 700 ) << 1 << 1;
    QTest::newRow( "a page and a pixel wide" ) << QSizeF( 1001, 700 ) << 1 << 2;
    QTest::newRow( "wide" ) << QSizeF( 3000, 600 ) << 1 << 4;
    QTest::newRow( "tall" ) << QSizeF( 800, 2000 ) << 3 << 1;
    QTest::newRow( "rows of several pages" ) << QSizeF( 2500, 1500 ) << 3 << 3;
}

// Pages of 1000 × 700: the rows are printed top to bottom, each from the
// bracket's left edge; neighbours share the overlap, and the last page of
// each row and column reaches the bracket's edge, which the one before
// does not.
void tst_MainWindow::tilesCoverTheBracketRowByRow()
{
    QFETCH( QSizeF, bracket );
    QFETCH( int, rows );
    QFETCH( int, columns );
    const QSizeF tile_cl( 1000, 700 );
    const double overlap_cl = QPublishing::TILE_OVERLAP;
    const QVector< QVector< QPointF > > origins_cl = QPublishing::tileOrigins( bracket, tile_cl );
    QCOMPARE( origins_cl.size(), rows );
    for( int row_l = 0; row_l < rows; ++row_l )
    {
        const QVector< QPointF >& row_crl = origins_cl.at( row_l );
        QCOMPARE( row_crl.size(), columns );
        QCOMPARE( row_crl.front().x(), 0.0 );
        const double top_cl = row_l ? origins_cl.at( row_l - 1 ).front().y() + tile_cl.height() - overlap_cl : 0.0;
        for( int column_l = 0; column_l < columns; ++column_l )
        {
            QCOMPARE( row_crl.at( column_l ).y(), top_cl );
            if( column_l )
                QCOMPARE( row_crl.at( column_l ).x(), row_crl.at( column_l - 1 ).x() + tile_cl.width() - overlap_cl );
        }
        QVERIFY( row_crl.back().x() + tile_cl.width() >= bracket.width() );
        QVERIFY( columns == 1 || row_crl.at( columns - 2 ).x() + tile_cl.width() < bracket.width() );
    }
    QVERIFY( origins_cl.back().front().y() + tile_cl.height() >= bracket.height() );
    QVERIFY( rows == 1 || origins_cl.at( rows - 2 ).front().y() + tile_cl.height() < bracket.height() );
}

void tst_MainWindow::fittedPrintIsCentredOnThePage_data()
{
    QTest::addColumn< QSizeF >( "bracket" );
    QTest::newRow( "wide bracket" ) << QSizeF( 4000, 900 );
    QTest::newRow( "tall bracket" ) << QSizeF( 600, 3000 );
    QTest::newRow( "small bracket" ) << QSizeF( 200, 100 );
}

// Scaled to fill the printable area one way, in proportion, and centred
// the other way.
void tst_MainWindow::fittedPrintIsCentredOnThePage()
{
    QFETCH( QSizeF, bracket );
    const QSizeF page_cl( 1100, 800 );
    const QRectF place_cl = QPublishing::fittedPlace( bracket, page_cl );
    QVERIFY( QRectF( QPointF(), page_cl ).adjusted( -0.01, -0.01, 0.01, 0.01 ).contains( place_cl ) );
    QVERIFY( qFuzzyCompare( place_cl.center().x(), page_cl.width() / 2 ) );
    QVERIFY( qFuzzyCompare( place_cl.center().y(), page_cl.height() / 2 ) );
    QVERIFY( qFuzzyCompare( place_cl.width() / place_cl.height(), bracket.width() / bracket.height() ) );
    QVERIFY( qFuzzyCompare( place_cl.width(), page_cl.width() )
             || qFuzzyCompare( place_cl.height(), page_cl.height() ) );
}

void tst_MainWindow::bracketTooLargeForTheDiagramShowsTheTree()
{
    Championship& champ_l = global::data::champ();
    resetChampionship( { 2 * QDiagramScene::MAX_GAMES + 1 } );
    QVERIFY( global::threads::tossThread()->drawInPlace( champ_l ) );
    window()->resetViews();
    QGraphicsView* const view_cl = child< QGraphicsView >( "diagramView" );
    QVERIFY( qobject_cast< QBracketTreeScene* >( view_cl->scene() ) );
    QVERIFY( !action( QStringLiteral( "Схема" ) )->isEnabled() );
    QCOMPARE( child< QLabel >( "viewNoteLabel" )->text(),
              QStringLiteral( "Схема показывает до 4096 игроков, в этой сетке 8192 мест: показана сетка" ) );
    // A smaller bracket brings back the view the organiser chose.
    resetChampionship( { 2, 2 } );
    window()->resetViews();
    QVERIFY( action( QStringLiteral( "Схема" ) )->isEnabled() );
    QVERIFY( action( QStringLiteral( "Схема" ) )->isChecked() );
    QVERIFY( !qobject_cast< QBracketTreeScene* >( view_cl->scene() ) );
    QCOMPARE( child< QLabel >( "viewNoteLabel" )->text(), QString() );
}

QTEST_MAIN( tst_MainWindow )
#include "tst_mainwindow.moc"
