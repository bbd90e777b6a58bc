// A crash loses nothing: the real program is started, changed and killed,
// and the next start offers what it left.
#include "QRecoveryCopy.h"
#include "guisupport.h"
#include "savefile.h"

#include <QProcess>
#include <QtTest>

class tst_Recovery : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void restoresWhatAKilledProgramLeft();
    void setsAsideACopyItCannotRead();
};

void tst_Recovery::initTestCase()
{
    quietOffscreenPlatform();
    QTossApplication::connectGlobalObjects();
    QDir( QRecoveryCopy::folder() ).removeRecursively();
}

void tst_Recovery::restoresWhatAKilledProgramLeft()
{
    QProcess program_l;
    QProcessEnvironment environment_l = QProcessEnvironment::systemEnvironment();
    environment_l.insert( QStringLiteral( "QT_QPA_PLATFORM" ), QStringLiteral( "offscreen" ) );
    environment_l.insert( QStringLiteral( "SORTIVANE_REGISTER" ), QStringLiteral( "Аня,Борис,Вера" ) );
    program_l.setProcessEnvironment( environment_l );
    program_l.start( QStringLiteral( SORTIVANE_PROGRAM ), QStringList() );
    QVERIFY( program_l.waitForStarted() );
    const QString copy_cl =
        QStringLiteral( "%1/recovery-%2.stv" ).arg( QRecoveryCopy::folder() ).arg( program_l.processId() );
    Championship written_l;
    QTRY_VERIFY_WITH_TIMEOUT( written_l.load( copy_cl ), 10000 );
    QCOMPARE( written_l.playersAmount(), 3 );
    // SIGKILL on Linux, TerminateProcess on Windows: nothing runs after it.
    program_l.kill();
    QVERIFY( program_l.waitForFinished() );
    QCOMPARE( program_l.exitStatus(), QProcess::CrashExit );

    QString text_l;
    whenModal(
        [ &text_l ]( QWidget* modal_p )
        {
            QMessageBox* const box_cl = qobject_cast< QMessageBox* >( modal_p );
            QVERIFY( box_cl );
            QCOMPARE( box_cl->windowTitle(), QStringLiteral( "Восстановление чемпионата" ) );
            QCOMPARE( box_cl->icon(), QMessageBox::Question );
            QCOMPARE( box_cl->defaultButton()->text(), QStringLiteral( "Восстановить" ) );
            text_l = box_cl->text();
            box_cl->defaultButton()->click();
        } );
    QTossApplication::offerRecovery();
    QVERIFY( text_l.startsWith(
        QStringLiteral( "Программа была закрыта, не сохранив чемпионат. Восстановить несохранённые изменения?" ) ) );
    Championship& champ_l = global::data::champ();
    QVERIFY( champ_l.holdsSameAs( written_l ) );
    QCOMPARE( champ_l.players().value( 1 ).value( 2 ).nickname_m, QStringLiteral( "Вера" ) );
    QVERIFY( gui::window()->isWindowModified() );
    QVERIFY( !QFile::exists( copy_cl ) );
    // Offered once: the next start finds nothing left behind.
    QTossApplication::offerRecovery();
    QCOMPARE( QApplication::activeModalWidget(), nullptr );
}

void tst_Recovery::setsAsideACopyItCannotRead()
{
    QDir().mkpath( QRecoveryCopy::folder() );
    const QString copy_cl = QRecoveryCopy::folder() + QStringLiteral( "/recovery-999999999.stv" );
    QFile file_l( copy_cl );
    QVERIFY( file_l.open( QIODevice::WriteOnly ) );
    file_l.write( "<!DOCTYPE SortivaneSaveFile-v.0.1><root>" );
    file_l.close();
    QString warning_l;
    whenModal(
        [ &warning_l ]( QWidget* modal_p )
        {
            gui::answerMessageBox( QMessageBox::Ok, &warning_l );
            qobject_cast< QMessageBox* >( modal_p )->defaultButton()->click();
        } );
    QTossApplication::offerRecovery();
    QVERIFY( warning_l.startsWith( QStringLiteral( "Копию несохранённого чемпионата прочитать не удалось." ) ) );
    QVERIFY( !QFile::exists( copy_cl ) );
    const QStringList aside_cl =
        QDir( QRecoveryCopy::folder() ).entryList( { QStringLiteral( "recovery-999999999-refused-*.stv" ) } );
    QCOMPARE( aside_cl.size(), 1 );
}

SORTIVANE_APPLICATION_TEST_MAIN( tst_Recovery )

#include "tst_recovery.moc"
