// Prints the first note ID of a fresh process as hexadecimal character codes, so that a test
// can compare the IDs of two separate runs whatever characters they hold.

#include <cstdio>

#include "notes/RandomString.h"

int main() {
    for (const char16_t c : Notes::RandomString(Notes::NoteIdMask)) {
        std::printf("%04x ", static_cast<unsigned>(c));
    }
    std::printf("\n");
    return 0;
}
