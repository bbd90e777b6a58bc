// A seeded monkey: drives the real main window through whatever is visible
// and enabled, answers every dialog at random with raw mouse and key input,
// and after each step checks that the championship still holds together.
//
//   SORTIVANE_MONKEY_SEEDS="7 8 9"  the seeds to run (default: a fixed list)
//   SORTIVANE_MONKEY_STEPS=20000    steps per seed
//
// A failed assertion aborts the process; the abort handler then prints the
// seed and the step, so that the run can be replayed.
#include "QChooseWinnerDialog.h"
#include "QGameWidget.h"
#include "QTossApplication.h"
#include "QTossProcessWindow.h"
#include "QTossThread.h"
#include "QTossWindow.h"
#include "championship.h"
#include "drawseed.h"
#include "guisupport.h"
#include "savefile.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QFileDialog>
#include <QListView>
#include <QRandomGenerator>
#include <QSlider>
#include <QTemporaryDir>
#include <QToolBar>
#include <QToolButton>

#include <algorithm>
#include <csignal>
#include <cstdio>

using namespace gui;

namespace
{
volatile std::sig_atomic_t seed_g = 0;
volatile std::sig_atomic_t step_g = 0;
QStringList warnings_g;

void reportOnAbort( int )
{
    std::fprintf( stderr, "monkey: aborted at seed %d, step %d\n", static_cast< int >( seed_g ),
                  static_cast< int >( step_g ) );
    std::fflush( stderr );
    std::signal( SIGABRT, SIG_DFL );
    std::abort();
}

// The offscreen platform cannot raise a window or grab the keyboard for a
// combo box's popup; it says so, and that is no fault of the program.
bool isOffscreenLimit( const QString& message_cp )
{
    static const QStringList limits_scl { QStringLiteral( "This plugin does not support raise()" ),
                                          QStringLiteral( "This plugin does not support grabbing the keyboard" ),
                                          QStringLiteral( "This plugin does not support propagateSizeHints()" ) };
    return limits_scl.contains( message_cp );
}

void recordWarnings( QtMsgType type_p, const QMessageLogContext&, const QString& message_cp )
{
    if( QtFatalMsg == type_p )
        std::fprintf( stderr, "%s\n", qPrintable( message_cp ) );
    else if( type_p != QtDebugMsg && type_p != QtInfoMsg && !isOffscreenLimit( message_cp ) )
        warnings_g.append( message_cp );
}

// What a person may type into a field.
const QStringList& typedTexts()
{
    static const QStringList texts_scl { QString(), QStringLiteral( "   " ), QStringLiteral( "Вася" ),
                                         QStringLiteral( "[RU]Пётр" ), QString( 300, QLatin1Char( 'w' ) ),
                                         QStringLiteral( "雪 \U0001F600" ), QStringLiteral( "a&b<c>\"d\"" ),
                                         // Pasted from elsewhere: controls, non-characters, a lone surrogate.
                                         QStringLiteral( "Таб\tВася\x0B\r\n" ),
                                         QString( QChar( 0xFFFE ) ) + QChar( 0xD800 ) + QStringLiteral( "Пётр" ),
                                         QString( 70, QChar( 0x0416 ) ) };
    return texts_scl;
}

QString describe( const Championship& champ_cp )
{
    return QStringLiteral( "%1 players, %2 rounds, current %3" )
        .arg( champ_cp.playersAmount() )
        .arg( champ_cp.rounds().size() )
        .arg( champ_cp.currentRound() );
}

// The invariants every step must keep; empty when they hold.
QString inconsistency( const Championship& champ_cp )
{
    if( !champ_cp.canBePlayedToFinal() )
        return QStringLiteral( "the bracket does not add up" );
    const auto registered_l = [ &champ_cp ]( const PlayerRef& player_cp )
    { return champ_cp.players().value( player_cp.groupId() ).contains( player_cp.playerId() ); };
    for( int r = 0; r < champ_cp.rounds().size(); ++r )
    {
        const Round& round_crl = champ_cp.rounds().at( r );
        if( round_crl.playersAmount() > 2 * round_crl.denominator() )
            return QStringLiteral( "round %1 holds %2 players for %3 places" )
                .arg( r )
                .arg( round_crl.playersAmount() )
                .arg( 2 * round_crl.denominator() );
        for( auto group_it = round_crl.players_m.cbegin(); group_it != round_crl.players_m.cend(); ++group_it )
            for( const int id_cl : group_it.value() )
                if( !registered_l( PlayerRef( group_it.key(), id_cl ) ) )
                    return QStringLiteral( "round %1 pools an unregistered player" ).arg( r );
        for( const Game& game_crl : round_crl.games_m )
        {
            if( !registered_l( game_crl.favorite_m ) || !registered_l( game_crl.outsider_m ) )
                return QStringLiteral( "round %1 has a game of an unregistered player" ).arg( r );
            if( UNKNOWN != game_crl.result_m && r > champ_cp.currentRound() )
                return QStringLiteral( "round %1 has a result after the current round" ).arg( r );
        }
    }
    return QString();
}

// A draw adds a round and changes no result; a round it stores comes
// without results, and no answer given before it may land in it.
QString resultChangedByDraw( const Championship& before_cp, const Championship& after_cp )
{
    if( after_cp.currentRound() <= before_cp.currentRound() || before_cp.rounds().isEmpty() )
        return QString();
    for( int r = 0; r <= before_cp.currentRound(); ++r )
        if( after_cp.rounds().at( r ).games_m != before_cp.rounds().at( r ).games_m )
            return QStringLiteral( "the draw changed the games of round %1" ).arg( r );
    for( const Game& game_crl : after_cp.rounds().at( after_cp.currentRound() ).games_m )
        if( UNKNOWN != game_crl.result_m )
            return QStringLiteral( "a newly drawn game has a result" );
    return QString();
}

class Monkey : public QObject
{
public:
    Monkey( quint32 seed_p, const QString& folder_cp ) : random_m( seed_p ), folder_m( folder_cp )
    {
        answerer_m.setInterval( 1 );
        connect( &answerer_m, &QTimer::timeout, this, &Monkey::answerModal );
        answerer_m.start();
    }

