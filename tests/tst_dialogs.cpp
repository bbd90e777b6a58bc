#include "QChooseNationDialog.h"
#include "QStringEnterDialog.h"
#include "QTossApplication.h"
#include "championship.h"
#include "guisupport.h"
#include "testsupport.h"

#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QListView>
#include <QToolButton>

using namespace gui;

namespace
{
QPushButton* buttonWithText( QWidget* parent_p, const QString& text_cp )
{
    for( QPushButton* const button_cl : parent_p->findChildren< QPushButton* >() )
        if( button_cl->text() == text_cp )
            return button_cl;
    return nullptr;
}

QStringList comboTexts( QComboBox* combo_p )
{
    QStringList texts_l;
    for( int i = 0; i < combo_p->count(); ++i )
        texts_l.append( combo_p->itemText( i ) );
    return texts_l;
}
}

class tst_Dialogs : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void resultBoxHasOneCloseButton();
    void confirmBoxAnswersCancelByDefault_data();
    void confirmBoxAnswersCancelByDefault();
    void aboutBoxNamesTheProgram();
    void fileDialogOffersSaveFilesFirst();
    void stringDialogStartsEmptyEveryTime();
    void nationDialogOffersMissingNations();
    void nationsAddNothingWhenListIsComplete();
    void playersLockedOnceDrawn();
    void accessorsReturnTheSameObject();
    void exitClosesWithoutQuestion();
};

void tst_Dialogs::initTestCase()
{
    quietOffscreenPlatform();
    QTossApplication::connectGlobalObjects();
    window()->show();
    QVERIFY( QTest::qWaitForWindowExposed( window() ) );
}

void tst_Dialogs::init()
{
    resetChampionship();
    window()->resetViews();
}

void tst_Dialogs::resultBoxHasOneCloseButton()
{
    QMessageBox* const box_cl = global::widgets::resultMsgBox();
    QCOMPARE( box_cl->windowTitle(), QStringLiteral( "Результат операции" ) );
    QCOMPARE( box_cl->buttons().size(), 1 );
    QCOMPARE( box_cl->button( QMessageBox::Ok )->text(), QStringLiteral( "Закрыть" ) );
    QVERIFY( !box_cl->button( QMessageBox::Ok )->icon().isNull() );
    QVERIFY( !box_cl->windowIcon().isNull() );
}

void tst_Dialogs::confirmBoxAnswersCancelByDefault_data()
{
    QTest::addColumn< int >( "key" );
    QTest::newRow( "Escape" ) << int( Qt::Key_Escape );
    QTest::newRow( "Enter" ) << int( Qt::Key_Return );
}

void tst_Dialogs::confirmBoxAnswersCancelByDefault()
{
    QFETCH( int, key );
    QMessageBox* const box_cl = global::widgets::confirmMsgBox();
    QCOMPARE( box_cl->windowTitle(), QStringLiteral( "Подтверждение операции" ) );
    QCOMPARE( box_cl->button( QMessageBox::Ok )->text(), QStringLiteral( "Подтвердить" ) );
    QCOMPARE( box_cl->button( QMessageBox::Cancel )->text(), QStringLiteral( "Отменить" ) );
    QCOMPARE( box_cl->defaultButton(), box_cl->button( QMessageBox::Cancel ) );
    box_cl->setText( QStringLiteral( "Вопрос" ) );
    whenModal( [ key ]( QWidget* modal_p ) { QTest::keyClick( modal_p, Qt::Key( key ) ); } );
    QCOMPARE( box_cl->exec(), int( QMessageBox::Cancel ) );
}

