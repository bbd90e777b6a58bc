#ifndef SORTIVANE_QNATIONSPANEL_H
#define SORTIVANE_QNATIONSPANEL_H

#include "QPanelFrame.h"

class QListView;
class QNationsListModel;

// "Нации для очередного тура": the nations the next draw may hand out, with
// the buttons that add and remove them. The list may change between rounds,
// never while a draw runs.
class QNationsPanel : public QPanelFrame
{
    Q_OBJECT

public:
    explicit QNationsPanel( QWidget* parent_p );

    // Re-reads the championship after it was replaced as a whole.
    void refresh();
    void setDrawRunning( bool running_p );

    static QString removeNationsQuestion( int amount_p );

signals:
    void nationsChanged();

private slots:
    void slotNationsActions();
    void slotNationsSelectionsChanged();

private:
    void addNation();
    void removeNations();

    QListView* nationsView_m = nullptr;
    QNationsListModel* nationsModel_m = nullptr;
    QToolButton* addNationBtn_m = nullptr;
    QToolButton* removeNationBtn_m = nullptr;
    bool drawRunning_m = false;
};

#endif
