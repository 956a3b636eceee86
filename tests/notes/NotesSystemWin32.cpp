#include "NotesSystem.h"
#include "platform/win32/WideText.h"
#include "platform/win32/WindowsApi.h"

namespace NotesTest {

std::u16string NotAFolderReason() {
    // Windows makes no difference between a file and a folder in the way of a new folder.
    return Platform::Win32::ErrorText(ERROR_ALREADY_EXISTS);
}

}  // namespace NotesTest
