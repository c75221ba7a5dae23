#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// The name of a grid file: count-DD-MM-YYYY.DAT, as the generator writes it.
struct GridFileName
{
    int count = 0;
    QString date; // DD-MM-YYYY, hyphens as in the name

    // Only names of that exact form are grid files; the extension may be in any case.
    static std::optional<GridFileName> parse(const QString& fileName);
    // Back from the draw screen's title "Tirage du DD-MM-YYYY - N grilles":
    // the date at characters 11 to 20, the count from character 24 up to " grilles".
    static std::optional<GridFileName> fromDrawTitle(const QString& title);
    // From the adjusted count and the date as typed, JJ/MM/AAAA.
    static GridFileName forDraw(int count, const QString& typedDate);
    QString fileName() const;
};

// The entry naming a grid file in the draw screen's list and title.
QString drawTitle(const GridFileName& name);
