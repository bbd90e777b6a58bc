#include "QGuide.h"

#include "globals.h"

#include <QAction>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QMenuBar>
#include <QUrl>

QGuide::QGuide( QMenuBar* menuBar_p, QWidget* window_p ) : QObject( window_p )
{
    QAction* const open_cl = menuBar_p->addAction( QStringLiteral( "Справка" ) );
    open_cl->setShortcut( QKeySequence::HelpContents );
    open_cl->setToolTip( QStringLiteral( "Справка организатора в браузере" ) );
    // The shortcut works while the menu bar is hidden in full screen.
    window_p->addAction( open_cl );
    connect( open_cl, "2triggered()", this, "1slotOpen()" );
}

QString QGuide::pagePath()
{
    const QDir program_cl( QCoreApplication::applicationDirPath() );
    for( const QString& candidate_crl :
         { program_cl.filePath( QStringLiteral( "guide/index.html" ) ),
           program_cl.filePath( QStringLiteral( "../share/doc/sortivane/guide/index.html" ) ) } )
        if( QFileInfo( candidate_crl ).isFile() )
            return QFileInfo( candidate_crl ).absoluteFilePath();
    return QString();
}

void QGuide::slotOpen()
{
    const QString page_cl = pagePath();
    if( page_cl.isEmpty() || !QDesktopServices::openUrl( QUrl::fromLocalFile( page_cl ) ) )
        global::widgets::showResult(
            QMessageBox::Warning,
            page_cl.isEmpty() ? QStringLiteral(
                "Справка не найдена: её нет ни рядом с программой, ни среди установленной документации." )
                              : QStringLiteral( "Не удалось открыть справку в браузере:\n\"%1\"" )
                                    .arg( QDir::toNativeSeparators( page_cl ) ) );
}
