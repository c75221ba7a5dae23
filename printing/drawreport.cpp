#include "drawreport.h"

#include "game/eveningresults.h"
#include "platform/counttext.h"
#include "platform/param.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>

using namespace Qt::StringLiterals;

namespace {
constexpr int Columns = 3; // of the number table
constexpr qreal MarginMm = 15;

QString dateTime(const QDateTime& at)
{
    return at.isValid() ? at.toString(u"dd/MM/yyyy à hh:mm:ss"_s) : u"-"_s;
}

QString time(const QDateTime& at)
{
    return at.isValid() ? at.toString(u"hh:mm:ss"_s) : u"--:--:--"_s;
}

// Which number events were taken back later, by their index among the events.
QList<bool> undoneNumbers(const QList<RecordedEvent>& events)
{
    QList<bool> undone(events.size(), false);
    QList<qsizetype> out;
    for (qsizetype i = 0; i < events.size(); ++i) {
        if (events[i].kind == RecordedEvent::Kind::Number)
            out.append(i);
        else if (events[i].kind == RecordedEvent::Kind::Undo && !out.isEmpty())
            undone[out.takeLast()] = true;
    }
    return undone;
}

QFont fontFor(int style)
{
    QFont font(u"Arial"_s);
    switch (style) {
    case 0: // title
        font.setPointSizeF(16);
        font.setBold(true);
        break;
    case 1: // heading
        font.setPointSizeF(11);
        font.setBold(true);
        break;
    default:
        font.setPointSizeF(9.5);
        break;
    }
    return font;
}
} // namespace

DrawReport::DrawReport(const RecordedSeries& series)
    : m_series(series), m_organiser(Organiser::read(Param::OrganiserFile()))
{
    build();
}

QString DrawReport::fileStem(const RecordedSeries& series)
{
    return u"Rapport du tirage du "_s + series.started.toString(u"dd-MM-yyyy 'à' hh'h'mm"_s);
}

void DrawReport::build()
{
    const auto add = [this](Style style, QStringList cells) {
        m_lines.append({style, std::move(cells)});
    };
    const RecordedSeries& s = m_series;
    add(Style::Title, {u"Rapport du tirage"_s});
    if (!m_organiser.line().isEmpty())
        add(Style::Text, {u"Organisateur : "_s + m_organiser.line()});
    add(Style::Text, {u"Tirage : "_s + s.displayTitle()});
    add(Style::Text,
        {u"Fichier de grilles : "_s + (s.file.fileName.isEmpty() ? u"aucun"_s : s.file.fileName)});
    if (!s.file.fingerprint.isEmpty())
        add(Style::Text, {u"Empreinte des grilles : "_s + s.file.fingerprint});
    add(Style::Text, {u"Début : "_s + dateTime(s.started)});
    add(Style::Text,
        {u"Fin : "_s + dateTime(s.ended) + u" (tirage "_s + stateLabel(s.state) + u")"_s});

    // The game of the evening it played, phase by phase, with its winners.
    if (s.link.game > 0 || !s.wins.isEmpty()) {
        add(Style::Heading,
            {s.link.game > 0 ? u"Partie %1 du programme"_s.arg(s.link.game) : u"Gagnants"_s});
        const QList<int> games = s.link.game > 0 ? QList<int>{s.link.game} : QList<int>();
        for (const PhaseResult& result :
             eveningResults(s.programme.value_or(Programme()), s.wins, games))
            for (const QString& line : result.lines())
                add(Style::Text, {line});
    }

    const QList<bool> undone = undoneNumbers(s.events);
    QStringList numbers, checks, undos;
    for (qsizetype i = 0; i < s.events.size(); ++i) {
        const RecordedEvent& e = s.events[i];
        switch (e.kind) {
        case RecordedEvent::Kind::Number:
            numbers << QStringList{QString::number(e.position) + u"."_s, QString::number(e.value),
                                   time(e.at), undone[i] ? u"annulé"_s : methodLabel(e.method)}
                           .join(u'\t');
            break;
        case RecordedEvent::Kind::Undo:
            undos << time(e.at) + u"   le "_s + QString::number(e.value) + u", "_s +
                         QString::number(e.position) + u"e numéro tiré, annulé"_s;
            break;
        case RecordedEvent::Kind::GridCheck:
        case RecordedEvent::Kind::LineCheck:
            checks << time(e.at) +
                          (e.kind == RecordedEvent::Kind::GridCheck ? u"   grille "_s
                                                                    : u"   ligne, grille "_s) +
                          e.entry + u" ("_s + countText(e.matches, u"tiré"_s, u"tirés"_s) +
                          u") : "_s + e.verdict.simplified();
            break;
        }
    }
    add(Style::Heading, {u"Numéros, dans l'ordre du tirage ("_s +
                         countText(s.sequence().size(), u"tiré"_s, u"tirés"_s) + u")"_s});
    if (numbers.isEmpty())
        add(Style::Text, {u"Aucun numéro tiré."_s});
    // Down the columns, as one reads a list: 1 to 30, then 31 to 60...
    const qsizetype rows = (numbers.size() + Columns - 1) / Columns;
    for (qsizetype r = 0; r < rows; ++r) {
        QStringList cells;
        for (qsizetype c = 0; c < Columns; ++c)
            cells << numbers.value(c * rows + r);
        add(Style::NumberRow, cells);
    }
    add(Style::Heading, {u"Vérifications"_s});
    if (checks.isEmpty())
        add(Style::Text, {u"Aucune vérification."_s});
    for (const QString& check : std::as_const(checks))
        add(Style::Text, {check});
    if (!undos.isEmpty()) {
        add(Style::Heading, {u"Annulations"_s});
        for (const QString& undo : std::as_const(undos))
            add(Style::Text, {undo});
    }
}

