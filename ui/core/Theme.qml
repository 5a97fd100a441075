pragma Singleton
import QtQuick

// The light palette every view draws with, whatever the system appearance.
QtObject {
    readonly property color ivory: "#ffffff"
    readonly property color surface: "#f5f5f7"
    readonly property color sand: "#f0f0f2"
    readonly property color stone: "#d4d4d8"
    readonly property color muted: "#6b6b70"
    readonly property color charcoal: "#0a0a0a"
    readonly property color amber: "#0a0a0a"
    readonly property color hairline: "#14000000"
}
