#include "QChooseWinnerDialog.h"
#include "QDiagramScene.h"
#include "QGameWidget.h"
#include "QMeasuredLabel.h"
#include "QTossThread.h"
#include "championship.h"
#include "drawseed.h"
#include "globals.h"
#include "testsupport.h"

#include <QGraphicsProxyWidget>
#include <QGraphicsRectItem>
#include <QGraphicsTextItem>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QWindow>
#include <QtTest>

namespace
{
Game game( const PlayerRef& favorite_cp, const PlayerRef& outsider_cp )
{
    Game game_l;
    game_l.favorite_m = favorite_cp;
    game_l.outsider_m = outsider_cp;
    game_l.favoriteNation_m = 1;
    game_l.outsiderNation_m = 2;
    return game_l;
}

// Stores a first round made of consecutive pool entries paired in order.
void drawFirstRoundInOrder()
{
    Championship& champ_l = global::data::champ();
    champ_l.createRounds();
    QVector< PlayerRef > pool_l;
    const RoundPlayers players_cl = champ_l.rounds().at( 0 ).players_m;
    for( auto group_it = players_cl.cbegin(); group_it != players_cl.cend(); ++group_it )
        for( const int id_cl : group_it.value() )
            pool_l.append( PlayerRef( group_it.key(), id_cl ) );
    QVector< Game > games_l;
    for( int i = 0; i + 1 < pool_l.size(); i += 2 )
        games_l.append( game( pool_l.at( i ), pool_l.at( i + 1 ) ) );
    champ_l.clearCurrentRoundPlayers();
    champ_l.setCurrentRoundGames( games_l );
}

struct Placed
{
    QRectF rect;
    QString text;
};

// Labels and game widgets of the scene, by their place.
QVector< Placed > labels( const QDiagramScene& scene_cp, double top_p, double bottom_p )
{
    QVector< Placed > labels_l;
    for( QGraphicsItem* const item_cl : scene_cp.items() )
        if( QGraphicsProxyWidget* const proxy_cl = qgraphicsitem_cast< QGraphicsProxyWidget* >( item_cl ) )
            if( QLabel* const label_cl = qobject_cast< QLabel* >( proxy_cl->widget() ) )
                if( proxy_cl->sceneBoundingRect().center().y() > top_p
                    && proxy_cl->sceneBoundingRect().center().y() < bottom_p )
                    labels_l.append( { proxy_cl->sceneBoundingRect(), label_cl->text() } );
    std::sort( labels_l.begin(), labels_l.end(),
               []( const Placed& a_cp, const Placed& b_cp ) { return a_cp.rect.x() < b_cp.rect.x(); } );
    return labels_l;
}

// The labels standing in row row_p of the bracket.
QVector< Placed > rowLabels( const QDiagramScene& scene_cp, int row_p )
{
    return labels( scene_cp, row_p * scene_cp.roundHeight(), ( row_p + 1 ) * scene_cp.roundHeight() );
}

QVector< QGraphicsProxyWidget* > games( const QDiagramScene& scene_cp )
{
    QVector< QGraphicsProxyWidget* > games_l;
    for( QGraphicsItem* const item_cl : scene_cp.items( Qt::AscendingOrder ) )
        if( QGraphicsProxyWidget* const proxy_cl = qgraphicsitem_cast< QGraphicsProxyWidget* >( item_cl ) )
            if( qobject_cast< QGameWidget* >( proxy_cl->widget() ) )
                games_l.append( proxy_cl );
    std::sort( games_l.begin(), games_l.end(),
               []( QGraphicsProxyWidget* a_p, QGraphicsProxyWidget* b_p )
               { return a_p->y() < b_p->y() || ( a_p->y() == b_p->y() && a_p->x() < b_p->x() ); } );
    return games_l;
}

double cell( const QDiagramScene& scene_cp, int round_p, bool half_p )
{
    return ( half_p ? scene_cp.diagramWidth() / 2 : scene_cp.diagramWidth() )
           / global::data::champ().rounds().at( round_p ).denominator();
}
}

