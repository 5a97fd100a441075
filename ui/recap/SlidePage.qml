import QtQuick

// One slide on the stage: it slides in from the right while fading in, and
// fades out when the next one arrives.
Item {
    id: page

    property alias slide: loader.sourceComponent
    property bool entering: false

    anchors.fill: parent

    transform: Translate {
        id: shift
    }

    Loader {
        id: loader
        anchors.fill: parent
    }

    function leave() {
        enter.stop()
        exit.start()
    }

    Component.onCompleted: {
        if (!entering)
            return
        opacity = 0
        shift.x = 40
        enter.start()
    }

    ParallelAnimation {
        id: enter
        NumberAnimation {
            target: page
            property: "opacity"
            to: 1
            duration: 600
            easing.type: Easing.BezierSpline
            easing.bezierCurve: [0.42, 0, 0.58, 1, 1, 1]
        }
        NumberAnimation {
            target: shift
            property: "x"
            to: 0
            duration: 600
            easing.type: Easing.BezierSpline
            easing.bezierCurve: [0.42, 0, 0.58, 1, 1, 1]
        }
    }

    SequentialAnimation {
        id: exit
        NumberAnimation {
            target: page
            property: "opacity"
            to: 0
            duration: 600
            easing.type: Easing.BezierSpline
            easing.bezierCurve: [0.42, 0, 0.58, 1, 1, 1]
        }
        ScriptAction {
            script: page.destroy()
        }
    }
}
