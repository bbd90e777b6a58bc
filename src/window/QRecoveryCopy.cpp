#include "QRecoveryCopy.h"

#include "atomicfile.h"
#include "championship.h"
#include "globals.h"
#include "savefile.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QLockFile>
#include <QPushButton>
#include <QStandardPaths>
#include <QThread>

namespace
{
const QString& copyPrefix()
{
    static const QString prefix_scl = QStringLiteral( "recovery-" );
    return prefix_scl;
}

// The lock or the name file that goes with a copy: the same name, another
// extension.
QString besideCopy( const QString& copyPath_cp, const QString& extension_cp )
{
    return copyPath_cp.left( copyPath_cp.size() - 3 ) + extension_cp;
}

QString lockPath( const QString& copyPath_cp )
{
    return besideCopy( copyPath_cp, QStringLiteral( "lock" ) );
}

// A championship's file name is a few hundred bytes; anything far larger
// beside a copy is no name.
const qint64 MAX_NAME_BYTES = qint64( 64 ) * 1024;

// The time a refused file is set aside with.
QString asideStamp()
{
    return QDateTime::currentDateTime().toString( QStringLiteral( "yyyyMMdd-HHmmss" ) );
}

bool writeName( const QString& path_cp, const QString& name_cp )
{
    const QByteArray bytes_cl = name_cp.toUtf8();
    return AtomicFile::write( path_cp, [ &bytes_cl ]( QIODevice* file_p )
                              { return file_p->write( bytes_cl ) == bytes_cl.size(); } );
}
}

QRecoveryCopy::QRecoveryCopy( QObject* parent_p ) : QObject( parent_p )
{
    delay_m.setSingleShot( true );
    delay_m.setInterval( DELAY_MS );
    connect( &delay_m, "2timeout()", this, "1slotWrite()" );
}

QRecoveryCopy::~QRecoveryCopy()
{
    if( writer_m )
        writer_m->wait();
    delete lock_m;
}

void QRecoveryCopy::schedule()
{
    // The first change starts the delay; later ones join the same copy.
    if( !delay_m.isActive() )
        delay_m.start();
}

void QRecoveryCopy::writeNow()
{
    delay_m.stop();
    pending_m = false;
    if( writer_m )
        writer_m->wait();
    prepareFolder();
    written_m = writeCopy( global::data::champ(), copyPath() );
    tellOutcome();
}

void QRecoveryCopy::discard()
{
    delay_m.stop();
    pending_m = false;
    // A write under way would bring back what is removed here.
    if( writer_m )
        writer_m->wait();
    remove( copyPath() );
}

bool QRecoveryCopy::offer( QWidget* parent_p )
{
    const QFileInfoList copies_cl = orphanedCopies();
    if( copies_cl.isEmpty() )
        return false;
    QMessageBox box_l( QMessageBox::Question, QStringLiteral( "Восстановление чемпионата" ), QString(),
                       QMessageBox::NoButton, parent_p );
    box_l.setWindowIcon( global::icons::appIcon() );
    QPushButton* const restore_cl = box_l.addButton( QStringLiteral( "Восстановить" ), QMessageBox::AcceptRole );
    QPushButton* const drop_cl = box_l.addButton( QStringLiteral( "Не восстанавливать" ), QMessageBox::RejectRole );
    box_l.setDefaultButton( restore_cl );
    box_l.setEscapeButton( drop_cl );
    const QFileInfo& newest_crl = copies_cl.front();
    QString text_l =
        QStringLiteral( "Программа была закрыта, не сохранив чемпионат. Восстановить несохранённые изменения?"
                        "\n\nКопия от %1." )
            .arg( newest_crl.lastModified().toString( QStringLiteral( "dd.MM.yyyy HH:mm:ss" ) ) );
    const QString fileName_cl = storedName( newest_crl.filePath() );
    if( !fileName_cl.isEmpty() )
        text_l += QStringLiteral( "\nФайл чемпионата: %1" ).arg( fileName_cl );
    // A file name is shown as it is, whatever it looks like.
    box_l.setTextFormat( Qt::PlainText );
    box_l.setText( text_l );
    if( copies_cl.size() > 1 )
    {
        QStringList others_l;
        for( int i = 1; i < copies_cl.size(); ++i )
            others_l << copies_cl.at( i ).filePath();
        box_l.setDetailedText( QStringLiteral( "Остаются и другие копии:\n" ) + others_l.join( QLatin1Char( '\n' ) ) );
    }
    box_l.exec();
    if( box_l.clickedButton() != restore_cl )
    {
        remove( newest_crl.filePath() );
        return false;
    }
    return restore( newest_crl );
}

QString QRecoveryCopy::folder()
{
    return QStandardPaths::writableLocation( QStandardPaths::AppLocalDataLocation ) + QStringLiteral( "/recovery" );
}

