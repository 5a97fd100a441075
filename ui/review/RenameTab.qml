pragma ComponentBehavior: Bound

import QtQuick
import QtQuick.Controls.Basic
import Tovrin.Core
import Tovrin.Review

// Files with meaningless names and the clear names proposed for them.
FocusScope {
    id: root

    required property AppState appState

    TabHeader {
        id: header
        anchors.left: parent.left
        anchors.right: parent.right
        title: qsTr("Clear names")
        subtitle: qsTr("Only files with meaningless names. Extensions never change.")
    }

    ListView {
        id: list
        objectName: "renameList"
        anchors.top: header.bottom
        anchors.topMargin: 16
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
        Accessible.name: qsTr("Renames")
        Accessible.role: Accessible.List

        model: ReviewModel {
            id: items
            state: root.appState
            tab: PlanTab.Tab.rename
        }

        delegate: Rectangle {
            id: row
            required property var model
            required property int index
            objectName: "rename-" + model.itemId
            width: ListView.view.width
            height: 44
            color: ListView.isCurrentItem && list.activeFocus ? Theme.sand : (index % 2 ? Theme.ivory : Theme.stripe)
            radius: 8

            Tick {
                id: tick
                objectName: "renameTick"
                anchors.left: parent.left
                anchors.leftMargin: 12
                anchors.verticalCenter: parent.verticalCenter
                checked: row.model.renameApproved
                focusPolicy: Qt.NoFocus
                Accessible.name: qsTr("Rename %1 to %2").arg(row.model.fileName).arg(row.model.newName)
                onClicked: {
                    list.currentIndex = row.index;
                    root.appState.toggleRename(row.model.itemId);
                }
            }
            Text {
                id: oldName
                anchors.left: tick.right
                anchors.leftMargin: 14
                anchors.verticalCenter: parent.verticalCenter
                width: (row.width - 110) / 2
                text: row.model.fileName
                font.pixelSize: Theme.textBody
                color: Theme.muted
                elide: Text.ElideMiddle
            }
            Image {
                id: arrow
                anchors.left: oldName.right
                anchors.leftMargin: 12
                anchors.verticalCenter: parent.verticalCenter
                source: "icons/arrow.right.svg"
                sourceSize.width: 16
                sourceSize.height: 16
                opacity: 0.55
            }
            Text {
                anchors.left: arrow.right
                anchors.leftMargin: 12
                anchors.right: parent.right
                anchors.rightMargin: 12
                anchors.verticalCenter: parent.verticalCenter
                text: row.model.newName
                font.pixelSize: Theme.textBody
                font.weight: Font.Medium
                color: Theme.charcoal
                elide: Text.ElideMiddle
                opacity: row.model.renameApproved ? 1 : 0.45
            }
        }

        Keys.onSpacePressed: event => {
            if (currentIndex >= 0)
                root.appState.toggleRename(items.idAt(currentIndex));
        }
    }
}
