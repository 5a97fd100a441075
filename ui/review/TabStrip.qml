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
            // A count, not the list: a changed count then redraws a label
            // instead of making the tabs anew.
            model: root.panel.tabs.length

            delegate: AbstractButton {
                id: tab
                required property int index
                readonly property var entry: root.panel.tabs[index]
                readonly property bool chosen: root.panel.tab === entry.tab
                objectName: "tab-" + entry.key
                implicitWidth: implicitContentWidth + 28
                implicitHeight: 28
                focusPolicy: Qt.TabFocus
                Accessible.role: Accessible.PageTab
                Accessible.name: entry.title + ", " + entry.countText
                Accessible.selected: chosen
                onClicked: root.panel.tab = entry.tab

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
                            text: tab.entry.title
                            font.pixelSize: Theme.textBody
                            font.weight: tab.chosen ? Font.DemiBold : Font.Medium
                            color: Theme.charcoal
                        }
                        Text {
                            text: tab.entry.countText
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
