#ifndef SORTIVANE_QPLAYERSTREEMODEL_H
#define SORTIVANE_QPLAYERSTREEMODEL_H

#include <QAbstractItemModel>
#include <QSet>
#include <QVector>

// Groups and their players as a two-level tree. The model keeps only the row
// order (group ids and player ids); every text is read from the championship.
class QPlayersTreeModel : public QAbstractItemModel
{
    Q_OBJECT

public:
    // Internal id of a group index; a player index carries its group's row.
    static constexpr int NO_PARENT = -1;

    explicit QPlayersTreeModel( QObject* parent_p );

    QModelIndex index( int row, int column, const QModelIndex& parent_cp = QModelIndex() ) const override;
    QModelIndex parent( const QModelIndex& index_cp ) const override;
    int rowCount( const QModelIndex& parent_p = QModelIndex() ) const override;
    int columnCount( const QModelIndex& parent_cp = QModelIndex() ) const override;
    QVariant data( const QModelIndex& index_cp, int role ) const override;
    QVariant headerData( int section, Qt::Orientation orientation, int role ) const override;
    Qt::ItemFlags flags( const QModelIndex& index_cp ) const override;

    void refresh();
    void addPlayer( const QModelIndex& groupIndex_cp, const QString& nickname_p, const QString& clanName_p );
    void removePlayers( const QModelIndexList& indexes_cp );
    void movePlayersUp( const QModelIndexList& indexes_cp );
    void movePlayersDown( const QModelIndexList& indexes_cp );
    void renamePlayer( const QModelIndex& index_cp, const QString& nickname_p, const QString& clanName_p );

    // Group id and player id behind a player index.
    int groupIdOf( const QModelIndex& index_cp ) const;
    int playerIdOf( const QModelIndex& index_cp ) const;

private:
    enum class Edit
    {
        Remove,
        MoveUp,
        MoveDown
    };

    void editPlayers( const QModelIndexList& indexes_cp, Edit edit_p );
    QSet< int > touchedGroups( int groupRow_p, Edit edit_p ) const;
    void editBatch( int groupRow_p, const QVector< int >& playersIds_cp, Edit edit_p );
    void rebuildGroup( int groupRow_p );
    void removeGroupRows( int groupRow_p );
    void insertGroupRows( int groupRow_p );

    QVector< int > groupsIndex_m;
    QVector< QVector< int > > playersIndex_m;
};

#endif
