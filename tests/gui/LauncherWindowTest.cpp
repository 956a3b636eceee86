// What only the Qt launcher window shows: its caption painted while a page is scanned, its
// compiled-in artwork and pointer, and Windows programs started through Wine.

#include <QLabel>
#include <QScrollBar>
#include <QTest>

#include <gmock/gmock.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "GuiFixture.h"

namespace {

using ::testing::IsEmpty;

class LauncherWindowTest : public GuiFixture {
  protected:
    void AddApplications(int count) {
        for (int i = 1; i <= count; ++i) {
            AddApplication("App " + std::string(i < 10 ? "0" : "") + std::to_string(i));
        }
    }
    QScrollBar* VScroll1() const { return Control<QScrollBar>(window.get(), "VScroll1"); }
    void ClickScrollArrow(bool down) const {
        QScrollBar* bar = VScroll1();
        QTest::mouseClick(bar, Qt::LeftButton, {},
                          QPoint(bar->width() / 2, down ? bar->height() - 4 : 4));
    }
};

// Counts the paint events a widget receives.
class PaintCounter : public QObject {
  public:
    explicit PaintCounter(QWidget* widget) { widget->installEventFilter(this); }
    int Paints = 0;

  protected:
    bool eventFilter(QObject* /*watched*/, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            ++Paints;
        }
        return false;
    }
};

TEST_F(LauncherWindowTest, TheLoadingCaptionIsPaintedWhileAPageIsScanned) {
    AddApplications(25);
    Start();
    WaitForGrid();
    // A rescan keeps the event loop waiting: the caption must be painted during it.
    auto* loading = Control<QLabel>(window.get(), "lblLoading");
    PaintCounter paints(loading);
    ClickScrollArrow(true);
    EXPECT_EQ(VScroll1()->value(), 2);
    EXPECT_GT(paints.Paints, 0);
    EXPECT_FALSE(loading->isVisible());
}

TEST_F(LauncherWindowTest, TheLayoutCarriesItsCompiledInArtwork) {
    Start();
    const auto picture = [&](const char* name) {
        return Control<QLabel>(window.get(), name)->pixmap().size();
    };
    EXPECT_EQ(picture("Image2"), QSize(350, 440));
    EXPECT_EQ(picture("Image1"), QSize(18, 21));
    EXPECT_EQ(picture("imgAdd"), QSize(9, 9));

    const QCursor hand = Slot(1)->cursor();
    EXPECT_EQ(hand.pixmap().size(), QSize(32, 32));
    EXPECT_EQ(hand.hotSpot(), QPoint(1, 1));
}

}  // namespace

namespace {

// A Windows program clicked in the launcher starts through Wine, in its folder, with its
// arguments: the program the build makes writes them into "marker" there.
TEST_F(LauncherWindowTest, AClickedWindowsProgramStartsThroughWine) {
    const std::filesystem::path programs = KIVOLA_WINDOWS_PROGRAMS;
    if (programs.empty()) {
        GTEST_SKIP() << "no MinGW-w64 cross compiler to make a Windows program";
    }
    if (std::system("command -v wine >/dev/null") != 0) {
        GTEST_SKIP() << "Wine is not installed";
    }
    // The test's own Wine prefix, made once by the build's helper, so that nothing of the test
    // lands in the user's ~/.wine. Wine reads these; the launcher sets nothing.
    const std::string prefix = KIVOLA_TEST_WINE_PREFIX;
    const std::string make = std::string(KIVOLA_SOURCE_ROOT) +
                             "/scripts/wine/run --prefix=" + prefix +
                             " cmd.exe /c exit 0 >/dev/null";
    ASSERT_EQ(std::system(make.c_str()), 0) << "could not make the Wine prefix " << prefix;
    qputenv("WINEPREFIX", QByteArray::fromStdString(prefix));
    qputenv("WINEDEBUG", "-all");

    drive.WriteFile("Tool/kivolaapp.ini", "Tool.exe one \"two words\"");
    std::filesystem::copy_file(programs / "WithIcons.exe", drive.Path() / "Tool/Tool.exe");
    Start();
    WaitForGrid();
    QTest::mouseClick(Slot(1), Qt::LeftButton);
    EXPECT_TRUE(WaitUntil([&] { return drive.Exists("Tool/marker"); }, 60000));
    qunsetenv("WINEPREFIX");
    qunsetenv("WINEDEBUG");
    EXPECT_THAT(dialogs.Messages, IsEmpty());
    // Written in text mode, as Windows ends lines.
    EXPECT_EQ(drive.ReadFile("Tool/marker"), "one\r\ntwo words\r\n");
}

}  // namespace
