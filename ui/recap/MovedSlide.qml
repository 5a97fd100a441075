import QtQuick
import Tovrin.Core
import Tovrin.Recap

Item {
    id: slide

    property RecapController recap

    Column {
        anchors.centerIn: parent
        spacing: 6

        Rise {
            delay: 0
            anchors.horizontalCenter: parent.horizontalCenter
            Text {
                text: Desktop.text(DesktopWords.Phrase.computerExhaled)
                font.pixelSize: Theme.textHeading
                color: "white"
                opacity: 0.7
            }
        }
        CountUp {
            anchors.horizontalCenter: parent.horizontalCenter
            target: slide.recap ? slide.recap.moved : 0
            font.pixelSize: Theme.textHeroLarge
        }
        Rise {
            delay: 0.9
            anchors.horizontalCenter: parent.horizontalCenter
            Text {
                text: qsTr("file(s) found a home.", "", slide.recap ? slide.recap.moved : 0)
                font.pixelSize: Theme.textSlideLine
                color: "white"
            }
        }
    }
}
