import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Tovrin.Core
import Tovrin.Shell

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
        id: picture
        objectName: "progress"
        Layout.fillWidth: true
        implicitHeight: zen ? Math.max(zen.implicitHeight, 200) : 60
        property Item zen: null

        ProgressBar {
            id: bar
            visible: !picture.zen
            anchors.centerIn: parent
            width: parent.width - 48
            value: panel.shown
            background: Rectangle {
                implicitHeight: 6
                radius: 3
                color: Theme.sand
            }
            contentItem: Item {
                implicitHeight: 6
                Rectangle {
                    width: bar.visualPosition * parent.width
                    height: parent.height
                    radius: 3
                    color: Theme.charcoal
                }
            }
        }

        Component.onCompleted: {
            if (!Shell.hasModule("Tovrin.Zen"))
                return;
            const view = Qt.createQmlObject("import Tovrin.Zen; ZenView { anchors.fill: parent }", picture);
            view.fraction = Qt.binding(() => panel.shown);
            view.pulse = Qt.binding(() => panel.appState.decided);
            zen = view;
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
