#include "QChooseNationDialog.h"
#include "QChooseWinnerDialog.h"
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
    void winnerDialogOkFollowsCheckedSide();
    void sameKeysGiveSameAnswerOnEveryGame_data();
    void sameKeysGiveSameAnswerOnEveryGame();
    void arrowKeysCheckTheOtherSide_data();
    void arrowKeysCheckTheOtherSide();
    void aboutBoxNamesTheProgram();
    void fileDialogOffersSaveFilesFirst();
    void stringDialogStartsEmptyEveryTime();
    void nationDialogOffersMissingNations();
    void nationsAddNothingWhenListIsComplete();
    void playersLockedOnceDrawn();
    void accessorsReturnTheSameObject();
    void quitAsksWhenUnsaved();
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
    QTest::addColumn< bool >( "confirmedBefore" );
    QTest::newRow( "Escape" ) << int( Qt::Key_Escape ) << false;
    QTest::newRow( "Enter" ) << int( Qt::Key_Return ) << false;
    QTest::newRow( "Enter after a confirmation" ) << int( Qt::Key_Return ) << true;
}

// The box is shared: an earlier "Подтвердить" must not become the next
// question's Enter answer.
void tst_Dialogs::confirmBoxAnswersCancelByDefault()
{
    QFETCH( int, key );
    QFETCH( bool, confirmedBefore );
    QMessageBox* const box_cl = global::widgets::confirmMsgBox();
    QCOMPARE( box_cl->windowTitle(), QStringLiteral( "Подтверждение операции" ) );
    QCOMPARE( box_cl->button( QMessageBox::Ok )->text(), QStringLiteral( "Подтвердить" ) );
    QCOMPARE( box_cl->button( QMessageBox::Cancel )->text(), QStringLiteral( "Отменить" ) );
    QCOMPARE( box_cl->defaultButton(), box_cl->button( QMessageBox::Cancel ) );
    resetChampionship( { 2 } );
    window()->resetViews();
    if( confirmedBefore )
    {
        whenModal(
            []( QWidget* modal_p )
            {
                QAbstractButton* const ok_cl = qobject_cast< QMessageBox* >( modal_p )->button( QMessageBox::Ok );
                ok_cl->setFocus();
                QTest::keyClick( ok_cl, Qt::Key_Space );
            } );
        action( QStringLiteral( "Начать новый" ) )->trigger();
        QCOMPARE( global::data::champ().playersAmount(), 0 );
        resetChampionship( { 2 } );
        window()->resetViews();
    }
    whenModal( [ key ]( QWidget* modal_p ) { QTest::keyClick( modal_p, Qt::Key( key ) ); } );
    action( QStringLiteral( "Начать новый" ) )->trigger();
    QCOMPARE( global::data::champ().playersAmount(), 2 );
}

void tst_Dialogs::winnerDialogOkFollowsCheckedSide()
{
    QChooseWinnerDialog* const dialog_cl = global::widgets::chooseWinnerDialog();
    dialog_cl->setResult( UNKNOWN );
    bool stillOpen_l = false;
    whenModal(
        [ &stillOpen_l ]( QWidget* modal_p )
        {
            QRadioButton* const favorite_cl = modal_p->findChildren< QRadioButton* >().at( 0 );
            QAbstractButton* const ok_cl = buttonWithText( modal_p, QStringLiteral( "Выбрать" ) );
            // Pressed, then released away from the button: nothing is checked.
            QTest::mousePress( favorite_cl, Qt::LeftButton );
            QTest::mouseRelease( favorite_cl, Qt::LeftButton, Qt::NoModifier, QPoint( -20, -20 ) );
            QVERIFY( !favorite_cl->isChecked() );
            QVERIFY( !ok_cl->isEnabled() );
            QTest::keyClick( modal_p, Qt::Key_Return );
            stillOpen_l = modal_p->isVisible();
            QTest::keyClick( modal_p, Qt::Key_Escape );
        } );
    QCOMPARE( dialog_cl->chooseResult(), int( UNKNOWN ) );
    QVERIFY( stillOpen_l );
}

void tst_Dialogs::sameKeysGiveSameAnswerOnEveryGame_data()
{
    QTest::addColumn< int >( "previousResult" );
    QTest::addColumn< QString >( "previousAnswer" );
    QTest::newRow( "after OK on the outsider" ) << int( UNEXPECTED ) << QStringLiteral( "Выбрать" );
    QTest::newRow( "after cancel" ) << int( EXPECTED ) << QStringLiteral( "Отменить" );
    QTest::newRow( "after OK on the favourite" ) << int( EXPECTED ) << QStringLiteral( "Выбрать" );
}

