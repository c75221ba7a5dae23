#include "gridfilebuilder.h"

#include "gridfile.h"
#include "gridfileerror.h"
#include "gridfolder.h"
#include "gridgenerator.h"
#include "platform/errortext.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <filesystem>
#include <system_error>

#include <fcntl.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {
const QString ScratchPrefix = u"~creation-"_s;

QString native(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

// Puts the file's bytes on the disk before it takes the final name.
void flushToDisk(const QString& path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

QString writeFailureText(const QString& finalPath, const QString& detail)
{
    return u"La création du fichier de grilles\n"_s + native(finalPath) +
           u"\na échoué. Le disque est peut-être plein ou protégé en écriture.\n"
           "Aucun fichier de grilles n'a été modifié.\n\nDétail : "_s +
           detail;
}
} // namespace

GridFileBuilder::GridFileBuilder(QString appPath, RandomSource& random, const Clock& clock)
    : m_appPath(std::move(appPath)), m_random(random), m_clock(clock)
{}

QString GridFileBuilder::templatePath() const
{
    return m_appPath + u"Loto1.dat"_s;
}

void GridFileBuilder::checkTemplate() const
{
    if (!QFileInfo(templatePath()).isFile())
        throw GridFileError(u"Le modèle des fichiers de grilles est introuvable :\n"_s +
                            native(templatePath()) +
                            u"\n\nIl doit se trouver à côté du programme ; "
                            "réinstallez Numerella."_s);
}

bool GridFileBuilder::isScratchName(const QString& fileName)
{
    return fileName.startsWith(ScratchPrefix) && fileName.endsWith(u".tmp"_s);
}

QString GridFileBuilder::scratchPath() const
{
    return GridFolder::filePath(
        m_appPath, ScratchPrefix + QString::number(QCoreApplication::applicationPid()) + u".tmp"_s);
}

void GridFileBuilder::removeStaleScratchFiles() const
{
    // Only one copy of the program runs at a time, so any scratch file found
    // here was left by a generation that died; none is being written.
    const QDir folder(GridFolder::path(m_appPath));
    const QStringList names =
        folder.entryList({ScratchPrefix + u"*.tmp"_s}, QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& name : names)
        QFile::remove(folder.filePath(name));
}

void GridFileBuilder::build(int count, const QString& finalPath,
                            const std::function<void(int)>& progress)
{
    checkTemplate();
    GridFolder::make(m_appPath);
    removeStaleScratchFiles();
    const QString scratch = scratchPath();
    try {
        QFile templateFile(templatePath());
        if (!templateFile.copy(scratch))
            throw GridFileError(writeFailureText(finalPath, fileErrorText(templateFile)));
        QFile::setPermissions(scratch, QFile::permissions(scratch) | QFileDevice::WriteOwner);
        {
            std::unique_ptr<GridFile> opened;
            try {
                opened = std::make_unique<GridFile>(scratch, GridFile::Access::ReadWrite);
            } catch (const GridFileError&) {
                throw GridFileError(u"Le modèle des fichiers de grilles est endommagé :\n"_s +
                                    native(templatePath()) + u"\n\nRéinstallez Numerella."_s);
            }
            GridFile& file = *opened;
            file.setScratchWrites();
            GridGenerator generator(m_random, m_clock);
            file.runInTransaction([&] { generator.run(count, file, progress); });
            file.close();
        }
        flushToDisk(scratch);
        std::error_code error;
        std::filesystem::rename(QFile::encodeName(scratch).toStdString(),
                                QFile::encodeName(finalPath).toStdString(), error);
        if (error)
            throw GridFileError(writeFailureText(finalPath, systemErrorText(error.value())));
    } catch (const GridFileError& e) {
        QFile::remove(scratch);
        // A database failure would name the scratch file; the organiser knows the final name.
        if (!e.detail().isEmpty())
            throw GridFileError(writeFailureText(finalPath, e.detail()), e.detail());
        throw;
    } catch (...) {
        QFile::remove(scratch);
        throw;
    }
}
