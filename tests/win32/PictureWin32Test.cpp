#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "platform/win32/WindowsApi.h"
#include "testsupport/TempFolder.h"
#include "ui/win32/Artwork.h"
#include "ui/win32/Bitmap.h"
#include "ui/win32/ProgramIcon.h"
#include "ui/win32/resources/ResourceIds.h"

#include <psapi.h>
#include <wincodec.h>

using namespace Win32Ui;
using namespace std::string_literals;
using TestSupport::TempFolder;

namespace {

// 0xAARRGGBB, premultiplied where Bitmap::Pixels holds them.
constexpr std::uint32_t kRed = 0xFFFF0000;
constexpr std::uint32_t kBlue = 0xFF0000FF;
constexpr std::uint32_t kWhite = 0xFFFFFFFF;
constexpr std::uint32_t kGrey = 0xFF404040;

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

// The source as a file of the container (GUID_ContainerFormatPng...), by WIC's own encoder.
std::string Encode(const GUID& container, IWICBitmapSource* source) {
    Com<IStream> memory;
    Com<IWICBitmapEncoder> encoder;
    Com<IWICBitmapFrameEncode> frame;
    Com<IPropertyBag2> options;
    HGLOBAL global = nullptr;
    STATSTG stat{};
    const bool written = SUCCEEDED(CreateStreamOnHGlobal(nullptr, TRUE, &memory.p)) &&
                         SUCCEEDED(Factory()->CreateEncoder(container, nullptr, &encoder.p)) &&
                         SUCCEEDED(encoder->Initialize(memory.p, WICBitmapEncoderNoCache)) &&
                         SUCCEEDED(encoder->CreateNewFrame(&frame.p, &options.p)) &&
                         SUCCEEDED(frame->Initialize(options.p)) &&
                         SUCCEEDED(frame->WriteSource(source, nullptr)) &&
                         SUCCEEDED(frame->Commit()) && SUCCEEDED(encoder->Commit()) &&
                         SUCCEEDED(GetHGlobalFromStream(memory.p, &global)) &&
                         SUCCEEDED(memory->Stat(&stat, STATFLAG_NONAME));
    EXPECT_TRUE(written);
    if (!written) {
        return {};
    }
    std::string file(static_cast<const char*>(GlobalLock(global)), stat.cbSize.QuadPart);
    GlobalUnlock(global);
    return file;
}

// Rows of straight (not premultiplied) pixels as a file.
std::string Encode(const GUID& container, int width, std::vector<std::uint32_t> pixels) {
    Com<IWICBitmap> bitmap;
    EXPECT_HRESULT_SUCCEEDED(Factory()->CreateBitmapFromMemory(
        width, static_cast<UINT>(pixels.size() / width), GUID_WICPixelFormat32bppBGRA, width * 4,
        static_cast<UINT>(pixels.size() * 4), reinterpret_cast<BYTE*>(pixels.data()), &bitmap.p));
    return Encode(container, bitmap.p);
}

std::string SolidPng(int width, int height, std::uint32_t colour) {
    return Encode(GUID_ContainerFormatPng, width, std::vector(width * height, colour));
}

// A GIF89a of four colours, index 0 transparent. The LZW data is left uncompressed, with a
// clear code before every two pixels, so the code width stays at three bits.
std::string TransparentGif(int width, int height, const std::vector<int>& indices) {
    auto word = [](int value) { return std::string{char(value & 0xFF), char(value >> 8)}; };
    std::string gif = "GIF89a" + word(width) + word(height) + "\x91\0\0"s;
    gif +=
        "\xFF\0\xFF"
        "\xFF\0\0"
        "\0\xFF\0"
        "\0\0\xFF"s;                     // magenta, red, green, blue
    gif += "\x21\xF9\x04\x01\0\0\0\0"s;  // graphic control: 0 transparent
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

std::uint32_t At(const Bitmap& bitmap, int x, int y) {
    return bitmap.Pixels()[y * bitmap.Width() + x];
}

// A DIB section of one colour selected into a memory DC, to draw into and read back.
struct Surface {
    Surface(int width, int height, std::uint32_t fill) {
        void* bits = nullptr;
        HBITMAP handle = CreateDibSection32(width, height, &bits);
        std::fill_n(static_cast<std::uint32_t*>(bits), width * height, fill);
        target = Bitmap(handle, bits, width, height);
        previous = SelectObject(dc, handle);
    }
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;
    ~Surface() {
        SelectObject(dc, previous);
        DeleteDC(dc);
    }
    std::uint32_t Rgb(int x, int y) const {
        GdiFlush();
        return At(target, x, y) & 0xFFFFFF;
    }

    Bitmap target;
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = nullptr;
};

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

// Decoding, by content, whatever the file's name.

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
    EXPECT_EQ(At(picture, 0, 1), 0u);  // green, fully transparent
    EXPECT_EQ(At(picture, 1, 1), kWhite);
}

TEST(DecodePicture, GifTransparentIndexIsClear) {
    const Bitmap picture = DecodePicture(TransparentGif(3, 2, {0, 1, 2, 3, 0, 1}));
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture.Width(), 3);
    const std::vector<std::uint32_t> expected{0, kRed, 0xFF00FF00, kBlue, 0, kRed};
    EXPECT_EQ(std::vector(picture.Pixels().begin(), picture.Pixels().end()), expected);
}

