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

}  // namespace QtUi
