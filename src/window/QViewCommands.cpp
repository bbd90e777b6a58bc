#include "QViewCommands.h"

#include "QTossProcessWindow.h"
#include "QTossThread.h"
#include "QWindowSettings.h"
#include "globals.h"

#include <QActionGroup>
#include <QMenuBar>

QViewCommands::QViewCommands( QMenuBar* menuBar_p, QWidget* window_p ) : QObject( window_p )
{
    QMenu* const menu_l = menuBar_p->addMenu( QStringLiteral( "Вид" ) );
    QActionGroup* const views_l = new QActionGroup( this );
    diagramAct_m = menu_l->addAction( QStringLiteral( "Схема" ) );
    diagramAct_m->setShortcut( QKeySequence( QStringLiteral( "Ctrl+1" ) ) );
    treeAct_m = menu_l->addAction( QStringLiteral( "Сетка" ) );
    treeAct_m->setShortcut( QKeySequence( QStringLiteral( "Ctrl+2" ) ) );
    for( QAction* const view_cl : { diagramAct_m, treeAct_m } )
    {
        view_cl->setCheckable( true );
        views_l->addAction( view_cl );
    }
    ( QWindowSettings::treeShown() ? treeAct_m : diagramAct_m )->setChecked( true );
    // The organiser's choice is remembered, not one a large bracket forced.
    connect( views_l, &QActionGroup::triggered, this,
             [ this ] { QWindowSettings::setTreeShown( treeAct_m->isChecked() ); } );
    menu_l->addSeparator();
    QAction* const fitAct_cl = menu_l->addAction( QStringLiteral( "Вписать" ) );
    fitAct_cl->setShortcut( QKeySequence( QStringLiteral( "Ctrl+0" ) ) );
    fullScreenAct_m = menu_l->addAction( QStringLiteral( "Полный экран" ) );
    fullScreenAct_m->setShortcut( Qt::Key_F11 );
    fullScreenAct_m->setCheckable( true );
    // Escape leaves full screen, and only there takes the key.
    QAction* const leaveFullScreen_cl = new QAction( this );
    leaveFullScreen_cl->setShortcut( Qt::Key_Escape );
    leaveFullScreen_cl->setEnabled( false );

    menu_l->addSeparator();
    QMenu* const pace_l = menu_l->addMenu( QStringLiteral( "Темп показа" ) );
    QActionGroup* const paces_l = new QActionGroup( this );
    QAction* const quickAct_cl = pace_l->addAction( QStringLiteral( "Быстрый" ) );
    hallPaceAct_m = pace_l->addAction( QStringLiteral( "Для зала" ) );
    for( QAction* const pace_cl : { quickAct_cl, hallPaceAct_m } )
    {
        pace_cl->setCheckable( true );
        paces_l->addAction( pace_cl );
        connect( pace_cl, "2triggered()", this, "1slotPaceChosen()" );
    }
    ( QWindowSettings::hallPace() ? hallPaceAct_m : quickAct_cl )->setChecked( true );
    slotPaceChosen();

    window_p->addActions( { diagramAct_m, treeAct_m, fitAct_cl, fullScreenAct_m, leaveFullScreen_cl } );
    connect( treeAct_m, "2toggled( bool )", this, "2treeToggled( bool )" );
    connect( fitAct_cl, "2triggered()", this, "2fitRequested()" );
    connect( fullScreenAct_m, "2toggled( bool )", this, "2fullScreenToggled( bool )" );
    connect( fullScreenAct_m, &QAction::toggled, leaveFullScreen_cl, &QAction::setEnabled );
    connect( leaveFullScreen_cl, &QAction::triggered, fullScreenAct_m,
             [ this ] { fullScreenAct_m->setChecked( false ); } );
}

bool QViewCommands::treeShown() const
{
    return treeAct_m->isChecked();
}

void QViewCommands::allowDiagram( bool allowed_p )
{
    if( diagramAct_m->isEnabled() == allowed_p )
        return;
    if( !allowed_p )
        treeChosen_m = treeAct_m->isChecked();
    diagramAct_m->setEnabled( allowed_p );
    ( !allowed_p || treeChosen_m ? treeAct_m : diagramAct_m )->setChecked( true );
}

bool QViewCommands::fullScreen() const
{
    return fullScreenAct_m->isChecked();
}

void QViewCommands::slotPaceChosen()
{
    const bool hall_cl = hallPaceAct_m->isChecked();
    global::threads::tossThread()->setPace( hall_cl ? QTossThread::Pace::Hall : QTossThread::Pace::Quick );
    global::widgets::tossProcessWindow()->setHallPace( hall_cl );
    QWindowSettings::setHallPace( hall_cl );
}
