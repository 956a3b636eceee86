#include "support/MouseDrag.h"

#include "support/RoundHalfEven.h"

namespace Support {

DragPoint DragStart(double X, double Y) {
    return {RoundToInt32(X), RoundToInt32(Y)};
}

std::optional<WindowPlace> DragMove(int Button, const DragPoint& grab, const WindowPlace& window,
                                    double X, double Y) {
    if (Button != LeftButton) {
        return std::nullopt;
    }
    return WindowPlace{window.Left - (grab.X - X), window.Top - (grab.Y - Y)};
}

}  // namespace Support
