import QtQuick
import Tovrin.Recap

Item {
    property RecapSource recap

    Column {
        anchors.centerIn: parent
        spacing: 6

        CountUp {
            anchors.horizontalCenter: parent.horizontalCenter
            target: recap ? recap.renamed : 0
            font.pixelSize: 96
        }
        Rise {
            delay: 0.8
            anchors.horizontalCenter: parent.horizontalCenter
            Text {
                text: "names made clear."
                font.pixelSize: 34
                color: "white"
            }
        }
        Item {
            width: 1
            height: 22
            visible: example.visible
        }
        Column {
            id: example
            visible: recap ? recap.hasExample : false
            anchors.horizontalCenter: parent.horizontalCenter
            spacing: 8

            Rise {
                delay: 1.4
                anchors.horizontalCenter: parent.horizontalCenter
                Text {
                    text: recap ? recap.renameFrom : ""
                    font.pixelSize: 18
                    font.strikeout: true
                    color: "white"
                    opacity: 0.4
                }
            }
            Rise {
                delay: 2.0
                anchors.horizontalCenter: parent.horizontalCenter
                Text {
                    text: recap ? recap.renameTo : ""
                    font.pixelSize: 18
                    font.weight: Font.Medium
                    color: "white"
                }
            }
        }
    }
}
