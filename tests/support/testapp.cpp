#include "testapp.h"

#include "store.h"

#include <QTest>

TestApp::TestApp() {
    if (!claude.listen()) qFatal("the fake Claude server cannot listen");
    qputenv("ANTHROPIC_BASE_URL", claude.url().toString().toUtf8());
    Store::saveKey(QStringLiteral("sk-test"));
}

TestApp::~TestApp() {
    state.reset();
    qunsetenv("ANTHROPIC_BASE_URL");
}

AppState& TestApp::start(AppServices services) {
    if (!services.notifications) services.notifications = &notifications;
    if (!services.usage) services.usage = &usage;
    state = std::make_unique<AppState>(services);
    return *state;
}

bool TestApp::settle() const {
    return QTest::qWaitFor([this] { return !state->isBusy(); }, 30000);
}
