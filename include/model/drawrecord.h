#ifndef SORTIVANE_DRAWRECORD_H
#define SORTIVANE_DRAWRECORD_H

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QVector>

// What makes a drawn round checkable by anyone who holds the file. Before
// the draw the program shows the commitment, a hash of a secret nobody else
// knows and of the pool the draw will use; the hall may then call out a
// word; the draw's seed follows from the secret, the word, the attempt and
// the round's title; once the draw is stored the secret is revealed, and
// the draw can be replayed (docs/draw-proof.md has every step):
//   pool digest = SHA-256 in hex of the pool's text (DrawPool)
//   commitment = SHA-256 in hex of "<secret in hex>:<pool digest>"; the
//                window shows its first 32 digits
//   seed = the first 4 bytes, big-endian, of SHA-256( UTF-8 of
//          "<secret in hex>:<word>:<attempt>:<round title>" )
// Records of the first version bound the secret alone: their commitment is
// the first 16 hex digits of SHA-256( secret in hex ).
class DrawRecord
{
public:
    static constexpr int SECRET_BYTES = 16;
    static constexpr int FIRST_VERSION = 1;
    static constexpr int POOL_VERSION = 2;

    // A fresh secret from the system's randomness.
    static QByteArray newSecret();
    // The first version's commitment, to the secret alone.
    static QString commitment( const QByteArray& secret_cp );
    // The commitment to the secret and the pool's text.
    static QString commitment( const QByteArray& secret_cp, const QString& pool_cp );
    // The code as the hall notes it: a commitment's first 32 digits in four
    // groups of 8; a first version's 16 digits as they are.
    static QString shownCode( const QString& commitment_cp );

    bool isValid() const;
    // The commitment this record answers.
    QString commitment() const;
    quint32 seed( const QString& roundTitle_cp ) const;
    bool operator==( const DrawRecord& other_cp ) const;

    int version_m = POOL_VERSION;
    QByteArray secret_m;
    QString word_m;
    // The round's started draws up to this one, from 1.
    int attempt_m = 0;
    // The nations the draw handed out from, in list order.
    QVector< int > nations_m;
    // The pool's text as the draw found it, names included; empty in a
    // record of the first version.
    QString pool_m;
};

// One started draw, kept whatever became of it: a published file shows how
// often each round was drawn.
struct DrawLogEntry
{
    // A started draw that never ended was cut short with the program; an
    // entry a file holds in a form no program writes is damaged, and is
    // kept as such.
    enum Outcome
    {
        Started,
        Stored,
        Cancelled,
        Undone,
        Damaged
    };

    int round_m = 0;
    int denominator_m = 1;
    int attempt_m = 0;
    QDateTime time_m;
    QString commitment_m;
    QString word_m;
    // Kept from the start, written to a file only once the draw has ended,
    // whatever its outcome.
    QByteArray secret_m;
    Outcome outcome_m = Started;

    bool operator==( const DrawLogEntry& other_cp ) const;
};

// A player renamed once a draw had been started: the check follows the
// names a record keeps to today's through these.
struct RenameLogEntry
{
    // How many entries of the draw log came before it.
    int afterDraws_m = 0;
    QDateTime time_m;
    int groupId_m = 0;
    int playerId_m = 0;
    QString oldNickname_m;
    QString oldClanName_m;
    QString nickname_m;
    QString clanName_m;

    bool operator==( const RenameLogEntry& other_cp ) const;
};

#endif
