#pragma once

#include "recapslides.h"

#include <QObject>
#include <QtQml/qqml.h>

// The slides' spring curve for QML animations, which only know easing curves.
class MotionCurves : public QObject {
    Q_OBJECT
    QML_NAMED_ELEMENT(Motion)
    QML_SINGLETON
public:
    using QObject::QObject;
    Q_INVOKABLE double spring(double t, double response, double damping) const {
        return Motion::spring(t, response, damping);
    }
    Q_INVOKABLE double settleTime(double response, double damping) const {
        return Motion::settleTime(response, damping);
    }
};
