#ifndef SORTIVANE_QCHOOSEWINNERDIALOG_H
#define SORTIVANE_QCHOOSEWINNERDIALOG_H

#include <QDialog>

class QLabel;
class QPushButton;
class QRadioButton;

// Picks the winner of one game; changes nothing in the championship itself.
class QChooseWinnerDialog : public QDialog
{
    Q_OBJECT

public:
    QChooseWinnerDialog();

    void setGameTitle( const QString& title_cp );
    void setFavorite( const QString& player_cp, const QString& nation_cp );
    void setOutsider( const QString& player_cp, const QString& nation_cp );
    void setResult( int result_p );
    // Runs the dialog: EXPECTED, UNEXPECTED, or UNKNOWN when cancelled.
    int chooseResult();

protected:
    // The arrow keys check the other side, as in the platform's own dialogs:
    // Down and Enter choose the outsider.
    bool eventFilter( QObject* watched_p, QEvent* event_p ) override;

private slots:
    void slotActivateOkBtn();

private:
    QLabel* titleLabel_m = nullptr;
    QPushButton* okBtn_m = nullptr;
    QRadioButton* favoriteBtn_m = nullptr;
    QRadioButton* outsiderBtn_m = nullptr;
};

#endif
