import QtQuick

// The brand mark; shows nothing when the artwork is missing.
Image {
    property real size: 32
    width: size
    height: size
    sourceSize: Qt.size(size * 2, size * 2)
    source: "qrc:/qt/qml/Tovrin/Core/icons/Mark.svg"
    fillMode: Image.PreserveAspectFit
    smooth: true
}
