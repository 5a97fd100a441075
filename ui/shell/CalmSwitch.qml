import QtQuick
import QtQuick.Controls
import Tovrin.Core

Switch {
    id: control
    padding: 0
    implicitWidth: 38
    implicitHeight: 22
    indicator: Rectangle {
        width: 38
        height: 22
        y: (control.height - height) / 2
        radius: height / 2
        color: control.checked ? Theme.charcoal : Theme.stone
        Behavior on color { ColorAnimation { duration: 150 } }
        Rectangle {
            width: 18
            height: 18
            radius: 9
            y: 2
            x: control.checked ? parent.width - width - 2 : 2
            color: Theme.ivory
            Behavior on x { NumberAnimation { duration: 150; easing.type: Easing.InOutQuad } }
        }
    }
    contentItem: Item {}
}
