#include "drawsnapshot.h"

#include "cardbook.h"
#include "game/drawseries.h"
#include "grids/gridsheet.h"
#include "platform/counttext.h"

#include <QJsonArray>
#include <QJsonDocument>

using namespace Qt::StringLiterals;

namespace {
QJsonArray numbersOf(const QList<int>& numbers)
{
    QJsonArray array;
    for (int n : numbers)
        array.append(n);
    return array;
}
} // namespace

QByteArray drawSnapshot(const DrawSeries& series, const SnapshotExtras& extras,
                        const CardBook& book)
{
    const QList<int>& out = series.state().sequence();
    QList<int> lastFive;
    for (auto k = out.size() - 1; k >= 0 && lastFive.size() < 5; --k)
        lastFive.append(out[k]);
    QJsonArray winners;
    for (const RecordedWin& win : series.eveningWins())
        winners.append(win.text());
    const QString& title = series.file().title;

    const QJsonObject state{
        {u"type"_s, u"etat"_s},
        {u"suivi"_s, true},
        {u"titre"_s, title},
        {u"organisateur"_s, extras.organiser},
        {u"numero"_s, out.isEmpty() ? QJsonValue() : QJsonValue(out.last())},
        {u"derniers"_s, numbersOf(lastFive)},
        {u"tires"_s, numbersOf(out)},
        {u"compte"_s, countText(out.size(), u"numéro tiré"_s, u"numéros tirés"_s)},
        // As the hall: no programme line for a draw without a file.
        {u"ligne"_s, title.isEmpty() ? QString() : series.hallLine()},
        {u"gagnants"_s, winners},
        {u"theme"_s, extras.theme},
        {u"grilles"_s, book.isOpen()},
        {u"pourquoiPasDeGrilles"_s, book.isOpen() ? QString() : book.whyClosed()},
    };
    return QJsonDocument(state).toJson(QJsonDocument::Compact);
}

QJsonObject cardSnapshot(int number, const Grid& grid, const DrawSeries& series)
{
    const CardStatus status = cardStatus(number, grid, series);
    QJsonArray cells;
    for (int n : grid.cells)
        cells.append(n);
    return {{u"n"_s, number},         {u"nom"_s, gridNumberText(number)},
            {u"cases"_s, cells},      {u"tires"_s, numbersOf(status.drawn)},
            {u"etat"_s, status.text}, {u"gagne"_s, status.wins}};
}

QJsonObject refusedCardSnapshot(int number, const QString& refusal)
{
    return {{u"n"_s, number}, {u"nom"_s, gridNumberText(number)}, {u"refus"_s, refusal}};
}

QByteArray endSnapshot()
{
    const QJsonObject end{{u"type"_s, u"fin"_s},
                          {u"message"_s, u"Le tirage n'est plus suivi sur les téléphones."_s}};
    return QJsonDocument(end).toJson(QJsonDocument::Compact);
}
