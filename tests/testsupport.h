#ifndef SORTIVANE_TESTSUPPORT_H
#define SORTIVANE_TESTSUPPORT_H

#include "bracketlayout.h"
#include "globals.h"
#include "modelsupport.h"
#include "platform.h"

#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QWidget>

#include <functional>

// Runs action_p on the next modal dialog once it is shown; the test then
// calls whatever opens it.
inline QList< QPointer< QTimer > >& pendingModalActions()
{
    static QList< QPointer< QTimer > > timers_s;
    return timers_s;
}

inline void whenModal( const std::function< void( QWidget* ) >& action_p )
{
    QTimer* const timer_l = new QTimer();
    pendingModalActions().removeAll( nullptr );
    pendingModalActions().append( timer_l );
    timer_l->setInterval( 5 );
    QObject::connect( timer_l, &QTimer::timeout,
                      [ timer_l, action_p ]
                      {
                          QWidget* const modal_cl = QApplication::activeModalWidget();
                          if( nullptr == modal_cl || !modal_cl->isVisible() )
                              return;
                          timer_l->stop();
                          timer_l->deleteLater();
                          action_p( modal_cl );
                      } );
    timer_l->start();
}

// After a test that failed midway: the answers it prepared for dialogs that
// never came are dropped, and the dialogs it left open are closed, so that
// the next test starts on the window alone.
inline void dropLeftoverDialogs()
{
    for( const QPointer< QTimer >& timer_cl : qAsConst( pendingModalActions() ) )
        delete timer_cl.data();
    pendingModalActions().clear();
    for( QWidget* const window_cl : QApplication::topLevelWidgets() )
        if( QDialog* const dialog_cl = qobject_cast< QDialog* >( window_cl ); dialog_cl && dialog_cl->isVisible() )
            dialog_cl->reject();
}

// Names the windows open when the watchdog fires.
inline void nameOpenWindows()
{
    for( QWidget* const window_cl : QApplication::topLevelWidgets() )
        if( window_cl->isVisible() )
            std::fprintf( stderr, "  %s \"%s\"%s\n", window_cl->metaObject()->className(),
                          qPrintable( window_cl->windowTitle() ),
                          window_cl == QApplication::activeModalWidget() ? " (modal)" : "" );
}

// The offscreen platform warns about size hints it cannot pass on; that is
// no fault of the program and would drown the test output. Every GUI test
// calls this first, so it also starts the watchdog and fails on a broken
// connection.
inline void quietOffscreenPlatform()
{
    startWatchdog( 60, nameOpenWindows );
    failOnBrokenConnections();
#ifdef Q_OS_WIN
    // The offscreen platform on Windows has no fonts but the program's own:
    // they are there before the first widget measures its texts, as a real
    // platform's fonts would be.
    BracketLayout::addFonts();
#endif
    static const QtMessageHandler previous_scl = qInstallMessageHandler(
        []( QtMsgType type_p, const QMessageLogContext& context_cp, const QString& message_cp )
        {
            if( message_cp.contains( QStringLiteral( "propagateSizeHints" ) ) )
                return;
            previous_scl( type_p, context_cp, message_cp );
        } );
}

#endif
