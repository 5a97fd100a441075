import QtQuick
import QtQuick.Layouts
import Tovrin.Core

ColumnLayout {
    property string value
    property string label
    spacing: 0
    Layout.fillWidth: true
    Layout.preferredWidth: 1

    Text {
        text: parent.value
        color: Theme.charcoal
        font.pixelSize: Theme.textTitle
        font.weight: Font.DemiBold
        horizontalAlignment: Text.AlignHCenter
        Layout.fillWidth: true
        // A wide value ("48.0 MB") takes room from its neighbours, never from itself.
        Layout.minimumWidth: implicitWidth
    }
    Text {
        text: parent.label
        color: Theme.muted
        font.pixelSize: Theme.textCaption
        horizontalAlignment: Text.AlignHCenter
        Layout.fillWidth: true
        Layout.minimumWidth: implicitWidth
    }
}
