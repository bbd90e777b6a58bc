#include "QPanelFrame.h"

#include "globals.h"

#include <QAbstractItemView>
#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>
#include <QVBoxLayout>

QPanelFrame::QPanelFrame( const QString& title_cp, QWidget* parent_p ) : QFrame( parent_p )
{
    setFrameStyle( QFrame::Box );
    QVBoxLayout* const layout_l = new QVBoxLayout( this );
    layout_l->addWidget( new QLabel( title_cp, this ) );
    buttons_m = new QHBoxLayout();
    layout_l->addLayout( buttons_m );
}

QString QPanelFrame::removalQuestion( const QString& listPart_cp, int amount_p )
{
    static const QString will_scl = QStringLiteral( "будет" );
    static const QString removedOne_scl = QStringLiteral( " удалён " );
    static const QString removedMany_scl = QStringLiteral( " удалено " );
    return listPart_cp + will_scl + ( 1 == amount_p ? removedOne_scl : removedMany_scl ) + QString::number( amount_p )
           + selectedWord( amount_p ) + elementWord( amount_p ) + QLatin1Char( '.' );
}

QString QPanelFrame::selectedWord( int amount_p )
{
    static const QString one_scl = QStringLiteral( " выделенный " );
    static const QString many_scl = QStringLiteral( " выделенных " );
    return 1 == amount_p ? one_scl : many_scl;
}

QString QPanelFrame::elementWord( int amount_p )
{
    static const QString word_scl = QStringLiteral( "элемент" );
    static const QString few_scl = QStringLiteral( "а" );
    static const QString many_scl = QStringLiteral( "ов" );
    if( 1 == amount_p )
        return word_scl;
    return word_scl + ( amount_p >= 2 && amount_p <= 4 ? few_scl : many_scl );
}

QToolButton* QPanelFrame::addToolButton( const char* name_p, const QString& iconName_cp, const QString& toolTip_cp,
                                         bool enabled_p )
{
    QToolButton* const button_l = new QToolButton( this );
    button_l->setObjectName( QString::fromLatin1( name_p ) );
    button_l->setIcon( global::icons::named( iconName_cp ) );
    button_l->setIconSize( QSize( 24, 24 ) );
    button_l->setToolTip( toolTip_cp );
    button_l->setEnabled( enabled_p );
    buttons_m->addWidget( button_l );
    return button_l;
}

void QPanelFrame::addButtonsStretch()
{
    buttons_m->addStretch( 1 );
}

void QPanelFrame::setPanelView( QAbstractItemView* view_p, QAbstractItemModel* model_p, const char* name_p )
{
    view_p->setObjectName( QString::fromLatin1( name_p ) );
    view_p->setModel( model_p );
    view_p->setSelectionMode( QAbstractItemView::ExtendedSelection );
    layout()->addWidget( view_p );
}
