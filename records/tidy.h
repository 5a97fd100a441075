#pragma once

#include <QObject>

// The mode and phase of a refresh; the views bind to the same values.
namespace Tidy {
Q_NAMESPACE

enum class Mode { quick, deep, junkOnly };
Q_ENUM_NS(Mode)

enum class Phase { idle, scanning, review, applying, done };
Q_ENUM_NS(Phase)

} // namespace Tidy
