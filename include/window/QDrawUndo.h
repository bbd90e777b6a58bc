#ifndef SORTIVANE_QDRAWUNDO_H
#define SORTIVANE_QDRAWUNDO_H

#include <QObject>

class Championship;
class QAction;
class QMenu;

// "Отменить жеребьевку": takes back the latest draw, after asking. A wrong
// result of the round before is then corrected by clicking its game again
// and drawing anew.
class QDrawUndo : public QObject
{
    Q_OBJECT

public:
    QDrawUndo( QMenu* menu_p, QObject* parent_p );

    // Enabled when a round has been drawn and no draw runs.
    void update( bool drawRunning_p );
    // The question asked before undoing the latest draw of champ_cp.
    static QString question( const Championship& champ_cp );

signals:
    void drawUndone();

private slots:
    void slotUndo();

private:
    QAction* undoAct_m = nullptr;
};

#endif
