#pragma once

// How a note's text becomes the lines of a text box and back. The note file keeps the line
// ends it has (CR LF, a lone CR or a lone LF: written on either system or by an older program),
// and each of them ends a line in the box. What a box gives back has CR LF between its lines,
// and a line break inside one of its lines (the line separator that Shift+Enter types into
// some boxes) is a line end like any other. Text that comes back unedited is not converted at
// all (NoteView::TextEdited), so opening a note never changes its file.

#include <string>
#include <string_view>

namespace Notes {

// Between the lines of what a text box gives back.
inline constexpr std::u16string_view NoteLineEnd = u"\r\n";

// Calls line(std::u16string_view) for each line of text in order: one more than the line ends
// it holds. Goes over the text once, which a note of many megabytes needs.
template <typename Line>
void ForEachLine(std::u16string_view text, Line&& line) {
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == u'\r' || text[i] == u'\n') {
            line(text.substr(start, i - start));
            if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') {
                ++i;
            }
            start = i + 1;
        }
    }
    line(text.substr(start));
}

// The text with every line end as lineEnd.
std::u16string WithLineEnds(std::u16string_view text, std::u16string_view lineEnd);

// Appends one line as a text box holds it to a note's text, a line break inside it as CR LF.
void AppendBoxLine(std::u16string& note, std::u16string_view line);

}  // namespace Notes