    // Whether the last step loaded a championship, which may stand a later
    // round anywhere.
    bool loaded() const { return loaded_m; }
    // The file the last step saved, if it saved one.
    QString saved() const { return saved_m; }

    void step()
    {
        loaded_m = false;
        saved_m.clear();
        // While the show runs, the organiser clicks around the bracket.
        if( global::widgets::tossProcessWindow()->isVisible() && random_m.bounded( 2 ) )
        {
            clickGame();
            return;
        }
        // An organiser draws as soon as the draw may start, more often than not.
        if( action( QStringLiteral( "Запустить" ) )->isEnabled() && random_m.bounded( 3 ) )
        {
            startDraw();
            return;
        }
        switch( random_m.bounded( 15 ) )
        {
        case 0:
        case 1:
            selectPlayers();
            break;
        case 2:
        case 3:
            clickButton( randomOf( panelButtons() ) );
            break;
        case 4:
            selectNations();
            break;
        case 5:
        case 6:
        case 7:
        case 8:
            clickGame();
            break;
        case 9:
            useCommand();
            break;
        case 10:
            interruptDraw();
            break;
        case 11:
            child< QSlider >( "scaleSlider" )->setValue( 10 + random_m.bounded( 91 ) );
            break;
        case 12:
            pressShortcut();
            break;
        default:
            QTest::qWait( random_m.bounded( 30 ) );
        }
    }

private:
    template < typename T > T* randomOf( const QList< T* >& items_cp )
    {
        return items_cp.isEmpty() ? nullptr : items_cp.at( random_m.bounded( items_cp.size() ) );
    }

