#ifndef SORTIVANE_QCHOOSENATIONDIALOG_H
#define SORTIVANE_QCHOOSENATIONDIALOG_H

#include <QDialog>

class QComboBox;

// Offers the nations of the championship that are not yet in the list of
// the next draw, in ascending id.
class QChooseNationDialog : public QDialog
{
public:
    QChooseNationDialog();
    ~QChooseNationDialog() override = default;

    int exec() override;
    // 0 (no nation) when nothing is left to offer.
    int chosenNationId() const;

private:
    QComboBox* nationsCmb_m;
};

#endif
