#pragma once

#include "reportdefinition.h"

#include <functional>

class GridFile;
class QPagedPaintDevice;
class QPainter;
struct GridSheet;

// Draws a grid file's report: the heading on every page, then every sheet in
// GRILLE order, each card ruled like a loto card.
class ReportRenderer
{
public:
    explicit ReportRenderer(ReportDefinition definition);

    // progress(page, pages) before each page. Throws GridFileError.
    void render(QPagedPaintDevice& device, GridFile& file,
                const std::function<void(int, int)>& progress);
    // The same with the heading given, for a file whose TEMPO could not be written.
    void render(QPagedPaintDevice& device, GridFile& file, const QString& heading,
                const std::function<void(int, int)>& progress);

private:
    void drawCard(QPainter& painter, const class ReportLayout& layout, int index,
                  const QString& number, const struct Grid& grid) const;
    QSizeF setUpPage(QPagedPaintDevice& device) const;
    QRectF toDevice(const QRectF& mm) const;

    ReportDefinition m_definition;
    qreal m_dotsPerMm = 1;
};
