#include "platform/win32/WideText.h"

#include <cwchar>

namespace Platform::Win32 {

std::wstring Wide(std::u16string_view text) {
    return {text.begin(), text.end()};
}

std::u16string FromWide(std::wstring_view text) {
    return {text.begin(), text.end()};
}

std::u16string ErrorText(DWORD error) {
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::u16string text;
    if (length != 0 && buffer != nullptr) {
        text = FromWide(std::wstring_view(buffer, length));
    }
    if (buffer != nullptr) {
        LocalFree(buffer);
    }
    while (!text.empty() && (text.back() == u'\r' || text.back() == u'\n' || text.back() == u' ')) {
        text.pop_back();
    }
    if (text.empty()) {
        text = u"Windows error " + FromWide(std::to_wstring(error));
    }
    return text;
}

IoStatus ErrorFailure(DWORD error) {
    return IoStatus::Failure(ErrorText(error));
}

}  // namespace Platform::Win32
