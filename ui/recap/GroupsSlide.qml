pragma ComponentBehavior: Bound

import QtQuick
import Tovrin.Core
import Tovrin.Recap

Item {
    id: slide

    property RecapController recap

    Column {
        id: column
        anchors.centerIn: parent
        width: Math.min(480, slide.width - 96)
        spacing: 18

        Rise {
            delay: 0
            Text {
                text: qsTr("Where everything went")
                font.pixelSize: Theme.textSlideHeading
                font.weight: Font.DemiBold
                color: "white"
            }
        }

        Column {
            width: column.width
            spacing: 14

            Repeater {
                model: slide.recap ? slide.recap.groups : []

                Rise {
                    id: row
                    required property var modelData
                    required property int index
                    width: column.width
                    delay: 0.2 + 0.15 * index

                    Column {
                        width: row.width
                        spacing: 7

                        Item {
                            width: parent.width
                            height: name.implicitHeight
                            Text {
                                id: name
                                width: parent.width - count.width - 16
                                text: row.modelData.name
                                elide: Text.ElideRight
                                font.pixelSize: Theme.textLead
                                color: "white"
                                opacity: row.modelData.more ? 0.6 : 0.9
                            }
                            Text {
                                id: count
                                anchors.right: parent.right
                                text: Format.count(row.modelData.count)
                                font.pixelSize: Theme.textLead
                                font.weight: Font.DemiBold
                                color: "white"
                            }
                        }
                        GrowBar {
                            visible: !row.modelData.more
                            width: parent.width
                            fraction: row.modelData.fraction
                            delay: 0.3 + 0.15 * row.index
                        }
                    }
                }
            }
        }
    }
}
