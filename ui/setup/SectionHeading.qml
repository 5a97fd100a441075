import QtQuick
import Tovrin.Core

// The small capitals above a group of settings.
Text {
    color: Theme.muted
    font.pixelSize: Theme.textCaption
    font.weight: Font.DemiBold
    font.letterSpacing: 0.9
}
