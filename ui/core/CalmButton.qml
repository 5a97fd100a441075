import QtQuick
import QtQuick.Controls.Basic
import Tovrin.Core

// The one rounded button: filled for the step that goes on, framed for the
// others, bare text for the quietest. Reached with Tab; a click leaves the
// keyboard where it was, and Return presses the focused button.
Button {
    id: control

    enum Kind {
        Primary,
        Secondary,
        Quiet
    }

    property int kind: CalmButton.Secondary
    readonly property bool primary: kind === CalmButton.Primary
    readonly property bool quiet: kind === CalmButton.Quiet

    implicitHeight: quiet ? 28 : 34
    leftPadding: 14
    rightPadding: 14
    focusPolicy: Qt.TabFocus
    hoverEnabled: true
    font.pixelSize: Theme.textBody
    font.weight: primary ? Font.DemiBold : Font.Medium
    Accessible.name: text
    Keys.onReturnPressed: clicked()
    Keys.onEnterPressed: clicked()

    contentItem: Text {
        text: control.text
        font: control.font
        color: control.primary ? Theme.ivory : control.quiet ? Theme.muted : Theme.charcoal
        opacity: control.enabled || control.primary ? 1 : 0.4
        horizontalAlignment: Text.AlignHCenter
        verticalAlignment: Text.AlignVCenter
        elide: Text.ElideRight
    }

    background: Rectangle {
        radius: 9
        color: {
            if (control.primary)
                return control.down ? Theme.filledPressed : control.hovered ? Theme.filledHover : Theme.charcoal;
            if (control.quiet)
                return control.hovered ? Theme.hover : "transparent";
            return control.down ? Theme.pressed : control.hovered ? Theme.hover : Theme.ivory;
        }
        border.width: control.kind === CalmButton.Secondary ? 1 : 0
        border.color: control.visualFocus ? Theme.charcoal : Theme.stone
        opacity: control.enabled ? 1 : 0.4

        Rectangle {
            anchors.fill: parent
            anchors.margins: -3
            radius: 12
            color: "transparent"
            border.width: 2
            border.color: Theme.focusRing
            visible: control.visualFocus
        }
    }
}
