#include "ui/win32/Bitmap.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <utility>

#include "launcher/PictureLimit.h"
#include "platform/FileSystem.h"
#include "platform/win32/WindowsApi.h"

#include <objbase.h>
#include <wincodec.h>

namespace Win32Ui {

namespace {

// Releases a COM interface on every path out of a function.
template <typename Interface>
class ComRef {
  public:
    ComRef() = default;
    ComRef(const ComRef&) = delete;
    ComRef& operator=(const ComRef&) = delete;
    ~ComRef() {
        if (pointer_ != nullptr) {
            pointer_->Release();
        }
    }
    Interface* operator->() const { return pointer_; }
    Interface* Get() const { return pointer_; }
    Interface** Out() { return &pointer_; }

  private:
    Interface* pointer_ = nullptr;
};

// One factory per thread, made on first use. It is never released: a thread's last COM call
// should not come after its CoUninitialize, and the process's end reclaims the factory anyway.
// A failure is not remembered, so a thread that initialises COM late still gets one.
IWICImagingFactory* ThreadFactory() {
    thread_local IWICImagingFactory* factory = nullptr;
    if (factory == nullptr) {
        IWICImagingFactory* made = nullptr;
        if (SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                       IID_PPV_ARGS(&made)))) {
            factory = made;
        }
    }
    return factory;
}

}  // namespace

Bitmap::Bitmap(HBITMAP handle, void* pixels, int width, int height)
    : handle_(handle),
      pixels_(static_cast<const std::uint32_t*>(pixels)),
      width_(width),
      height_(height) {}

Bitmap::Bitmap(Bitmap&& other) noexcept
    : handle_(std::exchange(other.handle_, nullptr)),
      pixels_(std::exchange(other.pixels_, nullptr)),
      width_(std::exchange(other.width_, 0)),
      height_(std::exchange(other.height_, 0)) {}

Bitmap& Bitmap::operator=(Bitmap&& other) noexcept {
    if (this != &other) {
        Reset();
        handle_ = std::exchange(other.handle_, nullptr);
        pixels_ = std::exchange(other.pixels_, nullptr);
        width_ = std::exchange(other.width_, 0);
        height_ = std::exchange(other.height_, 0);
    }
    return *this;
}

Bitmap::~Bitmap() {
    Reset();
}

void Bitmap::Reset() {
    if (handle_ != nullptr) {
        DeleteObject(handle_);
    }
    handle_ = nullptr;
    pixels_ = nullptr;
    width_ = 0;
    height_ = 0;
}

std::span<const std::uint32_t> Bitmap::Pixels() const {
    if (pixels_ == nullptr) {
        return {};
    }
    return {pixels_, static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_)};
}

HBITMAP CreateDibSection32(int width, int height, void** bits) {
    *bits = nullptr;
    if (width <= 0 || height <= 0) {
        return nullptr;
    }
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // negative: the first row is the top one
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, bits, nullptr, 0);
    if (bitmap == nullptr || *bits == nullptr) {
        if (bitmap != nullptr) {
            DeleteObject(bitmap);
        }
        *bits = nullptr;
        return nullptr;
    }
    std::memset(*bits, 0, static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4);
    return bitmap;
}

namespace {

// The decoder for the formats icons come in, known by their first bytes and made directly:
// asking WIC to find one walks its whole registry of codecs, for every picture. False for
// anything else, which WIC is then asked about.
bool MakeDecoder(std::string_view bytes, IStream* stream, ComRef<IWICBitmapDecoder>& decoder) {
    const CLSID* codec = nullptr;
    if (bytes.starts_with("GIF8")) {
        codec = &CLSID_WICGifDecoder;
    } else if (bytes.starts_with("\x89PNG")) {
        codec = &CLSID_WICPngDecoder;
    } else if (bytes.starts_with("\xFF\xD8\xFF")) {
        codec = &CLSID_WICJpegDecoder;
    } else if (bytes.starts_with("BM")) {
        codec = &CLSID_WICBmpDecoder;
    }
    ComRef<IWICBitmapDecoder> made;
    if (codec == nullptr ||
        FAILED(CoCreateInstance(*codec, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(made.Out()))) ||
        FAILED(made->Initialize(stream, WICDecodeMetadataCacheOnDemand))) {
        return false;
    }
    std::swap(*decoder.Out(), *made.Out());
    return true;
}

// A decoder's size as a side PictureFits can judge: more than an int holds is too large anyway.
int SideOf(UINT pixels) {
    return static_cast<int>(std::min<UINT>(pixels, std::numeric_limits<int>::max()));
}

}  // namespace

namespace {
Bitmap Converted(IWICBitmapSource* source, UINT width, UINT height);
}  // namespace

