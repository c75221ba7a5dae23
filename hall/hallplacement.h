#pragma once

#include <QList>
#include <QRect>

#include <optional>

// Where the hall display goes, from the screens the desktop has. With a
// screen of its own (a projector, a television) it fills it; sharing the
// operator's only screen it is an ordinary window, kept wherever the
// operator moved it as long as enough of it can still be seen.
struct HallPlacement
{
    int screen = -1; // index in the list given
    bool fullScreen = false;
    QRect geometry;

    bool operator==(const HallPlacement&) const = default;
};

// screens: each screen's available area, in the desktop's coordinates;
// operatorScreen: the screen of the draw screen; current: where the hall
// window is now, when it is open as a window.
HallPlacement placeHall(const QList<QRect>& screens, int operatorScreen,
                        std::optional<QRect> current = std::nullopt);