    QList< QAbstractButton* > panelButtons()
    {
        QList< QAbstractButton* > buttons_l;
        for( const char* const name_cl : { "addPlayerBtn", "removePlayerBtn", "renamePlayerBtn", "movePlayerUpBtn",
                                           "movePlayerDownBtn", "addNationBtn", "removeNationBtn" } )
            buttons_l.append( child< QToolButton >( name_cl ) );
        return buttons_l;
    }

    void clickButton( QAbstractButton* button_p )
    {
        if( button_p && button_p->isVisible() )
            QTest::mouseClick( button_p, Qt::LeftButton, Qt::NoModifier, pointOn( button_p ) );
    }

    // Where a person clicks a widget: a radio button, stretched by its
    // layout, takes clicks on its circle and text only.
    static QPoint pointOn( QWidget* widget_p )
    {
        if( qobject_cast< QRadioButton* >( widget_p ) )
            return QPoint( 8, widget_p->height() / 2 );
        return widget_p->rect().center();
    }

    Qt::KeyboardModifiers randomModifiers()
    {
        static const Qt::KeyboardModifiers modifiers_scl[] = { Qt::NoModifier, Qt::NoModifier, Qt::ControlModifier,
                                                               Qt::ShiftModifier };
        return modifiers_scl[ random_m.bounded( 4 ) ];
    }

    void selectPlayers()
    {
        QTreeView* const view_cl = child< QTreeView >( "playersView" );
        QAbstractItemModel* const model_cl = view_cl->model();
        if( !model_cl->rowCount() )
            return;
        const QModelIndex group_cl = model_cl->index( random_m.bounded( model_cl->rowCount() ), 0 );
        view_cl->setExpanded( group_cl, random_m.bounded( 4 ) != 0 );
        QModelIndex target_l = group_cl;
        if( view_cl->isExpanded( group_cl ) && model_cl->rowCount( group_cl ) && random_m.bounded( 3 ) )
            target_l = model_cl->index( random_m.bounded( model_cl->rowCount( group_cl ) ), 0, group_cl );
        clickRow( target_l, randomModifiers() );
    }

    void selectNations()
    {
        QListView* const view_cl = child< QListView >( "nationsView" );
        const int rows_cl = view_cl->model()->rowCount();
        if( !rows_cl )
            return;
        const QModelIndex index_cl = view_cl->model()->index( random_m.bounded( rows_cl ), 0 );
        view_cl->scrollTo( index_cl );
        QTest::mouseClick( view_cl->viewport(), Qt::LeftButton, randomModifiers(),
                           view_cl->visualRect( index_cl ).center() );
    }

    // Mostly a game of the round being played, as an organiser records it.
    void clickGame()
    {
        QList< QGameWidget* > games_l = gameWidgets();
        const int current_cl = global::data::champ().currentRound();
        if( random_m.bounded( 3 ) )
            games_l.erase( std::remove_if( games_l.begin(), games_l.end(),
                                           [ current_cl ]( QGameWidget* game_p )
                                           { return game_p->roundId() != current_cl; } ),
                           games_l.end() );
        QGameWidget* const game_cl = randomOf( games_l );
        if( nullptr == game_cl )
            return;
        QGraphicsView* const view_cl = child< QGraphicsView >( "diagramView" );
        QGraphicsProxyWidget* const proxy_cl = game_cl->graphicsProxyWidget();
        view_cl->ensureVisible( proxy_cl, 0, 0 );
        QTest::mouseClick( view_cl->viewport(), Qt::LeftButton, Qt::NoModifier,
                           view_cl->mapFromScene( proxy_cl->sceneBoundingRect().center() ) );
    }

    // The keys an organiser learns first: rename in the list, undo and draw
    // anywhere.
    void pressShortcut()
    {
        switch( random_m.bounded( 3 ) )
        {
        case 0:
            QTest::keyClick( child< QTreeView >( "playersView" ), Qt::Key_F2 );
            break;
        case 1:
            QTest::keyClick( window(), Qt::Key_Z, Qt::ControlModifier );
            break;
        default:
            QTest::keyClick( window(), Qt::Key_F5 );
        }
    }