TEST(DecodePicture, BmpAndJpegUnderAnyName) {
    const TempFolder folder;
    folder.WriteFile("bmp/appicon.gif", Encode(GUID_ContainerFormatBmp, 2, {kRed, kBlue}));
    std::vector<std::uint32_t> halves(16 * 16);  // accent blue left, amber right
    for (std::size_t i = 0; i < halves.size(); ++i) {
        halves[i] = i % 16 < 8 ? 0xFF2F6BD8 : 0xFFF4B942;
    }
    folder.WriteFile("jpeg/appicon.gif", Encode(GUID_ContainerFormatJpeg, 16, halves));

    const Bitmap bmp = LoadPictureFile(folder.Text("bmp/appicon.gif"));
    ASSERT_TRUE(bmp);
    EXPECT_EQ(At(bmp, 0, 0), kRed);
    EXPECT_EQ(At(bmp, 1, 0), kBlue);
    const Bitmap jpeg = LoadPictureFile(folder.Text("jpeg/appicon.gif"));
    ASSERT_TRUE(jpeg);
    EXPECT_EQ(jpeg.Height(), 16);
    EXPECT_TRUE(Near(At(jpeg, 3, 8), 0xFF2F6BD8, 12)) << std::hex << At(jpeg, 3, 8);
    EXPECT_TRUE(Near(At(jpeg, 12, 8), 0xFFF4B942, 12)) << std::hex << At(jpeg, 12, 8);
}

TEST(DecodePicture, WhatIsNoPictureGivesNull) {
    const std::string png = SolidPng(8, 8, kRed);
    const std::string gif = TransparentGif(8, 8, std::vector(64, 1));
    ASSERT_TRUE(DecodePicture(png));
    ASSERT_TRUE(DecodePicture(gif));
    EXPECT_FALSE(DecodePicture(""));
    EXPECT_FALSE(DecodePicture("[Launcher]\r\nName=Not a picture\r\n"));
    EXPECT_FALSE(DecodePicture(png.substr(0, png.size() / 2)));
    EXPECT_FALSE(DecodePicture(gif.substr(0, gif.size() / 2)));
    EXPECT_FALSE(DecodePicture(gif.substr(0, 13)));  // header and screen only

    const TempFolder folder;
    folder.WriteFile("empty.gif", "");
    EXPECT_FALSE(LoadPictureFile(folder.Text("empty.gif")));
    EXPECT_FALSE(LoadPictureFile(folder.Text("missing.gif")));
    EXPECT_FALSE(LoadPictureFile(folder.Text()));  // a folder
}

TEST(DecodePicture, HugeClaimsAreRefusedBeforeDecoding) {
    // 35 bytes: a 1 x 1 image on a 5000 x 5000 screen.
    const std::string tiny(
        "GIF89a\x88\x13\x88\x13\x80\0\0"
        "\0\0\0\xFF\xFF\xFF"
        "\x2C\0\0\0\0\x01\0\x01\0\0"
        "\x02\x02\x44\x01\0\x3B",
        35);
    // A valid 5000 x 5000 PNG, a few kilobytes packed and 100 MB at 32 bits.
    Com<IWICBitmap> blank;
    ASSERT_HRESULT_SUCCEEDED(Factory()->CreateBitmap(5000, 5000, GUID_WICPixelFormatBlackWhite,
                                                     WICBitmapCacheOnLoad, &blank.p));
    const std::string big = Encode(GUID_ContainerFormatPng, blank.p);
    ASSERT_LT(big.size(), 100'000u);

    PROCESS_MEMORY_COUNTERS memory{};
    ASSERT_TRUE(GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof(memory)));
    const std::size_t before = memory.WorkingSetSize;
    EXPECT_FALSE(DecodePicture(tiny));
    EXPECT_FALSE(DecodePicture(big));
    // Pixels written anywhere would have raised the working set's peak by about 100 MB.
    ASSERT_TRUE(GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof(memory)));
    EXPECT_LT(memory.PeakWorkingSetSize, before + 48 * 1024 * 1024);
}

