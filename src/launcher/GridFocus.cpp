#include "launcher/GridFocus.h"

#include <cstdlib>

#include "launcher/Form1Layout.h"

namespace Launcher {

namespace {

constexpr int Columns = Form1Layout::GridColumns;
constexpr int Rows = Form1Layout::GridRows;

bool IsFilled(const FilledSlots& filled, int slot) {
    return slot >= 1 && slot <= SlotCount && filled[static_cast<std::size_t>(slot - 1)];
}

// The filled slot of row (0-based) nearest column, 0 when the row is empty.
int NearestInRow(const FilledSlots& filled, int row, int column) {
    int best = 0;
    int bestDistance = Columns;
    for (int c = 0; c < Columns; ++c) {
        const int slot = row * Columns + c + 1;
        const int distance = std::abs(c - column);
        if (IsFilled(filled, slot) && distance < bestDistance) {
            best = slot;
            bestDistance = distance;
        }
    }
    return best;
}

}  // namespace

int FirstFilledSlot(const FilledSlots& filled) {
    for (int slot = 1; slot <= SlotCount; ++slot) {
        if (IsFilled(filled, slot)) {
            return slot;
        }
    }
    return 0;
}

int LastFilledSlot(const FilledSlots& filled) {
    for (int slot = SlotCount; slot >= 1; --slot) {
        if (IsFilled(filled, slot)) {
            return slot;
        }
    }
    return 0;
}

int MoveInGrid(const FilledSlots& filled, int from, GridMove move) {
    if (!IsFilled(filled, from)) {
        return FirstFilledSlot(filled);
    }
    const int step = (move == GridMove::Left || move == GridMove::Up) ? -1 : 1;
    if (move == GridMove::Left || move == GridMove::Right) {
        for (int slot = from + step; slot >= 1 && slot <= SlotCount; slot += step) {
            if (IsFilled(filled, slot)) {
                return slot;
            }
        }
        return from;
    }
    const int column = (from - 1) % Columns;
    for (int row = (from - 1) / Columns + step; row >= 0 && row < Rows; row += step) {
        if (const int slot = NearestInRow(filled, row, column); slot != 0) {
            return slot;
        }
    }
    return from;
}

}  // namespace Launcher
