pragma ComponentBehavior: Bound

import QtQuick
import Tovrin.Core
import Tovrin.Review

// Names the plan keeps pointing at that are not projects yet.
Rectangle {
    id: root

    required property ReviewController panel

    implicitHeight: content.implicitHeight + 20
    radius: 10
    color: Theme.notice
    border.width: 1
    border.color: Theme.noticeBorder

    Image {
        id: sparkles
        anchors.left: parent.left
        anchors.leftMargin: 14
        anchors.top: parent.top
        anchors.topMargin: 14
        source: "qrc:/qt/qml/Tovrin/Core/icons/sparkles.svg"
        sourceSize.width: 18
        sourceSize.height: 18
    }

    Column {
        id: content
        anchors.left: sparkles.right
        anchors.leftMargin: 10
        anchors.right: parent.right
        anchors.rightMargin: 10
        anchors.verticalCenter: parent.verticalCenter
        spacing: 4

        Text {
            objectName: "addedNote"
            visible: root.panel.addedNote !== ""
            height: visible ? 28 : 0
            verticalAlignment: Text.AlignVCenter
            text: root.panel.addedNote
            font.pixelSize: Theme.textBody
            color: Theme.charcoal
        }

        Repeater {
            model: root.panel.suggestions

            delegate: Item {
                id: suggestion
                required property var modelData
                objectName: "suggestion-" + modelData.name
                width: content.width
                height: 28

                Text {
                    anchors.left: parent.left
                    anchors.right: add.left
                    anchors.rightMargin: 12
                    anchors.verticalCenter: parent.verticalCenter
                    textFormat: Text.StyledText
                    // The name goes in last, so a "%" in it is never taken for a place.
                    text: qsTr("Looks like a project: <b>%2</b><font color=\"%1\"> (%Ln file(s))</font>", "", suggestion.modelData.count).arg(Theme.muted).arg(escaped(suggestion.modelData.name))
                    font.pixelSize: Theme.textBody
                    color: Theme.charcoal
                    elide: Text.ElideRight

                    function escaped(text) {
                        return text.replace(/&/g, "&amp;").replace(/</g, "&lt;").replace(/>/g, "&gt;");
                    }
                }
                CalmButton {
                    id: add
                    objectName: "addSuggestion"
                    anchors.right: dismiss.left
                    anchors.rightMargin: 6
                    anchors.verticalCenter: parent.verticalCenter
                    implicitHeight: 26
                    text: qsTr("Add")
                    Accessible.name: qsTr("Add %1 as a project").arg(suggestion.modelData.name)
                    onClicked: root.panel.addSuggestion(suggestion.modelData.name)
                }
                IconButton {
                    id: dismiss
                    objectName: "dismissSuggestion"
                    anchors.right: parent.right
                    anchors.verticalCenter: parent.verticalCenter
                    iconSource: "qrc:/qt/qml/Tovrin/Core/icons/xmark.svg"
                    Accessible.name: qsTr("Hide %1").arg(suggestion.modelData.name)
                    onClicked: root.panel.dismiss(suggestion.modelData.name)
                }
            }
        }
    }
}
