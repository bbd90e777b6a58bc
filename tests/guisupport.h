#ifndef SORTIVANE_GUISUPPORT_H
#define SORTIVANE_GUISUPPORT_H

// Driving the main window as a user would: clicks, typed names, answered
// dialogs.

#include "QGameWidget.h"
#include "QTossApplication.h"
#include "QTossWindow.h"
#include "globals.h"
#include "testsupport.h"

#include <QAction>
#include <QFileDialog>
#include <QGraphicsProxyWidget>
#include <QGraphicsView>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeView>
#include <QtTest>

namespace gui
{
inline QTossWindow* window()
{
    return global::widgets::tossWindow();
}

// The title as the desktop shows it: "[*]" becomes "*" with unsaved work
// and nothing otherwise.
inline QString shownTitle()
{
    QString title_l = window()->windowTitle();
    return title_l.replace( QStringLiteral( "[*]" ), window()->isWindowModified() ? QStringLiteral( "*" ) : QString() );
}

template < typename T > T* child( const char* name_p )
{
    T* const child_l = window()->findChild< T* >( QString::fromLatin1( name_p ) );
    if( nullptr == child_l )
        qFatal( "no child %s", name_p );
    return child_l;
}

inline QAction* action( const QString& text_cp )
{
    for( QAction* const action_cl : window()->findChildren< QAction* >() )
        if( action_cl->text() == text_cp )
            return action_cl;
    qFatal( "no action" );
}

inline void clickRow( const QModelIndex& index_cp, Qt::KeyboardModifiers modifiers_p = Qt::NoModifier )
{
    QTreeView* const view_cl = child< QTreeView >( "playersView" );
    view_cl->scrollTo( index_cp );
    QTest::mouseClick( view_cl->viewport(), Qt::LeftButton, modifiers_p, view_cl->visualRect( index_cp ).center() );
}

inline void answerMessageBox( QMessageBox::StandardButton button_p, QString* text_rp = nullptr )
{
    whenModal(
        [ button_p, text_rp ]( QWidget* modal_p )
        {
            QMessageBox* const box_cl = qobject_cast< QMessageBox* >( modal_p );
            QVERIFY( box_cl );
            if( text_rp )
                *text_rp = box_cl->text();
            box_cl->button( button_p )->click();
        } );
}

// Types the path into the shared file dialog, as a user would: selectFile()
// alone leaves the field as it is while it has the focus.
inline void chooseFile( QFileDialog* dialog_p, const QString& path_cp )
{
    dialog_p->selectFile( path_cp );
    if( QLineEdit* const name_cl = dialog_p->findChild< QLineEdit* >( QStringLiteral( "fileNameEdit" ) ) )
        name_cl->setText( path_cp );
}

// Triggers the command and hands its file dialog to inspect_p, after
// confirming the question that some commands ask first.
inline QFileDialog* fileDialogOf( const QString& command_cp, const std::function< void( QFileDialog* ) >& inspect_p )
{
    QFileDialog* const dialog_cl = global::widgets::fileDialog();
    whenModal(
        [ inspect_p ]( QWidget* modal_p )
        {
            if( QMessageBox* const box_cl = qobject_cast< QMessageBox* >( modal_p ) )
            {
                box_cl->button( QMessageBox::Ok )->click();
                whenModal( [ inspect_p ]( QWidget* dialog_p )
                           { inspect_p( qobject_cast< QFileDialog* >( dialog_p ) ); } );
                return;
            }
            inspect_p( qobject_cast< QFileDialog* >( modal_p ) );
        } );
    action( command_cp )->trigger();
    return dialog_cl;
}

inline void enterPlayer( const QString& nickname_cp, const QString& clan_cp )
{
    whenModal(
        [ nickname_cp, clan_cp ]( QWidget* modal_p )
        {
            QCOMPARE( modal_p->windowTitle(), QStringLiteral( "Введите псевдоним добавляемого игрока" ) );
            const QList< QLineEdit* > fields_cl = modal_p->findChildren< QLineEdit* >();
            QVERIFY( fields_cl.at( 0 )->text().isEmpty() );
            QCOMPARE( modal_p->focusWidget(), fields_cl.at( 0 ) );
            // Typed one character at a time: keyClicks cannot send Cyrillic.
            for( const QChar char_cl : nickname_cp )
                QTest::sendKeyEvent( QTest::Click, fields_cl.at( 0 ), Qt::Key_unknown, QString( char_cl ),
                                     Qt::NoModifier );
            fields_cl.at( 1 )->setText( clan_cp );
            for( QPushButton* const button_cl : modal_p->findChildren< QPushButton* >() )
                if( button_cl->text() == QStringLiteral( "Ввести зачение" ) )
                    button_cl->click();
        } );
}

inline QModelIndex groupIndex( int row_p )
{
    return child< QTreeView >( "playersView" )->model()->index( row_p, 0 );
}

inline QModelIndex playerIndex( int groupRow_p, int row_p )
{
    return child< QTreeView >( "playersView" )->model()->index( row_p, 0, groupIndex( groupRow_p ) );
}

inline QList< QGameWidget* > gameWidgets();

// The widget of game gameId_p of round roundId_p, or null.
inline QGameWidget* gameWidget( int roundId_p, int gameId_p )
{
    for( QGameWidget* const game_cl : gameWidgets() )
        if( game_cl->roundId() == roundId_p && game_cl->gameId() == gameId_p )
            return game_cl;
    return nullptr;
}

// Clicks the game widget in the bracket and picks a side in the dialog.
// Answers the winner dialog that comes next.
inline void chooseWinner( bool outsider_p )
{
    whenModal(
        [ outsider_p ]( QWidget* modal_p )
        {
            modal_p->findChildren< QRadioButton* >().at( outsider_p ? 1 : 0 )->click();
            for( QPushButton* const button_cl : modal_p->findChildren< QPushButton* >() )
                if( button_cl->text() == QStringLiteral( "Выбрать" ) )
                    button_cl->click();
        } );
}

inline void clickGame( QGameWidget* game_p, bool outsider_p )
{
    chooseWinner( outsider_p );
    QGraphicsView* const view_cl = child< QGraphicsView >( "diagramView" );
    QGraphicsProxyWidget* const proxy_cl = game_p->graphicsProxyWidget();
    view_cl->ensureVisible( proxy_cl, 0, 0 );
    QTest::mouseClick( view_cl->viewport(), Qt::LeftButton, Qt::NoModifier,
                       view_cl->mapFromScene( proxy_cl->sceneBoundingRect().center() ) );
}

inline QList< QGameWidget* > gameWidgets()
{
    QList< QGameWidget* > games_l;
    for( QGraphicsItem* const item_cl : child< QGraphicsView >( "diagramView" )->scene()->items( Qt::AscendingOrder ) )
        if( QGraphicsProxyWidget* const proxy_cl = qgraphicsitem_cast< QGraphicsProxyWidget* >( item_cl ) )
            if( QGameWidget* const game_cl = qobject_cast< QGameWidget* >( proxy_cl->widget() ) )
                games_l.append( game_cl );
    return games_l;
}
}

// A test main that makes the program's own application object, as main does,
// for tests of what that object sets up.
#define SORTIVANE_APPLICATION_TEST_MAIN( TestClass )                                                                   \
    int main( int argc, char** argv )                                                                                  \
    {                                                                                                                  \
        int result_l = 0;                                                                                              \
        {                                                                                                              \
            QTossApplication application_l( argc, argv );                                                              \
            TestClass test_l;                                                                                          \
            result_l = QTest::qExec( &test_l, argc, argv );                                                            \
        }                                                                                                              \
        return result_l;                                                                                               \
    }

#endif
