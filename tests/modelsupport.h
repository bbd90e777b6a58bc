#ifndef SORTIVANE_MODELSUPPORT_H
#define SORTIVANE_MODELSUPPORT_H

#include "championship.h"
#include "globaldata.h"
#include "platform.h"

#include <QDir>
#include <QElapsedTimer>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <QtGlobal>
#include <QtTest>

#include <cstdio>
#include <cstdlib>

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

// A dialog that never closes, or a draw that never ends, would hang a test
// until CTest's own timeout. This fails the test function that runs longer
// than limit_p seconds instead; a GUI test passes nameWindows_p to name the
// windows open at that moment. It runs in the main thread, so it fires
// within a hung dialog's own event loop.
inline void startWatchdog( int limit_p = 60, void ( *nameWindows_p )() = nullptr )
{
    static QTimer* const timer_scl = new QTimer();
    static QElapsedTimer running_s;
    static QByteArray function_s;
    timer_scl->setInterval( 500 );
    QObject::connect( timer_scl, &QTimer::timeout,
                      [ limit_p, nameWindows_p ]
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
                          std::fprintf( stderr, "FAIL!  : %s ran over %d s\n", current_cl.constData(), limit_p );
                          if( nameWindows_p )
                              nameWindows_p();
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

// What every test program calls first, with or without widgets.
inline void guardTestProgram()
{
    startWatchdog();
    failOnBrokenConnections();
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
