#include "programmestore.h"

#include "platform/atomicfile.h"
#include "platform/errortext.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>

using namespace Qt::StringLiterals;

namespace {
// A saved programme is a few kilobytes; anything much larger is not one.
constexpr qint64 MaxFileSize = 1 << 20;
} // namespace

QString ProgrammeStore::pathFor(const QString& gridFileName) const
{
    // Grid file names are plain ("100-25-12-2000.DAT"); anything else is
    // reduced to letters, digits and dashes so it never leaves the folder.
    QString base = QFileInfo(gridFileName).completeBaseName();
    for (QChar& c : base)
        if (!(c.isLetterOrNumber() && c.unicode() < 128) && c != u'-')
            c = u'_';
    return m_folder + u'/' + base + u".json"_s;
}

ProgrammeStore::Loaded ProgrammeStore::load(const QString& gridFileName) const
{
    Loaded loaded{Programme::standard(), {}};
    if (m_folder.isEmpty())
        return loaded;
    const QString path = pathFor(gridFileName);
    const QFileInfo info(path);
    if (!info.exists())
        return loaded;
    const auto refuse = [&](const QString& why) {
        loaded.problem = u"Le programme enregistré pour ce fichier de grilles ne peut pas être "
                         "lu :\n"_s +
                         QDir::toNativeSeparators(path) + u"\n"_s + why +
                         u"\n\nLe programme par défaut (une partie, trois phases) est utilisé."_s;
        return loaded;
    };
    if (info.isDir())
        return refuse(u"un dossier porte ce nom."_s);
    if (!info.isFile() || info.size() > MaxFileSize)
        return refuse(u"ce n'est pas un fichier de programme."_s);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return refuse(fileErrorText(file));
    const QByteArray json = file.readAll();
    const std::optional<Programme> read = Programme::fromJson(json);
    if (!read && QJsonDocument::fromJson(json).object().value(u"version"_s).toInt() > 1)
        return refuse(u"il a été écrit par une version plus récente de Numerella."_s);
    if (!read)
        return refuse(u"son contenu est abîmé."_s);
    loaded.programme = *read;
    return loaded;
}

QString ProgrammeStore::save(const QString& gridFileName, const Programme& programme) const
{
    if (m_folder.isEmpty())
        return {};
    if (!QDir().mkpath(m_folder))
        return u"Le dossier "_s + QDir::toNativeSeparators(m_folder) + u" ne peut pas être créé."_s;
    const QString path = pathFor(gridFileName);
    if (QFileInfo(path).isDir())
        return QDir::toNativeSeparators(path) + u"\nUn dossier porte ce nom."_s;
    if (const QString why = AtomicFile::save(path, programme.toJson()); !why.isEmpty())
        return QDir::toNativeSeparators(path) + u"\n"_s + why;
    return {};
}
