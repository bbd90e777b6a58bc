#ifndef SORTIVANE_QTOSSPROCESSWINDOW_H
#define SORTIVANE_QTOSSPROCESSWINDOW_H

#include <QFrame>

class QLabel;

// The window in which the organiser watches a draw.
class QTossProcessWindow : public QFrame
{
    Q_OBJECT

public:
    QTossProcessWindow();

    // The draw's commitment, on a line of its own beside the cancel button;
    // an empty one hides the line.
    void setCommitment( const QString& commitment_cp, int attempt_p );
    // In the hall's pace F11 shows the draw full screen, in large text; only
    // F11 leaves it, Escape still cancels the draw.
    void setHallPace( bool hall_p );
    // Placed before it is shown, centred on the main window and inside its
    // screen, so that no show is seen at the screen's corner.
    void setVisible( bool visible_p ) override;

protected:
    // Closing the window or pressing Escape cancels the draw, as the cancel
    // button does.
    void closeEvent( QCloseEvent* event_p ) override;
    void keyPressEvent( QKeyEvent* event_p ) override;

private slots:
    void sltClean();
    void sltSetGameNumber( int number_p );
    void sltSetTxtValue( int textValueType_p, QString textValue_p );
    void sltSetWindowTitle( int tourDenominator_p );

private:
    QLabel* gameNumberLbl_m = nullptr;
    QLabel* favoriteNameLbl_m = nullptr;
    QLabel* favoriteNationLbl_m = nullptr;
    QLabel* outsiderNameLbl_m = nullptr;
    QLabel* outsiderNationLbl_m = nullptr;
    QLabel* commitmentLbl_m = nullptr;
    bool hallPace_m = false;
    // Denominator of the round being drawn, as the draw announced it; the game
    // numbers are checked against it rather than against the championship,
    // which the draw has not written yet.
    int tourDenominator_m = 0;
};

#endif
