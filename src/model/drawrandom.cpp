#include "drawrandom.h"

DrawRandom::DrawRandom( quint32 seed_p )
{
    // The first words come from the minimal standard generator (16807 times
    // the previous word, modulo 2^31 - 1, by Schrage's method), started from
    // the seed; seed 0 counts as 1. The word is a signed 32-bit one, as in
    // glibc: a seed from 2^31 on starts negative.
    qint32 word_l = static_cast< qint32 >( seed_p ? seed_p : 1 );
    state_m[ 0 ] = static_cast< quint32 >( word_l );
    for( int i = 1; i < DEGREE; ++i )
    {
        const qint64 high_cl = word_l / 127773;
        const qint64 low_cl = word_l % 127773;
        word_l = static_cast< qint32 >( 16807 * low_cl - 2836 * high_cl );
        if( word_l < 0 )
            word_l += 2147483647;
        state_m[ i ] = static_cast< quint32 >( word_l );
    }
    // The first ten rounds of the table are thrown away.
    for( int i = 0; i < 10 * DEGREE; ++i )
        next();
}

int DrawRandom::next()
{
    state_m[ front_m ] += state_m[ rear_m ];
    const int result_cl = static_cast< int >( state_m[ front_m ] >> 1 );
    front_m = ( front_m + 1 ) % DEGREE;
    rear_m = ( rear_m + 1 ) % DEGREE;
    return result_cl;
}
