import QtQuick
import QtQuick.Controls.Basic
import Tovrin.Core

// A small pill switch in the palette's colours.
Switch {
    id: control

    padding: 0
    implicitWidth: 40
    implicitHeight: 24

    indicator: Rectangle {
        implicitWidth: 40
        implicitHeight: 24
        x: control.leftPadding
        anchors.verticalCenter: parent.verticalCenter
        radius: height / 2
        color: control.checked ? Theme.charcoal : Theme.stone
        opacity: control.enabled ? 1 : 0.4

        Behavior on color {
            ColorAnimation {
                duration: 150
            }
        }

        Rectangle {
            width: 20
            height: 20
            radius: 10
            y: 2
            x: control.checked ? parent.width - width - 2 : 2
            color: Theme.ivory

            Behavior on x {
                NumberAnimation {
                    duration: 150
                    easing.type: Easing.InOutQuad
                }
            }
        }
    }
    contentItem: Item {
    }
}
