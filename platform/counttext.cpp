#include "counttext.h"

#include <QTextBoundaryFinder>

QString countText(qsizetype count, const QString& singular, const QString& plural)
{
    return QString::number(count) + u' ' + (count < 2 ? singular : plural);
}

int visibleLength(const QString& text)
{
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    int count = 0;
    while (finder.toNextBoundary() != -1)
        ++count;
    return count;
}
