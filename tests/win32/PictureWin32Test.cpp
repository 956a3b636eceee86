#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "platform/win32/WindowsApi.h"
#include "testsupport/TempFolder.h"
#include "ui/win32/Artwork.h"
#include "ui/win32/Bitmap.h"
#include "ui/win32/resources/ResourceIds.h"

#include <psapi.h>
#include <wincodec.h>

using namespace Win32Ui;
using TestSupport::TempFolder;
using namespace std::string_literals;

namespace {

// Premultiplied 0xAARRGGBB, as Bitmap::Pixels holds them.
constexpr std::uint32_t kTransparent = 0x00000000;
constexpr std::uint32_t kRed = 0xFFFF0000;
constexpr std::uint32_t kBlue = 0xFF0000FF;
constexpr std::uint32_t kWhite = 0xFFFFFFFF;

template <typename Interface>
struct Com {
    Interface* p = nullptr;
    Com() = default;
    Com(const Com&) = delete;
    Com& operator=(const Com&) = delete;
    ~Com() {
        if (p != nullptr) {
            p->Release();
        }
    }
    Interface* operator->() const { return p; }
};

IWICImagingFactory* Factory() {
    static Com<IWICImagingFactory> factory;
    if (factory.p == nullptr) {
        EXPECT_HRESULT_SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr,
                                                  CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&factory.p)));
    }
    return factory.p;
}

// The source as a file of the given container (GUID_ContainerFormatPng and so on), written by
// WIC's own encoder.
std::string Encode(const GUID& container, IWICBitmapSource* source) {
    Com<IStream> memory;
    Com<IWICBitmapEncoder> encoder;
    Com<IWICBitmapFrameEncode> frame;
    Com<IPropertyBag2> options;
    EXPECT_HRESULT_SUCCEEDED(CreateStreamOnHGlobal(nullptr, TRUE, &memory.p));
    EXPECT_HRESULT_SUCCEEDED(Factory()->CreateEncoder(container, nullptr, &encoder.p));
    EXPECT_HRESULT_SUCCEEDED(encoder->Initialize(memory.p, WICBitmapEncoderNoCache));
    EXPECT_HRESULT_SUCCEEDED(encoder->CreateNewFrame(&frame.p, &options.p));
    EXPECT_HRESULT_SUCCEEDED(frame->Initialize(options.p));
    EXPECT_HRESULT_SUCCEEDED(frame->WriteSource(source, nullptr));
    EXPECT_HRESULT_SUCCEEDED(frame->Commit());
    EXPECT_HRESULT_SUCCEEDED(encoder->Commit());
    HGLOBAL global = nullptr;
    EXPECT_HRESULT_SUCCEEDED(GetHGlobalFromStream(memory.p, &global));
    STATSTG stat{};
    EXPECT_HRESULT_SUCCEEDED(memory->Stat(&stat, STATFLAG_NONAME));
    const auto* bytes = static_cast<const char*>(GlobalLock(global));
    std::string file(bytes, static_cast<std::size_t>(stat.cbSize.QuadPart));
    GlobalUnlock(global);
    return file;
}

// Rows of straight (not premultiplied) 0xAARRGGBB pixels as a file.
std::string Encode(const GUID& container, int width, std::vector<std::uint32_t> pixels) {
    const auto height = static_cast<UINT>(pixels.size() / width);
    Com<IWICBitmap> bitmap;
    EXPECT_HRESULT_SUCCEEDED(Factory()->CreateBitmapFromMemory(
        width, height, GUID_WICPixelFormat32bppBGRA, width * 4,
        static_cast<UINT>(pixels.size() * 4), reinterpret_cast<BYTE*>(pixels.data()), &bitmap.p));
    return Encode(container, bitmap.p);
}

std::string Solid(const GUID& container, int width, int height, std::uint32_t colour) {
    return Encode(container, width, std::vector<std::uint32_t>(width * height, colour));
}

