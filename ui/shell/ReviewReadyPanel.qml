import QtQuick
import QtQuick.Layouts
import Tovrin.Core
import Tovrin.Shell

ColumnLayout {
    id: panel
    objectName: "reviewReadyPanel"
    required property AppState appState
    required property MenuController model
    spacing: 12

    PanelHeader {
        subtitle: qsTr("Your fresh start is ready")
        Layout.fillWidth: true
        Layout.bottomMargin: 2
    }
    Card {
        padding: 14
        color: Theme.surface
        RowLayout {
            spacing: 8
            Layout.fillWidth: true
            Stat {
                objectName: "toOrganize"
                value: Format.count(panel.model.toOrganize)
                label: qsTr("to organize")
            }
            Stat {
                objectName: "toRename"
                value: Format.count(panel.model.toRename)
                label: qsTr("to rename")
            }
            Stat {
                objectName: "junk"
                value: Format.fileSize(panel.model.planJunkBytes)
                label: qsTr("junk")
            }
        }
    }
    Text {
        objectName: "cost"
        text: panel.model.costText
        visible: text.length > 0
        color: Theme.muted
        font.pixelSize: Theme.textCaption
        Layout.alignment: Qt.AlignHCenter
    }
    ColumnLayout {
        spacing: 8
        Layout.fillWidth: true
        CalmButton {
            objectName: "reviewChanges"
            kind: CalmButton.Primary
            text: qsTr("Review changes")
            Layout.fillWidth: true
            onClicked: Shell.openWindow("review")
        }
        CalmButton {
            objectName: "notNow"
            kind: CalmButton.Secondary
            text: qsTr("Not now")
            Layout.fillWidth: true
            onClicked: panel.appState.discardPlan()
        }
    }

    MessageLine {
        text: panel.model.message
    }
}
