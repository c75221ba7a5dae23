#include "phasecheck.h"

#include <algorithm>
#include <array>

using namespace Qt::StringLiterals;

QString ordinal(int rank)
{
    return rank == 1 ? u"1er"_s : QString::number(rank) + u'e';
}

namespace {
using Row = std::array<int, 5>;

std::array<Row, 3> rowsOf(const Grid& grid)
{
    std::array<Row, 3> rows{};
    for (int r = 1; r <= Grid::Rows; ++r) {
        int k = 0;
        for (int c = 1; c <= Grid::Columns && k < 5; ++c)
            if (grid.at(r, c) != 0)
                rows[std::size_t(r - 1)][std::size_t(k++)] = grid.at(r, c);
    }
    return rows;
}

// The rank (1-based) at which every number of the row was out, 0 if never.
int rankRowCompleted(const Row& row, const QList<int>& sequence)
{
    int last = 0;
    for (int n : row) {
        const qsizetype at = sequence.indexOf(n);
        if (n == 0 || at < 0)
            return 0;
        last = std::max(last, int(at) + 1);
    }
    return last;
}
} // namespace

PhaseCheck checkPhase(const Grid& grid, const QList<int>& sequence, Phase phase)
{
    PhaseCheck check;
    check.phase = phase;
    check.drawnCount = int(sequence.size());
    const std::array<Row, 3> rows = rowsOf(grid);
    std::array<int, 3> completed{};
    std::array<QList<int>, 3> lacking;
    for (std::size_t r = 0; r < 3; ++r) {
        completed[r] = rankRowCompleted(rows[r], sequence);
        for (int n : rows[r])
            if (n != 0 && !sequence.contains(n))
                lacking[r].append(n);
        if (completed[r] > 0)
            ++check.fullLines;
    }
    const int needed = linesNeeded(phase);
    check.wins = check.fullLines >= needed;
    // Rows ordered by how near they are to full: the phase is won by the
    // first `needed` of them, and at the latest of their completions.
    std::array<std::size_t, 3> order{0, 1, 2};
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        if (completed[a] && completed[b])
            return completed[a] < completed[b];
        if (completed[a] || completed[b])
            return completed[a] != 0;
        return lacking[a].size() < lacking[b].size();
    });
    if (check.wins) {
        check.completedAt = completed[order[std::size_t(needed - 1)]];
        check.completingNumber = sequence[check.completedAt - 1];
        return check;
    }
    for (int k = 0; k < needed; ++k)
        check.missing += lacking[order[std::size_t(k)]];
    std::sort(check.missing.begin(), check.missing.end());
    return check;
}

QString PhaseCheck::explanation() const
{
    QStringList lines;
    if (wins) {
        lines.append(u"Complète au "_s + ordinal(completedAt) + u" numéro tiré : le "_s +
                     QString::number(completingNumber));
        if (completedAt < drawnCount)
            lines.append(u"Gagnante depuis le "_s + ordinal(completedAt) + u" numéro"_s);
        return lines.join(u'\n');
    }
    if (phase == Phase::DoubleQuine && fullLines == 1)
        lines.append(u"Elle a une ligne ; il en faut deux pour la double quine."_s);
    lines.append(missingText());
    return lines.join(u'\n');
}

QString PhaseCheck::missingText() const
{
    QStringList numbers;
    for (int n : missing)
        numbers.append(QString::number(n));
    return u"Il manque : "_s + numbers.join(u' ');
}

QString PhaseCheck::shortOfPhase(const QString& entry) const
{
    if (wins || fullLines == 0)
        return {};
    const QString grid = u"La grille numéro "_s + entry;
    if (phase == Phase::DoubleQuine)
        return grid + u" n'a qu'une ligne : il en faut deux pour la double quine."_s;
    if (phase == Phase::CartonPlein)
        return grid + u" n'est pas pleine : en carton plein, c'est la grille entière qui gagne."_s;
    return {};
}
