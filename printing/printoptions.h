#pragma once

#include <QList>
#include <QString>

#include <optional>
#include <utility>

// How the organiser wants a grid file printed: how many cards a page, in
// large print or not, and which grids. Each layout is a report definition
// beside the program, so an organiser may change any of them.
struct PrintOptions
{
    int cardsPerPage = 4;
    bool large = false;
    std::optional<std::pair<int, int>> range; // grid numbers, both included; none for all

    static QList<int> cardChoices() { return {1, 2, 4, 6}; }
    // Large print needs the room of one or two cards a page.
    static bool largeAllowed(int cardsPerPage) { return cardsPerPage <= 2; }

    // LOTO2.DAT for four a page, as always; LOTO2-1G.DAT for one in large print.
    QString definitionFile() const;
};

// The two fields of a range, read against a file of gridCount grids numbered
// from 1: the range, or why it is refused and which field is at fault.
struct GridRange
{
    std::optional<std::pair<int, int>> range;
    QString refusal;
    bool firstAtFault = true;

    static GridRange read(const QString& first, const QString& last, int gridCount);
};
