#pragma once

#include "grid.h"
#include "programme.h"

#include <QList>
#include <QVector>

#include <array>
#include <cstdint>

// Every grid of the evening's file held in memory, and after each number
// how many full lines each has: the winners of a phase are known at once,
// without reading the file again. A number costs only the grids holding it.
class WinnerWatch
{
public:
    // grids: (grid number, grid) pairs, as the file holds them.
    void load(const QList<QPair<int, Grid>>& grids);
    void setSold(const SoldGrids& sold);
    bool isEmpty() const { return m_numbers.isEmpty(); }
    int gridCount() const { return int(m_numbers.size()); }

    void draw(int n);
    void undo(int n);
    // Back to no number out, then these numbers in order.
    void replay(const QList<int>& sequence);

    // Sold grids with at least the lines the phase needs.
    int winnerCount(Phase phase) const { return m_winners[std::size_t(linesNeeded(phase) - 1)]; }
    QList<int> winners(Phase phase) const; // grid numbers, ascending

private:
    struct Place
    {
        std::int32_t grid; // index in m_numbers
        std::int8_t row;   // 0..2
    };
    void changeRow(const Place& place, int step);

    QVector<int> m_numbers;                      // grid numbers, by index
    QVector<std::uint8_t> m_sold;                // 1 when the grid counts
    QVector<std::array<std::uint8_t, 3>> m_rows; // numbers out per row
    QVector<std::uint8_t> m_lines;               // full lines per grid
    std::array<QVector<Place>, 91> m_places;     // where each number sits
    std::array<int, 3> m_winners{};              // sold grids with >= 1, 2, 3 lines
};
