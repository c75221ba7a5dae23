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
    // From the adjusted count and the date as typed, JJ/MM/AAAA.
    static GridFileName forDraw(int count, const QString& typedDate);
    QString fileName() const;
};

// The entry naming a grid file in the draw screen's list and title.
QString drawTitle(const GridFileName& name);
