#include "notes/NotePlacement.h"

#include <algorithm>

namespace Notes {

ScreenPoint DefaultNotePlace(int n, const ScreenArea& area, int width, int height) {
    constexpr int margin = 24;
    constexpr int gap = 12;
    constexpr int layerShift = 26;
    constexpr int layersBeforeRepeat = 8;
    const int pitchX = width + gap;
    const int pitchY = height + gap;
    const int rows = std::max(1, (area.Height - margin) / pitchY);
    const int columns = std::max(1, (area.Width / 2 - margin) / pitchX);
    const int perLayer = rows * columns;
    const int index = std::max(0, n);
    const int layer = index / perLayer;
    const int place = index % perLayer;
    const int shift = (layer % layersBeforeRepeat) * layerShift;
    return {area.Left + margin + (place / rows) * pitchX + shift,
            area.Top + margin + (place % rows) * pitchY + shift};
}

}  // namespace Notes