Bitmap DecodePicture(std::string_view bytes) {
    if (bytes.empty() || bytes.size() > std::numeric_limits<DWORD>::max()) {
        return {};
    }
    IWICImagingFactory* factory = ThreadFactory();
    if (factory == nullptr) {
        return {};
    }
    // The stream only reads the memory, though its signature does not say so.
    ComRef<IWICStream> stream;
    if (FAILED(factory->CreateStream(stream.Out())) ||
        FAILED(
            stream->InitializeFromMemory(reinterpret_cast<BYTE*>(const_cast<char*>(bytes.data())),
                                         static_cast<DWORD>(bytes.size())))) {
        return {};
    }
    ComRef<IWICBitmapDecoder> decoder;
    if (!MakeDecoder(bytes, stream.Get(), decoder) &&
        FAILED(factory->CreateDecoderFromStream(stream.Get(), nullptr,
                                                WICDecodeMetadataCacheOnDemand, decoder.Out()))) {
        return {};
    }
    ComRef<IWICBitmapFrameDecode> frame;
    if (FAILED(decoder->GetFrame(0, frame.Out()))) {
        return {};
    }
    // The size comes from the header: nothing has been decoded yet.
    UINT width = 0;
    UINT height = 0;
    if (FAILED(frame->GetSize(&width, &height)) ||
        !Launcher::PictureFits(bytes, SideOf(width), SideOf(height))) {
        return {};
    }
    return Converted(frame.Get(), width, height);
}

namespace {

// The source's pixels in a DIB section, premultiplied BGRA.
Bitmap Converted(IWICBitmapSource* source, UINT width, UINT height) {
    ComRef<IWICFormatConverter> converted;
    if (FAILED(CoCreateInstance(CLSID_WICDefaultFormatConverter, nullptr, CLSCTX_INPROC_SERVER,
                                IID_PPV_ARGS(converted.Out()))) ||
        FAILED(converted->Initialize(source, GUID_WICPixelFormat32bppPBGRA, WICBitmapDitherTypeNone,
                                     nullptr, 0.0, WICBitmapPaletteTypeCustom))) {
        return {};
    }
    const int w = static_cast<int>(width);
    const int h = static_cast<int>(height);
    void* bits = nullptr;
    HBITMAP handle = CreateDibSection32(w, h, &bits);
    Bitmap bitmap(handle, bits, w, h);
    if (!bitmap) {
        return {};
    }
    const UINT stride = width * 4;
    if (FAILED(converted->CopyPixels(nullptr, stride, stride * height, static_cast<BYTE*>(bits)))) {
        return {};
    }
    return bitmap;
}

}  // namespace

Bitmap IconBitmap(HICON icon) {
    IWICImagingFactory* factory = ThreadFactory();
    ComRef<IWICBitmap> bitmap;
    UINT width = 0;
    UINT height = 0;
    if (factory == nullptr || icon == nullptr ||
        FAILED(factory->CreateBitmapFromHICON(icon, bitmap.Out())) ||
        FAILED(bitmap->GetSize(&width, &height)) || width == 0 || height == 0 ||
        width > MaxPictureSide || height > MaxPictureSide) {
        return {};
    }
    return Converted(bitmap.Get(), width, height);
}

Bitmap LoadPictureFile(const std::u16string& path) {
    const auto bytes = Platform::ReadWholeFile(path);
    if (!bytes) {
        return {};
    }
    return DecodePicture(*bytes);
}

namespace {

// Blends the source rectangle of the bitmap onto the destination rectangle.
void Blend(HDC dc, const Bitmap& bitmap, RECT destination, SIZE source) {
    if (!bitmap || dc == nullptr || destination.right <= destination.left ||
        destination.bottom <= destination.top || source.cx <= 0 || source.cy <= 0) {
        return;
    }
    HDC memory = CreateCompatibleDC(dc);
    if (memory == nullptr) {
        return;
    }
    HGDIOBJ previous = SelectObject(memory, bitmap.Handle());
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    AlphaBlend(dc, destination.left, destination.top, destination.right - destination.left,
               destination.bottom - destination.top, memory, 0, 0, source.cx, source.cy, blend);
    SelectObject(memory, previous);
    DeleteDC(memory);
}

}  // namespace

void DrawBitmap(HDC dc, const Bitmap& bitmap, int x, int y, int width, int height) {
    Blend(dc, bitmap, RECT{x, y, x + width, y + height}, SIZE{bitmap.Width(), bitmap.Height()});
}

void DrawBitmapClipped(HDC dc, const Bitmap& bitmap, int x, int y, int maxWidth, int maxHeight) {
    const int width = std::min(bitmap.Width(), maxWidth);
    const int height = std::min(bitmap.Height(), maxHeight);
    Blend(dc, bitmap, RECT{x, y, x + width, y + height}, SIZE{width, height});
}

}  // namespace Win32Ui
