#include "QChampionshipFiles.h"

#include "QWindowSettings.h"
#include "globals.h"

#include <QAbstractItemView>
#include <QFileInfo>
#include <QLineEdit>
#include <QMainWindow>

QChampionshipFiles::QChampionshipFiles( QMainWindow* window_p ) : QObject( window_p ), window_m( window_p )
{
    markStored();
    updateTitle();
}

void QChampionshipFiles::newChampionship()
{
    if( !global::widgets::confirm(
            QStringLiteral( "Будет создан новый чемпионат. Все несохранённые данные будут потеряны." ) ) )
        return;
    Championship& champ_l = global::data::champ();
    champ_l.reset();
    champ_l.clearFileName();
    updateTitle();
    emit championshipReplaced();
}

void QChampionshipFiles::openChampionship()
{
    if( !confirmLoading() )
        return;
    QFileDialog* const dialog_cl = global::widgets::fileDialog();
    prepareFileDialog( QStringLiteral( "Выбор файла для загрузки" ), QFileDialog::AcceptOpen, QString() );
    if( QDialog::Accepted != dialog_cl->exec() )
        return;
    const QString fileName_cl = chosenFileName();
    if( fileName_cl.isEmpty() )
        return;
    QWindowSettings::setFolder( dialog_cl->directory().absolutePath() );
    loadFile( fileName_cl, true );
    window_m->activateWindow();
}

void QChampionshipFiles::openOnStart( const QString& fileName_cp )
{
    // Work restored from a recovery copy is not replaced without asking.
    if( isUnsaved() && !confirmLoading() )
        return;
    loadFile( QFileInfo( fileName_cp ).absoluteFilePath(), false );
}

bool QChampionshipFiles::confirmLoading()
{
    return global::widgets::confirm(
        QStringLiteral( "Будут загруженны данные сохранённого чемпионата. Все несохранённые данные будут потеряны." ) );
}

bool QChampionshipFiles::loadFile( const QString& fileName_cp, bool announce_p )
{
    Championship& champ_l = global::data::champ();
    if( !champ_l.load( fileName_cp ) )
    {
        global::widgets::showResult(
            QMessageBox::Warning, QStringLiteral( "Не удалось загрузить данные из файла\n\"%1\"" ).arg( fileName_cp ) );
        return false;
    }
    updateTitle();
    emit championshipReplaced();
    if( announce_p )
        global::widgets::showResult(
            QMessageBox::Information,
            QStringLiteral( "Данные успешно загружены из файла\n\"%1\"" ).arg( champ_l.fileName() ) );
    return true;
}

void QChampionshipFiles::save()
{
    if( global::data::champ().fileName().isEmpty() )
        saveAs();
    else
        saveChampionship( QString() );
}

void QChampionshipFiles::saveAs()
{
    const QString fileName_cl = chooseSaveFileName();
    if( !fileName_cl.isEmpty() )
        saveChampionship( fileName_cl );
}

bool QChampionshipFiles::mayClose()
{
    if( !isUnsaved() )
        return true;
    QMessageBox* const box_cl = global::widgets::quitMsgBox();
    box_cl->setDefaultButton( QMessageBox::Save );
    const int answer_cl = box_cl->exec();
    if( QMessageBox::Discard == answer_cl )
        return true;
    if( QMessageBox::Save != answer_cl )
        return false;
    save();
    return !isUnsaved();
}

bool QChampionshipFiles::isUnsaved() const
{
    return !global::data::champ().isUnchangedSince( stored_m );
}

void QChampionshipFiles::markStored()
{
    stored_m = global::data::champ();
    emit stored();
}

void QChampionshipFiles::slotFileFilterSelected( const QString& filter_cp )
{
    // A name typed without extension takes the chosen filter's, so that the
    // next open, which shows save files first, finds it again.
    QFileDialog* const dialog_cl = global::widgets::fileDialog();
    const bool xml_cl = dialog_cl->nameFilters().indexOf( filter_cp ) == 1;
    dialog_cl->setDefaultSuffix( xml_cl ? QStringLiteral( "xml" ) : QStringLiteral( "stv" ) );
}

