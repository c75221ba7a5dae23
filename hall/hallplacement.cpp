#include "hallplacement.h"

namespace {
qint64 area(const QRect& r)
{
    return qint64(r.width()) * r.height();
}

// The window opened on a shared screen: two thirds of it, in the middle.
QRect windowOn(const QRect& screen)
{
    const QSize size(screen.width() * 2 / 3, screen.height() * 2 / 3);
    return QRect(screen.center() - QPoint(size.width() / 2, size.height() / 2), size);
}

// Enough of the window shows on that screen to be grabbed and moved back.
bool stillReachable(const QRect& window, const QRect& screen)
{
    if (window.width() > screen.width() || window.height() > screen.height())
        return false;
    const QRect seen = window.intersected(screen);
    return seen.width() >= std::min(200, window.width()) &&
           seen.height() >= std::min(120, window.height()) && seen.top() == window.top();
}
} // namespace

HallPlacement placeHall(const QList<QRect>& screens, int operatorScreen,
                        std::optional<QRect> current)
{
    if (screens.isEmpty())
        return {};
    if (operatorScreen < 0 || operatorScreen >= screens.size())
        operatorScreen = 0;

    // The largest screen besides the operator's: a projector rather than a
    // small monitor left plugged in.
    int hall = -1;
    for (int i = 0; i < screens.size(); ++i) {
        if (i == operatorScreen || screens[i].isEmpty())
            continue;
        if (hall < 0 || area(screens[i]) > area(screens[hall]))
            hall = i;
    }
    if (hall >= 0)
        return {hall, true, screens[hall]};

    const QRect shared = screens[operatorScreen];
    if (current && current->isValid() && stillReachable(*current, shared))
        return {operatorScreen, false, *current};
    return {operatorScreen, false, windowOn(shared)};
}
