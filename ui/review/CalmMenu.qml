import QtQuick
import QtQuick.Controls.Basic
import Tovrin.Core

Menu {
    topPadding: 6
    bottomPadding: 6
    background: Rectangle {
        implicitWidth: 240
        radius: 10
        color: Theme.ivory
        border.width: 1
        border.color: Theme.stone
    }
}
