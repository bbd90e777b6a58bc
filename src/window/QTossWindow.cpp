#include "QTossWindow.h"

#include "QBracketTreeScene.h"
#include "QBracketView.h"
#include "QChampionshipFiles.h"
#include "QDiagramScene.h"
#include "QDrawProof.h"
#include "QDrawUndo.h"
#include "QGuide.h"
#include "QNationsPanel.h"
#include "QPlayersPanel.h"
#include "QPublishing.h"
#include "QRecoveryCopy.h"
#include "QRoundProgress.h"
#include "QTossProcessWindow.h"
#include "QTossThread.h"
#include "QViewCommands.h"
#include "QWindowSettings.h"
#include "championship.h"
#include "globals.h"
#include "svassert.h"

#include <QCloseEvent>
#include <QGraphicsView>
#include <QLabel>
#include <QMenuBar>
#include <QSlider>
#include <QSplitter>
#include <QStatusBar>
#include <QToolBar>

QTossWindow::QTossWindow() : QMainWindow( nullptr )
{
    QSplitter* const mainSplitter_l = new QSplitter( Qt::Horizontal, this );
    mainSplitter_l->setContentsMargins( 3, 3, 3, 3 );
    setCentralWidget( mainSplitter_l );

    playersPanel_m = new QPlayersPanel( this );
    nationsPanel_m = new QNationsPanel( this );
    QSplitter* const leftSplitter_l = new QSplitter( Qt::Vertical, mainSplitter_l );
    leftColumn_m = leftSplitter_l;
    leftSplitter_l->addWidget( playersPanel_m );
    leftSplitter_l->addWidget( nationsPanel_m );
    leftSplitter_l->setStretchFactor( 0, 3 );
    leftSplitter_l->setStretchFactor( 1, 2 );
    mainSplitter_l->addWidget( leftSplitter_l );

    diagramScene_m = new QDiagramScene( this );
    treeScene_m = new QBracketTreeScene( this );
    diagramView_m = new QBracketView( diagramScene_m, this );
    diagramView_m->setObjectName( QStringLiteral( "diagramView" ) );
    diagramView_m->setFrameStyle( QFrame::Box );
    diagramView_m->setMinimumWidth( 500 );
    mainSplitter_l->addWidget( diagramView_m );
    mainSplitter_l->setStretchFactor( 0, 0 );
    mainSplitter_l->setStretchFactor( 1, 1 );

    createMenus();
    createToolBar();

    setWindowIcon( global::icons::appIcon() );
    recovery_m = new QRecoveryCopy( this );
    connect( recovery_m, "2notWritten( QString )", statusBar(), "1showMessage( QString )" );
    files_m = new QChampionshipFiles( this );
    connect( files_m, "2championshipReplaced()", this, "1slotChampionshipReplaced()" );
    connect( files_m, "2stored()", this, "1slotStored()" );
    connect( playersPanel_m, "2playersChanged()", this, "1slotRosterChanged()" );
    connect( playersPanel_m, "2playerRenamed( int, int )", this, "1slotPlayerRenamed( int, int )" );
    connect( nationsPanel_m, "2nationsChanged()", this, "1slotRosterChanged()" );
    connect( undo_m, "2drawUndone()", this, "1slotDrawUndone()" );
    connect( global::threads::tossThread(), "2finished()", this, "1slotTossFinished()" );
    updateTossAction();
    slotShowTree( viewCommands_m->treeShown() );
}

void QTossWindow::updateAfterGameResult( int gameId )
{
    diagramScene_m->updateWinner( gameId );
    if( diagramView_m->scene() == treeScene_m )
        treeScene_m->showResult( gameId );
    else
        treeOutdated_m = true;
    updateTossAction();
    noteChange();
}

void QTossWindow::updateTossAction()
{
    static const QString toolTip_scl = QStringLiteral( "Провести жеребьевку" );
    const QString blocked_cl = tossBlockedReason();
    tossAct_m->setEnabled( blocked_cl.isEmpty() );
    tossAct_m->setToolTip( blocked_cl.isEmpty() ? toolTip_scl : blocked_cl );
    proof_m->update( tossAct_m->isEnabled() );
    championLbl_m->setText( QDiagramScene::championText() );
    progress_m->refresh();
}