void tst_Dialogs::aboutBoxNamesTheProgram()
{
    QMessageBox* const box_cl = global::widgets::aboutMsgBox();
    QCOMPARE( box_cl->windowTitle(), QStringLiteral( "Информация о программе Sortivane" ) );
    QCOMPARE( box_cl->textFormat(), Qt::RichText );
    QVERIFY( box_cl->text().startsWith( QStringLiteral( "<p><b>Sortivane</b></p><p><i>Версия 0.1</i></p>" ) ) );
    QVERIFY( box_cl->text().contains( QStringLiteral( "\"Казаки\" и \"Завоевание Амерки\"." ) ) );
    QCOMPARE( box_cl->iconPixmap().size(), QSize( 128, 128 ) );
    QCOMPARE( box_cl->button( QMessageBox::Ok )->text(), QStringLiteral( "Закрыть" ) );
    whenModal( []( QWidget* modal_p )
               { qobject_cast< QMessageBox* >( modal_p )->button( QMessageBox::Ok )->click(); } );
    action( QStringLiteral( "?" ) )->trigger();
    QVERIFY( !box_cl->isVisible() );
}

void tst_Dialogs::fileDialogOffersSaveFilesFirst()
{
    QFileDialog* const dialog_cl = global::widgets::fileDialog();
    QCOMPARE( dialog_cl->nameFilters(),
              QStringList( { "SortivaneSaveFile-v.0.1 (*.stv)", "XML-файлы (*.xml)", "Все файлы (*)" } ) );
    QCOMPARE( dialog_cl->defaultSuffix(), QStringLiteral( "xml" ) );
    QCOMPARE( dialog_cl->labelText( QFileDialog::FileName ), QStringLiteral( "Имя файла" ) );
    QCOMPARE( dialog_cl->labelText( QFileDialog::FileType ), QStringLiteral( "Тип файла" ) );
    QCOMPARE( dialog_cl->labelText( QFileDialog::Accept ), QStringLiteral( "Выбрать" ) );
    QCOMPARE( dialog_cl->labelText( QFileDialog::Reject ), QStringLiteral( "Отменить" ) );
    // Cancelling "Сохранить как ..." changes nothing and reports nothing.
    whenModal( []( QWidget* modal_p ) { QMetaObject::invokeMethod( modal_p, "reject", Qt::QueuedConnection ); } );
    action( QStringLiteral( "Сохранить как ..." ) )->trigger();
    QCOMPARE( window()->windowTitle(), QStringLiteral( "Новый не сохранённый чемпионат" ) );
    QVERIFY( global::data::champ().fileName().isEmpty() );
}

void tst_Dialogs::stringDialogStartsEmptyEveryTime()
{
    QStringEnterDialog* const dialog_cl = global::widgets::stringEnterDialog();
    QStringList captions_l;
    for( QLabel* const label_cl : dialog_cl->findChildren< QLabel* >() )
        captions_l.append( label_cl->text() );
    QCOMPARE( captions_l, QStringList( { "Псевдоним", "Клан" } ) );
    whenModal(
        []( QWidget* modal_p )
        {
            modal_p->findChildren< QLineEdit* >().at( 1 )->setText( QStringLiteral( "след" ) );
            buttonWithText( modal_p, QStringLiteral( "Ввести зачение" ) )->click();
        } );
    QCOMPARE( dialog_cl->exec(), int( QDialog::Accepted ) );
    QCOMPARE( dialog_cl->stringValue( 0 ), QString() );
    QCOMPARE( dialog_cl->stringValue( 1 ), QStringLiteral( "след" ) );
    QString seen_l = QStringLiteral( "unset" );
    whenModal(
        [ &seen_l ]( QWidget* modal_p )
        {
            seen_l = modal_p->findChildren< QLineEdit* >().at( 1 )->text();
            QTest::keyClick( modal_p, Qt::Key_Escape );
        } );
    QCOMPARE( dialog_cl->exec(), int( QDialog::Rejected ) );
    QCOMPARE( seen_l, QString() );
}

