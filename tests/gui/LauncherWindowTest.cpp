// The launcher window as the user meets it: start-up, paging, launching, adding, dragging.

#include <QBuffer>
#include <QColor>
#include <QImage>
#include <QLabel>
#include <QScrollBar>
#include <QTest>

#include <gmock/gmock.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <utility>
#include <vector>

#include "GuiFixture.h"
#include "launcher/Form1Layout.h"
#include "launcher/PictureLimit.h"

namespace {

using ::testing::Each;
using ::testing::IsEmpty;
using ::testing::Not;

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

TEST_F(LauncherWindowTest, StartsWithTheLoadingCaptionThenPagesThrough25Applications) {
    AddApplications(25);
    AddNote("Welcome", "Hello");
    Start();

    // The load step has run: notes are open and the drive line written, over an empty grid.
    auto* loading = Control<QLabel>(window.get(), "lblLoading");
    EXPECT_TRUE(loading->isVisible());
    EXPECT_EQ(loading->text(), QStringLiteral("Please wait, loading..."));
    EXPECT_EQ(Notes().size(), 1U);
    EXPECT_THAT(
        Control<QLabel>(window.get(), "Label1")->text().toStdString(),
        ::testing::MatchesRegex("Using [0-9]+[.,][0-9][0-9] MB of [0-9]+[.,][0-9][0-9] MB"));
    for (int slot = 1; slot <= 20; ++slot) {
        EXPECT_FALSE(SlotHasPicture(slot)) << slot;
    }

    WaitForGrid();
    const auto page1 = SlotTitles();
    EXPECT_THAT(page1, Each(Not(IsEmpty())));
    for (int slot = 1; slot <= 20; ++slot) {
        EXPECT_TRUE(SlotHasPicture(slot)) << slot;
    }
    EXPECT_TRUE(VScroll1()->isEnabled());
    EXPECT_EQ(Slot(1)->accessibleName().toStdString(), page1[0]);

    // A rescan keeps the event loop waiting: the caption must be painted during it.
    PaintCounter paints(loading);
    ClickScrollArrow(true);
    EXPECT_EQ(VScroll1()->value(), 2);
    EXPECT_GT(paints.Paints, 0);
    EXPECT_FALSE(loading->isVisible());
    const auto page2 = SlotTitles();
    std::set<std::string> all(page1.begin(), page1.end());
    for (int slot = 1; slot <= 20; ++slot) {
        EXPECT_EQ(SlotHasPicture(slot), slot <= 5) << slot;
        EXPECT_EQ(page2[slot - 1].empty(), slot > 5) << slot;
        all.insert(page2[slot - 1]);
    }
    all.erase("");
    EXPECT_EQ(all.size(), 25U);

    ClickScrollArrow(false);
    EXPECT_EQ(VScroll1()->value(), 1);
    EXPECT_EQ(SlotTitles(), page1);
}

TEST_F(LauncherWindowTest, PicturesClaimingMoreThanAnIconsSizeFallBackToTheDefaultIcon) {
    const auto png = [](int width, int height) {
        QImage image(width, height, QImage::Format_Mono);
        image.fill(0);
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
        return bytes.toStdString();
    };
    // 35 bytes: a 1 x 1 image on a 5000 x 5000 screen.
    const std::string liar(
        "GIF89a\x88\x13\x88\x13\x80\0\0\0\0\0\xFF\xFF\xFF\x2C\0\0\0\0\x01\0\x01\0\0\x02\x02"
        "\x44\x01\0\x3B",
        35);
    AddApplication("A Liar");
    drive.WriteFile("A Liar/appicon.gif", liar);
    AddApplication("B Giant");
    drive.WriteFile("B Giant/appicon.gif", png(5000, 5000));
    AddApplication("C Largest");
    drive.WriteFile("C Largest/appicon.gif",
                    png(Launcher::MaxPictureSide, Launcher::MaxPictureSide));
    Start();
    WaitForGrid();
    const auto titles = SlotTitles();
    const auto sizeOf = [&](const std::string& title) {
        const auto found = std::find(titles.begin(), titles.end(), title);
        EXPECT_NE(found, titles.end()) << title;
        const int slot = static_cast<int>(found - titles.begin()) + 1;
        return qobject_cast<QLabel*>(Slot(slot))->pixmap().size();
    };
    // The scanned folder's default icon takes their place; the application keeps its slot.
    EXPECT_EQ(sizeOf("A Liar"), QSize(48, 48));
    EXPECT_EQ(sizeOf("B Giant"), QSize(48, 48));
    EXPECT_EQ(sizeOf("C Largest"), QSize(1024, 1024));
}

TEST_F(LauncherWindowTest, TheLayoutCarriesItsCompiledInArtworkAndNames) {
    Start();
    EXPECT_EQ(window->size(), QSize(327, 439));
    EXPECT_TRUE(window->windowFlags().testFlag(Qt::FramelessWindowHint));
    const auto picture = [&](const char* name) {
        return Control<QLabel>(window.get(), name)->pixmap().size();
    };
    EXPECT_EQ(picture("Image2"), QSize(350, 440));
    EXPECT_EQ(picture("Image1"), QSize(18, 21));
    EXPECT_EQ(picture("imgAdd"), QSize(9, 9));
    EXPECT_EQ(Control<QWidget>(window.get(), "HScroll1")->size(), QSize(0, 0));

    const QCursor hand = Slot(1)->cursor();
    EXPECT_EQ(hand.shape(), Qt::BitmapCursor);
    EXPECT_EQ(hand.pixmap().size(), QSize(32, 32));
    EXPECT_EQ(hand.hotSpot(), QPoint(1, 1));
    EXPECT_EQ(Control<QWidget>(window.get(), "lblNewNote")->cursor().shape(), Qt::BitmapCursor);
    EXPECT_NE(Control<QWidget>(window.get(), "Image2")->cursor().shape(), Qt::BitmapCursor);

    for (const char* name : {"Image1", "imgAdd", "lblNewNote", "VScroll1"}) {
        EXPECT_FALSE(Control<QWidget>(window.get(), name)->accessibleName().isEmpty()) << name;
    }
}

TEST_F(LauncherWindowTest, ControlsSitWhereTheLayoutTableSaysInItsStackingOrder) {
    Start();
    namespace Layout = Launcher::Form1Layout;
    const auto pixels = [](const Layout::Place& place) {
        return QRect(qRound(place.Left / 15), qRound(place.Top / 15), qRound(place.Width / 15),
                     qRound(place.Height / 15));
    };
    const std::pair<const char*, Layout::Place> places[] = {
        {"Image2", Layout::Image2Place},         {"Label2", Layout::Label2Place},
        {"Label1", Layout::Label1Place},         {"imgAdd", Layout::imgAddPlace},
        {"Image1", Layout::Image1Place},         {"lblLoading", Layout::lblLoadingPlace},
        {"lblNewNote", Layout::lblNewNotePlace}, {"VScroll1", Layout::VScroll1Place},
        {"imgApp1", Layout::SlotPlace(1)},       {"imgApp20", Layout::SlotPlace(20)},
    };
    for (const auto& [name, place] : places) {
        EXPECT_EQ(Control<QWidget>(window.get(), name)->geometry(), pixels(place)) << name;
    }
    EXPECT_EQ(Slot(7)->geometry(), QRect(160, 128, 57, 57));  // third column, second row

    // Qt stacks siblings in the order they were made: the last lies on top.
    std::vector<QString> stacked;
    for (const QObject* child : window->children()) {
        if (child->isWidgetType() && !child->objectName().isEmpty()) {
            const QString name = child->objectName();
            const QString kind =
                name.startsWith(QStringLiteral("imgApp")) ? QStringLiteral("imgApp") : name;
            if (stacked.empty() || stacked.back() != kind) {
                stacked.push_back(kind);
            }
        }
    }
    EXPECT_EQ(stacked,
              (std::vector<QString>{"Image2", "Label2", "Label1", "imgApp", "imgAdd", "Image1",
                                    "lblLoading", "lblNewNote", "VScroll1", "HScroll1"}));
}

}  // namespace

namespace {

// The icon a Windows program carries, shown where the application has no picture file: the
// 48 pixel entry (blue) of the program the build makes with icons of 16, 32, 48 and 256.
TEST_F(LauncherWindowTest, AnApplicationWithoutAPictureShowsItsProgramsIcon) {
    const std::filesystem::path programs = KIVOLA_WINDOWS_PROGRAMS;
    if (programs.empty()) {
        GTEST_SKIP() << "no MinGW-w64 cross compiler to make a Windows program";
    }
    std::filesystem::remove(drive.Path() / "defaulticon.gif");  // which would come first
    drive.WriteFile("Tool/kivolaapp.ini", "Tool.exe");
    std::filesystem::copy_file(programs / "WithIcons.exe", drive.Path() / "Tool/Tool.exe");
    Start();
    WaitForGrid();
    const QImage shown = qobject_cast<QLabel*>(Slot(1))->pixmap().toImage();
    EXPECT_EQ(shown.size(), QSize(48, 48));
    EXPECT_EQ(shown.pixelColor(24, 24), QColor(0, 0, 255));
}

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
