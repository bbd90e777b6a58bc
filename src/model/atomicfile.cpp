#include "atomicfile.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

bool AtomicFile::write( const QString& fileName_p, const std::function< bool( QIODevice* ) >& fill_p,
                        QString* error_rp )
{
    QString ignored_l;
    QString& error_l = error_rp ? *error_rp : ignored_l;
    const QFileInfo target_cl( fileName_p );
    if( target_cl.exists() && !target_cl.isFile() )
        return error_l = QStringLiteral( "это не обычный файл" ), false;
    if( !target_cl.absoluteDir().exists() )
        return error_l = QStringLiteral( "папки «%1» нет" ).arg( target_cl.absolutePath() ), false;
    QSaveFile file_l( fileName_p );
    if( !file_l.open( QIODevice::WriteOnly ) )
        return error_l = file_l.errorString(), false;
    // A full disk shows only here: without these checks the truncated text
    // would be committed over the previous file.
    if( !fill_p( &file_l ) || !file_l.flush() || QFileDevice::NoError != file_l.error() )
    {
        error_l = QFileDevice::NoError != file_l.error() ? file_l.errorString() : QStringLiteral( "запись не удалась" );
        file_l.cancelWriting();
        return false;
    }
    if( !file_l.commit() )
        return error_l = file_l.errorString(), false;
    return true;
}
