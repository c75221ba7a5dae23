#pragma once

#include "gridsheet.h"

#include <QtGlobal>

#include <array>
#include <functional>

class Clock;
class RandomSource;
class SeededRandom;

// Makes random loto grids: first which five columns of each row carry a
// number, then three ranked draws per column.
class GridGenerator
{
public:
    GridGenerator(RandomSource& random, const Clock& clock);

    Grid makeGrid();
    // Makes count grids, four to a sheet numbered from 1, and hands each
    // sheet to store once its four grids are made; a count that is not a
    // positive multiple of 4 throws std::invalid_argument before any grid is
    // made. progress(g) runs before grid g is made.
    void run(int count, const std::function<void(GridSheet&&)>& store,
             const std::function<void(int)>& progress);

private:
    template <typename Source> Grid makeGridFrom(Source& random);

    RandomSource& m_random;
    SeededRandom* m_seeded; // the same source, when it can be drawn from without virtual calls
    const Clock& m_clock;
    // With a seeded source, the least raw value whose draw fits each column.
    std::array<quint64, Grid::Columns> m_leastBits{};
};
