import QtQuick
import QtQuick.Controls.Basic
import Tovrin.Core

// A check box that shows the plan and never changes itself: a click only
// asks for the change, and the plan's new value comes back through `checked`.
CheckBox {
    id: control

    checkable: false
    padding: 0
    spacing: 0
    implicitWidth: 18
    implicitHeight: 18

    indicator: Rectangle {
        implicitWidth: 18
        implicitHeight: 18
        x: control.leftPadding
        anchors.verticalCenter: parent.verticalCenter
        radius: 5
        color: control.checked ? Theme.charcoal : Theme.ivory
        border.width: control.checked ? 0 : 1.5
        border.color: control.visualFocus ? Theme.focusRing : Theme.faint

        Image {
            anchors.centerIn: parent
            source: "icons/check.svg"
            sourceSize.width: 14
            sourceSize.height: 14
            visible: control.checked
        }
    }
    contentItem: Item {
    }
}
