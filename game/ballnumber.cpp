#include "ballnumber.h"

#include "drawstate.h"

using namespace Qt::StringLiterals;

std::optional<int> parseBallNumber(const QString& typed)
{
    const QString text = typed.trimmed();
    if (text.isEmpty())
        return std::nullopt;
    // Leading zeros are accepted however many ("07", "0050"); what follows
    // them is at most two digits, so the value never overflows.
    int value = 0;
    int significant = 0;
    for (const QChar c : text) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
        if (value == 0 && c == u'0')
            continue;
        if (++significant > 2)
            return std::nullopt;
        value = value * 10 + (c.unicode() - u'0');
    }
    if (value < 1 || value > DrawState::Numbers)
        return std::nullopt;
    return value;
}

QString ballNumberRefusal()
{
    return u"Tapez un numéro de 1 à 90 !!"_s;
}

QString ballNumberAlreadyOut(int number)
{
    return u"Le numéro "_s + QString::number(number) + u" est déjà sorti !!"_s;
}
