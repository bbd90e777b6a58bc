#ifndef SORTIVANE_DRAWRANDOM_H
#define SORTIVANE_DRAWRANDOM_H

#include <QtGlobal>

#include <array>

// The draw's random numbers: exactly the sequence that glibc's rand()
// yields after srand( seed ) (the additive feedback generator of its
// random_r, type 3), made here so that a recorded draw replays the same on
// any system.
class DrawRandom
{
public:
    explicit DrawRandom( quint32 seed_p );

    int next();
    // An index into a list of size_p, as rand() % size_p picks it.
    int below( int size_p ) { return next() % size_p; }

private:
    static constexpr int DEGREE = 31;
    static constexpr int SEPARATION = 3;

    std::array< quint32, DEGREE > state_m;
    int front_m = SEPARATION;
    int rear_m = 0;
};

#endif
