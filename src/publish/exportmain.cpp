#include "exportcommand.h"
#include "platform.h"

#include <QGuiApplication>
#include <QTextStream>
#include <QTranslator>

#include <cstdio>

int main( int argc, char** argv )
{
    // Nothing is shown on screen: the offscreen platform draws the same
    // fonts, needs no display and cannot fail for want of one.
    if( qEnvironmentVariableIsEmpty( "QT_QPA_PLATFORM" ) )
        qputenv( "QT_QPA_PLATFORM", "offscreen" );
    // Without a desktop session the platform warns that it has no runtime
    // folder; it needs none to draw, and a command should not chatter.
    static const QtMessageHandler previous_scl = qInstallMessageHandler(
        []( QtMsgType type_p, const QMessageLogContext& context_cp, const QString& message_cp )
        {
            if( !message_cp.startsWith( QLatin1String( "QStandardPaths: XDG_RUNTIME_DIR not set" ) ) )
                previous_scl( type_p, context_cp, message_cp );
        } );
    platform::useOwnFontsOffscreen();
    QGuiApplication application_l( argc, argv );
    QCoreApplication::setApplicationName( QStringLiteral( "sortivane-export" ) );
    QCoreApplication::setApplicationVersion( QStringLiteral( SORTIVANE_VERSION ) );
    // The command line parser's own texts, in Russian like the rest.
    QTranslator translator_l;
    if( translator_l.load( QStringLiteral( "qtbase_ru" ), platform::qtTranslationsFolder() ) )
        QCoreApplication::installTranslator( &translator_l );
    const std::unique_ptr< QIODevice > stdout_cl = platform::openStandardStream( stdout );
    const std::unique_ptr< QIODevice > stderr_cl = platform::openStandardStream( stderr );
    QTextStream out_l( stdout_cl.get() );
    QTextStream err_l( stderr_cl.get() );
    out_l.setCodec( "UTF-8" );
    err_l.setCodec( "UTF-8" );
    return ExportCommand::run( QCoreApplication::arguments(), out_l, err_l );
}
