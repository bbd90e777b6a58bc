#include "QTossWindow.h"

#include "QChooseNationDialog.h"
#include "QDiagramScene.h"
#include "QNationsListModel.h"
#include "QPlayersTreeModel.h"
#include "QStringEnterDialog.h"
#include "QTossThread.h"
#include "championship.h"
#include "globals.h"
#include "svassert.h"

#include <QCloseEvent>
#include <QFileDialog>
#include <QGraphicsView>
#include <QHBoxLayout>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenuBar>
#include <QSlider>
#include <QSplitter>
#include <QToolBar>
#include <QToolButton>
#include <QTreeView>
#include <QVBoxLayout>

namespace
{
const QString& newChampionshipTitle()
{
    static const QString title_scl = QStringLiteral( "Новый не сохранённый чемпионат" );
    return title_scl;
}

QString fileTitle( const QString& fileName_cp )
{
    static const QString title_scl = QStringLiteral( "Информация по чемпонату из файла " );
    return title_scl + fileName_cp;
}

const QIcon& panelIcon( const QString& name_cp )
{
    static QHash< QString, QIcon > icons_s;
    auto found_l = icons_s.find( name_cp );
    if( icons_s.end() == found_l )
        found_l = icons_s.insert( name_cp, global::icons::fromResource( name_cp ) );
    return found_l.value();
}

QToolButton* toolButton( const char* name_p, const QString& iconName_cp, const QString& toolTip_cp, bool enabled_p,
                         QWidget* parent_p )
{
    QToolButton* const button_l = new QToolButton( parent_p );
    button_l->setObjectName( QString::fromLatin1( name_p ) );
    button_l->setIcon( panelIcon( iconName_cp ) );
    button_l->setIconSize( QSize( 24, 24 ) );
    button_l->setToolTip( toolTip_cp );
    button_l->setEnabled( enabled_p );
    return button_l;
}

// Puts a view of the model, with extended selection, at the bottom of the panel.
void addPanelView( QAbstractItemView* view_p, QAbstractItemModel* model_p, const char* name_p, QFrame* frame_p )
{
    view_p->setObjectName( QString::fromLatin1( name_p ) );
    view_p->setModel( model_p );
    view_p->setSelectionMode( QAbstractItemView::ExtendedSelection );
    frame_p->layout()->addWidget( view_p );
}

QFrame* panelFrame( const QString& title_cp, QWidget* parent_p )
{
    QFrame* const frame_l = new QFrame( parent_p );
    frame_l->setFrameStyle( QFrame::Box );
    QVBoxLayout* const layout_l = new QVBoxLayout( frame_l );
    layout_l->addWidget( new QLabel( title_cp, frame_l ) );
    return frame_l;
}

// "", "а" or "ов" after "элемент": 1, 2 to 4, everything else.
QString elementWord( int amount_p )
{
    static const QString word_scl = QStringLiteral( "элемент" );
    static const QString few_scl = QStringLiteral( "а" );
    static const QString many_scl = QStringLiteral( "ов" );
    if( 1 == amount_p )
        return word_scl;
    return word_scl + ( amount_p >= 2 && amount_p <= 4 ? few_scl : many_scl );
}

QString selectedWord( int amount_p )
{
    static const QString one_scl = QStringLiteral( " выделенный " );
    static const QString many_scl = QStringLiteral( " выделенных " );
    return 1 == amount_p ? one_scl : many_scl;
}

QString removalQuestion( const QString& listPart_cp, int amount_p )
{
    static const QString will_scl = QStringLiteral( "будет" );
    static const QString removedOne_scl = QStringLiteral( " удалён " );
    static const QString removedMany_scl = QStringLiteral( " удалено " );
    return listPart_cp + will_scl + ( 1 == amount_p ? removedOne_scl : removedMany_scl ) + QString::number( amount_p )
           + selectedWord( amount_p ) + elementWord( amount_p ) + QLatin1Char( '.' );
}

// Player rows of a selection; a group row mixed into it is not a player.
QModelIndexList playerRows( const QModelIndexList& rows_cp )
{
    QModelIndexList players_l;
    for( const QModelIndex& row_crl : rows_cp )
        if( row_crl.parent().isValid() )
            players_l.append( row_crl );
    return players_l;
}
}

