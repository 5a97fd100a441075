#include "qmltypes.h"

#include <QQmlEngine>

namespace UiCore {

void setUp(QQmlEngine& engine) {
    engine.addImportPath(QStringLiteral("qrc:/qt/qml"));
}

} // namespace UiCore
