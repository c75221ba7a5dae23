#include "printoptions.h"

#include <QRegularExpression>

#include <limits>

using namespace Qt::StringLiterals;

QString PrintOptions::definitionFile() const
{
    const bool bigPrint = large && largeAllowed(cardsPerPage);
    if (cardsPerPage == 4 && !bigPrint)
        return u"LOTO2.DAT"_s;
    return u"LOTO2-"_s + QString::number(cardsPerPage) + (bigPrint ? u"G"_s : QString()) +
           u".DAT"_s;
}

namespace {
// A number of any length, so that a huge one is said to be outside the file
// rather than not a number.
std::optional<qulonglong> gridNumber(const QString& text)
{
    static const QRegularExpression digits(uR"(^\d+$)"_s);
    if (!digits.match(text).hasMatch())
        return std::nullopt;
    bool ok = false;
    const qulonglong n = text.toULongLong(&ok);
    return ok ? n : std::numeric_limits<qulonglong>::max();
}
} // namespace

GridRange GridRange::read(const QString& first, const QString& last, int gridCount)
{
    const QString texts[] = {first.trimmed(), last.trimmed()};
    qulonglong numbers[2] = {};
    for (int i = 0; i < 2; ++i) {
        const bool isFirst = i == 0;
        if (texts[i].isEmpty())
            return {std::nullopt,
                    isFirst ? u"Indiquez le numéro de la première grille à imprimer."_s
                            : u"Indiquez le numéro de la dernière grille à imprimer."_s,
                    isFirst};
        const std::optional<qulonglong> n = gridNumber(texts[i]);
        if (!n)
            return {std::nullopt,
                    u"« "_s + texts[i] +
                        u" » n'est pas un numéro de grille : indiquez un numéro de 1 à "_s +
                        QString::number(gridCount) + u"."_s,
                    isFirst};
        if (*n < 1 || *n > qulonglong(gridCount))
            return {std::nullopt,
                    u"Ce fichier contient les grilles 1 à "_s + QString::number(gridCount) +
                        u" : il n'a pas de grille n° "_s + texts[i] + u"."_s,
                    isFirst};
        numbers[i] = *n;
    }
    if (numbers[0] > numbers[1])
        return {std::nullopt,
                u"La première grille à imprimer ("_s + texts[0] + u") vient après la dernière ("_s +
                    texts[1] + u") : indiquez les grilles de la plus petite à la plus grande."_s,
                true};
    return {std::pair(int(numbers[0]), int(numbers[1])), {}, true};
}