QTossWindow::QTossWindow() : QMainWindow( nullptr )
{
    QSplitter* const mainSplitter_l = new QSplitter( Qt::Horizontal, this );
    mainSplitter_l->setContentsMargins( 3, 3, 3, 3 );
    setCentralWidget( mainSplitter_l );

    QSplitter* const leftSplitter_l = new QSplitter( Qt::Vertical, mainSplitter_l );
    leftSplitter_l->addWidget( createPlayersPanel() );
    leftSplitter_l->addWidget( createNationsPanel() );
    leftSplitter_l->setStretchFactor( 0, 3 );
    leftSplitter_l->setStretchFactor( 1, 2 );
    mainSplitter_l->addWidget( leftSplitter_l );

    diagramScene_m = new QDiagramScene( this );
    diagramView_m = new QGraphicsView( diagramScene_m, this );
    diagramView_m->setObjectName( QStringLiteral( "diagramView" ) );
    diagramView_m->setFrameStyle( QFrame::Box );
    diagramView_m->setMinimumWidth( 500 );
    mainSplitter_l->addWidget( diagramView_m );
    mainSplitter_l->setStretchFactor( 0, 0 );
    mainSplitter_l->setStretchFactor( 1, 1 );

    createMenus();
    createToolBar();

    setWindowIcon( global::icons::appIcon() );
    setWindowTitle( newChampionshipTitle() );
    connect( global::threads::tossThread(), "2finished()", this, "1slotTossFinished()" );
    updateTossAction();
    stored_m = global::data::champ();
}

void QTossWindow::updateAfterGameResult( int gameId )
{
    diagramScene_m->updateWinner( gameId );
    updateTossAction();
}

void QTossWindow::updateTossAction()
{
    static const QString toolTip_scl = QStringLiteral( "Провести жеребьевку" );
    static const QString noNations_scl =
        QStringLiteral( "Провести жеребьевку нельзя: список наций для очередного тура пуст" );
    static const QString tooMany_scl =
        QStringLiteral( "Провести жеребьевку нельзя: игроков больше, чем мест в сетке из 20 туров" );
    const Championship& champ_crl = global::data::champ();
    // Before the first draw it takes four players; later, a finished round.
    const bool enabled_l = champ_crl.rounds().isEmpty() ? champ_crl.playersAmount() > 3 : champ_crl.roundIsFinished();
    const bool haveNations_cl = !champ_crl.nations().isEmpty();
    const bool fits_cl = !champ_crl.rounds().isEmpty() || champ_crl.playersAmount() <= QTossThread::MAX_PLAYERS;
    tossAct_m->setEnabled( enabled_l && haveNations_cl && fits_cl && !tossRunning_m );
    tossAct_m->setToolTip( !haveNations_cl ? noNations_scl : !fits_cl ? tooMany_scl : toolTip_scl );
}

void QTossWindow::resetViews()
{
    // The championship is already replaced: the models drop their rows
    // before anything asks them about the old ones.
    nationsModel_m->refresh();
    nationsView_m->selectionModel()->clear();
    nationsView_m->setCurrentIndex( QModelIndex() );
    nationsView_m->viewport()->update();
    playersModel_m->refresh();
    playersView_m->selectionModel()->clear();
    playersView_m->setCurrentIndex( QModelIndex() );
    diagramScene_m->clearDiagram();
    if( !global::data::champ().rounds().isEmpty() )
        diagramScene_m->updateDiagram();
    updateTossAction();
    // A model reset drops the selection without a word: the buttons follow.
    updatePlayersButtons();
    slotNationsSelectionsChanged();
    stored_m = global::data::champ();
}

QString QTossWindow::removePlayersQuestion( int amount_p )
{
    static const QString list_scl = QStringLiteral( "Из списка игроков " );
    return removalQuestion( list_scl, amount_p );
}

QString QTossWindow::removeNationsQuestion( int amount_p )
{
    static const QString list_scl = QStringLiteral( "Из списка наций " );
    return removalQuestion( list_scl, amount_p );
}

QString QTossWindow::moveConfirmationText( int amount_p )
{
    static const QString will_scl = QStringLiteral( "будет" );
    static const QString moved_scl = QStringLiteral( " перемещен" );
    static const QString movedMany_scl = QStringLiteral( "о" );
    static const QString oneGroup_scl = QStringLiteral( " на одну группу " );
    return QString::number( amount_p ) + QLatin1Char( ' ' ) + selectedWord( amount_p ) + elementWord( amount_p )
           + QLatin1Char( ' ' ) + will_scl + moved_scl + ( 1 == amount_p ? QString() : movedMany_scl ) + oneGroup_scl;
}

