#include "QTossProcessWindow.h"

#include "QDrawProof.h"
#include "QTossThread.h"
#include "QTossWindow.h"
#include "globals.h"
#include "svassert.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace
{
QLabel* centeredLabel( const QString& text_cp, QWidget* parent_p )
{
    QLabel* const label_l = new QLabel( text_cp, parent_p );
    label_l->setAlignment( Qt::AlignHCenter | Qt::AlignVCenter );
    // A name is shown as typed, even one that looks like markup.
    label_l->setTextFormat( Qt::PlainText );
    return label_l;
}

QString nationText( const QString& textValue_cp )
{
    return textValue_cp.isEmpty() ? textValue_cp : QStringLiteral( "(%1)" ).arg( textValue_cp );
}
}

QTossProcessWindow::QTossProcessWindow() : QFrame( nullptr, Qt::CustomizeWindowHint | Qt::WindowTitleHint )
{
    QFont boldFont_l = font();
    boldFont_l.setWeight( 75 );
    QVBoxLayout* const layout_l = new QVBoxLayout( this );
    gameNumberLbl_m = new QLabel( this );
    gameNumberLbl_m->setFont( boldFont_l );
    favoriteNameLbl_m = centeredLabel( QString(), this );
    favoriteNationLbl_m = centeredLabel( QString(), this );
    outsiderNameLbl_m = centeredLabel( QString(), this );
    outsiderNationLbl_m = centeredLabel( QString(), this );
    layout_l->addWidget( gameNumberLbl_m );
    layout_l->addWidget( favoriteNameLbl_m );
    layout_l->addWidget( favoriteNationLbl_m );
    layout_l->addWidget( centeredLabel( QStringLiteral( "VS" ), this ) );
    layout_l->addWidget( outsiderNameLbl_m );
    layout_l->addWidget( outsiderNationLbl_m );

    QHBoxLayout* const buttons_l = new QHBoxLayout();
    layout_l->addLayout( buttons_l );
    commitmentLbl_m = new QLabel( this );
    commitmentLbl_m->setObjectName( QStringLiteral( "commitmentLabel" ) );
    buttons_l->addWidget( commitmentLbl_m );
    buttons_l->addStretch( 1 );
    QPushButton* const cancelBtn_l = new QPushButton( global::icons::crossIcon(), QStringLiteral( "Отменить" ), this );
    buttons_l->addWidget( cancelBtn_l );
    connect( cancelBtn_l, "2released()", global::threads::tossThread(), "1sltStop()" );

    setWindowIcon( global::icons::appIcon() );
}

void QTossProcessWindow::setCommitment( const QString& commitment_cp, int attempt_p )
{
    commitmentLbl_m->setText( commitment_cp.isEmpty() ? QString() : QDrawProof::codeText( commitment_cp, attempt_p ) );
    commitmentLbl_m->setVisible( !commitment_cp.isEmpty() );
}

void QTossProcessWindow::closeEvent( QCloseEvent* event_p )
{
    // The draw's own finished() closes the window too; a stop then comes
    // after the draw and changes nothing.
    global::threads::tossThread()->sltStop();
    QFrame::closeEvent( event_p );
}

void QTossProcessWindow::keyPressEvent( QKeyEvent* event_p )
{
    if( Qt::Key_Escape == event_p->key() )
        global::threads::tossThread()->sltStop();
    else if( Qt::Key_F11 == event_p->key() && ( hallPace_m || isFullScreen() ) )
    {
        const bool full_cl = !isFullScreen();
        QFont font_l = QFrame::font();
        font_l.setPointSizeF( QApplication::font().pointSizeF() * ( full_cl ? 3 : 1 ) );
        setFont( font_l );
        if( full_cl )
            showFullScreen();
        else
            showNormal();
    }
    else
        QFrame::keyPressEvent( event_p );
}

void QTossProcessWindow::setHallPace( bool hall_p )
{
    hallPace_m = hall_p;
}

void QTossProcessWindow::setVisible( bool visible_p )
{
    if( visible_p && !isVisible() && !isFullScreen() )
    {
        adjustSize();
        const QWidget* const main_cl = global::widgets::tossWindow();
        const QRect screen_cl =
            ( main_cl->screen() ? main_cl->screen() : QGuiApplication::primaryScreen() )->availableGeometry();
        QRect placed_l( QPoint(), size() );
        placed_l.moveCenter( main_cl->frameGeometry().center() );
        // Inside the screen, the top left corner first where it is too small.
        placed_l.moveRight( std::min( placed_l.right(), screen_cl.right() ) );
        placed_l.moveBottom( std::min( placed_l.bottom(), screen_cl.bottom() ) );
        placed_l.moveLeft( std::max( placed_l.left(), screen_cl.left() ) );
        placed_l.moveTop( std::max( placed_l.top(), screen_cl.top() ) );
        setGeometry( placed_l );
    }
    QFrame::setVisible( visible_p );
}

void QTossProcessWindow::sltClean()
{
    favoriteNameLbl_m->clear();
    favoriteNationLbl_m->clear();
    outsiderNameLbl_m->clear();
    outsiderNationLbl_m->clear();
}

void QTossProcessWindow::sltSetGameNumber( int number_p )
{
    SV_ASSERT( number_p && tourDenominator_m >= number_p );
    static const QString format_scl = QStringLiteral( "Игра %1" );
    gameNumberLbl_m->setText( format_scl.arg( number_p ) );
}

// The slot takes the text by value: it is the signature the toss thread is
// connected to by name.
// NOLINTNEXTLINE(performance-unnecessary-value-param)
void QTossProcessWindow::sltSetTxtValue( int textValueType_p, QString textValue_p )
{
    switch( textValueType_p )
    {
    case QTossThread::FAVORITE_PLAYERS_NAME:
        favoriteNameLbl_m->setText( textValue_p );
        break;
    case QTossThread::FAVORITE_PLAYERS_NATION:
        favoriteNationLbl_m->setText( nationText( textValue_p ) );
        break;
    case QTossThread::OUTSIDER_PLAYERS_NAME:
        outsiderNameLbl_m->setText( textValue_p );
        break;
    case QTossThread::OUTSIDER_PLAYERS_NATION:
        outsiderNationLbl_m->setText( nationText( textValue_p ) );
        break;
    default:
        SV_ASSERT( !"[ERROR] Incorrect case path" );
    }
}

void QTossProcessWindow::sltSetWindowTitle( int tourDenominator_p )
{
    SV_ASSERT( tourDenominator_p > 0 && ( 1 == tourDenominator_p || !( tourDenominator_p % 2 ) ) );
    static const QString format_scl = QStringLiteral( "Жеребьевка %1финала чемпионата" );
    static const QString quarter_scl = QStringLiteral( "четверть" );
    static const QString semi_scl = QStringLiteral( "полу" );
    tourDenominator_m = tourDenominator_p;
    QString part_l;
    if( tourDenominator_p > 4 )
        part_l = QStringLiteral( "1/" ) + QString::number( tourDenominator_p ) + QLatin1Char( ' ' );
    else if( 4 == tourDenominator_p )
        part_l = quarter_scl;
    else if( 2 == tourDenominator_p )
        part_l = semi_scl;
    setWindowTitle( format_scl.arg( part_l ) );
}
