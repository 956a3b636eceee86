// A page change as the user makes it: the real launcher window on a drive of 100 applications
// with real GIF icons, the scroll bar moved through all five pages and back, each change timed
// until the new page is painted (full rescan, 20 icons decoded, painted). Against the floor: the
// same listing, descriptor reads and icon decodes done directly, in the same run. Given a
// Windows program, the same again on a drive of 100 copies of it without picture files, whose
// icons come from the programs, against today's page change with GIF icons.
//
// Usage: kivola_page_flip_bench ICON-FOLDER [ROUNDS=20 [PROGRAM.exe]]
//        (see bench/run-page-flip.sh)

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPixmap>
#include <QScrollBar>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "BenchFolders.h"
#include "launcher/ExecutableIcon.h"
#include "launcher/Form1.h"
#include "launcher/Form1Layout.h"
#include "platform/Drives.h"
#include "platform/FileSystem.h"
#include "platform/Processes.h"
#include "ui/qt/LauncherWindow.h"
#include "ui/qt/QtDialogs.h"

namespace fs = std::filesystem;

namespace {

constexpr int Applications = 100;

struct Figures {
    double Median = 0;
    double Worst = 0;
};

Figures Summary(std::vector<double> times) {
    std::sort(times.begin(), times.end());
    return {times[times.size() / 2], times.back()};
}

void WriteFile(const fs::path& path, const char* content) {
    QFile file(QString::fromStdString(path.string()));
    if (!file.open(QIODevice::WriteOnly) || file.write(content) < 0) {
        Bench::Fail(path, "cannot write it");
    }
}

// The drive of program icons: one folder per application with its descriptor and a copy of
// the Windows program, and no picture file.
void MakeProgramDrive(const fs::path& drive, const fs::path& program) {
    for (int i = 0; i < Applications; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "App %03d", i);
        const fs::path folder = drive / name;
        fs::create_directory(folder);
        WriteFile(folder / "kivolaapp.ini", "Tool.exe\r\n");
        fs::copy_file(program, folder / "Tool.exe");
    }
}

// The drive: one folder per application with its descriptor, program and icon.
void MakeDrive(const fs::path& drive, const fs::path& icons) {
    std::vector<fs::path> gifs;
    for (const auto& entry : fs::directory_iterator(icons)) {
        if (entry.path().extension() == ".gif") {
            gifs.push_back(entry.path());
        }
    }
    std::sort(gifs.begin(), gifs.end());
    if (gifs.empty()) {
        Bench::Fail(icons, "no GIF icons there");
    }
    for (int i = 0; i < Applications; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "App %03d", i);
        const fs::path folder = drive / name;
        fs::create_directory(folder);
        WriteFile(folder / "kivolaapp.ini", "run.sh\r\n");
        WriteFile(folder / "run.sh", "#!/bin/sh\n");
        fs::copy_file(gifs[static_cast<std::size_t>(i) % gifs.size()], folder / "appicon.gif");
    }
}

// The floor of one page change: list the drive, read every descriptor, read and decode the
// icons of one page (from the programs, with the same reader, when they come from them).
double FloorFlip(const fs::path& drive, int page, bool programIcons) {
    QElapsedTimer clock;
    clock.start();
    const QStringList folders =
        QDir(QString::fromStdString(drive.string())).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    int index = 0;
    for (const QString& folder : folders) {
        const std::u16string path = Platform::InFolder(
            Platform::InFolder(drive.u16string(), folder.toStdU16String()), u"kivolaapp.ini");
        if (!Platform::ReadWholeFile(path)) {
            continue;
        }
        ++index;
        if (index > (page - 1) * 20 && index <= page * 20) {
            const std::u16string app =
                Platform::InFolder(drive.u16string(), folder.toStdU16String());
            const auto bytes =
                programIcons
                    ? Launcher::ExecutableIconOfFile(Platform::InFolder(app, u"Tool.exe"),
                                                     Launcher::Form1Layout::ProgramIconPixels)
                    : Platform::ReadWholeFile(Platform::InFolder(app, u"appicon.gif"));
            QPixmap icon;
            if (!bytes || !icon.loadFromData(reinterpret_cast<const uchar*>(bytes->data()),
                                             static_cast<uint>(bytes->size()))) {
                Bench::Fail(drive, "an icon did not decode");
            }
        }
    }
    return static_cast<double>(clock.nsecsElapsed()) / 1e6;
}

