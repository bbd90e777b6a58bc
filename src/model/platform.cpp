#include "platform.h"

#include <QFile>
#include <QLibraryInfo>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace
{
#ifdef Q_OS_WIN
// Text for a Windows console, written as UTF-16 so that no code page stands
// between the program and the screen.
class ConsoleDevice : public QIODevice
{
public:
    explicit ConsoleDevice( HANDLE console_p ) : console_m( console_p ) { open( QIODevice::WriteOnly ); }

protected:
    qint64 readData( char*, qint64 ) override { return -1; }
    qint64 writeData( const char* data_p, qint64 size_p ) override
    {
        // The text stream hands over whole encoded strings, so no character
        // is split between two writes.
        const QString text_cl = QString::fromUtf8( data_p, int( size_p ) );
        DWORD written_l = 0;
        if( !WriteConsoleW( console_m, reinterpret_cast< const wchar_t* >( text_cl.utf16() ), DWORD( text_cl.size() ),
                            &written_l, nullptr ) )
            return -1;
        return size_p;
    }

private:
    HANDLE console_m;
};
#endif
}

#ifdef Q_OS_WIN
// The translations are resources of a static library, registered by hand.
static void addTranslationResources()
{
    static const bool added_scl = []
    {
        Q_INIT_RESOURCE( translations );
        return true;
    }();
    Q_UNUSED( added_scl );
}
#endif

QString platform::qtTranslationsFolder()
{
#ifdef Q_OS_WIN
    addTranslationResources();
    return QStringLiteral( ":/translations" );
#else
    return QLibraryInfo::location( QLibraryInfo::TranslationsPath );
#endif
}

bool platform::lacksGraphicalSession()
{
#if defined( Q_OS_WIN ) || defined( Q_OS_MACOS )
    return false;
#else
    return qEnvironmentVariableIsEmpty( "QT_QPA_PLATFORM" ) && qEnvironmentVariableIsEmpty( "DISPLAY" )
           && qEnvironmentVariableIsEmpty( "WAYLAND_DISPLAY" );
#endif
}

void platform::useOwnFontsOffscreen()
{
#ifdef Q_OS_WIN
    if( !qEnvironmentVariableIsSet( "QT_QPA_FONTDIR" ) )
        qputenv( "QT_QPA_FONTDIR", ":/fonts" );
#endif
}

std::unique_ptr< QIODevice > platform::openStandardStream( FILE* stream_p )
{
#ifdef Q_OS_WIN
    const HANDLE handle_cl = GetStdHandle( stream_p == stderr ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE );
    DWORD mode_l = 0;
    if( handle_cl != INVALID_HANDLE_VALUE && GetConsoleMode( handle_cl, &mode_l ) )
        return std::make_unique< ConsoleDevice >( handle_cl );
#endif
    auto file_l = std::make_unique< QFile >();
    file_l->open( stream_p, QIODevice::WriteOnly | QIODevice::Unbuffered );
    return file_l;
}
