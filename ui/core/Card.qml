import QtQuick
import QtQuick.Layouts
import Tovrin.Core

// A framed group under an optional small heading; its children stack in a
// column.
Rectangle {
    id: card

    property string heading
    property int padding: 16
    property alias spacing: column.spacing
    default property alias content: column.data

    Layout.fillWidth: true
    implicitWidth: column.implicitWidth + 2 * padding
    implicitHeight: column.implicitHeight + 2 * padding
    radius: 10
    color: Theme.ivory
    border.width: 1
    border.color: Theme.hairline

    ColumnLayout {
        id: column

        anchors.fill: parent
        anchors.margins: card.padding
        spacing: 12

        Text {
            text: card.heading
            visible: card.heading.length > 0
            color: Theme.muted
            font.pixelSize: Theme.textMicro
            font.weight: Font.DemiBold
            font.letterSpacing: 0.8
        }
    }
}
