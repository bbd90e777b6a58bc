// The application object itself: start-up shows only the main window, "Выйти"
// ends the event loop, and the destructor disposes of the global widgets
// (the test process must then end cleanly).
#include "QTossApplication.h"
#include "QTossProcessWindow.h"
#include "QTossThread.h"
#include "QTossWindow.h"
#include "globals.h"
#include "guisupport.h"

#include <QtTest>

using namespace gui;

class tst_Application : public QObject
{
    Q_OBJECT
private slots:
    void startsWithMainWindowOnly();
    void exitEndsEventLoop();
};

void tst_Application::startsWithMainWindowOnly()
{
    quietOffscreenPlatform();
    QTossApplication::connectGlobalObjects();
    window()->show();
    QVERIFY( QTest::qWaitForWindowExposed( window() ) );
    QStringList visible_l;
    // Widgets drawn inside a scene are not on the screen.
    for( QWidget* const widget_cl : QApplication::topLevelWidgets() )
        if( widget_cl->isVisible() && !widget_cl->testAttribute( Qt::WA_DontShowOnScreen ) )
            visible_l.append( QString::fromLatin1( widget_cl->metaObject()->className() ) );
    QCOMPARE( visible_l, QStringList( { "QTossWindow" } ) );
    QVERIFY( !global::widgets::tossProcessWindow()->isVisible() );
    // 16, 32 and 48 pixels, and twice 32 and 48 for a scale of 2.
    QCOMPARE(
        window()->windowIcon().availableSizes(),
        QList< QSize >( { QSize( 16, 16 ), QSize( 32, 32 ), QSize( 48, 48 ), QSize( 64, 64 ), QSize( 96, 96 ) } ) );
}

void tst_Application::exitEndsEventLoop()
{
    QTimer::singleShot( 0, [] { action( QStringLiteral( "Выйти" ) )->trigger(); } );
    QCOMPARE( QApplication::exec(), 0 );
    QVERIFY( !window()->isVisible() );
}

SORTIVANE_APPLICATION_TEST_MAIN( tst_Application )

#include "tst_application.moc"
