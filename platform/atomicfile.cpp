#include "atomicfile.h"

#include "errortext.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <utility>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {
using FileStatus = struct stat;

QList<ProtectedPlace> g_protected;
qint64 g_faultAfter = 0;
int g_faultError = 0;

QByteArray encoded(const QString& path)
{
    return QFile::encodeName(path);
}

QString causeOf(int error)
{
    // Said as the organiser would say it to whoever can free some room.
    return error == ENOSPC ? u"disque plein"_s : systemErrorText(error);
}

bool sameFile(const QString& a, const FileStatus& b)
{
    FileStatus s{};
    return ::stat(encoded(a).constData(), &s) == 0 && s.st_dev == b.st_dev && s.st_ino == b.st_ino;
}

// The folder itself or any folder above it is that one.
bool under(QString folder, const FileStatus& protectedFolder)
{
    while (!folder.isEmpty()) {
        if (sameFile(folder, protectedFolder))
            return true;
        const QString parent = QFileInfo(folder).path();
        if (parent == folder)
            break;
        folder = parent;
    }
    return false;
}

// The real folder a new file of that name lands in, and for an existing
// name, the real file it leads to: links and ".." make no difference.
bool reaches(const QString& path, const ProtectedPlace& place)
{
    const QFileInfo info(path);
    const QString folder = QFileInfo(info.absolutePath()).canonicalFilePath();
    const QString target = info.canonicalFilePath(); // empty for a new name
    FileStatus guarded{};
    if (::stat(encoded(place.path).constData(), &guarded) != 0) {
        // Not made yet: only its very name is kept free.
        const QFileInfo placeInfo(place.path);
        return !folder.isEmpty() && !place.isFolder && info.fileName() == placeInfo.fileName() &&
               folder == QFileInfo(placeInfo.absolutePath()).canonicalFilePath();
    }
    if (place.isFolder)
        return under(folder, guarded) ||
               (!target.isEmpty() && under(QFileInfo(target).absolutePath(), guarded));
    return !target.isEmpty() && sameFile(target, guarded);
}

void syncFolder(const QString& folder)
{
    // The rename itself must reach the disk; a file system that cannot sync
    // a folder has nothing to lose by it.
    const int fd = ::open(encoded(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}
} // namespace

AtomicFile::AtomicFile(QString path) : m_path(std::move(path)) {}

AtomicFile::~AtomicFile()
{
    discard();
}

QString AtomicFile::open()
{
    discard();
    if (QString why = refusal(m_path); !why.isEmpty())
        return why;
    FileStatus old{};
    const bool replacesFile =
        ::lstat(encoded(m_path).constData(), &old) == 0 && S_ISREG(old.st_mode);
    // A hidden name of our own; one left by a crash is stepped over, never reused.
    const QFileInfo info(m_path);
    const QString stem = info.absolutePath() + u"/."_s + info.fileName() + u".partiel"_s;
    for (int n = 1; n <= 100; ++n) {
        const QString scratch = n == 1 ? stem : stem + QString::number(n);
        m_fd = ::open(encoded(scratch).constData(),
                      O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (m_fd >= 0) {
            m_scratch = scratch;
            m_written = 0;
            if (replacesFile)
                ::fchmod(m_fd, old.st_mode & 07777); // the rights it had
            return {};
        }
        if (errno != EEXIST)
            return causeOf(errno);
    }
    return causeOf(EEXIST);
}

QString AtomicFile::write(const QByteArray& bytes)
{
    if (m_fd < 0)
        return fail(EBADF);
    const char* data = bytes.constData();
    qint64 left = bytes.size();
    while (left > 0) {
        qint64 chunk = left;
        if (g_faultError && m_written + chunk > g_faultAfter) {
            chunk = std::max<qint64>(0, g_faultAfter - m_written);
            if (chunk == 0)
                return fail(g_faultError);
        }
        const ssize_t done = ::write(m_fd, data, size_t(chunk));
        if (done < 0 && errno == EINTR)
            continue;
        if (done < 0)
            return fail(errno);
        data += done;
        left -= done;
        m_written += done;
    }
    return {};
}

QString AtomicFile::commit()
{
    if (m_fd < 0)
        return fail(EBADF);
    // Checked again at the moment that matters: a link may have come meanwhile.
    if (QString why = refusal(m_path); !why.isEmpty()) {
        discard();
        return why;
    }
    if (::fsync(m_fd) != 0)
        return fail(errno);
    if (::close(std::exchange(m_fd, -1)) != 0)
        return fail(errno);
    if (::rename(encoded(m_scratch).constData(), encoded(m_path).constData()) != 0)
        return fail(errno);
    m_scratch.clear();
    syncFolder(QFileInfo(m_path).absolutePath());
    return {};
}

void AtomicFile::discard()
{
    if (m_fd >= 0)
        ::close(std::exchange(m_fd, -1));
    if (!m_scratch.isEmpty())
        ::unlink(encoded(std::exchange(m_scratch, QString())).constData());
}

QString AtomicFile::fail(int error)
{
    discard();
    return causeOf(error);
}

QString AtomicFile::save(const QString& path, const QByteArray& bytes)
{
    AtomicFile file(path);
    QString why = file.open();
    if (why.isEmpty())
        why = file.write(bytes);
    if (why.isEmpty())
        why = file.commit();
    return why;
}

QString AtomicFile::refusal(const QString& path)
{
    for (const ProtectedPlace& place : std::as_const(g_protected))
        if (!place.path.isEmpty() && reaches(path, place))
            return place.refusal;
    return {};
}

void AtomicFile::protect(QList<ProtectedPlace> places)
{
    g_protected = std::move(places);
}

void AtomicFile::injectWriteFault(qint64 afterBytes, int error)
{
    g_faultAfter = afterBytes;
    g_faultError = error;
}
