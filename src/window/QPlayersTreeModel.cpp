#include "QPlayersTreeModel.h"

#include "championship.h"
#include "globals.h"
#include "svassert.h"

namespace
{
const int COLUMNS_AMOUNT = 3;

quintptr internalIdOf( int row_p )
{
    return static_cast< quintptr >( static_cast< qintptr >( row_p ) );
}

int internalRowOf( const QModelIndex& index_cp )
{
    return static_cast< int >( static_cast< qintptr >( index_cp.internalId() ) );
}
}

QPlayersTreeModel::QPlayersTreeModel( QObject* parent_p ) : QAbstractItemModel( parent_p )
{
    refresh();
}

QModelIndex QPlayersTreeModel::index( int row, int column, const QModelIndex& parent_cp ) const
{
    if( row < 0 || column < 0 || column >= COLUMNS_AMOUNT )
        return QModelIndex();
    if( !parent_cp.isValid() )
        return row < groupsIndex_m.size() ? createIndex( row, column, internalIdOf( NO_PARENT ) ) : QModelIndex();
    const int parentRow_cl = parent_cp.row();
    if( internalRowOf( parent_cp ) != NO_PARENT || parent_cp.column() > 0 || parentRow_cl >= groupsIndex_m.size()
        || row >= playersIndex_m.at( parentRow_cl ).size() )
        return QModelIndex();
    return createIndex( row, column, internalIdOf( parentRow_cl ) );
}

QModelIndex QPlayersTreeModel::parent( const QModelIndex& index_cp ) const
{
    if( !index_cp.isValid() )
        return QModelIndex();
    const int parentRow_cl = internalRowOf( index_cp );
    SV_ASSERT( NO_PARENT == parentRow_cl || parentRow_cl < groupsIndex_m.size() );
    if( NO_PARENT == parentRow_cl )
        return QModelIndex();
    return createIndex( parentRow_cl, 0, internalIdOf( NO_PARENT ) );
}

int QPlayersTreeModel::rowCount( const QModelIndex& parent_p ) const
{
    if( !parent_p.isValid() )
        return groupsIndex_m.size();
    if( parent_p.parent().isValid() || parent_p.column() > 0 )
        return 0;
    SV_ASSERT( parent_p.row() < playersIndex_m.size() );
    return playersIndex_m.at( parent_p.row() ).size();
}

int QPlayersTreeModel::columnCount( const QModelIndex& ) const
{
    return COLUMNS_AMOUNT;
}

QVariant QPlayersTreeModel::data( const QModelIndex& index_cp, int role ) const
{
    if( !index_cp.isValid() || index_cp.column() > 1 || Qt::DisplayRole != role )
        return QVariant();
    const Championship& champ_crl = global::data::champ();
    if( !index_cp.parent().isValid() )
    {
        SV_ASSERT( index_cp.row() < groupsIndex_m.size() );
        const int groupId_cl = groupsIndex_m.at( index_cp.row() );
        const auto groupName_cl = champ_crl.groupsNames().find( groupId_cl );
        SV_ASSERT( global::data::champ().groupsNames().end() != groupName_cl );
        if( 0 == index_cp.column() )
            return groupName_cl.value();
        static const QString empty_scl = QStringLiteral( "пусто" );
        static const QString count_scl = QStringLiteral( "( %1 )" );
        const int amount_cl = playersIndex_m.at( index_cp.row() ).size();
        return count_scl.arg( amount_cl ? QString::number( amount_cl ) : empty_scl );
    }
    const auto players_cl = champ_crl.players().find( groupIdOf( index_cp ) );
    SV_ASSERT( global::data::champ().players().end() != players_cl );
    const auto player_cl = players_cl.value().find( playerIdOf( index_cp ) );
    SV_ASSERT( players_cl.value().end() != player_cl );
    return 0 == index_cp.column() ? player_cl.value().nickname_m : player_cl.value().clanName_m;
}

QVariant QPlayersTreeModel::headerData( int section, Qt::Orientation, int role ) const
{
    if( Qt::DisplayRole != role || section < 0 || section > 1 )
        return QVariant();
    return global::data::playerFieldsNames().at( section );
}

Qt::ItemFlags QPlayersTreeModel::flags( const QModelIndex& index_cp ) const
{
    // The invisible root is no item.
    if( !index_cp.isValid() )
        return Qt::NoItemFlags;
    return Qt::ItemIsSelectable | Qt::ItemIsEnabled;
}

void QPlayersTreeModel::refresh()
{
    beginResetModel();
    groupsIndex_m = QVector< int >();
    playersIndex_m = QVector< QVector< int > >();
    SV_ASSERT( groupsIndex_m.empty() && playersIndex_m.empty() );
    const PlayersGroups players_cl = global::data::champ().players();
    groupsIndex_m.reserve( players_cl.size() );
    playersIndex_m.reserve( players_cl.size() );
    for( auto group_it = players_cl.cbegin(); group_it != players_cl.cend(); ++group_it )
    {
        groupsIndex_m.append( group_it.key() );
        playersIndex_m.append( group_it.value().keys().toVector() );
    }
    endResetModel();
}

void QPlayersTreeModel::addPlayer( const QModelIndex& groupIndex_cp, const QString& nickname_p,
                                   const QString& clanName_p )
{
    SV_ASSERT( !groupIndex_cp.parent().isValid() && NO_PARENT == internalRowOf( groupIndex_cp ),
               "!groupIndex_cp.parent().isValid() && NO_PARENT == ( int ) groupIndex_cp.internalPointer()" );
    SV_ASSERT( groupIndex_cp.row() < groupsIndex_m.size() );
    const int row_cl = groupIndex_cp.row();
    global::data::champ().addPlayer( groupsIndex_m.at( row_cl ), nickname_p, clanName_p );
    rebuildGroup( row_cl );
    emit dataChanged( index( row_cl, 0 ), index( row_cl, COLUMNS_AMOUNT - 1 ) );
}

