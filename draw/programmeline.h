#pragma once

#include <QLabel>

class DrawSeries;

// The evening's line on the draw screen, "Partie 2 - Double quine - Un
// panier garni", following the series; empty until a grid file is chosen.
class ProgrammeLine : public QLabel
{
    Q_OBJECT

public:
    ProgrammeLine(const DrawSeries& series, QWidget* parent);

private:
    void refresh();

    const DrawSeries& m_series;
};
