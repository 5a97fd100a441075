import QtQuick

// A window the size of its view, no taller than the room its screen leaves
// (the window manager sets it); the view scrolls what does not fit.
ViewWindow {
    id: window

    required property Item content
    property int room: content.implicitHeight

    width: content.implicitWidth
    height: Math.min(content.implicitHeight, room)
    minimumWidth: width
    maximumWidth: width
    minimumHeight: height
    maximumHeight: height
}
