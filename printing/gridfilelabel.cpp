#include "gridfilelabel.h"

#include "grids/gridfilename.h"

using namespace Qt::StringLiterals;

namespace GridFileLabel {

QString of(const GridFileName& name)
{
    return u"Impression de "_s + QString::number(name.count) + u" grilles pour le tirage du "_s +
           name.date;
}

std::optional<QString> fileName(const QString& label)
{
    const qsizetype p = label.indexOf(u"grilles "_s) + 1; // 1-based, 0 when absent
    if (p < 16 || !label.startsWith(u"Impression de "_s))
        return std::nullopt;
    const QString name = label.mid(14, p - 16) + u'-' + label.right(10) + u".DAT"_s;
    // Whatever the text, only the name of a grid file may come out of it.
    if (!GridFileName::parse(name))
        return std::nullopt;
    return name;
}

QString dateOf(const QString& label)
{
    return label.right(10);
}

} // namespace GridFileLabel