QString QTossWindow::tossBlockedReason() const
{
    static const QString cannot_scl = QStringLiteral( "Провести жеребьевку нельзя: " );
    const Championship& champ_crl = global::data::champ();
    if( tossRunning_m )
        return cannot_scl + QStringLiteral( "жеребьевка уже идёт" );
    if( champ_crl.nations().isEmpty() )
        return cannot_scl + QStringLiteral( "список наций для очередного тура пуст" );
    if( champ_crl.rounds().isEmpty() )
    {
        // Before the first draw it takes four players, and no more than a
        // played championship can save.
        const int players_cl = champ_crl.playersAmount();
        if( players_cl < 4 )
            return cannot_scl + QStringLiteral( "нужно не меньше 4 игроков, зарегистрировано %1" ).arg( players_cl );
        if( players_cl > QTossThread::MAX_PLAYERS )
            return cannot_scl
                   + QStringLiteral( "игроков больше %1 - сыгранный чемпионат такого размера может не уместиться "
                                     "в файл сохранения" )
                         .arg( QTossThread::MAX_PLAYERS );
        return QString();
    }
    if( champ_crl.currentRound() + 1 >= champ_crl.rounds().size() )
        return cannot_scl + QStringLiteral( "все туры уже разыграны" );
    if( champ_crl.roundIsFinished() )
        return QString();
    const int open_cl = champ_crl.rounds().at( champ_crl.currentRound() ).games_m.size() - champ_crl.decidedGames();
    return cannot_scl + QStringLiteral( "в текущем туре игр без победителя: %1" ).arg( open_cl );
}

void QTossWindow::resetViews()
{
    refreshViews();
    files_m->markStored();
    files_m->updateTitle();
}

void QTossWindow::noteChange()
{
    const bool unsaved_cl = files_m->isUnsaved();
    setWindowModified( unsaved_cl );
    if( unsaved_cl )
        recovery_m->schedule();
    else
        recovery_m->discard();
}

void QTossWindow::showEditedChampionship()
{
    refreshViews();
    noteChange();
}

void QTossWindow::offerRecovery()
{
    if( !recovery_m->offer( this ) )
        return;
    files_m->updateTitle();
    showEditedChampionship();
}

void QTossWindow::openOnStart( const QString& fileName_cp )
{
    files_m->openOnStart( fileName_cp );
}

void QTossWindow::closeEvent( QCloseEvent* event_p )
{
    // The worker must not outlive the windows it announces to. A running
    // draw is cancelled first, so that the question is about what is stored.
    QTossThread* const thread_cl = global::threads::tossThread();
    thread_cl->sltStop();
    thread_cl->wait();
    if( !files_m->mayClose() )
    {
        event_p->ignore();
        return;
    }
    // A normal quit: saved, or left unsaved on purpose.
    recovery_m->discard();
    QWindowSettings::storeGeometry( this );
    QMainWindow::closeEvent( event_p );
}

void QTossWindow::slotMenuActions()
{
    QAction* const sender_cl = qobject_cast< QAction* >( sender() );
    SV_ASSERT( nullptr != sender_cl, "NULL != sender_cl" );
    if( newAct_m == sender_cl )
        files_m->newChampionship();
    else if( openAct_m == sender_cl )
        files_m->openChampionship();
    else if( saveAct_m == sender_cl )
    {
        if( global::data::champ().fileName().isEmpty() )
            saveAsAct_m->activate( QAction::Trigger );
        else
            files_m->save();
    }
    else if( saveAsAct_m == sender_cl )
        files_m->saveAs();
    else if( exitAct_m == sender_cl )
        close();
    else if( tossAct_m == sender_cl )
        startToss();
    else if( importAct_m == sender_cl || setupAct_m == sender_cl )
        return;
    else if( aboutAct_m == sender_cl )
    {
        static QMessageBox* const about_scl = global::widgets::aboutMsgBox();
        about_scl->exec();
    }
    else
        SV_ASSERT( !"[ERROR] Incorrect IF brunch." );
}

