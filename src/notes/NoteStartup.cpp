#include "notes/NoteStartup.h"

#include "notes/NoteFile.h"
#include "notes/NoteWindowFactory.h"
#include "notes/frmNote.h"
#include "platform/FileSystem.h"
#include "support/MVb6Functions.h"

namespace Notes {

namespace {

bool OpensNote(const std::u16string& noteId) {
    return !noteId.empty() && noteId != u".txt";
}

}  // namespace

std::optional<std::u16string> NoteIdFromFileName(const std::u16string& Name) {
    if (MVb6Functions::InStrRev(Name, u".txt", -1, 0) <= 0) {
        return std::nullopt;
    }
    std::u16string noteId = MVb6Functions::Replace(Name, u".txt", u"", 1, -1, 0);
    if (!OpensNote(noteId)) {
        return std::nullopt;
    }
    return noteId;
}

void LoadNotes(NoteWindowFactory& factory, const std::u16string& programFolder) {
    const std::u16string folder = NotesFolderPath(programFolder);
    // What saves cut short last time left behind goes before the notes are read.
    if (Platform::FolderExists(folder)) {
        Platform::RemoveStraySaves(folder);
    }
    OpenNotesInFolder(factory, folder);
}

void OpenNotesInFolder(NoteWindowFactory& factory, const std::u16string& folder) {
    if (!Platform::FolderExists(folder)) {
        return;
    }
    // A folder that cannot be listed is treated like a missing one: start-up goes on.
    const auto contents = Platform::ListFolder(folder);
    if (!contents) {
        return;
    }
    for (const auto& name : contents->Files) {
        if (const auto noteId = NoteIdFromFileName(name)) {
            OpenNote(factory, *noteId);
        }
    }
}

void OpenNote(NoteWindowFactory& factory, const std::u16string& noteId) {
    if (!OpensNote(noteId)) {
        return;
    }
    frmNote& note = factory.CreateNoteWindow();
    note.SetNoteID(noteId);
    note.Show();
}

void NewNote(NoteWindowFactory& factory) {
    frmNote& note = factory.CreateNoteWindow();
    note.SetNoteID(u"");
    note.Show();
}

}  // namespace Notes
