#include "boardgeometry.h"

#include <array>

namespace BoardGeometry {

QRect numericCell(int n)
{
    // 90 sits under 89, on an eleventh row of its own.
    const int column = n == 90 ? 8 : n / 10;
    const int row = n == 90 ? 10 : n % 10;
    return {120 + 480 * column, 720 + 360 * row, 495, 375};
}

QColor numericColumnColour(int n)
{
    static const std::array<QColor, 9> colours = {
        QColor(192, 255, 255), QColor(192, 255, 192), QColor(255, 255, 255),
        QColor(255, 192, 255), QColor(255, 255, 224), QColor(224, 224, 224),
        QColor(192, 192, 255), QColor(255, 224, 192), QColor(255, 192, 192)};
    return colours[static_cast<std::size_t>(n == 90 ? 8 : n / 10)];
}

QRect chronoCell(int k)
{
    const int column = (k - 1) / 15;
    const int row = (k - 1) % 15;
    return {360 + 720 * column, 720 + 360 * row, 495, 375};
}

QRect ordreLabel(int k)
{
    const int column = (k - 1) / 15;
    const int row = (k - 1) % 15;
    return {120 + 720 * column, 840 + 360 * row, 240, 255};
}

QRect dernierLabel()
{
    return {240, 4800, 735, 255};
}

QRect suiviBox(int k)
{
    return {240 + 840 * k, 5040, 735, 735};
}

} // namespace BoardGeometry
