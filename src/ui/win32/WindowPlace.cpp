#include "ui/win32/WindowPlace.h"

namespace Win32Ui {

namespace {

RECT PlaceOf(HWND window) {
    RECT place{};
    GetWindowRect(window, &place);
    return place;
}

void MoveTo(HWND window, int left, int top) {
    SetWindowPos(window, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

double WindowLeftTwips(HWND window, const Scale& scale) {
    return scale.Twips(PlaceOf(window).left);
}

double WindowTopTwips(HWND window, const Scale& scale) {
    return scale.Twips(PlaceOf(window).top);
}

void SetWindowLeftTwips(HWND window, const Scale& scale, double twips) {
    MoveTo(window, scale.Pixels(twips), PlaceOf(window).top);
}

void SetWindowTopTwips(HWND window, const Scale& scale, double twips) {
    MoveTo(window, PlaceOf(window).left, scale.Pixels(twips));
}

}  // namespace Win32Ui
