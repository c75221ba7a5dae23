#include "gridgenerator.h"

#include "platform/clock.h"
#include "platform/randomsource.h"

#include <algorithm>
#include <stdexcept>
#include <type_traits>

namespace {
// Column c holds the numbers above lower(c) up to upper(c): 1-9, 10-19 ... 80-90.
int upper(int column)
{
    return column == 9 ? 90 : 10 * column - 1;
}

int lower(int column)
{
    return column == 1 ? 0 : 10 * column - 11;
}
} // namespace

GridGenerator::GridGenerator(RandomSource& random, const Clock& clock)
    : m_random(random), m_seeded(dynamic_cast<SeededRandom*>(&random)), m_clock(clock)
{
    if (m_seeded) {
        for (int c = 1; c <= Grid::Columns; ++c)
            m_leastBits[static_cast<std::size_t>(c - 1)] =
                SeededRandom::leastBitsAbove(lower(c), upper(c));
    }
}

Grid GridGenerator::makeGrid()
{
    // Both paths draw the same values in the same order: the seeded source
    // only saves the virtual calls, a few hundred per grid, and the
    // arithmetic of the draws that cannot fit their column.
    return m_seeded ? makeGridFrom(*m_seeded) : makeGridFrom(m_random);
}

template <typename Source> Grid GridGenerator::makeGridFrom(Source& random)
{
    const auto stir = [&] {
        random.stir(m_clock.ticks());
    };

    // Row patterns: five distinct columns per row, each row drawn on its own.
    // Bit c of a row's mask is set when its column c carries a number.
    std::array<unsigned, Grid::Rows> filled{};
    for (unsigned& row : filled) {
        for (int k = 0; k < 5; ++k) {
            stir();
            int column = pickFromOneTo(random, Grid::Columns);
            while (row & (1u << column))
                column = pickFromOneTo(random, Grid::Columns);
            row |= 1u << column;
        }
    }

    Grid grid;
    for (int c = 1; c <= Grid::Columns; ++c) {
        const int top = upper(c), bottom = lower(c);
        // Three distinct numbers, each drawn from 1 to top until it exceeds bottom.
        const auto draw = [&] {
            if constexpr (std::is_same_v<Source, SeededRandom>) {
                // Most draws of the high columns fall below the range: they
                // are passed over on the raw bits, before any arithmetic.
                const quint64 least = m_leastBits[static_cast<std::size_t>(c - 1)];
                quint64 bits;
                do
                    bits = random.nextBits();
                while (bits < least);
                return pickFromUnit(SeededRandom::unitFromBits(bits), top);
            } else {
                int n;
                do
                    n = pickFromOneTo(random, top);
                while (n <= bottom);
                return n;
            }
        };
        stir();
        std::array<int, 3> drawn{};
        for (std::size_t k = 0; k < drawn.size(); ++k) {
            int candidate;
            do
                candidate = draw();
            while (std::find(drawn.begin(), drawn.begin() + k, candidate) != drawn.begin() + k);
            drawn[k] = candidate;
        }
        // Three in order, without a call for so few.
        const auto order = [&](std::size_t i, std::size_t j) {
            const int low = std::min(drawn[i], drawn[j]);
            drawn[j] = std::max(drawn[i], drawn[j]);
            drawn[i] = low;
        };
        order(0, 1);
        order(1, 2);
        order(0, 1);
        // Each filled cell takes the number of its own rank: the column grows downwards.
        for (int r = 1; r <= Grid::Rows; ++r) {
            if (filled[static_cast<std::size_t>(r - 1)] & (1u << c))
                grid.at(r, c) = drawn[static_cast<std::size_t>(r - 1)];
        }
    }
    return grid;
}

void GridGenerator::run(int count, const std::function<void(GridSheet&&)>& store,
                        const std::function<void(int)>& progress)
{
    // Grids are stored four to a sheet: any other count would lose the last ones.
    if (count <= 0 || count % GridSheet::Grids != 0)
        throw std::invalid_argument("grid count must be a positive multiple of 4");
    GridSheet sheet;
    for (int g = 1; g <= count; ++g) {
        const int slot = (g - 1) % GridSheet::Grids + 1;
        if (progress)
            progress(g);
        if (slot == 1) {
            sheet.grille = g;
            for (int k = 0; k < GridSheet::Grids; ++k)
                sheet.numbers[static_cast<std::size_t>(k)] = gridNumberText(g + k);
        }
        sheet.grids[static_cast<std::size_t>(slot - 1)] = makeGrid();
        if (slot == GridSheet::Grids)
            store(std::move(sheet));
    }
}
