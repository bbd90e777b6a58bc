#ifndef SORTIVANE_TESTSUPPORT_H
#define SORTIVANE_TESTSUPPORT_H

#include "championship.h"
#include "globals.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <QtGlobal>

#include <functional>

// Runs action_p on the next modal dialog once it is shown; the test then
// calls whatever opens it.
inline void whenModal( const std::function< void( QWidget* ) >& action_p )
{
    QTimer* const timer_l = new QTimer();
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

// The offscreen platform warns about size hints it cannot pass on; that is
// no fault of the program and would drown the test output.
inline void quietOffscreenPlatform()
{
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
