#include "QDrawProof.h"

#include "QWindowSettings.h"
#include "championship.h"
#include "globals.h"

#include <QAction>
#include <QInputDialog>
#include <QLabel>
#include <QMenu>
#include <QStatusBar>

QDrawProof::QDrawProof( QMenu* menu_p, QStatusBar* statusBar_p, QObject* parent_p ) : QObject( parent_p )
{
    askWordAct_m = new QAction( QStringLiteral( "Спрашивать слово зала" ), parent_p );
    askWordAct_m->setCheckable( true );
    askWordAct_m->setChecked( QWindowSettings::askHallWord() );
    menu_p->addAction( askWordAct_m );
    connect( askWordAct_m, "2toggled( bool )", this, "1slotAskWordToggled( bool )" );
    status_m = new QLabel( statusBar_p );
    status_m->setObjectName( QStringLiteral( "drawProofLabel" ) );
    status_m->setTextInteractionFlags( Qt::TextSelectableByMouse );
    statusBar_p->addWidget( status_m );
}

QString QDrawProof::codeText( const QString& commitment_cp, int attempt_p )
{
    const QString code_cl = QStringLiteral( "Код жеребьевки: %1" ).arg( DrawRecord::shownCode( commitment_cp ) );
    return attempt_p > 1 ? code_cl + QStringLiteral( ", попытка %1" ).arg( attempt_p ) : code_cl;
}

void QDrawProof::update( bool drawAllowed_p )
{
    Championship& champ_l = global::data::champ();
    if( drawAllowed_p )
    {
        status_m->setText( codeText( champ_l.nextDrawCommitment(), champ_l.nextDrawAttempt() ) );
        return;
    }
    // Once stored, the draw's secret is no secret: anyone may check it.
    const DrawRecord& record_crl =
        champ_l.rounds().isEmpty() ? DrawRecord() : champ_l.rounds().at( champ_l.currentRound() ).record_m;
    status_m->setText( record_crl.isValid()
                           ? QStringLiteral( "Секрет жеребьевки тура «%1»: %2" )
                                 .arg( roundTitle( champ_l.rounds().at( champ_l.currentRound() ).denominator() ),
                                       QString::fromLatin1( record_crl.secret_m.toHex() ) )
                           : QString() );
}

bool QDrawProof::prepareDraw( QWidget* parent_p )
{
    QString word_l;
    if( askWordAct_m->isChecked() )
    {
        QInputDialog dialog_l( parent_p, Qt::CustomizeWindowHint | Qt::WindowTitleHint );
        dialog_l.setWindowTitle( QStringLiteral( "Слово зала" ) );
        dialog_l.setWindowIcon( global::icons::appIcon() );
        Championship& champ_l = global::data::champ();
        dialog_l.setLabelText( QStringLiteral( "%1\n\nСлово, которое назвал зал после этого кода\n"
                                               "(можно оставить пустым):" )
                                   .arg( codeText( champ_l.nextDrawCommitment(), champ_l.nextDrawAttempt() ) ) );
        dialog_l.setOkButtonText( QStringLiteral( "Запустить" ) );
        dialog_l.setCancelButtonText( QStringLiteral( "Отменить" ) );
        if( QDialog::Accepted != dialog_l.exec() )
            return false;
        word_l = storableText( dialog_l.textValue() );
    }
    global::data::champ().setHallWord( word_l );
    return true;
}

void QDrawProof::slotAskWordToggled( bool checked_p )
{
    QWindowSettings::setAskHallWord( checked_p );
}