void tst_Dialogs::nationDialogOffersMissingNations()
{
    QChooseNationDialog* const dialog_cl = global::widgets::chooseNationDialog();
    QCOMPARE( dialog_cl->windowTitle(), QStringLiteral( "Выберите нацию для добавления в список" ) );
    QVERIFY( dialog_cl->minimumWidth()
             >= static_cast< int >( dialog_cl->fontMetrics().horizontalAdvance( dialog_cl->windowTitle() ) * 1.333 ) );
    global::data::champ().nations().removeAll( 15 );
    global::data::champ().nations().removeAll( 2 );
    QStringList offered_l;
    whenModal(
        [ &offered_l ]( QWidget* modal_p )
        {
            offered_l = comboTexts( modal_p->findChild< QComboBox* >() );
            buttonWithText( modal_p, QStringLiteral( "Ввести зачение" ) )->click();
        } );
    QCOMPARE( dialog_cl->exec(), int( QDialog::Accepted ) );
    QCOMPARE( offered_l, QStringList( { "Великобритания", "США" } ) );
    QCOMPARE( dialog_cl->chosenNationId(), 2 );
}

void tst_Dialogs::nationsAddNothingWhenListIsComplete()
{
    QCOMPARE( global::data::champ().nations().size(), 17 );
    whenModal(
        []( QWidget* modal_p )
        {
            QCOMPARE( modal_p->findChild< QComboBox* >()->count(), 0 );
            buttonWithText( modal_p, QStringLiteral( "Ввести зачение" ) )->click();
        } );
    child< QToolButton >( "addNationBtn" )->click();
    QCOMPARE( global::data::champ().nations().size(), 17 );
    QVERIFY( !global::data::champ().nations().contains( 0 ) );
}

void tst_Dialogs::playersLockedOnceDrawn()
{
    resetChampionship( { 2, 2 } );
    window()->resetViews();
    clickRow( groupIndex( 0 ) );
    QVERIFY( child< QToolButton >( "addPlayerBtn" )->isEnabled() );
    QCOMPARE( child< QToolButton >( "addPlayerBtn" )->toolTip(), QStringLiteral( "Добавить" ) );
    global::data::champ().createRounds();
    window()->resetViews();
    clickRow( groupIndex( 0 ) );
    for( const char* const name_cl : { "addPlayerBtn", "removePlayerBtn", "movePlayerUpBtn", "movePlayerDownBtn" } )
    {
        QVERIFY( !child< QToolButton >( name_cl )->isEnabled() );
        QVERIFY( child< QToolButton >( name_cl )->toolTip().contains( QStringLiteral( "жеребьевки" ) ) );
    }
    // Nations stay editable between rounds.
    QVERIFY( child< QToolButton >( "addNationBtn" )->isEnabled() );
    resetChampionship( { 2, 2 } );
    window()->resetViews();
    clickRow( groupIndex( 0 ) );
    QVERIFY( child< QToolButton >( "addPlayerBtn" )->isEnabled() );
    QCOMPARE( child< QToolButton >( "movePlayerDownBtn" )->toolTip(), QStringLiteral( "Переместить вниз" ) );
    QCOMPARE( child< QToolButton >( "movePlayerUpBtn" )->toolTip(), QStringLiteral( "Переместить на верх" ) );
}

void tst_Dialogs::accessorsReturnTheSameObject()
{
    QCOMPARE( global::widgets::fileDialog(), global::widgets::fileDialog() );
    QCOMPARE( global::widgets::confirmMsgBox(), global::widgets::confirmMsgBox() );
    QCOMPARE( global::threads::tossThread(), global::threads::tossThread() );
    QCOMPARE( &global::data::champ(), &global::data::champ() );
    QCOMPARE( global::data::playerFieldsNames(), QVector< QString >( { "Псевдоним", "Клан" } ) );
    QCOMPARE( global::data::codec()->name(), QByteArray( "windows-1251" ) );
}

// Last: it closes the main window.
void tst_Dialogs::exitClosesWithoutQuestion()
{
    global::data::champ().addPlayer( 1, QStringLiteral( "не сохранён" ), QString() );
    QVERIFY( window()->isVisible() );
    action( QStringLiteral( "Выйти" ) )->trigger();
    QVERIFY( !window()->isVisible() );
    QCOMPARE( QApplication::activeModalWidget(), nullptr );
}

QTEST_MAIN( tst_Dialogs )
#include "tst_dialogs.moc"
