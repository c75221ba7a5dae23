#pragma once

#include "serieslabel.h"

// The evening's line on the draw screen, "Partie 2 - Double quine - Un
// panier garni", following the series; empty until a grid file is chosen.
class ProgrammeLine : public SeriesLabel
{
    Q_OBJECT

public:
    ProgrammeLine(const DrawSeries& series, QWidget* parent);

private:
    void refresh() override;
};
