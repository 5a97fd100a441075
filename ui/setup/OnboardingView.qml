pragma ComponentBehavior: Bound

import QtQuick
import QtQuick.Controls.Basic
import QtQuick.Layouts
import Tovrin.Core
import Tovrin.Setup

// The first-run window: the Claude key, then the few preferences that shape
// the first refresh. Edits stay in memory until the last step saves them.
Rectangle {
    id: root

    required property AppState appState
    property int step: 0
    property string key: ""
    readonly property bool testing: connection.testing
    readonly property string testResult: connection.result

    // Ask the shell to close this window.
    signal finished

    function test() {
        connection.run(key, prefs.model);
    }

    function next() {
        if (step === 0) {
            // A model on this computer needs no key, and none is kept for it.
            if (!prefs.localOn)
                root.appState.saveKey(key);
            step = 1;
        } else {
            prefs.finishOnboarding();
            root.finished();
        }
    }

    // Fits the taller step with its wrapped texts; a shorter window scrolls.
    implicitWidth: 620
    implicitHeight: 840
    color: Theme.surface

    SettingsController {
        id: prefs
        appState: root.appState
        saveAtOnce: false
    }
    ConnectionController {
        id: connection
    }

    ColumnLayout {
        id: page
        anchors.fill: parent
        anchors.margins: 32
        spacing: 24

        RowLayout {
            Layout.fillWidth: true
            spacing: 14

            SunriseMark {
            }
            ColumnLayout {
                Layout.fillWidth: true
                spacing: 1

                Text {
                    Layout.fillWidth: true
                    text: qsTr("Tovrin")
                    color: Theme.charcoal
                    font.pixelSize: Theme.textTitle
                    font.weight: Font.Bold
                }
                Text {
                    Layout.fillWidth: true
                    text: Desktop.text(DesktopWords.Phrase.freshStart)
                    color: Theme.muted
                    font.pixelSize: Theme.textBody
                }
            }
            Row {
                objectName: "steps"
                spacing: 8

                Repeater {
                    model: 2

                    delegate: Row {
                        id: marker

                        required property int index
                        readonly property bool done: index < root.step
                        readonly property bool current: index === root.step

                        spacing: 8

                        Rectangle {
                            visible: marker.index > 0
                            anchors.verticalCenter: parent.verticalCenter
                            width: 28
                            height: 1.5
                            color: root.step >= marker.index ? Theme.charcoal : Theme.stone
                        }
                        Rectangle {
                            width: 26
                            height: 26
                            radius: 13
                            color: marker.done || marker.current ? Theme.charcoal : Theme.ivory
                            border.color: marker.done || marker.current ? Theme.charcoal : Theme.stone
                            border.width: 1.5

                            Text {
                                anchors.centerIn: parent
                                visible: !marker.done
                                text: marker.index + 1
                                color: marker.current ? Theme.ivory : Theme.muted
                                font.pixelSize: Theme.textNote
                                font.weight: Font.DemiBold
                            }
                            Image {
                                objectName: "check"
                                anchors.centerIn: parent
                                visible: marker.done
                                width: 14
                                height: 14
                                source: "icons/checkmark.svg"
                                sourceSize.width: 28
                                sourceSize.height: 28
                            }
                        }
                    }
                }
            }
        }

        Rectangle {
            Layout.fillWidth: true
            implicitHeight: 1
            color: Theme.hairline
        }

        // On a short screen the step scrolls and its button stays below it.
        Flickable {
            id: scroller
            objectName: "scroller"
            Layout.fillWidth: true
            Layout.fillHeight: true
            // The scroll bar runs in the right margin, clear of the switches.
            Layout.rightMargin: -24
            contentWidth: width
            contentHeight: steps.height
            boundsBehavior: Flickable.StopAtBounds
            clip: true

            ScrollBar.vertical: ScrollBar {
                // Shown while there is more below, so a short screen says so.
                policy: scroller.height > 0 && size < 1 ? ScrollBar.AlwaysOn : ScrollBar.AsNeeded
            }

            StackLayout {
                id: steps
                width: scroller.width - 24
                height: Math.max(scroller.height, children[currentIndex].implicitHeight)
                currentIndex: root.step

                // Step 0: connect.
                ColumnLayout {
                    objectName: "connectStep"
                    spacing: 18

                    // The short step sits in the middle of the room the longer one needs.
                    Item {
                        Layout.fillHeight: true
                    }

                    ColumnLayout {
                        Layout.fillWidth: true
                        spacing: 6

                        Text {
                            text: qsTr("Connect Tovrin")
                            color: Theme.charcoal
                            font.pixelSize: Theme.textSubtitle
                            font.weight: Font.DemiBold
                        }
                        Text {
                            Layout.fillWidth: true
                            text: prefs.localOn ? qsTr("Tovrin asks the model server below, so no key is needed.") : Desktop.text(DesktopWords.Phrase.keyStaysHere)
                            color: Theme.muted
                            font.pixelSize: Theme.textBody
                            lineHeight: 1.2
                            wrapMode: Text.WordWrap
                        }
                    }
                    Card {
                        visible: !prefs.localOn
                        spacing: 14

                        TextField {
                            id: keyField
                            objectName: "keyField"
                            Layout.fillWidth: true
                            echoMode: TextInput.Password
                            text: root.key
                            onTextChanged: root.key = text
                            font.pixelSize: Theme.textLarge
                            color: Theme.charcoal
                            leftPadding: 12
                            background: Rectangle {
                                implicitHeight: 40
                                radius: 8
                                color: Theme.surface
                                border.color: keyField.activeFocus ? Theme.charcoal : Theme.stone
                            }
                        }
                        RowLayout {
                            Layout.fillWidth: true
                            spacing: 12

                            CalmButton {
                                objectName: "testButton"
                                text: qsTr("Test connection")
                                enabled: !root.testing
                                onClicked: root.test()
                            }
                            BusyIndicator {
                                visible: root.testing
                                running: root.testing
                                implicitWidth: 22
                                implicitHeight: 22
                            }
                            Text {
                                objectName: "testResult"
                                Layout.fillWidth: true
                                visible: root.testResult.length > 0
                                text: root.testResult
                                color: connection.connected ? Theme.charcoal : Theme.error
                                font.pixelSize: Theme.textBody
                                font.weight: connection.connected ? Font.DemiBold : Font.Normal
                                wrapMode: Text.WordWrap
                            }
                        }
                    }
                    LocalModelCard {
                        objectName: "localModel"
                        preferences: prefs
                    }
                    Item {
                        Layout.fillHeight: true
                    }
                }

                // Step 1: preferences.
                ColumnLayout {
                    objectName: "preferencesStep"
                    spacing: 16

                    ColumnLayout {
                        Layout.fillWidth: true
                        spacing: 6

                        Text {
                            text: qsTr("A few preferences")
                            color: Theme.charcoal
                            font.pixelSize: Theme.textSubtitle
                            font.weight: Font.DemiBold
                        }
                        Text {
                            Layout.fillWidth: true
                            text: qsTr("Tovrin learns your projects and brands on its own during your first refresh. You can change these any time in Settings.")
                            color: Theme.muted
                            font.pixelSize: Theme.textBody
                            lineHeight: 1.2
                            wrapMode: Text.WordWrap
                        }
                    }
                    ModePicker {
                        objectName: "modePicker"
                        Layout.fillWidth: true
                        visible: !prefs.localOn
                        model: prefs.model
                        onChosen: id => prefs.model = id
                    }
                    ColumnLayout {
                        Layout.fillWidth: true
                        spacing: 8

                        SectionHeading {
                            text: qsTr("FOLDERS TO SORT")
                        }
                        Card {
                            padding: 12

                            GridLayout {
                                Layout.fillWidth: true
                                columns: 3
                                columnSpacing: 10
                                rowSpacing: 10

                                Repeater {
                                    model: prefs.folderChoices

                                    delegate: Rectangle {
                                        id: folder

                                        required property var modelData
                                        readonly property string name: modelData.name
                                        readonly property bool chosen: prefs.scanFolders.indexOf(name) >= 0 // qmllint disable

                                        objectName: "folder-" + name
                                        Layout.fillWidth: true
                                        Layout.preferredWidth: 1
                                        implicitHeight: 40
                                        radius: 8
                                        color: chosen ? Theme.surface : Theme.ivory
                                        border.color: Theme.hairline

                                        Image {
                                            id: folderIcon
                                            anchors.left: parent.left
                                            anchors.leftMargin: 10
                                            anchors.verticalCenter: parent.verticalCenter
                                            width: 18
                                            height: 18
                                            source: "icons/folder.svg"
                                            sourceSize.width: 36
                                            sourceSize.height: 36
                                        }
                                        Text {
                                            objectName: "label"
                                            anchors.left: folderIcon.right
                                            anchors.leftMargin: 8
                                            anchors.right: folderSwitch.left
                                            anchors.verticalCenter: parent.verticalCenter
                                            text: folder.modelData.label
                                            color: Theme.charcoal
                                            font.pixelSize: Theme.textBody
                                            elide: Text.ElideRight
                                        }
                                        CalmSwitch {
                                            id: folderSwitch
                                            objectName: "toggle"
                                            anchors.right: parent.right
                                            anchors.rightMargin: 8
                                            anchors.verticalCenter: parent.verticalCenter
                                            scale: 0.85
                                            checked: folder.chosen
                                            onToggled: {
                                                prefs.setFolder(folder.name, checked);
                                                checked = Qt.binding(() => folder.chosen);
                                            }
                                        }
                                    }
                                }
                            }
                        }
                        Text {
                            text: qsTr("Organized folders are created in your Documents folder.")
                            color: Theme.muted
                            font.pixelSize: Theme.textNote
                        }
                    }
                    Card {
                        spacing: 14

                        ToggleRow {
                            objectName: "renameRow"
                            Layout.fillWidth: true
                            title: qsTr("Rename unclear files by what's in them")
                            detail: qsTr("IMG_4821.png → “Vantle - holographic dragon card art.png”, named by what's actually in the file.")
                            isOn: prefs.renameFiles
                            onSwitched: on => prefs.renameFiles = on
                        }
                        Rectangle {
                            Layout.fillWidth: true
                            implicitHeight: 1
                            color: Theme.hairline
                        }
                        ToggleRow {
                            objectName: "installersRow"
                            Layout.fillWidth: true
                            title: qsTr("Keep app installers")
                            detail: Desktop.text(DesktopWords.Phrase.keepInstallersDetail)
                            isOn: prefs.keepInstallers
                            onSwitched: on => prefs.keepInstallers = on
                        }
                        Rectangle {
                            Layout.fillWidth: true
                            implicitHeight: 1
                            color: Theme.hairline
                        }
                        ToggleRow {
                            objectName: "sundayResetRow"
                            Layout.fillWidth: true
                            title: qsTr("Sunday Reset")
                            detail: qsTr("Every Sunday at 9 AM, Tovrin sorts the files you saved that week (in Downloads and on your Desktop) and sends you a notification when it's ready. You review and approve. Nothing moves before that.")
                            isOn: prefs.autoTidy
                            onSwitched: on => prefs.autoTidy = on
                        }
                    }
                    Item {
                        Layout.fillHeight: true
                    }
                }
            }
        }

        Item {
            Layout.fillWidth: true
            implicitHeight: startButton.implicitHeight

            CalmButton {

                kind: CalmButton.Primary

                implicitHeight: 40

                leftPadding: 22

                rightPadding: 22

                font.pixelSize: Theme.textLarge
                objectName: "continueButton"
                anchors.right: parent.right
                visible: root.step === 0
                text: qsTr("Continue")
                onClicked: root.next()
            }
            CalmButton {
                id: startButton
                kind: CalmButton.Primary
                implicitHeight: 40
                leftPadding: 22
                rightPadding: 22
                font.pixelSize: Theme.textLarge
                objectName: "startButton"
                anchors.right: parent.right
                visible: root.step === 1
                text: qsTr("Start my first refresh")
                onClicked: root.next()
            }
        }
    }
}