class tst_Scene : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void buildsOneRowPerRound();
    void placesGamesInWholeCells();
    void enteringPlayersFollowTheGames();
    void winnerStandsBelowItsGame();
    void relabelsWinnerInPlace();
    void decidedGamesShowTheirWinner();
    void finalWinnerGetsNoLabel();
    void unknownPlayerGivesEmptyLabel();
    void widestTextCoversNextGameTitle();
    void namesThatLookLikeMarkupShowAsTyped();
    void labelsAreMeasuredInTheirOwnFont();
    void measuredHintsAreTheLabelsOwn_data();
    void measuredHintsAreTheLabelsOwn();
    void gameTitles_data();
    void gameTitles();
    void winnerDialogPresetsAndClears();
    void clearDiagramEmptiesScene();
    void boxesHaveNoWindowsOfTheirOwn();
};

void tst_Scene::initTestCase()
{
    quietOffscreenPlatform();
}

void tst_Scene::init()
{
    drawseed::setFixedSeed( 3 );
    resetChampionship();
}

void tst_Scene::buildsOneRowPerRound()
{
    resetChampionship( { 4, 4 } );
    drawFirstRoundInOrder();
    QDiagramScene scene_l( nullptr );
    scene_l.updateDiagram();
    QStringList titles_l;
    int rects_l = 0;
    for( QGraphicsItem* const item_cl : scene_l.items() )
    {
        if( QGraphicsTextItem* const text_cl = qgraphicsitem_cast< QGraphicsTextItem* >( item_cl ) )
        {
            titles_l.append( text_cl->toPlainText() );
            QVERIFY( qAbs( text_cl->sceneBoundingRect().center().x() - scene_l.diagramWidth() / 2 ) < 1 );
        }
        if( QGraphicsRectItem* const rect_cl = qgraphicsitem_cast< QGraphicsRectItem* >( item_cl ) )
        {
            ++rects_l;
            QCOMPARE( rect_cl->brush().color(), QColor( 227, 147, 147 ) );
            QCOMPARE( rect_cl->rect().width(), scene_l.diagramWidth() );
            QCOMPARE( rect_cl->rect().height(), scene_l.roundHeight() );
        }
    }
    titles_l.sort();
    QCOMPARE( titles_l, QStringList( { "1/2 финала", "1/4 финала", "Финал" } ) );
    QCOMPARE( rects_l, 3 );
    const QFontMetricsF metrics_cl( scene_l.font() );
    QCOMPARE( scene_l.titleHeight(), 1.1 * metrics_cl.height() );
    QVERIFY( qAbs( scene_l.roundHeight() - 16.1 * metrics_cl.height() ) < 1e-9 );
}

void tst_Scene::placesGamesInWholeCells()
{
    resetChampionship( { 4, 4 } );
    drawFirstRoundInOrder();
    QDiagramScene scene_l( nullptr );
    scene_l.updateDiagram();
    const QVector< QGraphicsProxyWidget* > games_cl = games( scene_l );
    QCOMPARE( games_cl.size(), 4 );
    const double cell_cl = cell( scene_l, 0, false );
    for( int g = 0; g < games_cl.size(); ++g )
    {
        const QRectF rect_cl = games_cl.at( g )->sceneBoundingRect();
        QVERIFY( qAbs( rect_cl.center().x() - ( g + 0.5 ) * cell_cl ) < 1 );
        QVERIFY( qAbs( rect_cl.center().y() - ( scene_l.titleHeight() + scene_l.roundHeight() / 2 ) ) < 1 );
        QVERIFY( rect_cl.width() <= cell_cl );
    }
}

void tst_Scene::enteringPlayersFollowTheGames()
{
    // Ten players: T = 16, six byes, a first round of 2 games in a row of 8.
    resetChampionship( { 3, 3, 2, 2 } );
    drawFirstRoundInOrder();
    QCOMPARE( global::data::champ().rounds().at( 0 ).games_m.size(), 2 );
    QDiagramScene scene_l( nullptr );
    scene_l.updateDiagram();
    const QVector< QGraphicsProxyWidget* > games_cl = games( scene_l );
    QCOMPARE( games_cl.size(), 2 );
    QVERIFY( games_cl.at( 0 )->sceneBoundingRect().center().x() < cell( scene_l, 0, false ) );
    const QVector< Placed > second_cl = rowLabels( scene_l, 1 );
    QCOMPARE( second_cl.size(), 6 );
    const double half_cl = cell( scene_l, 1, true );
    // The byes take the slots after the two games, at 2, 3, … of the 8.
    for( int i = 0; i < second_cl.size(); ++i )
        QVERIFY2( qAbs( second_cl.at( i ).rect.center().x() - ( i + 2.5 ) * half_cl ) < 1,
                  qPrintable( QString::number( i ) ) );
    QCOMPARE( second_cl.at( 0 ).text, QStringLiteral( "p1-0" ) );
}

