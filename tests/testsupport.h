#ifndef SORTIVANE_TESTSUPPORT_H
#define SORTIVANE_TESTSUPPORT_H

#include "championship.h"
#include "globals.h"

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
