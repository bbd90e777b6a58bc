#ifndef SORTIVANE_QSTRINGENTERDIALOG_H
#define SORTIVANE_QSTRINGENTERDIALOG_H

#include "globals.h"
#include "svassert.h"

#include <QDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

// Asks for a fixed set of strings, one line edit per caption. It checks
// nothing about what is typed: that is the caller's business.
class QStringEnterDialog : public QDialog
{
public:
    explicit QStringEnterDialog( const QVector< QString >& captions_cp )
        : QDialog( nullptr, Qt::CustomizeWindowHint | Qt::WindowTitleHint ), stringFields_m( captions_cp.size() )
    {
        QVBoxLayout* const layout_l = new QVBoxLayout( this );
        QGridLayout* const grid_l = new QGridLayout();
        layout_l->addLayout( grid_l );
        for( int i = 0; i < captions_cp.size(); ++i )
        {
            stringFields_m[ i ] = new QLineEdit( this );
            grid_l->addWidget( new QLabel( captions_cp.at( i ), this ), i, 0 );
            grid_l->addWidget( stringFields_m.at( i ), i, 1 );
        }
        QHBoxLayout* const buttons_l = new QHBoxLayout();
        layout_l->addLayout( buttons_l );
        buttons_l->addStretch( 1 );
        QPushButton* const okBtn_l =
            new QPushButton( global::icons::checkIcon(), QStringLiteral( "Ввести зачение" ), this );
        QPushButton* const cancelBtn_l =
            new QPushButton( global::icons::crossIcon(), QStringLiteral( "Отменить" ), this );
        buttons_l->addWidget( okBtn_l );
        buttons_l->addWidget( cancelBtn_l );
        connect( okBtn_l, SIGNAL( released() ), this, SLOT( accept() ) );
        connect( cancelBtn_l, SIGNAL( released() ), this, SLOT( reject() ) );
    }

    ~QStringEnterDialog() override = default;

    // Every use starts with empty fields and the cursor in the first one.
    int exec() override { return execWith( QVector< QString >( stringFields_m.size() ) ); }

    // The same, with the fields holding texts_cp, the first one selected:
    // for changing what was entered before.
    int execWith( const QVector< QString >& texts_cp )
    {
        SV_ASSERT( texts_cp.size() == stringFields_m.size() );
        for( int i = stringFields_m.size() - 1; i >= 0; --i )
            stringFields_m.at( i )->setText( texts_cp.at( i ) );
        stringFields_m.front()->setFocus( Qt::OtherFocusReason );
        stringFields_m.front()->selectAll();
        return QDialog::exec();
    }

    void setMaxLength( int characters_p )
    {
        for( QLineEdit* const field_cl : stringFields_m )
            field_cl->setMaxLength( characters_p );
    }

    QString stringValue( unsigned int stringId_p ) const
    {
        SV_ASSERT( stringId_p < static_cast< unsigned int >( stringFields_m.size() ),
                   "stringId_p < stringFields_m.size()" );
        return stringFields_m.at( static_cast< int >( stringId_p ) )->text();
    }

private:
    QVector< QLineEdit* > stringFields_m;
};

#endif
