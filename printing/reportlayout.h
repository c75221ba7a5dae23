#pragma once

#include <QRectF>

struct ReportDefinition;

// Where each part of the report goes on a page, in millimetres from the
// corner of the printable area. No painting here: the renderer and the tests
// both ask.
class ReportLayout
{
public:
    // printable is the page's printable area, in millimetres.
    ReportLayout(const ReportDefinition& definition, const QSizeF& printable);

    int cardsPerPage() const { return 4 * m_sheetsPerPage; }
    QRectF heading() const;
    QRectF card(int indexOnPage) const;
    QRectF number(int indexOnPage) const;
    QRectF cell(int indexOnPage, int row, int column) const; // rows and columns from 1
    // Where the organiser cuts between this card and the next.
    qreal cutLine(int indexOnPage) const;

private:
    qreal m_width;
    qreal m_height;
    qreal m_headingHeight;
    bool m_headingAtBottom;
    qreal m_cardHeight;
    qreal m_gap;
    qreal m_numberHeight;
    int m_sheetsPerPage;
};
