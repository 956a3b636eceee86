// A large note as the user meets it: the real note window opening a note file of many
// megabytes (read, decoded, put into the text box and painted), one character typed at its
// end, and the save that the focus loss runs. Against the floor: the same file read and
// decoded, and the same bytes written to a file, done directly in the same run. Memory is the
// growth of the process's peak resident set over what it was before the window opened.
//
// Usage: kivola_large_note_bench [MEGABYTES=10] [ROUNDS=5]   (see bench/run-large-note.sh)

#include <QApplication>
#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QTextCursor>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <sys/resource.h>

#include "BenchFolders.h"
#include "Median.h"
#include "notes/frmNote.h"
#include "platform/FileSystem.h"
#include "platform/Memory.h"
#include "support/TextCodec.h"
#include "ui/qt/NoteWindow.h"
#include "ui/qt/QtDialogs.h"

namespace fs = std::filesystem;

namespace {

using Bench::Median;

double PeakMegabytes() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

// Lines of ASCII, as a long log or list pasted into a note would be.
std::string NoteBytes(std::size_t megabytes) {
    std::string bytes;
    bytes.reserve(megabytes * 1024 * 1024 + 128);
    for (std::size_t line = 0; bytes.size() < megabytes * 1024 * 1024; ++line) {
        bytes += "Line " + std::to_string(line) +
                 ": the quick brown fox jumps over the lazy dog, again and again.\r\n";
    }
    return bytes;
}

double Milliseconds(const QElapsedTimer& clock) {
    return static_cast<double>(clock.nsecsElapsed()) / 1e6;
}

}  // namespace

int main(int argc, char* argv[]) {
    Platform::ReturnLargeBlocksAtOnce();  // as the program does
    QApplication application(argc, argv);
    const std::size_t megabytes = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
    const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
    const fs::path drive = Bench::NewFolderIn(fs::temp_directory_path(), "kivola-large-note-");
    fs::create_directory(drive / "Notes");
    const fs::path note = drive / "Notes" / "Big.txt";
    const std::string bytes = NoteBytes(megabytes);
    std::ofstream(note, std::ios::binary) << bytes;

    QtUi::QtDialogs dialogs;
    std::vector<double> opens;
    std::vector<double> saves;
    std::vector<double> readFloors;
    std::vector<double> writeFloors;
    const double before = PeakMegabytes();
    for (int round = 0; round < rounds; ++round) {
        QElapsedTimer clock;
        clock.start();
        {
            QtUi::NoteWindow window(dialogs, drive.u16string());
            window.Form().SetNoteID(u"Big");
            window.Form().Show();
            window.repaint();
            opens.push_back(Milliseconds(clock));
            if (window.NoteText().size() != bytes.size()) {
                Bench::Fail(note, "the window does not hold the whole note");
            }

            auto* box = window.findChild<QPlainTextEdit*>(QStringLiteral("txtNote"));
            box->moveCursor(QTextCursor::End);
            box->insertPlainText(QStringLiteral("!"));
            clock.restart();
            window.Form().txtNote_LostFocus();
            saves.push_back(Milliseconds(clock));
            if (fs::file_size(note) != bytes.size() + 1) {
                Bench::Fail(note, "the save did not reach the file");
            }
        }
        std::ofstream(note, std::ios::binary | std::ios::trunc) << bytes;

        // The floor: the same file read and decoded, the same bytes written and flushed.
        clock.restart();
        const auto read = Platform::ReadWholeFile(note.u16string());
        const std::u16string text = read ? TextCodec::DecodeFileText(*read) : std::u16string();
        readFloors.push_back(Milliseconds(clock));
        if (text.size() != bytes.size()) {
            Bench::Fail(note, "the floor read fell short");
        }
        clock.restart();
        if (!Platform::WriteFileAtomically((drive / "floor.txt").u16string(), bytes).Ok) {
            Bench::Fail(drive, "the floor write failed");
        }
        writeFloors.push_back(Milliseconds(clock));
    }
    const double grown = PeakMegabytes() - before;
    fs::remove_all(drive);

    const double size = static_cast<double>(bytes.size()) / (1024.0 * 1024.0);
    std::printf("A note of %.1f MB, %d rounds\n", size, rounds);
    std::printf("%-36s %10s %10s %8s\n", "", "median ms", "floor ms", "ratio");
    std::printf("%-36s %10.1f %10.1f %8.2f\n", "open (read, show, paint)", Median(opens),
                Median(readFloors), Median(opens) / Median(readFloors));
    std::printf("%-36s %10.1f %10.1f %8.2f\n", "save after one typed character", Median(saves),
                Median(writeFloors), Median(saves) / Median(writeFloors));
    std::printf(
        "peak memory grew by %.1f MB, %.1f times the note (goal: open < 1000 ms, "
        "save < 200 ms, memory < 10 times)\n",
        grown, grown / size);
    return 0;
}
