#ifndef SORTIVANE_TESTSUPPORT_H
#define SORTIVANE_TESTSUPPORT_H

#include "bracketlayout.h"
#include "championship.h"
#include "globals.h"
#include "platform.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QPointer>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>
#include <QtGlobal>
#include <QtTest>

#include <cstdio>
#include <cstdlib>

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

// Every test process keeps its settings and recovery copies in folders of
// its own, made anew before the application exists: what one run remembers
// never reaches another, nor the user's own.
struct FreshHome
{
    FreshHome()
    {
        qputenv( "XDG_CONFIG_HOME", QFile::encodeName( dir_m.filePath( QStringLiteral( "config" ) ) ) );
        qputenv( "XDG_DATA_HOME", QFile::encodeName( dir_m.filePath( QStringLiteral( "data" ) ) ) );
#ifdef Q_OS_WIN
        // Windows takes neither folder from the environment: the settings
        // go to an INI file here instead of the registry. The recovery
        // copies stay in the profile's own folder, where a program the test
        // starts finds them too: the Windows tests run in a Wine prefix made
        // for them (scripts/windows.sh).
        QSettings::setDefaultFormat( QSettings::IniFormat );
        QSettings::setPath( QSettings::IniFormat, QSettings::UserScope, dir_m.filePath( QStringLiteral( "config" ) ) );
        platform::useOwnFontsOffscreen();
#endif
    }
    QTemporaryDir dir_m;
};
inline const FreshHome freshHome_g;

// A dialog that never closes would hang a GUI test until CTest's own
// timeout. This fails the test function that runs longer than limit_p
// seconds instead, naming the windows open at that moment. It runs in the
// GUI thread, so it fires within a hung dialog's own event loop.
inline void startWatchdog( int limit_p = 60 )
{
    static QTimer* const timer_scl = new QTimer();
    static QElapsedTimer running_s;
    static QByteArray function_s;
    timer_scl->setInterval( 500 );
    QObject::connect( timer_scl, &QTimer::timeout,
                      [ limit_p ]
                      {
                          const QByteArray current_cl =
                              QByteArray( QTest::currentTestFunction() ) + '(' + QTest::currentDataTag() + ')';
                          if( current_cl != function_s || !running_s.isValid() )
                          {
                              function_s = current_cl;
                              running_s.start();
                              return;
                          }
                          if( running_s.elapsed() < limit_p * 1000LL )
                              return;
                          std::fprintf( stderr, "FAIL!  : %s ran over %d s; open windows:\n", current_cl.constData(),
                                        limit_p );
                          // A test without widgets has no windows to name.
                          const bool widgets_cl = qobject_cast< QApplication* >( QCoreApplication::instance() );
                          for( QWidget* const window_cl : widgets_cl ? QApplication::topLevelWidgets() : QWidgetList() )
                              if( window_cl->isVisible() )
                                  std::fprintf( stderr, "  %s \"%s\"%s\n", window_cl->metaObject()->className(),
                                                qPrintable( window_cl->windowTitle() ),
                                                window_cl == QApplication::activeModalWidget() ? " (modal)" : "" );
                          std::fflush( stderr );
                          std::_Exit( EXIT_FAILURE );
                      } );
    timer_scl->start();
}

// The program connects by name, as its design prescribes, so a misspelt
// signal or slot is no compile error, only Qt's warning at run time: here it
// fails the test that made the connection.
inline void failOnBrokenConnections()
{
    static const QtMessageHandler previous_scl = qInstallMessageHandler(
        []( QtMsgType type_p, const QMessageLogContext& context_cp, const QString& message_cp )
        {
            for( const char* const broken_cl :
                 { "No such signal", "No such slot", "Incompatible sender/receiver arguments" } )
                if( message_cp.contains( QLatin1String( broken_cl ) ) )
                    QTest::qFail( qPrintable( message_cp ), context_cp.file ? context_cp.file : __FILE__,
                                  context_cp.line );
            previous_scl( type_p, context_cp, message_cp );
        } );
}

// The offscreen platform warns about size hints it cannot pass on; that is
// no fault of the program and would drown the test output. Every GUI test
// calls this first, so it also starts the watchdog and fails on a broken
// connection.
inline void quietOffscreenPlatform()
{
    startWatchdog();
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

// Puts the global championship back to a new one with players named
// "<prefix><group>-<n>", amounts_cp[i] players in group i + 1.
inline void resetChampionship( const QVector< int >& amounts_cp = {}, const QString& prefix_cp = QStringLiteral( "p" ) )
{
    Championship& champ_l = global::data::champ();
    champ_l.reset();
    champ_l.clearFileName();
    for( int i = 0; i < amounts_cp.size(); ++i )
        for( int n = 0; n < amounts_cp.at( i ); ++n )
            champ_l.addPlayer( i + 1, QStringLiteral( "%1%2-%3" ).arg( prefix_cp ).arg( i + 1 ).arg( n ), QString() );
}

#endif
