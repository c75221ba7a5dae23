#pragma once

#include <array>
#include <cstddef>

// A loto grid: 3 rows by 9 columns, 15 numbers; 0 marks an empty cell.
struct Grid
{
    static constexpr int Rows = 3;
    static constexpr int Columns = 9;
    static constexpr int Cells = Rows * Columns;

    std::array<int, Cells> cells{};

    // Rows and columns count from 1, as on the printed card.
    int& at(int row, int column) { return cells[static_cast<std::size_t>(index(row, column))]; }
    int at(int row, int column) const
    {
        return cells[static_cast<std::size_t>(index(row, column))];
    }
    static int index(int row, int column) { return 9 * (row - 1) + column - 1; }
};
