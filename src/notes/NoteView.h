#pragma once

// What frmNote needs of its window. The front-end implements it and forwards every event to
// frmNote. Positions are twips.

#include <string>

namespace Transparent {
class RegionApi;
}

namespace Notes {

class NoteView {
  public:
    virtual ~NoteView() = default;

    virtual std::u16string NoteText() const = 0;  // txtNote
    // Takes the text: a view that shows a converted copy can let it go before the copy grows.
    virtual void SetNoteText(std::u16string text) = 0;
    // Whether the user may have changed txtNote since SetNoteText (the toolkit's modified
    // flag). Until then frmNote knows the text, line ends and all, without asking for it.
    virtual bool TextEdited() const = 0;

    virtual double WindowLeft() const = 0;
    virtual double WindowTop() const = 0;
    virtual void SetWindowLeft(double twips) = 0;
    virtual void SetWindowTop(double twips) = 0;

    virtual void SetBorderStyleNone() = 0;
    // Pixels per twip of the screen the window is on (1/15 at 96 dpi), for shaping.
    virtual double PixelsPerTwip() const = 0;
    // The region operations that cut this window: what SetWindowRgn is handed becomes the
    // window's shape (pixels from its top-left corner). A native front-end passes them to the
    // system; one that cuts by a pixel mask builds the regions itself.
    virtual Transparent::RegionApi& WindowRegionApi() = 0;

    // Takes the keyboard focus out of txtNote to the window itself; the text box's focus loss
    // then raises txtNote_LostFocus as any other does.
    virtual void LeaveTextBox() = 0;

    // The note's save timer: one shot, each call starting it again from the beginning (the
    // pause in typing after which the note is saved). It raises SaveTimer_Timer.
    virtual void StartSaveTimer(int milliseconds) = 0;
    virtual void StopSaveTimer() = 0;

    virtual void ShowWindow() = 0;
    virtual void CloseWindow() = 0;  // unloads the window; frmNote must not be used afterwards
};

}  // namespace Notes
