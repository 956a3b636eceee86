#include "launcher/DriveUsage.h"

#include <array>
#include <charconv>
#include <cmath>

namespace Launcher {

std::u16string FormatMegabytes(double megabytes, char16_t decimalSeparator) {
    if (!std::isfinite(megabytes)) {
        megabytes = 0.0;
    }
    // to_chars ignores the C library's locale (which a GUI toolkit may have switched), so the
    // separator is ours alone.
    std::array<char, 400> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), megabytes,
                                      std::chars_format::fixed, 2);
    std::u16string text;
    for (const char* c = buffer.data(); c != result.ptr; ++c) {
        text += *c == '.' ? decimalSeparator : static_cast<char16_t>(*c);
    }
    return text + u" MB";
}

std::u16string DriveUsageCaption(const Platform::DriveSizes& sizes, char16_t decimalSeparator) {
    const double megabyte = std::pow(1024.0, 2);
    const double total = static_cast<double>(sizes.TotalBytes) / megabyte;
    const double used = total - static_cast<double>(sizes.FreeBytes) / megabyte;
    return u"Using " + FormatMegabytes(used, decimalSeparator) + u" of " +
           FormatMegabytes(total, decimalSeparator);
}

}  // namespace Launcher
