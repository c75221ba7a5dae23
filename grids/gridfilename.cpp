#include "gridfilename.h"

#include <QDir>
#include <QRegularExpression>

using namespace Qt::StringLiterals;

std::optional<GridFileName> GridFileName::parse(const QString& fileName)
{
    static const QRegularExpression pattern(
        u"^([1-9][0-9]{0,4})-([0-9]{2}-[0-9]{2}-[0-9]{4})\\.dat$"_s,
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = pattern.match(fileName);
    if (!match.hasMatch())
        return std::nullopt;
    return GridFileName{match.captured(1).toInt(), match.captured(2)};
}

QString GridFileName::fileName() const
{
    return QString::number(count) + u'-' + date + u".DAT"_s;
}

QStringList listGridFiles(const QString& folder)
{
    QStringList names;
    const QStringList entries = QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System,
                                                       QDir::Name | QDir::IgnoreCase);
    for (const QString& entry : entries) {
        if (GridFileName::parse(entry))
            names.append(entry);
    }
    return names;
}

QString drawTitle(const GridFileName& name)
{
    return u"Tirage du "_s + name.date + u" - "_s + QString::number(name.count) + u" grilles"_s;
}
