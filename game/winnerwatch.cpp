#include "winnerwatch.h"

#include <algorithm>

void WinnerWatch::load(const QList<QPair<int, Grid>>& grids)
{
    m_numbers.clear();
    for (auto& places : m_places)
        places.clear();
    m_numbers.reserve(grids.size());
    for (const auto& [number, grid] : grids) {
        const auto index = std::int32_t(m_numbers.size());
        m_numbers.append(number);
        for (int r = 1; r <= Grid::Rows; ++r)
            for (int c = 1; c <= Grid::Columns; ++c) {
                const int n = grid.at(r, c);
                if (n >= 1 && n <= 90)
                    m_places[std::size_t(n)].append({index, std::int8_t(r - 1)});
            }
    }
    m_sold.fill(1, m_numbers.size());
    m_rows.fill({0, 0, 0}, m_numbers.size());
    m_lines.fill(0, m_numbers.size());
    m_winners = {};
}

void WinnerWatch::setSold(const SoldGrids& sold)
{
    m_winners = {};
    for (qsizetype i = 0; i < m_numbers.size(); ++i) {
        m_sold[i] = sold.contains(m_numbers[i]) ? 1 : 0;
        if (m_sold[i])
            for (int k = 0; k < m_lines[i]; ++k)
                ++m_winners[std::size_t(k)];
    }
}

void WinnerWatch::changeRow(const Place& place, int step)
{
    std::uint8_t& out = m_rows[place.grid][std::size_t(place.row)];
    // A row is full at five numbers: the line count moves when it gets there
    // or leaves it.
    const bool wasFull = out == 5;
    out = std::uint8_t(out + step);
    const bool isFull = out == 5;
    if (wasFull == isFull)
        return;
    std::uint8_t& lines = m_lines[place.grid];
    if (isFull) {
        ++lines;
        if (m_sold[place.grid])
            ++m_winners[std::size_t(lines - 1)];
    } else {
        if (m_sold[place.grid])
            --m_winners[std::size_t(lines - 1)];
        --lines;
    }
}

void WinnerWatch::draw(int n)
{
    if (n < 1 || n > 90)
        return;
    for (const Place& place : m_places[std::size_t(n)])
        changeRow(place, +1);
}

void WinnerWatch::undo(int n)
{
    if (n < 1 || n > 90)
        return;
    for (const Place& place : m_places[std::size_t(n)])
        changeRow(place, -1);
}

void WinnerWatch::replay(const QList<int>& sequence)
{
    m_rows.fill({0, 0, 0});
    m_lines.fill(0);
    m_winners = {};
    for (int n : sequence)
        draw(n);
}

QList<int> WinnerWatch::winners(Phase phase) const
{
    const int needed = linesNeeded(phase);
    QList<int> found;
    for (qsizetype i = 0; i < m_numbers.size(); ++i)
        if (m_sold[i] && m_lines[i] >= needed)
            found.append(m_numbers[i]);
    std::sort(found.begin(), found.end());
    return found;
}