TEST(DecodePicture, LimitIsInclusive) {
    const Bitmap largest = DecodePicture(SolidPng(MaxPictureSide, MaxPictureSide, kBlue));
    ASSERT_TRUE(largest);
    EXPECT_EQ(largest.Width(), MaxPictureSide);
    EXPECT_EQ(At(largest, MaxPictureSide - 1, MaxPictureSide - 1), kBlue);
    EXPECT_FALSE(DecodePicture(SolidPng(MaxPictureSide + 1, 1, kBlue)));
    EXPECT_FALSE(DecodePicture(SolidPng(1, MaxPictureSide + 1, kBlue)));
}

TEST(Bitmap, MovesItsHandleAndDeletesIt) {
    Bitmap first = DecodePicture(SolidPng(3, 2, kRed));
    const HBITMAP handle = first.Handle();
    ASSERT_EQ(GetObjectType(handle), static_cast<DWORD>(OBJ_BITMAP));
    Bitmap second = std::move(first);
    EXPECT_TRUE(first.IsNull());
    EXPECT_EQ(second.Handle(), handle);
    first = std::move(second);
    EXPECT_EQ(first.Height(), 2);
    first = Bitmap();
    EXPECT_EQ(GetObjectType(handle), 0u);
}

// Drawing over a known background.

TEST(DrawBitmap, BlendsOverTheBackground) {
    const Bitmap picture = DecodePicture(Encode(GUID_ContainerFormatPng, 3, {kRed, 0x80FFFFFF, 0}));
    const Surface surface(5, 3, kGrey);
    DrawBitmap(surface.dc, picture, 1, 1, 3, 1);
    EXPECT_EQ(surface.Rgb(1, 1), 0xFF0000u);
    EXPECT_TRUE(Near(surface.Rgb(2, 1), 0xA0A0A0, 2)) << std::hex << surface.Rgb(2, 1);
    EXPECT_EQ(surface.Rgb(3, 1), 0x404040u);
    EXPECT_EQ(surface.Rgb(0, 1), 0x404040u);
    EXPECT_EQ(surface.Rgb(1, 0), 0x404040u);
}

TEST(DrawBitmap, StretchesToTheBox) {
    // The add glyph's case: 9 x 9 shown at 13 x 13. A red last column shows the far edge.
    std::vector<std::uint32_t> glyph(81, kBlue);
    for (int y = 0; y < 9; ++y) {
        glyph[y * 9 + 8] = kRed;
    }
    const Surface surface(20, 20, kGrey);
    DrawBitmap(surface.dc, DecodePicture(Encode(GUID_ContainerFormatPng, 9, glyph)), 2, 2, 13, 13);
    EXPECT_EQ(surface.Rgb(2, 2), 0x0000FFu);
    EXPECT_EQ(surface.Rgb(13, 8), 0x0000FFu);
    EXPECT_EQ(surface.Rgb(14, 14), 0xFF0000u);
    EXPECT_EQ(surface.Rgb(15, 8), 0x404040u);
    EXPECT_EQ(surface.Rgb(8, 15), 0x404040u);
}

TEST(DrawBitmap, ClippedDrawsAtOwnSizeAndCutsAtTheBox) {
    std::vector<std::uint32_t> pixels(6 * 6, kBlue);
    pixels[2 * 6 + 3] = kRed;  // (3, 2)
    const Bitmap picture = DecodePicture(Encode(GUID_ContainerFormatPng, 6, pixels));
    const Surface surface(10, 10, kGrey);
    DrawBitmapClipped(surface.dc, picture, 1, 1, 4, 3);
    EXPECT_EQ(surface.Rgb(4, 3), 0xFF0000u);  // unscaled: the picture's (3, 2)
    EXPECT_EQ(surface.Rgb(1, 1), 0x0000FFu);
    EXPECT_EQ(surface.Rgb(5, 1), 0x404040u);
    EXPECT_EQ(surface.Rgb(1, 4), 0x404040u);

    DrawBitmapClipped(surface.dc, picture, 0, 5, 20, 20);  // a box larger than the picture
    EXPECT_EQ(surface.Rgb(5, 9), 0x0000FFu);
    EXPECT_EQ(surface.Rgb(6, 9), 0x404040u);
}

