#pragma once

#include <QColor>
#include <QRect>

// Where the boards of the draw screen sit, in twips (15 to a pixel at design
// size), relative to the tab control that holds them.
namespace BoardGeometry {
QRect numericCell(int n);
QColor numericColumnColour(int n);
QRect chronoCell(int k);
QRect ordreLabel(int k);
QRect dernierLabel();
QRect suiviBox(int k);
} // namespace BoardGeometry
