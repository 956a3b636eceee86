#include "notes/TextBoxLines.h"

namespace Notes {

namespace {

constexpr char16_t LineSeparator = u'\u2028';
constexpr char16_t ParagraphSeparator = u'\u2029';

}  // namespace

std::u16string WithLineEnds(std::u16string_view text, std::u16string_view lineEnd) {
    std::u16string converted;
    converted.reserve(text.size() + text.size() / 16);
    bool first = true;
    ForEachLine(text, [&](std::u16string_view line) {
        if (!first) {
            converted += lineEnd;
        }
        first = false;
        converted += line;
    });
    return converted;
}

void AppendBoxLine(std::u16string& note, std::u16string_view line) {
    for (const char16_t c : line) {
        if (c == u'\n' || c == LineSeparator || c == ParagraphSeparator) {
            note += NoteLineEnd;
        } else {
            note.push_back(c);
        }
    }
}

}  // namespace Notes
