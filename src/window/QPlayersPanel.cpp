#include "QPlayersPanel.h"

#include "QPlayersTreeModel.h"
#include "QStringEnterDialog.h"
#include "championship.h"
#include "globals.h"
#include "svassert.h"

#include <QKeyEvent>
#include <QToolButton>
#include <QTreeView>

namespace
{
// Whether somebody other than except_cp is registered under the same
// nickname and clan, whatever their case.
bool registeredElsewhere( const Player& player_cp, const PlayerRef& except_cp )
{
    const PlayersGroups& groups_crl = global::data::champ().players();
    for( auto group_it = groups_crl.cbegin(); group_it != groups_crl.cend(); ++group_it )
        for( auto player_it = group_it->cbegin(); player_it != group_it->cend(); ++player_it )
            if( !( PlayerRef( group_it.key(), player_it.key() ) == except_cp )
                && 0 == player_it->nickname_m.compare( player_cp.nickname_m, Qt::CaseInsensitive )
                && 0 == player_it->clanName_m.compare( player_cp.clanName_m, Qt::CaseInsensitive ) )
                return true;
    return false;
}

// Two identical names in the bracket could not be told apart: asked, with
// "Нет" the default.
bool addDuplicateAnyway( const Player& player_cp, const PlayerRef& except_cp )
{
    if( !registeredElsewhere( player_cp, except_cp ) )
        return true;
    return global::widgets::ask( QStringLiteral( "Игрок «" ) + player_cp.text()
                                     + QStringLiteral( "» уже зарегистрирован. Всё равно добавить?" ),
                                 QStringLiteral( "Да" ), QStringLiteral( "Нет" ) );
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

QPlayersPanel::QPlayersPanel( QWidget* parent_p ) : QPanelFrame( QStringLiteral( "Группы игроков" ), parent_p )
{
    addPlayerBtn_m = addToolButton( "addPlayerBtn", QStringLiteral( "plus" ), QString(), false );
    removePlayerBtn_m = addToolButton( "removePlayerBtn", QStringLiteral( "cross" ), QString(), false );
    renamePlayerBtn_m =
        addToolButton( "renamePlayerBtn", QStringLiteral( "pencil" ), QStringLiteral( "Изменить игрока" ), false );
    addButtonsStretch();
    movePlayerUpBtn_m = addToolButton( "movePlayerUpBtn", QStringLiteral( "up" ), QString(), false );
    movePlayerDownBtn_m = addToolButton( "movePlayerDownBtn", QStringLiteral( "down" ), QString(), false );

    playersView_m = new QTreeView( this );
    playersModel_m = new QPlayersTreeModel( this );
    setPanelView( playersView_m, playersModel_m, "playersView" );

    for( QToolButton* const button_cl : { addPlayerBtn_m, removePlayerBtn_m, movePlayerUpBtn_m, movePlayerDownBtn_m } )
        connect( button_cl, "2released()", this, "1slotPlayersActions()" );
    connect( playersView_m->selectionModel(), "2selectionChanged( const QItemSelection &, const QItemSelection & )",
             this, "1slotPlayersSelectionsChanged( const QItemSelection &, const QItemSelection & )" );
    // Three ways to the same dialog: the button, a double click on the row
    // and F2, as in a file manager.
    connect( renamePlayerBtn_m, "2released()", this, "1slotRenamePlayer()" );
    connect( playersView_m, "2doubleClicked( const QModelIndex & )", this, "1slotRenamePlayer()" );
    playersView_m->setEditTriggers( QAbstractItemView::NoEditTriggers );
    playersView_m->installEventFilter( this );
    setPlayersButtons( false, false, false, false );
}

void QPlayersPanel::refresh()
{
    // The championship is already replaced: the model drops its rows before
    // anything asks it about the old ones. The groups open before stay open.
    QVector< bool > expanded_l;
    for( int row_l = 0; row_l < playersModel_m->rowCount(); ++row_l )
        expanded_l.append( playersView_m->isExpanded( playersModel_m->index( row_l, 0 ) ) );
    playersModel_m->refresh();
    for( int row_l = 0; row_l < std::min( int( expanded_l.size() ), playersModel_m->rowCount() ); ++row_l )
        playersView_m->setExpanded( playersModel_m->index( row_l, 0 ), expanded_l.at( row_l ) );
    playersView_m->selectionModel()->clear();
    playersView_m->setCurrentIndex( QModelIndex() );
    // A model reset drops the selection without a word: the buttons follow.
    updateButtons();
}

void QPlayersPanel::setDrawRunning( bool running_p )
{
    drawRunning_m = running_p;
    updateButtons();
}

void QPlayersPanel::updateButtons()
{
    const QModelIndexList rows_cl = playersView_m->selectionModel()->selectedRows( 0 );
    if( 1 == rows_cl.size() && !rows_cl.front().parent().isValid() )
        setPlayersButtons( true, false, false, false );
    else
        slotPlayersSelectionsChanged( QItemSelection(), QItemSelection() );
}

QString QPlayersPanel::removePlayersQuestion( int amount_p )
{
    static const QString list_scl = QStringLiteral( "Из списка игроков " );
    return removalQuestion( list_scl, amount_p );
}

QString QPlayersPanel::moveConfirmationText( int amount_p )
{
    static const QString will_scl = QStringLiteral( "будет" );
    static const QString moved_scl = QStringLiteral( " перемещен" );
    static const QString movedMany_scl = QStringLiteral( "о" );
    static const QString oneGroup_scl = QStringLiteral( " на одну группу " );
    return QString::number( amount_p ) + QLatin1Char( ' ' ) + selectedWord( amount_p ) + elementWord( amount_p )
           + QLatin1Char( ' ' ) + will_scl + moved_scl + ( 1 == amount_p ? QString() : movedMany_scl ) + oneGroup_scl;
}

bool QPlayersPanel::eventFilter( QObject* watched_p, QEvent* event_p )
{
    if( watched_p == playersView_m && QEvent::KeyPress == event_p->type()
        && Qt::Key_F2 == static_cast< QKeyEvent* >( event_p )->key() )
    {
        slotRenamePlayer();
        return true;
    }
    return QPanelFrame::eventFilter( watched_p, event_p );
}

void QPlayersPanel::slotPlayersActions()
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
    if( players_cl.isEmpty() || !global::widgets::confirm( question_l ) )
        return;
    playersView_m->selectionModel()->clear();
    playersView_m->setCurrentIndex( QModelIndex() );
    if( removePlayerBtn_m == sender_cl )
        playersModel_m->removePlayers( players_cl );
    else if( movePlayerUpBtn_m == sender_cl )
        playersModel_m->movePlayersUp( players_cl );
    else
        playersModel_m->movePlayersDown( players_cl );
    emit playersChanged();
}

void QPlayersPanel::slotPlayersSelectionsChanged( const QItemSelection& selected_cp, const QItemSelection& )
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

void QPlayersPanel::slotRenamePlayer()
{
    const QModelIndex player_cl = selectedPlayer();
    if( drawRunning_m || !player_cl.isValid() )
        return;
    const Player old_cl = global::data::champ()
                              .players()
                              .value( playersModel_m->groupIdOf( player_cl ) )
                              .value( playersModel_m->playerIdOf( player_cl ) );
    QStringEnterDialog* const dialog_cl = global::widgets::stringEnterDialog();
    dialog_cl->setWindowTitle( QStringLiteral( "Изменение игрока" ) );
    if( QDialog::Accepted != dialog_cl->execWith( { old_cl.nickname_m, old_cl.clanName_m } ) )
        return;
    Player new_l;
    const PlayerRef renamed_cl( playersModel_m->groupIdOf( player_cl ), playersModel_m->playerIdOf( player_cl ) );
    if( !typedPlayer( new_l.nickname_m, new_l.clanName_m ) || new_l == old_cl
        || !addDuplicateAnyway( new_l, renamed_cl ) )
        return;
    playersModel_m->renamePlayer( player_cl, new_l.nickname_m, new_l.clanName_m );
    emit playerRenamed( playersModel_m->groupIdOf( player_cl ), playersModel_m->playerIdOf( player_cl ) );
}

void QPlayersPanel::addPlayer( const QModelIndexList& selectedIndexes_cp )
{
    QStringEnterDialog* const dialog_cl = global::widgets::stringEnterDialog();
    dialog_cl->setWindowTitle( QStringLiteral( "Введите псевдоним добавляемого игрока" ) );
    if( QDialog::Accepted != dialog_cl->exec() )
        return;
    SV_ASSERT( 1 == selectedIndexes_cp.size() && !selectedIndexes_cp.front().parent().isValid() );
    QString nickname_l;
    QString clanName_l;
    if( !typedPlayer( nickname_l, clanName_l )
        || !addDuplicateAnyway( { nickname_l, clanName_l }, PlayerRef( -1, -1 ) ) )
        return;
    playersModel_m->addPlayer( selectedIndexes_cp.front(), nickname_l, clanName_l );
    // The new name is seen in its group.
    playersView_m->expand( selectedIndexes_cp.front() );
    emit playersChanged();
}

bool QPlayersPanel::typedPlayer( QString& nickname_rp, QString& clanName_rp )
{
    // Pasted text may carry line breaks and other controls that no save
    // file can hold; blanks around a name are no part of it.
    const QStringEnterDialog* const dialog_cl = global::widgets::stringEnterDialog();
    nickname_rp = storableText( dialog_cl->stringValue( 0 ) ).trimmed();
    clanName_rp = storableText( dialog_cl->stringValue( 1 ) ).trimmed();
    // A save file drops players without a nickname, so such a player would
    // be lost with the next save.
    if( !nickname_rp.isEmpty() )
        return true;
    global::widgets::showResult( QMessageBox::Warning,
                                 QStringLiteral( "Псевдоним игрока не может быть пустым.\nИгрок не добавлен." ) );
    return false;
}

bool QPlayersPanel::playersEditable() const
{
    // The bracket names players by group and id: once it exists, removing or
    // moving a player would leave games naming nobody or somebody else.
    return !drawRunning_m && global::data::champ().rounds().isEmpty();
}

void QPlayersPanel::setPlayersButtons( bool add_p, bool remove_p, bool up_p, bool down_p )
{
    const bool editable_cl = playersEditable();
    addPlayerBtn_m->setEnabled( editable_cl && add_p );
    removePlayerBtn_m->setEnabled( editable_cl && remove_p );
    movePlayerUpBtn_m->setEnabled( editable_cl && up_p );
    movePlayerDownBtn_m->setEnabled( editable_cl && down_p );
    static const QString locked_scl = QStringLiteral( "Состав игроков нельзя менять после жеребьевки первого тура" );
    static const QString drawing_scl = QStringLiteral( "Состав игроков нельзя менять во время жеребьевки" );
    const QString reason_cl = editable_cl ? QString() : ( drawRunning_m ? drawing_scl : locked_scl );
    addPlayerBtn_m->setToolTip( editable_cl ? QStringLiteral( "Добавить" ) : reason_cl );
    removePlayerBtn_m->setToolTip( editable_cl ? QStringLiteral( "Убрать" ) : reason_cl );
    movePlayerUpBtn_m->setToolTip( editable_cl ? QStringLiteral( "Переместить на верх" ) : reason_cl );
    movePlayerDownBtn_m->setToolTip( editable_cl ? QStringLiteral( "Переместить вниз" ) : reason_cl );
    renamePlayerBtn_m->setEnabled( !drawRunning_m && selectedPlayer().isValid() );
}

QModelIndex QPlayersPanel::selectedPlayer() const
{
    const QModelIndexList rows_cl = playersView_m->selectionModel()->selectedRows( 0 );
    return 1 == rows_cl.size() && rows_cl.front().parent().isValid() ? rows_cl.front() : QModelIndex();
}
