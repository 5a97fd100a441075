#pragma once

#include "appstate.h"

#include <QtQml/qqml.h>

class QQmlEngine;

// AppState as the views name it; only the shell creates the state.
struct AppStateForeign {
    Q_GADGET
    QML_FOREIGN(AppState)
    QML_NAMED_ELEMENT(AppState)
    QML_UNCREATABLE("The shell owns the one AppState")
};

namespace UiCore {
// Registers what the generated registration cannot (the Tidy enumerations,
// "Tidy.review") and lets the engine find our modules; call before loading.
void setUp(QQmlEngine& engine);
} // namespace UiCore
