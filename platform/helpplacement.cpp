#include "helpplacement.h"

#include <algorithm>

namespace HelpPlacement {

QRect beside(const QRect& available, const QRect& keepInView)
{
    const QRect kept = keepInView.intersected(available);
    const int rightRoom = available.right() - kept.right();
    const int leftRoom = kept.left() - available.left();
    const int top = available.top();
    const int height = available.height();
    if (!kept.isEmpty() && std::max(rightRoom, leftRoom) >= NarrowestStrip) {
        if (rightRoom >= leftRoom)
            return {kept.right() + 1, top, std::min(rightRoom, WidestHelp), height};
        const int width = std::min(leftRoom, WidestHelp);
        return {kept.left() - width, top, width, height};
    }
    const int half = available.width() / 2;
    const bool keptOnTheRight = !kept.isEmpty() && kept.center().x() > available.center().x();
    return {keptOnTheRight ? available.left() : available.left() + available.width() - half, top,
            half, height};
}

} // namespace HelpPlacement
