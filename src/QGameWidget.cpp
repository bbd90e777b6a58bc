#include "QGameWidget.h"

#include "QChooseWinnerDialog.h"
#include "QTossWindow.h"
#include "championship.h"
#include "globals.h"

#include <QLabel>
#include <QMouseEvent>
#include <QVBoxLayout>

QGameWidget::QGameWidget( int roundId_p, int gameId_p, const QString& widestText_cp )
    : QFrame( nullptr ), roundId_m( roundId_p ), gameId_m( gameId_p )
{
    const Championship& champ_crl = global::data::champ();
    const Round& round_crl = champ_crl.rounds().at( roundId_m );
    const Game& game_crl = round_crl.game( gameId_m );
    static const QString nationFormat_scl = QStringLiteral( "(%1)" );

    QVBoxLayout* const layout_l = new QVBoxLayout( this );
    titleLabel_m = createCenteredLabel( gameTitle( round_crl.denominator(), gameId_m + 1 ) );
    favoriteLabel_m = createCenteredLabel( champ_crl.playerText( game_crl.favorite_m ) );
    favoriteNationLabel_m =
        createCenteredLabel( nationFormat_scl.arg( champ_crl.nationName( game_crl.favoriteNation_m ) ) );
    QLabel* const versusLabel_cl = createCenteredLabel( QStringLiteral( "VS" ) );
    outsiderLabel_m = createCenteredLabel( champ_crl.playerText( game_crl.outsider_m ) );
    outsiderNationLabel_m =
        createCenteredLabel( nationFormat_scl.arg( champ_crl.nationName( game_crl.outsiderNation_m ) ) );
    for( QLabel* const label_cl : { titleLabel_m, favoriteLabel_m, favoriteNationLabel_m, versusLabel_cl,
                                    outsiderLabel_m, outsiderNationLabel_m } )
        layout_l->addWidget( label_cl );

    setFrameStyle( QFrame::NoFrame | QFrame::Plain );
    const QMargins margins_cl = layout_l->contentsMargins();
    setMinimumWidth( fontMetrics().horizontalAdvance( widestText_cp ) + margins_cl.left() + margins_cl.right() );
}

QString QGameWidget::gameTitle( int denominator_p, int gameNumber_p )
{
    static const QString final_scl = QStringLiteral( "Финал" );
    static const QString round_scl = QStringLiteral( "1/%1 финала" );
    static const QString game_scl = QStringLiteral( " - игра №%1" );
    if( 1 == denominator_p )
        return final_scl;
    return round_scl.arg( denominator_p ) + game_scl.arg( gameNumber_p );
}

void QGameWidget::mousePressEvent( QMouseEvent* event_p )
{
    Championship& champ_l = global::data::champ();
    if( Qt::LeftButton != event_p->button() || roundId_m != champ_l.currentRound() )
        return;
    const Game& game_crl = champ_l.rounds().at( roundId_m ).game( gameId_m );
    QChooseWinnerDialog* const dialog_cl = global::widgets::chooseWinnerDialog();
    dialog_cl->setGameTitle( titleLabel_m->text() );
    dialog_cl->setFavorite( favoriteLabel_m->text(), favoriteNationLabel_m->text() );
    dialog_cl->setOutsider( outsiderLabel_m->text(), outsiderNationLabel_m->text() );
    dialog_cl->setResult( game_crl.result_m );
    const int result_cl = dialog_cl->chooseResult();
    // The dialog ran a nested event loop: read the stored result anew.
    if( UNKNOWN == result_cl || champ_l.rounds().at( roundId_m ).game( gameId_m ).result_m == result_cl )
        return;
    champ_l.setGameResult( gameId_m, static_cast< GameResult >( result_cl ) );
    global::widgets::tossWindow()->updateAfterGameResult( gameId_m );
}

QLabel* QGameWidget::createCenteredLabel( const QString& text_cp )
{
    QLabel* const label_l = new QLabel( text_cp, this );
    label_l->setAlignment( Qt::AlignCenter );
    return label_l;
}
