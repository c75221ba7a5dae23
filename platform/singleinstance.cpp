#include "singleinstance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

namespace {
QString lockFileFor(const QString& appPath)
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    const QByteArray key =
        QCryptographicHash::hash(appPath.toUtf8(), QCryptographicHash::Sha1).toHex().left(12);
    return folder + u"/numerella-"_s + QString::fromLatin1(key) + u".lock"_s;
}
} // namespace

SingleInstance::SingleInstance(const QString& appPath) : m_path(lockFileFor(appPath)) {}

SingleInstance::Outcome SingleInstance::tryLockAt(const QString& path)
{
    // Only a plain file can be a lock; even the lock's own check would wait
    // for ever on a pipe found there.
    const QFileInfo found(path);
    if ((found.exists() || found.isSymLink()) && !found.isFile())
        return Outcome::InTheWay;
    m_lock = std::make_unique<QLockFile>(path);
    // A running copy keeps its lock however long the game lasts; only a dead
    // owner makes the lock stale.
    m_lock->setStaleLockTime(0);
    if (m_lock->tryLock(0))
        return Outcome::Locked;
    // A lock we cannot even write must not keep the organiser out of the program.
    if (m_lock->error() != QLockFile::LockFailedError)
        return Outcome::InTheWay;
    qint64 pid = 0;
    QString host, application;
    return m_lock->getLockInfo(&pid, &host, &application) ? Outcome::HeldByACopy
                                                          : Outcome::InTheWay;
}

bool SingleInstance::acquire()
{
    switch (tryLockAt(m_path)) {
    case Outcome::Locked:
        return true;
    case Outcome::HeldByACopy:
        return false;
    case Outcome::InTheWay:
        break;
    }
    // Not a lock of ours: clear it if we can, otherwise lock beside it, so
    // that two copies still find each other.
    QFile::remove(m_path);
    QDir().rmdir(m_path);
    if (tryLockAt(m_path) == Outcome::Locked)
        return true;
    return tryLockAt(m_path + u".2"_s) != Outcome::HeldByACopy;
}

QString SingleInstance::alreadyRunningText()
{
    return u"L'application est déjà en mémoire !!\n\nUtiliser la barre des taches"_s;
}
