#pragma once

// The keyboard and the wheel as the windows' handlers receive them. Key codes are the ones the
// form's KeyDown handlers have always been given (the same numbers as Windows' virtual keys), so
// the Win32 front-end passes them through and the Qt front-end translates its own; the held
// keys are summed into Shift as in MouseDrag.h.

namespace Support {

inline constexpr int KeyTab = 9;
inline constexpr int KeyReturn = 13;
inline constexpr int KeyEscape = 27;
inline constexpr int KeySpace = 32;
inline constexpr int KeyPageUp = 33;
inline constexpr int KeyPageDown = 34;
inline constexpr int KeyEnd = 35;
inline constexpr int KeyHome = 36;
inline constexpr int KeyLeft = 37;
inline constexpr int KeyUp = 38;
inline constexpr int KeyRight = 39;
inline constexpr int KeyDown = 40;
inline constexpr int KeyF4 = 115;

// One notch of a mouse wheel. Wheels that report finer steps (touchpads, high-resolution
// wheels) send fractions of it; both toolkits count in these units. Positive turns the wheel
// away from the user.
inline constexpr int WheelNotch = 120;

}  // namespace Support
