import QtQuick
import Tovrin.Zen

FittedWindow {
    id: window

    title: qsTr("Refresh animation")
    content: view

    ZenPreview {
        id: view
        objectName: "view"
        anchors.fill: parent
    }
}
