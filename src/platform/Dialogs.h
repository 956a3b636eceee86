#pragma once

// Modal dialogs, provided by the front-end: message boxes and the open-file dialog.

#include <optional>
#include <string>

namespace Platform {

enum class MessageButtons { Ok, YesNo };
enum class MessageIcon { None, Critical, Question, Exclamation, Information };
// The values are those callers compare with (Yes is 6).
enum class MessageResult { Ok = 1, Yes = 6, No = 7 };

struct MessageBoxRequest {
    std::u16string Prompt;
    std::u16string Title;
    MessageButtons Buttons = MessageButtons::Ok;
    MessageIcon Icon = MessageIcon::None;
    MessageResult DefaultButton = MessageResult::Ok;  // Ok, Yes or No
};

struct OpenFileChoice {
    std::u16string FileName;   // full path
    std::u16string FileTitle;  // name and extension, without the folder
};

class Dialogs {
  public:
    virtual ~Dialogs() = default;
    virtual MessageResult ShowMessage(const MessageBoxRequest& request) = 0;
    // filter is "Description|pattern[;pattern]" pairs joined by '|', as "All Executables|*.exe".
    // Nothing when the user cancels.
    virtual std::optional<OpenFileChoice> ShowOpen(const std::u16string& filter) = 0;
};

}  // namespace Platform