void tst_Scene::winnerStandsBelowItsGame()
{
    resetChampionship( { 3, 3, 2, 2 } );
    drawFirstRoundInOrder();
    QDiagramScene scene_l( nullptr );
    scene_l.updateDiagram();
    Championship& champ_l = global::data::champ();
    champ_l.setGameResult( 1, UNEXPECTED );
    scene_l.updateWinner( 1 );
    const QRectF game_cl = games( scene_l ).at( 1 )->sceneBoundingRect();
    const QVector< Placed > second_cl = rowLabels( scene_l, 1 );
    QCOMPARE( second_cl.size(), 7 );
    const auto winner_cl = std::find_if( second_cl.cbegin(), second_cl.cend(),
                                         [ &game_cl ]( const Placed& placed_cp )
                                         { return qAbs( placed_cp.rect.center().x() - game_cl.center().x() ) < 1; } );
    QVERIFY( winner_cl != second_cl.cend() );
    QCOMPARE( winner_cl->text, champ_l.playerText( champ_l.rounds().at( 0 ).games_m.at( 1 ).outsider_m ) );
    // The entering players keep their slots after the games.
    QVERIFY( qAbs( second_cl.last().rect.center().x() - 7.5 * cell( scene_l, 1, true ) ) < 1 );
}

// The winner's name in green and the loser's side dimmed, in the round
// being played and in the rounds before; the box keeps its size.
void tst_Scene::decidedGamesShowTheirWinner()
{
    resetChampionship( { 4, 4 } );
    drawFirstRoundInOrder();
    QDiagramScene scene_l( nullptr );
    scene_l.updateDiagram();
    const auto colours_l = [ &scene_l ]( int round_p, int game_p )
    {
        QStringList colours_l;
        for( QGraphicsProxyWidget* const proxy_cl : games( scene_l ) )
        {
            const QGameWidget* const game_cl = qobject_cast< QGameWidget* >( proxy_cl->widget() );
            if( game_cl->roundId() != round_p || game_cl->gameId() != game_p )
                continue;
            // Favourite, its nation, outsider, its nation.
            const QList< QLabel* > labels_cl = game_cl->findChildren< QLabel* >();
            for( const int label_cl : { 1, 2, 4, 5 } )
                colours_l.append( labels_cl.at( label_cl )->palette().color( QPalette::WindowText ).name() );
        }
        return colours_l;
    };
    const QString plain_cl = games( scene_l ).at( 0 )->widget()->palette().color( QPalette::WindowText ).name();
    const QStringList unmarked_cl { plain_cl, plain_cl, plain_cl, plain_cl };
    QCOMPARE( colours_l( 0, 0 ), unmarked_cl );
    const QSizeF size_cl = games( scene_l ).at( 0 )->size();
    Championship& champ_l = global::data::champ();
    champ_l.setGameResult( 0, EXPECTED );
    scene_l.updateWinner( 0 );
    champ_l.setGameResult( 1, UNEXPECTED );
    scene_l.updateWinner( 1 );
    const QStringList favouriteWon_cl { "#2e7d32", plain_cl, "#9a9a9a", "#9a9a9a" };
    const QStringList outsiderWon_cl { "#9a9a9a", "#9a9a9a", "#2e7d32", plain_cl };
    QCOMPARE( colours_l( 0, 0 ), favouriteWon_cl );
    QCOMPARE( colours_l( 0, 1 ), outsiderWon_cl );
    QCOMPARE( colours_l( 0, 2 ), unmarked_cl );
    QCOMPARE( games( scene_l ).at( 0 )->size(), size_cl );
    // Changed: the marks follow.
    champ_l.setGameResult( 0, UNEXPECTED );
    scene_l.updateWinner( 0 );
    QCOMPARE( colours_l( 0, 0 ), outsiderWon_cl );
    // The next round drawn: the first round's winners are still marked.
    champ_l.setGameResult( 2, EXPECTED );
    champ_l.setGameResult( 3, EXPECTED );
    QVERIFY( global::threads::tossThread()->drawInPlace( champ_l ) );
    scene_l.clearDiagram();
    scene_l.updateDiagram();
    QCOMPARE( colours_l( 0, 1 ), outsiderWon_cl );
    QCOMPARE( colours_l( 0, 2 ), favouriteWon_cl );
    QCOMPARE( colours_l( 1, 0 ), unmarked_cl );
}

