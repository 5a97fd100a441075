import QtQuick
import Tovrin.Core

// A self-running demonstration of the progress picture: two more items are
// decided every 1.6 seconds until all of them are.
Item {
    id: root

    property int total: 48
    property int decided: 0
    readonly property alias view: zen

    implicitWidth: zen.implicitWidth + 16
    implicitHeight: padded.height + label.height

    Rectangle {
        anchors.fill: parent
        color: Theme.ivory
    }

    Item {
        id: padded
        width: root.width
        height: zen.implicitHeight + 16

        ZenView {
            id: zen
            anchors.fill: parent
            anchors.margins: 8
            fraction: root.total > 0 ? root.decided / root.total : 0
            pulse: root.decided
            Behavior on fraction  {
                NumberAnimation {
                    duration: 1400
                    easing.type: Easing.BezierSpline
                    easing.bezierCurve: [0.42, 0, 0.58, 1, 1, 1]
                }
            }
        }
    }

    Text {
        id: label
        anchors.top: padded.bottom
        anchors.horizontalCenter: parent.horizontalCenter
        padding: 6
        text: qsTr("Preview")
        font.pixelSize: Theme.textCaption
        color: Theme.muted
        opacity: 0.7
    }

    Timer {
        interval: 1600
        repeat: true
        running: root.visible && root.decided < root.total
        onTriggered: root.decided = Math.min(root.total, root.decided + 2)
    }
}
