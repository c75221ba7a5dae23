#include "cardbook.h"

#include "game/drawseries.h"
#include "game/phasecheck.h"
#include "grids/cardcode.h"
#include "grids/gridsheet.h"

using namespace Qt::StringLiterals;

CardBook::CardBook(QByteArray secret, QHash<int, Grid> grids)
    : m_secret(std::move(secret)), m_grids(std::move(grids))
{}

CardBook CardBook::closed(const QString& why)
{
    CardBook book;
    book.m_whyClosed = why;
    return book;
}

std::optional<Grid> CardBook::find(int number, const QString& typedCode, QString* refusal) const
{
    const auto grid = m_grids.constFind(number);
    if (!isOpen())
        *refusal = m_whyClosed;
    else if (grid == m_grids.constEnd())
        *refusal = u"Il n'y a pas de grille "_s + gridNumberText(number) + u" ce soir."_s;
    // The same words for a code mistyped and a card never printed: a guesser
    // learns nothing of which grids exist with a valid code.
    else if (CardCode::normalised(typedCode) != CardCode::of(m_secret, number, *grid))
        *refusal = u"Ce code ne correspond pas à la grille "_s + gridNumberText(number) + u'.';
    else
        return *grid;
    return std::nullopt;
}

CardStatus cardStatus(int number, const Grid& grid, const DrawSeries& series)
{
    CardStatus status;
    const DrawState& state = series.state();
    for (int n : grid.cells)
        if (n != 0 && state.isDrawn(n))
            status.drawn.append(n);
    if (series.evening().isOver()) {
        status.text = u"Programme terminé"_s;
        return status;
    }
    const Phase phase = series.evening().phase();
    const PhaseCheck check = checkPhase(grid, state.sequence(), phase);
    status.wins = check.wins;
    if (check.wins)
        status.text =
            phaseLabel(phase) + u" sur la grille "_s + gridNumberText(number) + u" : criez-le !"_s;
    else if (check.missing.size() == 1)
        status.text =
            u"Plus qu'un numéro : le "_s + QString::number(check.missing.first()) + u" !"_s;
    else
        status.text = u"Il manque "_s + QString::number(check.missing.size()) + u" numéros"_s;
    return status;
}