void QTossWindow::slotScaleDiagram( int percents_p )
{
    const double factor_cl = static_cast< double >( percents_p ) / scalePercents_m;
    scalePercents_m = percents_p;
    diagramView_m->scale( factor_cl, factor_cl );
    static const QString format_scl = QStringLiteral( "%1 %" );
    scaleLbl_m->setText( format_scl.arg( percents_p ) );
    QWindowSettings::setZoom( percents_p );
}

void QTossWindow::slotUpdateScene()
{
    diagramScene_m->updateDiagram();
    updateTree();
    updateDiagramSize();
    updateTossAction();
    playersPanel_m->updateButtons();
    noteChange();
}

void QTossWindow::slotTossFinished()
{
    tossRunning_m = false;
    updateEditingState();
    // A draw that stored nothing stays in the log, with its secret revealed.
    noteChange();
}

void QTossWindow::slotFitDiagram()
{
    scaleSlider_m->setValue( diagramView_m->fittingZoom() );
}

void QTossWindow::slotFullScreen( bool on_p )
{
    // The bracket alone, for the hall; F11 or Escape brings the rest back.
    for( QWidget* const part_cl :
         std::initializer_list< QWidget* > { menuBar(), statusBar(), toolBar_m, leftColumn_m } )
        part_cl->setVisible( !on_p );
    // Leaving gives back the window's state and zoom from before, a
    // maximised window included.
    if( on_p )
    {
        stateBeforeFullScreen_m = windowState() & ~Qt::WindowFullScreen;
        zoomBeforeFullScreen_m = scaleSlider_m->value();
        showFullScreen();
        return;
    }
    setWindowState( stateBeforeFullScreen_m );
    show();
    scaleSlider_m->setValue( zoomBeforeFullScreen_m );
}

void QTossWindow::slotShowTree( bool tree_p )
{
    diagramView_m->setScene( tree_p ? static_cast< QGraphicsScene* >( treeScene_m ) : diagramScene_m );
    // The tree starts at the top with its title, however much room is left
    // below it.
    diagramView_m->setAlignment( tree_p ? Qt::AlignHCenter | Qt::AlignTop : Qt::AlignCenter );
    if( tree_p && treeOutdated_m )
        updateTree();
}

void QTossWindow::slotChampionshipReplaced()
{
    resetViews();
}

void QTossWindow::slotRosterChanged()
{
    // Before the first draw the tree shows the players by group.
    updateTree();
    updateTossAction();
    noteChange();
}

void QTossWindow::slotPlayerRenamed( int groupId_p, int playerId_p )
{
    diagramScene_m->updatePlayerTexts( PlayerRef( groupId_p, playerId_p ) );
    updateTree();
    // The next draw's code binds the names of its pool.
    updateTossAction();
    noteChange();
}

void QTossWindow::slotDrawUndone()
{
    showEditedChampionship();
}

void QTossWindow::slotStored()
{
    setWindowModified( false );
    recovery_m->discard();
}

