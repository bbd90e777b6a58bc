// What the window remembers survives a fresh start: each setting is changed
// through the window in one run of the program, and the next run, a new
// process on the same settings, shows it back. A place remembered on a
// bigger screen is not restored off a smaller one.
//
// The two runs are this test program itself, started again with
// SORTIVANE_SETTINGS_STAGE set: "store:<setting>" changes one setting and
// quits with "Выйти", printing what it stored; "show" prints what a fresh
// start shows.
#include "QTossApplication.h"
#include "QTossWindow.h"
#include "QWindowSettings.h"
#include "globals.h"
#include "guisupport.h"

#include <QLabel>
#include <QProcess>
#include <QScreen>
#include <QSlider>

#include <cstdio>

using namespace gui;

namespace
{
const char* const STAGE = "SORTIVANE_SETTINGS_STAGE";
const char* const HOME = "SORTIVANE_SETTINGS_HOME";
const char* const FILE_TO_OPEN = "SORTIVANE_SETTINGS_FILE";

QString geometryText( const QRect& rect_cp )
{
    return QStringLiteral( "geometry=%1,%2,%3,%4" )
        .arg( rect_cp.x() )
        .arg( rect_cp.y() )
        .arg( rect_cp.width() )
        .arg( rect_cp.height() );
}

// Each line names a setting as a fresh start shows it.
QStringList shownSettings()
{
    const QRect screen_cl = window()->screen()->availableGeometry();
    return { QStringLiteral( "zoom=%1" ).arg( child< QSlider >( "scaleSlider" )->value() ),
             QStringLiteral( "zoom label=%1" ).arg( child< QLabel >( "scaleLabel" )->text() ),
             QStringLiteral( "tree=%1" ).arg( action( QStringLiteral( "Сетка" ) )->isChecked() ),
             QStringLiteral( "hall pace=%1" ).arg( action( QStringLiteral( "Для зала" ) )->isChecked() ),
             QStringLiteral( "hall's word=%1" ).arg( action( QStringLiteral( "Спрашивать слово зала" ) )->isChecked() ),
             QStringLiteral( "folder=%1" ).arg( global::widgets::fileDialog()->directory().absolutePath() ),
             geometryText( window()->geometry() ),
             QStringLiteral( "corner on screen=%1" ).arg( screen_cl.contains( window()->geometry().topLeft() ) ) };
}

// Opens the file through "Продолжить сохранённый", answering its questions.
void openThroughTheDialog( const QString& file_cp )
{
    QTimer answers_l;
    QObject::connect( &answers_l, &QTimer::timeout,
                      [ file_cp ]
                      {
                          QWidget* const modal_cl = QApplication::activeModalWidget();
                          if( QMessageBox* const box_cl = qobject_cast< QMessageBox* >( modal_cl ) )
                              box_cl->button( QMessageBox::Ok )->click();
                          else if( QFileDialog* const dialog_cl = qobject_cast< QFileDialog* >( modal_cl ) )
                          {
                              chooseFile( dialog_cl, file_cp );
                              QMetaObject::invokeMethod( dialog_cl, "accept" );
                          }
                      } );
    answers_l.start( 20 );
    action( QStringLiteral( "Продолжить сохранённый" ) )->trigger();
}

// One setting changed as the organiser changes it; returns what a later
// start should show.
QString storeSetting( const QString& setting_cp )
{
    if( QStringLiteral( "zoom" ) == setting_cp )
        child< QSlider >( "scaleSlider" )->setValue( 150 );
    else if( QStringLiteral( "view" ) == setting_cp )
        action( QStringLiteral( "Сетка" ) )->trigger();
    else if( QStringLiteral( "pace" ) == setting_cp )
        action( QStringLiteral( "Для зала" ) )->trigger();
    else if( QStringLiteral( "hall's word" ) == setting_cp )
        action( QStringLiteral( "Спрашивать слово зала" ) )->trigger();
    else if( QStringLiteral( "folder" ) == setting_cp )
        openThroughTheDialog( qEnvironmentVariable( FILE_TO_OPEN ) );
    else if( QStringLiteral( "geometry" ) == setting_cp )
    {
        // Off the first place, and too big for a screen of half the size.
        const QRect screen_cl = window()->screen()->availableGeometry();
        window()->setGeometry( screen_cl.adjusted( 20, 30, -20, -30 ) );
        return geometryText( window()->geometry() );
    }
    const QStringList shown_cl = shownSettings();
    const QString key_cl = QStringLiteral( "view" ) == setting_cp   ? QStringLiteral( "tree=" )
                           : QStringLiteral( "pace" ) == setting_cp ? QStringLiteral( "hall pace=" )
                                                                    : setting_cp + QLatin1Char( '=' );
    for( const QString& line_crl : shown_cl )
        if( line_crl.startsWith( key_cl ) )
            return line_crl;
    return QString();
}

// A run of the program, as main makes it, for one stage.
int runStage( int argc_p, char** argv_p, const QString& stage_cp )
{
    qputenv( "XDG_CONFIG_HOME", qgetenv( HOME ) );
#ifdef Q_OS_WIN
    QSettings::setPath( QSettings::IniFormat, QSettings::UserScope, qEnvironmentVariable( HOME ) );
#endif
    const std::unique_ptr< QTossApplication > application_l = QTossApplication::create( argc_p, argv_p );
    quietOffscreenPlatform();
    QTossApplication::connectGlobalObjects();
    QWindowSettings::restoreGeometry( window() );
    window()->show();
    if( !QTest::qWaitForWindowExposed( window() ) )
        return 1;
    QString out_l;
    if( QStringLiteral( "show" ) == stage_cp )
        out_l = shownSettings().join( QLatin1Char( '\n' ) );
    else
        out_l = QStringLiteral( "stored " ) + storeSetting( stage_cp.section( QLatin1Char( ':' ), 1 ) );
    action( QStringLiteral( "Выйти" ) )->trigger();
    std::printf( "%s\n", out_l.toUtf8().constData() );
    return 0;
}
}

