import QtQuick
import Tovrin.Core

// The file's icon until its thumbnail has loaded; a file without one keeps
// its icon.
Rectangle {
    id: root

    property url thumbnail
    property url icon
    property int iconMargin: 16
    property int thumbMargin: 8

    radius: 8
    color: Theme.surface

    // Icons stay icon-sized: a big tile shows a small icon in its middle.
    Image {
        anchors.centerIn: parent
        width: Math.min(root.width - 2 * root.iconMargin, root.height - 2 * root.iconMargin, 44)
        height: width
        source: root.icon
        sourceSize: Qt.size(88, 88)
        fillMode: Image.PreserveAspectFit
        smooth: true
        opacity: 0.5
        visible: picture.status !== Image.Ready
    }
    Image {
        id: picture
        anchors.fill: parent
        anchors.margins: root.thumbMargin
        source: root.thumbnail
        asynchronous: true
        // The thumbnail cache keeps these; a second copy would only cost memory.
        cache: false
        fillMode: Image.PreserveAspectFit
        smooth: true
        visible: status === Image.Ready
    }
}
