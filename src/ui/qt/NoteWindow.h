#pragma once

// A sticky note on the desktop: a borderless window in the tooltip colour with a text box, a
// drag strip along the top and a cross that deletes the note. It owns the note's behaviour
// (frmNote) and forwards every event to it.
//
// Line ends: Qt's text box holds one paragraph per line; the note's lines go in and come back
// by the one rule of notes/TextBoxLines.h.

#include <QPoint>
#include <QString>
#include <QWidget>

#include <functional>
#include <memory>
#include <string>

#include "notes/NoteView.h"
#include "shaping/RegionBuilder.h"

class QPlainTextEdit;
class QTimer;
class QTextDocument;

namespace Platform {
class Dialogs;
}
namespace Notes {
class frmNote;
}

namespace QtUi {

class DisplayHeldPixels;
class Picture;

class NoteWindow : public QWidget, public Notes::NoteView {
    Q_OBJECT

  public:
    // Client area 3630 by 3600 twips.
    static constexpr int ClientWidth = 242;
    static constexpr int ClientHeight = 240;

    NoteWindow(Platform::Dialogs& dialogs, std::u16string programFolder);
    ~NoteWindow() override;
    NoteWindow(const NoteWindow&) = delete;
    NoteWindow& operator=(const NoteWindow&) = delete;

    Notes::frmNote& Form() { return *form_; }
    // False once the note was deleted or its window closed.
    bool IsOpen() const { return !closed_; }
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

  signals:
    // The window closed for good (deleted note, or closed by the window manager).
    void Closed(QtUi::NoteWindow* window);

  protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // Builds the regions as pixel sets; the one handed to SetWindowRgn becomes the mask.
    class MaskRegions : public Shaping::RegionBuilder {
      public:
        explicit MaskRegions(NoteWindow& window) : window_(window) {}
        void SetWindowRgn(Transparent::RegionHandle region, bool redraw) override;

      private:
        NoteWindow& window_;
    };

    void MarkClosed();

    QPlainTextEdit* txtNote_ = nullptr;
    Picture* Image1_ = nullptr;
    Picture* Image2_ = nullptr;
    DisplayHeldPixels* pixels_ = nullptr;
    QTimer* saveTimer_ = nullptr;
    bool settingText_ = false;  // the text box is being filled by SetNoteText, not by the user
    MaskRegions regions_{*this};
    std::unique_ptr<Notes::frmNote> form_;
    bool closed_ = false;
    bool systemMove_ = false;
    int givenRevision_ = 0;  // the text box's revision when SetNoteText last filled it
};

// A note's lines to the text box's paragraphs, and back (notes/TextBoxLines.h).
QString TextBoxFromNoteText(const std::u16string& text);
std::u16string NoteTextFromTextBox(const QTextDocument& document);

}  // namespace QtUi
