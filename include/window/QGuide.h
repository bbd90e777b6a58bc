#ifndef SORTIVANE_QGUIDE_H
#define SORTIVANE_QGUIDE_H

#include <QObject>

class QMenuBar;
class QWidget;

// "Справка" (F1): the organiser's guide, an HTML page installed with the
// program, opened in the browser.
class QGuide : public QObject
{
    Q_OBJECT

public:
    QGuide( QMenuBar* menuBar_p, QWidget* window_p );

    // The guide's page: beside the program (Windows, a portable copy, the
    // build folder), or in the installed documentation; empty when neither
    // holds it.
    static QString pagePath();

private slots:
    void slotOpen();
};

#endif
