import QtQuick
import QtQuick.Layouts
import Tovrin.Core

// The state's one-line notice in small type; hidden when there is none.
Text {
    objectName: "message"
    visible: text.length > 0
    color: Theme.muted
    font.pixelSize: Theme.textCaption
    wrapMode: Text.Wrap
    Layout.fillWidth: true
}