struct Measured {
    Figures Flip;
    Figures Floor;
    std::size_t Changes = 0;
};

// Pages 1 -> 5 and back, rounds times, in the real window on drive.
Measured Measure(const fs::path& drive, int rounds, bool programIcons) {
    fs::current_path(drive);
    QtUi::QtDialogs dialogs;
    const auto drives = Platform::SystemDrives();
    const auto processes = Platform::SystemProcesses();
    QtUi::LauncherWindow window(dialogs, *drives, *processes, drive.u16string());
    bool ready = false;
    QObject::connect(&window, &QtUi::LauncherWindow::Timer1Ticked, [&] { ready = true; });
    window.show();
    while (!ready) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    auto* bar = window.findChild<QScrollBar*>(QStringLiteral("VScroll1"));
    if (bar == nullptr || !bar->isEnabled()) {
        Bench::Fail(drive, "the scroll bar is missing or disabled");
    }

    // 1 -> 5 and back to 1: eight changes a round.
    const std::vector<int> pages{2, 3, 4, 5, 4, 3, 2, 1};
    std::vector<double> flips;
    std::vector<double> floors;
    for (int round = 0; round < rounds; ++round) {
        for (const int page : pages) {
            QElapsedTimer clock;
            clock.start();
            bar->setValue(page);  // the page change runs in here
            window.repaint();     // and the new page reaches the window's pixels
            flips.push_back(static_cast<double>(clock.nsecsElapsed()) / 1e6);
            if (window.Form().PageStart() != (page - 1) * 20 + 1) {
                Bench::Fail(drive, "the page did not change");
            }
            floors.push_back(FloorFlip(drive, page, programIcons));
        }
    }
    fs::current_path(fs::temp_directory_path());
    return {Summary(flips), Summary(floors), flips.size()};
}

void Report(const char* what, const Measured& measured) {
    std::printf("%zu page changes, 100 applications with %s\n", measured.Changes, what);
    std::printf("%-34s %10s %10s\n", "", "median ms", "worst ms");
    std::printf("%-34s %10.2f %10.2f\n", "page change, painted", measured.Flip.Median,
                measured.Flip.Worst);
    std::printf("%-34s %10.2f %10.2f\n", "floor: list, read, decode", measured.Floor.Median,
                measured.Floor.Worst);
    std::printf("ratio %.2fx (median; goal: a page change under 16 ms)\n",
                measured.Flip.Median / measured.Floor.Median);
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s ICON-FOLDER [ROUNDS [PROGRAM.exe]]\n", argv[0]);
        return 2;
    }
    const fs::path icons = argv[1];
    const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 20;
    const fs::path drive = Bench::NewFolderIn(fs::temp_directory_path(), "kivola-page-flip-");
    MakeDrive(drive, icons);
    const Measured gifs = Measure(drive, rounds, false);
    fs::remove_all(drive);
    Report("GIF icons", gifs);
    if (argc > 3) {
        const fs::path programDrive =
            Bench::NewFolderIn(fs::temp_directory_path(), "kivola-page-flip-programs-");
        MakeProgramDrive(programDrive, argv[3]);
        const Measured programs = Measure(programDrive, rounds, true);
        fs::remove_all(programDrive);
        Report("icons from their Windows programs", programs);
        std::printf("program icons against GIF icons: %.2fx (median page change)\n",
                    programs.Flip.Median / gifs.Flip.Median);
    }
    return 0;
}
