#ifndef SORTIVANE_QPLAYERSPANEL_H
#define SORTIVANE_QPLAYERSPANEL_H

#include "QPanelFrame.h"

#include <QModelIndexList>

class QItemSelection;
class QPlayersTreeModel;
class QTreeView;

// "Группы игроков": the ranked groups and their players, with the buttons
// that add, remove, rename and move players. The roster is locked from the
// first draw on, and while any draw runs; a player can be renamed at any
// time but during a draw.
class QPlayersPanel : public QPanelFrame
{
    Q_OBJECT

public:
    explicit QPlayersPanel( QWidget* parent_p );

    // Re-reads the championship after it was replaced as a whole.
    void refresh();
    void setDrawRunning( bool running_p );
    // The buttons follow the selection and whether the roster is locked.
    void updateButtons();

    static QString removePlayersQuestion( int amount_p );
    static QString moveConfirmationText( int amount_p );

protected:
    bool eventFilter( QObject* watched_p, QEvent* event_p ) override;

signals:
    void playersChanged();
    // A player's names changed; the player is the same, in the same places.
    void playerRenamed( int groupId_p, int playerId_p );

private slots:
    void slotPlayersActions();
    void slotPlayersSelectionsChanged( const QItemSelection& selected_cp, const QItemSelection& );
    void slotRenamePlayer();

private:
    void addPlayer( const QModelIndexList& selectedIndexes_cp );
    // The names typed into the dialog, cleaned; false, after saying why,
    // for a blank nickname.
    bool typedPlayer( QString& nickname_rp, QString& clanName_rp );
    bool playersEditable() const;
    void setPlayersButtons( bool add_p, bool remove_p, bool up_p, bool down_p );
    // The one player row selected, or an invalid index.
    QModelIndex selectedPlayer() const;

    QTreeView* playersView_m = nullptr;
    QPlayersTreeModel* playersModel_m = nullptr;
    QToolButton* addPlayerBtn_m = nullptr;
    QToolButton* removePlayerBtn_m = nullptr;
    QToolButton* renamePlayerBtn_m = nullptr;
    QToolButton* movePlayerUpBtn_m = nullptr;
    QToolButton* movePlayerDownBtn_m = nullptr;
    bool drawRunning_m = false;
};

#endif
