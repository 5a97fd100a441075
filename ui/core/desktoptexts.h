#pragma once

#include "desktopwords.h"

#include <QObject>
#include <QString>
#include <QtQml/qqmlregistration.h>

// The sentences that name the desktop, e.g. Desktop.text(DesktopWords.Phrase.freshStart).
class DesktopTexts : public QObject {
    Q_OBJECT
    QML_NAMED_ELEMENT(Desktop)
    QML_SINGLETON
public:
    using QObject::QObject;
    Q_INVOKABLE QString text(DesktopWords::Phrase phrase) const {
        return DesktopWords::text(phrase);
    }
};
