#include "QChooseWinnerDialog.h"

#include "championship.h"
#include "globals.h"
#include "svassert.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

QChooseWinnerDialog::QChooseWinnerDialog() : QDialog( nullptr, Qt::CustomizeWindowHint | Qt::WindowTitleHint )
{
    QVBoxLayout* const layout_l = new QVBoxLayout( this );
    titleLabel_m = new QLabel( this );
    layout_l->addWidget( titleLabel_m );

    QGroupBox* const group_l = new QGroupBox( QStringLiteral( "Выберите игрока-победителя" ), this );
    QVBoxLayout* const groupLayout_l = new QVBoxLayout( group_l );
    favoriteBtn_m = new QRadioButton( group_l );
    outsiderBtn_m = new QRadioButton( group_l );
    groupLayout_l->addWidget( favoriteBtn_m );
    groupLayout_l->addWidget( outsiderBtn_m );
    layout_l->addWidget( group_l );

    QHBoxLayout* const buttons_l = new QHBoxLayout();
    layout_l->addLayout( buttons_l, 0 );
    buttons_l->addStretch( 1 );
    okBtn_m = new QPushButton( global::icons::checkIcon(), QStringLiteral( "Выбрать" ), this );
    QPushButton* const cancelBtn_l = new QPushButton( global::icons::crossIcon(), QStringLiteral( "Отменить" ), this );
    buttons_l->addWidget( okBtn_m );
    buttons_l->addWidget( cancelBtn_l );
    okBtn_m->setEnabled( false );

    setWindowTitle( QStringLiteral( "Выбор победителя" ) );
    setWindowIcon( global::icons::appIcon() );

    connect( okBtn_m, SIGNAL( released() ), this, SLOT( accept() ) );
    connect( cancelBtn_l, SIGNAL( released() ), this, SLOT( reject() ) );
    // OK follows the checked state, not the press: a press released outside
    // the button checks nothing.
    connect( favoriteBtn_m, SIGNAL( toggled( bool ) ), this, SLOT( slotActivateOkBtn() ) );
    connect( outsiderBtn_m, SIGNAL( toggled( bool ) ), this, SLOT( slotActivateOkBtn() ) );
    favoriteBtn_m->installEventFilter( this );
    outsiderBtn_m->installEventFilter( this );
}

void QChooseWinnerDialog::setGameTitle( const QString& title_cp )
{
    titleLabel_m->setText( title_cp );
}

void QChooseWinnerDialog::setFavorite( const QString& player_cp, const QString& nation_cp )
{
    favoriteBtn_m->setText( player_cp + QLatin1Char( '\n' ) + nation_cp );
}

void QChooseWinnerDialog::setOutsider( const QString& player_cp, const QString& nation_cp )
{
    outsiderBtn_m->setText( player_cp + QLatin1Char( '\n' ) + nation_cp );
}

void QChooseWinnerDialog::setResult( int result_p )
{
    // Auto-exclusive radio buttons refuse to uncheck the checked one; lift
    // the exclusivity for the moment of clearing.
    favoriteBtn_m->setAutoExclusive( false );
    outsiderBtn_m->setAutoExclusive( false );
    favoriteBtn_m->setChecked( EXPECTED == result_p );
    outsiderBtn_m->setChecked( UNEXPECTED == result_p );
    favoriteBtn_m->setAutoExclusive( true );
    outsiderBtn_m->setAutoExclusive( true );
    okBtn_m->setEnabled( UNKNOWN != result_p );
}

int QChooseWinnerDialog::chooseResult()
{
    // The dialog is reused: every game starts in the same keyboard state, so
    // the same keys give the same answer. Enter means OK, which is disabled
    // while no side is checked.
    okBtn_m->setDefault( true );
    QRadioButton* const focused_cl = outsiderBtn_m->isChecked() ? outsiderBtn_m : favoriteBtn_m;
    focused_cl->setFocus();
    if( QDialog::Rejected == exec() )
        return UNKNOWN;
    if( favoriteBtn_m->isChecked() )
        return EXPECTED;
    if( outsiderBtn_m->isChecked() )
        return UNEXPECTED;
    SV_ASSERT( !"[ERROR] Incorrect IF condition." );
    return UNKNOWN;
}

bool QChooseWinnerDialog::eventFilter( QObject* watched_p, QEvent* event_p )
{
    if( QEvent::KeyPress != event_p->type() || ( favoriteBtn_m != watched_p && outsiderBtn_m != watched_p ) )
        return QDialog::eventFilter( watched_p, event_p );
    switch( static_cast< QKeyEvent* >( event_p )->key() )
    {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Left:
    case Qt::Key_Right:
    {
        // Two sides: every arrow leads to the other one.
        QRadioButton* const other_cl = favoriteBtn_m == watched_p ? outsiderBtn_m : favoriteBtn_m;
        other_cl->setFocus( Qt::TabFocusReason );
        other_cl->setChecked( true );
        return true;
    }
    default:
        return QDialog::eventFilter( watched_p, event_p );
    }
}

void QChooseWinnerDialog::slotActivateOkBtn()
{
    okBtn_m->setEnabled( favoriteBtn_m->isChecked() || outsiderBtn_m->isChecked() );
}
