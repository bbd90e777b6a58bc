#include "QWindowSettings.h"

#include <QCryptographicHash>
#include <QGuiApplication>
#include <QMainWindow>
#include <QScreen>
#include <QSettings>

#include <algorithm>
#include <memory>

namespace
{
// Made for each use: a settings object kept until the program's end would
// outlive the application it writes through. The platform's own place (the
// registry under HKCU on Windows, an INI file on Linux) unless the process
// chose another default format: the tests keep theirs in a folder of their own.
std::unique_ptr< QSettings > settings()
{
    return std::make_unique< QSettings >( QSettings::defaultFormat(), QSettings::UserScope,
                                          QStringLiteral( "sortivane" ), QStringLiteral( "sortivane" ) );
}

// A championship's own keys: its path hashed, as a path holds characters
// that a settings key must not.
QString publishKey( const QString& file_cp, const char* what_p )
{
    return QStringLiteral( "publish/" )
           + QString::fromLatin1( QCryptographicHash::hash( file_cp.toUtf8(), QCryptographicHash::Sha1 ).toHex() )
           + QLatin1Char( '/' ) + QLatin1String( what_p );
}
}

void QWindowSettings::restoreGeometry( QMainWindow* window_p )
{
    const QRect available_cl =
        ( window_p->screen() ? window_p->screen() : QGuiApplication::primaryScreen() )->availableGeometry();
    if( window_p->restoreGeometry( settings()->value( QStringLiteral( "window/geometry" ) ).toByteArray() )
        && available_cl.contains( window_p->frameGeometry() ) )
    {
        window_p->restoreState( settings()->value( QStringLiteral( "window/state" ) ).toByteArray() );
        return;
    }
    // Room for the players, the nations and a few games of the bracket,
    // never beyond the screen with the desktop's frame around it, nor below
    // what the window needs.
    const QSize size_cl = QSize( 1280, 800 )
                              .boundedTo( available_cl.size() - QWindowSettings::FRAME_ALLOWANCE )
                              .expandedTo( window_p->minimumSizeHint() );
    QRect place_l =
        QRect( QPoint(), size_cl ).translated( available_cl.center() - QRect( QPoint(), size_cl ).center() );
    // A window larger than the screen hangs over its right and bottom
    // edges, never over the top, where its title bar must stay in reach.
    place_l.moveTopLeft(
        QPoint( std::max( place_l.left(), available_cl.left() ), std::max( place_l.top(), available_cl.top() ) ) );
    window_p->setGeometry( place_l );
}

void QWindowSettings::storeGeometry( const QMainWindow* window_p )
{
    settings()->setValue( QStringLiteral( "window/geometry" ), window_p->saveGeometry() );
    settings()->setValue( QStringLiteral( "window/state" ), window_p->saveState() );
}

int QWindowSettings::zoom( int default_p )
{
    return settings()->value( QStringLiteral( "view/zoom" ), default_p ).toInt();
}

void QWindowSettings::setZoom( int percents_p )
{
    settings()->setValue( QStringLiteral( "view/zoom" ), percents_p );
}

QString QWindowSettings::folder( const QString& default_cp )
{
    return settings()->value( QStringLiteral( "files/folder" ), default_cp ).toString();
}

void QWindowSettings::setFolder( const QString& folder_cp )
{
    settings()->setValue( QStringLiteral( "files/folder" ), folder_cp );
}

bool QWindowSettings::askHallWord()
{
    return settings()->value( QStringLiteral( "draw/askHallWord" ), false ).toBool();
}

void QWindowSettings::setAskHallWord( bool ask_p )
{
    settings()->setValue( QStringLiteral( "draw/askHallWord" ), ask_p );
}

bool QWindowSettings::treeShown()
{
    return settings()->value( QStringLiteral( "view/tree" ), false ).toBool();
}

void QWindowSettings::setTreeShown( bool tree_p )
{
    settings()->setValue( QStringLiteral( "view/tree" ), tree_p );
}

bool QWindowSettings::hallPace()
{
    return settings()->value( QStringLiteral( "draw/hallPace" ), false ).toBool();
}

void QWindowSettings::setHallPace( bool hall_p )
{
    settings()->setValue( QStringLiteral( "draw/hallPace" ), hall_p );
}

QString QWindowSettings::publishFolder( const QString& file_cp )
{
    return settings()
        ->value( file_cp.isEmpty() ? QStringLiteral( "publish/lastFolder" ) : publishKey( file_cp, "folder" ) )
        .toString();
}

QString QWindowSettings::publishTitle( const QString& file_cp )
{
    return settings()->value( publishKey( file_cp, "title" ) ).toString();
}

void QWindowSettings::setPublished( const QString& file_cp, const QString& folder_cp, const QString& title_cp )
{
    const std::unique_ptr< QSettings > settings_cl = settings();
    settings_cl->setValue( QStringLiteral( "publish/lastFolder" ), folder_cp );
    if( file_cp.isEmpty() )
        return;
    settings_cl->setValue( publishKey( file_cp, "folder" ), folder_cp );
    settings_cl->setValue( publishKey( file_cp, "title" ), title_cp );
}
