import QtQuick
import QtQuick.Layouts
import Tovrin.Core

// What Claude has cost: four figures with their labels.
Card {
    id: summary

    // {value, label} maps, as the usage log gives them.
    property var figures: []

    RowLayout {
        Layout.fillWidth: true
        spacing: 0

        Repeater {
            model: summary.figures

            delegate: RowLayout {
                id: stat

                required property var modelData
                required property int index

                Layout.fillWidth: true
                Layout.preferredWidth: 1
                spacing: 0

                Rectangle {
                    visible: stat.index > 0
                    Layout.fillHeight: true
                    Layout.rightMargin: 14
                    implicitWidth: 1
                    color: Theme.hairline
                }
                ColumnLayout {
                    objectName: "stat-" + stat.index
                    Layout.fillWidth: true
                    spacing: 2

                    Text {
                        objectName: "value"
                        Layout.fillWidth: true
                        text: stat.modelData.value
                        color: Theme.charcoal
                        font.pixelSize: Theme.textSubtitle
                        font.weight: Font.DemiBold
                    }
                    Text {
                        Layout.fillWidth: true
                        text: stat.modelData.label
                        color: Theme.muted
                        font.pixelSize: Theme.textNote
                    }
                }
            }
        }
    }
}
