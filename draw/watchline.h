#pragma once

#include "serieslabel.h"

// For the operator only: how many sold grids have what the current phase
// needs, "Gagnants possibles : 3 grilles", their numbers in the tool-tip.
// A claim can be judged plausible before it is typed, and a winner nobody
// called is seen.
class WatchLine : public SeriesLabel
{
    Q_OBJECT

public:
    WatchLine(const DrawSeries& series, QWidget* parent);

private:
    void refresh() override;
};
