#pragma once

// Where the focus mark goes in the icon grid when an arrow key, Home or End is pressed. Only
// filled slots take the focus: a move skips empty ones and never leaves the grid.

#include <array>

#include "launcher/LauncherView.h"

namespace Launcher {

// Which of the slots 1 to SlotCount show an application; index 0 is slot 1.
using FilledSlots = std::array<bool, SlotCount>;

enum class GridMove { Left, Right, Up, Down };

// The first and last filled slot; 0 when the grid is empty.
int FirstFilledSlot(const FilledSlots& filled);
int LastFilledSlot(const FilledSlots& filled);

// The slot a move from the filled slot `from` leads to; `from` itself at an edge of the grid.
// Left and Right go to the previous and next filled slot in reading order, across rows. Up and
// Down go to the nearest row above or below that holds a filled slot, to the slot of that row
// nearest the column left behind (the left one of two as near).
int MoveInGrid(const FilledSlots& filled, int from, GridMove move);

}  // namespace Launcher
