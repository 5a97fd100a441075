pragma ComponentBehavior: Bound

import QtQuick
import QtQuick.Controls.Basic
import Tovrin.Core
import Tovrin.Review

// Junk and duplicates by review folder, largest first. Nothing here is
// deleted: ticked files move to a folder the user empties.
FocusScope {
    id: root

    required property AppState appState

    TabHeader {
        id: header
        anchors.left: parent.left
        anchors.right: parent.right
        title: qsTr("Clear out")
        subtitle: qsTr("Nothing here is deleted. Checked files move to a review folder you empty yourself; unchecked files stay exactly where they are.")
    }

    ListView {
        id: list
        objectName: "junkList"
        anchors.top: header.bottom
        anchors.topMargin: 12
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.bottom: parent.bottom
        focus: true
        activeFocusOnTab: true
        clip: true
        reuseItems: true
        boundsBehavior: Flickable.StopAtBounds
        ScrollBar.vertical: ScrollBar {
        }
        Accessible.name: qsTr("Junk groups")
        Accessible.role: Accessible.List

        model: JunkModel {
            id: rows
            state: root.appState
        }

        delegate: Item {
            id: row
            required property var model
            required property int index
            readonly property bool heading: model.rowKind === "heading"
            readonly property bool item: model.rowKind === "item"
            objectName: heading ? "junkGroup-" + model.groupName : (item ? "junk-" + model.itemId : "junkMore-" + model.groupName)
            width: ListView.view.width
            height: heading ? (index === 0 ? 64 : 78) : 34

            // A group's heading: its name, why, what is ticked, and the
            // one button for the whole group.
            Rectangle {
                visible: row.heading
                anchors.left: parent.left
                anchors.right: parent.right
                anchors.bottom: parent.bottom
                height: 60
                radius: 10
                color: Theme.surface

                IconButton {
                    id: chevron
                    objectName: "collapse"
                    anchors.left: parent.left
                    anchors.leftMargin: 10
                    anchors.verticalCenter: parent.verticalCenter
                    iconSource: row.model.collapsed ? "icons/chevron.right.svg" : "icons/chevron.down.svg"
                    Accessible.name: (row.model.collapsed ? qsTr("Show %1") : qsTr("Hide %1")).arg(row.model.groupName)
                    onClicked: rows.toggleCollapsed(row.index)
                }
                Column {
                    anchors.left: chevron.right
                    anchors.leftMargin: 8
                    anchors.right: groupSize.left
                    anchors.rightMargin: 16
                    anchors.verticalCenter: parent.verticalCenter
                    spacing: 2
                    Text {
                        width: parent.width
                        text: row.heading ? row.model.groupName : ""
                        font.pixelSize: Theme.textLarge
                        font.weight: Font.DemiBold
                        color: Theme.charcoal
                        elide: Text.ElideRight
                    }
                    Text {
                        width: parent.width
                        text: row.heading ? row.model.reason : ""
                        font.pixelSize: Theme.textNote
                        color: Theme.muted
                        elide: Text.ElideRight
                    }
                }
                Column {
                    id: groupSize
                    anchors.right: keep.left
                    anchors.rightMargin: 14
                    anchors.verticalCenter: parent.verticalCenter
                    spacing: 2
                    Text {
                        anchors.right: parent.right
                        text: row.heading ? row.model.sizeText : ""
                        font.pixelSize: Theme.textBody
                        font.weight: Font.DemiBold
                        color: Theme.charcoal
                    }
                    Text {
                        anchors.right: parent.right
                        text: row.heading ? row.model.countText : ""
                        font.pixelSize: Theme.textNote
                        color: Theme.muted
                    }
                }
                CalmButton {
                    id: keep
                    objectName: "keepAll"
                    anchors.right: parent.right
                    anchors.rightMargin: 12
                    anchors.verticalCenter: parent.verticalCenter
                    width: 118
                    text: row.model.anyApproved ? qsTr("Keep all") : qsTr("Include again")
                    ToolTip.text: qsTr("Keep these files where they are")
                    ToolTip.visible: hovered
                    ToolTip.delay: 600
                    onClicked: root.appState.setApproved(row.model.groupIds, !row.model.anyApproved)
                }
            }

            // One file of a group.
            Item {
                visible: row.item
                anchors.fill: parent

                Tick {
                    id: tick
                    objectName: "junkTick"
                    anchors.left: parent.left
                    anchors.leftMargin: 16
                    anchors.verticalCenter: parent.verticalCenter
                    checked: row.item && row.model.approved
                    focusPolicy: Qt.NoFocus
                    Accessible.name: row.item ? row.model.fileName : ""
                    onClicked: {
                        list.currentIndex = row.index;
                        root.appState.toggle(row.model.itemId);
                    }
                }
                Image {
                    id: fileIcon
                    anchors.left: tick.right
                    anchors.leftMargin: 12
                    anchors.verticalCenter: parent.verticalCenter
                    source: row.item ? row.model.icon : ""
                    sourceSize.width: 18
                    sourceSize.height: 18
                    opacity: 0.6
                }
                Text {
                    anchors.left: fileIcon.right
                    anchors.leftMargin: 8
                    anchors.right: fileSize.left
                    anchors.rightMargin: 12
                    anchors.verticalCenter: parent.verticalCenter
                    text: row.item ? row.model.fileName : ""
                    font.pixelSize: Theme.textBody
                    color: Theme.charcoal
                    elide: Text.ElideMiddle
                    opacity: row.item && row.model.approved ? 1 : 0.5
                }
                Text {
                    id: fileSize
                    anchors.right: parent.right
                    anchors.rightMargin: 16
                    anchors.verticalCenter: parent.verticalCenter
                    text: row.item ? row.model.sizeText : ""
                    font.pixelSize: Theme.textNote
                    color: Theme.muted
                }
                Rectangle {
                    anchors.fill: parent
                    radius: 6
                    color: "transparent"
                    border.width: 2
                    border.color: Theme.focusRing
                    visible: row.ListView.isCurrentItem && list.activeFocus
                }
            }

            // What lies past the first 200 files of a group.
            Text {
                visible: !row.heading && !row.item
                anchors.left: parent.left
                anchors.leftMargin: 46
                anchors.verticalCenter: parent.verticalCenter
                text: visible ? row.model.moreText : ""
                font.pixelSize: Theme.textNote
                font.italic: true
                color: Theme.muted
            }
        }

        Keys.onSpacePressed: event => {
            const id = rows.idAt(currentIndex);
            if (id >= 0)
                root.appState.toggle(id);
        }
    }
}
