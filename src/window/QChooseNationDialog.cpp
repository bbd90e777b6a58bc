#include "QChooseNationDialog.h"

#include "championship.h"
#include "globals.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QSet>
#include <QVBoxLayout>

QChooseNationDialog::QChooseNationDialog()
    : QDialog( nullptr, Qt::CustomizeWindowHint | Qt::WindowTitleHint ), nationsCmb_m( new QComboBox( this ) )
{
    QVBoxLayout* const layout_l = new QVBoxLayout( this );
    layout_l->addWidget( nationsCmb_m );
    QHBoxLayout* const buttons_l = new QHBoxLayout();
    layout_l->addLayout( buttons_l );
    buttons_l->addStretch( 1 );
    QPushButton* const okBtn_l =
        new QPushButton( global::icons::checkIcon(), QStringLiteral( "Ввести зачение" ), this );
    QPushButton* const cancelBtn_l = new QPushButton( global::icons::crossIcon(), QStringLiteral( "Отменить" ), this );
    buttons_l->addWidget( okBtn_l );
    buttons_l->addWidget( cancelBtn_l );
    connect( okBtn_l, SIGNAL( released() ), this, SLOT( accept() ) );
    connect( cancelBtn_l, SIGNAL( released() ), this, SLOT( reject() ) );
}

int QChooseNationDialog::exec()
{
    const Championship& champ_crl = global::data::champ();
    const QSet< int > offered_cl( champ_crl.nations().cbegin(), champ_crl.nations().cend() );
    nationsCmb_m->clear();
    for( auto nation_it = champ_crl.nationsNames().cbegin(); nation_it != champ_crl.nationsNames().cend(); ++nation_it )
        if( !offered_cl.contains( nation_it.key() ) )
            nationsCmb_m->insertItem( nationsCmb_m->count(), QIcon(), nation_it.value(), QVariant( nation_it.key() ) );
    nationsCmb_m->setFocus( Qt::OtherFocusReason );
    return QDialog::exec();
}

int QChooseNationDialog::chosenNationId() const
{
    return nationsCmb_m->itemData( nationsCmb_m->currentIndex(), Qt::UserRole ).toInt();
}
