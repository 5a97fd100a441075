import QtQuick
import QtQuick.Controls.Basic
import Tovrin.Core

// The bordered button for everything that is not the next step.
Button {
    id: control

    implicitHeight: 36
    leftPadding: 16
    rightPadding: 16
    font.pixelSize: 13
    font.weight: Font.Medium

    contentItem: Text {
        text: control.text
        font: control.font
        color: Theme.charcoal
        opacity: control.enabled ? 1 : 0.4
        horizontalAlignment: Text.AlignHCenter
        verticalAlignment: Text.AlignVCenter
        elide: Text.ElideRight
    }
    background: Rectangle {
        radius: 9
        color: control.down ? Theme.sand : Theme.ivory
        border.color: control.hovered ? Theme.muted : Theme.stone
        border.width: 1
    }
}
