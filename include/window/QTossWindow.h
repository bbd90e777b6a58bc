#ifndef SORTIVANE_QTOSSWINDOW_H
#define SORTIVANE_QTOSSWINDOW_H

#include "championship.h"

#include <QFileDialog>
#include <QMainWindow>
#include <QMessageBox>
#include <QModelIndexList>

class QAction;
class QDiagramScene;
class QFrame;
class QGraphicsView;
class QItemSelection;
class QLabel;
class QListView;
class QMenu;
class QNationsListModel;
class QPlayersTreeModel;
class QSlider;
class QToolButton;
class QTreeView;

// The main window: players and nations on the left, the bracket on the right,
// the championship and draw commands in the menus and the tool bar.
class QTossWindow : public QMainWindow
{
    Q_OBJECT

public:
    QTossWindow();

    void updateAfterGameResult( int gameId );
    void updateTossAction();
    void resetViews();

    // The confirmation questions, for n selected rows.
    static QString removePlayersQuestion( int amount_p );
    static QString removeNationsQuestion( int amount_p );
    static QString moveConfirmationText( int amount_p );

protected:
    void closeEvent( QCloseEvent* event_p ) override;

private slots:
    void slotNationsActions();
    void slotMenuActions();
    void slotPlayersActions();
    void slotPlayersSelectionsChanged( const QItemSelection& selected_cp, const QItemSelection& );
    void slotNationsSelectionsChanged();
    void slotScaleDiagram( int percents_p );
    void slotUpdateScene();
    void slotTossFinished();
    void slotFileFilterSelected( const QString& filter_cp );

private:
    QFrame* createPlayersPanel();
    QFrame* createNationsPanel();
    void createMenus();
    void createToolBar();
    QAction* createAction( QMenu* menu_p, const QString& iconName_cp, const QString& text_cp,
                           const QString& toolTip_cp );

    void newChampionship();
    void openChampionship();
    void prepareFileDialog( const QString& title_cp, QFileDialog::AcceptMode mode_p, const QString& fileName_cp );
    QString chosenFileName() const;
    QString chooseSaveFileName();
    void saveAs();
    void saveChampionship( const QString& fileName_p );
    bool mayClose();
    void showResult( QMessageBox::Icon icon_p, const QString& text_cp );
    bool confirm( const QString& question_cp );

    void addPlayer( const QModelIndexList& selectedIndexes_cl );
    void startToss();
    bool playersEditable() const;
    void setPlayersButtons( bool add_p, bool remove_p, bool up_p, bool down_p );
    void updatePlayersButtons();
    void updateEditingState();

    QGraphicsView* diagramView_m = nullptr;
    QTreeView* playersView_m = nullptr;
    QListView* nationsView_m = nullptr;
    QPlayersTreeModel* playersModel_m = nullptr;
    QNationsListModel* nationsModel_m = nullptr;
    QDiagramScene* diagramScene_m = nullptr;
    QToolButton* addPlayerBtn_m = nullptr;
    QToolButton* removePlayerBtn_m = nullptr;
    QToolButton* movePlayerUpBtn_m = nullptr;
    QToolButton* movePlayerDownBtn_m = nullptr;
    QToolButton* addNationBtn_m = nullptr;
    QToolButton* removeNationBtn_m = nullptr;
    QLabel* scaleLbl_m = nullptr;
    QSlider* scaleSlider_m = nullptr;
    QAction* newAct_m = nullptr;
    QAction* openAct_m = nullptr;
    QAction* saveAct_m = nullptr;
    QAction* saveAsAct_m = nullptr;
    QAction* exitAct_m = nullptr;
    QAction* tossAct_m = nullptr;
    QAction* importAct_m = nullptr;
    QAction* setupAct_m = nullptr;
    QAction* aboutAct_m = nullptr;
    int scalePercents_m = 100;
    // While the worker draws, nothing may change the championship.
    bool tossRunning_m = false;
    // The championship as last saved, loaded or started anew.
    Championship stored_m;
};

#endif