void QChampionshipFiles::prepareFileDialog( const QString& title_cp, QFileDialog::AcceptMode mode_p,
                                            const QString& fileName_cp )
{
    QFileDialog* const dialog_cl = global::widgets::fileDialog();
    static const bool connected_scl =
        connect( dialog_cl, "2filterSelected( const QString & )", this, "1slotFileFilterSelected( const QString & )" );
    Q_UNUSED( connected_scl );
    dialog_cl->setWindowTitle( title_cp );
    // The accept mode rebuilds the buttons with Qt's own texts.
    dialog_cl->setAcceptMode( mode_p );
    dialog_cl->setLabelText( QFileDialog::Accept, QStringLiteral( "Выбрать" ) );
    dialog_cl->setLabelText( QFileDialog::Reject, QStringLiteral( "Отменить" ) );
    // selectFile() ignores an empty name, so the name of the previous use is
    // cleared by hand: a new championship must not offer last week's file.
    for( QAbstractItemView* const view_cl : dialog_cl->findChildren< QAbstractItemView* >() )
        if( view_cl->selectionModel() )
            view_cl->selectionModel()->clearSelection();
    if( QLineEdit* const name_cl = dialog_cl->findChild< QLineEdit* >( QStringLiteral( "fileNameEdit" ) ) )
        name_cl->clear();
    dialog_cl->selectFile( fileName_cp );
    slotFileFilterSelected( dialog_cl->selectedNameFilter() );
}

QString QChampionshipFiles::chosenFileName() const
{
    QFileDialog* const dialog_cl = global::widgets::fileDialog();
    const QStringList files_cl = dialog_cl->selectedFiles();
    if( 1 == files_cl.size() )
        return files_cl.front();
    // A name typed over a selected file can leave two names selected: the
    // typed one is what the organiser meant. Several names typed in quotes
    // are no one name, and choose nothing.
    const QLineEdit* const name_cl = dialog_cl->findChild< QLineEdit* >( QStringLiteral( "fileNameEdit" ) );
    const QString typed_cl = name_cl ? name_cl->text().trimmed() : QString();
    if( typed_cl.isEmpty() || typed_cl.contains( QLatin1Char( '"' ) ) )
        return QString();
    QString chosen_l = dialog_cl->directory().absoluteFilePath( typed_cl );
    if( QFileDialog::AcceptSave == dialog_cl->acceptMode() && QFileInfo( chosen_l ).suffix().isEmpty() )
        chosen_l += QLatin1Char( '.' ) + dialog_cl->defaultSuffix();
    return chosen_l;
}

QString QChampionshipFiles::chooseSaveFileName()
{
    prepareFileDialog( QStringLiteral( "Выбор файла для сохранения" ), QFileDialog::AcceptSave,
                       global::data::champ().fileName() );
    if( QDialog::Accepted != global::widgets::fileDialog()->exec() )
        return QString();
    QWindowSettings::setFolder( global::widgets::fileDialog()->directory().absolutePath() );
    return chosenFileName();
}

void QChampionshipFiles::saveChampionship( const QString& fileName_p )
{
    Championship& champ_l = global::data::champ();
    const QString attempted_cl = fileName_p.isEmpty() ? champ_l.fileName() : fileName_p;
    if( champ_l.save( fileName_p ) )
    {
        markStored();
        updateTitle();
        global::widgets::showResult(
            QMessageBox::Information,
            QStringLiteral( "Данные успешно сохранены в файл\n\"%1\"" ).arg( champ_l.fileName() ) );
    }
    else
        global::widgets::showResult(
            QMessageBox::Warning,
            QStringLiteral( "Не удалось сохранить данные в файл\n\"%1\"" ).arg( attempted_cl )
                + ( champ_l.canBePlayedToFinal()
                        ? QString()
                        : QStringLiteral( "\nЧемпионат нельзя доиграть до финала; прежний файл не тронут." ) ) );
}

void QChampionshipFiles::updateTitle()
{
    const QString& fileName_crl = global::data::champ().fileName();
    static const QString new_scl = QStringLiteral( "Новый не сохранённый чемпионат" );
    static const QString fromFile_scl = QStringLiteral( "Информация по чемпонату из файла " );
    window_m->setWindowTitle( ( fileName_crl.isEmpty() ? new_scl : fromFile_scl + fileName_crl )
                              + QStringLiteral( "[*]" ) );
}
