#pragma once

// The dialogs of the Windows edition: the system's message box and open-file dialog, modal to
// the window of this thread the user is working in. The open dialog never moves the process's
// current folder, which is the drive the program scans.

#include "platform/Dialogs.h"

namespace Win32Ui {

class Win32Dialogs : public Platform::Dialogs {
  public:
    Platform::MessageResult ShowMessage(const Platform::MessageBoxRequest& request) override;
    std::optional<Platform::OpenFileChoice> ShowOpen(const std::u16string& filter) override;
};

}  // namespace Win32Ui
