#include "wincheck.h"

#include "drawstate.h"

using namespace Qt::StringLiterals;

namespace WinCheck {

namespace {
QList<int> cellsOfRows(std::initializer_list<int> rows)
{
    QList<int> cells;
    for (int row : rows)
        for (int c = 1; c <= 9; ++c)
            cells.append(9 * (row - 1) + c);
    return cells;
}
} // namespace

int countDrawn(std::span<const int> numbers, const DrawState& state)
{
    int count = 0;
    for (int n : numbers) {
        if (state.isDrawn(n))
            ++count;
    }
    return count;
}

QString wholeGridWinner(const QString& entry)
{
    return u"La grille numéro "_s + entry + u" est gagnante !!"_s;
}

QString wholeGridLoser(const QString& entry, int count)
{
    const QString head = u"La grille numéro "_s + entry + u" n'est pas gagnante !!\n\n"_s;
    if (count == 0)
        return head + u"Il n'y a aucun numéro correspondant !!"_s;
    return head + u"Il n'y a que "_s + QString::number(count) + u" numéros correspondants !!"_s;
}

LineVerdict decideLines(int c1, int c2, int c3, const QString& entry)
{
    const QString grid = u" de la grille numéro "_s + entry;
    const auto two = [&](int a, int b) {
        return LineVerdict{true,
                           u"Les lignes %1 et %2"_s.arg(a).arg(b) + grid + u" sont gagnantes !!"_s,
                           cellsOfRows({a, b}),
                           {}};
    };
    const auto one = [&](int a) {
        return LineVerdict{
            true, u"La ligne %1"_s.arg(a) + grid + u" est gagnante !!"_s, cellsOfRows({a}), {}};
    };
    if (c1 == 5 && c2 == 5 && c3 == 5) {
        // The title names two lines; the third is marked and said under it.
        LineVerdict all = two(1, 2);
        all.redCells = cellsOfRows({1, 2, 3});
        all.note = u"La ligne 3 est complète elle aussi."_s;
        return all;
    }
    if (c1 == 5 && c2 == 5)
        return two(1, 2);
    if (c1 == 5 && c3 == 5)
        return two(1, 3);
    if (c2 == 5 && c3 == 5)
        return two(2, 3);
    if (c1 == 5)
        return one(1);
    if (c2 == 5)
        return one(2);
    if (c3 == 5)
        return one(3);
    return {false, u"Aucune ligne"_s + grid + u" n'est gagnante !!"_s, {}, {}};
}

} // namespace WinCheck
