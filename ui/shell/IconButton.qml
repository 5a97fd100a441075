import QtQuick
import QtQuick.Controls
import Tovrin.Core

// A small round glyph button with a help text on hover.
ToolButton {
    id: button
    property string help
    implicitWidth: 30
    implicitHeight: 30
    icon.width: 18
    icon.height: 18
    icon.color: Theme.muted
    hoverEnabled: true
    ToolTip.text: help
    ToolTip.visible: hovered && help.length > 0
    ToolTip.delay: 500
    background: Rectangle {
        radius: 8
        color: button.down ? Theme.stone : button.hovered ? Theme.sand : "transparent"
    }
}
