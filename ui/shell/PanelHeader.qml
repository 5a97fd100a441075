import QtQuick
import QtQuick.Layouts
import Tovrin.Core
import Tovrin.Shell

RowLayout {
    id: header
    property string subtitle
    spacing: 10

    SunriseMark {
        size: 68
    }

    ColumnLayout {
        spacing: 1
        Layout.fillWidth: true
        Text {
            text: qsTr("Tovrin")
            color: Theme.charcoal
            font.pixelSize: Theme.textLead
            font.weight: Font.DemiBold
        }
        Text {
            objectName: "subtitle"
            text: header.subtitle
            color: Theme.muted
            font.pixelSize: Theme.textNote
            elide: Text.ElideRight
            Layout.fillWidth: true
        }
    }

    IconButton {
        objectName: "settingsButton"
        implicitWidth: 30
        implicitHeight: 30
        iconSize: 18
        iconSource: "qrc:/qt/qml/Tovrin/Core/icons/gearshape.svg"
        help: qsTr("Settings")
        onClicked: Shell.openWindow("settings")
    }
}
