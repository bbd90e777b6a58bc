#ifndef SORTIVANE_QCHAMPIONSHIPFILES_H
#define SORTIVANE_QCHAMPIONSHIPFILES_H

#include "championship.h"

#include <QFileDialog>
#include <QObject>

class QMainWindow;

// The championship's file commands: start anew, load, save, save as, and
// the question about unsaved work before the window closes. It remembers
// the championship as last saved, loaded or started anew, and keeps the
// window's title naming the file.
class QChampionshipFiles : public QObject
{
    Q_OBJECT

public:
    explicit QChampionshipFiles( QMainWindow* window_p );

    void newChampionship();
    void openChampionship();
    // The file the program was started with (a double click, a file dropped
    // on its icon): loaded as "Продолжить сохранённый" loads it, without the
    // box announcing success. Work restored at start-up is kept unless the
    // organiser agrees to replace it.
    void openOnStart( const QString& fileName_cp );
    void save();
    void saveAs();
    // Whether the window may close: unsaved work is saved first if the
    // organiser wants it, and a failed or cancelled save keeps it open.
    bool mayClose();

    bool isUnsaved() const;
    // The championship as it stands now counts as stored.
    void markStored();
    // The window's title names the championship's file; "[*]" marks
    // unsaved work the desktop's way.
    void updateTitle();

signals:
    // A new or loaded championship replaced the old one.
    void championshipReplaced();
    // The championship as it stands is saved, loaded or new.
    void stored();

private slots:
    void slotFileFilterSelected( const QString& filter_cp );

private:
    void prepareFileDialog( const QString& title_cp, QFileDialog::AcceptMode mode_p, const QString& fileName_cp );
    QString chosenFileName() const;
    // The question before a loaded championship replaces this one.
    static bool confirmLoading();
    // Loads fileName_cp in place of the championship, or says why not and
    // keeps it; announce_p: a loaded file is also announced in a box.
    bool loadFile( const QString& fileName_cp, bool announce_p );
    QString chooseSaveFileName();
    void saveChampionship( const QString& fileName_p );

    QMainWindow* window_m = nullptr;
    Championship stored_m;
};

#endif
