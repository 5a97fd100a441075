import QtQuick
import QtQuick.Layouts
import Tovrin.Core
import Tovrin.Shell

ColumnLayout {
    id: panel
    objectName: "idlePanel"
    required property AppState appState
    required property MenuController model
    spacing: 12

    PanelHeader {
        subtitle: panel.model.lastRunText
        Layout.fillWidth: true
        Layout.bottomMargin: 2
    }

    ColumnLayout {
        objectName: "welcome"
        visible: !panel.model.onboarded
        spacing: 8
        Layout.fillWidth: true
        Text {
            text: Desktop.text(DesktopWords.Phrase.freshStart)
            color: Theme.charcoal
            font.pixelSize: Theme.textHeading
            font.weight: Font.DemiBold
            Layout.fillWidth: true
            wrapMode: Text.Wrap
        }
        Text {
            text: qsTr("Tovrin learns what you work on and gives every file a home, based on what's inside, not what it's named.")
            color: Theme.muted
            font.pixelSize: Theme.textBody
            lineHeight: 1.15
            wrapMode: Text.Wrap
            Layout.fillWidth: true
            Layout.bottomMargin: 6
        }
        CalmButton {
            objectName: "getStarted"
            kind: CalmButton.Primary
            text: qsTr("Get started")
            Layout.fillWidth: true
            onClicked: Shell.openWindow("onboarding")
        }
    }

    ColumnLayout {
        objectName: "actions"
        visible: panel.model.onboarded
        spacing: 6
        Layout.fillWidth: true

        Card {
            heading: qsTr("SINCE YOUR LAST REFRESH")
            Layout.bottomMargin: 6
            padding: 14
            color: Theme.surface
            spacing: 10
            RowLayout {
                spacing: 8
                Layout.fillWidth: true
                Stat {
                    objectName: "newFiles"
                    value: Format.count(panel.appState.newFiles)
                    label: qsTr("new file(s)", "", panel.appState.newFiles)
                }
                Stat {
                    objectName: "projects"
                    value: Format.count(panel.model.projects)
                    label: qsTr("project(s)", "", panel.model.projects)
                }
                Stat {
                    objectName: "folders"
                    value: Format.count(panel.model.folders)
                    label: qsTr("folder(s)", "", panel.model.folders)
                }
            }
        }
        CalmButton {
            objectName: "refreshNow"
            kind: CalmButton.Primary
            text: qsTr("Refresh now")
            Layout.fillWidth: true
            Layout.bottomMargin: 4
            onClicked: panel.appState.start(Tidy.Mode.quick)
        }
        MenuRow {
            objectName: "deepClean"
            icon: "folder"
            title: qsTr("Deep clean everything")
            detail: qsTr("All folders")
            onTriggered: panel.appState.start(Tidy.Mode.deep)
        }
        MenuRow {
            objectName: "clearJunk"
            icon: "trash"
            title: qsTr("Clear out junk & duplicates")
            onTriggered: panel.appState.start(Tidy.Mode.junkOnly)
        }
        MenuRow {
            objectName: "undo"
            icon: "arrow.uturn.backward"
            title: qsTr("Undo last refresh")
            detail: panel.appState.lastLogText
            onTriggered: panel.appState.undoLast()
        }
        Rectangle {
            Layout.fillWidth: true
            Layout.topMargin: 2
            Layout.bottomMargin: 2
            implicitHeight: 1
            color: Theme.hairline
        }
        RowLayout {
            spacing: 10
            Layout.fillWidth: true
            Layout.leftMargin: 10
            Layout.rightMargin: 4
            ColumnLayout {
                spacing: 1
                Layout.fillWidth: true
                Text {
                    text: qsTr("Sunday Reset")
                    color: Theme.charcoal
                    font.pixelSize: Theme.textBody
                }
                Text {
                    text: qsTr("Sorts your week's new files every Sunday at 9 AM")
                    color: Theme.muted
                    font.pixelSize: Theme.textCaption
                    wrapMode: Text.Wrap
                    Layout.fillWidth: true
                }
            }
            CalmSwitch {
                objectName: "sundayReset"
                checked: panel.model.autoTidy
                onToggled: panel.model.autoTidy = checked
            }
        }
    }

    MessageLine {
        text: panel.model.message
    }

    CalmButton {
        objectName: "quit"
        kind: CalmButton.Quiet
        text: qsTr("Quit")
        Layout.alignment: Qt.AlignRight
        onClicked: Shell.quit()
    }
}
