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
        text: qsTr("A fresh start.")
        color: Theme.charcoal
        font.pixelSize: Theme.textSubtitle
        font.weight: Font.DemiBold
        Layout.alignment: Qt.AlignHCenter
    }
    Text {
        objectName: "outcome"
        text: panel.model.moved !== 0 ? qsTr("Everything has a home. Nothing was deleted.") : qsTr("Everything was already in its place.")
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
                label: qsTr("organized")
            }
            DoneStat {
                objectName: "renamed"
                value: Format.count(panel.model.renamed)
                label: qsTr("renamed")
            }
            DoneStat {
                objectName: "toReview"
                value: Format.fileSize(panel.model.junkBytes)
                label: qsTr("to review")
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
            text: qsTr("Watch your recap")
            Layout.fillWidth: true
            onClicked: Shell.openWindow("recap")
        }
        CalmButton {
            objectName: "openHome"
            kind: panel.offersRecap ? CalmButton.Secondary : CalmButton.Primary
            text: Desktop.text(DesktopWords.Phrase.openInFileManager)
            Layout.fillWidth: true
            onClicked: Shell.openFolder(panel.model.homeBase)
        }
        CalmButton {
            objectName: "needsYou"
            visible: panel.model.needsYou >= 1
            kind: CalmButton.Secondary
            text: qsTr("%Ln file(s) need(s) you", "", panel.model.needsYou)
            Layout.fillWidth: true
            onClicked: Shell.openFolder(panel.model.needsYouFolder)
        }
        CalmButton {
            objectName: "clearOut"
            visible: panel.model.junkBytes >= 1
            kind: CalmButton.Secondary
            text: qsTr("Review what to clear out · %1").arg(Format.fileSize(panel.model.junkBytes))
            Layout.fillWidth: true
            onClicked: Shell.openFolder(panel.model.toDeleteFolder)
        }
    }
    RowLayout {
        Layout.fillWidth: true
        CalmButton {
            objectName: "done"
            kind: CalmButton.Quiet
            text: qsTr("Done")
            // The plan is already empty here, so this only returns to idle.
            onClicked: panel.appState.discardPlan()
        }
        Item {
            Layout.fillWidth: true
        }
        CalmButton {
            objectName: "undo"
            kind: CalmButton.Quiet
            text: qsTr("Undo")
            onClicked: panel.appState.undoLast()
        }
    }
}
