#pragma once

// Doubles and a drive builder shared by the launcher tests.

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "launcher/Form1.h"
#include "launcher/RecordingLauncherView.h"
#include "platform/Drives.h"
#include "platform/Processes.h"
#include "testsupport/ScriptedDialogs.h"
#include "testsupport/TempFolder.h"

namespace TestSupport {

inline constexpr std::string_view GifBytes = "GIF89a\x01\x00\x01\x00\x00\x00\x00;";

// A drive list given by the test; records which drives were asked more than their key.
class FakeDrives : public Platform::Drives {
  public:
    struct Drive {
        std::u16string Key;
        std::int32_t Type = Platform::DriveTypeRemovable;
        bool Ready = true;
        std::optional<Platform::DriveSizes> Sizes;
    };
    std::vector<Drive> List;
    std::u16string PathKey;  // what KeyOfPath answers
    std::vector<std::u16string> Queried;

    std::vector<std::u16string> DriveKeys() override {
        std::vector<std::u16string> keys;
        for (const auto& drive : List) {
            keys.push_back(drive.Key);
        }
        return keys;
    }
    std::u16string KeyOfPath(const std::u16string& /*path*/) override { return PathKey; }
    std::int32_t DriveType(const std::u16string& key) override { return Find(key).Type; }
    bool IsReady(const std::u16string& key) override { return Find(key).Ready; }
    std::optional<Platform::DriveSizes> SizesOf(const std::u16string& key) override {
        return Find(key).Sizes;
    }

  private:
    const Drive& Find(const std::u16string& key) {
        Queried.push_back(key);
        for (const auto& drive : List) {
            if (drive.Key == key) {
                return drive;
            }
        }
        throw std::logic_error("asked about a drive that is not listed");
    }
};

// Records the programs Form1 asks to start without starting them.
class RecordingProcesses : public Platform::Processes {
  public:
    struct Started {
        std::u16string Program;
        std::u16string ArgumentText;
        std::u16string WorkingFolder;
    };
    std::vector<Started> Starts;
    Platform::IoStatus Result;

    Platform::IoStatus Start(const std::u16string& program, const std::u16string& argumentText,
                             const std::u16string& workingFolder) override {
        Starts.push_back({program, argumentText, workingFolder});
        return Result;
    }
};

// A launcher on a temporary drive: the program folder is the drive's root folder unless told
// otherwise, and the scan runs in whatever current folder the test sets.
struct LauncherOnDrive {
    TempFolder Drive;
    RecordingLauncherView View;
    ScriptedDialogs Dialogs;
    FakeDrives Drives;
    RecordingProcesses Processes;
    std::unique_ptr<Launcher::Form1> Form;
    // The scan reads the current folder whenever it runs, so the launcher stays "started" in
    // its folder until it goes.
    std::optional<ScopedCurrentFolder> Here;

    explicit LauncherOnDrive(Platform::Processes* processes = nullptr,
                             std::string_view programFolder = {}) {
        Form = std::make_unique<Launcher::Form1>(View, Dialogs, Drives,
                                                 processes != nullptr ? *processes : Processes,
                                                 Drive.Text(programFolder));
        View.OnScrollChange = [this] { Form->VScroll1_Change(); };
    }

    // An application folder (relative to the drive) with a descriptor and, optionally, an icon.
    void App(std::string_view folder, std::string_view descriptor, bool icon = true) const {
        Drive.WriteFile(std::string(folder) + "/kivolaapp.ini", descriptor);
        if (icon) {
            Drive.WriteFile(std::string(folder) + "/appicon.gif", GifBytes);
        }
    }

    // count single-application folders named App000, App001, ... titled by their names.
    void Apps(int count) const {
        for (int i = 0; i < count; ++i) {
            char name[16];
            std::snprintf(name, sizeof name, "App%03d", i);
            App(name, "run.sh");
        }
    }

    // Form_Load and the first tick, run in the drive's root (or the given folder), which stays
    // the current folder.
    void Start(std::string_view currentFolder = {}) {
        Here.reset();
        Here.emplace(Drive.Path() / currentFolder);
        Form->Form_Load();
        Form->Timer1_Timer();
    }
};

}  // namespace TestSupport
