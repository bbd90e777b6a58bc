#ifndef SORTIVANE_DRAWSEED_H
#define SORTIVANE_DRAWSEED_H

#include <QtGlobal>

#include <functional>

// Where a draw's random walks (the bye split, the toss) take their seeds.
// A real draw derives its seed from its record, which anyone can check.
// Tests and benchmarks need reproducible sequences instead, so the seed can
// be fixed: while a fixed seed is set, every walk takes it and then advances
// it by one, and the draw keeps no record.
namespace drawseed
{
void setFixedSeed( unsigned int seed_p );
void clearFixedSeed();
bool isFixed();
// The fixed seed, then advanced by one.
quint32 takeFixed();
// Seeds for the walks of one draw: the fixed ones while set, else first_p,
// first_p + 1 and so on.
std::function< quint32() > walkSeeds( quint32 first_p );
}

#endif
