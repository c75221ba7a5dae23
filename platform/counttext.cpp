#include "counttext.h"

QString countText(qsizetype count, const QString& singular, const QString& plural)
{
    return QString::number(count) + u' ' + (count < 2 ? singular : plural);
}
