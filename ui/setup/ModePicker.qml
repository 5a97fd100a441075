pragma ComponentBehavior: Bound

import QtQuick
import QtQuick.Layouts
import Tovrin.Core

// A row of choices; the one whose id equals `model` is marked.
RowLayout {
    id: picker

    property string model
    property var options: [{
            "id": "claude-haiku-5-5",
            "title": qsTr("Quick"),
            "detail": Desktop.text(DesktopWords.Phrase.quickModelDetail)
        }, {
            "id": "claude-sonnet-5-5",
            "title": qsTr("Thorough"),
            "detail": qsTr("Slower, more careful with tricky files")
        }]
    signal chosen(string id)

    spacing: 10

    Repeater {
        model: picker.options

        delegate: Rectangle {
            id: choice

            required property var modelData
            readonly property bool selected: modelData.id === picker.model

            objectName: "mode-" + modelData.id
            Layout.fillWidth: true
            Layout.preferredWidth: 1
            implicitHeight: texts.implicitHeight + 28
            radius: 10
            color: Theme.ivory
            border.color: selected ? Theme.charcoal : Theme.stone
            border.width: selected ? 1.5 : 1

            ColumnLayout {
                id: texts
                anchors.left: parent.left
                anchors.right: mark.left
                anchors.verticalCenter: parent.verticalCenter
                anchors.leftMargin: 14
                anchors.rightMargin: 8
                spacing: 3

                Text {
                    text: choice.modelData.title
                    color: Theme.charcoal
                    font.pixelSize: Theme.textLarge
                    font.weight: Font.DemiBold
                }
                Text {
                    Layout.fillWidth: true
                    text: choice.modelData.detail
                    color: Theme.muted
                    font.pixelSize: Theme.textNote
                    wrapMode: Text.WordWrap
                }
            }
            Rectangle {
                id: mark
                anchors.right: parent.right
                anchors.top: parent.top
                anchors.margins: 12
                width: 18
                height: 18
                radius: 9
                color: choice.selected ? Theme.charcoal : "transparent"
                border.color: choice.selected ? Theme.charcoal : Theme.stone
                border.width: 1.5

                Image {
                    anchors.centerIn: parent
                    width: 12
                    height: 12
                    visible: choice.selected
                    source: "icons/checkmark.svg"
                    sourceSize.width: 24
                    sourceSize.height: 24
                }
            }
            MouseArea {
                anchors.fill: parent
                cursorShape: Qt.PointingHandCursor
                onClicked: if (!choice.selected)
                    picker.chosen(choice.modelData.id)
            }
        }
    }
}
