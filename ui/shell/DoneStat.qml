import QtQuick
import QtQuick.Layouts
import Tovrin.Core

// Like Stat, with a value that shrinks to fit its third of the card.
ColumnLayout {
    property string value
    property string label
    spacing: 0
    Layout.fillWidth: true
    Layout.preferredWidth: 1

    Text {
        text: parent.value
        color: Theme.charcoal
        font.pixelSize: Theme.textStat
        font.weight: Font.DemiBold
        fontSizeMode: Text.HorizontalFit
        minimumPixelSize: 12
        horizontalAlignment: Text.AlignHCenter
        Layout.fillWidth: true
        Layout.preferredHeight: 32
    }
    Text {
        text: parent.label
        color: Theme.muted
        font.pixelSize: Theme.textCaption
        horizontalAlignment: Text.AlignHCenter
        Layout.fillWidth: true
    }
}
