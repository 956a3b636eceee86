#pragma once

// A note window for tests: holds what frmNote sets and records the order of the calls.

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "notes/NoteFile.h"
#include "notes/NoteView.h"
#include "notes/NoteWindowFactory.h"
#include "notes/RandomString.h"
#include "notes/frmNote.h"
#include "platform/Dialogs.h"
#include "shaping/Region.h"
#include "shaping/RegionBuilder.h"

namespace NotesTest {

class RecordingNoteView : public Notes::NoteView {
  public:
    std::u16string Text{Notes::InitialNoteText};
    double Left = 1200;
    double Top = 900;
    double Ppt = 1.0 / 15.0;
    std::optional<Shaping::Region> Shape;
    std::vector<std::string> Calls;  // "border", "shape", "text", "show", "close", "leave"

    std::u16string NoteText() const override { return Text; }
    void SetNoteText(std::u16string text) override {
        Calls.emplace_back("text");
        Text = text;
        given_ = text;
    }
    // Tests type by setting Text.
    bool TextEdited() const override { return Text != given_; }
    double WindowLeft() const override { return Left; }
    double WindowTop() const override { return Top; }
    void SetWindowLeft(double twips) override { Left = twips; }
    void SetWindowTop(double twips) override { Top = twips; }
    void SetBorderStyleNone() override { Calls.emplace_back("border"); }
    double PixelsPerTwip() const override { return Ppt; }
    Transparent::RegionApi& WindowRegionApi() override { return regions_; }
    void LeaveTextBox() override { Calls.emplace_back("leave"); }
    // The save timer: the interval it runs with, or nothing while it is stopped. Tests make it
    // run out by calling SaveTimer_Timer.
    std::optional<int> SaveTimer;
    void StartSaveTimer(int milliseconds) override { SaveTimer = milliseconds; }
    void StopSaveTimer() override { SaveTimer.reset(); }
    void ShowWindow() override { Calls.emplace_back("show"); }
    void CloseWindow() override { Calls.emplace_back("close"); }

    bool Closed() const { return std::find(Calls.begin(), Calls.end(), "close") != Calls.end(); }
    bool Shown() const { return std::find(Calls.begin(), Calls.end(), "show") != Calls.end(); }

  private:
    std::u16string given_{Notes::InitialNoteText};
    // Builds the regions as pixel sets and keeps the one that cut the window.
    class Regions : public Shaping::RegionBuilder {
      public:
        explicit Regions(RecordingNoteView& view) : view_(view) {}
        void SetWindowRgn(Transparent::RegionHandle region, bool redraw) override {
            RegionBuilder::SetWindowRgn(region, redraw);
            view_.Calls.emplace_back("shape");
            view_.Shape = WindowRegion();
        }

      private:
        RecordingNoteView& view_;
    };
    Regions regions_{*this};
};

// Draws given by the test, in order; running out is a test failure.
class ScriptedDraws : public Notes::RandomSource {
  public:
    ScriptedDraws(std::initializer_list<float> draws) : draws_(draws) {}
    void Add(std::initializer_list<float> draws) { draws_.insert(draws_.end(), draws); }
    float Draw() override {
        ++Taken;
        if (draws_.empty()) {
            ADD_FAILURE() << "more draws taken than scripted";
            return 0.0F;
        }
        const float r = draws_.front();
        draws_.pop_front();
        return r;
    }
    int Taken = 0;
    std::size_t Left() const { return draws_.size(); }

  private:
    std::deque<float> draws_;
};

// Makes note windows the way the front-end does, and keeps them for the test to look at.
class RecordingNoteWindowFactory : public Notes::NoteWindowFactory {
  public:
    struct Window {
        RecordingNoteView View;
        std::unique_ptr<Notes::frmNote> Note;
    };

    RecordingNoteWindowFactory(Platform::Dialogs& dialogs, std::u16string programFolder,
                               Notes::RandomSource& random)
        : dialogs_(dialogs), programFolder_(std::move(programFolder)), random_(random) {}

    Notes::frmNote& CreateNoteWindow() override {
        auto window = std::make_unique<Window>();
        window->Note =
            std::make_unique<Notes::frmNote>(window->View, dialogs_, programFolder_, random_);
        Windows.push_back(std::move(window));
        return *Windows.back()->Note;
    }

    std::vector<std::unique_ptr<Window>> Windows;

  private:
    Platform::Dialogs& dialogs_;
    std::u16string programFolder_;
    Notes::RandomSource& random_;
};

}  // namespace NotesTest
