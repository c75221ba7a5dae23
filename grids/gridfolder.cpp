#include "gridfolder.h"

#include "gridfileerror.h"
#include "gridfilename.h"
#include "platform/errortext.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace GridFolder {

QString path(const QString& appPath)
{
    return appPath + u"GRILLES"_s;
}

QString filePath(const QString& appPath, const QString& fileName)
{
    return QDir::toNativeSeparators(path(appPath) + u'/' + fileName);
}

void make(const QString& appPath)
{
    const QString folder = path(appPath);
    const QFileInfo info(folder);
    // An install owned by another user: say so plainly rather than fail later.
    const QString writable = info.exists() ? folder : appPath;
    if ((info.isDir() || !info.exists()) && !QFileInfo(writable).isWritable())
        throw GridFileError(
            u"Numerella range les fichiers de grilles dans le dossier\n"_s +
            QDir::toNativeSeparators(folder) +
            u"\nmais vous n'avez pas le droit d'y écrire.\n\nInstallez Numerella dans un dossier "
            "qui vous appartient, ou demandez le droit d'écrire dans celui-ci."_s);
    if (info.isDir())
        return;
    if (!QDir().mkdir(folder))
        throw GridFileError(u"Impossible de créer le dossier des grilles :\n"_s +
                            QDir::toNativeSeparators(folder) +
                            u"\n\nVérifiez que le dossier du programme n'est pas en lecture seule "
                            "et qu'il n'existe pas déjà un fichier nommé GRILLES."_s);
}

namespace {
// Newest draw first; for one date, the smaller file first.
bool drawnLater(const GridFileName& a, const GridFileName& b)
{
    const auto key = [](const GridFileName& n) {
        return n.date.mid(6, 4) + n.date.mid(3, 2) + n.date.mid(0, 2);
    };
    const QString ka = key(a), kb = key(b);
    return ka != kb ? ka > kb : a.count < b.count;
}

// The grid files' names as they are on disk, names that differ only by case
// included.
QStringList gridFileNames(const QString& appPath)
{
    QStringList names;
    const QStringList entries =
        QDir(path(appPath))
            .entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name | QDir::IgnoreCase);
    for (const QString& entry : entries) {
        if (GridFileName::parse(entry))
            names.append(entry);
    }
    return names;
}

// Of names that differ only by case, the one every screen uses: the name the
// generator writes when there is one, otherwise the first.
QString chosenTwin(const QStringList& twins)
{
    for (const QString& name : twins)
        if (name == GridFileName::parse(name)->fileName())
            return name;
    return twins.first();
}
} // namespace

QStringList list(const QString& appPath)
{
    QMap<QString, QStringList> byName; // twins by case share a key
    for (const QString& name : gridFileNames(appPath))
        byName[name.toUpper()].append(name);
    QStringList names;
    for (const QStringList& twins : std::as_const(byName))
        names.append(chosenTwin(twins));
    std::stable_sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        return drawnLater(*GridFileName::parse(a), *GridFileName::parse(b));
    });
    return names;
}

QString resolve(const QString& appPath, const QString& fileName)
{
    const QStringList found = variants(appPath, fileName);
    return found.isEmpty() ? filePath(appPath, fileName) : found.first();
}

QStringList variants(const QString& appPath, const QString& fileName)
{
    QStringList twins;
    for (const QString& name : gridFileNames(appPath))
        if (name.compare(fileName, Qt::CaseInsensitive) == 0)
            twins.append(name);
    if (twins.isEmpty())
        return {};
    const QString chosen = chosenTwin(twins);
    QStringList paths{filePath(appPath, chosen)};
    for (const QString& name : std::as_const(twins))
        if (name != chosen)
            paths.append(filePath(appPath, name));
    return paths;
}

void remove(const QString& filePath)
{
    QFile file(filePath);
    if (!file.remove())
        throw GridFileError(u"Le fichier "_s + QDir::toNativeSeparators(filePath) +
                            u"\nn'a pas pu être supprimé.\n\nDétail : "_s + fileErrorText(file));
}

} // namespace GridFolder
