// KIVOLA's start-up, stopped at the moment the user can use it: the first tick of Timer1 has
// scanned the drive and filled the grid. Built from the same library as the program, started
// the same way from the drive's root, so the runner times exactly what a user waits for.

#include <QApplication>
#include <QElapsedTimer>

#include <cstdio>

#include "platform/Drives.h"
#include "platform/FileSystem.h"
#include "platform/Memory.h"
#include "platform/Processes.h"
#include "ui/qt/LauncherWindow.h"
#include "ui/qt/QtDialogs.h"

int main(int argc, char* argv[]) {
    QElapsedTimer clock;
    clock.start();
    Platform::ReturnLargeBlocksAtOnce();
    QApplication application(argc, argv);
    QtUi::QtDialogs dialogs;
    const auto drives = Platform::SystemDrives();
    const auto processes = Platform::SystemProcesses();
    QtUi::LauncherWindow window(dialogs, *drives, *processes, Platform::ProgramFolder());
    const qint64 loaded = clock.elapsed();
    QObject::connect(&window, &QtUi::LauncherWindow::Timer1Ticked, &application, [&] {
        std::printf("load step done %lld ms, grid filled %lld ms after main(); %zu notes open\n",
                    static_cast<long long>(loaded), static_cast<long long>(clock.elapsed()),
                    window.Notes().OpenWindows().size());
        std::fflush(stdout);
        QCoreApplication::exit(0);
    });
    window.show();
    return QApplication::exec();
}
