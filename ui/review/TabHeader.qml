import QtQuick
import Tovrin.Core

// Every tab opens with a title and a subtitle.
Column {
    property alias title: titleText.text
    property alias subtitle: subtitleText.text

    spacing: 4

    Text {
        id: titleText
        font.pixelSize: Theme.textTitle
        font.weight: Font.DemiBold
        color: Theme.charcoal
        Accessible.role: Accessible.Heading
        Accessible.name: text
    }
    Text {
        id: subtitleText
        width: parent.width
        font.pixelSize: Theme.textBody
        color: Theme.muted
        wrapMode: Text.WordWrap
    }
}
