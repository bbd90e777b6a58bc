#include "drawseed.h"

#include <atomic>
#include <cstdlib>
#include <ctime>

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
        std::srand( static_cast< unsigned int >( std::time( nullptr ) ) );
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
