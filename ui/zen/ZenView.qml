pragma ComponentBehavior: Bound

import QtQuick
import Tovrin.Core
import Tovrin.Zen

// The calm progress picture of a refresh: a breathing disc, drifting dots that
// settle into the slots at the bottom as the work gets done, and a ripple for
// every decided item.
Item {
    id: root

    property real fraction: 0
    property int pulse: 0
    readonly property string caption: canvas.breathingIn ? qsTr("Breathe in") : qsTr("Breathe out")
    // Frames are only worth drawing while someone can see them.
    readonly property bool animating: frames.running

    implicitWidth: 320
    implicitHeight: canvas.height + 10 + captionBox.height

    ZenCanvas {
        id: canvas
        width: root.width
        height: 200
        fraction: root.fraction
        pulse: root.pulse
        color: Theme.charcoal
    }

    FrameAnimation {
        id: frames
        running: root.visible && root.Window.visibility !== Window.Hidden && root.Window.visibility !== Window.Minimized
        onTriggered: canvas.tick()
    }

    Item {
        id: captionBox
        anchors.top: canvas.bottom
        anchors.topMargin: 10
        width: root.width
        height: inText.height

        Repeater {
            model: [qsTr("Breathe in"), qsTr("Breathe out")]
            Text {
                required property string modelData
                anchors.horizontalCenter: parent.horizontalCenter
                text: modelData
                font.pixelSize: Theme.textBody
                color: Theme.muted
                opacity: root.caption === modelData ? 1 : 0
                Behavior on opacity  {
                    NumberAnimation {
                        duration: 1200
                        easing.type: Easing.BezierSpline
                        easing.bezierCurve: [0.42, 0, 0.58, 1, 1, 1]
                    }
                }
            }
        }
        TextMetrics {
            id: inText
            font.pixelSize: Theme.textBody
            text: qsTr("Breathe in")
        }
    }
}
