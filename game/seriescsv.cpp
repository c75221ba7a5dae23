#include "seriescsv.h"

#include <QStringList>

using namespace Qt::StringLiterals;

namespace {
QString field(QString text)
{
    // A spreadsheet would run a cell beginning like a formula.
    if (!text.isEmpty() && QStringView(u"=+-@").contains(text.front()))
        text.prepend(u'\'');
    if (text.contains(u';') || text.contains(u'"') || text.contains(u'\n') ||
        text.contains(u'\r')) {
        text.replace(u"\""_s, u"\"\""_s);
        return u'"' + text + u'"';
    }
    return text;
}

QString number(int value, bool shown)
{
    return shown ? QString::number(value) : QString();
}
} // namespace

QByteArray seriesCsv(const RecordedSeries& series)
{
    QStringList rows;
    rows << u"Tirage;Date;Heure;Événement;Rang;Numéro;Manière;Grille;Verdict;Numéros tirés "
            "de la grille"_s;
    const QString title = field(series.displayTitle());
    for (const RecordedEvent& e : series.events) {
        const bool check =
            e.kind == RecordedEvent::Kind::GridCheck || e.kind == RecordedEvent::Kind::LineCheck;
        const QStringList cells{
            title,
            e.at.toString(u"dd/MM/yyyy"_s),
            e.at.toString(u"hh:mm:ss"_s),
            kindLabel(e.kind),
            number(e.position, !check),
            number(e.value, !check),
            e.kind == RecordedEvent::Kind::Number ? methodLabel(e.method) : QString(),
            field(e.entry),
            field(e.verdict),
            number(e.matches, check),
        };
        rows << cells.join(u';');
    }
    return "\xEF\xBB\xBF" + rows.join(u"\r\n"_s).toUtf8() + "\r\n";
}
