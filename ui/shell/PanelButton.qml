import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Tovrin.Core

// "primary" (filled), "secondary" (framed) or "plain" (text only).
Button {
    id: button
    property string kind: "primary"
    readonly property bool primary: kind === "primary"
    Layout.fillWidth: kind !== "plain"
    implicitHeight: kind === "plain" ? 28 : 34
    hoverEnabled: true
    font.pixelSize: 13
    font.weight: primary ? Font.DemiBold : Font.Normal

    contentItem: Text {
        text: button.text
        font: button.font
        color: button.primary ? Theme.ivory : button.kind === "plain" ? Theme.muted : Theme.charcoal
        horizontalAlignment: Text.AlignHCenter
        verticalAlignment: Text.AlignVCenter
        elide: Text.ElideRight
    }

    background: Rectangle {
        radius: 9
        color: button.primary ? (button.down ? "#333336" : button.hovered ? "#242426" : Theme.charcoal)
             : button.kind === "plain" ? (button.hovered ? Theme.sand : "transparent")
             : (button.down ? Theme.stone : button.hovered ? Theme.sand : Theme.ivory)
        border.width: button.kind === "secondary" ? 1 : 0
        border.color: Theme.stone
    }
}