    void useCommand()
    {
        static const QStringList commands_scl {
            QStringLiteral( "Начать новый" ), QStringLiteral( "Продолжить сохранённый" ),
            QStringLiteral( "Сохранить" ),    QStringLiteral( "Сохранить как ..." ),
            QStringLiteral( "Запустить" ),    QStringLiteral( "Отменить жеребьевку" ),
            QStringLiteral( "Выйти" ),        QStringLiteral( "?" )
        };
        QAction* const action_cl = action( commands_scl.at( random_m.bounded( commands_scl.size() ) ) );
        if( action_cl->text() == QStringLiteral( "Запустить" ) )
            startDraw();
        else
            triggerAction( action_cl );
    }

    // Mostly unpaced, so that many steps fit in a run; paced now and then,
    // so that the organiser can act while the show runs.
    void startDraw()
    {
        global::threads::tossThread()->setPaced( 0 == random_m.bounded( 2 ) );
        triggerAction( action( QStringLiteral( "Запустить" ) ) );
    }

    void triggerAction( QAction* action_cl )
    {
        if( !action_cl->isEnabled() )
            return;
        QToolBar* const toolBar_cl = window()->findChild< QToolBar* >();
        QWidget* const button_cl = toolBar_cl->widgetForAction( action_cl );
        if( button_cl && random_m.bounded( 2 ) )
            QTest::mouseClick( button_cl, Qt::LeftButton );
        else
            action_cl->trigger();
        // "Выйти" may have closed the window; the organiser starts it again.
        if( !window()->isVisible() )
            window()->show();
    }

    void interruptDraw()
    {
        QTossProcessWindow* const show_cl = global::widgets::tossProcessWindow();
        if( !show_cl->isVisible() )
            return;
        switch( random_m.bounded( 3 ) )
        {
        case 0:
            clickButton( show_cl->findChild< QPushButton* >() );
            break;
        case 1:
            QTest::keyClick( show_cl, Qt::Key_Escape );
            break;
        default:
            show_cl->close();
        }
    }

    // The answerer: one raw input or one answer per tick on the modal
    // dialog in front, whatever opened it. The input is posted, because it
    // may open a further dialog whose nested loop would block this timer.
    void answerModal()
    {
        QWidget* const modal_cl = QApplication::activeModalWidget();
        if( pending_m || nullptr == modal_cl || !modal_cl->isVisible() )
            return;
        pending_m = true;
        const QPointer< QWidget > guarded_cl( modal_cl );
        // Now and then the organiser hesitates, long enough for a draw to
        // end behind the dialog.
        QTimer::singleShot( random_m.bounded( 40 ) ? 0 : random_m.bounded( 400 ), this,
                            [ this, guarded_cl ]
                            {
                                pending_m = false;
                                if( guarded_cl && guarded_cl == QApplication::activeModalWidget() )
                                    inputInto( guarded_cl );
                            } );
    }

    void inputInto( QWidget* modal_cl )
    {
        if( modal_cl != modal_m )
        {
            modal_m = modal_cl;
            inputs_m = 0;
        }
        const QMessageBox* const box_cl = qobject_cast< QMessageBox* >( modal_cl );
        if( box_cl && box_cl->text().startsWith( QStringLiteral( "Данные успешно загружены" ) ) )
            loaded_m = true;
        if( box_cl && box_cl->text().startsWith( QStringLiteral( "Данные успешно сохранены" ) ) )
            saved_m = box_cl->text().section( QLatin1Char( '"' ), 1, 1 );
        if( QFileDialog* const files_cl = qobject_cast< QFileDialog* >( modal_cl ) )
            answerFileDialog( files_cl );
        else if( qobject_cast< QChooseWinnerDialog* >( modal_cl ) && random_m.bounded( 4 ) )
            pickWinner( modal_cl );
        else if( ++inputs_m > 8 || !random_m.bounded( 4 ) )
            answer( modal_cl );
        else
            rawInput( modal_cl );
    }

