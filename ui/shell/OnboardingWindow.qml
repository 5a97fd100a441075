import QtQuick
import Tovrin.Setup

FittedWindow {
    id: window

    title: qsTr("Welcome to Tovrin")
    content: view

    OnboardingView {
        id: view
        objectName: "view"
        anchors.fill: parent
        appState: window.appState
        onFinished: window.close()
    }
}
