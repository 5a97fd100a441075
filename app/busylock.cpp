#include "busylock.h"

#include "store.h"

namespace {

std::unique_ptr<QLockFile> lockFile() {
    auto file = std::make_unique<QLockFile>(Store::filePath(QStringLiteral("busy.lock")));
    // A refresh may run for an hour: only a dead holder makes the lock stale.
    file->setStaleLockTime(0);
    return file;
}

} // namespace

bool BusyLock::take() {
    if (file_) return true;
    std::unique_ptr<QLockFile> file = lockFile();
    if (!file->tryLock(0)) return false;
    file_ = std::move(file);
    return true;
}

void BusyLock::release() {
    file_.reset();
}

bool BusyLock::heldElsewhere() {
    const std::unique_ptr<QLockFile> file = lockFile();
    return !file->tryLock(0);
}