class tst_Settings : public QObject
{
    Q_OBJECT
private slots:
    void remembersEachSettingAcrossStarts_data();
    void remembersEachSettingAcrossStarts();

private:
    QStringList runProgram( const QString& stage_cp, const QString& home_cp, const QByteArray& scale_cp );
    QTemporaryDir dir_m;
};

QStringList tst_Settings::runProgram( const QString& stage_cp, const QString& home_cp, const QByteArray& scale_cp )
{
    QProcess program_l;
    QProcessEnvironment environment_l = QProcessEnvironment::systemEnvironment();
    environment_l.insert( QString::fromLatin1( STAGE ), stage_cp );
    environment_l.insert( QString::fromLatin1( HOME ), home_cp );
    environment_l.insert( QString::fromLatin1( FILE_TO_OPEN ), dir_m.filePath( QStringLiteral( "Кубки/кубок.stv" ) ) );
    environment_l.insert( QStringLiteral( "QT_SCALE_FACTOR" ), QString::fromLatin1( scale_cp ) );
    environment_l.insert( QStringLiteral( "WINEQT_SCALE_FACTOR" ), QString::fromLatin1( scale_cp ) );
    program_l.setProcessEnvironment( environment_l );
    program_l.setProcessChannelMode( QProcess::ForwardedErrorChannel );
    program_l.setWorkingDirectory( dir_m.path() );
    program_l.start( QCoreApplication::applicationFilePath(), QStringList() );
    if( !program_l.waitForFinished( 60000 ) || 0 != program_l.exitCode() )
        return {};
    // Windows ends the child's lines with CR LF.
    return QString::fromUtf8( program_l.readAllStandardOutput() )
        .remove( QLatin1Char( '\r' ) )
        .split( QLatin1Char( '\n' ), Qt::SkipEmptyParts );
}

void tst_Settings::remembersEachSettingAcrossStarts_data()
{
    // showScale: the scale of the second start; 2 leaves a screen of half
    // the size the first start had.
    QTest::addColumn< QString >( "setting" );
    QTest::addColumn< QByteArray >( "showScale" );
    QTest::newRow( "zoom" ) << "zoom" << QByteArray( "1" );
    QTest::newRow( "view" ) << "view" << QByteArray( "1" );
    QTest::newRow( "pace" ) << "pace" << QByteArray( "1" );
    QTest::newRow( "hall's word" ) << "hall's word" << QByteArray( "1" );
    QTest::newRow( "folder" ) << "folder" << QByteArray( "1" );
    QTest::newRow( "geometry" ) << "geometry" << QByteArray( "1" );
    QTest::newRow( "geometry of a bigger screen" ) << "geometry" << QByteArray( "2" );
}

void tst_Settings::remembersEachSettingAcrossStarts()
{
    QFETCH( QString, setting );
    QFETCH( QByteArray, showScale );
    QVERIFY( QDir( dir_m.path() ).mkpath( QStringLiteral( "Кубки" ) ) );
    QVERIFY( Championship().save( dir_m.filePath( QStringLiteral( "Кубки/кубок.stv" ) ) ) );
    QTemporaryDir home_l;
    const QStringList fresh_cl = runProgram( QStringLiteral( "show" ), home_l.path(), showScale );
    const QStringList stored_cl = runProgram( QStringLiteral( "store:" ) + setting, home_l.path(), "1" );
    QCOMPARE( stored_cl.size(), 1 );
    const QString line_cl = stored_cl.front().mid( QStringLiteral( "stored " ).size() );
    const QString key_cl = line_cl.section( QLatin1Char( '=' ), 0, 0 ) + QLatin1Char( '=' );
    // The setting differs from a fresh start's, or the test proves nothing.
    QVERIFY( !key_cl.startsWith( QLatin1Char( '=' ) ) );
    QVERIFY2( !fresh_cl.contains( line_cl ), qPrintable( line_cl ) );
    const QStringList shown_cl = runProgram( QStringLiteral( "show" ), home_l.path(), showScale );
    QVERIFY( !shown_cl.isEmpty() );
    if( "1" == showScale )
    {
        QVERIFY2( shown_cl.contains( line_cl ), qPrintable( shown_cl.join( QLatin1Char( '|' ) ) ) );
        // Only this setting changed.
        for( int i = 0; i < shown_cl.size(); ++i )
            if( !shown_cl.at( i ).startsWith( key_cl )
                && !shown_cl.at( i ).startsWith( QStringLiteral( "zoom label=" ) ) )
                QCOMPARE( shown_cl.at( i ), fresh_cl.at( i ) );
        return;
    }
    // Too big for the smaller screen: the first place instead, its corner on
    // the screen so that the title bar can be reached.
    QCOMPARE( shown_cl, fresh_cl );
    QVERIFY2( shown_cl.contains( QStringLiteral( "corner on screen=1" ) ),
              qPrintable( shown_cl.join( QLatin1Char( '|' ) ) ) );
}

int main( int argc, char** argv )
{
    const QString stage_cl = qEnvironmentVariable( STAGE );
    if( !stage_cl.isEmpty() )
        return runStage( argc, argv, stage_cl );
    int result_l = 0;
    {
        QTossApplication application_l( argc, argv );
        tst_Settings test_l;
        result_l = QTest::qExec( &test_l, argc, argv );
    }
    return result_l;
}

#include "tst_settings.moc"
