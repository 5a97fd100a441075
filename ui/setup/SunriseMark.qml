import QtQuick
import Tovrin.Core

// The brand mark: a sun rising over the horizon.
Rectangle {
    implicitWidth: 44
    implicitHeight: 44
    radius: 12
    color: Theme.ivory
    border.color: Theme.hairline

    Image {
        anchors.centerIn: parent
        width: 28
        height: 28
        source: "icons/sun.horizon.svg"
        sourceSize: Qt.size(56, 56)
    }
}
