#include "notes/NoteStartup.h"

#include <algorithm>
#include <set>
#include <string>
#include <utility>
#include <vector>

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

std::u16string Utf16Number(int value) {
    const std::string digits = std::to_string(value);
    return {digits.begin(), digits.end()};
}

char16_t LowerAscii(char16_t c) {
    return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c;
}

// Whether a listed name is name to a file system that ignores case, as Windows' and FAT's do.
bool TakenIgnoringCase(const std::vector<std::u16string>& listed, const std::u16string& name) {
    return std::any_of(listed.begin(), listed.end(), [&](const std::u16string& other) {
        return other.size() == name.size() &&
               std::equal(other.begin(), other.end(), name.begin(),
                          [](char16_t a, char16_t b) { return LowerAscii(a) == LowerAscii(b); });
    });
}

// Renames the note file of noteId in folder to the closest portable name that is free, and
// returns the note's new ID; nothing when it could not be renamed. listed is the folder's
// listing: a name that differs from one of them only in case would be the same file on
// Windows, so it counts as taken.
std::optional<std::u16string> RenameToPortable(const std::u16string& folder,
                                               const std::u16string& noteId,
                                               const std::vector<std::u16string>& listed) {
    const std::u16string base = PortableNoteId(noteId);
    // Another note may hold the name already, or take it between the look and the rename,
    // which then fails instead of replacing it.
    constexpr int kTries = 100;
    for (int n = 1; n <= kTries; ++n) {
        const std::u16string candidate = n == 1 ? base : base + u"_" + Utf16Number(n);
        if (TakenIgnoringCase(listed, candidate + u".txt") ||
            Platform::KindOfPath(Platform::InFolder(folder, candidate + u".txt")) !=
                Platform::PathKind::Missing) {
            continue;
        }
        if (Platform::RenameInFolder(folder, noteId + u".txt", candidate + u".txt")) {
            return candidate;
        }
        if (Platform::KindOfPath(Platform::InFolder(folder, candidate + u".txt")) ==
            Platform::PathKind::Missing) {
            return std::nullopt;  // not for want of a free name: read-only, or gone
        }
    }
    return std::nullopt;
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
    // Names such as "a.txt" and "a.txt.txt" give the same note ID and so the same file: a
    // second window on it would save over the first one's text.
    std::set<std::u16string> opened;
    for (const auto& name : contents->Files) {
        auto noteId = NoteIdFromFileName(name);
        if (!noteId || opened.contains(*noteId)) {
            continue;
        }
        // One drive serves both systems: a note file whose name one of them cannot hold (made
        // on Linux with a ':' or '?', say) is given the closest name both can, so that it opens
        // with its text on either and its saves go back to the one file.
        if (!IsPortableFileName(name) && name == *noteId + u".txt") {
            if (auto portable = RenameToPortable(folder, *noteId, contents->Files)) {
                noteId = std::move(portable);
            } else if (!FileExists(Platform::InFolder(folder, name))) {
                // Out of this system's reach under its name: a window would show none of its
                // text, and a save would fail or make a second file. The other system opens it.
                continue;
            }
        }
        opened.insert(*noteId);
        OpenNote(factory, *noteId);
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