void QTossWindow::createMenus()
{
    QMenu* const champMenu_l = menuBar()->addMenu( QStringLiteral( "Чемпионат" ) );
    newAct_m = createAction( champMenu_l, QStringLiteral( "new" ), QStringLiteral( "Начать новый" ),
                             QStringLiteral( "Создать новый чемпионат" ) );
    openAct_m = createAction( champMenu_l, QStringLiteral( "open" ), QStringLiteral( "Продолжить сохранённый" ),
                              QStringLiteral( "Открыть сохранённый чемпионат" ) );
    // Both save tool tips begin with a Latin capital C.
    saveAct_m = createAction( champMenu_l, QStringLiteral( "save" ), QStringLiteral( "Сохранить" ),
                              QStringLiteral( "Cохранить чемпионат" ) );
    saveAsAct_m = createAction( champMenu_l, QStringLiteral( "saveas" ), QStringLiteral( "Сохранить как ..." ),
                                QStringLiteral( "Cохранить чемпионат в другой файл" ) );
    // Publishing and printing come after the file commands, "Выйти" last.
    new QPublishing( champMenu_l, this );
    champMenu_l->addSeparator();
    exitAct_m = createAction( champMenu_l, QStringLiteral( "exit" ), QStringLiteral( "Выйти" ), QString() );

    QMenu* const tossMenu_l = menuBar()->addMenu( QStringLiteral( "Жеребьевка" ) );
    tossAct_m = createAction( tossMenu_l, QStringLiteral( "toss" ), QStringLiteral( "Запустить" ),
                              QStringLiteral( "Провести жеребьевку" ) );
    importAct_m = createAction( tossMenu_l, QStringLiteral( "import" ), QStringLiteral( "Импортировать" ),
                                QStringLiteral( "Импортировать схему в Visio" ) );
    setupAct_m = createAction( tossMenu_l, QStringLiteral( "setup" ), QStringLiteral( "Настроить" ), QString() );
    tossAct_m->setEnabled( false );
    importAct_m->setEnabled( false );
    setupAct_m->setEnabled( false );
    tossMenu_l->addSeparator();
    undo_m = new QDrawUndo( tossMenu_l, this );
    proof_m = new QDrawProof( tossMenu_l, statusBar(), this );
    viewNoteLbl_m = new QLabel( statusBar() );
    viewNoteLbl_m->setObjectName( QStringLiteral( "viewNoteLabel" ) );
    statusBar()->addWidget( viewNoteLbl_m );
    championLbl_m = new QLabel( statusBar() );
    championLbl_m->setObjectName( QStringLiteral( "championLabel" ) );
    // A name is shown as typed, even one that looks like markup.
    championLbl_m->setTextFormat( Qt::PlainText );
    statusBar()->addPermanentWidget( championLbl_m );
    progress_m = new QRoundProgress( statusBar() );
    statusBar()->addPermanentWidget( progress_m );

    newAct_m->setShortcut( QKeySequence::New );
    openAct_m->setShortcut( QKeySequence::Open );
    saveAct_m->setShortcut( QKeySequence::Save );
    saveAsAct_m->setShortcut( QKeySequence( QStringLiteral( "Ctrl+Shift+S" ) ) );
    exitAct_m->setShortcut( QKeySequence( QStringLiteral( "Ctrl+Q" ) ) );
    tossAct_m->setShortcut( Qt::Key_F5 );

    viewCommands_m = new QViewCommands( menuBar(), this );
    connect( viewCommands_m, "2fitRequested()", this, "1slotFitDiagram()" );
    connect( viewCommands_m, "2fullScreenToggled( bool )", this, "1slotFullScreen( bool )" );
    connect( viewCommands_m, "2treeToggled( bool )", this, "1slotShowTree( bool )" );

    aboutAct_m = menuBar()->addAction( QStringLiteral( "?" ) );
    connect( aboutAct_m, "2triggered()", this, "1slotMenuActions()" );
    new QGuide( menuBar(), this );
}

void QTossWindow::createToolBar()
{
    QToolBar* const toolBar_l = addToolBar( QStringLiteral( "main" ) );
    toolBar_m = toolBar_l;
    toolBar_l->setObjectName( QStringLiteral( "mainToolBar" ) );
    toolBar_l->addAction( newAct_m );
    toolBar_l->addAction( openAct_m );
    toolBar_l->addAction( saveAct_m );
    toolBar_l->addSeparator();
    toolBar_l->addAction( tossAct_m );
    toolBar_l->addAction( importAct_m );
    toolBar_l->addSeparator();
    toolBar_l->addWidget( new QWidget( toolBar_l ) );
    toolBar_l->addSeparator();
    toolBar_l->addWidget( new QLabel( QStringLiteral( "Масштаб: " ), toolBar_l ) );
    scaleSlider_m = new QSlider( Qt::Horizontal, toolBar_l );
    scaleSlider_m->setObjectName( QStringLiteral( "scaleSlider" ) );
    // From a bracket of thousands that fits the window to a small one that
    // fills a projector.
    scaleSlider_m->setMinimum( QBracketView::MIN_ZOOM );
    scaleSlider_m->setMaximum( QBracketView::MAX_ZOOM );
    scaleSlider_m->setTickInterval( 5 );
    scaleSlider_m->setValue( 100 );
    scaleSlider_m->setMaximumWidth( 113 );
    const int zoom_cl = QWindowSettings::zoom( 100 );
    toolBar_l->addWidget( scaleSlider_m );
    scaleLbl_m = new QLabel( QStringLiteral( "%1 %" ).arg( scaleSlider_m->value() ), toolBar_l );
    scaleLbl_m->setObjectName( QStringLiteral( "scaleLabel" ) );
    toolBar_l->addWidget( scaleLbl_m );
    connect( scaleSlider_m, "2valueChanged( int )", this, "1slotScaleDiagram( int )" );
    connect( diagramView_m, "2zoomRequested( int )", scaleSlider_m, "1setValue( int )" );
    scaleSlider_m->setValue( zoom_cl );
}

