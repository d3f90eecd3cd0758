#include "SingleInstance.h"

#include <QDir>

SingleInstance::SingleInstance()
{
    const QString user = qEnvironmentVariable("USER", QStringLiteral("user"));
    m_lock = std::make_unique<QLockFile>(QDir::tempPath() + QStringLiteral("/varnelo-") + user + QStringLiteral(".lock"));
    // A lock left by a crashed copy names a process that is gone; QLockFile
    // sees that and takes the lock over.
    m_acquired = m_lock->tryLock(0);
}
