#pragma once

// Dialogs that answer from a script and record what was asked, for tests of the behaviour
// classes. An unexpected question fails the test instead of blocking.

#include <gtest/gtest.h>

#include <deque>
#include <optional>
#include <vector>

#include "platform/Dialogs.h"

namespace TestSupport {

class ScriptedDialogs : public Platform::Dialogs {
  public:
    std::deque<Platform::MessageResult> Answers;                      // next message box answers
    std::deque<std::optional<Platform::OpenFileChoice>> OpenAnswers;  // next open dialogs
    std::vector<Platform::MessageBoxRequest> Messages;                // every message shown
    std::vector<std::u16string> OpenFilters;                          // every open dialog's filter

    Platform::MessageResult ShowMessage(const Platform::MessageBoxRequest& request) override {
        Messages.push_back(request);
        if (Answers.empty()) {
            // An OK box needs no scripted answer; a question does.
            if (request.Buttons == Platform::MessageButtons::Ok) {
                return Platform::MessageResult::Ok;
            }
            ADD_FAILURE() << "unscripted question shown";
            return Platform::MessageResult::No;
        }
        const auto answer = Answers.front();
        Answers.pop_front();
        return answer;
    }

    std::optional<Platform::OpenFileChoice> ShowOpen(const std::u16string& filter) override {
        OpenFilters.push_back(filter);
        if (OpenAnswers.empty()) {
            ADD_FAILURE() << "unscripted open dialog shown";
            return std::nullopt;
        }
        auto answer = OpenAnswers.front();
        OpenAnswers.pop_front();
        return answer;
    }
};

}  // namespace TestSupport
