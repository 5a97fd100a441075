pragma ComponentBehavior: Bound

import QtQuick
import QtQuick.Controls.Basic
import Tovrin.Core
import Tovrin.Review

// The files that go into the organised folders, as a grid of tiles.
FocusScope {
    id: root

    required property AppState appState
    required property ReviewController panel

    TabHeader {
        id: header
        anchors.left: parent.left
        anchors.right: parent.right
        title: root.panel.groupTitle
        subtitle: root.panel.organizeSubtitle
    }

    GridView {
        id: grid
        objectName: "organizeGrid"
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
        keyNavigationWraps: false
        ScrollBar.vertical: ScrollBar {
        }
        Accessible.name: qsTr("Files to organize")
        Accessible.role: Accessible.List

        // Adaptive columns: as many of at least 150 as fit, at most 210 wide.
        readonly property int columns: Math.max(1, Math.floor(width / 150))
        cellWidth: Math.min(210, Math.floor(width / columns))
        cellHeight: Math.round((cellWidth - 12) * 0.75) + 64

        model: ReviewModel {
            id: items
            state: root.appState
            tab: PlanTab.Tab.organize
            group: root.panel.group
        }

        delegate: FileTile {
            required property var model
            required property int index
            objectName: "tile-" + model.itemId
            width: grid.cellWidth - 12
            height: grid.cellHeight - 12
            name: model.name
            reason: model.reason
            path: model.path
            thumbnail: model.thumbnail
            fileIcon: model.icon
            approved: model.approved
            current: GridView.isCurrentItem && grid.activeFocus
            onClicked: {
                grid.currentIndex = index;
                root.appState.toggle(model.itemId);
            }
        }

        Keys.onSpacePressed: event => {
            if (currentIndex >= 0)
                root.appState.toggle(items.idAt(currentIndex));
        }
    }
}
