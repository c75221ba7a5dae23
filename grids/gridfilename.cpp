#include "gridfilename.h"

#include <QRegularExpression>

using namespace Qt::StringLiterals;

std::optional<GridFileName> GridFileName::parse(const QString& fileName)
{
    static const QRegularExpression pattern(
        u"^([1-9][0-9]{0,4})-([0-9]{2}-[0-9]{2}-[0-9]{4})\\.dat\\z"_s,
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = pattern.match(fileName);
    if (!match.hasMatch())
        return std::nullopt;
    return GridFileName{match.captured(1).toInt(), match.captured(2)};
}

std::optional<GridFileName> GridFileName::fromDrawTitle(const QString& title)
{
    const qsizetype end = title.indexOf(u" grilles"_s);
    if (!title.startsWith(u"Tirage du "_s) || end < 24 || title.mid(20, 3) != u" - "_s)
        return std::nullopt;
    // Rebuilt as a file name, the pieces must make a grid file's name again.
    return parse(title.mid(23, end - 23) + u'-' + title.mid(10, 10) + u".DAT"_s);
}

GridFileName GridFileName::forDraw(int count, const QString& typedDate)
{
    return {count, typedDate.mid(0, 2) + u'-' + typedDate.mid(3, 2) + u'-' + typedDate.mid(6, 4)};
}

QString GridFileName::fileName() const
{
    return QString::number(count) + u'-' + date + u".DAT"_s;
}

QString drawTitle(const GridFileName& name)
{
    return u"Tirage du "_s + name.date + u" - "_s + QString::number(name.count) + u" grilles"_s;
}
