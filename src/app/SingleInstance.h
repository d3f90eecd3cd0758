#pragma once
#include <QLockFile>
#include <memory>

// One running copy per user and temporary folder. The lock is taken before
// the application object exists, so a second copy ends without touching the
// display, the data folder or the first copy.
class SingleInstance {
public:
    SingleInstance();
    bool acquired() const { return m_acquired; }

private:
    std::unique_ptr<QLockFile> m_lock;
    bool m_acquired = false;
};
