#include "NotesSystem.h"

namespace NotesTest {

std::u16string NotAFolderReason() {
    return u"Not a directory";
}

}  // namespace NotesTest
