import QtQuick
import Tovrin.Core
import Tovrin.Review

// The plan of a refresh before anything moves: four tabs over one plan, the
// destinations on the left, and the approval at the bottom.
FocusScope {
    id: root

    required property AppState appState

    // Escape, "Organize only" and the approve button: the window closes.
    // Only the buttons apply the plan; Return presses the focused one.
    signal closeRequested

    implicitWidth: 1240
    implicitHeight: 780
    // The room the tabs, the sidebar, the grid and the footer need.
    readonly property size minimumSize: Qt.size(1000, 640)
    focus: true

    ReviewController {
        id: reviewPanel
        appState: root.appState
    }

    function approve(includeRenames) {
        root.appState.apply(includeRenames);
        root.closeRequested();
    }

    Keys.onEscapePressed: root.closeRequested()

    Rectangle {
        anchors.fill: parent
        color: Theme.ivory
    }

    TabStrip {
        id: tabStrip
        objectName: "tabs"
        panel: reviewPanel
        anchors.top: parent.top
        anchors.topMargin: 16
        anchors.horizontalCenter: parent.horizontalCenter
    }

    Rectangle {
        id: topRule
        anchors.top: tabStrip.bottom
        anchors.topMargin: 16
        width: parent.width
        height: 1
        color: Theme.hairline
    }

    Item {
        id: body
        anchors.top: topRule.bottom
        anchors.bottom: bottomRule.top
        anchors.left: parent.left
        anchors.right: parent.right

        Sidebar {
            id: sidebar
            appState: root.appState
            panel: reviewPanel
            width: 248
            anchors.top: parent.top
            anchors.bottom: parent.bottom
        }
        Rectangle {
            id: divider
            anchors.left: sidebar.right
            anchors.top: parent.top
            anchors.bottom: parent.bottom
            width: 1
            color: Theme.hairline
        }

        Item {
            id: content
            anchors.left: divider.right
            anchors.right: parent.right
            anchors.top: parent.top
            anchors.bottom: parent.bottom
            anchors.margins: 24
            anchors.bottomMargin: 0

            SuggestionBanner {
                id: banner
                objectName: "banner"
                panel: reviewPanel
                visible: reviewPanel.bannerShown
                anchors.left: parent.left
                anchors.right: parent.right
                anchors.top: parent.top
            }

            Loader {
                id: page
                objectName: "page"
                anchors.top: banner.visible ? banner.bottom : parent.top
                anchors.topMargin: banner.visible ? 18 : 0
                anchors.left: parent.left
                anchors.right: parent.right
                anchors.bottom: parent.bottom
                focus: true
                sourceComponent: [organize, rename, junk, needs][reviewPanel.tab]
            }
        }

        // Over everything but the tabs and the footer, so the counts still read.
        Rectangle {
            objectName: "emptyState"
            anchors.fill: parent
            visible: reviewPanel.empty
            color: Theme.ivory

            Column {
                anchors.centerIn: parent
                spacing: 6
                Image {
                    anchors.horizontalCenter: parent.horizontalCenter
                    source: "icons/checkmark.shield.svg"
                    sourceSize.width: 40
                    sourceSize.height: 40
                    opacity: 0.5
                }
                Item {
                    width: 1
                    height: 6
                }
                Text {
                    anchors.horizontalCenter: parent.horizontalCenter
                    text: qsTr("Nothing waiting")
                    font.pixelSize: Theme.textSubtitle
                    font.weight: Font.DemiBold
                    color: Theme.charcoal
                }
                Text {
                    anchors.horizontalCenter: parent.horizontalCenter
                    text: Desktop.text(DesktopWords.Phrase.startFromIcon)
                    font.pixelSize: Theme.textBody
                    color: Theme.muted
                }
            }
        }
    }

    // Loaded by a Loader, which this Qt cannot combine with bound components,
    // so qmllint cannot see the ids these read.
    // qmllint disable unqualified
    Component {
        id: organize
        OrganizeTab {
            appState: root.appState
            panel: reviewPanel
            focus: true
        }
    }
    Component {
        id: rename
        RenameTab {
            appState: root.appState
            focus: true
        }
    }
    Component {
        id: junk
        JunkTab {
            appState: root.appState
            focus: true
        }
    }
    Component {
        id: needs
        NeedsTab {
            appState: root.appState
            panel: reviewPanel
            focus: true
        }
    }
    // qmllint enable unqualified

    Rectangle {
        id: bottomRule
        anchors.bottom: footer.top
        width: parent.width
        height: 1
        color: Theme.hairline
    }

    Rectangle {
        id: footer
        anchors.bottom: parent.bottom
        width: parent.width
        height: 64
        color: Theme.surface

        Image {
            id: shield
            anchors.left: parent.left
            anchors.leftMargin: 24
            anchors.verticalCenter: parent.verticalCenter
            source: "icons/checkmark.shield.svg"
            sourceSize.width: 18
            sourceSize.height: 18
            opacity: 0.7
        }
        Text {
            anchors.left: shield.right
            anchors.leftMargin: 8
            anchors.verticalCenter: parent.verticalCenter
            text: qsTr("Nothing is deleted · undo anytime")
            font.pixelSize: Theme.textBody
            color: Theme.muted
        }
        Row {
            anchors.right: parent.right
            anchors.rightMargin: 24
            anchors.verticalCenter: parent.verticalCenter
            spacing: 10

            CalmButton {
                objectName: "organizeOnly"
                text: qsTr("Organize only")
                onClicked: root.approve(false)
            }
            CalmButton {
                objectName: "approve"
                kind: CalmButton.Primary
                text: reviewPanel.approveText
                onClicked: root.approve(true)
            }
        }
    }
}