QAction* QTossWindow::createAction( QMenu* menu_p, const QString& iconName_cp, const QString& text_cp,
                                    const QString& toolTip_cp )
{
    QAction* const action_l = new QAction( global::icons::named( iconName_cp ), text_cp, this );
    if( !toolTip_cp.isEmpty() )
        action_l->setToolTip( toolTip_cp );
    menu_p->addAction( action_l );
    connect( action_l, "2triggered()", this, "1slotMenuActions()" );
    return action_l;
}

void QTossWindow::refreshViews()
{
    nationsPanel_m->refresh();
    playersPanel_m->refresh();
    diagramScene_m->clearDiagram();
    if( !global::data::champ().rounds().isEmpty() )
        diagramScene_m->updateDiagram();
    updateTree();
    updateDiagramSize();
    updateTossAction();
    undo_m->update( tossRunning_m );
}

void QTossWindow::updateDiagramSize()
{
    const Championship& champ_crl = global::data::champ();
    const bool shown_cl = QDiagramScene::shows( champ_crl );
    viewNoteLbl_m->setText( shown_cl ? QString()
                                     : QStringLiteral( "Схема показывает до %1 игроков, в этой сетке %2 мест: "
                                                       "показана сетка" )
                                           .arg( 2 * QDiagramScene::MAX_GAMES )
                                           .arg( 2 * champ_crl.rounds().first().denominator() ) );
    viewCommands_m->allowDiagram( shown_cl );
}

void QTossWindow::updateTree()
{
    // Laid out only while shown; otherwise when it is shown next.
    treeOutdated_m = diagramView_m->scene() != treeScene_m;
    if( !treeOutdated_m )
        treeScene_m->update();
}

void QTossWindow::startToss()
{
    if( !QTossThread::canStart( global::data::champ() ) )
        return;
    // start() refuses exactly these; a refused start would send no
    // finished() to unlock the window.
    QTossThread* const thread_cl = global::threads::tossThread();
    if( thread_cl->isBusy() || !proof_m->prepareDraw( this ) || !QTossThread::canStart( global::data::champ() ) )
        return;
    tossRunning_m = true;
    updateEditingState();
    thread_cl->start();
    // The attempt is logged now: were the program killed during the show,
    // the restored championship would still count it.
    recovery_m->writeNow();
    // The hall sees what it may note before the word is called: the show
    // repeats it.
    global::widgets::tossProcessWindow()->setCommitment( thread_cl->commitment(), thread_cl->attempt() );
    noteChange();
}

void QTossWindow::updateEditingState()
{
    for( QAction* const action_cl : { newAct_m, openAct_m, saveAct_m, saveAsAct_m } )
        action_cl->setEnabled( !tossRunning_m );
    // Results are locked like every other change while a draw runs.
    diagramView_m->setInteractive( !tossRunning_m );
    nationsPanel_m->setDrawRunning( tossRunning_m );
    playersPanel_m->setDrawRunning( tossRunning_m );
    undo_m->update( tossRunning_m );
    updateTossAction();
}