// The program's own artwork, from its resources.

SIZE SizeOfBitmap(HBITMAP bitmap) {
    BITMAP info{};
    GetObjectW(bitmap, sizeof(info), &info);
    return {info.bmWidth, info.bmHeight};
}

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
    EXPECT_EQ(Artwork::Background().Handle(), pictures[0].picture.Handle());  // decoded once
    EXPECT_EQ(At(Artwork::Background(), 200, 200), kWhite);  // inside the work area
}

TEST(Artwork, WindowIconsComeFromTheIconResource) {
    for (const int size : {16, 32}) {
        const HICON icon = Artwork::WindowIcon(size);
        ASSERT_NE(icon, nullptr) << size;
        EXPECT_EQ(Artwork::WindowIcon(size), icon);
        ICONINFO info{};
        ASSERT_TRUE(GetIconInfo(icon, &info));
        EXPECT_TRUE(info.fIcon);
        EXPECT_EQ(SizeOfBitmap(info.hbmColor).cx, size);
        EXPECT_EQ(SizeOfBitmap(info.hbmColor).cy, size);
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
    ASSERT_EQ(count, 2);
    ASSERT_EQ(SizeofResource(module, group), 6u + 14u * count);
    for (const BYTE* entry = directory + 6; entry < directory + 6 + 14 * count; entry += 14) {
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

    // Drawn by the system, the cursor blends as its picture does: its colour has straight
    // alpha, so the edges are not premultiplied twice.
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(IDR_CURSOR), RT_RCDATA);
    const Bitmap picture =
        DecodePicture({static_cast<const char*>(LockResource(LoadResource(module, found))),
                       SizeofResource(module, found)});
    const Surface expected(32, 32, kGrey);
    const Surface drawn(32, 32, kGrey);
    DrawBitmap(expected.dc, picture, 0, 0, 32, 32);
    ASSERT_TRUE(DrawIconEx(drawn.dc, 0, 0, cursor, 32, 32, 0, nullptr, DI_NORMAL));
    int edges = 0;
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            const std::uint32_t alpha = At(picture, x, y) >> 24;
            edges += alpha > 0 && alpha < 255;
            EXPECT_TRUE(Near(drawn.Rgb(x, y), expected.Rgb(x, y), 3))
                << x << ", " << y << std::hex << ": " << drawn.Rgb(x, y) << " "
                << expected.Rgb(x, y);
        }
    }
    EXPECT_GT(edges, 0);
}

// The icons of the small programs tests/launcher makes (16, 32 and 48 pixel bitmaps in red, lime
// and blue, a PNG-coded 256 pixel one in yellow), as the system extracts them.
TEST(ProgramIcon, TheSystemGivesTheProgramsOwnIconOrNothing) {
    const std::string programs = KIVOLA_WINDOWS_PROGRAMS;
    if (programs.empty()) {
        GTEST_SKIP() << "no MinGW-w64 cross compiler or ImageMagick to make the programs";
    }
    const auto path = [&](const char* name) { return TestSupport::U(programs + "/" + name); };
    const Bitmap icon = ProgramIcon(path("WithIcons.exe"), 48);
    ASSERT_TRUE(icon);
    EXPECT_EQ(icon.Width(), 48);
    EXPECT_EQ(icon.Height(), 48);
    EXPECT_EQ(At(icon, 24, 24), 0xFF0000FFU) << std::hex << At(icon, 24, 24);
    const Bitmap large = ProgramIcon(path("WithIcons.exe"), 256);
    ASSERT_TRUE(large);
    EXPECT_EQ(large.Width(), 256);
    // Opaque yellow; Wine 8 hands PNG-coded icons over with red and blue swapped, so only the
    // alpha and the green are compared.
    EXPECT_EQ(At(large, 128, 128) & 0xFF00FF00U, 0xFF00FF00U) << std::hex << At(large, 128, 128);
    EXPECT_FALSE(ProgramIcon(path("NoIcon.exe"), 48));
    EXPECT_FALSE(ProgramIcon(path("missing.exe"), 48));

    // Cut in its resources.
    const TempFolder folder;
    std::ifstream in(programs + "/WithIcons.exe", std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    folder.WriteFile("cut.exe", bytes.substr(0, bytes.size() * 3 / 4));
    EXPECT_FALSE(ProgramIcon(folder.Text("cut.exe"), 48));
}
