#pragma once

// A sticky note on the desktop: a borderless popup in the tooltip colour with a text box, a
// drag strip along the top and a cross that deletes the note, cut to that shape by the shaping
// routine through GDI. It owns the note's behaviour (frmNote) and forwards every event to it.
//
// Line ends: the edit control holds CR LF between lines; the note's lines go in and come back
// by the one rule of notes/TextBoxLines.h.

#include <functional>
#include <memory>
#include <string>

#include "notes/NoteView.h"
#include "platform/win32/WindowsApi.h"
#include "ui/win32/Dpi.h"
#include "ui/win32/Fonts.h"
#include "ui/win32/PictureControl.h"
#include "ui/win32/RegionGdi.h"

namespace Platform {
class Dialogs;
}
namespace Notes {
class frmNote;
}

namespace Win32Ui {

class NoteWindow : public Notes::NoteView, private ControlOwner {
  public:
    // Client area 3630 by 3600 twips.
    static constexpr double ClientWidthTwips = 3630;
    static constexpr double ClientHeightTwips = 3600;

    // closed runs when the window closes for good (deleted note, or closed by the user).
    NoteWindow(Platform::Dialogs& dialogs, std::u16string programFolder, POINT place,
               std::function<void(NoteWindow&)> closed);
    ~NoteWindow() override;
    NoteWindow(const NoteWindow&) = delete;
    NoteWindow& operator=(const NoteWindow&) = delete;

    Notes::frmNote& Form() { return *form_; }
    HWND Handle() const { return window_; }
    HWND TextBox() const { return txtNote_; }
    HWND Strip() const { return Image1_; }
    HWND Cross() const { return Image2_; }
    const Scale& Scaling() const { return scale_; }
    // False once the note was deleted or its window closed.
    bool IsOpen() const { return !closed_; }
    // Shown without taking the activation (the notes reopened at start-up, under the launcher
    // that opens after them): nothing needs to follow the focus from note to note.
    void ShowInBackground() { activateOnShow_ = false; }
    // The program ends: the window goes without another word to its behaviour class.
    void CloseForProgramEnd();

    // Notes::NoteView
    std::u16string NoteText() const override;
    void SetNoteText(std::u16string text) override;
    bool TextEdited() const override;
    double WindowLeft() const override;
    double WindowTop() const override;
    void SetWindowLeft(double twips) override;
    void SetWindowTop(double twips) override;
    void SetBorderStyleNone() override;
    double PixelsPerTwip() const override;
    Transparent::RegionApi& WindowRegionApi() override { return regions_; }
    void LeaveTextBox() override;
    void StartSaveTimer(int milliseconds) override;
    void StopSaveTimer() override;
    void ShowWindow() override;
    void CloseWindow() override;

  private:
    static constexpr UINT_PTR SaveTimerId = 1;

    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void PlaceControls();
    void OnDpiChanged(int dpi, const RECT& suggested);
    void MarkClosed();
    void Destroy();
    // The text box's keys reach frmNote before the edit control sees them.
    static LRESULT CALLBACK TextBoxProcedure(HWND box, UINT message, WPARAM wParam, LPARAM lParam,
                                             UINT_PTR id, DWORD_PTR self);

    void PaintControl(HWND control, HDC dc) override;
    void ControlMouseDown(HWND control, int button, int shift, POINT at) override;
    void ControlMouseMove(HWND control, int button, int shift, POINT at) override;
    void ControlClick(HWND control) override;

    Platform::Dialogs& dialogs_;
    std::function<void(NoteWindow&)> closedCallback_;
    HWND window_ = nullptr;
    HWND txtNote_ = nullptr;
    HWND Image1_ = nullptr;
    HWND Image2_ = nullptr;
    Scale scale_;
    GdiRegionApi regions_{nullptr};
    std::unique_ptr<Notes::frmNote> form_;
    bool closed_ = false;
    bool activateOnShow_ = true;
};

}  // namespace Win32Ui
