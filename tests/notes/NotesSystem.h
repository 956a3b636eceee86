#pragma once

// The system's words for why a note could not be saved, which differ between the systems.

#include <string>

namespace NotesTest {

// A file stands where the Notes folder should be.
std::u16string NotAFolderReason();

}  // namespace NotesTest
