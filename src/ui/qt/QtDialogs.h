#pragma once

// The dialogs of the desktop: Qt message boxes and the open-file dialog. Each is modal to the
// window the user is working in.

#include <QStringList>

#include "platform/Dialogs.h"

class QWidget;

namespace QtUi {

class QtDialogs : public Platform::Dialogs {
  public:
    Platform::MessageResult ShowMessage(const Platform::MessageBoxRequest& request) override;
    std::optional<Platform::OpenFileChoice> ShowOpen(const std::u16string& filter) override;
};

}  // namespace QtUi
