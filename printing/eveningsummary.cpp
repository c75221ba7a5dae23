#include "eveningsummary.h"

#include "drawreport.h"
#include "game/eveningresults.h"
#include "platform/counttext.h"
#include "platform/param.h"

#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QSet>

using namespace Qt::StringLiterals;

namespace {
constexpr qreal TitlePoints = 16;
constexpr qreal TextPoints = 10;
constexpr qreal SmallestPoints = 5;

QDateTime lastMoment(const RecordedSeries& s)
{
    QDateTime last = s.ended.isValid() ? s.ended : s.started;
    for (const RecordedEvent& e : s.events)
        last = std::max(last, e.at);
    for (const RecordedWin& w : s.wins)
        last = std::max(last, w.at);
    return last;
}

QFont font(qreal points, bool bold)
{
    QFont f(u"Arial"_s);
    f.setPointSizeF(points);
    f.setBold(bold);
    return f;
}
} // namespace

EveningSummary::EveningSummary(const QList<RecordedSeries>& series)
{
    const auto add = [this](bool heading, const QString& text) {
        m_lines.append({heading, text});
    };
    if (series.isEmpty())
        return;
    m_organiser = Organiser::read(Param::OrganiserFile());
    if (!m_organiser.line().isEmpty())
        add(false, u"Organisateur : "_s + m_organiser.line());
    const RecordedSeries& first = series.first();
    m_started = first.started;
    QDateTime end = first.started;
    Programme programme;
    QList<RecordedWin> wins;
    QMap<int, int> numbersPerGame;
    for (const RecordedSeries& s : series) {
        end = std::max(end, lastMoment(s));
        // The programme as it stood last: the one the evening ended with.
        if (s.programme)
            programme = *s.programme;
        wins += s.wins;
        // A game drawn again (its series abandoned, then played anew) counts
        // the numbers of the series that played it last.
        if (!s.sequence().isEmpty() || !numbersPerGame.contains(s.link.game))
            numbersPerGame[s.link.game] = int(s.sequence().size());
    }
    add(false, u"Grilles : "_s + first.displayTitle());
    add(false, u"Soirée du "_s + first.started.toString(u"dd/MM/yyyy"_s) + u", de "_s +
                   first.started.toString(u"hh:mm"_s) + u" à "_s + end.toString(u"hh:mm"_s));
    // Played: a game of the programme with numbers out, or with a winner.
    QList<int> played;
    for (auto it = numbersPerGame.cbegin(); it != numbersPerGame.cend(); ++it)
        if (it.key() >= 1 && it.key() <= programme.games.size() && it.value() > 0)
            played.append(it.key());
    for (const RecordedWin& win : std::as_const(wins))
        if (!played.contains(win.game))
            played.append(win.game);
    add(false,
        u"Parties jouées : %1 sur %2 au programme ; gagnants validés : %3"_s.arg(played.size())
            .arg(programme.games.size())
            .arg(wins.size()));
    if (!programme.sold.isEveryGrid())
        add(false, u"Grilles vendues : "_s + programme.sold.text());
    // Games not reached share one line: the page is for what happened.
    const QList<PhaseResult> results = eveningResults(programme, wins);
    const QSet<int> reached(played.begin(), played.end());
    for (qsizetype i = 0; i < results.size();) {
        const int game = results[i].game;
        if (!reached.contains(game)) {
            int last = game;
            while (i < results.size() && !reached.contains(results[i].game))
                last = results[i++].game;
            add(true, last == game ? u"Partie %1 - pas jouée"_s.arg(game)
                                   : u"Parties %1 à %2 - pas jouées"_s.arg(game).arg(last));
            continue;
        }
        add(true, u"Partie %1 - "_s.arg(game) +
                      countText(numbersPerGame.value(game), u"numéro tiré"_s, u"numéros tirés"_s));
        for (; i < results.size() && results[i].game == game; ++i)
            for (const QString& line : results[i].lines())
                add(false, line);
    }
}

QString EveningSummary::fileStem() const
{
    return u"Résumé de la soirée du "_s + m_started.toString(u"dd-MM-yyyy"_s);
}

void EveningSummary::render(QPagedPaintDevice& device) const
{
    DrawReport::setUpPage(device);
    QPainter painter(&device);
    const qreal width = device.width();
    const qreal height = device.height();
    // The largest text that holds on the page, title included.
    const auto spacing = [&](qreal points, bool bold) {
        return QFontMetricsF(font(points, bold), &device).lineSpacing();
    };
    qreal points = TextPoints;
    const auto needed = [&](qreal p) {
        qreal total = spacing(TitlePoints * p / TextPoints, true) * 1.5;
        for (const Line& line : m_lines)
            total += spacing(p, line.heading) * (line.heading ? 1.6 : 1.0);
        return total;
    };
    while (points > SmallestPoints && needed(points) > height)
        points -= 0.5;
    const qreal scale = points / TextPoints;
    qreal y = 0;
    painter.setFont(font(TitlePoints * scale, true));
    painter.drawText(QPointF(0, y + painter.fontMetrics().ascent()), u"Résumé de la soirée"_s);
    // The logo beside the title, opposite it.
    m_organiser.drawLogo(painter,
                         QRectF(width * 0.7, 0, width * 0.3, painter.fontMetrics().height() * 2));
    y += spacing(TitlePoints * scale, true) * 1.5;
    for (const Line& line : m_lines) {
        painter.setFont(font(points, line.heading));
        if (line.heading)
            y += spacing(points, true) * 0.6;
        if (y + spacing(points, line.heading) > height)
            break;
        painter.drawText(QPointF(0, y + painter.fontMetrics().ascent()),
                         painter.fontMetrics().elidedText(line.text, Qt::ElideRight, int(width)));
        y += spacing(points, line.heading);
    }
    painter.end();
}
