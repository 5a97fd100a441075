import QtQuick

// Content that comes into view from 18 points lower, fading in, after a delay.
Item {
    id: root

    property real delay: 0
    default property alias content: holder.data

    implicitWidth: holder.childrenRect.width
    implicitHeight: holder.childrenRect.height
    opacity: 0

    Item {
        id: holder
        width: root.width
        height: root.height
        transform: Translate {
            id: shift
            y: 18
        }
    }

    SequentialAnimation {
        running: true
        PauseAnimation {
            duration: root.delay * 1000
        }
        ParallelAnimation {
            NumberAnimation {
                target: root
                property: "opacity"
                to: 1
                duration: 800
                easing.type: Easing.BezierSpline
                easing.bezierCurve: [0, 0, 0.58, 1, 1, 1]
            }
            NumberAnimation {
                target: shift
                property: "y"
                to: 0
                duration: 800
                easing.type: Easing.BezierSpline
                easing.bezierCurve: [0, 0, 0.58, 1, 1, 1]
            }
        }
    }
}
