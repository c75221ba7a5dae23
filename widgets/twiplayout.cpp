#include "twiplayout.h"

#include <cmath>

void TwipLayout::place(QWidget* widget, const QRect& twips, qreal fontPoints)
{
    m_entries.append({widget, twips, fontPoints});
    widget->setGeometry(toPixels(twips, m_pixelsPerTwip));
}

void TwipLayout::apply(qreal pixelsPerTwip)
{
    m_pixelsPerTwip = pixelsPerTwip;
    for (const Entry& entry : std::as_const(m_entries)) {
        if (!entry.widget)
            continue;
        entry.widget->setGeometry(toPixels(entry.twips, pixelsPerTwip));
        if (entry.fontPoints > 0) {
            QFont font = entry.widget->font();
            font.setPixelSize(fontPixels(entry.fontPoints, pixelsPerTwip));
            entry.widget->setFont(font);
        }
    }
}

QRect TwipLayout::toPixels(const QRect& twips, qreal pixelsPerTwip)
{
    // Edges are rounded rather than sizes, so neighbours keep sharing borders.
    const int left = qRound(twips.left() * pixelsPerTwip);
    const int top = qRound(twips.top() * pixelsPerTwip);
    const int right = qRound((twips.left() + twips.width()) * pixelsPerTwip);
    const int bottom = qRound((twips.top() + twips.height()) * pixelsPerTwip);
    return {left, top, std::max(1, right - left), std::max(1, bottom - top)};
}

int TwipLayout::fontPixels(qreal points, qreal pixelsPerTwip)
{
    return std::max(1, qRound(points * TwipsPerPoint * pixelsPerTwip));
}