void QTossWindow::closeEvent( QCloseEvent* event_p )
{
    // The worker must not outlive the windows it announces to. A running
    // draw is cancelled first, so that the question is about what is stored.
    QTossThread* const thread_cl = global::threads::tossThread();
    thread_cl->sltStop();
    thread_cl->wait();
    if( !mayClose() )
    {
        event_p->ignore();
        return;
    }
    QMainWindow::closeEvent( event_p );
}

void QTossWindow::slotNationsActions()
{
    QToolButton* const sender_cl = qobject_cast< QToolButton* >( sender() );
    SV_ASSERT( nullptr != sender_cl, "NULL != sender_cl" );
    if( addNationBtn_m == sender_cl )
    {
        QChooseNationDialog* const dialog_cl = global::widgets::chooseNationDialog();
        if( QDialog::Accepted != dialog_cl->exec() )
            return;
        const int nationId_cl = dialog_cl->chosenNationId();
        // With nothing left to offer the dialog answers 0, which may name no
        // nation, or one that a loaded file already lists.
        const Championship& champ_crl = global::data::champ();
        if( !champ_crl.nationsNames().contains( nationId_cl ) || champ_crl.nations().contains( nationId_cl ) )
            return;
        nationsModel_m->addNation( nationId_cl );
        updateTossAction();
    }
    else if( removeNationBtn_m == sender_cl )
    {
        const QModelIndexList selection_cl = nationsView_m->selectionModel()->selectedIndexes();
        SV_ASSERT( selection_cl.size() );
        if( !confirm( removeNationsQuestion( selection_cl.size() ) ) )
            return;
        nationsView_m->selectionModel()->clear();
        nationsView_m->setCurrentIndex( QModelIndex() );
        nationsModel_m->removeNations( selection_cl );
        updateTossAction();
    }
    else
        SV_ASSERT( !"[ERROR] Incorrect IF brunch." );
}

