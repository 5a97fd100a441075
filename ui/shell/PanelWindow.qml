import QtQuick
import Tovrin.Core

// The menu panel's window; the shell decides where and when it shows.
Window {
    id: window
    required property AppState appState
    property bool popover: true
    title: qsTr("Tovrin")
    flags: popover ? (Qt.Tool | Qt.FramelessWindowHint | Qt.WindowStaysOnTopHint) : Qt.Window
    color: Theme.ivory
    width: menu.implicitWidth
    height: menu.implicitHeight
    minimumWidth: width
    maximumWidth: width
    minimumHeight: height
    maximumHeight: height

    MenuView {
        id: menu
        objectName: "menu"
        anchors.fill: parent
        appState: window.appState
    }

    Rectangle {
        visible: window.popover
        anchors.fill: parent
        color: "transparent"
        border.width: 1
        border.color: Theme.stone
    }
}
