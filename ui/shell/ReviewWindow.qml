import QtQuick
import Tovrin.Review

// Resizable from its default size down to what the view's layout needs.
ViewWindow {
    id: window

    title: qsTr("Your fresh start")
    width: 1240
    height: 780
    minimumWidth: view.minimumSize.width
    minimumHeight: view.minimumSize.height

    ReviewView {
        id: view
        objectName: "view"
        anchors.fill: parent
        appState: window.appState
        onCloseRequested: window.close()
    }
}
