#pragma once

#include "appstate.h"
#include "fakeclaude.h"
#include "testhome.h"
#include "usage.h"

#include <memory>

// Shows nothing; the notifier only needs a service that is there.
class SilentNotifications : public NotificationService {
public:
    bool available() override { return true; }
    void show(const Notification&) override {}
};

// What an interface test starts from: a throw-away home, the local stand-in
// for Claude with a key for it, and one AppState with counters of its own.
struct TestApp {
    TestApp();
    ~TestApp();

    // A new state over the home; services left empty are ours.
    AppState& start(AppServices services = {});
    // Waits until no refresh, apply or undo is running.
    bool settle() const;

    TestHome home;
    FakeClaude::Server claude{FakeClaude::Options{}};
    SilentNotifications notifications;
    Usage usage;
    std::unique_ptr<AppState> state;
};