    void answer( QWidget* modal_p )
    {
        switch( random_m.bounded( 4 ) )
        {
        case 0:
            QTest::keyClick( modal_p, Qt::Key_Escape );
            break;
        case 1:
            modal_p->close();
            break;
        default:
            clickButton( randomOf( modal_p->findChildren< QPushButton* >() ) );
        }
    }

    // The organiser means it: a side, then "Выбрать".
    void pickWinner( QWidget* dialog_p )
    {
        clickButton( randomOf( dialog_p->findChildren< QRadioButton* >() ) );
        for( QPushButton* const button_cl : dialog_p->findChildren< QPushButton* >() )
            if( button_cl->text() == QStringLiteral( "Выбрать" ) )
                clickButton( button_cl );
    }

    void rawInput( QWidget* modal_p )
    {
        QList< QWidget* > targets_l;
        for( QWidget* const widget_cl : modal_p->findChildren< QWidget* >() )
            if( widget_cl->isVisible()
                && ( qobject_cast< QAbstractButton* >( widget_cl ) || qobject_cast< QLineEdit* >( widget_cl )
                     || qobject_cast< QComboBox* >( widget_cl ) ) )
                targets_l.append( widget_cl );
        QWidget* const target_cl = randomOf( targets_l );
        switch( random_m.bounded( 6 ) )
        {
        case 0:
            if( target_cl )
                QTest::mouseClick( target_cl, Qt::LeftButton, Qt::NoModifier, pointOn( target_cl ) );
            break;
        case 1:
            // Pressed on one widget, released over another: the release goes
            // to the pressed widget, outside its own rectangle.
            if( QWidget* const other_cl = randomOf( targets_l ) )
                if( target_cl )
                {
                    QTest::mousePress( target_cl, Qt::LeftButton, Qt::NoModifier, pointOn( target_cl ) );
                    QTest::mouseRelease( target_cl, Qt::LeftButton, Qt::NoModifier,
                                         target_cl->mapFromGlobal( other_cl->mapToGlobal( other_cl->rect().center() ) )
                                             + QPoint( 0, target_cl->height() ) );
                }
            break;
        case 2:
            if( QLineEdit* const edit_cl = qobject_cast< QLineEdit* >( target_cl ) )
                edit_cl->setText( typedTexts().at( random_m.bounded( typedTexts().size() ) ) );
            break;
        default:
        {
            static const Qt::Key keys_scl[] = { Qt::Key_Tab, Qt::Key_Space, Qt::Key_Up, Qt::Key_Down, Qt::Key_Return };
            QWidget* const focus_cl = modal_p->focusWidget() ? modal_p->focusWidget() : modal_p;
            QTest::keyClick( focus_cl, keys_scl[ random_m.bounded( 5 ) ] );
        }
        }
    }

    // Names are typed as paths into the monkey's own folder, so that no
    // answer ever reaches a file outside it.
    void answerFileDialog( QFileDialog* dialog_p )
    {
        if( !random_m.bounded( 5 ) )
        {
            answer( dialog_p );
            return;
        }
        static const QStringList names_scl { QStringLiteral( "a.stv" ), QStringLiteral( "b" ),
                                             QStringLiteral( "c.xml" ), QStringLiteral( "чемпионат.stv" ),
                                             QStringLiteral( "missing.stv" ) };
        QLineEdit* const name_cl = dialog_p->findChild< QLineEdit* >( QStringLiteral( "fileNameEdit" ) );
        if( nullptr == name_cl )
        {
            dialog_p->reject();
            return;
        }
        name_cl->setText( folder_m + QLatin1Char( '/' ) + names_scl.at( random_m.bounded( names_scl.size() ) ) );
        QTest::keyClick( name_cl, Qt::Key_Return );
    }

    QRandomGenerator random_m;
    QString folder_m;
    QTimer answerer_m;
    QWidget* modal_m = nullptr;
    int inputs_m = 0;
    bool pending_m = false;
    bool loaded_m = false;
    QString saved_m;
};

QList< quint32 > seeds()
{
    QList< quint32 > seeds_l;
    for( const QString& seed_crl :
         qEnvironmentVariable( "SORTIVANE_MONKEY_SEEDS" ).split( QLatin1Char( ' ' ), Qt::SkipEmptyParts ) )
        seeds_l.append( seed_crl.toUInt() );
    return seeds_l.isEmpty() ? QList< quint32 > { 1, 2, 3, 4 } : seeds_l;
}
}

