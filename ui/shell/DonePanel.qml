import QtQuick
import QtQuick.Layouts
import Tovrin.Core
import Tovrin.Shell

ColumnLayout {
    id: panel
    objectName: "donePanel"
    required property AppState appState
    required property MenuController model
    readonly property bool offersRecap: model.hasRecap && model.moved > 0
    spacing: 10

    SunriseMark {
        size: 96
        Layout.alignment: Qt.AlignHCenter
        Layout.topMargin: 6
    }
    Text {
        text: "A fresh start."
        color: Theme.charcoal
        font.pixelSize: Theme.textSubtitle
        font.weight: Font.DemiBold
        Layout.alignment: Qt.AlignHCenter
    }
    Text {
        objectName: "outcome"
        text: panel.model.moved !== 0 ? "Everything has a home. Nothing was deleted." : "Everything was already in its place."
        color: Theme.muted
        font.pixelSize: Theme.textBody
        horizontalAlignment: Text.AlignHCenter
        wrapMode: Text.Wrap
        Layout.fillWidth: true
        Layout.bottomMargin: 4
    }
    Card {
        padding: 14
        color: Theme.surface
        RowLayout {
            spacing: 8
            Layout.fillWidth: true
            DoneStat {
                objectName: "organized"
                value: Format.count(panel.model.moved)
                label: "organized"
            }
            DoneStat {
                objectName: "renamed"
                value: Format.count(panel.model.renamed)
                label: "renamed"
            }
            DoneStat {
                objectName: "toReview"
                value: Format.fileSize(panel.model.junkBytes)
                label: "to review"
            }
        }
    }
    ColumnLayout {
        spacing: 8
        Layout.fillWidth: true
        Layout.topMargin: 4
        CalmButton {
            objectName: "watchRecap"
            kind: CalmButton.Primary
            visible: panel.offersRecap
            text: "Watch your recap"
            Layout.fillWidth: true
            onClicked: Shell.openWindow("recap")
        }
        CalmButton {
            objectName: "openHome"
            kind: panel.offersRecap ? CalmButton.Secondary : CalmButton.Primary
            text: "Open in Finder"
            Layout.fillWidth: true
            onClicked: Shell.openFolder(panel.model.homeBase)
        }
        CalmButton {
            objectName: "needsYou"
            visible: panel.model.needsYou >= 1
            kind: CalmButton.Secondary
            text: Format.count(panel.model.needsYou) + " files need you"
            Layout.fillWidth: true
            onClicked: Shell.openFolder(panel.model.needsYouFolder)
        }
        CalmButton {
            objectName: "clearOut"
            visible: panel.model.junkBytes >= 1
            kind: CalmButton.Secondary
            text: "Review what to clear out · " + Format.fileSize(panel.model.junkBytes)
            Layout.fillWidth: true
            onClicked: Shell.openFolder(panel.model.toDeleteFolder)
        }
    }
    RowLayout {
        Layout.fillWidth: true
        CalmButton {
            objectName: "done"
            kind: CalmButton.Quiet
            text: "Done"
            // The plan is already empty here, so this only returns to idle.
            onClicked: panel.appState.discardPlan()
        }
        Item {
            Layout.fillWidth: true
        }
        CalmButton {
            objectName: "undo"
            kind: CalmButton.Quiet
            text: "Undo"
            onClicked: panel.appState.undoLast()
        }
    }
}
