#pragma once

#include "game/seriesrecord.h"
#include "grids/gridsheet.h"

#include <QList>
#include <QPair>

#include <QString>

// The grid file a draw is tied to: checked whole when the operator chooses
// it, and again when an interrupted draw resumes.
namespace DrawGridFile {
// The file the title names, checked; throws GridFileError with the message.
// Its grids, numbered, go into grids when asked for.
SeriesFile choose(const QString& appPath, const QString& title,
                  QList<QPair<int, Grid>>* grids = nullptr);
// Why the grids of a resumed series are no longer the players' (the file is
// gone, damaged or made again); empty when they still are.
QString whyNotCheckable(const QString& appPath, const SeriesFile& file);
} // namespace DrawGridFile
