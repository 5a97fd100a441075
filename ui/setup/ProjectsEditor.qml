pragma ComponentBehavior: Bound

import QtQuick
import QtQuick.Controls.Basic
import QtQuick.Layouts
import Tovrin.Core
import Tovrin.Setup

// The known projects, each removable, and a row to add one.
Card {
    id: editor

    required property SettingsController preferences
    property string name: ""
    property string aliases: ""

    function add() {
        if (preferences.addProject(name, aliases)) {
            name = "";
            aliases = "";
        }
    }

    spacing: 0

    Text {
        objectName: "noProjects"
        Layout.fillWidth: true
        Layout.bottomMargin: 14
        visible: editor.preferences.projects.length === 0
        text: qsTr("None yet. They're learned automatically on your first refresh.")
        color: Theme.muted
        font.pixelSize: Theme.textBody
        wrapMode: Text.WordWrap
    }

    Repeater {
        model: editor.preferences.projects

        delegate: ColumnLayout {
            id: projectRow

            required property var modelData

            objectName: "project-" + modelData.name
            Layout.fillWidth: true
            spacing: 0

            RowLayout {
                Layout.fillWidth: true
                Layout.topMargin: 8
                Layout.bottomMargin: 8
                spacing: 12

                ColumnLayout {
                    Layout.fillWidth: true
                    spacing: 2

                    Text {
                        Layout.fillWidth: true
                        text: projectRow.modelData.name
                        color: Theme.charcoal
                        font.pixelSize: Theme.textLarge
                        font.weight: Font.Medium
                        elide: Text.ElideRight
                    }
                    Text {
                        Layout.fillWidth: true
                        visible: projectRow.modelData.aliases.length > 0
                        text: projectRow.modelData.aliases
                        color: Theme.muted
                        font.pixelSize: Theme.textNote
                        elide: Text.ElideRight
                    }
                }
                ToolButton {
                    id: removeButton
                    objectName: "remove"
                    implicitWidth: 28
                    implicitHeight: 28
                    icon.source: "icons/xmark.svg"
                    icon.width: 16
                    icon.height: 16
                    icon.color: Theme.muted
                    background: Rectangle {
                        radius: 8
                        color: removeButton.hovered ? Theme.sand : "transparent"
                    }
                    onClicked: editor.preferences.removeProject(projectRow.modelData.id)
                }
            }
            Rectangle {
                Layout.fillWidth: true
                Layout.bottomMargin: 6
                implicitHeight: 1
                color: Theme.hairline
            }
        }
    }

    RowLayout {
        Layout.fillWidth: true
        Layout.topMargin: 8
        spacing: 8

        TextField {
            id: nameField
            objectName: "projectName"
            Layout.fillWidth: true
            Layout.preferredWidth: 5
            placeholderText: qsTr("Add a project, e.g. Pellmark")
            text: editor.name
            onTextChanged: editor.name = text
            onAccepted: editor.add()
            font.pixelSize: Theme.textBody
            color: Theme.charcoal
            placeholderTextColor: Theme.muted
            leftPadding: 10
            background: Rectangle {
                implicitHeight: 34
                radius: 8
                color: Theme.ivory
                border.color: nameField.activeFocus ? Theme.charcoal : Theme.stone
            }
        }
        TextField {
            id: aliasesField
            objectName: "projectAliases"
            Layout.fillWidth: true
            Layout.preferredWidth: 6
            placeholderText: qsTr("Other names, comma separated")
            text: editor.aliases
            onTextChanged: editor.aliases = text
            onAccepted: editor.add()
            font.pixelSize: Theme.textBody
            color: Theme.charcoal
            placeholderTextColor: Theme.muted
            leftPadding: 10
            background: Rectangle {
                implicitHeight: 34
                radius: 8
                color: Theme.ivory
                border.color: aliasesField.activeFocus ? Theme.charcoal : Theme.stone
            }
        }
        Button {
            id: addButton
            objectName: "addProject"
            implicitWidth: 34
            implicitHeight: 34
            padding: 0
            icon.source: "icons/plus.svg"
            icon.width: 16
            icon.height: 16
            icon.color: Theme.ivory
            display: AbstractButton.IconOnly
            background: Rectangle {
                radius: 8
                color: addButton.down ? Theme.filledPressed : Theme.charcoal
            }
            onClicked: editor.add()
        }
    }
}