// A GIF89a of four colours with index 0 transparent. The LZW data is sent uncompressed, a clear
// code before every two pixels, so the code width stays at three bits.
std::string TransparentGif(int width, int height, const std::vector<int>& indices) {
    auto word = [](int value) { return std::string{char(value & 0xFF), char(value >> 8)}; };
    std::string gif = "GIF89a" + word(width) + word(height) + "\x91\0\0"s;
    gif +=
        "\xFF\0\xFF"s
        "\xFF\0\0"s
        "\0\xFF\0"s
        "\0\0\xFF"s;                     // magenta, red, green, blue
    gif += "\x21\xF9\x04\x01\0\0\0\0"s;  // graphic control: index 0 transparent
    gif += "\x2C\0\0\0\0"s + word(width) + word(height) + "\0\x02"s;
    std::string data;
    unsigned bits = 0;
    int count = 0;
    auto put = [&](unsigned code) {
        bits |= code << count;
        for (count += 3; count >= 8; count -= 8, bits >>= 8) {
            data += char(bits & 0xFF);
        }
    };
    for (std::size_t i = 0; i < indices.size(); ++i) {
        if (i % 2 == 0) {
            put(4);  // clear
        }
        put(static_cast<unsigned>(indices[i]));
    }
    put(5);  // end
    if (count > 0) {
        data += char(bits & 0xFF);
    }
    for (std::size_t at = 0; at < data.size(); at += 255) {
        const std::string block = data.substr(at, 255);
        gif += char(block.size()) + block;
    }
    return gif + "\0\x3B"s;
}

// A memory DC with a 32-bit DIB section selected, to draw into and read back.
class Surface {
  public:
    Surface(int width, int height, std::uint32_t fill)
        : width_(width), dc_(CreateCompatibleDC(nullptr)) {
        void* bits = nullptr;
        bitmap_ = CreateDibSection32(width, height, &bits);
        pixels_ = static_cast<std::uint32_t*>(bits);
        previous_ = SelectObject(dc_, bitmap_);
        std::fill(pixels_, pixels_ + width * height, fill);
    }
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;
    ~Surface() {
        SelectObject(dc_, previous_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    HDC Dc() const { return dc_; }
    std::uint32_t At(int x, int y) const {
        GdiFlush();
        return pixels_[y * width_ + x];
    }

  private:
    int width_;
    HDC dc_;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ previous_ = nullptr;
    std::uint32_t* pixels_ = nullptr;
};

std::uint32_t At(const Bitmap& bitmap, int x, int y) {
    return bitmap.Pixels()[y * bitmap.Width() + x];
}

// Whether each channel of two colours differs by at most tolerance.
bool Near(std::uint32_t a, std::uint32_t b, int tolerance) {
    for (int shift = 0; shift < 32; shift += 8) {
        if (std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)) > tolerance) {
            return false;
        }
    }
    return true;
}

}  // namespace

// Decoding, by content and whatever the name.

TEST(DecodePicture, PngKeepsItsAlphaPremultiplied) {
    const TempFolder folder;
    folder.WriteFile("app/appicon.gif",
                     Encode(GUID_ContainerFormatPng, 2, {kRed, 0x800000FF, 0x0000FF00, kWhite}));
    const Bitmap picture = LoadPictureFile(folder.Text("app/appicon.gif"));
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture.Width(), 2);
    EXPECT_EQ(picture.Height(), 2);
    EXPECT_EQ(At(picture, 0, 0), kRed);
    EXPECT_TRUE(Near(At(picture, 1, 0), 0x80000080, 1)) << std::hex << At(picture, 1, 0);
    EXPECT_EQ(At(picture, 0, 1), kTransparent);  // green, fully transparent
    EXPECT_EQ(At(picture, 1, 1), kWhite);
}

TEST(DecodePicture, GifTransparentIndexIsClear) {
    const Bitmap picture = DecodePicture(TransparentGif(3, 2, {0, 1, 2, 3, 0, 1}));
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture.Width(), 3);
    EXPECT_EQ(picture.Height(), 2);
    const std::vector<std::uint32_t> expected{kTransparent, kRed,         0xFF00FF00,
                                              kBlue,        kTransparent, kRed};
    EXPECT_EQ(std::vector(picture.Pixels().begin(), picture.Pixels().end()), expected);
}

TEST(DecodePicture, BmpAndJpegUnderAnyName) {
    const TempFolder folder;
    folder.WriteFile("bmp/appicon.gif", Encode(GUID_ContainerFormatBmp, 2, {kRed, kBlue}));
    std::vector<std::uint32_t> halves(16 * 16, 0xFF2F6BD8);  // accent blue left, amber right
    for (std::size_t i = 0; i < halves.size(); ++i) {
        if (i % 16 >= 8) {
            halves[i] = 0xFFF4B942;
        }
    }
    folder.WriteFile("jpeg/appicon.gif", Encode(GUID_ContainerFormatJpeg, 16, halves));

    const Bitmap bmp = LoadPictureFile(folder.Text("bmp/appicon.gif"));
    ASSERT_TRUE(bmp);
    EXPECT_EQ(At(bmp, 0, 0), kRed);
    EXPECT_EQ(At(bmp, 1, 0), kBlue);

    const Bitmap jpeg = LoadPictureFile(folder.Text("jpeg/appicon.gif"));
    ASSERT_TRUE(jpeg);
    EXPECT_EQ(jpeg.Width(), 16);
    EXPECT_EQ(jpeg.Height(), 16);
    EXPECT_TRUE(Near(At(jpeg, 3, 8), 0xFF2F6BD8, 12)) << std::hex << At(jpeg, 3, 8);
    EXPECT_TRUE(Near(At(jpeg, 12, 8), 0xFFF4B942, 12)) << std::hex << At(jpeg, 12, 8);
}

