#pragma once

#include "game/seriesrecord.h"

#include <QString>

class DrawSeries;
class QWidget;
struct Programme;
struct Services;

// How a series gets its grid file: the file checked and its grids read for
// the watch, its programme loaded, and, when an evening was played with it
// in the past hours, the choice of going on with that evening.
class SeriesOpening
{
public:
    SeriesOpening(Services& services, DrawSeries& series, QWidget* parent);

    // False, with the reason said, when the file cannot be used.
    bool chooseFile(const QString& title);
    // An interrupted series taken up again; checkable: its grids are still the players'.
    void resume(const RecordedSeries& found, bool checkable);

private:
    Programme programmeOf(const QString& gridFileName);

    Services& m_services;
    DrawSeries& m_series;
    QWidget* m_parent;
};
