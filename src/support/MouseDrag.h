#pragma once

// The mouse as the windows' handlers receive it, and the rule by which a borderless window
// follows the pointer while one of its pictures is dragged. Both windows (the launcher and the
// notes) and both front-ends use these, so the rule is written once.

#include <cstdint>
#include <optional>

namespace Support {

// Pressed buttons, summed into the Button argument of the mouse handlers.
inline constexpr int LeftButton = 1;
inline constexpr int RightButton = 2;
inline constexpr int MiddleButton = 4;

// Held keys, summed into the Shift argument.
inline constexpr int ShiftKey = 1;
inline constexpr int CtrlKey = 2;
inline constexpr int AltKey = 4;

// The grab point recorded by a press: the pointer's place within the picture, in whole twips.
struct DragPoint {
    std::int32_t X = 0;
    std::int32_t Y = 0;
};
DragPoint DragStart(double X, double Y);

struct WindowPlace {
    double Left = 0;
    double Top = 0;
};

// Where the window goes when the pointer moves to (X, Y) within the picture: the grab point
// stays under the pointer. Only with the left button alone; nothing for any other state.
std::optional<WindowPlace> DragMove(int Button, const DragPoint& grab, const WindowPlace& window,
                                    double X, double Y);

}  // namespace Support
