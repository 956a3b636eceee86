#include "notes/NoteFile.h"

#include <algorithm>
#include <string_view>

#include "platform/FileSystem.h"
#include "platform/Paths.h"
#include "support/TextCodec.h"

namespace Notes {

namespace {

bool IsControlCharacter(char16_t c) {
    return c < 0x20 || (c >= 0x7F && c <= 0x9F);
}

bool IsSurrogate(char16_t c) {
    return c >= 0xD800 && c <= 0xDFFF;
}

// Whether the character at name[i] can stand in a file name on both systems; i moves past it.
bool IsPortableCharacterAt(std::u16string_view name, std::size_t& i) {
    const char16_t c = name[i++];
    if (c >= 0xD800 && c <= 0xDBFF && i < name.size() && name[i] >= 0xDC00 && name[i] <= 0xDFFF) {
        ++i;  // a pair: one character outside the 16-bit plane
        return true;
    }
    return !IsControlCharacter(c) && !IsSurrogate(c) && c != u'\uFFFD' &&
           std::u16string_view(u"\\/:*?\"<>|").find(c) == std::u16string_view::npos;
}

}  // namespace

std::u16string NotesFolderPath(const std::u16string& programFolder) {
    return Platform::InFolder(programFolder, u"Notes");
}

std::u16string NoteFilePath(const std::u16string& programFolder, const std::u16string& noteID) {
    return Platform::InFolder(NotesFolderPath(programFolder), noteID + u".txt");
}

bool FileExists(const std::u16string& FileName) {
    const std::int32_t attributes = Platform::PathAttributes(FileName);
    return attributes != -1 && (attributes & Platform::AttrDirectory) == 0;
}

std::optional<std::u16string> ReadNoteText(const std::u16string& path,
                                           TextCodec::FileEncoding* encoding) {
    const auto bytes = Platform::ReadWholeFile(path);
    if (!bytes) {
        return std::nullopt;
    }
    if (encoding != nullptr) {
        *encoding = TextCodec::EncodingOfFileText(*bytes);
    }
    return TextCodec::DecodeFileText(*bytes);
}

Platform::IoStatus WriteNoteText(const std::u16string& programFolder, const std::u16string& noteID,
                                 std::u16string_view text, TextCodec::FileEncoding encoding) {
    const std::u16string folder = NotesFolderPath(programFolder);
    if (!Platform::FolderExists(folder)) {
        if (auto made = Platform::MakeFolder(folder); !made) {
            return made;
        }
    }
    return Platform::WriteFileAtomically(NoteFilePath(programFolder, noteID),
                                         TextCodec::EncodeFileText(text, encoding));
}

Platform::IoStatus DeleteNoteFile(const std::u16string& path) {
    return Platform::RemoveFile(path);
}

bool IsPortableFileName(const std::u16string& name) {
    if (name.empty() || name.back() == u'.' || name.back() == u' ') {
        return false;
    }
    for (std::size_t i = 0; i < name.size();) {
        if (!IsPortableCharacterAt(name, i)) {
            return false;
        }
    }
    return !Platform::IsDeviceName(name);
}

std::u16string PortableNoteId(const std::u16string& noteId) {
    std::u16string portable;
    portable.reserve(noteId.size() + 1);
    for (std::size_t i = 0; i < noteId.size();) {
        const std::size_t start = i;
        if (IsPortableCharacterAt(noteId, i)) {
            portable.append(noteId, start, i - start);
        } else {
            portable += u'_';
        }
    }
    // Windows takes a device name with any extension for the device: the '_' goes before the
    // first dot.
    if (Platform::IsDeviceName(portable + u".txt")) {
        portable.insert(std::min(portable.find(u'.'), portable.size()), 1, u'_');
    }
    return portable;
}

}  // namespace Notes
