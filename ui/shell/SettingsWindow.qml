import QtQuick
import Tovrin.Setup

FittedWindow {
    id: window

    title: qsTr("Tovrin Settings")
    content: view

    SettingsView {
        id: view
        objectName: "view"
        anchors.fill: parent
        appState: window.appState
        onRequestWindow: id => window.windows.open(id)
    }
}
