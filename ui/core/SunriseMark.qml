import QtQuick

// The brand mark; shows nothing when the artwork is missing.
Item {
    id: mark

    property real size: 44

    implicitWidth: size
    implicitHeight: size

    Image {
        anchors.fill: parent
        sourceSize.width: mark.size * 2
        sourceSize.height: mark.size * 2
        source: "qrc:/qt/qml/Tovrin/Core/icons/Mark.svg"
        fillMode: Image.PreserveAspectFit
        smooth: true
    }
}
