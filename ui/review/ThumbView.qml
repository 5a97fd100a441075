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

    Image {
        anchors.fill: parent
        anchors.margins: root.iconMargin
        source: root.icon
        sourceSize.width: 128
        sourceSize.height: 128
        fillMode: Image.PreserveAspectFit
        smooth: true
        // Our line icons drawn large would shout; the thumbnails are the point.
        opacity: 0.35
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
