#pragma once

#include <QLockFile>

#include <memory>

// Held while a refresh, an apply or an undo runs, by the app or by the
// command line, so that two processes never move files or rewrite the plan at
// once. The lock of a process that died is taken over.
class BusyLock {
public:
    // False when another process holds it.
    bool take();
    void release();
    static bool heldElsewhere();

private:
    std::unique_ptr<QLockFile> file_;
};
