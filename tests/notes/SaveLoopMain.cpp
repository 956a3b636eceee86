// Saves a note file over and over, each time a text of its own, until it is killed: the
// interrupted-save tests kill it at every moment of a save.
// Usage: notes_save_loop NOTE-FILE (UTF-8)

#include <string>

#include "platform/FileSystem.h"
#include "testsupport/TempFolder.h"

int main(int argc, char* argv[]) {
    if (argc != 2) {
        return 2;
    }
    const std::u16string path = TestSupport::U(argv[1]);
    for (unsigned round = 0;; ++round) {
        // Large enough that a kill most often lands in the middle of a write.
        std::string text(1 << 20, static_cast<char>('a' + round % 2));
        text += "\r\nround " + std::to_string(round % 2);
        (void)Platform::WriteFileAtomically(path, text);
    }
}
