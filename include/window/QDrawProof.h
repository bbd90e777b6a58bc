#ifndef SORTIVANE_QDRAWPROOF_H
#define SORTIVANE_QDRAWPROOF_H

#include <QObject>

class QAction;
class QLabel;
class QMenu;
class QStatusBar;

// The window's side of a draw anyone can check: the commitment of the next
// draw in the status bar before "Запустить" is pressed, the secret of the
// draw just stored after it, and, when the organiser wants it, the hall's
// word asked before each draw.
class QDrawProof : public QObject
{
    Q_OBJECT

public:
    QDrawProof( QMenu* menu_p, QStatusBar* statusBar_p, QObject* parent_p );

    // "Код жеребьевки: …" as the hall notes it, with the attempt from the
    // second on.
    static QString codeText( const QString& commitment_cp, int attempt_p );

    // drawAllowed_p: whether a draw may start now.
    void update( bool drawAllowed_p );
    // Before a draw: asks the hall's word if the organiser wants one; false
    // when the organiser cancelled, and then no draw starts.
    bool prepareDraw( QWidget* parent_p );

private slots:
    void slotAskWordToggled( bool checked_p );

private:
    QAction* askWordAct_m = nullptr;
    QLabel* status_m = nullptr;
};

#endif
