#pragma once

#include "reportdefinition.h"

#include <QByteArray>
#include <QGlyphRun>
#include <QImage>

#include <array>
#include <functional>
#include <optional>

class GridFile;
class QPagedPaintDevice;
class QPainter;
class QTextLayout;
class ReportLayout;
struct Grid;
struct GridSheet;

// The organiser's band at the foot of every page: a name, a place, a logo.
struct ReportBand
{
    QString name;
    QString place;
    QImage logo; // null for none

    bool isEmpty() const { return name.isEmpty() && place.isEmpty() && logo.isNull(); }
};

// Draws a grid file's report: the heading on every page, then every sheet in
// GRILLE order, each card ruled like a loto card, with its control code when
// the file has a secret.
class ReportRenderer
{
public:
    explicit ReportRenderer(ReportDefinition definition);

    // Only the grids numbered first to last, both included.
    void setRange(int first, int last);
    void setBand(ReportBand band) { m_band = std::move(band); }

    // progress(page, pages) before each page. Throws GridFileError.
    void render(QPagedPaintDevice& device, GridFile& file,
                const std::function<void(int, int)>& progress);
    // The same with the heading given, for a file whose TEMPO could not be written.
    void render(QPagedPaintDevice& device, GridFile& file, const QString& heading,
                const std::function<void(int, int)>& progress);

private:
    struct Card
    {
        QString number;
        const Grid* grid;
        QString code;
    };
    void drawCard(QPainter& painter, const ReportLayout& layout, int index, const Card& card) const;
    void drawRules(QPainter& painter, const ReportLayout& layout, int index,
                   const Grid& grid) const;
    void drawCells(QPainter& painter, const ReportLayout& layout, int index,
                   const Grid& grid) const;
    void drawPageFrame(QPainter& painter, const ReportLayout& layout,
                       const QTextLayout& heading) const;
    QSizeF setUpPage(QPagedPaintDevice& device) const;
    QRectF toDevice(const QRectF& mm) const;

    ReportDefinition m_definition;
    std::optional<std::pair<int, int>> m_range;
    ReportBand m_band;
    qreal m_dotsPerMm = 1;
    qreal m_cellStretch = 1; // across, for numbers wider than their cell
    // Each cell's number laid out once a print, for its tens of thousands of cells.
    struct CellText
    {
        QString text;
        qreal width = 0;
        QGlyphRun glyphs; // shaped once
    };
    std::array<CellText, 100> m_cellTexts;
    qreal m_cellBaseline = 0; // below a cell's middle
};
