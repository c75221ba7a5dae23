#include "gridfolder.h"

#include "gridfileerror.h"
#include "gridfilename.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

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

QStringList list(const QString& appPath)
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

QString resolve(const QString& appPath, const QString& fileName)
{
    for (const QString& name : list(appPath)) {
        if (name.compare(fileName, Qt::CaseInsensitive) == 0)
            return filePath(appPath, name);
    }
    return filePath(appPath, fileName);
}

void remove(const QString& filePath)
{
    QFile file(filePath);
    if (!file.remove())
        throw GridFileError(u"Le fichier "_s + QDir::toNativeSeparators(filePath) +
                            u"\nn'a pas pu être supprimé.\n\nDétail : "_s + file.errorString());
}

} // namespace GridFolder
