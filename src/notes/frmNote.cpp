#include "notes/frmNote.h"

#include <string_view>
#include <utility>

#include "notes/NoteFile.h"
#include "platform/Dialogs.h"
#include "platform/FileSystem.h"
#include "support/KeyCodes.h"
#include "support/MouseDrag.h"

namespace Notes {

namespace {

std::u16string Utf16Number(std::size_t value) {
    const std::string digits = std::to_string(value);
    return {digits.begin(), digits.end()};
}

// Holds a flag up for a scope, and lowers it on every way out.
class RaisedWhileInScope {
  public:
    explicit RaisedWhileInScope(bool& flag) : flag_(flag) { flag_ = true; }
    RaisedWhileInScope(const RaisedWhileInScope&) = delete;
    RaisedWhileInScope& operator=(const RaisedWhileInScope&) = delete;
    ~RaisedWhileInScope() { flag_ = false; }

  private:
    bool& flag_;
};

Transparent::ControlGeometry ControlInPixels(const NoteControlTwips& twips, double pixelsPerTwip) {
    Transparent::ControlGeometry control;
    control.Kind = Transparent::ControlKind::Other;
    control.Left = twips.Left * pixelsPerTwip;
    control.Top = twips.Top * pixelsPerTwip;
    control.Width = twips.Width * pixelsPerTwip;
    control.Height = twips.Height * pixelsPerTwip;
    return control;
}

}  // namespace

Transparent::FormGeometry NoteFormGeometry(double pixelsPerTwip) {
    Transparent::FormGeometry form;
    form.BorderStyle = 0;
    form.Controls = {ControlInPixels(txtNoteTwips, pixelsPerTwip),
                     ControlInPixels(Image1Twips, pixelsPerTwip),
                     ControlInPixels(Image2Twips, pixelsPerTwip)};
    return form;
}

frmNote::frmNote(NoteView& view, Platform::Dialogs& dialogs, std::u16string programFolder,
                 RandomSource& random)
    : view_(view), dialogs_(dialogs), programFolder_(std::move(programFolder)), random_(random) {}

std::u16string frmNote::NoteFilePath() const {
    return Notes::NoteFilePath(programFolder_, noteID);
}

void frmNote::SetNoteID(const std::u16string& strNoteID) {
    if (!strNoteID.empty()) {
        noteID = strNoteID;
        if (FileExists(NoteFilePath())) {
            LoadNoteText();
        }
        return;
    }
    // The IDs repeat from run to run, so a new note must not take over an existing note's file,
    // and the last character may be one that no file name can hold: draw again until neither.
    std::u16string candidate;
    do {
        candidate = RandomString(NoteIdMask, random_);
    } while (!IsPortableFileName(candidate) ||
             Platform::KindOfPath(Notes::NoteFilePath(programFolder_, candidate)) !=
                 Platform::PathKind::Missing);
    noteID = std::move(candidate);
}

void frmNote::LoadNoteText() {
    if (noteID.empty()) {
        return;
    }
    auto text = ReadNoteText(NoteFilePath(), &encoding_);
    if (!text) {
        // An empty file has nothing to lose; anything else that failed to read might.
        const auto size = Platform::SizeOfFile(NoteFilePath());
        unreadableFile_ = size.value_or(1) != 0;
        if (unreadableFile_) {
            // Said in the window itself, in place of the text that would look like an empty
            // note: the user learns at once why the note's text is not there.
            EnsureLoaded();
            const bool tooLarge = size && *size > Platform::DefaultReadLimit;
            notice_ = u"KIVOLA could not open this note: its file\r\n" + NoteFilePath() +
                      (tooLarge ? u"\r\nis larger than the " +
                                      Utf16Number(Platform::DefaultReadLimit >> 20U) +
                                      u" MB a note may have."
                                : std::u16string(u"\r\ncould not be read.")) +
                      u"\r\nThe file is left as it is. What you type here is saved as a new "
                      u"note.\r\n";
            view_.SetNoteText(notice_);
            savedText_.emplace(notice_);
        }
        return;
    }
    unreadableFile_ = false;
    // The text box is the first thing of the window this needs: the window loads now if it
    // has not yet, without reading the text a second time.
    {
        const RaisedWhileInScope reading(readingText_);
        EnsureLoaded();
    }
    // Kept compact and handed over: a large note is not held three times at once.
    savedText_.emplace(*text);
    view_.SetNoteText(std::move(*text));
}

void frmNote::EnsureLoaded() {
    if (!loaded_) {
        RunLoadStep();
    }
}

void frmNote::RunLoadStep() {
    loaded_ = true;
    view_.SetBorderStyleNone();
    // The border style was set to none just above, so MakeTransparent never ends the program
    // here; there is nothing for it to end.
    Transparent::MakeTransparent(NoteFormGeometry(view_.PixelsPerTwip()), view_.WindowRegionApi(),
                                 dialogs_, [] {});
    if (!readingText_ && FileExists(NoteFilePath())) {
        LoadNoteText();
    }
    if (!savedText_) {
        // No file, or nothing in it: the window opens with its initial text, which is not
        // worth a file until someone changes it.
        savedText_.emplace(view_.NoteText());
    }
}

void frmNote::Show() {
    EnsureLoaded();
    view_.ShowWindow();
}

void frmNote::Image1_MouseDown(int /*Button*/, int /*Shift*/, double X, double Y) {
    const auto grab = Support::DragStart(X, Y);
    dragX = grab.X;
    dragY = grab.Y;
}

void frmNote::Image1_MouseMove(int Button, int /*Shift*/, double X, double Y) {
    const auto place =
        Support::DragMove(Button, {dragX, dragY}, {view_.WindowLeft(), view_.WindowTop()}, X, Y);
    if (place) {
        // A note keeps its place in single-precision twips.
        view_.SetWindowLeft(static_cast<float>(place->Left));
        view_.SetWindowTop(static_cast<float>(place->Top));
    }
}

void frmNote::Image2_Click() {
    Platform::MessageBoxRequest question;
    question.Prompt = u"Are you sure you wish to delete this note?";
    question.Title = u"DELETE NOTE?";
    question.Buttons = Platform::MessageButtons::YesNo;
    question.Icon = Platform::MessageIcon::None;
    question.DefaultButton = Platform::MessageResult::Yes;
    if (dialogs_.ShowMessage(question) != Platform::MessageResult::Yes) {
        return;
    }
    const std::u16string path = NoteFilePath();
    // A note that was never saved has no file: there is nothing to delete but the window.
    if (!noteID.empty() && FileExists(path)) {
        const Platform::IoStatus removed = DeleteNoteFile(path);
        if (!removed && FileExists(path)) {
            Platform::MessageBoxRequest failure;
            failure.Prompt = u"The note could not be deleted.\r\n\r\n" + path + u"\r\n" +
                             removed.Reason + u"\r\n\r\nThe note stays open.";
            failure.Title = u"DELETE NOTE";
            failure.Icon = Platform::MessageIcon::Exclamation;
            dialogs_.ShowMessage(failure);
            return;
        }
    }
    // Closing may take focus away and destroy this object: nothing may be saved afterwards.
    deleted_ = true;
    view_.CloseWindow();
}

void frmNote::Form_LostFocus() {
    SaveNote();
}

void frmNote::txtNote_LostFocus() {
    SaveNote();
}

void frmNote::txtNote_Change() {
    if (!deleted_) {
        view_.StartSaveTimer(SavePauseMilliseconds);
    }
}

void frmNote::SaveTimer_Timer() {
    Save(Telling::OncePerFailure);
}

bool frmNote::Form_QueryUnload() {
    return SaveNote();
}

bool frmNote::txtNote_KeyDown(int KeyCode, int Shift) {
    if (KeyCode != Support::KeyEscape || Shift != 0 || deleted_) {
        return false;
    }
    view_.LeaveTextBox();
    return true;
}

bool frmNote::HasUnsavedText() const {
    return !deleted_ && savedText_.has_value() && view_.TextEdited() &&
           view_.NoteText() != *savedText_;
}

bool frmNote::SaveNote() {
    return Save(Telling::EveryTime);
}

bool frmNote::SaveNoteQuietly() {
    return Save(Telling::Never);
}

bool frmNote::Save(Telling telling) {
    if (deleted_) {
        return true;
    }
    // The failure message itself takes the focus; the focus events it causes must not stack
    // further saves and messages on top of it.
    if (saving_) {
        return false;
    }
    if (!savedText_ || !view_.TextEdited()) {
        return true;
    }
    // The text is taken once: a large note is not taken apart again for each step.
    std::u16string text = view_.NoteText();
    if (*savedText_ == text) {
        return true;
    }
    if (noteID.empty()) {
        SetNoteID(u"");
    }
    // A file that could not be read is never written over: the typed text goes to a note of
    // its own, and the file stays as it was for the user to look after.
    std::optional<std::u16string> leftAlone;
    if (unreadableFile_) {
        leftAlone = NoteFilePath();
        unreadableFile_ = false;
        SetNoteID(u"");
    }
    // The notice over a note that could not be opened is the program's, not the user's text.
    const bool behindNotice = !notice_.empty() && text.starts_with(notice_);
    const RaisedWhileInScope savingNow(saving_);
    // A view, not a copy: the text of a large note is held once.
    std::u16string_view toWrite(text);
    if (behindNotice) {
        toWrite.remove_prefix(notice_.size());
    }
    const Platform::IoStatus written = WriteNoteText(programFolder_, noteID, toWrite, encoding_);
    if (written) {
        savedText_.emplace(text);
        failedText_.reset();
        failedReason_.clear();
        view_.StopSaveTimer();
        if (leftAlone && telling != Telling::Never) {
            ShowLeftAlone(*leftAlone);
        }
        return true;
    }
    // Tried again by itself, so that the text reaches the drive once it can be written again
    // (a drive put back, space freed) whether or not anyone types or clicks.
    view_.StartSaveTimer(SavePauseMilliseconds);
    if (telling == Telling::Never) {
        return false;
    }
    // Both focus events of one click fail alike: said once, and again when the user causes a
    // save of other text. A save nobody asked for says only what has not been said.
    const bool newFailure = !failedText_ || failedReason_ != written.Reason;
    const bool otherText = failedText_ != text;
    if (newFailure || (telling == Telling::EveryTime && otherText)) {
        failedText_.emplace(text);
        failedReason_ = written.Reason;
        ShowSaveFailure(written.Reason);
    }
    return false;
}

void frmNote::ShowLeftAlone(const std::u16string& unreadable) {
    Platform::MessageBoxRequest notice;
    notice.Prompt = u"The note file\r\n" + unreadable +
                    u"\r\ncould not be read, so it is left as it is.\r\n\r\nThis note is saved "
                    u"as\r\n" +
                    NoteFilePath();
    notice.Title = u"SAVE NOTE";
    notice.Icon = Platform::MessageIcon::Information;
    dialogs_.ShowMessage(notice);
}

void frmNote::ShowSaveFailure(const std::u16string& reason) {
    Platform::MessageBoxRequest failure;
    failure.Prompt = u"The note could not be saved.\r\n\r\n" + NoteFilePath() + u"\r\n" + reason +
                     u"\r\n\r\nThe text stays in the note window and is saved as soon as the "
                     u"drive can be written again.";
    failure.Title = u"SAVE NOTE";
    failure.Icon = Platform::MessageIcon::Exclamation;
    dialogs_.ShowMessage(failure);
}

}  // namespace Notes
