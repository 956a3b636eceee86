#pragma once

// The pictures compiled into the program's resources (kivola.rc), decoded on first use and kept
// for the life of the process. COM must be initialised on the thread that first asks.

#include "platform/win32/WindowsApi.h"
#include "ui/win32/Bitmap.h"

namespace Win32Ui::Artwork {

const Bitmap& Background();   // the launcher's background, 350 by 440
const Bitmap& CloseButton();  // 18 by 21
const Bitmap& AddGlyph();     // 9 by 9, stretched to its control
const Bitmap& DefaultIcon();  // 48 by 48, for an application that has no icon of its own
const Bitmap& NoteCross();    // the note's delete button, 14 by 14

// The program's icon at size by size pixels (16 for the small icon, 32 for the large one; other
// sizes are scaled from the nearest image). Owned here: do not destroy it.
HICON WindowIcon(int size);

// The pointing hand over everything that can be clicked: 32 by 32, hot spot (1, 1). Owned
// here: do not destroy it.
HCURSOR HandPointer();

}  // namespace Win32Ui::Artwork
