import QtQuick
import Tovrin.Core

// A number that counts up from 0 to its target when it comes into view.
Text {
    id: root

    property int target: 0
    property real value: 0

    text: Format.count(Math.round(value))
    font.pixelSize: Theme.textHero
    font.weight: Font.DemiBold
    color: "white"
    horizontalAlignment: Text.AlignHCenter
    // Wide enough for the final number, so the digits do not jostle.
    width: Math.max(implicitWidth, widest.advanceWidth)

    TextMetrics {
        id: widest
        font: root.font
        text: Format.count(root.target)
    }

    SequentialAnimation {
        running: true
        PauseAnimation {
            duration: 250
        }
        NumberAnimation {
            target: root
            property: "value"
            from: 0
            to: root.target
            duration: 1600
            easing.type: Easing.BezierSpline
            easing.bezierCurve: [0, 0, 0.58, 1, 1, 1]
        }
    }
}
