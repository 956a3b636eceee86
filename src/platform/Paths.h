#pragma once

// The rules of paths: which characters separate, where a path's root ends, and the folder and
// name of a path. The core asks these instead of testing characters itself, so "E:\" stays a
// drive root (never the drive-relative "E:") and "\\server\share\" is a root as well.
//
// Every rule takes the style it applies; the default is the style of the system the program is
// built for, so callers normally omit it and tests can check either system's rules anywhere.

#include <cstddef>
#include <string>
#include <string_view>

namespace Platform {

enum class PathStyle {
    Posix,    // '/' separates; the root is "/"
    Windows,  // '\' and '/' separate; roots "E:\", "\\server\share\", "\\?\E:\", "\"
};

// The style of the system the program runs on.
extern const PathStyle NativePathStyle;

// The separator paths are built with: '\' on Windows, '/' on POSIX.
char16_t SeparatorOf(PathStyle style);

bool IsPathSeparator(char16_t c, PathStyle style = NativePathStyle);

// Length of the root at the start of path; 0 for a relative path. "E:\Tools" -> 3, "E:" -> 2
// (drive-relative), "\\server\share\x" -> 15, "/home" -> 1.
std::size_t RootLength(std::u16string_view path, PathStyle style = NativePathStyle);

// Whether path is nothing but a root ("E:\", "\\server\share\", "/").
bool IsRootPath(std::u16string_view path, PathStyle style = NativePathStyle);

bool EndsWithSeparator(std::u16string_view path, PathStyle style = NativePathStyle);

// Position of the last separator, or npos.
std::size_t LastSeparator(std::u16string_view path, PathStyle style = NativePathStyle);

// "E:\Tools" -> "E:\Tools\"; "E:\" and "/" unchanged; empty stays empty.
std::u16string WithTrailingSeparator(std::u16string path, PathStyle style = NativePathStyle);

// "E:\Tools\\" -> "E:\Tools"; never cuts into the root, so "E:\" and "/" stay as they are.
std::u16string WithoutTrailingSeparators(std::u16string path, PathStyle style = NativePathStyle);

// The folder that holds path, as the file system names it: "E:\Apps\tool.exe" -> "E:\Apps",
// "E:\tool.exe" -> "E:\", "/tool" -> "/", "tool" -> "".
std::u16string FolderOfPath(std::u16string_view path, PathStyle style = NativePathStyle);

// The last component: "E:\Apps\tool.exe" -> "tool.exe"; a root or a path ending in a
// separator has none.
std::u16string NameOfPath(std::u16string_view path, PathStyle style = NativePathStyle);

// The path the file system reports for the entry name inside folder: one separator between
// them, none added after a root that ends in one ("E:\" + "Apps" -> "E:\Apps").
std::u16string ChildPath(const std::u16string& folder, const std::u16string& name,
                         PathStyle style = NativePathStyle);

// Windows opens a device instead of a file for these names in any folder, with or without an
// extension and trailing dots or spaces: CON, PRN, AUX, NUL, COM1-9, LPT1-9, CONIN$, CONOUT$.
bool IsDeviceName(std::u16string_view name);

}  // namespace Platform
