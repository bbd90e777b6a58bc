#ifndef SORTIVANE_DRAWSEED_H
#define SORTIVANE_DRAWSEED_H

// The draw seeds rand() each time it starts a random walk, from the operating
// system's randomness rather than the clock, so that no one can foresee it.
// Tests and benchmarks need reproducible sequences instead, so the seed can
// be fixed: while a fixed seed is set, every reseed uses it and then
// advances it by one.
namespace drawseed
{
void reseed();
void setFixedSeed( unsigned int seed_p );
void clearFixedSeed();
}

#endif
