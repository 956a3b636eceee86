#include "ui/qt/ProgramInMemory.h"

#include <utility>

#include "platform/ResidentProgram.h"

namespace QtUi {

namespace {

// How often the program looks for what it loaded from the drive since the last round: a
// look is a read of its own list of mappings, about 0.6 ms (bench/platform).
constexpr int kRoundMilliseconds = 5000;

}  // namespace

ProgramInMemory::ProgramInMemory(std::u16string folder) : folder_(std::move(folder)) {
    rounds_.setInterval(kRoundMilliseconds);
    connect(&rounds_, &QTimer::timeout, this, &ProgramInMemory::Hold);
}

void ProgramInMemory::StartAfter(int milliseconds) {
    QTimer::singleShot(milliseconds, this, &ProgramInMemory::ReadAhead);
}

void ProgramInMemory::ReadAhead() {
    // The slow part, reading the files, on a thread of its own; the copying, quick once the
    // files are in memory, where libraries are loaded.
    reader_ = std::jthread([this](const std::stop_token& stop) {
        Platform::ReadMappedFilesAhead(folder_, stop);
        if (stop.stop_requested()) {
            return;
        }
        QMetaObject::invokeMethod(this, &ProgramInMemory::Hold, Qt::QueuedConnection);
    });
}

void ProgramInMemory::Hold() {
    Platform::HoldInMemory(folder_);
    if (!rounds_.isActive()) {
        rounds_.start();
    }
}

}  // namespace QtUi
