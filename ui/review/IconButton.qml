import QtQuick
import QtQuick.Controls.Basic
import Tovrin.Core

// A small borderless button showing one of our icons.
AbstractButton {
    id: control

    property url iconSource

    implicitWidth: 24
    implicitHeight: 24
    focusPolicy: Qt.TabFocus
    Accessible.role: Accessible.Button

    contentItem: Image {
        source: control.iconSource
        sourceSize: Qt.size(16, 16)
        fillMode: Image.PreserveAspectFit
        opacity: control.hovered ? 0.9 : 0.55
        anchors.centerIn: parent
    }

    background: Rectangle {
        radius: 6
        color: control.down ? Theme.stone : (control.hovered ? Theme.sand : "transparent")
        border.width: control.visualFocus ? 2 : 0
        border.color: "#5a8dee"
    }
}
