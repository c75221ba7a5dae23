#include "entryformat.h"

#include <QRegularExpression>

#include <cmath>

using namespace Qt::StringLiterals;

QString formatGridEntry(const QString& answer)
{
    // Digits with an optional sign, decimal part (point or comma) and exponent.
    static const QRegularExpression numeric(
        u"^\\s*[+-]?([0-9]+([.,][0-9]*)?|[.,][0-9]+)([eE][+-]?[0-9]+)?\\s*\\z"_s);
    if (!numeric.match(answer).hasMatch())
        return answer;
    QString text = answer.trimmed();
    text.replace(u',', u'.');
    bool ok = false;
    const double value = text.toDouble(&ok);
    // Beyond this no whole number is exact, and none is a grid number anyway.
    if (!ok || !std::isfinite(value) || std::abs(value) >= 1e15)
        return answer;
    const long long whole = std::llround(value);
    const QString digits = QString::number(std::llabs(whole)).rightJustified(5, u'0');
    return whole < 0 ? u'-' + digits : digits;
}

QString entryForMessages(const QString& entry)
{
    constexpr qsizetype Longest = 20;
    if (entry.size() <= Longest)
        return entry;
    qsizetype kept = Longest - 1;
    if (entry[kept - 1].isHighSurrogate())
        --kept; // never half a character
    return entry.left(kept) + u'…';
}
