import QtQuick
import QtQuick.Controls.Basic
import Tovrin.Core

// One file of the Organize grid: a click lets its move happen or not.
AbstractButton {
    id: tile

    property string name
    property string reason
    property string path
    property url thumbnail
    property url fileIcon
    property bool approved: false
    // The grid's current tile while the grid has the keyboard.
    property bool current: false

    opacity: approved ? 1 : 0.45
    padding: 6
    hoverEnabled: true
    // The grid keeps the keyboard focus and moves its current tile.
    focusPolicy: Qt.NoFocus
    Accessible.role: Accessible.CheckBox
    Accessible.checkable: true
    Accessible.checked: approved
    Accessible.name: name
    Accessible.description: reason
    ToolTip.text: path
    ToolTip.visible: hovered
    ToolTip.delay: 600

    background: Rectangle {
        radius: 10
        color: tile.hovered || tile.current ? Theme.surface : Theme.ivory
        border.width: tile.current ? 2 : 0
        border.color: Theme.focusRing
    }

    contentItem: Column {
        ThumbView {
            width: parent.width
            height: width * 0.75
            thumbnail: tile.thumbnail
            icon: tile.fileIcon
            border.width: 1
            border.color: Theme.hairline

            Image {
                anchors.top: parent.top
                anchors.right: parent.right
                anchors.margins: 7
                source: tile.approved ? "icons/checkmark.circle.fill.svg" : "icons/circle.svg"
                sourceSize.width: 22
                sourceSize.height: 22
            }
        }
        Text {
            topPadding: 8
            width: parent.width
            text: tile.name
            font.pixelSize: Theme.textBody
            font.weight: Font.Medium
            color: Theme.charcoal
            elide: Text.ElideMiddle
        }
        Text {
            topPadding: 2
            width: parent.width
            text: tile.reason
            font.pixelSize: Theme.textCaption
            color: Theme.muted
            elide: Text.ElideRight
        }
    }
}
