pragma ComponentBehavior: Bound

import QtQuick
import QtQuick.Controls.Basic
import QtQuick.Layouts
import Tovrin.Core
import Tovrin.Setup

// Every past refresh, newest first; the chosen one's files with where each
// would go back to, or why it stays.
Rectangle {
    id: root

    required property AppState appState
    readonly property int margin: 24

    implicitWidth: 940
    implicitHeight: 640
    color: Theme.surface

    HistoryController {
        id: history
        appState: root.appState
    }

    ColumnLayout {
        anchors.fill: parent
        anchors.margins: root.margin
        spacing: 14

        RowLayout {
            Layout.fillWidth: true
            spacing: 14

            SunriseMark {
            }
            Text {
                Layout.fillWidth: true
                text: qsTr("History")
                color: Theme.charcoal
                font.pixelSize: Theme.textTitle
                font.weight: Font.Bold
            }
            CalmButton {
                objectName: "logFiles"
                kind: CalmButton.Quiet
                text: qsTr("Show log files")
                onClicked: history.showLogFiles()
            }
        }

        Text {
            objectName: "empty"
            visible: entries.count === 0
            text: qsTr("Nothing has been moved yet. Each refresh you apply appears here.")
            color: Theme.muted
            font.pixelSize: Theme.textBody
        }

        RowLayout {
            visible: entries.count > 0
            Layout.fillWidth: true
            Layout.fillHeight: true
            spacing: 16

            ListView {
                id: entries
                objectName: "entries"
                Layout.preferredWidth: 300
                Layout.fillHeight: true
                clip: true
                spacing: 6
                model: history.entries
                reuseItems: true
                boundsBehavior: Flickable.StopAtBounds

                ScrollBar.vertical: ScrollBar {
                }

                delegate: Rectangle {
                    id: entry

                    required property string log
                    required property string when
                    required property string counts
                    required property string folder
                    required property bool undone
                    required property bool readable
                    readonly property bool chosen: log === history.selected

                    objectName: "entry-" + log
                    width: ListView.view.width
                    implicitHeight: lines.implicitHeight + 20
                    radius: 10
                    color: chosen ? Theme.ivory : mouse.containsMouse ? Theme.sand : "transparent"
                    border.width: chosen ? 1 : 0
                    border.color: Theme.hairline

                    ColumnLayout {
                        id: lines
                        anchors.fill: parent
                        anchors.margins: 10
                        spacing: 2

                        RowLayout {
                            Layout.fillWidth: true
                            Text {
                                Layout.fillWidth: true
                                text: entry.when
                                color: Theme.charcoal
                                font.pixelSize: Theme.textBody
                                font.weight: Font.DemiBold
                            }
                            Text {
                                objectName: "state"
                                visible: text.length > 0
                                text: !entry.readable ? qsTr("Can't be read") : entry.undone ? qsTr("Undone") : ""
                                color: Theme.muted
                                font.pixelSize: Theme.textMicro
                                font.weight: Font.DemiBold
                                font.letterSpacing: 0.8
                            }
                        }
                        Text {
                            text: entry.counts
                            color: Theme.muted
                            font.pixelSize: Theme.textCaption
                        }
                        Text {
                            visible: text.length > 0
                            Layout.fillWidth: true
                            text: entry.folder
                            color: Theme.muted
                            font.pixelSize: Theme.textCaption
                            wrapMode: Text.WrapAtWordBoundaryOrAnywhere
                        }
                    }
                    MouseArea {
                        id: mouse
                        anchors.fill: parent
                        hoverEnabled: true
                        onClicked: history.selected = entry.log
                    }
                }
            }

            Card {
                Layout.fillHeight: true
                heading: qsTr("UNDO THIS REFRESH")
                spacing: 10

                Text {
                    objectName: "previewSummary"
                    Layout.fillWidth: true
                    text: history.going + history.staying === 0 ? qsTr("Nothing of this refresh can go back.") : qsTr("%Ln file(s) go back", "", history.going) + " · " + qsTr("%Ln stay where they are", "", history.staying)
                    color: Theme.charcoal
                    font.pixelSize: Theme.textBody
                    wrapMode: Text.Wrap
                }

                ListView {
                    id: files
                    objectName: "preview"
                    Layout.fillWidth: true
                    Layout.fillHeight: true
                    clip: true
                    model: history.preview
                    reuseItems: true
                    boundsBehavior: Flickable.StopAtBounds

                    ScrollBar.vertical: ScrollBar {
                    }

                    delegate: Rectangle {
                        id: file

                        required property string name
                        required property string now
                        required property string back
                        required property string reason
                        required property bool goes
                        required property bool canPutBack
                        required property string to
                        required property int index

                        width: ListView.view.width
                        implicitHeight: row.implicitHeight + 14
                        color: index % 2 ? Theme.stripe : Theme.ivory

                        RowLayout {
                            id: row
                            anchors.fill: parent
                            anchors.leftMargin: 8
                            anchors.rightMargin: 8
                            spacing: 10

                            ColumnLayout {
                                Layout.fillWidth: true
                                spacing: 1

                                Text {
                                    Layout.fillWidth: true
                                    text: file.name
                                    color: file.goes ? Theme.charcoal : Theme.muted
                                    font.pixelSize: Theme.textBody
                                    wrapMode: Text.WrapAtWordBoundaryOrAnywhere
                                }
                                Text {
                                    Layout.fillWidth: true
                                    text: file.now + "  →  " + file.back
                                    color: Theme.muted
                                    font.pixelSize: Theme.textCaption
                                    wrapMode: Text.WrapAtWordBoundaryOrAnywhere
                                }
                                Text {
                                    objectName: "reason"
                                    Layout.fillWidth: true
                                    text: file.reason
                                    color: file.goes ? Theme.muted : Theme.charcoal
                                    font.pixelSize: Theme.textCaption
                                    font.weight: file.goes ? Font.Normal : Font.DemiBold
                                }
                            }
                            CalmButton {
                                objectName: "putBack"
                                visible: file.canPutBack
                                enabled: !root.appState.isBusy
                                kind: CalmButton.Secondary
                                text: qsTr("Put back")
                                onClicked: history.putBack(file.to)
                            }
                        }
                    }
                }

                Text {
                    objectName: "message"
                    visible: text.length > 0
                    Layout.fillWidth: true
                    text: history.message
                    color: Theme.muted
                    font.pixelSize: Theme.textCaption
                    wrapMode: Text.Wrap
                }

                CalmButton {
                    objectName: "undoRefresh"
                    Layout.alignment: Qt.AlignRight
                    kind: CalmButton.Primary
                    enabled: history.canUndo
                    text: qsTr("Undo this refresh")
                    onClicked: history.undoSelected()
                }
            }
        }
    }
}
