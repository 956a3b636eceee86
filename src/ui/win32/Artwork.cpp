#include "ui/win32/Artwork.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <mutex>
#include <string_view>
#include <vector>

#include "platform/win32/WindowsApi.h"
#include "ui/win32/resources/ResourceIds.h"

namespace Win32Ui::Artwork {

namespace {

// The bytes of an RCDATA resource of the program itself. Resources stay mapped as long as the
// module, so the view needs no copy.
std::string_view ResourceBytes(int id) {
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(id), RT_RCDATA);
    if (found == nullptr) {
        return {};
    }
    HGLOBAL loaded = LoadResource(module, found);
    const void* data = loaded != nullptr ? LockResource(loaded) : nullptr;
    if (data == nullptr) {
        return {};
    }
    return {static_cast<const char*>(data), SizeofResource(module, found)};
}

Bitmap PictureResource(int id) {
    return DecodePicture(ResourceBytes(id));
}

// A cursor built from a decoded picture. CreateIconIndirect wants the colour with straight
// alpha, as an icon file holds it, and a mask for displays that cannot blend: set (the screen
// shows through) where the picture is more than half transparent.
HCURSOR MakeCursor(const Bitmap& picture, int hotX, int hotY) {
    if (!picture) {
        return nullptr;
    }
    const int width = picture.Width();
    const int height = picture.Height();
    void* bits = nullptr;
    HBITMAP colour = CreateDibSection32(width, height, &bits);
    if (colour == nullptr) {
        return nullptr;
    }
    auto* straight = static_cast<std::uint32_t*>(bits);
    const std::size_t maskStride = (static_cast<std::size_t>(width) + 15) / 16 * 2;
    std::vector<std::uint8_t> mask(maskStride * static_cast<std::size_t>(height), 0);
    const auto pixels = picture.Pixels();
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const std::size_t at = static_cast<std::size_t>(y) * width + x;
            const std::uint32_t pixel = pixels[at];
            const std::uint32_t alpha = pixel >> 24;
            if (alpha < 128) {
                mask[y * maskStride + x / 8] |= static_cast<std::uint8_t>(0x80u >> (x % 8));
            }
            if (alpha == 0) {
                continue;
            }
            std::uint32_t result = alpha << 24;
            for (int shift = 0; shift < 24; shift += 8) {
                const std::uint32_t channel = (pixel >> shift) & 0xFFu;
                const std::uint32_t unmultiplied = (channel * 255 + alpha / 2) / alpha;
                result |= (unmultiplied > 255 ? 255 : unmultiplied) << shift;
            }
            straight[at] = result;
        }
    }
    HBITMAP monochrome = CreateBitmap(width, height, 1, 1, mask.data());
    ICONINFO info{};
    info.fIcon = FALSE;
    info.xHotspot = static_cast<DWORD>(hotX);
    info.yHotspot = static_cast<DWORD>(hotY);
    info.hbmMask = monochrome;
    info.hbmColor = colour;
    // The cursor gets copies of both bitmaps.
    HCURSOR cursor = monochrome != nullptr ? CreateIconIndirect(&info) : nullptr;
    if (monochrome != nullptr) {
        DeleteObject(monochrome);
    }
    DeleteObject(colour);
    return cursor;
}

}  // namespace

const Bitmap& Background() {
    static const Bitmap picture = PictureResource(IDR_BACKGROUND);
    return picture;
}

const Bitmap& CloseButton() {
    static const Bitmap picture = PictureResource(IDR_CLOSE);
    return picture;
}

const Bitmap& AddGlyph() {
    static const Bitmap picture = PictureResource(IDR_ADD);
    return picture;
}

const Bitmap& DefaultIcon() {
    static const Bitmap picture = PictureResource(IDR_DEFAULT_APP);
    return picture;
}

const Bitmap& NoteCross() {
    static const Bitmap picture = PictureResource(IDR_NOTE_CROSS);
    return picture;
}

HICON WindowIcon(int size) {
    // Icons load once per size and live as long as the process; the system frees them at its
    // end. The images are PNG (see kivola.rc); LoadImageW picks the nearest and scales it.
    static std::mutex guard;
    static std::map<int, HICON> loaded;
    const std::lock_guard lock(guard);
    const auto known = loaded.find(size);
    if (known != loaded.end()) {
        return known->second;
    }
    auto* icon =
        static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_KIVOLA),
                                      IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
    loaded.emplace(size, icon);
    return icon;
}

HCURSOR HandPointer() {
    static const HCURSOR cursor = MakeCursor(PictureResource(IDR_CURSOR), 1, 1);
    return cursor;
}

}  // namespace Win32Ui::Artwork
