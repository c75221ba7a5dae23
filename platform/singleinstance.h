#pragma once

#include <QLockFile>
#include <QString>

#include <memory>

// Refuses a second running copy of the program. The lock names its owner's
// process, so the lock of a copy that crashed is taken over; anything else
// found where the lock goes (a folder, a file that is no lock) never keeps
// the organiser out.
class SingleInstance
{
public:
    explicit SingleInstance(const QString& appPath);

    // False only when another live copy holds the lock.
    bool acquire();
    QString lockPath() const { return m_path; }

    static QString alreadyRunningText();

private:
    enum class Outcome { Locked, HeldByACopy, InTheWay };
    Outcome tryLockAt(const QString& path);

    QString m_path;
    std::unique_ptr<QLockFile> m_lock;
};
