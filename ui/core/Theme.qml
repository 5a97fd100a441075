pragma Singleton
import QtQuick

// The light palette and type scale every view draws with, whatever the
// system appearance.
QtObject {
    readonly property color ivory: "#ffffff"
    readonly property color surface: "#f5f5f7"
    readonly property color sand: "#f0f0f2"
    readonly property color stone: "#d4d4d8"
    readonly property color muted: "#6b6b70"
    readonly property color faint: "#a1a1a6"
    readonly property color charcoal: "#0a0a0a"
    readonly property color amber: "#0a0a0a"
    readonly property color hairline: "#14000000"
    readonly property color stripe: "#fafafb"
    readonly property color notice: "#f7f5ef"
    readonly property color noticeBorder: "#e9e4d6"

    // States of the controls: light ones wash grey, filled ones lighten.
    readonly property color hover: "#e8e8eb"
    readonly property color pressed: "#d4d4d8"
    readonly property color filledHover: "#242426"
    readonly property color filledPressed: "#333336"
    readonly property color focusRing: "#5a8dee"
    readonly property color error: "#b3261e"

    // Text sizes in pixels; the recap's display numbers keep their own.
    readonly property int textMicro: 10
    readonly property int textCaption: 11
    readonly property int textNote: 12
    readonly property int textBody: 13
    readonly property int textLarge: 14
    readonly property int textLead: 16
    readonly property int textHeading: 18
    readonly property int textSubtitle: 20
    readonly property int textTitle: 22
    // Display sizes: the done panel's figures and the recap's slides.
    readonly property int textStat: 26
    readonly property int textSlideHeading: 28
    readonly property int textSlideLine: 34
    readonly property int textSlideTitle: 46
    readonly property int textFinale: 52
    readonly property int textHero: 96
    readonly property int textHeroLarge: 110
}
