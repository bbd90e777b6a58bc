#include "QDrawUndo.h"

#include "QTossThread.h"
#include "championship.h"
#include "globals.h"

#include <QAction>
#include <QMenu>

QDrawUndo::QDrawUndo( QMenu* menu_p, QObject* parent_p ) : QObject( parent_p )
{
    undoAct_m = new QAction( global::icons::named( QStringLiteral( "undo" ) ), QStringLiteral( "Отменить жеребьевку" ),
                             parent_p );
    undoAct_m->setToolTip( QStringLiteral( "Отменить последнюю жеребьевку" ) );
    undoAct_m->setShortcut( QKeySequence::Undo );
    undoAct_m->setEnabled( false );
    menu_p->addAction( undoAct_m );
    connect( undoAct_m, "2triggered()", this, "1slotUndo()" );
}

void QDrawUndo::update( bool drawRunning_p )
{
    const Championship& champ_cl = global::data::champ();
    const bool undoable_cl = champ_cl.canUndoLastDraw();
    const bool blocked_cl = !champ_cl.rounds().isEmpty() && !undoable_cl;
    undoAct_m->setEnabled( !drawRunning_p && undoable_cl );
    undoAct_m->setToolTip( blocked_cl ? QStringLiteral( "Отменить жеребьевку нельзя: в туре перед ней нет игр, "
                                                        "и чемпионат нельзя было бы доиграть до финала" )
                                      : QStringLiteral( "Отменить последнюю жеребьевку" ) );
}

QString QDrawUndo::question( const Championship& champ_cp )
{
    const Round& round_crl = champ_cp.rounds().at( champ_cp.currentRound() );
    QString question_l = QStringLiteral( "Отменить жеребьевку тура «%1»? Игры этого тура будут удалены." )
                             .arg( roundTitle( round_crl.denominator() ) );
    const int results_cl = champ_cp.decidedGames();
    if( results_cl )
        question_l += QStringLiteral( " Записанные результаты этих игр (%1) будут потеряны." ).arg( results_cl );
    return question_l;
}

void QDrawUndo::slotUndo()
{
    Championship& champ_l = global::data::champ();
    // The shortcut may outrun the enabled state by an event.
    if( !undoAct_m->isEnabled() || !champ_l.canUndoLastDraw()
        || !global::widgets::ask( question( champ_l ), QStringLiteral( "Отменить жеребьевку" ),
                                  QStringLiteral( "Оставить" ) )
        || global::threads::tossThread()->isBusy() )
        return;
    champ_l.undoLastDraw();
    emit drawUndone();
}
