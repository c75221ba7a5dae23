#pragma once

#include <QRectF>

struct ReportDefinition;

// How the report's page, drawn for the definition's paper, sits in the area
// a printer can really print: one scale for everything, never above 1, so
// nothing is cut; centred across, from the top.
struct PageFit
{
    qreal scale = 1;
    QPointF offset; // millimetres from the corner of the printable area

    static PageFit of(const QSizeF& design, const QSizeF& printable);
};

// Where each part of the report goes on the definition's page, in millimetres
// from the corner of its printable area. No painting here: the renderer and
// the tests both ask.
class ReportLayout
{
public:
    // printable is the printable area of the definition's page, in millimetres.
    // With the organiser's band, the cards close up to leave it its room.
    ReportLayout(const ReportDefinition& definition, const QSizeF& printable,
                 bool withBand = false);

    int cardsPerPage() const { return m_cardsPerPage; }
    QRectF heading() const;
    // Opposite the heading; empty without a band.
    QRectF band() const;
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
    qreal m_bandHeight;
    int m_cardsPerPage;
};
