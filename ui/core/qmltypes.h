#pragma once

#include "appstate.h"
#include "desktopwords.h"

#include <QtQml/qqml.h>

class QQmlEngine;

// AppState as the views name it; only the shell creates the state.
struct AppStateForeign {
    Q_GADGET
    QML_FOREIGN(AppState)
    QML_NAMED_ELEMENT(AppState)
    QML_UNCREATABLE("The shell owns the one AppState")
};

// The refresh's enumerations, e.g. Tidy.Phase.review.
namespace TidyForeign {
Q_NAMESPACE
QML_FOREIGN_NAMESPACE(Tidy)
QML_NAMED_ELEMENT(Tidy)
} // namespace TidyForeign

// Which desktop sentence a view shows, e.g. DesktopWords.Phrase.freshStart.
namespace DesktopWordsForeign {
Q_NAMESPACE
QML_FOREIGN_NAMESPACE(DesktopWords)
QML_NAMED_ELEMENT(DesktopWords)
} // namespace DesktopWordsForeign

namespace UiCore {
// Lets the engine find our modules; call before loading.
void setUp(QQmlEngine& engine);
} // namespace UiCore
