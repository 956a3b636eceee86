// KIVOLA starts by making its launcher window; everything else follows from that window's
// load step and events. The program takes no command line of its own.

#include <QApplication>

#include "platform/Drives.h"
#include "platform/FileSystem.h"
#include "platform/Memory.h"
#include "platform/Processes.h"
#include "ui/qt/LauncherWindow.h"
#include "ui/qt/ProgramInMemory.h"
#include "ui/qt/QtDialogs.h"
#include "ui/qt/QuitOnSignal.h"

int main(int argc, char* argv[]) {
    Platform::ReturnLargeBlocksAtOnce();
    QApplication application(argc, argv);
    QtUi::QuitOnSignal quitOnSignal;
    QtUi::QtDialogs dialogs;
    const auto drives = Platform::SystemDrives();
    const auto processes = Platform::SystemProcesses();
    const std::u16string programFolder = Platform::ProgramFolder();
    QtUi::LauncherWindow window(dialogs, *drives, *processes, programFolder);
    quitOnSignal.SetStop([&window] { window.EndForSession(); });
    window.show();
    // The drive may be pulled while the program runs; after the start-up has had the drive to
    // itself, nothing of the program is left to be read from there.
    QtUi::ProgramInMemory inMemory(programFolder);
    constexpr int kAfterStartUpMilliseconds = 500;
    inMemory.StartAfter(kAfterStartUpMilliseconds);
    return QApplication::exec();
}
