import QtQuick
import QtQuick.Layouts
import Tovrin.Core

// A framed container; its children stack in a column.
Rectangle {
    id: card

    default property alias content: column.data
    property int padding: 16
    property alias spacing: column.spacing

    implicitWidth: column.implicitWidth + 2 * padding
    implicitHeight: column.implicitHeight + 2 * padding
    radius: 10
    color: Theme.ivory
    border.color: Theme.hairline
    border.width: 1

    ColumnLayout {
        id: column
        anchors.fill: parent
        anchors.margins: card.padding
        spacing: 12
    }
}
