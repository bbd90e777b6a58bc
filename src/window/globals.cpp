#include "globals.h"

#include "QChooseNationDialog.h"
#include "QChooseWinnerDialog.h"
#include "QStringEnterDialog.h"
#include "QTossProcessWindow.h"
#include "QTossWindow.h"
#include "QWindowSettings.h"
#include "championship.h"
#include "svassert.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QHash>
#include <QMessageBox>
#include <QPixmap>
#include <QPushButton>

// The pictures live in the core library, which is static: its resources are
// registered by hand before the first picture is read.
static void initResources()
{
    static const bool done_scl = []
    {
        Q_INIT_RESOURCE( sortivane );
        return true;
    }();
    Q_UNUSED( done_scl );
}

namespace
{
QPixmap pixmapFromResource( const QString& name_p )
{
    initResources();
    QFile file_l( QStringLiteral( ":/icons/%1.png" ).arg( name_p ) );
    QPixmap pixmap_l;
    if( file_l.open( QIODevice::ReadOnly ) )
        pixmap_l.loadFromData( file_l.readAll(), "png" );
    return pixmap_l;
}

void setButton( QPushButton* button_p, const QString& text_cp, const QIcon& icon_cp )
{
    button_p->setText( text_cp );
    button_p->setIcon( icon_cp );
}

// The single Ok button of the result and about boxes becomes "Закрыть".
void setCloseButton( QMessageBox* widget_l )
{
    SV_ASSERT( 1 == widget_l->buttons().size() );
    QPushButton* const okBtn_l = qobject_cast< QPushButton* >( widget_l->button( QMessageBox::Ok ) );
    SV_ASSERT( nullptr != okBtn_l );
    setButton( okBtn_l, QStringLiteral( "Закрыть" ), global::icons::checkIcon() );
}

// 128 × 128 on the screen; drawn from the picture at twice that size where
// the screen scales by 2 or more.
QPixmap aboutLogo()
{
    if( qApp->devicePixelRatio() < 2 )
        return pixmapFromResource( QStringLiteral( "about" ) );
    QPixmap logo_l = pixmapFromResource( QStringLiteral( "about@2x" ) );
    logo_l.setDevicePixelRatio( 2 );
    return logo_l;
}

QString aboutText()
{
    return QStringLiteral(
        "<p><b>Sortivane</b></p>"
        "<p><i>Версия 0.1</i></p>"
        "<p>Программа для проведения жеребьевки киберспортивных чемпионатов по стратегиям серий "
        "\"Казаки\" и \"Завоевание Амерки\".</p>"
        "<table cellspacing=\"7\">"
        "<tr><td>Автор идеи:</td><td><a href=\"mailto:idea@sortivane.example\">Организатор турниров</a></td></tr>"
        "<tr><td>Разработчик:</td><td><a href=\"mailto:dev@sortivane.example\">Команда Sortivane</a></td></tr>"
        "</table>"
        "<p>Информационное обеспечение:</p>"
        "<ul>"
        "<li><a href=\"https://sortivane.example\">sortivane.example</a></li>"
        "<li><a href=\"https://community.example/cossacks-ac\">Группа игры \"Завоевание Америки\"</a></li>"
        "<li><a href=\"https://social.example/american-conquest\">Сообщество игры \"Завоевание Америки\"</a></li>"
        "</ul>" );
}
}

QTossProcessWindow* global::widgets::tossProcessWindow()
{
    static QTossProcessWindow* const widget_scl = new QTossProcessWindow();
    return widget_scl;
}

QTossWindow* global::widgets::tossWindow()
{
    static QTossWindow* const widget_scl = new QTossWindow();
    return widget_scl;
}

QStringEnterDialog* global::widgets::stringEnterDialog()
{
    static QStringEnterDialog* const widget_scl = []
    {
        QStringEnterDialog* const widget_l = new QStringEnterDialog( global::data::playerFieldsNames() );
        widget_l->setMaxLength( Player::MAX_TYPED_LENGTH );
        return widget_l;
    }();
    return widget_scl;
}

QChooseWinnerDialog* global::widgets::chooseWinnerDialog()
{
    static QChooseWinnerDialog* const widget_scl = new QChooseWinnerDialog();
    return widget_scl;
}

