#pragma once

#include <QLockFile>
#include <QString>

#include <memory>

// Refuses a second running copy of the program, wherever it is installed:
// the lock lies in the user's data folder, with the record and the
// programmes every copy would write. The lock names its owner's process, so
// the lock of a copy that crashed is taken over; anything else found where
// the lock goes (a folder, a file that is no lock) never keeps the organiser
// out.
class SingleInstance
{
public:
    // dataFolder: the user's data folder, as start-up finds it.
    explicit SingleInstance(const QString& dataFolder);

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
