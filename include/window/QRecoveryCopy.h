#ifndef SORTIVANE_QRECOVERYCOPY_H
#define SORTIVANE_QRECOVERYCOPY_H

#include <QFileInfoList>
#include <QObject>
#include <QTimer>

#include <atomic>

class Championship;
class QLockFile;
class QThread;
class QWidget;

// Keeps a copy of the championship as it stands, so that a crash or a power
// cut loses nothing. Changes are collected for a moment and the copy is
// written by a worker thread, never by the click that made the change. Each
// running program has a copy of its own, marked by a lock while it runs; a
// copy whose lock is gone was left by a program that did not quit normally.
class QRecoveryCopy : public QObject
{
    Q_OBJECT

public:
    // How long changes are collected before a copy is written.
    static constexpr int DELAY_MS = 1000;

    explicit QRecoveryCopy( QObject* parent_p );
    ~QRecoveryCopy() override;

    // The championship changed: a copy follows within DELAY_MS and the time
    // of one write.
    void schedule();
    // Writes the copy at once, on the calling thread: a draw's start must be
    // on disk before the hall sees its first candidate.
    void writeNow();
    // The championship was saved, replaced or left on purpose: no copy.
    void discard();
    // At start-up: offers the newest copy that a program no longer running
    // left behind, and restores it into the championship if the organiser
    // wants; true then.
    bool offer( QWidget* parent_p );

    static QString folder();
    QString copyPath() const;

signals:
    // A copy could not be written (a full disk, a folder not writable):
    // said once, until a copy is written again.
    void notWritten( QString message_p );

private slots:
    void slotWrite();
    void slotWritten();

private:
    static QString namePath( const QString& copyPath_cp );
    // The championship's file name kept beside a copy, read only from a
    // regular file of a name's size; anything else is set aside unread.
    static QString storedName( const QString& copyPath_cp );
    // Copies of programs that are gone, newest first.
    QFileInfoList orphanedCopies() const;
    bool restore( const QFileInfo& copy_cp );
    // Writes the championship as it stands now; returns whether it was.
    static bool writeCopy( const Championship& champ_cp, const QString& path_cp );
    void tellOutcome();
    // The folder made, and this program's lock on its copy taken.
    void prepareFolder();
    void remove( const QString& copyPath_cp ) const;

    QTimer delay_m;
    QThread* writer_m = nullptr;
    bool pending_m = false;
    // Whether the worker wrote its copy; read once it has finished.
    std::atomic_bool written_m { true };
    bool failureTold_m = false;
    QLockFile* lock_m = nullptr;
};

#endif
