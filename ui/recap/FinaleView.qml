import QtQuick
import QtQuick.Controls
import Tovrin.Core
import Tovrin.Recap

// The calm last slide; it stays until the user opens the folder or is done.
Item {
    id: root

    signal openInFileManager
    signal done

    property real sunTime: 0
    readonly property real sunRise: Motion.spring(sunTime, 1.6, 0.8)

    Column {
        anchors.centerIn: parent
        spacing: 0

        Image {
            objectName: "sun"
            anchors.horizontalCenter: parent.horizontalCenter
            source: "sun-horizon-fill.svg"
            sourceSize.width: 80
            sourceSize.height: 80
            width: 80
            height: 80
            opacity: Math.min(1, root.sunRise)
            transform: Translate {
                y: (1 - root.sunRise) * 40
            }
        }
        Item {
            width: 1
            height: 22
        }
        Rise {
            delay: 1.2
            anchors.horizontalCenter: parent.horizontalCenter
            Text {
                text: qsTr("Breathe.")
                font.pixelSize: Theme.textFinale
                font.weight: Font.DemiBold
                color: Theme.charcoal
            }
        }
        Item {
            width: 1
            height: 8
        }
        Rise {
            delay: 2.4
            anchors.horizontalCenter: parent.horizontalCenter
            Text {
                text: qsTr("You're starting the week fresh.")
                font.pixelSize: Theme.textTitle
                color: Theme.muted
            }
        }
        Item {
            width: 1
            height: 36
        }
        Rise {
            delay: 3.4
            anchors.horizontalCenter: parent.horizontalCenter
            Row {
                spacing: 12

                Button {
                    id: open
                    objectName: "openInFileManager"
                    text: Desktop.text(DesktopWords.Phrase.openInFileManager)
                    font.pixelSize: Theme.textLarge
                    leftPadding: 20
                    rightPadding: 20
                    topPadding: 10
                    bottomPadding: 10
                    onClicked: root.openInFileManager()
                    contentItem: Text {
                        text: open.text
                        font: open.font
                        color: Theme.charcoal
                        horizontalAlignment: Text.AlignHCenter
                        verticalAlignment: Text.AlignVCenter
                    }
                    background: Rectangle {
                        implicitWidth: 140
                        radius: 9
                        color: open.down ? Theme.sand : Theme.surface
                        border.color: Theme.stone
                        border.width: 1
                    }
                }
                Button {
                    id: finish
                    objectName: "done"
                    text: qsTr("Done")
                    font.pixelSize: Theme.textLarge
                    font.weight: Font.DemiBold
                    leftPadding: 20
                    rightPadding: 20
                    topPadding: 10
                    bottomPadding: 10
                    onClicked: root.done()
                    contentItem: Text {
                        text: finish.text
                        font: finish.font
                        color: "white"
                        horizontalAlignment: Text.AlignHCenter
                        verticalAlignment: Text.AlignVCenter
                    }
                    background: Rectangle {
                        implicitWidth: 110
                        radius: 9
                        color: finish.down ? Qt.lighter(Theme.charcoal, 2.2) : Theme.charcoal
                    }
                }
            }
        }
    }

    SequentialAnimation {
        running: true
        PauseAnimation {
            duration: 200
        }
        NumberAnimation {
            target: root
            property: "sunTime"
            from: 0
            to: Motion.settleTime(1.6, 0.8)
            duration: Motion.settleTime(1.6, 0.8) * 1000
        }
    }
}
