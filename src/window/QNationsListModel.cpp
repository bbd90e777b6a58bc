#include "QNationsListModel.h"

#include "championship.h"
#include "globals.h"
#include "svassert.h"

#include <QSet>

QNationsListModel::QNationsListModel( QObject* parent_p ) : QAbstractListModel( parent_p ) {}

QModelIndex QNationsListModel::index( int row, int column, const QModelIndex& parent_cp ) const
{
    if( row < 0 || row >= global::data::champ().nations().size() || column != 0 || parent_cp.isValid() )
        return QModelIndex();
    return createIndex( row, column );
}

int QNationsListModel::rowCount( const QModelIndex& parent_cp ) const
{
    // A list has no children below its rows.
    return parent_cp.isValid() ? 0 : global::data::champ().nations().size();
}

QVariant QNationsListModel::data( const QModelIndex& index_cp, int role ) const
{
    if( !index_cp.isValid() || Qt::DisplayRole != role )
        return QVariant();
    const QVector< int >& nations_cl = global::data::champ().nations();
    SV_ASSERT( index_cp.row() < nations_cl.size() );
    SV_ASSERT( !index_cp.parent().isValid() );
    // A saved list may name a nation the file has no name for; it is shown
    // with an empty text, as the bracket and the draw show it.
    return global::data::champ().nationName( nations_cl.at( index_cp.row() ) );
}

Qt::ItemFlags QNationsListModel::flags( const QModelIndex& index_cp ) const
{
    // The invisible root is no item.
    if( !index_cp.isValid() )
        return Qt::NoItemFlags;
    return Qt::ItemIsSelectable | Qt::ItemIsEnabled;
}

void QNationsListModel::addNation( int nationId_p )
{
    const int size_cl = global::data::champ().nations().size();
    beginInsertRows( QModelIndex(), size_cl, size_cl );
    global::data::champ().nations().append( nationId_p );
    endInsertRows();
    SV_ASSERT( global::data::champ().nations().size() );
}

void QNationsListModel::removeNations( const QModelIndexList& indexes_cp )
{
    QVector< int >& nations_l = global::data::champ().nations();
    QSet< int > removed_l;
    for( const QModelIndex& index_crl : indexes_cp )
        if( index_crl.isValid() && index_crl.row() < nations_l.size() )
            removed_l.insert( nations_l.at( index_crl.row() ) );
    for( int i = 0; i < nations_l.size(); )
    {
        if( !removed_l.contains( nations_l.at( i ) ) )
        {
            ++i;
            continue;
        }
        beginRemoveRows( QModelIndex(), i, i );
        nations_l.remove( i );
        endRemoveRows();
    }
}

void QNationsListModel::refresh()
{
    beginResetModel();
    endResetModel();
}
