#include "championship.h"
#include "testsupport.h"

#include <QtTest>

class tst_Championship : public QObject
{
    Q_OBJECT
private slots:
    void newChampionshipHasDefaults();
};

void tst_Championship::newChampionshipHasDefaults()
{
    const Championship champ_l;
    QCOMPARE( champ_l.groupsNames().size(), 4 );
}

QTEST_GUILESS_MAIN( tst_Championship )
#include "tst_championship.moc"
