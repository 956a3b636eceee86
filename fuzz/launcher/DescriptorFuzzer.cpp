// Feeds arbitrary descriptor bytes through decoding and parsing, and checks what every
// descriptor must give: one application per list entry, each tied to the folder scanned.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "launcher/AppDescriptor.h"
#include "support/TextCodec.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // NOLINTNEXTLINE(cppcoreguidelines-pro-type-reinterpret-cast): libFuzzer hands bytes
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::u16string text = TextCodec::DecodeFileText(bytes);
    const Launcher::DescriptorFolder folder{u"/media/usb/Apps", u"Apps", u"/media/usb"};
    const auto apps = Launcher::ParseAppDescriptor(text, folder);

    const auto commas = static_cast<std::size_t>(std::count(text.begin(), text.end(), u','));
    const std::size_t expected = commas == 0 ? 1 : commas + 1;
    if (apps.size() != expected) {
        std::abort();
    }
    for (const auto& app : apps) {
        if (app.AppFolder != folder.AppFolder || app.ScanFolder != folder.ScanFolder ||
            app.Listed != (commas != 0) || app.IconFile.rfind(u"/media/usb/Apps/", 0) != 0 ||
            app.Executable.find(u',') != std::u16string::npos) {
            std::abort();
        }
    }
    return 0;
}
