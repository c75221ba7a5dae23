#include "grid.h"

QString gridNumberText(int number)
{
    return QStringLiteral("%1").arg(number, 5, 10, QLatin1Char('0'));
}
