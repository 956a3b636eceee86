#pragma once

// The windows' fonts at a monitor's dpi. The faces are the ones the windows were drawn with;
// where one is missing, the system's font mapper puts its closest face in its place (MS Sans
// Serif becomes the system's sans-serif face).

#include <string_view>

#include "platform/win32/WindowsApi.h"

namespace Win32Ui {

// An owned font handle, deleted with its owner.
class Font {
  public:
    Font() = default;
    Font(std::u16string_view face, double points, int dpi, bool underline = false);
    ~Font();
    Font(Font&& other) noexcept;
    Font& operator=(Font&& other) noexcept;
    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;

    HFONT Handle() const { return font_; }

  private:
    HFONT font_ = nullptr;
};

// One font for each face, size, dpi and underline, made on first use and kept for the
// process's life: every note window shares its text box's font. Finding a face is slow (the
// system matches it against every installed font), so no window makes its own.
HFONT SharedFont(std::u16string_view face, double points, int dpi, bool underline = false);

}  // namespace Win32Ui