QChooseNationDialog* global::widgets::chooseNationDialog()
{
    static QChooseNationDialog* const widget_scl = []
    {
        QChooseNationDialog* const widget_l = new QChooseNationDialog();
        const QString title_cl = QStringLiteral( "Выберите нацию для добавления в список" );
        widget_l->setWindowIcon( global::icons::appIcon() );
        widget_l->setWindowTitle( title_cl );
        widget_l->setMinimumWidth(
            static_cast< int >( widget_l->fontMetrics().horizontalAdvance( title_cl ) * 1.333 ) );
        return widget_l;
    }();
    return widget_scl;
}

QFileDialog* global::widgets::fileDialog()
{
    static QFileDialog* const widget_scl = []
    {
        QFileDialog* const widget_l = new QFileDialog( nullptr, QString(), QString(), QString() );
        // A desktop's native dialog ignores the labels, filters and suffix.
        widget_l->setOption( QFileDialog::DontUseNativeDialog );
        widget_l->setWindowIcon( global::icons::appIcon() );
        widget_l->setDefaultSuffix( QStringLiteral( "xml" ) );
        widget_l->setDirectory( QWindowSettings::folder( QDir::currentPath() ) );
        widget_l->setNameFilters( { QStringLiteral( "SortivaneSaveFile-v.0.1 (*.stv)" ),
                                    QStringLiteral( "XML-файлы (*.xml)" ), QStringLiteral( "Все файлы (*)" ) } );
        widget_l->setLabelText( QFileDialog::FileName, QStringLiteral( "Имя файла" ) );
        widget_l->setLabelText( QFileDialog::FileType, QStringLiteral( "Тип файла" ) );
        widget_l->setLabelText( QFileDialog::Accept, QStringLiteral( "Выбрать" ) );
        widget_l->setLabelText( QFileDialog::Reject, QStringLiteral( "Отменить" ) );
        return widget_l;
    }();
    return widget_scl;
}

QMessageBox* global::widgets::resultMsgBox()
{
    static QMessageBox* const widget_scl = []
    {
        QMessageBox* const widget_l = new QMessageBox( QMessageBox::Information, QStringLiteral( "Результат операции" ),
                                                       QString(), QMessageBox::Ok );
        widget_l->setWindowIcon( global::icons::appIcon() );
        setCloseButton( widget_l );
        return widget_l;
    }();
    return widget_scl;
}

QMessageBox* global::widgets::confirmMsgBox()
{
    static QMessageBox* const widget_scl = []
    {
        QMessageBox* const widget_l =
            new QMessageBox( QMessageBox::Question, QStringLiteral( "Подтверждение операции" ), QString(),
                             QMessageBox::Ok | QMessageBox::Cancel );
        widget_l->setDefaultButton( QMessageBox::Cancel );
        widget_l->setEscapeButton( QMessageBox::Cancel );
        widget_l->setWindowIcon( global::icons::appIcon() );
        QPushButton* const okBtn_l = qobject_cast< QPushButton* >( widget_l->button( QMessageBox::Ok ) );
        QPushButton* const cancelBtn_l = qobject_cast< QPushButton* >( widget_l->button( QMessageBox::Cancel ) );
        SV_ASSERT( nullptr != okBtn_l && nullptr != cancelBtn_l );
        setButton( okBtn_l, QStringLiteral( "Подтвердить" ), global::icons::checkIcon() );
        setButton( cancelBtn_l, QStringLiteral( "Отменить" ), global::icons::crossIcon() );
        return widget_l;
    }();
    return widget_scl;
}

QMessageBox* global::widgets::quitMsgBox()
{
    static QMessageBox* const widget_scl = []
    {
        QMessageBox* const widget_l =
            new QMessageBox( QMessageBox::Question, QStringLiteral( "Подтверждение операции" ),
                             QStringLiteral( "Чемпионат изменён и не сохранён. Сохранить изменения перед выходом?" ),
                             QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel );
        widget_l->setDefaultButton( QMessageBox::Save );
        widget_l->setEscapeButton( QMessageBox::Cancel );
        widget_l->setWindowIcon( global::icons::appIcon() );
        QPushButton* const saveBtn_l = qobject_cast< QPushButton* >( widget_l->button( QMessageBox::Save ) );
        QPushButton* const discardBtn_l = qobject_cast< QPushButton* >( widget_l->button( QMessageBox::Discard ) );
        QPushButton* const cancelBtn_l = qobject_cast< QPushButton* >( widget_l->button( QMessageBox::Cancel ) );
        SV_ASSERT( nullptr != saveBtn_l && nullptr != discardBtn_l && nullptr != cancelBtn_l );
        setButton( saveBtn_l, QStringLiteral( "Сохранить" ), global::icons::checkIcon() );
        setButton( discardBtn_l, QStringLiteral( "Не сохранять" ), QIcon() );
        setButton( cancelBtn_l, QStringLiteral( "Отменить" ), global::icons::crossIcon() );
        return widget_l;
    }();
    return widget_scl;
}