void tst_Scene::relabelsWinnerInPlace()
{
    resetChampionship( { 4, 4 } );
    drawFirstRoundInOrder();
    QDiagramScene scene_l( nullptr );
    scene_l.updateDiagram();
    Championship& champ_l = global::data::champ();
    champ_l.setGameResult( 2, EXPECTED );
    scene_l.updateWinner( 2 );
    const QVector< Placed > before_cl = rowLabels( scene_l, 1 );
    champ_l.setGameResult( 2, UNEXPECTED );
    scene_l.updateWinner( 2 );
    const QVector< Placed > after_cl = rowLabels( scene_l, 1 );
    QCOMPARE( before_cl.size(), 1 );
    QCOMPARE( after_cl.size(), 1 );
    QCOMPARE( after_cl.at( 0 ).rect, before_cl.at( 0 ).rect );
    QVERIFY( qAbs( after_cl.at( 0 ).rect.center().x() - 2.5 * cell( scene_l, 1, true ) ) < 1 );
    QCOMPARE( after_cl.at( 0 ).text, champ_l.playerText( champ_l.rounds().at( 0 ).games_m.at( 2 ).outsider_m ) );
}

void tst_Scene::finalWinnerGetsNoLabel()
{
    resetChampionship( { 1, 1 } );
    drawFirstRoundInOrder();
    QCOMPARE( global::data::champ().rounds().size(), 1 );
    QDiagramScene scene_l( nullptr );
    scene_l.updateDiagram();
    global::data::champ().setGameResult( 0, EXPECTED );
    scene_l.updateWinner( 0 );
    QVERIFY( labels( scene_l, -1e9, 1e9 ).isEmpty() );
    QCOMPARE( games( scene_l ).size(), 1 );
}

void tst_Scene::unknownPlayerGivesEmptyLabel()
{
    resetChampionship( { 4, 4 } );
    drawFirstRoundInOrder();
    Championship& champ_l = global::data::champ();
    champ_l.setGameResult( 0, EXPECTED );
    champ_l.setGameResult( 1, EXPECTED );
    // The winner of game 1 leaves the championship behind the bracket's back.
    champ_l.removePlayers( 1, { champ_l.rounds().at( 0 ).games_m.at( 1 ).favorite_m.playerId() } );
    QDiagramScene scene_l( nullptr );
    scene_l.updateDiagram();
    const QVector< Placed > second_cl = rowLabels( scene_l, 1 );
    QCOMPARE( second_cl.size(), 2 );
    QCOMPARE( second_cl.at( 1 ).text, QString() );
    QCOMPARE( second_cl.at( 1 ).rect.size(), second_cl.at( 0 ).rect.size() );
}

// A nickname a label would take for rich text is shown as typed, tags and
// all, in its game and as a winner: as wide as its characters.
void tst_Scene::namesThatLookLikeMarkupShowAsTyped()
{
    const QString markup_cl = QStringLiteral( "<b>Босс</b>" );
    resetChampionship( { 4, 4 } );
    Championship& champ_l = global::data::champ();
    champ_l.renamePlayer( PlayerRef( 1, 0 ), markup_cl, QString() );
    drawFirstRoundInOrder();
    champ_l.setGameResult( 0, EXPECTED );
    QDiagramScene scene_l( nullptr );
    scene_l.updateDiagram();
    int shown_l = 0;
    // Each box once: the widget that holds them all is no box.
    for( QGraphicsItem* const item_cl : scene_l.items() )
        if( QGraphicsProxyWidget* const proxy_cl = qgraphicsitem_cast< QGraphicsProxyWidget* >( item_cl );
            proxy_cl && proxy_cl->childItems().isEmpty() )
        {
            QList< QLabel* > labels_l = proxy_cl->widget()->findChildren< QLabel* >();
            if( QLabel* const label_cl = qobject_cast< QLabel* >( proxy_cl->widget() ) )
                labels_l << label_cl;
            for( QLabel* const label_cl : labels_l )
                if( label_cl->text() == markup_cl )
                {
                    ++shown_l;
                    QVERIFY( label_cl->sizeHint().width()
                             >= QFontMetrics( label_cl->font() ).horizontalAdvance( markup_cl ) );
                }
        }
    QCOMPARE( shown_l, 2 );
}

