#include "drawrecord.h"

#include <QCryptographicHash>
#include <QRandomGenerator>
#include <QStringList>

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

QString DrawRecord::commitment( const QByteArray& secret_cp, const QString& pool_cp )
{
    const QByteArray digest_cl = QCryptographicHash::hash( pool_cp.toUtf8(), QCryptographicHash::Sha256 ).toHex();
    return QString::fromLatin1(
        QCryptographicHash::hash( secret_cp.toHex() + ':' + digest_cl, QCryptographicHash::Sha256 ).toHex() );
}

QString DrawRecord::shownCode( const QString& commitment_cp )
{
    if( commitment_cp.size() <= 16 )
        return commitment_cp;
    QStringList groups_l;
    for( int i = 0; i < 32; i += 8 )
        groups_l << commitment_cp.mid( i, 8 );
    return groups_l.join( QLatin1Char( ' ' ) );
}

bool DrawRecord::isValid() const
{
    return SECRET_BYTES == secret_m.size() && attempt_m > 0 && !nations_m.isEmpty()
           && ( FIRST_VERSION == version_m ? pool_m.isEmpty() : POOL_VERSION == version_m && !pool_m.isEmpty() );
}

QString DrawRecord::commitment() const
{
    return FIRST_VERSION == version_m ? commitment( secret_m ) : commitment( secret_m, pool_m );
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
    return version_m == other_cp.version_m && secret_m == other_cp.secret_m && word_m == other_cp.word_m
           && attempt_m == other_cp.attempt_m && nations_m == other_cp.nations_m && pool_m == other_cp.pool_m;
}

bool DrawLogEntry::operator==( const DrawLogEntry& other_cp ) const
{
    return round_m == other_cp.round_m && denominator_m == other_cp.denominator_m && attempt_m == other_cp.attempt_m
           && time_m == other_cp.time_m && commitment_m == other_cp.commitment_m && word_m == other_cp.word_m
           && secret_m == other_cp.secret_m && outcome_m == other_cp.outcome_m;
}

bool RenameLogEntry::operator==( const RenameLogEntry& other_cp ) const
{
    return afterDraws_m == other_cp.afterDraws_m && time_m == other_cp.time_m && groupId_m == other_cp.groupId_m
           && playerId_m == other_cp.playerId_m && oldNickname_m == other_cp.oldNickname_m
           && oldClanName_m == other_cp.oldClanName_m && nickname_m == other_cp.nickname_m
           && clanName_m == other_cp.clanName_m;
}
