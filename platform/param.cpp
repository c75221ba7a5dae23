#include "param.h"

#include <QDir>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace Product {
QString name()
{
    return u"Numerella"_s;
}
QString comments()
{
    return u"Tirage du Loto des familles"_s;
}
QString helpFileName()
{
    return u"Loto.hlp"_s;
}
} // namespace Product

QString formatExeDateTime(const QDateTime& modified)
{
    return modified.toString(u"dd/MM/yyyy"_s) + u" à "_s + modified.toString(u"HH:mm"_s);
}

AppGlobals AppGlobals::compose(const QString& programFilePath, const QDateTime& programModified)
{
    AppGlobals g;
    const QString dir = QFileInfo(programFilePath).absolutePath();
    g.AppPath = QDir::toNativeSeparators(dir);
    if (!g.AppPath.endsWith(QDir::separator()))
        g.AppPath += QDir::separator();
    g.HelpFile = g.AppPath + Product::helpFileName();
    g.AppVersion = QString::number(Product::Major) + u'.' + QString::number(Product::Minor);
    g.AppTitle = Product::name() + u' ' + g.AppVersion;
    g.ExeDateTime = formatExeDateTime(programModified);
    return g;
}

QString statusPanelText()
{
    return Product::name() + u"  -  Version "_s + Param::AppVersion();
}

namespace Param {
namespace {
AppGlobals g_globals = AppGlobals::compose(QString(), QDateTime::currentDateTime());
} // namespace

const AppGlobals& globals()
{
    return g_globals;
}
void setGlobals(const AppGlobals& globals)
{
    g_globals = globals;
}

} // namespace Param
