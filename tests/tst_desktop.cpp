// The program on a Russian desktop: Qt's own widgets speak Russian, and at a
// scale of 2 (QT_SCALE_FACTOR=2, set by the test's environment) the tool
// bar's icons are drawn from pictures of twice their size. The application
// is made by the start-up function that main uses.
#include "QTossApplication.h"
#include "QTossWindow.h"
#include "QWindowSettings.h"
#include "guisupport.h"

#include <QMenu>
#include <QScreen>
#include <QToolBar>

using namespace gui;

class tst_Desktop : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void standardDialogsSpeakRussian();
    void toolBarIconsAreSharpAtScaleTwo();
    void firstPlaceIsInsideTheScreen();
};

void tst_Desktop::initTestCase()
{
    quietOffscreenPlatform();
    QTossApplication::connectGlobalObjects();
    window()->show();
    QVERIFY( QTest::qWaitForWindowExposed( window() ) );
}

void tst_Desktop::standardDialogsSpeakRussian()
{
    QStringList columns_l;
    QString reject_l;
    QStringList menu_l;
    whenModal(
        [ &columns_l, &reject_l, &menu_l ]( QWidget* modal_p )
        {
            QFileDialog* const dialog_cl = qobject_cast< QFileDialog* >( modal_p );
            const QAbstractItemModel* const files_cl = dialog_cl->findChild< QTreeView* >()->model();
            for( int column_l = 0; column_l < files_cl->columnCount(); ++column_l )
                columns_l.append( files_cl->headerData( column_l, Qt::Horizontal ).toString() );
            reject_l = dialog_cl->labelText( QFileDialog::Reject );
            QMenu* const menu_cl =
                dialog_cl->findChild< QLineEdit* >( QStringLiteral( "fileNameEdit" ) )->createStandardContextMenu();
            for( QAction* const action_cl : menu_cl->actions() )
                if( !action_cl->isSeparator() )
                    menu_l.append( action_cl->text() );
            delete menu_cl;
            QTest::keyClick( dialog_cl, Qt::Key_Escape );
        } );
    action( QStringLiteral( "Сохранить как ..." ) )->trigger();
    QCOMPARE( columns_l.value( 0 ), QStringLiteral( "Имя" ) );
    QCOMPARE( columns_l.value( 1 ), QStringLiteral( "Размер" ) );
    QCOMPARE( reject_l, QStringLiteral( "Отменить" ) );
    QVERIFY2( menu_l.join( QLatin1Char( '|' ) ).contains( QStringLiteral( "&Копировать" ) ),
              qPrintable( menu_l.join( QLatin1Char( '|' ) ) ) );
}

void tst_Desktop::toolBarIconsAreSharpAtScaleTwo()
{
    QCOMPARE( window()->devicePixelRatioF(), 2.0 );
    QVERIFY( QCoreApplication::testAttribute( Qt::AA_UseHighDpiPixmaps ) );
    const QToolBar* const toolBar_cl = window()->findChild< QToolBar* >();
    for( QAction* const action_cl : toolBar_cl->actions() )
    {
        if( action_cl->icon().isNull() )
            continue;
        const QPixmap drawn_cl = action_cl->icon().pixmap( window()->windowHandle(), QSize( 24, 24 ) );
        QVERIFY2( drawn_cl.devicePixelRatio() == 2.0, qPrintable( action_cl->text() ) );
        QCOMPARE( drawn_cl.size(), QSize( 48, 48 ) );
        // Drawn at 48 pixels, not a 24-pixel picture scaled up.
        QVERIFY( action_cl->icon().availableSizes().contains( QSize( 48, 48 ) ) );
    }
}

// A projector scaled by 2 leaves the window little room: with nothing
// remembered, it opens inside the screen, or at the least size it needs.
void tst_Desktop::firstPlaceIsInsideTheScreen()
{
    QWindowSettings::restoreGeometry( window() );
    const QRect screen_cl = window()->screen()->availableGeometry();
    const QSize least_cl = window()->minimumSizeHint();
    QCOMPARE(
        window()->size(),
        QSize( 1280, 800 ).boundedTo( screen_cl.size() - QWindowSettings::FRAME_ALLOWANCE ).expandedTo( least_cl ) );
    if( least_cl.width() <= screen_cl.width() && least_cl.height() <= screen_cl.height() )
        QVERIFY( screen_cl.contains( window()->geometry() ) );
}

int main( int argc, char** argv )
{
    int result_l = 0;
    {
        const std::unique_ptr< QTossApplication > application_l = QTossApplication::create( argc, argv );
        tst_Desktop test_l;
        result_l = QTest::qExec( &test_l, argc, argv );
    }
    return result_l;
}

#include "tst_desktop.moc"
