#pragma once

#include <QLockFile>
#include <QString>

// Only one copy of the program runs per user. The lock lives in the user's runtime folder;
// a lock left by a copy that crashed or was killed is stale and taken over.
class SingleInstance
{
public:
    explicit SingleInstance(const QString &lockPath = defaultLockPath());

    // True when this process now holds the lock, false when a live copy holds it.
    bool acquire();

    static QString defaultLockPath();

private:
    QLockFile m_lock;
};
