#include "qmltypes.h"

#include <QQmlEngine>
#include <QtQml/qqml.h>

namespace UiCore {

void setUp(QQmlEngine& engine) {
    static const int registered = qmlRegisterUncreatableMetaObject(
        Tidy::staticMetaObject, "Tovrin.Core", 1, 0, "Tidy", QStringLiteral("Enumerations only"));
    Q_UNUSED(registered);
    engine.addImportPath(QStringLiteral("qrc:/qt/qml"));
}

} // namespace UiCore
