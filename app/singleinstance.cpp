#include "singleinstance.h"

#include <QCryptographicHash>
#include <QDir>
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

SingleInstance::SingleInstance(const QString& appPath)
    : m_path(lockFileFor(appPath)), m_lock(m_path)
{
    // A running copy keeps its lock however long the game lasts; only a dead
    // owner makes the lock stale.
    m_lock.setStaleLockTime(0);
}

bool SingleInstance::acquire()
{
    if (m_lock.tryLock(0))
        return true;
    // A lock we cannot even write must not keep the organiser out of the program.
    return m_lock.error() != QLockFile::LockFailedError;
}

QString SingleInstance::alreadyRunningText()
{
    return u"L'application est déjà en mémoire !!\n\nUtiliser la barre des taches"_s;
}
