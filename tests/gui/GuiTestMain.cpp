// The GUI tests need one QApplication for the whole run, made before any test.

#include <QApplication>

#include <gtest/gtest.h>

// Qt keeps allocations for the life of the process; LeakSanitizer would call them leaks, also
// when the binary runs at build time to list its tests.
// NOLINTNEXTLINE(bugprone-reserved-identifier): the name AddressSanitizer looks for
extern "C" const char* __asan_default_options() {
    return "detect_leaks=0";
}

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
