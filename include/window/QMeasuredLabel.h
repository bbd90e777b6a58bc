#ifndef SORTIVANE_QMEASUREDLABEL_H
#define SORTIVANE_QMEASUREDLABEL_H

#include <QLabel>

// A label of the bracket, its text shown as plain text. Laying a label out
// shapes its text to measure it, and a bracket of a thousand games shows the
// same nations and "VS" hundreds of times: the size hints are measured once
// per text and font, by QLabel itself, and remembered.
class QMeasuredLabel : public QLabel
{
    Q_OBJECT

public:
    explicit QMeasuredLabel( const QString& text_cp, QWidget* parent_p = nullptr );

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

private:
    struct Hints
    {
        QSize size_m;
        QSize minimum_m;
    };
    Hints hints() const;
};

#endif
