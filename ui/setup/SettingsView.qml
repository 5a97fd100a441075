import QtQuick
import QtQuick.Controls.Basic
import QtQuick.Layouts
import Tovrin.Core
import Tovrin.Setup

// Every preference of onboarding again, the known projects, what Claude has
// cost and the move history. Each change is saved at once.
Rectangle {
    id: root

    required property AppState appState
    // The whole page, for a window tall enough to need no scrolling.
    readonly property real contentHeight: page.implicitHeight + 2 * margin
    readonly property int margin: 28

    // Ask the shell for another window: "history" or "zen".
    signal requestWindow(string id)

    implicitWidth: 620
    implicitHeight: 780
    color: Theme.surface

    SettingsController {
        id: prefs
        appState: root.appState
    }

    Flickable {
        id: flick
        anchors.fill: parent
        contentWidth: width
        contentHeight: root.contentHeight
        boundsBehavior: Flickable.StopAtBounds
        clip: true

        ScrollBar.vertical: ScrollBar {
        }

        ColumnLayout {
            id: page
            x: root.margin
            y: root.margin
            width: flick.width - 2 * root.margin
            spacing: 14

            RowLayout {
                Layout.fillWidth: true
                Layout.bottomMargin: 6
                spacing: 14

                SunriseMark {
                }
                Text {
                    Layout.fillWidth: true
                    text: qsTr("Settings")
                    color: Theme.charcoal
                    font.pixelSize: Theme.textTitle
                    font.weight: Font.Bold
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
                Rectangle {
                    Layout.fillWidth: true
                    implicitHeight: 1
                    color: Theme.hairline
                }
                ToggleRow {
                    objectName: "reminderRow"
                    Layout.fillWidth: true
                    title: qsTr("Sunday 9 AM reminder")
                    detail: qsTr("A gentle nudge: “Don't forget to start the week fresh.” Not needed when Sunday Reset is on, since that already notifies you.")
                    isOn: prefs.reminderOn
                    onSwitched: on => prefs.reminderOn = on
                }
                Rectangle {
                    Layout.fillWidth: true
                    implicitHeight: 1
                    color: Theme.hairline
                }
                ToggleRow {
                    objectName: "loginRow"
                    Layout.fillWidth: true
                    title: qsTr("Start at login")
                    detail: qsTr("Tovrin opens quietly in the background when you sign in.")
                    isOn: prefs.startAtLogin
                    onSwitched: on => prefs.startAtLogin = on
                }
            }

            ModePicker {
                objectName: "modePicker"
                Layout.fillWidth: true
                visible: !prefs.localOn
                model: prefs.model
                onChosen: id => prefs.model = id
            }
            LocalModelCard {
                objectName: "localModel"
                preferences: prefs
            }

            SectionHeading {
                Layout.topMargin: 10
                text: qsTr("PROJECTS TOVRIN KNOWS")
            }
            ProjectsEditor {
                objectName: "projectsEditor"
                Layout.fillWidth: true
                preferences: prefs
            }

            SectionHeading {
                Layout.topMargin: 10
                text: qsTr("CLAUDE USAGE")
            }
            UsageSummary {
                objectName: "usageSummary"
                Layout.fillWidth: true
                figures: prefs.usage
            }

            Card {
                spacing: 10

                ToggleRow {
                    objectName: "limitRow"
                    Layout.fillWidth: true
                    title: qsTr("Ask before a costly refresh")
                    detail: qsTr("When a refresh would cost Claude more than this, Tovrin waits for your go-ahead before sending anything.")
                    isOn: prefs.limitOn
                    onSwitched: on => prefs.limitOn = on
                }
                RowLayout {
                    visible: prefs.limitOn
                    spacing: 8

                    Text {
                        text: qsTr("Limit per refresh: $")
                        color: Theme.charcoal
                        font.pixelSize: Theme.textBody
                    }
                    TextField {
                        id: limitField
                        objectName: "limitField"
                        Layout.preferredWidth: 90
                        text: prefs.costLimit.toFixed(2)
                        validator: DoubleValidator {
                            bottom: 0.01
                            decimals: 2
                            notation: DoubleValidator.StandardNotation
                            locale: "C"
                        }
                        onEditingFinished: prefs.costLimit = parseFloat(text)
                        font.pixelSize: Theme.textBody
                        color: Theme.charcoal
                        leftPadding: 10
                        background: Rectangle {
                            implicitHeight: 34
                            radius: 8
                            color: Theme.ivory
                            border.color: limitField.activeFocus ? Theme.charcoal : Theme.stone
                        }
                    }
                }
            }

            // Wraps when a language's button titles need more than one line.
            Flow {
                Layout.fillWidth: true
                Layout.topMargin: 10
                spacing: 10

                CalmButton {
                    objectName: "historyButton"
                    text: qsTr("Open move history")
                    onClicked: root.requestWindow("history")
                }
                CalmButton {
                    objectName: "recapButton"
                    text: qsTr("Preview recap")
                    onClicked: root.appState.previewRecap()
                }
                CalmButton {
                    objectName: "animationButton"
                    text: qsTr("Preview animation")
                    onClicked: root.requestWindow("zen")
                }
            }

            Text {
                Layout.fillWidth: true
                Layout.topMargin: 14
                horizontalAlignment: Text.AlignHCenter
                text: qsTr("Tovrin 0.1 · development build")
                color: Theme.muted
                font.pixelSize: Theme.textCaption
            }
        }
    }
}
