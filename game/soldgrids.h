#pragma once

#include <QList>
#include <QPair>
#include <QString>

#include <optional>

// Grid numbers typed as ranges: "1-350, 401-480". Empty means every grid.
class SoldGrids
{
public:
    static constexpr int MaxTextLength = 2000;

    // nullopt with the reason, in French, when the text is not a list of ranges.
    static std::optional<SoldGrids> parse(const QString& text, QString* why = nullptr);

    bool isEveryGrid() const { return m_ranges.isEmpty(); }
    bool contains(int grid) const;
    const QList<QPair<int, int>>& ranges() const { return m_ranges; }
    // The ranges as the organiser reads them back: "1-350, 401-480".
    QString text() const;
    bool operator==(const SoldGrids&) const = default;

private:
    QList<QPair<int, int>> m_ranges; // sorted, merged, inclusive
};
