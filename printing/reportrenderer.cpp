#include "reportrenderer.h"

#include "grids/gridfile.h"
#include "grids/gridfileerror.h"
#include "reportlayout.h"

#include <QPagedPaintDevice>
#include <QPainter>

using namespace Qt::StringLiterals;

ReportRenderer::ReportRenderer(ReportDefinition definition) : m_definition(std::move(definition)) {}

QRectF ReportRenderer::toDevice(const QRectF& mm) const
{
    return {mm.left() * m_dotsPerMm, mm.top() * m_dotsPerMm, mm.width() * m_dotsPerMm,
            mm.height() * m_dotsPerMm};
}

QSizeF ReportRenderer::setUpPage(QPagedPaintDevice& device) const
{
    // The paper is the one in the printer's tray. The report only sets the
    // orientation, and widens the printer's margins where its own are wider.
    device.setPageOrientation(m_definition.pageLayout.orientation());
    const QMarginsF printer = device.pageLayout().margins(QPageLayout::Millimeter);
    const QMarginsF report = m_definition.pageLayout.margins(QPageLayout::Millimeter);
    device.setPageMargins(
        QMarginsF(qMax(printer.left(), report.left()), qMax(printer.top(), report.top()),
                  qMax(printer.right(), report.right()), qMax(printer.bottom(), report.bottom())),
        QPageLayout::Millimeter);
    // What the printer accepted, whatever was asked.
    return device.pageLayout().paintRect(QPageLayout::Millimeter).size();
}

void ReportRenderer::render(QPagedPaintDevice& device, GridFile& file,
                            const std::function<void(int, int)>& progress)
{
    const QStringList tempo = file.tempoRows();
    render(device, file, tempo.isEmpty() ? QString() : tempo.first(), progress);
}

void ReportRenderer::render(QPagedPaintDevice& device, GridFile& file, const QString& heading,
                            const std::function<void(int, int)>& progress)
{
    const QSizeF printable = setUpPage(device);
    if (printable.isEmpty())
        throw GridFileError(u"L'imprimante ne laisse aucune place pour imprimer sur la page : "
                            "vérifiez le format du papier et les marges."_s);
    m_dotsPerMm = device.logicalDpiX() / 25.4;
    const QSizeF design = m_definition.pageLayout.paintRect(QPageLayout::Millimeter).size();
    const ReportLayout layout(m_definition, design);
    const PageFit fit = PageFit::of(design, printable);
    const int cardsPerPage = layout.cardsPerPage();
    const int pages = (file.sheetCount() * 4 + cardsPerPage - 1) / cardsPerPage;

    QPainter painter;
    if (!painter.begin(&device))
        throw GridFileError(u"L'impression n'a pas pu commencer : l'imprimante ou le fichier "
                            "de destination est indisponible."_s);
    // Everything below is drawn in the report's own millimetres; the painter
    // shrinks it all alike, text and lines too.
    painter.translate(fit.offset * m_dotsPerMm);
    painter.scale(fit.scale, fit.scale);
    int page = 0;
    int index = cardsPerPage; // forces the first page's heading
    file.forEachSheet([&](const GridSheet& sheet) {
        for (int k = 0; k < GridSheet::Grids; ++k) {
            if (index == cardsPerPage) {
                if (page > 0 && !device.newPage())
                    throw GridFileError(u"L'impression s'est interrompue : l'imprimante ou le "
                                        "fichier de destination n'a plus accepté de page "
                                        "(disque plein ?)."_s);
                if (progress)
                    progress(++page, pages);
                painter.setFont(m_definition.headingFont);
                painter.setPen(m_definition.headingColour);
                painter.drawText(toDevice(layout.heading()),
                                 int(m_definition.headingAlignment | Qt::AlignVCenter), heading);
                index = 0;
            }
            drawCard(painter, layout, index++, sheet.numbers[std::size_t(k)],
                     sheet.grids[std::size_t(k)]);
        }
    });
    if (!painter.end())
        throw GridFileError(u"L'impression n'a pas pu être terminée."_s);
}

void ReportRenderer::drawCard(QPainter& painter, const ReportLayout& layout, int index,
                              const QString& number, const Grid& grid) const
{
    const ReportDefinition& d = m_definition;
    painter.setFont(d.numberFont);
    painter.setPen(d.numberColour);
    painter.drawText(toDevice(layout.number(index)), Qt::AlignLeft | Qt::AlignVCenter,
                     d.numberPrefix + number);

    // Shade first, then rule over it, so every line stays crisp.
    for (int r = 1; r <= Grid::Rows; ++r)
        for (int c = 1; c <= Grid::Columns; ++c)
            if (grid.at(r, c) == 0)
                painter.fillRect(toDevice(layout.cell(index, r, c)), d.emptyShade);

    painter.setPen(QPen(d.lineColour, d.lineWidth * m_dotsPerMm));
    const QRectF first = toDevice(layout.cell(index, 1, 1));
    const QRectF last = toDevice(layout.cell(index, 3, 9));
    const QRectF cells(first.topLeft(), last.bottomRight());
    painter.drawRect(cells);
    for (int c = 1; c < Grid::Columns; ++c) {
        const qreal x = toDevice(layout.cell(index, 1, c)).right();
        painter.drawLine(QPointF(x, cells.top()), QPointF(x, cells.bottom()));
    }
    for (int r = 1; r < Grid::Rows; ++r) {
        const qreal y = toDevice(layout.cell(index, r, 1)).bottom();
        painter.drawLine(QPointF(cells.left(), y), QPointF(cells.right(), y));
    }

    painter.setFont(d.cellFont);
    painter.setPen(d.numberColour);
    for (int r = 1; r <= Grid::Rows; ++r)
        for (int c = 1; c <= Grid::Columns; ++c)
            if (const int n = grid.at(r, c))
                painter.drawText(toDevice(layout.cell(index, r, c)), Qt::AlignCenter,
                                 QString::number(n));

    if (d.cutMarks && index + 1 < layout.cardsPerPage()) {
        QPen dashes(Qt::gray, 0.2 * m_dotsPerMm, Qt::DashLine);
        painter.setPen(dashes);
        const qreal y = layout.cutLine(index) * m_dotsPerMm;
        painter.drawLine(QPointF(cells.left(), y), QPointF(cells.right(), y));
    }
}
