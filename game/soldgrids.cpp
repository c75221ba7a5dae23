#include "soldgrids.h"

#include "platform/counttext.h"

#include <QStringList>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {
QString tooLong(const QString& what, int length)
{
    return what + u" %1 caractères : elle ne peut pas en dépasser %2.\nRegroupez les grilles qui "
                  "se suivent en plages, comme 1-350."_s.arg(length)
                      .arg(SoldGrids::MaxTextLength);
}

// A grid number as typed: digits only, never more than a grid file holds.
std::optional<int> gridNumber(QStringView text)
{
    const QStringView t = text.trimmed();
    if (t.isEmpty() || t.size() > 6)
        return std::nullopt;
    int value = 0;
    for (const QChar c : t) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
        value = value * 10 + (c.unicode() - u'0');
    }
    if (value < 1)
        return std::nullopt;
    return value;
}
} // namespace

std::optional<SoldGrids> SoldGrids::parse(const QString& text, QString* why)
{
    const auto refuse = [why](const QString& reason) -> std::optional<SoldGrids> {
        if (why)
            *why = reason;
        return std::nullopt;
    };
    // Refused whole: a list cut short would sell other grids than typed.
    if (const int length = visibleLength(text); length > MaxTextLength)
        return refuse(tooLong(u"La liste des grilles vendues compte"_s, length));
    SoldGrids sold;
    QList<QPair<int, int>> ranges;
    for (QStringView part : QStringView(text).split(u',')) {
        if (part.trimmed().isEmpty())
            continue;
        const qsizetype dash = part.indexOf(u'-');
        const std::optional<int> first = gridNumber(dash < 0 ? part : part.left(dash));
        const std::optional<int> last = dash < 0 ? first : gridNumber(part.mid(dash + 1));
        if (!first || !last)
            return refuse(u"« "_s + part.trimmed().toString().left(20) +
                          u" » n'est pas un numéro de grille ni une plage comme 1-350."_s);
        if (*last < *first)
            return refuse(u"La plage « "_s + part.trimmed().toString() +
                          u" » va à l'envers : écrivez le plus petit numéro en premier."_s);
        ranges.append({*first, *last});
    }
    std::sort(ranges.begin(), ranges.end());
    for (const auto& r : ranges) {
        if (!sold.m_ranges.isEmpty() && r.first <= sold.m_ranges.last().second + 1)
            sold.m_ranges.last().second = std::max(sold.m_ranges.last().second, r.second);
        else
            sold.m_ranges.append(r);
    }
    // As it is kept, "1, 3, 5": it must read back as it was accepted.
    if (const int length = int(sold.text().size()); length > MaxTextLength)
        return refuse(
            tooLong(u"La liste des grilles vendues, une fois mise en ordre, compterait"_s, length));
    return sold;
}

bool SoldGrids::contains(int grid) const
{
    if (m_ranges.isEmpty())
        return true;
    const auto it = std::upper_bound(m_ranges.begin(), m_ranges.end(), grid,
                                     [](int g, const QPair<int, int>& r) { return g < r.first; });
    return it != m_ranges.begin() && grid <= std::prev(it)->second;
}

QString SoldGrids::text() const
{
    QStringList parts;
    for (const auto& r : m_ranges)
        parts.append(r.first == r.second
                         ? QString::number(r.first)
                         : QString::number(r.first) + u'-' + QString::number(r.second));
    return parts.join(u", "_s);
}
