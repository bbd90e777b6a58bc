#include "QGameWidget.h"

#include "QChooseWinnerDialog.h"
#include "QMeasuredLabel.h"
#include "QTossThread.h"
#include "QTossWindow.h"
#include "bracketlayout.h"
#include "championship.h"
#include "globals.h"

#include <QLabel>
#include <QMouseEvent>
#include <QVBoxLayout>

namespace
{
QString nationText( const Championship& champ_cp, int nationId_p )
{
    static const QString format_scl = QStringLiteral( "(%1)" );
    return format_scl.arg( champ_cp.nationName( nationId_p ) );
}

// Every game widget of a bracket is given the same widest text: it is
// measured once.
int widthOf( const QString& text_cp, const QFont& font_cp )
{
    static QString text_s;
    static QString font_s;
    static int width_s = 0;
    if( text_cp != text_s || font_cp.key() != font_s )
    {
        text_s = text_cp;
        font_s = font_cp.key();
        width_s = QFontMetrics( font_cp ).horizontalAdvance( text_cp );
    }
    return width_s;
}
}

QGameWidget::QGameWidget( int roundId_p, int gameId_p, const QString& widestText_cp, QWidget* parent_p )
    : QFrame( parent_p ), roundId_m( roundId_p ), gameId_m( gameId_p )
{
    const Championship& champ_crl = global::data::champ();
    const Round& round_crl = champ_crl.rounds().at( roundId_m );
    const Game& game_crl = round_crl.game( gameId_m );

    // Filled before it is set: a layout set on the widget first queues a
    // request to lay it out, and a bracket's thousand requests make every
    // new one search the queue.
    QVBoxLayout* const layout_l = new QVBoxLayout();
    titleLabel_m = createCenteredLabel( gameTitle( round_crl.denominator(), gameId_m + 1 ) );
    favoriteLabel_m = createCenteredLabel( champ_crl.playerText( game_crl.favorite_m ) );
    favoriteNationLabel_m = createCenteredLabel( nationText( champ_crl, game_crl.favoriteNation_m ) );
    QLabel* const versusLabel_cl = createCenteredLabel( QStringLiteral( "VS" ) );
    outsiderLabel_m = createCenteredLabel( champ_crl.playerText( game_crl.outsider_m ) );
    outsiderNationLabel_m = createCenteredLabel( nationText( champ_crl, game_crl.outsiderNation_m ) );
    for( QLabel* const label_cl : { titleLabel_m, favoriteLabel_m, favoriteNationLabel_m, versusLabel_cl,
                                    outsiderLabel_m, outsiderNationLabel_m } )
        layout_l->addWidget( label_cl );
    setLayout( layout_l );

    setFrameStyle( QFrame::NoFrame | QFrame::Plain );
    const QMargins margins_cl = layout_l->contentsMargins();
    setMinimumWidth( widthOf( widestText_cp, font() ) + margins_cl.left() + margins_cl.right() );
    if( UNKNOWN != game_crl.result_m )
        markResult();
}

void QGameWidget::refreshNames()
{
    const Championship& champ_crl = global::data::champ();
    const Game& game_crl = champ_crl.rounds().at( roundId_m ).game( gameId_m );
    favoriteLabel_m->setText( champ_crl.playerText( game_crl.favorite_m ) );
    outsiderLabel_m->setText( champ_crl.playerText( game_crl.outsider_m ) );
}

void QGameWidget::markResult()
{
    const GameResult result_cl = global::data::champ().rounds().at( roundId_m ).game( gameId_m ).result_m;
    // The published bracket's colours for a winner's mark and a loser's name.
    const QColor& winner_crl = BracketLayout::style( BracketLayout::WinnerMark ).fill_m;
    const QColor& loser_crl = BracketLayout::style( BracketLayout::LoserName ).ink_m;
    const auto paint_l = [ this, result_cl, &winner_crl, &loser_crl ]( QLabel* label_p, GameResult won_p, bool green_p )
    {
        QPalette palette_l = palette();
        if( UNKNOWN != result_cl && ( green_p || won_p != result_cl ) )
            palette_l.setColor( QPalette::WindowText, won_p == result_cl ? winner_crl : loser_crl );
        label_p->setPalette( palette_l );
    };
    paint_l( favoriteLabel_m, EXPECTED, true );
    paint_l( favoriteNationLabel_m, EXPECTED, false );
    paint_l( outsiderLabel_m, UNEXPECTED, true );
    paint_l( outsiderNationLabel_m, UNEXPECTED, false );
}

void QGameWidget::mousePressEvent( QMouseEvent* event_p )
{
    if( Qt::LeftButton == event_p->button() )
        recordResult( roundId_m, gameId_m );
}

void QGameWidget::recordResult( int roundId_p, int gameId_p )
{
    Championship& champ_l = global::data::champ();
    if( roundId_p != champ_l.currentRound() )
        return;
    // While a draw runs, the round it stores would undo the result.
    if( global::threads::tossThread()->isBusy() )
        return;
    const Round& round_crl = champ_l.rounds().at( roundId_p );
    const Game& game_crl = round_crl.game( gameId_p );
    QChooseWinnerDialog* const dialog_cl = global::widgets::chooseWinnerDialog();
    dialog_cl->setGameTitle( gameTitle( round_crl.denominator(), gameId_p + 1 ) );
    dialog_cl->setFavorite( champ_l.playerText( game_crl.favorite_m ),
                            nationText( champ_l, game_crl.favoriteNation_m ) );
    dialog_cl->setOutsider( champ_l.playerText( game_crl.outsider_m ),
                            nationText( champ_l, game_crl.outsiderNation_m ) );
    dialog_cl->setResult( game_crl.result_m );
    // The box clicked may be gone when the dialog returns.
    const int roundId_cl = roundId_p;
    const int gameId_cl = gameId_p;
    int result_l = UNKNOWN;
    bool unchanged_l = false;
    {
        // The dialog runs a nested event loop. The answer belongs to the game
        // it was asked for: if anything changed meanwhile, the game may be
        // another one, and nothing is stored. The copy is dropped before the
        // change, which then needs no copy of the championship's data.
        const Championship asked_cl = champ_l;
        result_l = dialog_cl->chooseResult();
        unchanged_l = champ_l.isUnchangedSince( asked_cl );
    }
    if( UNKNOWN == result_l || !unchanged_l
        || champ_l.rounds().at( roundId_cl ).game( gameId_cl ).result_m == result_l )
        return;
    champ_l.setGameResult( gameId_cl, static_cast< GameResult >( result_l ) );
    global::widgets::tossWindow()->updateAfterGameResult( gameId_cl );
}

QLabel* QGameWidget::createCenteredLabel( const QString& text_cp )
{
    QLabel* const label_l = new QMeasuredLabel( text_cp, this );
    label_l->setAlignment( Qt::AlignCenter );
    return label_l;
}
