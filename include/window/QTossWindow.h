#ifndef SORTIVANE_QTOSSWINDOW_H
#define SORTIVANE_QTOSSWINDOW_H

#include <QMainWindow>

class QAction;
class QBracketTreeScene;
class QBracketView;
class QChampionshipFiles;
class QDiagramScene;
class QDrawProof;
class QDrawUndo;
class QLabel;
class QMenu;
class QNationsPanel;
class QPlayersPanel;
class QRecoveryCopy;
class QRoundProgress;
class QSlider;
class QToolBar;
class QViewCommands;

// The main window: players and nations on the left, the bracket on the right,
// the championship and draw commands in the menus and the tool bar. While a
// draw runs, nothing else may change the championship.
class QTossWindow : public QMainWindow
{
    Q_OBJECT

public:
    QTossWindow();

    void updateAfterGameResult( int gameId );
    void updateTossAction();
    // Re-reads every view after the championship was replaced as a whole;
    // it then counts as stored.
    void resetViews();
    // Whoever changes the championship outside the window's own commands
    // says so here: the title marks unsaved work and a recovery copy
    // follows.
    void noteChange();
    // The same, with every view re-read.
    void showEditedChampionship();
    // At start-up, before the window takes input: offers to restore what a
    // program that did not quit normally left unsaved.
    void offerRecovery();
    // At start-up, after the recovery offer: the championship file the
    // program was started with.
    void openOnStart( const QString& fileName_cp );

protected:
    void closeEvent( QCloseEvent* event_p ) override;

private slots:
    void slotMenuActions();
    void slotScaleDiagram( int percents_p );
    void slotUpdateScene();
    void slotTossFinished();
    void slotChampionshipReplaced();
    void slotRosterChanged();
    void slotPlayerRenamed( int groupId_p, int playerId_p );
    void slotDrawUndone();
    void slotStored();
    void slotFitDiagram();
    void slotFullScreen( bool on_p );
    void slotShowTree( bool tree_p );

private:
    void createMenus();
    void createToolBar();
    QAction* createAction( QMenu* menu_p, const QString& iconName_cp, const QString& text_cp,
                           const QString& toolTip_cp );

    void refreshViews();
    void updateTree();
    // Too large a bracket for the diagram is shown as the tree, with a note.
    void updateDiagramSize();
    void startToss();
    void updateEditingState();
    // Why "Запустить" is disabled now; empty when it is not.
    QString tossBlockedReason() const;

    QBracketView* diagramView_m = nullptr;
    QDiagramScene* diagramScene_m = nullptr;
    QBracketTreeScene* treeScene_m = nullptr;
    bool treeOutdated_m = true;
    QPlayersPanel* playersPanel_m = nullptr;
    QNationsPanel* nationsPanel_m = nullptr;
    QChampionshipFiles* files_m = nullptr;
    QDrawUndo* undo_m = nullptr;
    QDrawProof* proof_m = nullptr;
    QRecoveryCopy* recovery_m = nullptr;
    QLabel* scaleLbl_m = nullptr;
    QLabel* championLbl_m = nullptr;
    QRoundProgress* progress_m = nullptr;
    Qt::WindowStates stateBeforeFullScreen_m = Qt::WindowNoState;
    int zoomBeforeFullScreen_m = 100;
    QLabel* viewNoteLbl_m = nullptr;
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
    QViewCommands* viewCommands_m = nullptr;
    QToolBar* toolBar_m = nullptr;
    QWidget* leftColumn_m = nullptr;
    int scalePercents_m = 100;
    bool tossRunning_m = false;
};

#endif
