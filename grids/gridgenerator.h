#pragma once

#include "grid.h"

#include <functional>

class Clock;
class GridFile;
class RandomSource;

// Makes random loto grids: first which five columns of each row carry a
// number, then three ranked draws per column.
class GridGenerator
{
public:
    GridGenerator(RandomSource& random, const Clock& clock);

    Grid makeGrid();
    // Writes count grids, four to a sheet, numbered from 1; a count that is
    // not a positive multiple of 4 throws std::invalid_argument before
    // anything is written. progress(g) runs before grid g is made.
    void run(int count, GridFile& file, const std::function<void(int)>& progress);

private:
    void stir();
    int pick(int upper); // uniform over 1..upper

    RandomSource& m_random;
    const Clock& m_clock;
};
