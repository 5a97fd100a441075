import QtQuick
import QtQuick.Controls.Basic
import Tovrin.Core

// A quiet rounded button; the primary one is filled.
Button {
    id: control

    property bool primary: false

    implicitHeight: 32
    // Reached with Tab; a click leaves the keyboard where it was.
    focusPolicy: Qt.TabFocus
    leftPadding: 14
    rightPadding: 14
    font.pixelSize: 13
    font.weight: primary ? Font.DemiBold : Font.Medium
    Accessible.name: text
    Keys.onReturnPressed: clicked()
    Keys.onEnterPressed: clicked()

    contentItem: Text {
        text: control.text
        font: control.font
        color: control.primary ? Theme.ivory : Theme.charcoal
        opacity: control.enabled ? 1 : 0.4
        horizontalAlignment: Text.AlignHCenter
        verticalAlignment: Text.AlignVCenter
        elide: Text.ElideRight
    }

    background: Rectangle {
        radius: 8
        color: control.primary ? (control.down ? "#2c2c2e" : Theme.charcoal)
                               : (control.down ? Theme.sand : Theme.ivory)
        border.width: control.primary ? 0 : 1
        border.color: control.visualFocus ? Theme.charcoal : Theme.stone
        opacity: control.enabled ? 1 : 0.6

        Rectangle {
            anchors.fill: parent
            anchors.margins: -3
            radius: 11
            color: "transparent"
            border.width: 2
            border.color: "#5a8dee"
            visible: control.visualFocus
        }
    }
}
