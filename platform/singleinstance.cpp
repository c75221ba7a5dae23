#include "singleinstance.h"

#include <QDir>
#include <QFileInfo>

using namespace Qt::StringLiterals;

SingleInstance::SingleInstance(const QString& dataFolder)
    : m_path((dataFolder.isEmpty() ? QDir::tempPath() : dataFolder) + u"/numerella.lock"_s)
{}

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
    // At the first start the folder is not there yet.
    QDir().mkpath(QFileInfo(m_path).absolutePath());
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
