import QtQuick
import QtQuick.Layouts
import Tovrin.Core
import Tovrin.Zen

// Progress while a refresh runs, and full while files are being moved. A
// refresh can be stopped; one whose estimate is above the limit waits here.
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

    Text {
        objectName: "estimate"
        visible: text !== "" && !panel.applying
        text: panel.appState.estimateText
        color: Theme.charcoal
        font.pixelSize: Theme.textBody
        font.weight: Font.DemiBold
        horizontalAlignment: Text.AlignHCenter
        Layout.fillWidth: true
    }

    Text {
        objectName: "pausedText"
        visible: panel.appState.paused
        text: panel.appState.pausedText
        color: Theme.muted
        font.pixelSize: Theme.textBody
        horizontalAlignment: Text.AlignHCenter
        wrapMode: Text.Wrap
        Layout.fillWidth: true
    }

    CalmButton {
        objectName: "goOn"
        visible: panel.appState.paused
        kind: CalmButton.Primary
        text: qsTr("Go on")
        Layout.fillWidth: true
        onClicked: panel.appState.proceed()
    }

    CalmButton {
        objectName: "stop"
        visible: !panel.applying
        kind: panel.appState.paused ? CalmButton.Secondary : CalmButton.Quiet
        text: qsTr("Stop")
        Layout.fillWidth: panel.appState.paused
        Layout.alignment: Qt.AlignHCenter
        onClicked: panel.appState.stop()
    }
}