TEST(DecodePicture, WhatIsNoPictureGivesNull) {
    const TempFolder folder;
    const std::string png = Solid(GUID_ContainerFormatPng, 8, 8, kRed);
    const std::string gif = TransparentGif(8, 8, std::vector<int>(64, 1));
    ASSERT_TRUE(DecodePicture(png));
    ASSERT_TRUE(DecodePicture(gif));

    EXPECT_FALSE(DecodePicture(""));
    EXPECT_FALSE(DecodePicture("[Launcher]\r\nName=Not a picture\r\n"));
    EXPECT_FALSE(DecodePicture(png.substr(0, png.size() / 2)));
    EXPECT_FALSE(DecodePicture(gif.substr(0, gif.size() / 2)));
    EXPECT_FALSE(DecodePicture(gif.substr(0, 13)));  // header and screen only
    folder.WriteFile("empty.gif", "");
    EXPECT_FALSE(LoadPictureFile(folder.Text("empty.gif")));
    EXPECT_FALSE(LoadPictureFile(folder.Text("missing.gif")));
    EXPECT_FALSE(LoadPictureFile(folder.Text()));  // a folder
}

// The peak of the process's working set: it shows whether pixels were ever written.
std::size_t PeakMemory() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof(counters);
    EXPECT_TRUE(GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters)));
    return counters.PeakWorkingSetSize;
}

std::size_t CurrentMemory() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof(counters);
    EXPECT_TRUE(GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters)));
    return counters.WorkingSetSize;
}

