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
            delay: 0.1
            anchors.horizontalCenter: parent.horizontalCenter
            Text {
                text: Format.fileSize(slide.recap ? slide.recap.junkBytes : 0)
                font.pixelSize: Theme.textHero
                font.weight: Font.DemiBold
                color: "white"
            }
        }
        Rise {
            delay: 0.6
            anchors.horizontalCenter: parent.horizontalCenter
            Text {
                text: qsTr("ready to clear out.")
                font.pixelSize: Theme.textSlideLine
                color: "white"
            }
        }
        Item {
            width: 1
            height: 16
        }
        Rise {
            delay: 1.3
            anchors.horizontalCenter: parent.horizontalCenter
            Text {
                width: Math.min(implicitWidth, slide.width - 96)
                text: qsTr("Nothing was deleted. It's waiting in your review folder whenever you're ready.")
                wrapMode: Text.WordWrap
                horizontalAlignment: Text.AlignHCenter
                font.pixelSize: Theme.textLead
                color: "white"
                opacity: 0.6
            }
        }
    }
}
