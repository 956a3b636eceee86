#pragma once

// Where note windows come from: one for every note file at start-up, and one for each click on
// "+ New KIVOLA". The note windows live on by themselves; nothing here keeps them.

#include <optional>
#include <string>

namespace Notes {

class NoteWindowFactory;

// The note ID a file in the Notes folder stands for: the name with every ".txt" removed, when
// it holds ".txt" at all (compared exactly). Nothing when the file opens no note: no ".txt" in
// the name, or an ID that is empty or ".txt" itself.
std::optional<std::u16string> NoteIdFromFileName(const std::u16string& Name);

// Opens a note window for every note file in the program folder's Notes folder.
void LoadNotes(NoteWindowFactory& factory, const std::u16string& programFolder);
// A missing folder, or one that cannot be listed, opens nothing and is not reported. A note
// file named ID + ".txt" whose name Windows or Linux cannot hold is first renamed to
// PortableNoteId's name (with "_2", "_3", ... behind it while that is taken), never over
// another file; when it cannot be renamed it opens under its name where this system can read
// it, and is left for the other system where it cannot.
void OpenNotesInFolder(NoteWindowFactory& factory, const std::u16string& folder);
// Makes, names and shows one note window; an empty ID or ".txt" opens nothing.
void OpenNote(NoteWindowFactory& factory, const std::u16string& noteId);
// The click on lblNewNote: a window with a new note ID and no file yet.
void NewNote(NoteWindowFactory& factory);

}  // namespace Notes
