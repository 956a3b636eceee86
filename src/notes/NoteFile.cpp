#include "notes/NoteFile.h"

#include <string_view>

#include "platform/FileSystem.h"
#include "platform/Paths.h"
#include "support/TextCodec.h"

namespace Notes {

namespace {

bool IsControlCharacter(char16_t c) {
    return c < 0x20 || (c >= 0x7F && c <= 0x9F);
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
                                 const std::u16string& text, TextCodec::FileEncoding encoding) {
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
    for (const char16_t c : name) {
        if (IsControlCharacter(c) ||
            std::u16string_view(u"\\/:*?\"<>|").find(c) != std::u16string_view::npos) {
            return false;
        }
    }
    return !Platform::IsDeviceName(name);
}

}  // namespace Notes