TEST(DecodePicture, HugeClaimsAreRefusedBeforeDecoding) {
    // 35 bytes: a 1 x 1 image on a 5000 x 5000 screen, which would be 100 MB at 32 bits.
    const std::string tiny(
        "GIF89a\x88\x13\x88\x13\x80\0\0"
        "\0\0\0\xFF\xFF\xFF"
        "\x2C\0\0\0\0\x01\0\x01\0\0"
        "\x02\x02\x44\x01\0\x3B",
        35);
    // A valid 5000 x 5000 PNG of one colour, a few kilobytes packed.
    Com<IWICBitmap> blank;
    ASSERT_HRESULT_SUCCEEDED(Factory()->CreateBitmap(5000, 5000, GUID_WICPixelFormatBlackWhite,
                                                     WICBitmapCacheOnLoad, &blank.p));
    const std::string big = Encode(GUID_ContainerFormatPng, blank.p);
    ASSERT_LT(big.size(), 100'000u);

    const std::size_t before = CurrentMemory();
    {
        auto b = DecodePicture(tiny);
        std::printf("TINY %d x %d\n", b.Width(), b.Height());
    }
    EXPECT_FALSE(DecodePicture(tiny));
    EXPECT_FALSE(DecodePicture(big));
    EXPECT_LT(PeakMemory(), before + 48 * 1024 * 1024);
}

TEST(DecodePicture, LimitIsInclusive) {
    const Bitmap largest =
        DecodePicture(Solid(GUID_ContainerFormatPng, MaxPictureSide, MaxPictureSide, kBlue));
    ASSERT_TRUE(largest);
    EXPECT_EQ(largest.Width(), MaxPictureSide);
    EXPECT_EQ(At(largest, MaxPictureSide - 1, MaxPictureSide - 1), kBlue);
    EXPECT_FALSE(DecodePicture(Solid(GUID_ContainerFormatPng, MaxPictureSide + 1, 1, kBlue)));
    EXPECT_FALSE(DecodePicture(Solid(GUID_ContainerFormatPng, 1, MaxPictureSide + 1, kBlue)));
}

TEST(Bitmap, MovesItsHandleAndDeletesIt) {
    Bitmap first = DecodePicture(Solid(GUID_ContainerFormatPng, 3, 2, kRed));
    const HBITMAP handle = first.Handle();
    ASSERT_EQ(GetObjectType(handle), static_cast<DWORD>(OBJ_BITMAP));
    {
        Bitmap second = std::move(first);
        EXPECT_TRUE(first.IsNull());
        EXPECT_EQ(second.Handle(), handle);
        first = std::move(second);
        EXPECT_EQ(first.Height(), 2);
        first = Bitmap();
    }
    EXPECT_EQ(GetObjectType(handle), 0u);
}

// Drawing into a DIB section over a known background.

constexpr std::uint32_t kGrey = 0xFF404040;

TEST(DrawBitmap, BlendsOverTheBackground) {
    const Bitmap picture = DecodePicture(Encode(GUID_ContainerFormatPng, 3, {kRed, 0x80FFFFFF, 0}));
    Surface surface(5, 3, kGrey);
    DrawBitmap(surface.Dc(), picture, 1, 1, 3, 1);
    EXPECT_EQ(surface.At(1, 1) & 0xFFFFFF, kRed & 0xFFFFFF);
    EXPECT_TRUE(Near(surface.At(2, 1) & 0xFFFFFF, 0xA0A0A0, 2)) << std::hex << surface.At(2, 1);
    EXPECT_EQ(surface.At(3, 1), kGrey);
    EXPECT_EQ(surface.At(0, 1), kGrey);
    EXPECT_EQ(surface.At(1, 0), kGrey);

    DrawBitmap(surface.Dc(), Bitmap(), 0, 0, 5, 3);
    EXPECT_EQ(surface.At(0, 0), kGrey);
}

TEST(DrawBitmap, StretchesToTheBox) {
    // The add glyph's case: 9 x 9 shown at 13 x 13. Red on the last column shows the far edge.
    std::vector<std::uint32_t> glyph(81, kBlue);
    for (int y = 0; y < 9; ++y) {
        glyph[y * 9 + 8] = kRed;
    }
    const Bitmap picture = DecodePicture(Encode(GUID_ContainerFormatPng, 9, glyph));
    Surface surface(20, 20, kGrey);
    DrawBitmap(surface.Dc(), picture, 2, 2, 13, 13);
    EXPECT_EQ(surface.At(2, 2) & 0xFFFFFF, kBlue & 0xFFFFFF);
    EXPECT_EQ(surface.At(14, 14) & 0xFFFFFF, kRed & 0xFFFFFF);
    EXPECT_EQ(surface.At(13, 8) & 0xFFFFFF, kBlue & 0xFFFFFF);
    EXPECT_EQ(surface.At(15, 8), kGrey);
    EXPECT_EQ(surface.At(8, 15), kGrey);
}

TEST(DrawBitmap, ClippedDrawsAtOwnSizeAndCutsAtTheBox) {
    std::vector<std::uint32_t> pixels(6 * 6, kBlue);
    pixels[2 * 6 + 3] = kRed;  // (3, 2)
    const Bitmap picture = DecodePicture(Encode(GUID_ContainerFormatPng, 6, pixels));
    Surface surface(10, 10, kGrey);
    DrawBitmapClipped(surface.Dc(), picture, 1, 1, 4, 3);
    EXPECT_EQ(surface.At(4, 3) & 0xFFFFFF, kRed & 0xFFFFFF);  // not scaled: (3, 2) at (1, 1)
    EXPECT_EQ(surface.At(1, 1) & 0xFFFFFF, kBlue & 0xFFFFFF);
    EXPECT_EQ(surface.At(5, 1), kGrey);
    EXPECT_EQ(surface.At(1, 4), kGrey);

    DrawBitmapClipped(surface.Dc(), picture, 0, 5, 20, 20);  // a box larger than the picture
    EXPECT_EQ(surface.At(5, 9) & 0xFFFFFF, kBlue & 0xFFFFFF);
    EXPECT_EQ(surface.At(6, 9), kGrey);
}

// The program's own artwork, from its resources.

TEST(Artwork, PicturesHaveTheirDocumentedSizes) {
    const struct {
        const Bitmap& picture;
        int width;
        int height;
    } pictures[] = {{Artwork::Background(), 350, 440},
                    {Artwork::CloseButton(), 18, 21},
                    {Artwork::AddGlyph(), 9, 9},
                    {Artwork::DefaultIcon(), 48, 48},
                    {Artwork::NoteCross(), 14, 14}};
    for (const auto& [picture, width, height] : pictures) {
        ASSERT_TRUE(picture);
        EXPECT_EQ(picture.Width(), width);
        EXPECT_EQ(picture.Height(), height);
    }
    EXPECT_EQ(Artwork::Background().Handle(), pictures[0].picture.Handle());
    // The background is opaque and its work area pure white (x 40 is the window's x 16).
    EXPECT_EQ(At(Artwork::Background(), 40 + 150, 200), kWhite);
    for (const std::uint32_t pixel : Artwork::CloseButton().Pixels()) {
        ASSERT_EQ(pixel >> 24, 0xFFu);
    }
}

SIZE SizeOfBitmap(HBITMAP bitmap) {
    BITMAP info{};
    GetObjectW(bitmap, sizeof(info), &info);
    return {info.bmWidth, info.bmHeight};
}

TEST(Artwork, WindowIconsComeFromTheIconResource) {
    for (const int size : {16, 32}) {
        const HICON icon = Artwork::WindowIcon(size);
        ASSERT_NE(icon, nullptr) << size;
        EXPECT_EQ(Artwork::WindowIcon(size), icon);
        ICONINFO info{};
        ASSERT_TRUE(GetIconInfo(icon, &info));
        EXPECT_TRUE(info.fIcon);
        const SIZE colour = SizeOfBitmap(info.hbmColor);
        EXPECT_EQ(colour.cx, size);
        EXPECT_EQ(colour.cy, size);
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
    }
}

TEST(Artwork, IconDirectoryMatchesItsImages) {
    // kivola.rc writes the directory by hand: its byte counts and sizes must follow the PNGs.
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC group = FindResourceW(module, MAKEINTRESOURCEW(IDI_KIVOLA), RT_GROUP_ICON);
    ASSERT_NE(group, nullptr);
    const auto* directory = static_cast<const BYTE*>(LockResource(LoadResource(module, group)));
    const int count = directory[4] | directory[5] << 8;
    ASSERT_EQ(SizeofResource(module, group), 6u + 14u * count);
    ASSERT_EQ(count, 2);
    for (int i = 0; i < count; ++i) {
        const BYTE* entry = directory + 6 + 14 * i;
        DWORD bytes = 0;
        std::memcpy(&bytes, entry + 8, 4);
        const int id = entry[12] | entry[13] << 8;
        HRSRC image = FindResourceW(module, MAKEINTRESOURCEW(id), RT_ICON);
        ASSERT_NE(image, nullptr) << id;
        EXPECT_EQ(SizeofResource(module, image), bytes) << id;
        const auto* png = static_cast<const BYTE*>(LockResource(LoadResource(module, image)));
        EXPECT_EQ(png[19], entry[0]) << id;  // the low bytes of IHDR's width and height
        EXPECT_EQ(png[23], entry[1]) << id;
    }
}

TEST(Artwork, HandPointerHasItsHotSpotAndLooksLikeItsPicture) {
    const HCURSOR cursor = Artwork::HandPointer();
    ASSERT_NE(cursor, nullptr);
    EXPECT_EQ(Artwork::HandPointer(), cursor);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(cursor, &info));
    EXPECT_FALSE(info.fIcon);
    EXPECT_EQ(info.xHotspot, 1u);
    EXPECT_EQ(info.yHotspot, 1u);
    EXPECT_EQ(SizeOfBitmap(info.hbmColor).cx, 32);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);

    // Drawn by the system, the cursor blends as its picture does: straight alpha, not
    // premultiplied twice.
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(IDR_CURSOR), RT_RCDATA);
    const Bitmap picture =
        DecodePicture({static_cast<const char*>(LockResource(LoadResource(module, found))),
                       SizeofResource(module, found)});
    Surface expected(32, 32, kGrey);
    Surface drawn(32, 32, kGrey);
    DrawBitmap(expected.Dc(), picture, 0, 0, 32, 32);
    ASSERT_TRUE(DrawIconEx(drawn.Dc(), 0, 0, cursor, 32, 32, 0, nullptr, DI_NORMAL));
    int partial = 0;
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            const std::uint32_t alpha = At(picture, x, y) >> 24;
            partial += alpha > 0 && alpha < 255;
            EXPECT_TRUE(Near(drawn.At(x, y) & 0xFFFFFF, expected.At(x, y) & 0xFFFFFF, 3))
                << x << ", " << y << std::hex << ": " << drawn.At(x, y) << " " << expected.At(x, y);
        }
    }
    EXPECT_GT(partial, 0);  // the comparison covers blended edges
}
