#ifndef SORTIVANE_QVIEWCOMMANDS_H
#define SORTIVANE_QVIEWCOMMANDS_H

#include <QObject>

class QAction;
class QMenuBar;
class QWidget;

// The menu "Вид": which view of the bracket, fitting it to the window, full
// screen for the hall, and the pace of the draw's show. Its commands are
// kept on the window as well, so that they work with the menus hidden.
class QViewCommands : public QObject
{
    Q_OBJECT

public:
    QViewCommands( QMenuBar* menuBar_p, QWidget* window_p );

    bool treeShown() const;
    bool fullScreen() const;
    // A bracket too large for the diagram is shown as the tree, and the
    // diagram's command waits for a smaller one.
    void allowDiagram( bool allowed_p );

signals:
    void treeToggled( bool tree_p );
    void fitRequested();
    void fullScreenToggled( bool on_p );

private slots:
    void slotPaceChosen();

private:
    QAction* diagramAct_m = nullptr;
    QAction* treeAct_m = nullptr;
    QAction* fullScreenAct_m = nullptr;
    QAction* hallPaceAct_m = nullptr;
    // The view the organiser chose, to come back to.
    bool treeChosen_m = false;
};

#endif
