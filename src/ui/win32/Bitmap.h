#pragma once

// Pictures for the Win32 windows: decoded once by WIC into a DIB section that GDI can draw
// with AlphaBlend, whatever format the file really has (users name PNG and JPEG files
// appicon.gif as readily as GIF ones).

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "launcher/PictureLimit.h"
#include "platform/win32/WindowsApi.h"

namespace Win32Ui {

// The largest width and height a picture may claim (the launcher's icon limit); a header
// claiming more is refused before its pixels are decoded.
inline constexpr int MaxPictureSide = Launcher::MaxPictureSide;

// A 32-bit top-down DIB section in premultiplied BGRA, as AlphaBlend with AC_SRC_ALPHA wants
// it. Owns its handle.
class Bitmap {
  public:
    Bitmap() = default;
    // Takes ownership of a DIB section of this size whose bits are at pixels.
    Bitmap(HBITMAP handle, void* pixels, int width, int height);
    Bitmap(Bitmap&& other) noexcept;
    Bitmap& operator=(Bitmap&& other) noexcept;
    Bitmap(const Bitmap&) = delete;
    Bitmap& operator=(const Bitmap&) = delete;
    ~Bitmap();

    int Width() const { return width_; }
    int Height() const { return height_; }
    HBITMAP Handle() const { return handle_; }
    bool IsNull() const { return handle_ == nullptr; }
    explicit operator bool() const { return !IsNull(); }

    // The pixels row by row from the top, each 0xAARRGGBB with the colour premultiplied by
    // alpha. Call GdiFlush first if GDI has drawn into the bitmap.
    std::span<const std::uint32_t> Pixels() const;

  private:
    void Reset();

    HBITMAP handle_ = nullptr;
    const std::uint32_t* pixels_ = nullptr;
    int width_ = 0;
    int height_ = 0;
};

// A 32-bit top-down DIB section of this size, its bits zero (transparent black) and at *bits;
// nullptr when the size is not positive or GDI refuses.
HBITMAP CreateDibSection32(int width, int height, void** bits);

// Decodes the first frame of a GIF, PNG, JPEG, BMP or any other picture WIC reads, by its
// content. Bytes that are no picture, a damaged one, or one claiming more than MaxPictureSide
// pixels across or down give a null Bitmap. COM must be initialised on the calling thread.
Bitmap DecodePicture(std::string_view bytes);

// An icon's pixels, its alpha or its mask made premultiplied alpha; null for a null icon or
// one larger than MaxPictureSide. The icon stays the caller's.
Bitmap IconBitmap(HICON icon);

// Reads the file through the platform layer (which opens every name) and decodes it.
Bitmap LoadPictureFile(const std::u16string& path);

// Blends the whole bitmap over the destination, scaled to width by height. A null bitmap
// draws nothing.
void DrawBitmap(HDC dc, const Bitmap& bitmap, int x, int y, int width, int height);

// Blends the bitmap at its own size with its top left at (x, y), cut off where it would pass
// maxWidth by maxHeight: a picture control that does not stretch.
void DrawBitmapClipped(HDC dc, const Bitmap& bitmap, int x, int y, int maxWidth, int maxHeight);

}  // namespace Win32Ui
