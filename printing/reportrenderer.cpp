#include "reportrenderer.h"

#include "grids/cardcode.h"
#include "grids/gridfile.h"
#include "grids/gridfileerror.h"
#include "reportlayout.h"

#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPainterPath>
#include <QTextLayout>

using namespace Qt::StringLiterals;

ReportRenderer::ReportRenderer(ReportDefinition definition) : m_definition(std::move(definition)) {}

void ReportRenderer::setRange(int first, int last)
{
    m_range = std::pair(first, last);
}

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
    const ReportLayout layout(m_definition, design, !m_band.isEmpty());
    const PageFit fit = PageFit::of(design, printable);
    const int cardsPerPage = layout.cardsPerPage();
    const int cards = m_range ? m_range->second - m_range->first + 1 : file.sheetCount() * 4;
    const int pages = (cards + cardsPerPage - 1) / cardsPerPage;
    const std::optional<QByteArray> secret =
        m_definition.codePrefix.isEmpty() ? std::nullopt : file.cardSecret();

    QPainter painter;
    if (!painter.begin(&device))
        throw GridFileError(u"L'impression n'a pas pu commencer : l'imprimante ou le fichier "
                            "de destination est indisponible."_s);
    // Everything below is drawn in the report's own millimetres; the painter
    // shrinks it all alike, text and lines too.
    painter.translate(fit.offset * m_dotsPerMm);
    painter.scale(fit.scale, fit.scale);
    // Two digits at the largest sizes can be wider than a cell: they are
    // narrowed, never lowered.
    const QFontMetricsF cellMetrics(m_definition.cellFont, &device);
    const qreal widest = cellMetrics.horizontalAdvance(u"88"_s);
    const qreal cellWidth = toDevice(layout.cell(0, 1, 1)).width();
    m_cellStretch = widest > 0.8 * cellWidth ? 0.8 * cellWidth / widest : 1;
    for (std::size_t n = 0; n < m_cellTexts.size(); ++n) {
        m_cellTexts[n].text = QString::number(n);
        m_cellTexts[n].width = cellMetrics.horizontalAdvance(m_cellTexts[n].text);
        QTextLayout shaping(m_cellTexts[n].text, m_definition.cellFont, &device);
        shaping.beginLayout();
        QTextLine line = shaping.createLine();
        line.setNumColumns(m_cellTexts[n].text.size());
        shaping.endLayout();
        const qreal lineAscent = line.ascent();
        const QList<QGlyphRun> runs = shaping.glyphRuns();
        if (runs.size() != 1)
            continue;
        // From the baseline, as drawText takes it.
        QGlyphRun glyphs = runs.first();
        QList<QPointF> positions = glyphs.positions();
        for (QPointF& p : positions)
            p.ry() -= lineAscent;
        glyphs.setPositions(positions);
        m_cellTexts[n].glyphs = glyphs;
    }
    // Where a centred line of text has its baseline.
    m_cellBaseline = (cellMetrics.ascent() - cellMetrics.descent()) / 2;
    // The heading is the same on every page: laid out once, centred in its row.
    const QRectF headingRow = toDevice(layout.heading());
    QTextLayout headingText(heading, m_definition.headingFont, &device);
    QTextOption headingOption(m_definition.headingAlignment);
    headingOption.setWrapMode(QTextOption::NoWrap);
    headingText.setTextOption(headingOption);
    headingText.beginLayout();
    QTextLine headingLine = headingText.createLine();
    if (headingLine.isValid()) {
        headingLine.setLineWidth(headingRow.width());
        headingLine.setPosition(QPointF(0, (headingRow.height() - headingLine.height()) / 2));
    }
    headingText.endLayout();
    headingText.setPosition(headingRow.topLeft());

    int page = 0;
    int index = cardsPerPage; // forces the first page's heading
    file.forEachSheet([&](const GridSheet& sheet) {
        for (int k = 0; k < GridSheet::Grids; ++k) {
            const QString& number = sheet.numbers[std::size_t(k)];
            if (m_range && (number.toInt() < m_range->first || number.toInt() > m_range->second))
                continue;
            if (index == cardsPerPage) {
                if (page > 0 && !device.newPage())
                    throw GridFileError(u"L'impression s'est interrompue : l'imprimante ou le "
                                        "fichier de destination n'a plus accepté de page "
                                        "(disque plein ?)."_s);
                ++page;
                if (progress)
                    progress(page, pages);
                drawPageFrame(painter, layout, headingText);
                index = 0;
            }
            const Grid& grid = sheet.grids[std::size_t(k)];
            drawCard(
                painter, layout, index++,
                {number, &grid, secret ? CardCode::of(*secret, number.toInt(), grid) : QString()});
        }
    });
    if (!painter.end())
        throw GridFileError(u"L'impression n'a pas pu être terminée."_s);
}