QMessageBox* global::widgets::aboutMsgBox()
{
    static QMessageBox* const widget_scl = []
    {
        QMessageBox* const widget_l =
            new QMessageBox( QMessageBox::NoIcon, QStringLiteral( "Информация о программе Sortivane" ),
                             QStringLiteral( "Тут будет информация о программе" ), QMessageBox::Ok );
        widget_l->setWindowIcon( global::icons::appIcon() );
        widget_l->setIconPixmap( aboutLogo() );
        widget_l->setTextFormat( Qt::RichText );
        widget_l->setText( aboutText() );
        setCloseButton( widget_l );
        return widget_l;
    }();
    return widget_scl;
}

bool global::widgets::confirm( const QString& question_cp )
{
    QMessageBox* const box_cl = confirmMsgBox();
    box_cl->setText( question_cp );
    // Whichever button the last answer left with the focus.
    box_cl->setDefaultButton( QMessageBox::Cancel );
    return QMessageBox::Ok == box_cl->exec();
}

bool global::widgets::ask( const QString& question_cp, const QString& yes_cp, const QString& no_cp )
{
    QMessageBox box_l( QMessageBox::Question, QStringLiteral( "Подтверждение операции" ), question_cp,
                       QMessageBox::Ok | QMessageBox::Cancel, tossWindow() );
    box_l.setWindowIcon( global::icons::appIcon() );
    box_l.button( QMessageBox::Ok )->setText( yes_cp );
    box_l.button( QMessageBox::Cancel )->setText( no_cp );
    box_l.setDefaultButton( QMessageBox::Cancel );
    box_l.setEscapeButton( QMessageBox::Cancel );
    return QMessageBox::Ok == box_l.exec();
}

void global::widgets::showResult( QMessageBox::Icon icon_p, const QString& text_cp )
{
    QMessageBox* const box_cl = resultMsgBox();
    box_cl->setIcon( icon_p );
    box_cl->setText( text_cp );
    box_cl->exec();
}

QIcon global::icons::fromResource( const QString& name_p )
{
    // The picture at twice its size is drawn from at a scale of 2.
    QIcon icon_l( pixmapFromResource( name_p ) );
    icon_l.addPixmap( pixmapFromResource( name_p + QStringLiteral( "@2x" ) ) );
    return icon_l;
}

const QIcon& global::icons::named( const QString& name_cp )
{
    static QHash< QString, QIcon > icons_s;
    auto found_l = icons_s.find( name_cp );
    if( icons_s.end() == found_l )
        found_l = icons_s.insert( name_cp, fromResource( name_cp ) );
    return found_l.value();
}

const QIcon& global::icons::appIcon()
{
    static const QIcon icon_scl = []
    {
        QIcon icon_l( pixmapFromResource( QStringLiteral( "app16" ) ) );
        icon_l.addPixmap( pixmapFromResource( QStringLiteral( "app32" ) ), QIcon::Normal, QIcon::Off );
        icon_l.addPixmap( pixmapFromResource( QStringLiteral( "app48" ) ), QIcon::Normal, QIcon::Off );
        // Twice 32 and 48, for a scale of 2; twice 16 is the 32 above.
        icon_l.addPixmap( pixmapFromResource( QStringLiteral( "app32@2x" ) ), QIcon::Normal, QIcon::Off );
        icon_l.addPixmap( pixmapFromResource( QStringLiteral( "app48@2x" ) ), QIcon::Normal, QIcon::Off );
        return icon_l;
    }();
    return icon_scl;
}

const QIcon& global::icons::checkIcon()
{
    static const QIcon icon_scl = fromResource( QStringLiteral( "check" ) );
    return icon_scl;
}

const QIcon& global::icons::crossIcon()
{
    static const QIcon icon_scl = fromResource( QStringLiteral( "cross" ) );
    return icon_scl;
}
