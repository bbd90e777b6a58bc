#include "QTossApplication.h"

#include "QChooseNationDialog.h"
#include "QChooseWinnerDialog.h"
#include "QStringEnterDialog.h"
#include "QTossProcessWindow.h"
#include "QTossThread.h"
#include "QTossWindow.h"
#include "globals.h"
#include "platform.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QTranslator>

#include <cstdio>
#include <cstdlib>

QTossApplication::QTossApplication( int& argc_p, char** argv_p ) : QApplication( argc_p, argv_p )
{
    // Where the recovery copies live.
    setOrganizationName( QStringLiteral( "sortivane" ) );
    setApplicationName( QStringLiteral( "sortivane" ) );
    // Russian whatever the system's locale, as the rest of the interface; a
    // missing file leaves Qt's widgets in English and the program working.
    QTranslator* const translator_cl = new QTranslator( this );
    if( translator_cl->load( QStringLiteral( "qtbase_ru" ), platform::qtTranslationsFolder() ) )
        installTranslator( translator_cl );
}

std::unique_ptr< QTossApplication > QTossApplication::create( int& argc_p, char** argv_p )
{
    // Qt would abort with its own advice to reinstall; the organiser is
    // told what is really missing, in both languages, and the program ends.
    if( platform::lacksGraphicalSession() )
    {
        std::fputs( "sortivane: нужен графический сеанс (X11 или Wayland): запустите программу с рабочего стола "
                    "или задайте DISPLAY. Опубликовать сетку без экрана можно командой sortivane-export.\n"
                    "sortivane: a graphical session (X11 or Wayland) is needed: start the program from the desktop "
                    "or set DISPLAY. To publish a bracket without a display, use sortivane-export.\n",
                    stderr );
        std::exit( 1 );
    }
    // The program draws nothing with OpenGL, but on X the platform plugin
    // loads and probes it before the first window: 20 ms under Xvfb, more
    // with a graphics driver. A setting of the user's own is kept. The plugin
    // reads it when it makes the first window, so it stays set; the program
    // starts no other programs that would inherit it.
    if( !qEnvironmentVariableIsSet( "QT_XCB_GL_INTEGRATION" ) )
        qputenv( "QT_XCB_GL_INTEGRATION", "none" );
    QCoreApplication::setAttribute( Qt::AA_EnableHighDpiScaling );
    QCoreApplication::setAttribute( Qt::AA_UseHighDpiPixmaps );
    return std::make_unique< QTossApplication >( argc_p, argv_p );
}

void QTossApplication::connectGlobalObjects()
{
    QTossProcessWindow* const processWindow_cl = global::widgets::tossProcessWindow();
    QTossThread* const thread_cl = global::threads::tossThread();
    connect( thread_cl, "2started()", processWindow_cl, "1show()" );
    connect( thread_cl, "2finished()", processWindow_cl, "1close()" );
    connect( thread_cl, "2nextGame( int )", processWindow_cl, "1sltSetGameNumber( int )" );
    connect( thread_cl, "2nextTxtValue( int, QString )", processWindow_cl, "1sltSetTxtValue( int, QString )" );
    connect( thread_cl, "2tossStarted( int )", processWindow_cl, "1sltSetWindowTitle( int )" );
    connect( thread_cl, "2championshipDataUpdated()", global::widgets::tossWindow(), "1slotUpdateScene()" );
}

void QTossApplication::offerRecovery()
{
    global::widgets::tossWindow()->offerRecovery();
}

void QTossApplication::openStartFile()
{
    // Qt has taken its own options out of the arguments by now.
    const QString fileName_cl = arguments().value( 1 );
    if( !fileName_cl.isEmpty() )
        global::widgets::tossWindow()->openOnStart( fileName_cl );
}

QTossApplication::~QTossApplication()
{
    global::widgets::aboutMsgBox()->deleteLater();
    global::widgets::chooseNationDialog()->deleteLater();
    global::widgets::chooseWinnerDialog()->deleteLater();
    global::widgets::stringEnterDialog()->deleteLater();
    global::widgets::resultMsgBox()->deleteLater();
    global::widgets::fileDialog()->deleteLater();
    global::widgets::tossWindow()->deleteLater();
    global::widgets::confirmMsgBox()->deleteLater();
    global::widgets::quitMsgBox()->deleteLater();
    global::widgets::tossProcessWindow()->deleteLater();
}