void ReportRenderer::drawPageFrame(QPainter& painter, const ReportLayout& layout,
                                   const QTextLayout& heading) const
{
    const ReportDefinition& d = m_definition;
    painter.setPen(d.headingColour);
    heading.draw(&painter, QPointF());
    if (m_band.isEmpty())
        return;
    const QRectF band = toDevice(layout.band().adjusted(0, 1, 0, -1));
    qreal textLeft = band.left();
    if (!m_band.logo.isNull()) {
        QSizeF size = QSizeF(m_band.logo.size()).scaled(band.size() * 0.9, Qt::KeepAspectRatio);
        size.setWidth(qMin(size.width(), band.width() / 4));
        const QRectF logo(band.left(), band.center().y() - size.height() / 2, size.width(),
                          size.height());
        painter.drawImage(logo, m_band.logo);
        textLeft = logo.right() + 3 * m_dotsPerMm;
    }
    const QRectF text(textLeft, band.top(), band.right() - textLeft, band.height());
    painter.setPen(d.headingColour);
    QFont place = d.bandFont;
    place.setBold(false);
    place.setPointSizeF(d.bandFont.pointSizeF() * 0.85);
    if (m_band.place.isEmpty()) {
        painter.setFont(d.bandFont);
        painter.drawText(text, Qt::AlignLeft | Qt::AlignVCenter, m_band.name);
        return;
    }
    const QRectF top(text.left(), text.top(), text.width(), text.height() / 2);
    painter.setFont(d.bandFont);
    painter.drawText(top, Qt::AlignLeft | Qt::AlignBottom, m_band.name);
    painter.setFont(place);
    painter.drawText(top.translated(0, top.height()), Qt::AlignLeft | Qt::AlignTop, m_band.place);
}

void ReportRenderer::drawCard(QPainter& painter, const ReportLayout& layout, int index,
                              const Card& card) const
{
    const ReportDefinition& d = m_definition;
    painter.setFont(d.numberFont);
    painter.setPen(d.numberColour);
    const QRectF numberRow = toDevice(layout.number(index));
    painter.drawText(numberRow, Qt::AlignLeft | Qt::AlignVCenter, d.numberPrefix + card.number);
    // A millimetre in from the card's edge: a glyph's overhang stays on the paper.
    if (!card.code.isEmpty())
        painter.drawText(numberRow.adjusted(0, 0, -m_dotsPerMm, 0),
                         Qt::AlignRight | Qt::AlignVCenter, d.codePrefix + card.code);
    drawRules(painter, layout, index, *card.grid);
    drawCells(painter, layout, index, *card.grid);

    if (d.cutMarks && index + 1 < layout.cardsPerPage()) {
        QPen dashes(Qt::gray, 0.2 * m_dotsPerMm, Qt::DashLine);
        painter.setPen(dashes);
        const qreal y = layout.cutLine(index) * m_dotsPerMm;
        painter.drawLine(QPointF(numberRow.left(), y), QPointF(numberRow.right(), y));
    }
}

void ReportRenderer::drawRules(QPainter& painter, const ReportLayout& layout, int index,
                               const Grid& grid) const
{
    const ReportDefinition& d = m_definition;
    // Shade first, then rule over it, so every line stays crisp. Each goes
    // as one path: a page's document stays small.
    QPainterPath shaded;
    for (int r = 1; r <= Grid::Rows; ++r)
        for (int c = 1; c <= Grid::Columns; ++c)
            if (grid.at(r, c) == 0)
                shaded.addRect(toDevice(layout.cell(index, r, c)));
    painter.fillPath(shaded, d.emptyShade);

    painter.setPen(QPen(d.lineColour, d.lineWidth * m_dotsPerMm));
    painter.setBrush(Qt::NoBrush);
    const QRectF first = toDevice(layout.cell(index, 1, 1));
    const QRectF last = toDevice(layout.cell(index, 3, 9));
    const QRectF cells(first.topLeft(), last.bottomRight());
    std::array<QLineF, Grid::Columns + Grid::Rows + 2> lines;
    std::size_t count = 0;
    for (int c = 1; c < Grid::Columns; ++c) {
        const qreal x = toDevice(layout.cell(index, 1, c)).right();
        lines[count++] = QLineF(x, cells.top(), x, cells.bottom());
    }
    for (int r = 1; r < Grid::Rows; ++r) {
        const qreal y = toDevice(layout.cell(index, r, 1)).bottom();
        lines[count++] = QLineF(cells.left(), y, cells.right(), y);
    }
    painter.drawRect(cells);
    painter.drawLines(lines.data(), int(count));
}

void ReportRenderer::drawCells(QPainter& painter, const ReportLayout& layout, int index,
                               const Grid& grid) const
{
    painter.setFont(m_definition.cellFont);
    painter.setPen(m_definition.numberColour);
    // Narrowed numbers are drawn in one squeezed frame a card, and at their
    // baseline rather than in a box: no clip nor state change for each cell,
    // which would multiply the size of the document.
    const bool narrowed = m_cellStretch < 1;
    if (narrowed) {
        painter.save();
        painter.scale(m_cellStretch, 1);
    }
    for (int r = 1; r <= Grid::Rows; ++r)
        for (int c = 1; c <= Grid::Columns; ++c) {
            const int n = grid.at(r, c);
            if (n == 0)
                continue;
            CellText other;
            if (n < 0 || std::size_t(n) >= m_cellTexts.size())
                other = {QString::number(n),
                         QFontMetricsF(painter.font(), painter.device())
                             .horizontalAdvance(QString::number(n)),
                         {}};
            const CellText& text = other.text.isEmpty() ? m_cellTexts[std::size_t(n)] : other;
            const QPointF middle = toDevice(layout.cell(index, r, c)).center();
            const QPointF baseline(middle.x() / m_cellStretch - text.width / 2,
                                   middle.y() + m_cellBaseline);
            if (text.glyphs.isEmpty())
                painter.drawText(baseline, text.text);
            else
                painter.drawGlyphRun(baseline, text.glyphs);
        }
    if (narrowed)
        painter.restore();
}
