import QtQuick
import Tovrin.Core
import Tovrin.Recap

Item {
    Column {
        anchors.centerIn: parent
        spacing: 4

        Rise {
            delay: 0.1
            anchors.horizontalCenter: parent.horizontalCenter
            Text {
                text: qsTr("This Sunday,")
                font.pixelSize: Theme.textSlideTitle
                font.weight: Font.DemiBold
                color: "white"
            }
        }
        Rise {
            delay: 0.7
            anchors.horizontalCenter: parent.horizontalCenter
            Text {
                text: qsTr("you made room.")
                font.pixelSize: Theme.textSlideTitle
                font.weight: Font.DemiBold
                color: "white"
                opacity: 0.55
            }
        }
    }
}
