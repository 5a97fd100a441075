pragma ComponentBehavior: Bound

import QtQuick
import QtQuick.Controls.Basic
import QtQuick.Layouts
import Tovrin.Core
import Tovrin.Setup

// "Use a model on this computer": the server's address, a check of the
// models it holds, and which of them sorts files, looks at pictures and
// takes the second look.
Card {
    id: card

    required property SettingsController preferences
    // What the server listed, with the models already chosen, so a choice
    // shows before any check.
    readonly property var choices: {
        const names = card.checked ? check.models.slice() : [];
        for (const chosen of [card.preferences.filesModel, card.preferences.picturesModel, card.preferences.secondLookModel])
            if (chosen.length > 0 && names.indexOf(chosen) < 0)
                names.push(chosen);
        return names;
    }

    // What the last check found is about the address in the settings.
    readonly property bool checked: check.address === card.preferences.localAddress

    spacing: 14

    ServerCheckController {
        id: check
    }

    ToggleRow {
        objectName: "localRow"
        Layout.fillWidth: true
        title: qsTr("Use a model on this computer")
        detail: qsTr("Your files never leave this computer, and sorting costs nothing. It needs a model server running here, and takes longer.")
        isOn: card.preferences.localOn
        onSwitched: on => card.preferences.localOn = on
    }

    ColumnLayout {
        Layout.fillWidth: true
        visible: card.preferences.localOn
        spacing: 12

        RowLayout {
            Layout.fillWidth: true
            spacing: 10

            TextField {
                id: addressField
                objectName: "addressField"
                Layout.fillWidth: true
                text: card.preferences.localAddress
                onEditingFinished: card.preferences.localAddress = text
                font.pixelSize: Theme.textBody
                color: Theme.charcoal
                leftPadding: 10
                background: Rectangle {
                    implicitHeight: 34
                    radius: 8
                    color: Theme.surface
                    border.color: addressField.activeFocus ? Theme.charcoal : Theme.stone
                }
            }
            CalmButton {
                objectName: "checkButton"
                text: qsTr("Check")
                enabled: !check.checking
                onClicked: {
                    card.preferences.localAddress = addressField.text;
                    check.run(addressField.text);
                }
            }
            BusyIndicator {
                visible: check.checking
                running: check.checking
                implicitWidth: 22
                implicitHeight: 22
            }
        }
        Text {
            objectName: "checkProblem"
            Layout.fillWidth: true
            visible: card.checked && check.problem.length > 0
            text: check.problem
            color: Theme.error
            font.pixelSize: Theme.textBody
            wrapMode: Text.WordWrap
        }
        Text {
            objectName: "checkFound"
            Layout.fillWidth: true
            visible: card.checked && check.models.length > 0 && !check.checking
            text: qsTr("%n model(s) found.", "", check.models.length)
            color: Theme.charcoal
            font.pixelSize: Theme.textBody
            font.weight: Font.DemiBold
        }
        ToggleRow {
            objectName: "trustRow"
            Layout.fillWidth: true
            visible: !card.preferences.serverOnThisComputer
            title: qsTr("I trust this server")
            detail: qsTr("This address is not on this computer: your files would travel to it.")
            isOn: card.preferences.serverTrusted
            onSwitched: on => card.preferences.serverTrusted = on
        }

        GridLayout {
            Layout.fillWidth: true
            columns: 2
            columnSpacing: 12
            rowSpacing: 8

            Text {
                text: qsTr("For files")
                color: Theme.charcoal
                font.pixelSize: Theme.textBody
            }
            ModelChoice {
                objectName: "filesChoice"
                names: card.choices
                chosen: card.preferences.filesModel
                onPicked: name => card.preferences.filesModel = name
            }
            Text {
                text: qsTr("For pictures")
                color: Theme.charcoal
                font.pixelSize: Theme.textBody
            }
            ModelChoice {
                objectName: "picturesChoice"
                names: card.choices
                chosen: card.preferences.picturesModel
                onPicked: name => card.preferences.picturesModel = name
            }
            Text {
                text: qsTr("Second look")
                color: Theme.charcoal
                font.pixelSize: Theme.textBody
            }
            ModelChoice {
                objectName: "secondLookChoice"
                names: card.choices
                allowNone: true
                chosen: card.preferences.secondLookModel
                onPicked: name => card.preferences.secondLookModel = name
            }
        }
    }

    // One model out of the names, or none where that is allowed.
    component ModelChoice: ComboBox {
        id: choice

        property var names: []
        property string chosen
        property bool allowNone: false
        readonly property var entries: (choice.allowNone ? [""] : []).concat(choice.names)
        signal picked(string name)

        Layout.fillWidth: true
        model: choice.entries.map(name => name.length > 0 ? name : qsTr("None"))
        currentIndex: choice.entries.indexOf(choice.chosen)
        displayText: choice.currentIndex < 0 ? qsTr("Choose after “Check”") : choice.currentText
        onActivated: index => choice.picked(choice.entries[index])
        font.pixelSize: Theme.textBody
        background: Rectangle {
            implicitHeight: 34
            radius: 8
            color: Theme.surface
            border.color: choice.activeFocus ? Theme.charcoal : Theme.stone
        }
    }
}
