import QtQuick
import QtQuick.Controls.Basic
import Tovrin.Core
import Tovrin.Review

// The destination groups of the Organize items; a click shows that group.
Rectangle {
    id: root

    required property AppState appState
    required property ReviewController panel

    color: Theme.surface

    ListView {
        id: list
        objectName: "sidebar"
        anchors.fill: parent
        anchors.margins: 12
        clip: true
        spacing: 2
        boundsBehavior: Flickable.StopAtBounds
        ScrollBar.vertical: ScrollBar {
        }

        model: GroupModel {
            state: root.appState
        }

        // The header cannot be a bound component on this Qt, so qmllint
        // cannot see the ids it and the rows read.
        // qmllint disable unqualified
        header: Column {
            width: list.width
            spacing: 2
            bottomPadding: 2

            Text {
                text: qsTr("DESTINATIONS")
                leftPadding: 10
                topPadding: 6
                bottomPadding: 8
                font.pixelSize: Theme.textCaption
                font.weight: Font.DemiBold
                font.letterSpacing: 0.6
                color: Theme.muted
            }
            SidebarRow {
                objectName: "group-Everything"
                width: list.width
                name: qsTr("Everything")
                count: root.panel.everythingCount
                selected: root.panel.group === ""
                onClicked: root.panel.showGroup("")
            }
        }

        delegate: SidebarRow {
            required property var model
            objectName: "group-" + model.name
            width: ListView.view.width
            name: model.name
            count: model.count
            selected: root.panel.group === model.name
            onClicked: root.panel.showGroup(model.name)
        }
        // qmllint enable unqualified
    }
}
