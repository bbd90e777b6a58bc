#ifndef SORTIVANE_DRAWRECORD_H
#define SORTIVANE_DRAWRECORD_H

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QVector>

// What makes a drawn round checkable by anyone who holds the file. Before
// the draw the program shows the commitment, a hash of a secret nobody else
// knows; the hall may then call out a word; the draw's seed follows from
// the secret, the word, the attempt and the round's title; once the draw is
// stored the secret is revealed, and the draw can be replayed:
//   commitment = the first 16 hex digits of SHA-256( secret in hex )
//   seed = the first 4 bytes, big-endian, of SHA-256( UTF-8 of
//          "<secret in hex>:<word>:<attempt>:<round title>" )
class DrawRecord
{
public:
    static constexpr int SECRET_BYTES = 16;

    // A fresh secret from the system's randomness.
    static QByteArray newSecret();
    static QString commitment( const QByteArray& secret_cp );

    bool isValid() const;
    quint32 seed( const QString& roundTitle_cp ) const;
    bool operator==( const DrawRecord& other_cp ) const;

    QByteArray secret_m;
    QString word_m;
    // The round's started draws up to this one, from 1.
    int attempt_m = 0;
    // The nations the draw handed out from, in list order.
    QVector< int > nations_m;
};

// One started draw, kept whatever became of it: a published file shows how
// often each round was drawn.
struct DrawLogEntry
{
    enum Outcome
    {
        Started,
        Stored,
        Cancelled,
        Undone
    };

    int round_m = 0;
    int denominator_m = 1;
    int attempt_m = 0;
    QDateTime time_m;
    QString commitment_m;
    // Kept from the start, written to a file only once the draw has ended,
    // whatever its outcome.
    QByteArray secret_m;
    Outcome outcome_m = Started;

    bool operator==( const DrawLogEntry& other_cp ) const;
};

#endif
