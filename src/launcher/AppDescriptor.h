#pragma once

// The application descriptor kivolaapp.ini: from its text to the applications it registers.
//
// A text without a comma names one executable (the whole text, line end and all); its title
// is the folder's name and its icon the folder's appicon.gif. A text with a comma is a list:
// each entry is an executable, or "executable=icon=title" when it holds '='. Missing fields
// of such an entry are taken as empty texts. Nothing is trimmed or unquoted.

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace Launcher {

inline constexpr char16_t DescriptorName[] = u"kivolaapp.ini";
inline constexpr char16_t AppIconName[] = u"appicon.gif";
inline constexpr char16_t DefaultIconName[] = u"defaulticon.gif";
// A descriptor names a few programs; a bigger file is no descriptor and is not read.
inline constexpr std::size_t DescriptorReadLimit = std::size_t{1024} * 1024;

// What the scan hands to AddApplicationIcon for one application.
struct AppRegistration {
    std::u16string IconFile;   // full path of the picture to show
    std::u16string Title;      // the slot's tool tip
    std::u16string AppFolder;  // the application folder, no trailing separator
    // Single descriptor: the descriptor's own path (read again when shown). List entry: the
    // entry's executable text, relative to AppFolder.
    std::u16string Executable;
    std::u16string ScanFolder;  // the scanned folder, as the file system reports it
    bool Listed = false;        // an entry of a list descriptor
    friend bool operator==(const AppRegistration&, const AppRegistration&) = default;
};

struct DescriptorFolder {
    std::u16string AppFolder;   // path of the application folder
    std::u16string Title;       // its name
    std::u16string ScanFolder;  // path of the folder being scanned
};

// Hands each application of the descriptor to sink as it is parsed, so that a long list never
// has to be held whole.
void ForEachRegistration(const std::u16string& text, const DescriptorFolder& folder,
                         const std::function<void(const AppRegistration&)>& sink);

std::vector<AppRegistration> ParseAppDescriptor(const std::u16string& text,
                                                const DescriptorFolder& folder);

}  // namespace Launcher
