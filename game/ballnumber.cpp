#include "ballnumber.h"

#include "drawstate.h"

using namespace Qt::StringLiterals;

std::optional<int> parseBallNumber(const QString& typed)
{
    const QString text = typed.trimmed();
    // Leading zeros are accepted ("07"), but never so many that the value
    // could be anything but a short number.
    if (text.isEmpty() || text.size() > 3)
        return std::nullopt;
    int value = 0;
    for (const QChar c : text) {
        if (c < u'0' || c > u'9')
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
