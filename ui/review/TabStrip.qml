pragma ComponentBehavior: Bound

import QtQuick
import QtQuick.Controls.Basic
import Tovrin.Core
import Tovrin.Review

// The four tabs as one segmented control, each with its count.
Rectangle {
    id: root

    required property ReviewController panel

    implicitWidth: tabs.implicitWidth + 6
    implicitHeight: 34
    radius: 9
    color: Theme.sand

    Row {
        id: tabs
        anchors.centerIn: parent
        spacing: 2

        Repeater {
            model: root.panel.tabs

            delegate: AbstractButton {
                id: tab
                required property var modelData
                readonly property bool chosen: root.panel.tab === modelData.tab
                objectName: "tab-" + modelData.key
                implicitWidth: implicitContentWidth + 28
                implicitHeight: 28
                focusPolicy: Qt.TabFocus
                Accessible.role: Accessible.PageTab
                Accessible.name: modelData.title + ", " + modelData.countText
                Accessible.selected: chosen
                onClicked: root.panel.tab = modelData.tab

                background: Rectangle {
                    radius: 7
                    color: tab.chosen ? Theme.ivory : (tab.hovered ? Theme.hover : "transparent")
                    border.width: tab.visualFocus ? 2 : (tab.chosen ? 1 : 0)
                    border.color: tab.visualFocus ? Theme.focusRing : Theme.hairline
                }
                contentItem: Item {
                    implicitWidth: children[0].implicitWidth
                    Row {
                        anchors.centerIn: parent
                        spacing: 6
                        Text {
                            text: tab.modelData.title
                            font.pixelSize: Theme.textBody
                            font.weight: tab.chosen ? Font.DemiBold : Font.Medium
                            color: Theme.charcoal
                        }
                        Text {
                            text: tab.modelData.countText
                            font.pixelSize: Theme.textNote
                            color: Theme.muted
                            anchors.baseline: parent.children[0].baseline
                        }
                    }
                }
            }
        }
    }
}
