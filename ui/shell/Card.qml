import QtQuick
import QtQuick.Layouts
import Tovrin.Core

// A framed group of stats, with an optional small heading.
Rectangle {
    id: card
    property string heading
    default property alias content: body.data

    Layout.fillWidth: true
    implicitHeight: column.implicitHeight + 28
    radius: 10
    color: Theme.surface
    border.width: 1
    border.color: Theme.hairline

    ColumnLayout {
        id: column
        anchors.fill: parent
        anchors.margins: 14
        spacing: 10
        Text {
            text: card.heading
            visible: card.heading.length > 0
            color: Theme.muted
            font.pixelSize: 10
            font.weight: Font.DemiBold
            font.letterSpacing: 0.8
        }
        RowLayout {
            id: body
            spacing: 8
            Layout.fillWidth: true
        }
    }
}