class tst_Monkey : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void exploresWindowWithoutFault_data();
    void exploresWindowWithoutFault();
};

void tst_Monkey::initTestCase()
{
    qInstallMessageHandler( recordWarnings );
    std::signal( SIGABRT, reportOnAbort );
    // A seed's walk takes a few seconds, and several times that under the
    // sanitizers.
    startWatchdog( 300, nameOpenWindows );
    QTossApplication::connectGlobalObjects();
    window()->resize( 1200, 800 );
    window()->show();
    QVERIFY( QTest::qWaitForWindowExposed( window() ) );
}

void tst_Monkey::exploresWindowWithoutFault_data()
{
    QTest::addColumn< quint32 >( "seed" );
    for( const quint32 seed_cl : seeds() )
        QTest::newRow( qPrintable( QStringLiteral( "seed %1" ).arg( seed_cl ) ) ) << seed_cl;
}

void tst_Monkey::exploresWindowWithoutFault()
{
    QFETCH( quint32, seed );
    const int steps_cl = qEnvironmentVariableIsSet( "SORTIVANE_MONKEY_STEPS" )
                             ? qEnvironmentVariableIntValue( "SORTIVANE_MONKEY_STEPS" )
                             : 750;
    QTemporaryDir folder_l;
    QVERIFY( folder_l.isValid() );
    QDir::setCurrent( folder_l.path() );
    drawseed::setFixedSeed( seed );
    resetChampionship( { 2, 3, 1, 2 } );
    window()->resetViews();
    warnings_g.clear();
    seed_g = static_cast< int >( seed );

    Monkey monkey_l( seed, folder_l.path() );
    for( int step_l = 1; step_l <= steps_cl; ++step_l )
    {
        step_g = step_l;
        const Championship before_cl = global::data::champ();
        monkey_l.step();
        // Between two actions of a person the window catches up.
        QCoreApplication::processEvents();
        const Championship& champ_crl = global::data::champ();
        const QString where_cl =
            QStringLiteral( "seed %1, step %2 (%3): " ).arg( seed ).arg( step_l ).arg( describe( champ_crl ) );
        if( !warnings_g.isEmpty() )
            QFAIL( qPrintable( where_cl + QStringLiteral( "Qt warned: " ) + warnings_g.join( QLatin1Char( '|' ) ) ) );
        const QString broken_cl = inconsistency( champ_crl )
                                  + ( monkey_l.loaded() ? QString() : resultChangedByDraw( before_cl, champ_crl ) );
        if( !broken_cl.isEmpty() )
            QFAIL( qPrintable( where_cl + broken_cl ) );
        // Every file the window says it saved loads, and holds what was saved.
        Championship reloaded_l;
        if( !monkey_l.saved().isEmpty()
            && ( !reloaded_l.load( monkey_l.saved() ) || !reloaded_l.holdsSameAs( champ_crl ) ) )
            QFAIL( qPrintable( where_cl + QStringLiteral( "a saved file does not load back" ) ) );
        if( 0 == step_l % 25 )
        {
            Championship loaded_l;
            const QString text_cl = SaveFile::toText( champ_crl );
            if( !SaveFile::fromText( text_cl, loaded_l ) || !loaded_l.holdsSameAs( champ_crl ) )
                QFAIL( qPrintable( where_cl + QStringLiteral( "save and load differ" ) ) );
        }
    }
    // Leave no draw behind for the next seed.
    global::threads::tossThread()->sltStop();
    global::threads::tossThread()->wait();
    QTRY_VERIFY( !global::widgets::tossProcessWindow()->isVisible() );
}

SORTIVANE_APPLICATION_TEST_MAIN( tst_Monkey )

#include "tst_monkey.moc"
