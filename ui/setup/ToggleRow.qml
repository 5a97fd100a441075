import QtQuick
import QtQuick.Layouts
import Tovrin.Core

// A switch with a title and a detail line beneath.
RowLayout {
    id: row

    property string title
    property string detail
    property bool isOn
    signal switched(bool on)

    spacing: 16

    ColumnLayout {
        Layout.fillWidth: true
        spacing: 3

        Text {
            Layout.fillWidth: true
            text: row.title
            color: Theme.charcoal
            font.pixelSize: Theme.textLarge
            font.weight: Font.DemiBold
            wrapMode: Text.WordWrap
        }
        Text {
            Layout.fillWidth: true
            text: row.detail
            color: Theme.muted
            font.pixelSize: Theme.textNote
            lineHeight: 1.15
            wrapMode: Text.WordWrap
        }
    }
    CalmSwitch {
        objectName: "toggle"
        Layout.alignment: Qt.AlignVCenter
        checked: row.isOn
        onToggled: {
            row.switched(checked);
            // The owner decides; show its value, not the click.
            checked = Qt.binding(() => row.isOn);
        }
    }
}
