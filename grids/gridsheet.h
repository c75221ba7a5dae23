#pragma once

#include "game/grid.h"

#include <QString>

#include <array>

// One row of table TIRAGE: four consecutive grids.
struct GridSheet
{
    static constexpr int Grids = 4;
    static constexpr int Cells = Grids * Grid::Cells; // NUMERO1..NUMERO108

    int grille = 0;                     // number of the sheet's first grid
    std::array<QString, Grids> numbers; // NUM1..NUM4
    std::array<Grid, Grids> grids;

    // Column NUMEROn of grid slot (1..4), row and column.
    static int numeroColumn(int slot, int row, int column)
    {
        return 27 * (slot - 1) + 9 * (row - 1) + column;
    }
};

// A grid number's text form: at least five digits, zero-padded ("00042").
QString gridNumberText(int number);

// What keeps a grid from being a loto card (15 distinct numbers, five a row,
// each in its column's range), in words that follow "la grille 00042";
// empty for a sound grid.
QString gridFault(const Grid& grid);
