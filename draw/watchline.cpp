#include "watchline.h"

#include "game/drawseries.h"
#include "grids/gridsheet.h"
#include "platform/counttext.h"

using namespace Qt::StringLiterals;

namespace {
// Enough numbers to read out in a hall; the rest are counted.
constexpr int ListedGrids = 40;
} // namespace

WatchLine::WatchLine(const DrawSeries& series, QWidget* parent)
    : SeriesLabel(series, u"GagnantsPossibles"_s, QColor(0, 100, 0), parent)
{
    refresh();
}

void WatchLine::refresh()
{
    if (!m_series.isWatching() || !m_series.isPhaseInPlay()) {
        setLine({});
        setToolTip({});
        setAccessibleDescription({});
        setAccessibleName(m_series.isWatching()
                              ? u"Gagnants possibles : aucune phase en jeu"_s
                              : u"Gagnants possibles : aucun fichier de grilles suivi"_s);
        return;
    }
    const int count = m_series.possibleWinners();
    const QString text = u"Gagnants possibles : "_s + countText(count, u"grille"_s, u"grilles"_s);
    setLine(text);
    setAccessibleName(text);
    const QList<int> grids = m_series.possibleWinnerGrids();
    QStringList numbers;
    for (qsizetype i = 0; i < std::min<qsizetype>(grids.size(), ListedGrids); ++i)
        numbers.append(gridNumberText(grids[i]));
    if (grids.size() > ListedGrids)
        numbers.append(u"et "_s + countText(grids.size() - ListedGrids, u"autre"_s, u"autres"_s));
    setToolTip(numbers.join(u", "_s));
    setAccessibleDescription(toolTip());
}
