#pragma once

// Note files: one per note, "<program folder>/Notes/<note ID>.txt", holding the note's whole
// text. These are the file steps apart from any window.

#include <optional>
#include <string>
#include <string_view>

#include "platform/IoStatus.h"
#include "support/TextCodec.h"

namespace Notes {

// The program folder followed by the separator and "Notes", built by plain concatenation.
std::u16string NotesFolderPath(const std::u16string& programFolder);
std::u16string NoteFilePath(const std::u16string& programFolder, const std::u16string& noteID);

// True when FileName names an existing entry that is not a folder; every failure is false.
bool FileExists(const std::u16string& FileName);

// The note file's whole text; nothing when it is missing, unreadable or empty. encoding, when
// given, is told how the file was written.
std::optional<std::u16string> ReadNoteText(const std::u16string& path,
                                           TextCodec::FileEncoding* encoding = nullptr);

// Writes the whole text atomically, creating the Notes folder first when it is missing; in
// the encoding the note was read in, as far as the text allows.
Platform::IoStatus WriteNoteText(const std::u16string& programFolder, const std::u16string& noteID,
                                 std::u16string_view text,
                                 TextCodec::FileEncoding encoding = TextCodec::FileEncoding::Utf8);

// Deletes the note file, also when it is marked read-only.
Platform::IoStatus DeleteNoteFile(const std::u16string& path);

// Whether name can be a file name on both Windows and Linux: no \ / : * ? " < > |, no control
// character, not empty, no trailing dot or space, not one of Windows' device names, and no
// lone surrogate or U+FFFD (the stand-ins for name bytes that are not UTF-8, which neither
// system keeps the same: Linux keeps the bytes, Windows cannot store them).
bool IsPortableFileName(const std::u16string& name);

// The note ID closest to noteId whose note file name is portable: each character no Windows
// file name may hold becomes '_', and a device name gets '_' before its first dot.
std::u16string PortableNoteId(const std::u16string& noteId);

}  // namespace Notes