void QTossWindow::slotMenuActions()
{
    QAction* const sender_cl = qobject_cast< QAction* >( sender() );
    SV_ASSERT( nullptr != sender_cl, "NULL != sender_cl" );
    if( newAct_m == sender_cl )
        newChampionship();
    else if( openAct_m == sender_cl )
        openChampionship();
    else if( saveAct_m == sender_cl )
    {
        if( global::data::champ().fileName().isEmpty() )
            saveAsAct_m->activate( QAction::Trigger );
        else
            saveChampionship( QString() );
    }
    else if( saveAsAct_m == sender_cl )
        saveAs();
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

void QTossWindow::slotPlayersActions()
{
    QToolButton* const sender_cl = qobject_cast< QToolButton* >( sender() );
    SV_ASSERT( nullptr != sender_cl, "NULL != sender_cl" );
    const QModelIndexList selectedIndexes_cl = playersView_m->selectionModel()->selectedRows( 0 );
    if( addPlayerBtn_m == sender_cl )
    {
        addPlayer( selectedIndexes_cl );
        return;
    }
    const QModelIndexList players_cl = playerRows( selectedIndexes_cl );
    QString question_l;
    if( removePlayerBtn_m == sender_cl )
        question_l = removePlayersQuestion( players_cl.size() );
    else if( movePlayerUpBtn_m == sender_cl )
        question_l = moveConfirmationText( players_cl.size() ) + QStringLiteral( "вверх" );
    else if( movePlayerDownBtn_m == sender_cl )
        question_l = moveConfirmationText( players_cl.size() ) + QStringLiteral( "вниз" );
    else
        SV_ASSERT( !"[ERROR] Incorrect IF brunch." );
    SV_ASSERT( selectedIndexes_cl.size() );
    if( players_cl.isEmpty() || !confirm( question_l ) )
        return;
    playersView_m->selectionModel()->clear();
    playersView_m->setCurrentIndex( QModelIndex() );
    if( removePlayerBtn_m == sender_cl )
    {
        playersModel_m->removePlayers( players_cl );
        updateTossAction();
    }
    else if( movePlayerUpBtn_m == sender_cl )
        playersModel_m->movePlayersUp( players_cl );
    else
        playersModel_m->movePlayersDown( players_cl );
}

void QTossWindow::slotPlayersSelectionsChanged( const QItemSelection& selected_cp, const QItemSelection& )
{
    // A group row that becomes selected ends up selected alone: players are
    // added to one group at a time.
    for( const QModelIndex& index_crl : selected_cp.indexes() )
    {
        if( index_crl.parent().isValid() )
            continue;
        playersView_m->selectionModel()->select( index_crl,
                                                 QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows );
        setPlayersButtons( true, false, false, false );
        return;
    }
    const int last_cl = qMax( 0, global::data::champ().groupsNames().size() - 1 );
    bool remove_l = false;
    bool up_l = false;
    bool down_l = false;
    for( const QModelIndex& row_crl : playersView_m->selectionModel()->selectedRows( 0 ) )
    {
        if( !row_crl.parent().isValid() )
            continue;
        remove_l = true;
        up_l = up_l || row_crl.parent().row() > 0;
        down_l = down_l || row_crl.parent().row() < last_cl;
    }
    setPlayersButtons( false, remove_l, up_l, down_l );
}

void QTossWindow::slotNationsSelectionsChanged()
{
    removeNationBtn_m->setEnabled( !tossRunning_m && !nationsView_m->selectionModel()->selectedIndexes().isEmpty() );
}

void QTossWindow::slotScaleDiagram( int percents_p )
{
    const double factor_cl = static_cast< double >( percents_p ) / scalePercents_m;
    scalePercents_m = percents_p;
    diagramView_m->scale( factor_cl, factor_cl );
    static const QString format_scl = QStringLiteral( "%1 %" );
    scaleLbl_m->setText( format_scl.arg( percents_p ) );
}

void QTossWindow::slotUpdateScene()
{
    diagramScene_m->updateDiagram();
    updateTossAction();
    updatePlayersButtons();
}

void QTossWindow::slotTossFinished()
{
    tossRunning_m = false;
    updateEditingState();
}

void QTossWindow::slotFileFilterSelected( const QString& filter_cp )
{
    // A name typed without extension takes the chosen filter's, so that the
    // next open, which shows save files first, finds it again.
    QFileDialog* const dialog_cl = global::widgets::fileDialog();
    const bool xml_cl = dialog_cl->nameFilters().indexOf( filter_cp ) == 1;
    dialog_cl->setDefaultSuffix( xml_cl ? QStringLiteral( "xml" ) : QStringLiteral( "stv" ) );
}

QFrame* QTossWindow::createPlayersPanel()
{
    QFrame* const frame_l = panelFrame( QStringLiteral( "Группы игроков" ), this );
    QHBoxLayout* const buttons_l = new QHBoxLayout();
    addPlayerBtn_m = toolButton( "addPlayerBtn", QStringLiteral( "plus" ), QString(), false, frame_l );
    removePlayerBtn_m = toolButton( "removePlayerBtn", QStringLiteral( "cross" ), QString(), false, frame_l );
    movePlayerUpBtn_m = toolButton( "movePlayerUpBtn", QStringLiteral( "up" ), QString(), false, frame_l );
    movePlayerDownBtn_m = toolButton( "movePlayerDownBtn", QStringLiteral( "down" ), QString(), false, frame_l );
    buttons_l->addWidget( addPlayerBtn_m );
    buttons_l->addWidget( removePlayerBtn_m );
    buttons_l->addStretch( 1 );
    buttons_l->addWidget( movePlayerUpBtn_m );
    buttons_l->addWidget( movePlayerDownBtn_m );
    static_cast< QVBoxLayout* >( frame_l->layout() )->addLayout( buttons_l );

    playersView_m = new QTreeView( frame_l );
    playersModel_m = new QPlayersTreeModel( frame_l );
    addPanelView( playersView_m, playersModel_m, "playersView", frame_l );

    for( QToolButton* const button_cl : { addPlayerBtn_m, removePlayerBtn_m, movePlayerUpBtn_m, movePlayerDownBtn_m } )
        connect( button_cl, "2released()", this, "1slotPlayersActions()" );
    connect( playersView_m->selectionModel(), "2selectionChanged( const QItemSelection &, const QItemSelection & )",
             this, "1slotPlayersSelectionsChanged( const QItemSelection &, const QItemSelection & )" );
    setPlayersButtons( false, false, false, false );
    return frame_l;
}

QFrame* QTossWindow::createNationsPanel()
{
    QFrame* const frame_l = panelFrame( QStringLiteral( "Нации для очередного тура" ), this );
    QHBoxLayout* const buttons_l = new QHBoxLayout();
    addNationBtn_m =
        toolButton( "addNationBtn", QStringLiteral( "plus" ), QStringLiteral( "Добавить" ), true, frame_l );
    removeNationBtn_m =
        toolButton( "removeNationBtn", QStringLiteral( "cross" ), QStringLiteral( "Убрать" ), false, frame_l );
    buttons_l->addWidget( addNationBtn_m );
    buttons_l->addWidget( removeNationBtn_m );
    buttons_l->addStretch( 1 );
    static_cast< QVBoxLayout* >( frame_l->layout() )->addLayout( buttons_l );

    nationsView_m = new QListView( frame_l );
    nationsModel_m = new QNationsListModel( frame_l );
    addPanelView( nationsView_m, nationsModel_m, "nationsView", frame_l );

    connect( addNationBtn_m, "2released()", this, "1slotNationsActions()" );
    connect( removeNationBtn_m, "2released()", this, "1slotNationsActions()" );
    connect( nationsView_m->selectionModel(), "2selectionChanged( const QItemSelection &, const QItemSelection & )",
             this, "1slotNationsSelectionsChanged()" );
    return frame_l;
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

    aboutAct_m = menuBar()->addAction( QStringLiteral( "?" ) );
    connect( aboutAct_m, "2triggered()", this, "1slotMenuActions()" );
}

void QTossWindow::createToolBar()
{
    QToolBar* const toolBar_l = addToolBar( QStringLiteral( "main" ) );
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
    scaleSlider_m->setMinimum( 10 );
    scaleSlider_m->setMaximum( 100 );
    scaleSlider_m->setTickInterval( 5 );
    scaleSlider_m->setValue( 100 );
    scaleSlider_m->setMaximumWidth( 113 );
    toolBar_l->addWidget( scaleSlider_m );
    scaleLbl_m = new QLabel( QStringLiteral( "%1 %" ).arg( scaleSlider_m->value() ), toolBar_l );
    scaleLbl_m->setObjectName( QStringLiteral( "scaleLabel" ) );
    toolBar_l->addWidget( scaleLbl_m );
    connect( scaleSlider_m, "2valueChanged( int )", this, "1slotScaleDiagram( int )" );
}

QAction* QTossWindow::createAction( QMenu* menu_p, const QString& iconName_cp, const QString& text_cp,
                                    const QString& toolTip_cp )
{
    QAction* const action_l = new QAction( panelIcon( iconName_cp ), text_cp, this );
    if( !toolTip_cp.isEmpty() )
        action_l->setToolTip( toolTip_cp );
    menu_p->addAction( action_l );
    connect( action_l, "2triggered()", this, "1slotMenuActions()" );
    return action_l;
}

void QTossWindow::newChampionship()
{
    if( !confirm( QStringLiteral( "Будет создан новый чемпионат. Все несохранённые данные будут потеряны." ) ) )
        return;
    Championship& champ_l = global::data::champ();
    champ_l.reset();
    champ_l.clearFileName();
    setWindowTitle( newChampionshipTitle() );
    resetViews();
}

void QTossWindow::openChampionship()
{
    if( !confirm( QStringLiteral(
            "Будут загруженны данные сохранённого чемпионата. Все несохранённые данные будут потеряны." ) ) )
        return;
    QFileDialog* const dialog_cl = global::widgets::fileDialog();
    prepareFileDialog( QStringLiteral( "Выбор файла для загрузки" ), QFileDialog::AcceptOpen, QString() );
    if( QDialog::Accepted != dialog_cl->exec() )
        return;
    const QString fileName_cl = chosenFileName();
    if( fileName_cl.isEmpty() )
        return;
    Championship& champ_l = global::data::champ();
    if( champ_l.load( fileName_cl ) )
    {
        setWindowTitle( fileTitle( champ_l.fileName() ) );
        resetViews();
        showResult( QMessageBox::Information,
                    QStringLiteral( "Данные успешно загружены из файла\n\"%1\"" ).arg( champ_l.fileName() ) );
    }
    else
        showResult( QMessageBox::Warning,
                    QStringLiteral( "Не удалось загрузить данные из файла\n\"%1\"" ).arg( fileName_cl ) );
    global::widgets::tossWindow()->activateWindow();
}

void QTossWindow::prepareFileDialog( const QString& title_cp, QFileDialog::AcceptMode mode_p,
                                     const QString& fileName_cp )
{
    QFileDialog* const dialog_cl = global::widgets::fileDialog();
    static const bool connected_scl =
        connect( dialog_cl, "2filterSelected( const QString & )", this, "1slotFileFilterSelected( const QString & )" );
    Q_UNUSED( connected_scl );
    dialog_cl->setWindowTitle( title_cp );
    // The accept mode rebuilds the buttons with Qt's own texts.
    dialog_cl->setAcceptMode( mode_p );
    dialog_cl->setLabelText( QFileDialog::Accept, QStringLiteral( "Выбрать" ) );
    dialog_cl->setLabelText( QFileDialog::Reject, QStringLiteral( "Отменить" ) );
    // selectFile() ignores an empty name, so the name of the previous use is
    // cleared by hand: a new championship must not offer last week's file.
    for( QAbstractItemView* const view_cl : dialog_cl->findChildren< QAbstractItemView* >() )
        if( view_cl->selectionModel() )
            view_cl->selectionModel()->clearSelection();
    if( QLineEdit* const name_cl = dialog_cl->findChild< QLineEdit* >( QStringLiteral( "fileNameEdit" ) ) )
        name_cl->clear();
    dialog_cl->selectFile( fileName_cp );
    slotFileFilterSelected( dialog_cl->selectedNameFilter() );
}

QString QTossWindow::chosenFileName() const
{
    // A name typed over a selected file can leave two names selected;
    // choosing none of them is safer than guessing.
    const QStringList files_cl = global::widgets::fileDialog()->selectedFiles();
    return 1 == files_cl.size() ? files_cl.front() : QString();
}

QString QTossWindow::chooseSaveFileName()
{
    prepareFileDialog( QStringLiteral( "Выбор файла для сохранения" ), QFileDialog::AcceptSave,
                       global::data::champ().fileName() );
    if( QDialog::Accepted != global::widgets::fileDialog()->exec() )
        return QString();
    return chosenFileName();
}

void QTossWindow::saveAs()
{
    const QString fileName_cl = chooseSaveFileName();
    if( !fileName_cl.isEmpty() )
        saveChampionship( fileName_cl );
}

void QTossWindow::saveChampionship( const QString& fileName_p )
{
    Championship& champ_l = global::data::champ();
    const QString attempted_cl = fileName_p.isEmpty() ? champ_l.fileName() : fileName_p;
    if( champ_l.save( fileName_p ) )
    {
        stored_m = champ_l;
        setWindowTitle( fileTitle( champ_l.fileName() ) );
        showResult( QMessageBox::Information,
                    QStringLiteral( "Данные успешно сохранены в файл\n\"%1\"" ).arg( champ_l.fileName() ) );
    }
    else
        showResult( QMessageBox::Warning,
                    QStringLiteral( "Не удалось сохранить данные в файл\n\"%1\"" ).arg( attempted_cl ) );
}

void QTossWindow::showResult( QMessageBox::Icon icon_p, const QString& text_cp )
{
    QMessageBox* const box_cl = global::widgets::resultMsgBox();
    box_cl->setIcon( icon_p );
    box_cl->setText( text_cp );
    box_cl->exec();
}

// Whether the window may close: unsaved work is saved first if the
// organiser wants it, and a failed or cancelled save keeps the window open.
bool QTossWindow::mayClose()
{
    Championship& champ_l = global::data::champ();
    if( champ_l.isUnchangedSince( stored_m ) )
        return true;
    QMessageBox* const box_cl = global::widgets::quitMsgBox();
    box_cl->setDefaultButton( QMessageBox::Save );
    const int answer_cl = box_cl->exec();
    if( QMessageBox::Discard == answer_cl )
        return true;
    if( QMessageBox::Save != answer_cl )
        return false;
    if( champ_l.fileName().isEmpty() )
        saveAs();
    else
        saveChampionship( QString() );
    return champ_l.isUnchangedSince( stored_m );
}

bool QTossWindow::confirm( const QString& question_cp )
{
    QMessageBox* const box_cl = global::widgets::confirmMsgBox();
    box_cl->setText( question_cp );
    // Enter answers Cancel on every use, whichever button the last answer
    // left with the focus.
    box_cl->setDefaultButton( QMessageBox::Cancel );
    return QMessageBox::Ok == box_cl->exec();
}

void QTossWindow::addPlayer( const QModelIndexList& selectedIndexes_cl )
{
    QStringEnterDialog* const dialog_cl = global::widgets::stringEnterDialog();
    dialog_cl->setWindowTitle( QStringLiteral( "Введите псевдоним добавляемого игрока" ) );
    if( QDialog::Accepted != dialog_cl->exec() )
        return;
    SV_ASSERT( 1 == selectedIndexes_cl.size() && !selectedIndexes_cl.front().parent().isValid() );
    const QString nickname_cl = dialog_cl->stringValue( 0 );
    // A save file drops players without a nickname, so such a player would
    // be lost with the next save.
    if( nickname_cl.trimmed().isEmpty() )
    {
        showResult( QMessageBox::Warning,
                    QStringLiteral( "Псевдоним игрока не может быть пустым.\nИгрок не добавлен." ) );
        return;
    }
    // The save file's XML drops a text of blanks alone: such a clan name is
    // no clan name, now rather than after the next load.
    const QString clanName_cl =
        dialog_cl->stringValue( 1 ).trimmed().isEmpty() ? QString() : dialog_cl->stringValue( 1 );
    playersModel_m->addPlayer( selectedIndexes_cl.front(), nickname_cl, clanName_cl );
    updateTossAction();
}

void QTossWindow::startToss()
{
    if( !QTossThread::canStart( global::data::champ() ) )
        return;
    // start() refuses exactly these; a refused start would send no
    // finished() to unlock the window.
    QTossThread* const thread_cl = global::threads::tossThread();
    if( thread_cl->isBusy() )
        return;
    tossRunning_m = true;
    updateEditingState();
    thread_cl->start();
}

bool QTossWindow::playersEditable() const
{
    // The bracket names players by group and id: once it exists, removing or
    // moving a player would leave games naming nobody or somebody else.
    return !tossRunning_m && global::data::champ().rounds().isEmpty();
}

void QTossWindow::setPlayersButtons( bool add_p, bool remove_p, bool up_p, bool down_p )
{
    const bool editable_cl = playersEditable();
    addPlayerBtn_m->setEnabled( editable_cl && add_p );
    removePlayerBtn_m->setEnabled( editable_cl && remove_p );
    movePlayerUpBtn_m->setEnabled( editable_cl && up_p );
    movePlayerDownBtn_m->setEnabled( editable_cl && down_p );
    static const QString locked_scl = QStringLiteral( "Состав игроков нельзя менять после жеребьевки первого тура" );
    static const QString drawing_scl = QStringLiteral( "Состав игроков нельзя менять во время жеребьевки" );
    const QString reason_cl = editable_cl ? QString() : ( tossRunning_m ? drawing_scl : locked_scl );
    addPlayerBtn_m->setToolTip( editable_cl ? QStringLiteral( "Добавить" ) : reason_cl );
    removePlayerBtn_m->setToolTip( editable_cl ? QStringLiteral( "Убрать" ) : reason_cl );
    movePlayerUpBtn_m->setToolTip( editable_cl ? QStringLiteral( "Переместить на верх" ) : reason_cl );
    movePlayerDownBtn_m->setToolTip( editable_cl ? QStringLiteral( "Переместить вниз" ) : reason_cl );
}

void QTossWindow::updatePlayersButtons()
{
    const QModelIndexList rows_cl = playersView_m->selectionModel()->selectedRows( 0 );
    if( 1 == rows_cl.size() && !rows_cl.front().parent().isValid() )
        setPlayersButtons( true, false, false, false );
    else
        slotPlayersSelectionsChanged( QItemSelection(), QItemSelection() );
}

void QTossWindow::updateEditingState()
{
    for( QAction* const action_cl : { newAct_m, openAct_m, saveAct_m, saveAsAct_m } )
        action_cl->setEnabled( !tossRunning_m );
    addNationBtn_m->setEnabled( !tossRunning_m );
    // Results are locked like every other change while a draw runs.
    diagramView_m->setInteractive( !tossRunning_m );
    slotNationsSelectionsChanged();
    updatePlayersButtons();
    updateTossAction();
}
