import QtQuick
import Tovrin.Setup

// Resizable from its default size; the lists scroll.
ViewWindow {
    id: window

    title: qsTr("Tovrin History")
    width: view.implicitWidth
    height: view.implicitHeight
    minimumWidth: 720
    minimumHeight: 420

    HistoryView {
        id: view
        objectName: "view"
        anchors.fill: parent
        appState: window.appState
    }
}