void QPlayersTreeModel::removePlayers( const QModelIndexList& indexes_cp )
{
    editPlayers( indexes_cp, Edit::Remove );
}

void QPlayersTreeModel::movePlayersUp( const QModelIndexList& indexes_cp )
{
    editPlayers( indexes_cp, Edit::MoveUp );
}

void QPlayersTreeModel::movePlayersDown( const QModelIndexList& indexes_cp )
{
    editPlayers( indexes_cp, Edit::MoveDown );
}

void QPlayersTreeModel::renamePlayer( const QModelIndex& index_cp, const QString& nickname_p,
                                      const QString& clanName_p )
{
    SV_ASSERT( index_cp.isValid() && index_cp.parent().isValid() );
    global::data::champ().renamePlayer( PlayerRef( groupIdOf( index_cp ), playerIdOf( index_cp ) ), nickname_p,
                                        clanName_p );
    // The row stays where it is: the order is by id, not by name.
    emit dataChanged( index( index_cp.row(), 0, index_cp.parent() ),
                      index( index_cp.row(), COLUMNS_AMOUNT - 1, index_cp.parent() ) );
}

int QPlayersTreeModel::groupIdOf( const QModelIndex& index_cp ) const
{
    return groupsIndex_m.at( internalRowOf( index_cp ) );
}

int QPlayersTreeModel::playerIdOf( const QModelIndex& index_cp ) const
{
    return playersIndex_m.at( internalRowOf( index_cp ) ).at( index_cp.row() );
}

// Consecutive indexes of one group form a batch. All ids are read from the
// caches before any group is rebuilt, so a player moved into the next group
// is never moved a second time by that group's batch.
void QPlayersTreeModel::editPlayers( const QModelIndexList& indexes_cp, Edit edit_p )
{
    QVector< QPair< int, QVector< int > > > batches_l;
    for( const QModelIndex& index_crl : indexes_cp )
    {
        // A group row mixed into a selection of players is not a player.
        if( !index_crl.isValid() || NO_PARENT == internalRowOf( index_crl ) )
            continue;
        const int groupRow_cl = internalRowOf( index_crl );
        if( batches_l.isEmpty() || batches_l.last().first != groupRow_cl )
            batches_l.append( qMakePair( groupRow_cl, QVector< int >() ) );
        batches_l.last().second.append( playerIdOf( index_crl ) );
    }
    // The rows of every group the edit touches are taken out before the
    // championship changes and put back after, so no view ever asks for a
    // player that is gone.
    // A batch that touches no group (the first group moved up, the last
    // one down) is skipped.
    QSet< int > touched_l;
    for( const auto& batch_crl : batches_l )
        touched_l += touchedGroups( batch_crl.first, edit_p );
    for( const int groupRow_cl : touched_l )
        removeGroupRows( groupRow_cl );
    for( const auto& batch_crl : batches_l )
        if( !touchedGroups( batch_crl.first, edit_p ).isEmpty() )
            editBatch( batch_crl.first, batch_crl.second, edit_p );
    for( const int groupRow_cl : touched_l )
        insertGroupRows( groupRow_cl );
}

QSet< int > QPlayersTreeModel::touchedGroups( int groupRow_p, Edit edit_p ) const
{
    switch( edit_p )
    {
    case Edit::Remove:
        return { groupRow_p };
    case Edit::MoveUp:
        return 0 == groupRow_p ? QSet< int >() : QSet< int > { groupRow_p - 1, groupRow_p };
    case Edit::MoveDown:
        return groupsIndex_m.size() - 1 == groupRow_p ? QSet< int >() : QSet< int > { groupRow_p, groupRow_p + 1 };
    }
    return {};
}

void QPlayersTreeModel::editBatch( int groupRow_p, const QVector< int >& playersIds_cp, Edit edit_p )
{
    Championship& champ_l = global::data::champ();
    const int groupId_cl = groupsIndex_m.at( groupRow_p );
    switch( edit_p )
    {
    case Edit::Remove:
        champ_l.removePlayers( groupId_cl, playersIds_cp );
        break;
    case Edit::MoveUp:
        champ_l.movePlayersToPreviousGroup( groupId_cl, playersIds_cp );
        break;
    case Edit::MoveDown:
        champ_l.movePlayersToNextGroup( groupId_cl, playersIds_cp );
        break;
    }
}

void QPlayersTreeModel::rebuildGroup( int groupRow_p )
{
    removeGroupRows( groupRow_p );
    insertGroupRows( groupRow_p );
}

void QPlayersTreeModel::removeGroupRows( int groupRow_p )
{
    const int oldAmount_cl = playersIndex_m.at( groupRow_p ).size();
    if( !oldAmount_cl )
        return;
    beginRemoveRows( index( groupRow_p, 0 ), 0, oldAmount_cl - 1 );
    playersIndex_m[ groupRow_p ].clear();
    endRemoveRows();
}

void QPlayersTreeModel::insertGroupRows( int groupRow_p )
{
    const QModelIndex groupIndex_cl = index( groupRow_p, 0 );
    const PlayersGroup group_cl = global::data::champ().players().value( groupsIndex_m.at( groupRow_p ) );
    if( !group_cl.isEmpty() )
    {
        beginInsertRows( groupIndex_cl, 0, group_cl.size() - 1 );
        playersIndex_m[ groupRow_p ] = group_cl.keys().toVector();
        endInsertRows();
    }
    // Also when the group became empty: its count reads "пусто" now.
    emit dataChanged( groupIndex_cl, index( groupRow_p, COLUMNS_AMOUNT - 1 ), {} );
}
