import QtQuick
import QtQuick.Controls.Basic
import QtQuick.Layouts
import Tovrin.Core

// One destination in the sidebar; the whole row is the button.
ItemDelegate {
    id: row

    property string name
    property int count
    property bool selected: false

    implicitHeight: 32
    leftPadding: 10
    // Reached with Tab; a click leaves the keyboard with the list on show.
    focusPolicy: Qt.TabFocus
    rightPadding: 10
    Accessible.name: qsTr("%1, %Ln file(s)", "", count).arg(name)

    contentItem: RowLayout {
        spacing: 8
        Image {
            source: "qrc:/qt/qml/Tovrin/Core/icons/folder.svg"
            sourceSize.width: 16
            sourceSize.height: 16
            opacity: row.selected ? 0.95 : 0.6
        }
        Text {
            Layout.fillWidth: true
            text: row.name
            font.pixelSize: Theme.textBody
            font.weight: row.selected ? Font.DemiBold : Font.Normal
            color: Theme.charcoal
            elide: Text.ElideRight
        }
        Text {
            text: Format.count(row.count)
            font.pixelSize: Theme.textNote
            color: Theme.muted
        }
    }

    background: Rectangle {
        radius: 7
        color: row.selected ? Theme.stone : (row.hovered ? Theme.sand : "transparent")
        border.width: row.visualFocus ? 2 : 0
        border.color: Theme.focusRing
    }
}
