#include "ui/win32/ProgramIcon.h"

#include "launcher/ExecutableIcon.h"
#include "platform/win32/WideText.h"
#include "platform/win32/WindowsApi.h"

namespace Win32Ui {

Bitmap ProgramIcon(const std::u16string& program, int side) {
    // The system's extraction trusts the file: Wine's reads past the end of a cut program and
    // takes the launcher down with it. Our reader, which checks every offset, goes first.
    if (!Launcher::ExecutableIconOfFile(program, side)) {
        return {};
    }
    HICON icon = nullptr;
    UINT id = 0;
    const UINT found = PrivateExtractIconsW(Platform::Win32::Wide(program).c_str(), 0, side, side,
                                            &icon, &id, 1, LR_DEFAULTCOLOR);
    // 0xFFFFFFFF: the file could not be read; 0: it has no icon.
    if (found == 0 || found == 0xFFFFFFFFU || icon == nullptr) {
        return {};
    }
    Bitmap bitmap = IconBitmap(icon);
    DestroyIcon(icon);
    return bitmap;
}

}  // namespace Win32Ui