// Labels remember their measures by text; a label of the same text in a
// larger font is measured anew, and so is one whose font grew.
void tst_Scene::labelsAreMeasuredInTheirOwnFont()
{
    QMeasuredLabel small_l( QStringLiteral( "VS" ) );
    QMeasuredLabel large_l( QStringLiteral( "VS" ) );
    QFont font_l = large_l.font();
    font_l.setPointSizeF( font_l.pointSizeF() * 3 );
    large_l.setFont( font_l );
    QCOMPARE( small_l.sizeHint(), QLabel( QStringLiteral( "VS" ) ).sizeHint() );
    QVERIFY( large_l.sizeHint().width() > 2 * small_l.sizeHint().width() );
    QVERIFY( large_l.minimumSizeHint().height() > 2 * small_l.minimumSizeHint().height() );
    small_l.setFont( font_l );
    QCOMPARE( small_l.sizeHint(), large_l.sizeHint() );
}

void tst_Scene::measuredHintsAreTheLabelsOwn_data()
{
    QTest::addColumn< QString >( "text" );
    QTest::newRow( "VS" ) << "VS";
    QTest::newRow( "empty" ) << "";
    QTest::newRow( "blank" ) << " ";
    QTest::newRow( "game title" ) << "1/4 финала - игра №5";
    QTest::newRow( "clan and nickname" ) << "[ЗАПОРОЖЦЫ]Богдан";
    QTest::newRow( "long name" ) << QString( 64, QChar( 0x0416 ) );
    QTest::newRow( "ampersand" ) << "a&b";
    QTest::newRow( "markup" ) << "<b>x</b>";
    QTest::newRow( "nation in brackets" ) << "(Украина)";
    QTest::newRow( "beyond the BMP" ) << QStringLiteral( "\U0001F3AE игрок" );
}

// The hints a bracket label measures for itself are those QLabel gives for
// the same text, in the same setup.
void tst_Scene::measuredHintsAreTheLabelsOwn()
{
    QFETCH( QString, text );
    QMeasuredLabel measured_l( text );
    measured_l.setAlignment( Qt::AlignCenter );
    QLabel plain_l( text );
    plain_l.setTextFormat( Qt::PlainText );
    plain_l.setAlignment( Qt::AlignCenter );
    QCOMPARE( measured_l.sizeHint(), plain_l.sizeHint() );
    QCOMPARE( measured_l.minimumSizeHint(), plain_l.minimumSizeHint() );
}

void tst_Scene::widestTextCoversNextGameTitle()
{
    resetChampionship( { 4, 4 } );
    drawFirstRoundInOrder();
    QDiagramScene scene_l( nullptr );
    scene_l.updateDiagram();
    QCOMPARE( scene_l.widestText(), QStringLiteral( "1/4 финала - игра №5" ) );
    resetChampionship( { 4, 4 } );
    global::data::champ().addPlayer( 2, QStringLiteral( "Очень длинный псевдоним игрока" ), QStringLiteral( "Клан" ) );
    global::data::champ().addPlayer( 3, QStringLiteral( "x" ), QString() );
    drawFirstRoundInOrder();
    QDiagramScene wide_l( nullptr );
    wide_l.updateDiagram();
    QCOMPARE( wide_l.widestText(), QStringLiteral( "[Клан]Очень длинный псевдоним игрока" ) );
}

void tst_Scene::gameTitles_data()
{
    QTest::addColumn< int >( "denominator" );
    QTest::addColumn< int >( "number" );
    QTest::addColumn< QString >( "title" );
    QTest::newRow( "first game of 1/8" ) << 8 << 1 << QStringLiteral( "1/8 финала - игра №1" );
    QTest::newRow( "semi-final" ) << 2 << 2 << QStringLiteral( "1/2 финала - игра №2" );
    QTest::newRow( "final" ) << 1 << 1 << QStringLiteral( "Финал" );
}

void tst_Scene::gameTitles()
{
    QFETCH( int, denominator );
    QFETCH( int, number );
    QFETCH( QString, title );
    QCOMPARE( gameTitle( denominator, number ), title );
}

