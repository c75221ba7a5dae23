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
#include <QScopeGuard>

#include <condition_variable>
#include <deque>
#include <exception>
#include <filesystem>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

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

// Sheets handed from the thread that draws them to the thread that writes
// them, a batch at a time so that neither waits on the other's lock for
// each sheet. The drawing keeps at most a few batches ahead.
class SheetQueue
{
public:
    // Thrown on the writing side when the drawing side gives up.
    struct Abandoned
    {};

    // Drawing side. Once the writer has failed, put() and finish() throw its
    // failure, so the drawing stops there.
    void put(GridSheet&& sheet)
    {
        m_filling.push_back(std::move(sheet));
        if (m_filling.size() == BatchSheets)
            handOver();
    }

    void finish()
    {
        if (!m_filling.empty())
            handOver();
        const std::lock_guard lock(m_mutex);
        m_finished = true;
        m_changed.notify_all();
    }

    void abandon()
    {
        const std::lock_guard lock(m_mutex);
        m_abandoned = true;
        m_changed.notify_all();
    }

    // Writing side: false once every sheet has been taken.
    bool take(std::vector<GridSheet>& batch)
    {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [this] { return !m_ready.empty() || m_finished || m_abandoned; });
        if (m_abandoned)
            throw Abandoned();
        if (m_ready.empty())
            return false;
        batch = std::move(m_ready.front());
        m_ready.pop_front();
        m_changed.notify_all();
        return true;
    }

    void fail(std::exception_ptr failure)
    {
        const std::lock_guard lock(m_mutex);
        m_failure = std::move(failure);
        m_changed.notify_all();
    }

    std::exception_ptr failure()
    {
        const std::lock_guard lock(m_mutex);
        return m_failure;
    }

private:
    static constexpr std::size_t BatchSheets = 50;
    static constexpr std::size_t MaxBatches = 4;

    void handOver()
    {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [this] { return m_ready.size() < MaxBatches || m_failure; });
        if (m_failure)
            std::rethrow_exception(m_failure);
        m_ready.push_back(std::move(m_filling));
        m_changed.notify_all();
        lock.unlock();
        m_filling = {};
        m_filling.reserve(BatchSheets);
    }

    std::vector<GridSheet> m_filling; // drawing side only
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<std::vector<GridSheet>> m_ready;
    bool m_finished = false;
    bool m_abandoned = false;
    std::exception_ptr m_failure;
};

// The writing thread's work: the template copied under the scratch name,
// every sheet the queue hands over inserted, the file closed and on disk.
void writeScratch(const QString& templatePath, const QString& scratch, const QString& finalPath,
                  SheetQueue& sheets)
{
    std::error_code error;
    std::filesystem::copy_file(QFile::encodeName(templatePath).toStdString(),
                               QFile::encodeName(scratch).toStdString(),
                               std::filesystem::copy_options::overwrite_existing, error);
    if (error)
        throw GridFileError(writeFailureText(finalPath, systemErrorText(error.value())));
    QFile::setPermissions(scratch, QFile::permissions(scratch) | QFileDevice::WriteOwner);
    {
        std::unique_ptr<GridFile> opened;
        try {
            opened = std::make_unique<GridFile>(scratch, GridFile::Access::ReadWrite);
        } catch (const GridFileError&) {
            throw GridFileError(u"Le modèle des fichiers de grilles est endommagé :\n"_s +
                                native(templatePath) + u"\n\nRéinstallez Numerella."_s);
        }
        GridFile& file = *opened;
        file.setScratchWrites();
        file.ensureCardSecret();
        file.runInTransaction([&] {
            std::vector<GridSheet> batch;
            while (sheets.take(batch)) {
                for (const GridSheet& sheet : batch)
                    file.appendSheet(sheet);
            }
        });
        file.close();
    }
    flushToDisk(scratch);
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
        {
            // The grids are drawn here, where progress is told, while another
            // thread writes them: the random source and the callback never
            // leave the calling thread.
            SheetQueue sheets;
            std::thread writer([&, templatePath = templatePath()] {
                try {
                    writeScratch(templatePath, scratch, finalPath, sheets);
                } catch (...) {
                    sheets.fail(std::current_exception());
                }
            });
            // However the drawing ends, the writer has stopped before the
            // scratch file is touched again.
            const auto stopWriter = qScopeGuard([&] {
                if (writer.joinable()) {
                    sheets.abandon();
                    writer.join();
                }
            });
            GridGenerator generator(m_random, m_clock);
            generator.run(
                count, [&](GridSheet&& sheet) { sheets.put(std::move(sheet)); }, progress);
            sheets.finish();
            writer.join();
            if (const std::exception_ptr failure = sheets.failure())
                std::rethrow_exception(failure);
        }
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
