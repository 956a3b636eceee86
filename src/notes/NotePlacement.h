#pragma once

// Where the note windows of a run open. Notes are not centred and remember no place of their
// own; a desktop without a window manager would stack them all in one corner, so they are laid
// out in columns down the left half of the screen, beside the centred launcher, and once that
// is full, again a little further down and to the right. In the front-end's pixels.

namespace Notes {

struct ScreenArea {
    int Left = 0, Top = 0, Width = 0, Height = 0;  // the work area, without task bars
};
struct ScreenPoint {
    int X = 0, Y = 0;
};

// The top-left corner of the n-th note window (n from 0) of width by height pixels.
ScreenPoint DefaultNotePlace(int n, const ScreenArea& area, int width, int height);

}  // namespace Notes
