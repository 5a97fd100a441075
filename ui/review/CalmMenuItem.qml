import QtQuick
import QtQuick.Controls.Basic
import Tovrin.Core

MenuItem {
    id: item
    implicitHeight: 30
    leftPadding: 14
    rightPadding: 14
    font.pixelSize: Theme.textBody
    Accessible.name: text

    contentItem: Text {
        text: item.text
        font: item.font
        color: Theme.charcoal
        verticalAlignment: Text.AlignVCenter
        elide: Text.ElideRight
    }
    background: Rectangle {
        anchors.fill: parent
        anchors.leftMargin: 6
        anchors.rightMargin: 6
        radius: 6
        color: item.highlighted ? Theme.sand : "transparent"
    }
}
