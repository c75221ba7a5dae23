#include "reportlayout.h"

#include "reportdefinition.h"

#include <algorithm>

PageFit PageFit::of(const QSizeF& design, const QSizeF& printable)
{
    const qreal scale = std::min(
        {qreal(1), printable.width() / design.width(), printable.height() / design.height()});
    return {scale, QPointF((printable.width() - design.width() * scale) / 2, 0)};
}

ReportLayout::ReportLayout(const ReportDefinition& definition, const QSizeF& printable,
                           bool withBand)
    : m_width(printable.width()), m_height(printable.height()),
      m_headingHeight(definition.headingHeight), m_headingAtBottom(definition.headingAtBottom),
      m_cardHeight(definition.cardHeight), m_gap(definition.cardGap),
      m_numberHeight(definition.numberHeight), m_bandHeight(withBand ? definition.bandHeight : 0),
      m_cardsPerPage(definition.cardsPerPage)
{
    if (!withBand)
        return;
    // The band takes its height from the cards and their gaps alike.
    const qreal room = m_height - m_headingHeight - m_bandHeight;
    const qreal needed = m_cardsPerPage * m_cardHeight + (m_cardsPerPage - 1) * m_gap;
    if (needed > room && needed > 0) {
        const qreal k = room / needed;
        m_cardHeight *= k;
        m_gap *= k;
        m_numberHeight *= k;
    }
}

QRectF ReportLayout::band() const
{
    if (m_bandHeight <= 0)
        return {};
    return {0, m_headingAtBottom ? 0 : m_height - m_bandHeight, m_width, m_bandHeight};
}

QRectF ReportLayout::heading() const
{
    return {0, m_headingAtBottom ? m_height - m_headingHeight : 0, m_width, m_headingHeight};
}

QRectF ReportLayout::card(int indexOnPage) const
{
    // Cards start right under a heading at the top, or at the top of the page.
    const qreal first = m_headingAtBottom ? m_bandHeight : m_headingHeight;
    return {0, first + indexOnPage * (m_cardHeight + m_gap), m_width, m_cardHeight};
}

QRectF ReportLayout::number(int indexOnPage) const
{
    const QRectF c = card(indexOnPage);
    return {c.left(), c.top(), c.width(), m_numberHeight};
}

QRectF ReportLayout::cell(int indexOnPage, int row, int column) const
{
    const QRectF c = card(indexOnPage);
    const qreal w = c.width() / 9;
    const qreal h = (c.height() - m_numberHeight) / 3;
    return {c.left() + (column - 1) * w, c.top() + m_numberHeight + (row - 1) * h, w, h};
}

qreal ReportLayout::cutLine(int indexOnPage) const
{
    return card(indexOnPage).bottom() + m_gap / 2;
}
