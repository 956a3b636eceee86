#include "notes/NoteFile.h"

#include <array>
#include <string_view>

#include "platform/FileSystem.h"
#include "support/TextCodec.h"

namespace Notes {

namespace {

bool IsControlCharacter(char16_t c) {
    return c < 0x20 || (c >= 0x7F && c <= 0x9F);
}

char16_t UpperAscii(char16_t c) {
    return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - u'a' + u'A') : c;
}

// Windows opens the device instead of a file for these names, with or without an extension.
bool IsDeviceName(const std::u16string& name) {
    std::u16string base = name.substr(0, name.find(u'.'));
    for (auto& c : base) {
        c = UpperAscii(c);
    }
    while (!base.empty() && base.back() == u' ') {
        base.pop_back();
    }
    static constexpr std::array<std::u16string_view, 4> kPlain = {u"CON", u"PRN", u"AUX", u"NUL"};
    for (const auto device : kPlain) {
        if (base == device) {
            return true;
        }
    }
    return base.size() == 4 && (base.starts_with(u"COM") || base.starts_with(u"LPT")) &&
           base[3] >= u'1' && base[3] <= u'9';
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

std::optional<std::u16string> ReadNoteText(const std::u16string& path) {
    const auto bytes = Platform::ReadWholeFile(path);
    if (!bytes) {
        return std::nullopt;
    }
    return TextCodec::DecodeFileText(*bytes);
}

Platform::IoStatus WriteNoteText(const std::u16string& programFolder, const std::u16string& noteID,
                                 const std::u16string& text) {
    const std::u16string folder = NotesFolderPath(programFolder);
    if (!Platform::FolderExists(folder)) {
        if (auto made = Platform::MakeFolder(folder); !made) {
            return made;
        }
    }
    return Platform::WriteFileAtomically(NoteFilePath(programFolder, noteID),
                                         TextCodec::EncodeFileText(text));
}

Platform::IoStatus DeleteNoteFile(const std::u16string& path) {
    return Platform::RemoveFile(path);
}

bool IsPortableFileName(const std::u16string& name) {
    if (name.empty() || name.back() == u'.' || name.back() == u' ') {
        return false;
    }
    for (const char16_t c : name) {
        if (IsControlCharacter(c) ||
            std::u16string_view(u"\\/:*?\"<>|").find(c) != std::u16string_view::npos) {
            return false;
        }
    }
    return !IsDeviceName(name);
}

}  // namespace Notes
