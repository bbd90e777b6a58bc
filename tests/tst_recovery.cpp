// A crash loses nothing: the real program is started, changed and killed,
// and the next start offers what it left.
#include "QRecoveryCopy.h"
#include "guisupport.h"
#include "savefile.h"
#include "systemsupport.h"

#include <QProcess>
#include <QStatusBar>
#include <QtTest>

class tst_Recovery : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void restoresWhatAKilledProgramLeft();
    void setsAsideACopyItCannotRead();
    void namesBesideACopyNeverStallTheStart_data();
    void namesBesideACopyNeverStallTheStart();
    void saysOnceThatNoCopyCanBeWritten();
    void changeDuringAWriteReachesTheNextCopy();
    void withoutADisplaySaysWhatIsMissing();
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

void tst_Recovery::namesBesideACopyNeverStallTheStart_data()
{
    // shown: what the question names as the championship's file.
    QTest::addColumn< QString >( "kind" );
    QTest::addColumn< QString >( "shown" );
    QTest::newRow( "FIFO" ) << "fifo"
                            << "";
    QTest::newRow( "link to an endless device" ) << "zero"
                                                 << "";
    QTest::newRow( "200 MB file" ) << "huge"
                                   << "";
    QTest::newRow( "name that looks like markup" ) << "markup"
                                                   << "<b>кубок</b> &amp; <i>финал</i>.stv";
}

// The question comes at once, and the name beside the copy is read only
// when it is a regular file of a name's size; anything else is set aside.
void tst_Recovery::namesBesideACopyNeverStallTheStart()
{
    QFETCH( QString, kind );
    QFETCH( QString, shown );
    const QString folder_cl = QRecoveryCopy::folder();
    QDir( folder_cl ).removeRecursively();
    QDir().mkpath( folder_cl );
    const QString copy_cl = folder_cl + QStringLiteral( "/recovery-999999998.stv" );
    const QString name_cl = folder_cl + QStringLiteral( "/recovery-999999998.name" );
    QVERIFY( SaveFile::write( Championship(), copy_cl ) );
    if( kind == QStringLiteral( "fifo" ) || kind == QStringLiteral( "zero" ) )
    {
        if( !systemsupport::hasFifos() )
            QSKIP( "no FIFOs or device links on this system" );
        QVERIFY( kind == QStringLiteral( "fifo" ) ? systemsupport::makeFifo( name_cl )
                                                  : QFile::link( QStringLiteral( "/dev/zero" ), name_cl ) );
    }
    QFile name_l( name_cl );
    if( kind == QStringLiteral( "huge" ) )
        QVERIFY( name_l.open( QIODevice::WriteOnly ) && name_l.resize( 200LL * 1024 * 1024 ) );
    if( kind == QStringLiteral( "markup" ) )
        QVERIFY( name_l.open( QIODevice::WriteOnly ) && name_l.write( shown.toUtf8() ) );
    name_l.close();
    QString text_l;
    Qt::TextFormat format_l = Qt::RichText;
    whenModal(
        [ &text_l, &format_l ]( QWidget* modal_p )
        {
            QMessageBox* const box_cl = qobject_cast< QMessageBox* >( modal_p );
            text_l = box_cl->text();
            format_l = box_cl->textFormat();
            box_cl->escapeButton()->click();
        } );
    QTossApplication::offerRecovery();
    QCOMPARE( format_l, Qt::PlainText );
    QCOMPARE( text_l.section( QStringLiteral( "Файл чемпионата: " ), 1 ), shown );
    QCOMPARE(
        QDir( folder_cl ).entryList( { QStringLiteral( "*-refused-*.name" ) }, QDir::System | QDir::Files ).size(),
        shown.isEmpty() ? 1 : 0 );
}

void tst_Recovery::saysOnceThatNoCopyCanBeWritten()
{
    // A file where the folder should be: no copy can be written there.
    const QString folder_cl = QRecoveryCopy::folder();
    QDir( folder_cl ).removeRecursively();
    QFile blocker_l( folder_cl );
    QVERIFY( blocker_l.open( QIODevice::WriteOnly ) );
    blocker_l.close();
    QRecoveryCopy* const copy_cl = gui::window()->findChild< QRecoveryCopy* >();
    QSignalSpy told_l( copy_cl, SIGNAL( notWritten( QString ) ) );
    for( const QString& name_crl : { QStringLiteral( "Аня" ), QStringLiteral( "Борис" ) } )
    {
        global::data::champ().addPlayer( 1, name_crl, QString() );
        gui::window()->showEditedChampionship();
        QTest::qWait( QRecoveryCopy::DELAY_MS + 500 );
    }
    QTRY_COMPARE( told_l.size(), 1 );
    QVERIFY(
        told_l.at( 0 ).at( 0 ).toString().startsWith( QStringLiteral( "Копию несохранённого чемпионата записать" ) ) );
    QCOMPARE( gui::window()->statusBar()->currentMessage(), told_l.at( 0 ).at( 0 ).toString() );
    QFile::remove( folder_cl );
}

// A change made while a copy is being written is in the copy that follows.
void tst_Recovery::changeDuringAWriteReachesTheNextCopy()
{
    resetChampionship( { 256, 256, 256, 256 } );
    QRecoveryCopy recovery_l( nullptr );
    QMetaObject::invokeMethod( &recovery_l, "slotWrite" );
    // The write's end reaches the copy through the event loop, which has not
    // run since: this change comes while it is under way.
    global::data::champ().addPlayer( 4, QStringLiteral( "Поздний" ), QString() );
    QMetaObject::invokeMethod( &recovery_l, "slotWrite" );
    Championship copied_l;
    QTRY_VERIFY( copied_l.load( recovery_l.copyPath() ) && copied_l.holdsSameAs( global::data::champ() ) );
    QTest::qWait( 50 );
    QVERIFY( copied_l.load( recovery_l.copyPath() ) && copied_l.holdsSameAs( global::data::champ() ) );
    recovery_l.discard();
    resetChampionship();
}

void tst_Recovery::withoutADisplaySaysWhatIsMissing()
{
#ifdef Q_OS_WIN
    QSKIP( "Windows always has its desktop" );
#endif
    QProcess program_l;
    QProcessEnvironment environment_l = QProcessEnvironment::systemEnvironment();
    for( const char* const name_cl : { "QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY" } )
        environment_l.remove( QString::fromLatin1( name_cl ) );
    program_l.setProcessEnvironment( environment_l );
    program_l.start( QStringLiteral( SORTIVANE_PROGRAM ), QStringList() );
    QVERIFY( program_l.waitForFinished( 30000 ) );
    QCOMPARE( program_l.exitStatus(), QProcess::NormalExit );
    QCOMPARE( program_l.exitCode(), 1 );
    const QString said_cl = QString::fromUtf8( program_l.readAllStandardError() );
    QVERIFY2( said_cl.contains( QStringLiteral( "нужен графический сеанс" ) )
                  && said_cl.contains( QStringLiteral( "a graphical session" ) ) && !said_cl.contains( "Reinstalling" ),
              qPrintable( said_cl ) );
}

SORTIVANE_APPLICATION_TEST_MAIN( tst_Recovery )

#include "tst_recovery.moc"
