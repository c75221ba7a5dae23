#pragma once

#include <QLockFile>
#include <QString>

// Refuses a second running copy of the program. The lock names its owner's
// process, so the lock of a copy that crashed is taken over.
class SingleInstance
{
public:
    explicit SingleInstance(const QString& appPath);

    // False only when another live copy holds the lock.
    bool acquire();
    QString lockPath() const { return m_path; }

    static QString alreadyRunningText();

private:
    QString m_path;
    QLockFile m_lock;
};
