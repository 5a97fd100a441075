import QtQuick
import QtQuick.Layouts
import Tovrin.Core
import Tovrin.Shell

ColumnLayout {
    id: panel
    objectName: "reviewReadyPanel"
    required property AppState appState
    required property MenuModel model
    spacing: 12

    PanelHeader {
        subtitle: "Your fresh start is ready"
        Layout.fillWidth: true
        Layout.bottomMargin: 2
    }
    Card {
        Stat { objectName: "toOrganize"; value: Format.count(panel.model.toOrganize); label: "to organize" }
        Stat { objectName: "toRename"; value: Format.count(panel.model.toRename); label: "to rename" }
        Stat { objectName: "junk"; value: Format.fileSize(panel.model.planJunkBytes); label: "junk" }
    }
    Text {
        objectName: "cost"
        text: panel.model.costText
        visible: text.length > 0
        color: Theme.muted
        font.pixelSize: 11
        Layout.alignment: Qt.AlignHCenter
    }
    ColumnLayout {
        spacing: 8
        Layout.fillWidth: true
        PanelButton {
            objectName: "reviewChanges"
            text: "Review changes"
            onClicked: Shell.openWindow("review")
        }
        PanelButton {
            objectName: "notNow"
            kind: "secondary"
            text: "Not now"
            onClicked: panel.appState.discardPlan()
        }
    }

    MessageLine {
        text: panel.model.message
    }
}
