#pragma once

// A launcher window that records what Form1 does to it. Pictures load only from files that
// exist and begin like a GIF, PNG, JPEG or BMP, so a slot can fail to draw as a real one does.

#include <algorithm>
#include <array>
#include <cstdint>
#include <fstream>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "launcher/ExecutableIcon.h"
#include "launcher/LauncherView.h"
#include "testsupport/NativePath.h"

namespace TestSupport {

class RecordingLauncherView : public Launcher::LauncherView {
  public:
    static constexpr char16_t BuiltInPicture[] = u"<built-in>";
    static constexpr char16_t ProgramIconPicture[] = u"<icon of>";

    struct Slot {
        std::u16string
            Picture;  // file shown, BuiltInPicture, ProgramIconPicture + program, or empty
        std::u16string ToolTip;
    };
    std::array<Slot, 21> Slots{};  // index 1..20

    std::vector<bool> LoadingHistory;  // every SetLoadingVisible
    bool LoadingVisible = true;        // visible when the window opens
    std::int16_t ScrollMinimum = 0;
    std::int16_t ScrollMaximum = 32767;
    std::int16_t ScrollValueNow = 0;
    bool ScrollEnabled = true;
    bool ScrollTabStop = true;
    bool HScrollCollapsed = false;
    std::vector<std::u16string> DriveCaptions;
    double Left = 0;
    double Top = 0;
    std::vector<std::pair<double, double>> Moves;  // (left, top) after every move
    int TimerInterval = 0;
    bool TimerEnabled = true;
    int EndProgramCalls = 0;
    std::function<void()> OnScrollChange;  // raise Form1::VScroll1_Change
    int ScrollValueSets = 0;               // SetScrollValue calls, whatever they changed
    struct Mark {
        Launcher::FocusItem Item = Launcher::FocusItem::None;
        int Slot = 0;
        bool operator==(const Mark&) const = default;
    };
    Mark FocusMark;                // as drawn now
    std::vector<Mark> FocusMarks;  // every ShowFocusMark

    // The user moves the scroll bar to value.
    void MoveScroll(std::int16_t value) {
        const auto clamped = std::clamp(value, ScrollMinimum, ScrollMaximum);
        if (clamped != ScrollValueNow) {
            ScrollValueNow = clamped;
            if (OnScrollChange) {
                OnScrollChange();
            }
        }
    }

    // Slot titles 1..20 in order; empty slots as "".
    std::vector<std::u16string> ToolTips() const {
        std::vector<std::u16string> tips;
        for (int slot = 1; slot <= 20; ++slot) {
            tips.push_back(Slots[static_cast<std::size_t>(slot)].ToolTip);
        }
        return tips;
    }

    bool LoadSlotPicture(int slot, const std::u16string& file) override {
        if (!LooksLikePicture(file)) {
            return false;
        }
        At(slot).Picture = file;
        return true;
    }
    // The icon the program carries, read by the core's reader as the Linux edition reads it.
    bool LoadSlotProgramIcon(int slot, const std::u16string& program) override {
        if (!Launcher::ExecutableIconOfFile(program, 48)) {
            return false;
        }
        At(slot).Picture = ProgramIconPicture + program;
        return true;
    }
    void ShowDefaultSlotPicture(int slot) override { At(slot).Picture = BuiltInPicture; }
    void ClearSlotPicture(int slot) override { At(slot).Picture.clear(); }
    void SetSlotToolTip(int slot, const std::u16string& text) override { At(slot).ToolTip = text; }

    void SetLoadingVisible(bool visible) override {
        LoadingVisible = visible;
        LoadingHistory.push_back(visible);
    }

    void SetScrollRange(std::int16_t minimum, std::int16_t maximum) override {
        ScrollMinimum = minimum;
        ScrollMaximum = maximum;
        MoveScroll(ScrollValueNow);
    }
    void SetScrollTabStop(bool tabStop) override { ScrollTabStop = tabStop; }
    std::int16_t ScrollValue() const override { return ScrollValueNow; }
    void SetScrollEnabled(bool enabled) override { ScrollEnabled = enabled; }
    void SetScrollValue(std::int16_t value) override {
        ++ScrollValueSets;
        MoveScroll(value);
    }
    void ShowFocusMark(Launcher::FocusItem item, int slot) override {
        FocusMark = {item, slot};
        FocusMarks.push_back(FocusMark);
    }
    void CollapseHScroll1() override { HScrollCollapsed = true; }
    void SetDriveCaption(const std::u16string& caption) override {
        DriveCaptions.push_back(caption);
    }

    double WindowLeft() const override { return Left; }
    double WindowTop() const override { return Top; }
    void SetWindowLeft(double twips) override {
        Left = twips;
        Moves.emplace_back(Left, Top);
    }
    void SetWindowTop(double twips) override {
        Top = twips;
        Moves.emplace_back(Left, Top);
    }

    void SetTimerInterval(int milliseconds) override { TimerInterval = milliseconds; }
    void DisableTimer() override { TimerEnabled = false; }
    void EndProgram() override { ++EndProgramCalls; }

  private:
    Slot& At(int slot) {
        if (slot < 1 || slot > 20) {
            throw std::out_of_range("slot " + std::to_string(slot));
        }
        return Slots[static_cast<std::size_t>(slot)];
    }

    static bool LooksLikePicture(const std::u16string& file) {
        std::ifstream in(TestSupport::PathOfText(file), std::ios::binary);
        std::string head(8, '\0');
        in.read(head.data(), static_cast<std::streamsize>(head.size()));
        head.resize(static_cast<std::size_t>(in.gcount()));
        const auto startsWith = [&head](std::string_view magic) {
            return head.compare(0, magic.size(), magic) == 0;
        };
        return startsWith("GIF87a") || startsWith("GIF89a") || startsWith("\x89PNG\r\n\x1a\n") ||
               startsWith("\xFF\xD8\xFF") || startsWith("BM");
    }
};

}  // namespace TestSupport
