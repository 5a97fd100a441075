import QtQuick
import Tovrin.Core
import Tovrin.Recap

// The short slideshow after an apply. Each slide advances on a click or by
// itself after a while, and the calm finale waits for the user.
Item {
    id: root

    required property AppState appState

    // The shell opens the folder and closes the "recap" window.
    signal openFolderRequested(string path)
    signal closeRequested

    readonly property var slides: recapSource.slides
    property int index: 0
    readonly property string slide: slides[Math.min(index, slides.length - 1)]
    readonly property bool onFinale: slide === "finale"

    implicitWidth: 760
    implicitHeight: 520

    function advance() {
        if (index < slides.length - 1)
            index++;
    }

    RecapController {
        id: recapSource
        appState: root.appState
    }

    // Every slide change restarts the wait; the finale has none.
    function show(animated) {
        if (slide === "finale")
            autoAdvance.stop();
        else
            autoAdvance.restart();
        if (stage.current)
            stage.current.leave();
        stage.current = pageMaker.createObject(stage, {
                "slide": pages[slide],
                "entering": animated
            });
    }

    onSlideChanged: if (stage.current)
        show(true)
    Component.onCompleted: show(false)

    readonly property var pages: ({
            "intro": introPage,
            "moved": movedPage,
            "groups": groupsPage,
            "renamed": renamedPage,
            "clear": clearPage,
            "finale": finalePage
        })

    // Loaded by a Loader, which this Qt cannot combine with bound components,
    // so qmllint cannot see the ids these read.
    // qmllint disable unqualified
    Component {
        id: introPage
        IntroSlide {
        }
    }
    Component {
        id: movedPage
        MovedSlide {
            recap: recapSource
        }
    }
    Component {
        id: groupsPage
        GroupsSlide {
            recap: recapSource
        }
    }
    Component {
        id: renamedPage
        RenamedSlide {
            recap: recapSource
        }
    }
    Component {
        id: clearPage
        ClearSlide {
            recap: recapSource
        }
    }
    Component {
        id: finalePage
        FinaleView {
            onOpenInFileManager: root.openFolderRequested(recapSource.homeBase)
            onDone: root.closeRequested()
        }
    }
    // qmllint enable unqualified

    Rectangle {
        anchors.fill: parent
        color: root.onFinale ? "white" : "black"
        Behavior on color  {
            ColorAnimation {
                duration: 600
                easing.type: Easing.BezierSpline
                easing.bezierCurve: [0.42, 0, 0.58, 1, 1, 1]
            }
        }
    }

    Item {
        id: stage
        objectName: "slides"
        anchors.fill: parent
        property SlidePage current: null
    }

    Component {
        id: pageMaker
        SlidePage {
        }
    }

    // A click anywhere moves on; the finale has its own buttons instead.
    MouseArea {
        anchors.fill: parent
        enabled: !root.onFinale
        onClicked: root.advance()
    }

    Timer {
        id: autoAdvance
        objectName: "autoAdvance"
        interval: 4200
        // Later, so the restart for the next slide happens once this tick is over.
        onTriggered: Qt.callLater(root.advance) // qmllint disable
    }

    Row {
        objectName: "progress"
        anchors.top: parent.top
        anchors.topMargin: 28
        anchors.horizontalCenter: parent.horizontalCenter
        spacing: 6

        // qmllint disable unqualified
        Repeater {
            model: root.slides.length
            Rectangle {
                required property int index
                width: Math.min(44, (root.width - 120) / root.slides.length - 6)
                height: 3
                radius: 1.5
                color: root.onFinale ? "black" : "white"
                opacity: index <= root.index ? 0.95 : 0.2
                Behavior on opacity  {
                    NumberAnimation {
                        duration: 600
                    }
                }
            }
        }
        // qmllint enable unqualified
    }

    Text {
        objectName: "hint"
        visible: !root.onFinale
        anchors.bottom: parent.bottom
        anchors.bottomMargin: 26
        anchors.horizontalCenter: parent.horizontalCenter
        text: qsTr("Click to continue")
        font.pixelSize: Theme.textBody
        color: "white"
        opacity: 0.45
    }
}
