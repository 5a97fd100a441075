import QtQuick
import Tovrin.Recap
import Tovrin.Shell

FittedWindow {
    id: window

    title: qsTr("Your recap")
    content: view

    RecapView {
        id: view
        objectName: "view"
        anchors.fill: parent
        appState: window.appState
        onOpenFolderRequested: path => Shell.openFolder(path)
        onCloseRequested: window.close()
    }
}
