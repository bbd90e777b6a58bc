#ifndef SORTIVANE_QNATIONSLISTMODEL_H
#define SORTIVANE_QNATIONSLISTMODEL_H

#include <QAbstractListModel>

// The nations offered for the next draw, by name; answers every question
// from the championship's list, which it edits in place.
class QNationsListModel : public QAbstractListModel
{
    Q_OBJECT

public:
    explicit QNationsListModel( QObject* parent_p );

    QModelIndex index( int row, int column, const QModelIndex& parent_cp = QModelIndex() ) const override;
    int rowCount( const QModelIndex& parent_cp = QModelIndex() ) const override;
    QVariant data( const QModelIndex& index_cp, int role ) const override;
    Qt::ItemFlags flags( const QModelIndex& index_cp ) const override;

    void addNation( int nationId_p );
    void removeNations( const QModelIndexList& indexes_cp );
    void refresh();
};

#endif
