#include "QRoundProgress.h"

#include "championship.h"
#include "globals.h"

namespace
{
// "игра", "игры" or "игр", as the number before it asks.
QString games( int amount_p )
{
    const int lastTwo_cl = amount_p % 100;
    const int last_cl = amount_p % 10;
    if( lastTwo_cl >= 11 && lastTwo_cl <= 14 )
        return QStringLiteral( "игр" );
    if( 1 == last_cl )
        return QStringLiteral( "игра" );
    if( last_cl >= 2 && last_cl <= 4 )
        return QStringLiteral( "игры" );
    return QStringLiteral( "игр" );
}
}

QRoundProgress::QRoundProgress( QWidget* parent_p ) : QLabel( parent_p )
{
    setObjectName( QStringLiteral( "roundProgressLabel" ) );
}

void QRoundProgress::refresh()
{
    setText( progressText( global::data::champ() ) );
}

QString QRoundProgress::progressText( const Championship& champ_cp )
{
    if( champ_cp.rounds().isEmpty() )
        return QString();
    const Round& round_crl = champ_cp.rounds().at( champ_cp.currentRound() );
    const int open_cl = round_crl.games_m.size() - champ_cp.decidedGames();
    if( open_cl <= 0 )
        return QString();
    return QStringLiteral( "В туре «" ) + roundTitle( round_crl.denominator() )
           + QStringLiteral( "» без победителя: %1 " ).arg( open_cl ) + games( open_cl );
}
