#pragma once

// What the window system lets a window do by itself. Under Wayland a window can neither place
// nor move itself: the compositor places new windows and moves a window when asked to take
// over a drag.

#include <QGuiApplication>

namespace QtUi {

inline bool CompositorPlacesWindows() {
    // "wayland", "wayland-egl", ...
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

// True where a window's pixels, once sent, are held by the display and not by the program (X11,
// and the offscreen platform of the tests), so that the program may let its own copy go.
// Elsewhere (Wayland) the display reads the program's own buffers.
inline bool DisplayKeepsSentPixels() {
    const QString platform = QGuiApplication::platformName();
    return platform == QLatin1String("xcb") || platform == QLatin1String("offscreen");
}

}  // namespace QtUi