void DrawReport::setUpPage(QPagedPaintDevice& device)
{
    device.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(MarginMm, MarginMm, MarginMm, MarginMm),
                                     QPageLayout::Millimeter));
}

QList<DrawReport::Placed> DrawReport::paginate(QPainter& painter, qreal pageHeight) const
{
    // The footer's line stays free at the bottom of every page.
    const qreal bottom = pageHeight - 2 * QFontMetricsF(fontFor(2), painter.device()).height();
    QList<Placed> placed;
    int page = 0;
    qreal y = 0;
    for (qsizetype i = 0; i < m_lines.size(); ++i) {
        const Line& line = m_lines[i];
        const QFontMetricsF metrics(fontFor(int(line.style)), painter.device());
        const qreal gap = line.style == Style::Heading && y > 0 ? metrics.height() * 0.6 : 0;
        qreal needed = gap + metrics.lineSpacing();
        // A heading never ends a page alone.
        if (line.style == Style::Heading && i + 1 < m_lines.size())
            needed +=
                QFontMetricsF(fontFor(int(m_lines[i + 1].style)), painter.device()).lineSpacing();
        if (y > 0 && y + needed > bottom) {
            ++page;
            y = 0;
        } else {
            y += gap;
        }
        placed.append({page, y, &line});
        y += metrics.lineSpacing() * (line.style == Style::Title ? 1.5 : 1.0);
    }
    return placed;
}

int DrawReport::pageCount(QPagedPaintDevice& device) const
{
    QPainter painter(&device);
    const QList<Placed> placed = paginate(painter, device.height());
    painter.end();
    return placed.isEmpty() ? 1 : placed.last().page + 1;
}

void DrawReport::paintLine(QPainter& painter, const Line& line, qreal y, qreal width) const
{
    painter.setFont(fontFor(int(line.style)));
    const qreal ascent = painter.fontMetrics().ascent();
    if (line.style != Style::NumberRow) {
        const QString text =
            painter.fontMetrics().elidedText(line.cells.value(0), Qt::ElideRight, int(width));
        painter.drawText(QPointF(0, y + ascent), text);
        return;
    }
    // Each cell: rank and number right-aligned, then the time and the way.
    const qreal column = width / Columns;
    const qreal stops[] = {0.10, 0.22, 0.27, 0.62};
    for (qsizetype c = 0; c < line.cells.size(); ++c) {
        const QStringList fields = line.cells[c].split(u'\t');
        for (qsizetype f = 0; f < fields.size() && f < 4; ++f) {
            const qreal x = c * column + stops[f] * column;
            if (f < 2) {
                const QRectF box(c * column, y, x - c * column, painter.fontMetrics().height());
                painter.drawText(box, Qt::AlignRight | Qt::AlignTop, fields[f]);
            } else {
                painter.drawText(QPointF(x, y + ascent), fields[f]);
            }
        }
    }
}

void DrawReport::paintFooter(QPainter& painter, int page, int pages, qreal width,
                             qreal height) const
{
    painter.setFont(fontFor(2));
    const QString text = m_series.displayTitle() + u" - page "_s + QString::number(page + 1) +
                         u" / "_s + QString::number(pages);
    painter.drawText(
        QRectF(0, height - painter.fontMetrics().height(), width, painter.fontMetrics().height()),
        Qt::AlignHCenter | Qt::AlignBottom, text);
}

void DrawReport::render(QPagedPaintDevice& device) const
{
    QPainter painter(&device);
    const qreal width = device.width();
    const qreal height = device.height();
    const QList<Placed> placed = paginate(painter, height);
    const int pages = placed.isEmpty() ? 1 : placed.last().page + 1;
    // The logo beside the title, opposite it.
    painter.setFont(fontFor(0));
    m_organiser.drawLogo(painter,
                         QRectF(width * 0.7, 0, width * 0.3, painter.fontMetrics().height() * 2));
    int page = 0;
    for (const Placed& p : placed) {
        while (p.page > page) {
            paintFooter(painter, page, pages, width, height);
            device.newPage();
            ++page;
        }
        paintLine(painter, *p.line, p.y, width);
    }
    paintFooter(painter, page, pages, width, height);
    painter.end();
}
