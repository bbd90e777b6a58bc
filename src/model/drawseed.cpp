#include "drawseed.h"

#include <atomic>
#include <memory>

namespace
{
std::atomic< bool > fixed_g { false };
std::atomic< unsigned int > seed_g { 0 };
}

void drawseed::setFixedSeed( unsigned int seed_p )
{
    seed_g = seed_p;
    fixed_g = true;
}

void drawseed::clearFixedSeed()
{
    fixed_g = false;
}

bool drawseed::isFixed()
{
    return fixed_g;
}

quint32 drawseed::takeFixed()
{
    return seed_g++;
}

std::function< quint32() > drawseed::walkSeeds( quint32 first_p )
{
    const std::shared_ptr< quint32 > next_cl = std::make_shared< quint32 >( first_p );
    return [ next_cl ] { return isFixed() ? takeFixed() : ( *next_cl )++; };
}
