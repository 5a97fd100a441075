import QtQuick
import Tovrin.Core
import Tovrin.Shell

// The home screen in the menu panel: one panel per phase.
Item {
    id: root
    required property AppState appState
    readonly property Item panel: loader.item as Item
    implicitWidth: 340 + 28
    implicitHeight: (root.panel ? root.panel.implicitHeight : 0) + 28

    // The panel window counts again each time it opens.
    Component.onCompleted: root.appState.refreshNewFiles()

    MenuController {
        id: menuModel
        appState: root.appState
    }

    // "Last refresh … ago" is read afresh when the panel opens and while it is open.
    Timer {
        interval: 10000
        repeat: true
        triggeredOnStart: true
        running: root.Window.window !== null && root.Window.window.visible
        onTriggered: menuModel.timePassed()
    }

    Rectangle {
        anchors.fill: parent
        color: Theme.ivory
    }

    Loader {
        id: loader
        x: 14
        y: 14
        width: 340
        sourceComponent: {
            switch (root.appState.phase) {
            case Tidy.Phase.scanning:
            case Tidy.Phase.applying:
                return scanning;
            case Tidy.Phase.review:
                return reviewReady;
            case Tidy.Phase.done:
                return done;
            default:
                return idle;
            }
        }
    }

    // Loaded by a Loader, which this Qt cannot combine with bound components,
    // so qmllint cannot see the ids these read.
    // qmllint disable unqualified
    Component {
        id: idle
        IdlePanel {
            appState: root.appState
            model: menuModel
        }
    }
    Component {
        id: scanning
        ScanningPanel {
            appState: root.appState
        }
    }
    Component {
        id: reviewReady
        ReviewReadyPanel {
            appState: root.appState
            model: menuModel
        }
    }
    Component {
        id: done
        DonePanel {
            appState: root.appState
            model: menuModel
        }
    }
    // qmllint enable unqualified
}
