#include "drawseed.h"

#include <QRandomGenerator>

#include <atomic>
#include <cstdlib>

namespace
{
std::atomic< bool > fixed_g { false };
std::atomic< unsigned int > seed_g { 0 };
}

void drawseed::reseed()
{
    if( fixed_g )
        std::srand( seed_g++ );
    else
        // Not the clock: whoever knows the pool could compute each second's
        // pairings and press "Запустить" at the one that suits a friend.
        std::srand( QRandomGenerator::system()->generate() );
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
