#include "notes/OpenNotes.h"

#include <algorithm>

#include "notes/frmNote.h"
#include "platform/Dialogs.h"

namespace Notes {

void OpenNotes::Add(frmNote& note) {
    if (std::find(notes_.begin(), notes_.end(), &note) == notes_.end()) {
        notes_.push_back(&note);
    }
}

void OpenNotes::Remove(const frmNote& note) {
    std::erase(notes_, &note);
}

bool OpenNotes::SaveAll() {
    bool allSaved = true;
    // A copy: a save's message box may let another event close a note meanwhile.
    const std::vector<frmNote*> open = notes_;
    for (frmNote* note : open) {
        allSaved = note->SaveNote() && allSaved;
    }
    return allSaved;
}

bool OpenNotes::SaveAllForSessionEnd() {
    bool allSaved = true;
    for (frmNote* note : notes_) {
        allSaved = note->SaveNoteQuietly() && allSaved;
    }
    return allSaved;
}

bool OpenNotes::AnyUnsaved() const {
    return std::any_of(notes_.begin(), notes_.end(),
                       [](const frmNote* note) { return note->HasUnsavedText(); });
}

bool OpenNotes::AllowProgramEnd(Platform::Dialogs& dialogs) {
    if (SaveAll()) {
        return true;
    }
    // The note has said why its text could not be written; ending now would lose that text.
    Platform::MessageBoxRequest question;
    question.Prompt =
        u"A note could not be saved, and its text is still in its window.\r\n\r\n"
        u"Close KIVOLA all the same? The text that was not saved will be lost.";
    question.Title = u"Kivola";
    question.Buttons = Platform::MessageButtons::YesNo;
    question.Icon = Platform::MessageIcon::Exclamation;
    question.DefaultButton = Platform::MessageResult::No;
    return dialogs.ShowMessage(question) == Platform::MessageResult::Yes;
}

}  // namespace Notes
