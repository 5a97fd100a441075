import QtQuick
import QtQuick.Controls.Basic
import Tovrin.Core

// The filled button of a step or window.
Button {
    id: control

    implicitHeight: 40
    leftPadding: 22
    rightPadding: 22
    font.pixelSize: 14
    font.weight: Font.DemiBold

    contentItem: Text {
        text: control.text
        font: control.font
        color: Theme.ivory
        horizontalAlignment: Text.AlignHCenter
        verticalAlignment: Text.AlignVCenter
        elide: Text.ElideRight
    }
    background: Rectangle {
        radius: 9
        color: control.down ? "#3a3a3c" : (control.hovered ? "#26262a" : Theme.charcoal)
        opacity: control.enabled ? 1 : 0.35
    }
}
