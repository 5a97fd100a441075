import QtQuick
import QtQuick.Layouts
import Tovrin.Core
import Tovrin.Zen

// Progress while a refresh runs, and full while files are being moved.
ColumnLayout {
    id: panel
    objectName: "scanningPanel"
    required property AppState appState
    readonly property bool applying: appState.phase === Tidy.Phase.applying
    readonly property real fraction: applying ? 1.0 : appState.total > 0 ? Math.min(1.0, appState.decided / appState.total) : 0.0
    // Smoothed towards the real fraction; starts where the work is.
    property real shown: fraction
    Behavior on shown  {
        NumberAnimation {
            duration: 1400
            easing.type: Easing.InOutQuad
        }
    }
    spacing: 10

    Item {
        objectName: "progress"
        Layout.fillWidth: true
        implicitHeight: Math.max(zen.implicitHeight, 200)

        ZenView {
            id: zen
            anchors.fill: parent
            fraction: panel.shown
            pulse: panel.appState.decided
        }
    }

    Text {
        objectName: "calmStatus"
        text: panel.appState.calmStatus
        color: Theme.muted
        font.pixelSize: Theme.textBody
        horizontalAlignment: Text.AlignHCenter
        wrapMode: Text.Wrap
        Layout.fillWidth: true
        Layout.bottomMargin: 6
    }
}
