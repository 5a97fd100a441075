import QtQuick
import Tovrin.Recap

// A capsule that springs out to its share of the track.
Item {
    id: root

    property real fraction: 0
    property real delay: 0
    property color color: "white"
    property real t: 0

    implicitHeight: 8

    Rectangle {
        anchors.fill: parent
        radius: height / 2
        color: root.color
        opacity: 0.14
    }
    Rectangle {
        objectName: "fill"
        height: parent.height
        radius: height / 2
        color: root.color
        width: Math.max(0, root.width * root.fraction * Motion.spring(root.t, 1.0, 0.85))
    }

    SequentialAnimation {
        running: true
        PauseAnimation {
            duration: root.delay * 1000
        }
        NumberAnimation {
            target: root
            property: "t"
            from: 0
            to: Motion.settleTime(1.0, 0.85)
            duration: Motion.settleTime(1.0, 0.85) * 1000
        }
    }
}
