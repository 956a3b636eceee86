#pragma once

// What counts as a click on a picture or label, the same for both front-ends and every window:
// the left button pressed on the control and released over it. A release elsewhere is no
// click, as with a button the pointer has left; nor is one after the control lost the mouse
// to another window. The second press of a double click never counts: its click was raised by
// the first press, so a double click on an icon starts the application once.

namespace Support {

class MouseClick {
  public:
    // A button went down on the control (LeftButton, RightButton, MiddleButton).
    void ButtonDown(int Button);
    // The second press of a double click.
    void DoubleClickDown() { leftPressed_ = false; }
    // The control lost the mouse before the button came up.
    void Lost() { leftPressed_ = false; }
    // The left button came up, over the control or not; true when that makes a click.
    bool LeftButtonUp(bool overControl);

  private:
    bool leftPressed_ = false;
};

}  // namespace Support
