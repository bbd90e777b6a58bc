#include "QNationsPanel.h"

#include "QChooseNationDialog.h"
#include "QNationsListModel.h"
#include "championship.h"
#include "globals.h"
#include "svassert.h"

#include <QListView>
#include <QToolButton>

QNationsPanel::QNationsPanel( QWidget* parent_p )
    : QPanelFrame( QStringLiteral( "Нации для очередного тура" ), parent_p )
{
    addNationBtn_m = addToolButton( "addNationBtn", QStringLiteral( "plus" ), QStringLiteral( "Добавить" ), true );
    removeNationBtn_m =
        addToolButton( "removeNationBtn", QStringLiteral( "cross" ), QStringLiteral( "Убрать" ), false );
    addButtonsStretch();

    nationsView_m = new QListView( this );
    nationsModel_m = new QNationsListModel( this );
    setPanelView( nationsView_m, nationsModel_m, "nationsView" );

    connect( addNationBtn_m, "2released()", this, "1slotNationsActions()" );
    connect( removeNationBtn_m, "2released()", this, "1slotNationsActions()" );
    connect( nationsView_m->selectionModel(), "2selectionChanged( const QItemSelection &, const QItemSelection & )",
             this, "1slotNationsSelectionsChanged()" );
}

void QNationsPanel::refresh()
{
    nationsModel_m->refresh();
    nationsView_m->selectionModel()->clear();
    nationsView_m->setCurrentIndex( QModelIndex() );
    nationsView_m->viewport()->update();
    slotNationsSelectionsChanged();
}

void QNationsPanel::setDrawRunning( bool running_p )
{
    drawRunning_m = running_p;
    addNationBtn_m->setEnabled( !drawRunning_m );
    slotNationsSelectionsChanged();
}

QString QNationsPanel::removeNationsQuestion( int amount_p )
{
    static const QString list_scl = QStringLiteral( "Из списка наций " );
    return removalQuestion( list_scl, amount_p );
}

void QNationsPanel::slotNationsActions()
{
    QToolButton* const sender_cl = qobject_cast< QToolButton* >( sender() );
    SV_ASSERT( nullptr != sender_cl, "NULL != sender_cl" );
    if( addNationBtn_m == sender_cl )
        addNation();
    else if( removeNationBtn_m == sender_cl )
        removeNations();
    else
        SV_ASSERT( !"[ERROR] Incorrect IF brunch." );
}

void QNationsPanel::slotNationsSelectionsChanged()
{
    removeNationBtn_m->setEnabled( !drawRunning_m && !nationsView_m->selectionModel()->selectedIndexes().isEmpty() );
}

void QNationsPanel::addNation()
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
    emit nationsChanged();
}

void QNationsPanel::removeNations()
{
    const QModelIndexList selection_cl = nationsView_m->selectionModel()->selectedIndexes();
    SV_ASSERT( selection_cl.size() );
    if( !global::widgets::confirm( removeNationsQuestion( selection_cl.size() ) ) )
        return;
    nationsView_m->selectionModel()->clear();
    nationsView_m->setCurrentIndex( QModelIndex() );
    nationsModel_m->removeNations( selection_cl );
    emit nationsChanged();
}
