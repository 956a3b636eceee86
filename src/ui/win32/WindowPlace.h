#pragma once

// A window's place on the screen in twips, as the behaviour classes read and set it: the left
// and top edges are set one at a time, each a move of its own.

#include "platform/win32/WindowsApi.h"
#include "ui/win32/Dpi.h"

namespace Win32Ui {

double WindowLeftTwips(HWND window, const Scale& scale);
double WindowTopTwips(HWND window, const Scale& scale);
void SetWindowLeftTwips(HWND window, const Scale& scale, double twips);
void SetWindowTopTwips(HWND window, const Scale& scale, double twips);

}  // namespace Win32Ui
