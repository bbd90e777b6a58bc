#include "drawrecord.h"

#include <QCryptographicHash>
#include <QRandomGenerator>

QByteArray DrawRecord::newSecret()
{
    QByteArray secret_l( SECRET_BYTES, Qt::Uninitialized );
    QRandomGenerator::system()->fillRange( reinterpret_cast< quint32* >( secret_l.data() ), SECRET_BYTES / 4 );
    return secret_l;
}

QString DrawRecord::commitment( const QByteArray& secret_cp )
{
    return QString::fromLatin1(
        QCryptographicHash::hash( secret_cp.toHex(), QCryptographicHash::Sha256 ).toHex().left( 16 ) );
}

bool DrawRecord::isValid() const
{
    return SECRET_BYTES == secret_m.size() && attempt_m > 0 && !nations_m.isEmpty();
}

quint32 DrawRecord::seed( const QString& roundTitle_cp ) const
{
    // Joined, not formatted: a word may hold "%1" itself.
    const QString text_cl = QString::fromLatin1( secret_m.toHex() ) + QLatin1Char( ':' ) + word_m + QLatin1Char( ':' )
                            + QString::number( attempt_m ) + QLatin1Char( ':' ) + roundTitle_cp;
    const QByteArray hash_cl = QCryptographicHash::hash( text_cl.toUtf8(), QCryptographicHash::Sha256 );
    quint32 seed_l = 0;
    for( int i = 0; i < 4; ++i )
        seed_l = ( seed_l << 8 ) | static_cast< quint8 >( hash_cl.at( i ) );
    return seed_l;
}

bool DrawRecord::operator==( const DrawRecord& other_cp ) const
{
    return secret_m == other_cp.secret_m && word_m == other_cp.word_m && attempt_m == other_cp.attempt_m
           && nations_m == other_cp.nations_m;
}

bool DrawLogEntry::operator==( const DrawLogEntry& other_cp ) const
{
    return round_m == other_cp.round_m && denominator_m == other_cp.denominator_m && attempt_m == other_cp.attempt_m
           && time_m == other_cp.time_m && commitment_m == other_cp.commitment_m && secret_m == other_cp.secret_m
           && outcome_m == other_cp.outcome_m;
}