QString QRecoveryCopy::copyPath() const
{
    return QStringLiteral( "%1/%2%3.stv" ).arg( folder(), copyPrefix() ).arg( QCoreApplication::applicationPid() );
}

void QRecoveryCopy::slotWrite()
{
    // Never two writes at once: the next one follows the running one.
    if( writer_m )
    {
        pending_m = true;
        return;
    }
    prepareFolder();
    // The containers are shared until written to: the copy costs a few
    // reference counts, and the worker owns it from here on.
    const Championship copy_cl = global::data::champ();
    const QString path_cl = copyPath();
    writer_m = QThread::create( [ this, copy_cl, path_cl ] { written_m = writeCopy( copy_cl, path_cl ); } );
    connect( writer_m, "2finished()", this, "1slotWritten()" );
    writer_m->start();
}

void QRecoveryCopy::slotWritten()
{
    writer_m->deleteLater();
    writer_m = nullptr;
    tellOutcome();
    if( !pending_m )
        return;
    pending_m = false;
    slotWrite();
}

void QRecoveryCopy::tellOutcome()
{
    // Said once, until a copy is written again: saving goes on as before.
    if( !written_m && !failureTold_m )
        emit notWritten( QStringLiteral( "Копию несохранённого чемпионата записать не удалось: папка %1 недоступна "
                                         "или диск полон. Сохраняйте чемпионат сами." )
                             .arg( QDir::toNativeSeparators( folder() ) ) );
    failureTold_m = !written_m;
}

bool QRecoveryCopy::writeCopy( const Championship& champ_cp, const QString& path_cp )
{
    return writeName( namePath( path_cp ), champ_cp.fileName() ) && SaveFile::write( champ_cp, path_cp );
}

void QRecoveryCopy::prepareFolder()
{
    QDir().mkpath( folder() );
    if( lock_m )
        return;
    lock_m = new QLockFile( lockPath( copyPath() ) );
    lock_m->setStaleLockTime( 0 );
    lock_m->tryLock( 0 );
}

QString QRecoveryCopy::namePath( const QString& copyPath_cp )
{
    return besideCopy( copyPath_cp, QStringLiteral( "name" ) );
}

QString QRecoveryCopy::storedName( const QString& copyPath_cp )
{
    // Only a regular file of a name's size is read: a FIFO would block the
    // start for ever, a device or a huge file would fill the memory.
    const QString path_cl = namePath( copyPath_cp );
    const QFileInfo info_cl( path_cl );
    if( !info_cl.exists() && !info_cl.isSymLink() )
        return QString();
    QFile name_l( path_cl );
    if( !info_cl.isFile() || info_cl.size() > MAX_NAME_BYTES || !name_l.open( QIODevice::ReadOnly ) )
    {
        QFile::rename( path_cl, QStringLiteral( "%1-refused-%2.name" ).arg( copyPath_cp.chopped( 4 ), asideStamp() ) );
        return QString();
    }
    return QString::fromUtf8( name_l.read( MAX_NAME_BYTES ) );
}

QFileInfoList QRecoveryCopy::orphanedCopies() const
{
    QFileInfoList orphaned_l;
    const QFileInfoList copies_cl =
        QDir( folder() ).entryInfoList( { copyPrefix() + QStringLiteral( "*.stv" ) }, QDir::Files, QDir::Time );
    for( const QFileInfo& copy_crl : copies_cl )
    {
        if( copy_crl.filePath() == copyPath() )
            continue;
        // The lock of a program still running holds; a program that is gone
        // left a stale one, or none.
        QLockFile lock_l( lockPath( copy_crl.filePath() ) );
        lock_l.setStaleLockTime( 0 );
        if( !lock_l.tryLock( 0 ) )
            continue;
        lock_l.unlock();
        orphaned_l.append( copy_crl );
    }
    return orphaned_l;
}

bool QRecoveryCopy::restore( const QFileInfo& copy_cp )
{
    Championship restored_l;
    if( !SaveFile::read( copy_cp.filePath(), restored_l ) )
    {
        // Set aside, never deleted: it may still hold something worth a look.
        const QString aside_cl =
            QStringLiteral( "%1/%2-refused-%3.stv" ).arg( copy_cp.path(), copy_cp.completeBaseName(), asideStamp() );
        QFile::rename( copy_cp.filePath(), aside_cl );
        QFile::remove( namePath( copy_cp.filePath() ) );
        global::widgets::showResult(
            QMessageBox::Warning,
            QStringLiteral( "Копию несохранённого чемпионата прочитать не удалось.\nОна отложена в файл\n\"%1\"" )
                .arg( aside_cl ) );
        return false;
    }
    restored_l.setFileName( storedName( copy_cp.filePath() ) );
    global::data::champ() = restored_l;
    remove( copy_cp.filePath() );
    return true;
}

void QRecoveryCopy::remove( const QString& copyPath_cp ) const
{
    QFile::remove( copyPath_cp );
    QFile::remove( namePath( copyPath_cp ) );
}
