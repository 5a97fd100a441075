#pragma once

#include "model.h"
#include "usage.h"

#include <QFuture>
#include <QList>
#include <QMutex>

#include <memory>

// The requests of one refresh. Stopping cancels those in flight, which aborts
// them, and refuses every later one; settled() tells when the cancelled ones
// have ended, so that whatever they cost has been counted.
class RunGate {
public:
    // `send` through the gate: refused, with a fatal failure, once stopped.
    static Model::Send wrap(const std::shared_ptr<RunGate>& gate, Model::Send send);

    // Counts files about to be sent; nothing once stopped.
    void sending(int files, bool again);
    void stop();
    bool stopped() const;
    bool settled() const;
    RunSent sent() const;

private:
    mutable QMutex mutex_;
    bool stopped_ = false;
    QList<QFuture<Model::Answer>> inFlight_;
    RunSent sent_;
};
