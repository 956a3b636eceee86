#include "support/MouseClick.h"

#include "support/MouseDrag.h"

namespace Support {

void MouseClick::ButtonDown(int Button) {
    if (Button == LeftButton) {
        leftPressed_ = true;
    }
}

bool MouseClick::LeftButtonUp(bool overControl) {
    const bool wasPressed = leftPressed_;
    leftPressed_ = false;
    return wasPressed && overControl;
}

}  // namespace Support
