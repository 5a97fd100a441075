import QtQuick
import QtQuick.Controls.Basic
import Tovrin.Core

// A small borderless glyph button, with a help text on hover when given one.
ToolButton {
    id: control

    property url iconSource
    property int iconSize: 24
    property string help

    implicitWidth: 24
    implicitHeight: 24
    padding: 0
    focusPolicy: Qt.TabFocus
    hoverEnabled: true
    display: AbstractButton.IconOnly
    icon.source: iconSource
    icon.width: iconSize
    icon.height: iconSize
    icon.color: hovered ? Theme.charcoal : Theme.muted
    ToolTip.text: help
    ToolTip.visible: hovered && help.length > 0
    ToolTip.delay: 500

    background: Rectangle {
        radius: 7
        color: control.down ? Theme.pressed : control.hovered ? Theme.hover : "transparent"
        border.width: control.visualFocus ? 2 : 0
        border.color: Theme.focusRing
    }
}
