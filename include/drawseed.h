#ifndef SORTIVANE_DRAWSEED_H
#define SORTIVANE_DRAWSEED_H

// The draw seeds rand() from the clock each time it starts a random walk, as
// srand( time( 0 ) ) does. Tests and benchmarks need reproducible or
// independent sequences instead, so the seed can be fixed: while a fixed
// seed is set, every reseed uses it and then advances it by one.
namespace drawseed
{
void reseed();
void setFixedSeed( unsigned int seed_p );
void clearFixedSeed();
}

#endif
