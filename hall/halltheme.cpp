#include "halltheme.h"

#include "platform/atomicfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

using namespace Qt::StringLiterals;

HallTheme HallTheme::of(HallThemeName name)
{
    if (name == HallThemeName::Sombre)
        return {QColor(0, 0, 0),    QColor(240, 240, 240), QColor(255, 214, 0),
                QColor(28, 32, 40), QColor(110, 118, 130), QColor(255, 214, 0),
                QColor(0, 0, 0),    QColor(230, 30, 30),   QColor(255, 255, 255)};
    return {QColor(255, 255, 255), QColor(17, 17, 17),    QColor(10, 40, 140),
            QColor(236, 238, 242), QColor(150, 156, 166), QColor(10, 40, 140),
            QColor(255, 255, 255), QColor(200, 0, 0),     QColor(255, 255, 255)};
}

QString hallThemeWord(HallThemeName name)
{
    return name == HallThemeName::Sombre ? u"sombre"_s : u"clair"_s;
}

HallThemeName HallThemeStore::load() const
{
    if (m_path.isEmpty())
        return HallThemeName::Clair;
    // A pipe or a folder left there must not hang or fool the start of the draw.
    if (!QFileInfo(m_path).isFile())
        return HallThemeName::Clair;
    QFile file(m_path);
    // A word, not a file: never read more than a line of anything left there.
    if (!file.open(QIODevice::ReadOnly))
        return HallThemeName::Clair;
    const QString word = QString::fromUtf8(file.read(64)).trimmed();
    return word == hallThemeWord(HallThemeName::Sombre) ? HallThemeName::Sombre
                                                        : HallThemeName::Clair;
}

QString HallThemeStore::save(HallThemeName name) const
{
    if (m_path.isEmpty())
        return {};
    const QFileInfo info(m_path);
    if (!QDir().mkpath(info.absolutePath()))
        return u"Le dossier "_s + QDir::toNativeSeparators(info.absolutePath()) +
               u" ne peut pas être créé."_s;
    if (info.isDir())
        return QDir::toNativeSeparators(m_path) +
               u"\nUn dossier porte ce nom : le choix ne peut pas y être écrit."_s;
    if (const QString why = AtomicFile::save(m_path, hallThemeWord(name).toUtf8() + '\n');
        !why.isEmpty())
        return QDir::toNativeSeparators(m_path) + u"\n"_s + why;
    return {};
}
