#pragma once

// A real folder under the system's temporary folder, removed with everything in it when the
// fixture ends (read-only files and folders included).

#include <filesystem>
#include <string>
#include <string_view>

namespace TestSupport {

class TempFolder {
  public:
    TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    ~TempFolder();

    const std::filesystem::path& Path() const { return path_; }
    // The folder (or a path inside it) as the program's 16-bit text.
    std::u16string Text(std::string_view relative = {}) const;

    // Creates relative (and its parents) as a folder; returns its full path.
    std::filesystem::path MakeFolder(std::string_view relative) const;
    // Writes bytes to relative, creating parent folders; returns its full path.
    std::filesystem::path WriteFile(std::string_view relative, std::string_view bytes) const;
    // Reads a file back as bytes; an empty string when it is missing.
    std::string ReadFile(std::string_view relative) const;
    bool Exists(std::string_view relative) const;

  private:
    std::filesystem::path path_;
};

// Changes the process's current folder for the lifetime of the object.
class ScopedCurrentFolder {
  public:
    explicit ScopedCurrentFolder(const std::filesystem::path& folder);
    ScopedCurrentFolder(const ScopedCurrentFolder&) = delete;
    ScopedCurrentFolder& operator=(const ScopedCurrentFolder&) = delete;
    ~ScopedCurrentFolder();

  private:
    std::filesystem::path previous_;
};

// UTF-8 literal to the program's text, and back, for readable assertions.
std::u16string U(std::string_view utf8);
std::string Utf8(std::u16string_view text);

}  // namespace TestSupport
