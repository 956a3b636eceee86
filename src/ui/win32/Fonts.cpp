#include "ui/win32/Fonts.h"

#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "platform/win32/WideText.h"

namespace Win32Ui {

Font::Font(std::u16string_view face, double points, int dpi, bool underline) {
    LOGFONTW description{};
    // A negative height asks for the character height, which is what a point size measures.
    description.lfHeight = -static_cast<LONG>(std::lround(points * dpi / 72.0));
    description.lfWeight = FW_NORMAL;
    description.lfUnderline = underline ? TRUE : FALSE;
    description.lfCharSet = DEFAULT_CHARSET;
    description.lfOutPrecision = OUT_DEFAULT_PRECIS;
    description.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    description.lfQuality = CLEARTYPE_QUALITY;
    description.lfPitchAndFamily = DEFAULT_PITCH | FF_SWISS;
    const std::wstring name = Platform::Win32::Wide(face);
    name.copy(description.lfFaceName, LF_FACESIZE - 1);
    font_ = CreateFontIndirectW(&description);
}

Font::~Font() {
    if (font_ != nullptr) {
        DeleteObject(font_);
    }
}

Font::Font(Font&& other) noexcept : font_(std::exchange(other.font_, nullptr)) {}

Font& Font::operator=(Font&& other) noexcept {
    if (this != &other) {
        if (font_ != nullptr) {
            DeleteObject(font_);
        }
        font_ = std::exchange(other.font_, nullptr);
    }
    return *this;
}

HFONT SharedFont(std::u16string_view face, double points, int dpi, bool underline) {
    struct Made {
        std::u16string Face;
        double Points;
        int Dpi;
        bool Underline;
        Font Handle;
    };
    static std::vector<Made> made;
    for (const Made& font : made) {
        if (font.Face == face && font.Points == points && font.Dpi == dpi &&
            font.Underline == underline) {
            return font.Handle.Handle();
        }
    }
    made.push_back(
        {std::u16string(face), points, dpi, underline, Font(face, points, dpi, underline)});
    return made.back().Handle.Handle();
}

}  // namespace Win32Ui
