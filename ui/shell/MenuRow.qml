import QtQuick
import QtQuick.Layouts
import Tovrin.Core

// A full-width row; a click anywhere on it runs the action.
Rectangle {
    id: row
    property string icon
    property string title
    property string detail
    readonly property bool hovered: mouse.containsMouse
    signal triggered

    Layout.fillWidth: true
    implicitHeight: Math.max(40, lines.implicitHeight + 14)
    radius: 8
    color: mouse.pressed ? Theme.stone : hovered ? Theme.sand : "transparent"

    RowLayout {
        anchors.fill: parent
        anchors.leftMargin: 10
        anchors.rightMargin: 10
        spacing: 10
        Image {
            source: "qrc:/qt/qml/Tovrin/Core/icons/" + row.icon + ".svg"
            sourceSize.width: 18
            sourceSize.height: 18
            Layout.preferredWidth: 18
            Layout.preferredHeight: 18
            opacity: 0.8
        }
        ColumnLayout {
            id: lines
            spacing: 1
            Layout.fillWidth: true
            Text {
                text: row.title
                color: Theme.charcoal
                font.pixelSize: Theme.textBody
                elide: Text.ElideRight
                Layout.fillWidth: true
            }
            Text {
                text: row.detail
                visible: row.detail.length > 0
                color: Theme.muted
                font.pixelSize: Theme.textCaption
                elide: Text.ElideRight
                Layout.fillWidth: true
            }
        }
    }

    MouseArea {
        id: mouse
        anchors.fill: parent
        hoverEnabled: true
        cursorShape: Qt.PointingHandCursor
        onClicked: row.triggered()
    }
}
