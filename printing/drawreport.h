#pragma once

#include "evening/organiser.h"
#include "game/seriesrecord.h"

#include <QList>
#include <QString>

class QPagedPaintDevice;
class QPainter;

// The report of one recorded series, to settle a dispute: the draw, its grid
// file and fingerprint, every number in order with its time and way, every
// check with its verdict and every undo, on numbered A4 pages. A series of 90
// numbers with a few checks holds on one page.
class DrawReport
{
public:
    explicit DrawReport(const RecordedSeries& series);

    // Sets the device to A4 portrait with the report's margins.
    static void setUpPage(QPagedPaintDevice& device);
    // The pages the report takes on that device.
    int pageCount(QPagedPaintDevice& device) const;
    // Paints every page; the device must have been set up.
    void render(QPagedPaintDevice& device) const;

    // "Rapport du tirage du 24-12-2026 à 20h31.pdf"
    static QString fileStem(const RecordedSeries& series);

private:
    enum class Style { Title, Heading, Text, NumberRow };
    struct Line
    {
        Style style;
        QStringList cells; // one, or a cell per column of a number row
    };
    struct Placed
    {
        int page;
        qreal y;
        const Line* line;
    };

    void build();
    QList<Placed> paginate(QPainter& painter, qreal pageHeight) const;
    void paintLine(QPainter& painter, const Line& line, qreal y, qreal width) const;
    void paintFooter(QPainter& painter, int page, int pages, qreal width, qreal height) const;

    RecordedSeries m_series;
    QList<Line> m_lines;
    Organiser m_organiser; // on the first page, when set
};
