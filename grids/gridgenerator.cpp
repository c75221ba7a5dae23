#include "gridgenerator.h"

#include "gridfile.h"
#include "platform/clock.h"
#include "platform/randomsource.h"

#include <algorithm>
#include <stdexcept>

GridGenerator::GridGenerator(RandomSource& random, const Clock& clock)
    : m_random(random), m_clock(clock)
{}

void GridGenerator::stir()
{
    m_random.stir(m_clock.ticks());
}

int GridGenerator::pick(int upper)
{
    return pickFromOneTo(m_random, upper);
}

Grid GridGenerator::makeGrid()
{
    // Row patterns: five distinct columns per row, each row drawn on its own.
    std::array<std::array<bool, Grid::Columns>, Grid::Rows> filled{};
    for (auto& row : filled) {
        for (int k = 0; k < 5; ++k) {
            stir();
            int column = pick(Grid::Columns);
            while (row[static_cast<std::size_t>(column - 1)])
                column = pick(Grid::Columns);
            row[static_cast<std::size_t>(column - 1)] = true;
        }
    }

    Grid grid;
    for (int c = 1; c <= Grid::Columns; ++c) {
        const int upper = c == 9 ? 90 : 10 * c - 1;
        const int lower = c == 1 ? 0 : 10 * c - 11; // numbers must exceed it
        stir();
        std::array<int, 3> drawn{};
        for (std::size_t k = 0; k < drawn.size(); ++k) {
            int candidate;
            do
                candidate = pick(upper);
            while (candidate <= lower ||
                   std::find(drawn.begin(), drawn.begin() + k, candidate) != drawn.begin() + k);
            drawn[k] = candidate;
        }
        std::sort(drawn.begin(), drawn.end());
        // Each filled cell takes the number of its own rank: the column grows downwards.
        for (int r = 1; r <= Grid::Rows; ++r) {
            if (filled[static_cast<std::size_t>(r - 1)][static_cast<std::size_t>(c - 1)])
                grid.at(r, c) = drawn[static_cast<std::size_t>(r - 1)];
        }
    }
    return grid;
}

void GridGenerator::run(int count, GridFile& file, const std::function<void(int)>& progress)
{
    // Grids are stored four to a sheet: any other count would lose the last ones.
    if (count <= 0 || count % GridSheet::Grids != 0)
        throw std::invalid_argument("grid count must be a positive multiple of 4");
    // A sheet is kept in hand and stored once its four grids are made.
    GridSheet sheet;
    for (int g = 1; g <= count; ++g) {
        const int slot = (g - 1) % GridSheet::Grids + 1;
        if (progress)
            progress(g);
        if (slot == 1) {
            sheet = GridSheet();
            sheet.grille = g;
            for (int k = 0; k < GridSheet::Grids; ++k)
                sheet.numbers[static_cast<std::size_t>(k)] = gridNumberText(g + k);
        }
        sheet.grids[static_cast<std::size_t>(slot - 1)] = makeGrid();
        if (slot == GridSheet::Grids)
            file.appendSheet(sheet);
    }
}
