pragma ComponentBehavior: Bound

import QtQuick
import QtQuick.Controls.Basic
import QtQuick.Layouts
import Tovrin.Core
import Tovrin.Review

// Files Tovrin was not sure about: send each to a folder, or leave it.
FocusScope {
    id: root

    required property AppState appState
    required property ReviewController panel

    TabHeader {
        id: header
        anchors.left: parent.left
        anchors.right: parent.right
        title: qsTr("Needs You")
        subtitle: qsTr("Tovrin wasn't sure about these. Send them to a folder, or leave them where they are.")
    }

    // The project field gives way when the buttons' titles need the room.
    RowLayout {
        id: bulk
        anchors.top: header.bottom
        anchors.topMargin: 16
        anchors.left: parent.left
        anchors.right: parent.right
        spacing: 8
        visible: root.panel.hasNeeds
        height: visible ? 32 : 0

        CalmButton {
            id: sendAll
            objectName: "sendAll"
            text: qsTr("Send all to…")
            onClicked: sendAllMenu.popup(sendAll, 0, sendAll.height + 4)

            CalmMenu {
                id: sendAllMenu
                objectName: "sendAllMenu"

                Instantiator {
                    model: root.panel.destinationChoices
                    delegate: CalmMenuItem {
                        required property string modelData
                        text: modelData
                        onTriggered: root.panel.sendAllTo(modelData)
                    }
                    onObjectAdded: (index, object) => sendAllMenu.insertItem(index, object)
                    onObjectRemoved: (index, object) => sendAllMenu.removeItem(object)
                }
                CalmMenuItem {
                    text: qsTr("Archive")
                    onTriggered: root.panel.sendAllTo(root.panel.archiveFolder)
                }
                CalmMenuItem {
                    text: qsTr("Needs You folder")
                    onTriggered: root.panel.sendAllTo(root.panel.needsYouFolder)
                }
            }
        }
        CalmButton {
            objectName: "leaveAll"
            text: qsTr("Leave all where they are")
            onClicked: root.panel.leaveAll()
        }
        TextField {
            id: field
            objectName: "projectField"
            Layout.leftMargin: 8
            Layout.fillWidth: true
            Layout.maximumWidth: 260
            Layout.preferredHeight: 32
            placeholderText: qsTr("Add a project, e.g. Pellmark")
            placeholderTextColor: Theme.faint
            text: root.panel.newProject
            font.pixelSize: Theme.textBody
            color: Theme.charcoal
            leftPadding: 10
            Accessible.name: qsTr("Add a project")
            onTextEdited: root.panel.newProject = text
            // Handled here, so Return in the field never reaches the window's
            // approve key.
            Keys.onReturnPressed: root.panel.addTyped()
            Keys.onEnterPressed: root.panel.addTyped()
            background: Rectangle {
                radius: 8
                color: Theme.ivory
                border.width: field.activeFocus ? 2 : 1
                border.color: field.activeFocus ? Theme.focusRing : Theme.stone
            }
        }
        CalmButton {
            objectName: "addProject"
            text: qsTr("Add")
            enabled: root.panel.canAdd
            onClicked: root.panel.addTyped()
        }
        Item {
            Layout.fillWidth: true
        }
    }

    // One menu for every row: a list of thousands keeps no menus of its own.
    CalmMenu {
        id: destinationMenu
        objectName: "destinationMenu"
        property var itemId

        CalmMenuItem {
            text: qsTr("Leave where it is")
            onTriggered: root.appState.setDestination(destinationMenu.itemId, "")
        }
        CalmMenuItem {
            text: qsTr("Needs You folder")
            onTriggered: root.appState.setDestination(destinationMenu.itemId, root.panel.needsYouFolder)
        }
        MenuSeparator {
            contentItem: Rectangle {
                implicitHeight: 1
                color: Theme.hairline
            }
        }
        Instantiator {
            model: root.panel.destinationChoices
            delegate: CalmMenuItem {
                required property string modelData
                text: modelData
                onTriggered: root.appState.setDestination(destinationMenu.itemId, modelData)
            }
            onObjectAdded: (index, object) => destinationMenu.insertItem(index + 3, object)
            onObjectRemoved: (index, object) => destinationMenu.removeItem(object)
        }
        CalmMenuItem {
            text: qsTr("Archive")
            onTriggered: root.appState.setDestination(destinationMenu.itemId, root.panel.archiveFolder)
        }
    }

    ListView {
        id: list
        objectName: "needsList"
        anchors.top: bulk.bottom
        anchors.topMargin: bulk.visible ? 14 : 0
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.bottom: parent.bottom
        focus: true
        activeFocusOnTab: true
        clip: true
        reuseItems: true
        spacing: 4
        boundsBehavior: Flickable.StopAtBounds
        ScrollBar.vertical: ScrollBar {
        }
        Accessible.name: qsTr("Files that need you")
        Accessible.role: Accessible.List

        model: ReviewModel {
            id: items
            state: root.appState
            tab: PlanTab.Tab.needs
        }

        delegate: Rectangle {
            id: row
            required property var model
            required property int index
            objectName: "needs-" + model.itemId
            width: ListView.view.width
            height: 60
            radius: 10
            color: Theme.surface
            border.width: ListView.isCurrentItem && list.activeFocus ? 2 : 0
            border.color: Theme.focusRing

            ThumbView {
                id: thumb
                anchors.left: parent.left
                anchors.leftMargin: 8
                anchors.verticalCenter: parent.verticalCenter
                width: 58
                height: 44
                color: Theme.ivory
                iconMargin: 8
                thumbMargin: 2
                thumbnail: row.model.thumbnail
                icon: row.model.icon
            }
            Column {
                anchors.left: thumb.right
                anchors.leftMargin: 12
                anchors.right: destination.left
                anchors.rightMargin: 16
                anchors.verticalCenter: parent.verticalCenter
                spacing: 2
                Text {
                    width: parent.width
                    text: row.model.fileName
                    font.pixelSize: Theme.textBody
                    font.weight: Font.Medium
                    color: Theme.charcoal
                    elide: Text.ElideMiddle
                }
                Text {
                    width: parent.width
                    text: row.model.reason
                    font.pixelSize: Theme.textNote
                    color: Theme.muted
                    elide: Text.ElideRight
                }
            }
            CalmButton {
                id: destination
                objectName: "destination"
                anchors.right: parent.right
                anchors.rightMargin: 12
                anchors.verticalCenter: parent.verticalCenter
                width: 180
                text: row.model.destinationText + "  ▾"
                focusPolicy: Qt.NoFocus
                Accessible.name: qsTr("Destination of %1: %2").arg(row.model.fileName).arg(row.model.destinationText)
                onClicked: {
                    list.currentIndex = row.index;
                    destinationMenu.itemId = row.model.itemId;
                    destinationMenu.popup(destination, destination.width - destinationMenu.width, destination.height + 4);
                }
            }
        }
    }
}
