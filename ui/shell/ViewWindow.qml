import QtQuick
import Tovrin.Core
import Tovrin.Shell

// A window of the application around one view; the window manager makes it.
Window {
    required property AppState appState
    required property WindowManager windows

    color: Theme.ivory
}