void tst_Dialogs::sameKeysGiveSameAnswerOnEveryGame()
{
    QFETCH( int, previousResult );
    QFETCH( QString, previousAnswer );
    QChooseWinnerDialog* const dialog_cl = global::widgets::chooseWinnerDialog();
    dialog_cl->setResult( previousResult );
    whenModal(
        [ previousAnswer ]( QWidget* modal_p )
        {
            QAbstractButton* const button_cl = buttonWithText( modal_p, previousAnswer );
            button_cl->setFocus();
            QTest::keyClick( button_cl, Qt::Key_Space );
        } );
    dialog_cl->chooseResult();
    // A game without result: Enter alone records nothing; Space checks the
    // favourite, which has the focus, and Enter then chooses it.
    dialog_cl->setResult( UNKNOWN );
    bool enterAloneClosed_l = true;
    whenModal(
        [ &enterAloneClosed_l ]( QWidget* modal_p )
        {
            QTest::keyClick( QApplication::focusWidget(), Qt::Key_Return );
            enterAloneClosed_l = !modal_p->isVisible();
            QTest::keyClick( QApplication::focusWidget(), Qt::Key_Space );
            QTest::keyClick( QApplication::focusWidget(), Qt::Key_Return );
        } );
    QCOMPARE( dialog_cl->chooseResult(), int( EXPECTED ) );
    QVERIFY( !enterAloneClosed_l );
    // A decided game starts with the focus on its winner.
    dialog_cl->setResult( UNEXPECTED );
    bool focusOnWinner_l = false;
    whenModal(
        [ &focusOnWinner_l ]( QWidget* modal_p )
        {
            const QList< QRadioButton* > sides_cl = modal_p->findChildren< QRadioButton* >();
            focusOnWinner_l = modal_p->focusWidget() == sides_cl.value( 1 );
            QTest::keyClick( QApplication::focusWidget(), Qt::Key_Return );
        } );
    QCOMPARE( dialog_cl->chooseResult(), int( UNEXPECTED ) );
    QVERIFY( focusOnWinner_l );
}

void tst_Dialogs::arrowKeysCheckTheOtherSide_data()
{
    QTest::addColumn< int >( "previousResult" );
    QTest::addColumn< QList< int > >( "keys" );
    QTest::addColumn< int >( "chosen" );
    QTest::newRow( "nothing checked, Down" ) << int( UNKNOWN ) << QList< int > { Qt::Key_Down } << int( UNEXPECTED );
    QTest::newRow( "nothing checked, Right" ) << int( UNKNOWN ) << QList< int > { Qt::Key_Right } << int( UNEXPECTED );
    QTest::newRow( "nothing checked, Down and Up" )
        << int( UNKNOWN ) << QList< int > { Qt::Key_Down, Qt::Key_Up } << int( EXPECTED );
    QTest::newRow( "favourite checked, Down" ) << int( EXPECTED ) << QList< int > { Qt::Key_Down } << int( UNEXPECTED );
    QTest::newRow( "outsider checked, Left" ) << int( UNEXPECTED ) << QList< int > { Qt::Key_Left } << int( EXPECTED );
}

// The keys go where the focus is, as the organiser's keyboard sends them.
void tst_Dialogs::arrowKeysCheckTheOtherSide()
{
    QFETCH( int, previousResult );
    QFETCH( QList< int >, keys );
    QChooseWinnerDialog* const dialog_cl = global::widgets::chooseWinnerDialog();
    dialog_cl->setResult( previousResult );
    whenModal(
        [ keys ]( QWidget* modal_p )
        {
            for( const int key_cl : keys )
                QTest::keyClick( QApplication::focusWidget(), Qt::Key( key_cl ) );
            QTest::keyClick( QApplication::focusWidget(), Qt::Key_Return );
            if( modal_p->isVisible() )
                QTest::keyClick( modal_p, Qt::Key_Escape );
        } );
    QTEST( dialog_cl->chooseResult(), "chosen" );
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
    QCOMPARE( shownTitle(), QStringLiteral( "Новый не сохранённый чемпионат" ) );
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
void tst_Dialogs::quitAsksWhenUnsaved()
{
    QVERIFY( window()->isVisible() );
    global::data::champ().addPlayer( 1, QStringLiteral( "не сохранён" ), QString() );
    QString question_l;
    answerMessageBox( QMessageBox::Cancel, &question_l );
    action( QStringLiteral( "Выйти" ) )->trigger();
    QVERIFY( window()->isVisible() );
    QCOMPARE( question_l, QStringLiteral( "Чемпионат изменён и не сохранён. Сохранить изменения перед выходом?" ) );
    QMessageBox* const box_cl = global::widgets::quitMsgBox();
    QCOMPARE( box_cl->windowTitle(), QStringLiteral( "Подтверждение операции" ) );
    QCOMPARE( box_cl->defaultButton(), box_cl->button( QMessageBox::Save ) );
    QCOMPARE( box_cl->escapeButton(), box_cl->button( QMessageBox::Cancel ) );
    QCOMPARE( box_cl->button( QMessageBox::Save )->text(), QStringLiteral( "Сохранить" ) );
    QCOMPARE( box_cl->button( QMessageBox::Discard )->text(), QStringLiteral( "Не сохранять" ) );
    QCOMPARE( box_cl->button( QMessageBox::Cancel )->text(), QStringLiteral( "Отменить" ) );
    // "Сохранить" with no file yet asks for one; cancelling that keeps the
    // window open.
    whenModal(
        []( QWidget* box_p )
        {
            whenModal( []( QWidget* files_p ) { QTest::keyClick( files_p, Qt::Key_Escape ); } );
            QTest::keyClick( box_p, Qt::Key_Return );
        } );
    action( QStringLiteral( "Выйти" ) )->trigger();
    QVERIFY( window()->isVisible() );
    answerMessageBox( QMessageBox::Discard );
    action( QStringLiteral( "Выйти" ) )->trigger();
    QVERIFY( !window()->isVisible() );
    QCOMPARE( QApplication::activeModalWidget(), nullptr );
}

QTEST_MAIN( tst_Dialogs )
#include "tst_dialogs.moc"
