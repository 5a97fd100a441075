import QtQuick
import Tovrin.Core
import Tovrin.Recap

Item {
    id: slide

    property RecapController recap

    Column {
        anchors.centerIn: parent
        spacing: 6

        CountUp {
            anchors.horizontalCenter: parent.horizontalCenter
            target: slide.recap ? slide.recap.renamed : 0
            font.pixelSize: Theme.textHero
        }
        Rise {
            delay: 0.8
            anchors.horizontalCenter: parent.horizontalCenter
            Text {
                text: qsTr("name(s) made clear.", "", slide.recap ? slide.recap.renamed : 0)
                font.pixelSize: Theme.textSlideLine
                color: "white"
            }
        }
        Item {
            width: 1
            height: 22
            visible: example.visible
        }
        // Long names keep both ends, the extension included.
        Column {
            id: example
            visible: slide.recap ? slide.recap.hasExample : false
            width: slide.width - 128
            anchors.horizontalCenter: parent.horizontalCenter
            spacing: 8

            Rise {
                delay: 1.4
                width: parent.width
                Text {
                    width: parent.width
                    horizontalAlignment: Text.AlignHCenter
                    elide: Text.ElideMiddle
                    text: slide.recap ? slide.recap.renameFrom : ""
                    font.pixelSize: Theme.textHeading
                    font.strikeout: true
                    color: "white"
                    opacity: 0.4
                }
            }
            Rise {
                delay: 2.0
                width: parent.width
                Text {
                    width: parent.width
                    horizontalAlignment: Text.AlignHCenter
                    elide: Text.ElideMiddle
                    text: slide.recap ? slide.recap.renameTo : ""
                    font.pixelSize: Theme.textHeading
                    font.weight: Font.Medium
                    color: "white"
                }
            }
        }
    }
}