void tst_Scene::winnerDialogPresetsAndClears()
{
    QChooseWinnerDialog* const dialog_cl = global::widgets::chooseWinnerDialog();
    QCOMPARE( dialog_cl->windowTitle(), QStringLiteral( "Выбор победителя" ) );
    const QList< QRadioButton* > sides_cl = dialog_cl->findChildren< QRadioButton* >();
    QPushButton* ok_l = nullptr;
    for( QPushButton* const button_cl : dialog_cl->findChildren< QPushButton* >() )
        if( button_cl->text() == QStringLiteral( "Выбрать" ) )
            ok_l = button_cl;
    QVERIFY( ok_l );
    dialog_cl->setFavorite( QStringLiteral( "[K]Вася" ), QStringLiteral( "(Россия)" ) );
    dialog_cl->setOutsider( QStringLiteral( "Петя" ), QStringLiteral( "(Сиу)" ) );
    QCOMPARE( sides_cl.at( 0 )->text(), QStringLiteral( "[K]Вася\n(Россия)" ) );
    dialog_cl->setResult( EXPECTED );
    QVERIFY( sides_cl.at( 0 )->isChecked() );
    QVERIFY( ok_l->isEnabled() );
    dialog_cl->setResult( UNKNOWN );
    QVERIFY( !sides_cl.at( 0 )->isChecked() );
    QVERIFY( !sides_cl.at( 1 )->isChecked() );
    QVERIFY( !ok_l->isEnabled() );
    bool enabledByPress_l = false;
    whenModal(
        [ &sides_cl, ok_l, &enabledByPress_l ]( QWidget* )
        {
            QTest::mouseClick( sides_cl.at( 1 ), Qt::LeftButton, Qt::NoModifier,
                               QPoint( 5, sides_cl.at( 1 )->height() / 2 ) );
            enabledByPress_l = ok_l->isEnabled();
            ok_l->click();
        } );
    QCOMPARE( dialog_cl->chooseResult(), static_cast< int >( UNEXPECTED ) );
    QVERIFY( enabledByPress_l );
    whenModal( []( QWidget* modal_p ) { QTest::keyClick( modal_p, Qt::Key_Escape ); } );
    QCOMPARE( dialog_cl->chooseResult(), static_cast< int >( UNKNOWN ) );
}

void tst_Scene::clearDiagramEmptiesScene()
{
    resetChampionship( { 4, 4 } );
    drawFirstRoundInOrder();
    QDiagramScene scene_l( nullptr );
    scene_l.updateDiagram();
    QVERIFY( !scene_l.items().isEmpty() );
    scene_l.clearDiagram();
    QVERIFY( scene_l.items().isEmpty() );
    scene_l.updateDiagram();
    QCOMPARE( games( scene_l ).size(), 4 );
}

// A window per box costs a round trip to the X server each: a bracket of
// a thousand players would take seconds to show. The boxes share a few.
void tst_Scene::boxesHaveNoWindowsOfTheirOwn()
{
    resetChampionship( { 80, 80, 80, 80 } );
    QTossThread thread_l;
    thread_l.setPaced( false );
    QVERIFY( thread_l.drawInPlace( global::data::champ() ) );
    global::data::champ().setGameResult( 0, EXPECTED );
    QDiagramScene scene_l( nullptr );
    scene_l.updateDiagram();
    scene_l.updateWinner( 0 );
    int boxes_l = 0;
    QSet< QWindow* > windows_l;
    for( QGraphicsItem* const item_cl : scene_l.items() )
        if( QGraphicsProxyWidget* const proxy_cl = qgraphicsitem_cast< QGraphicsProxyWidget* >( item_cl ) )
        {
            // A holder: the boxes drawn are walked through its widgets.
            QVERIFY( proxy_cl->childItems().size() <= QDiagramScene::HOLDER_BOXES );
            boxes_l += proxy_cl->childItems().isEmpty();
            for( QWidget* widget_l = proxy_cl->widget(); widget_l; widget_l = widget_l->parentWidget() )
                if( widget_l->windowHandle() )
                    windows_l.insert( widget_l->windowHandle() );
        }
    QVERIFY( boxes_l > 2 * QDiagramScene::HOLDER_BOXES );
    QVERIFY2( windows_l.size() <= 1 + boxes_l / QDiagramScene::HOLDER_BOXES,
              qPrintable( QStringLiteral( "%1 windows for %2 boxes" ).arg( windows_l.size() ).arg( boxes_l ) ) );
}

QTEST_MAIN( tst_Scene )
#include "tst_scene.moc"
