// The icons of real Windows programs, made by the cross toolchain during the build
// (windows-programs/), as the Linux edition reads them.

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "launcher/ExecutableIcon.h"
#include "launcher/LauncherFixture.h"
#include "platform/FileReader.h"
#include "testsupport/TempFolder.h"

using TestSupport::TempFolder;
using TestSupport::Utf8;
namespace fs = std::filesystem;

namespace {

const fs::path Programs = KIVOLA_WINDOWS_PROGRAMS;

std::uint32_t Le(const std::string& bytes, std::size_t at, int size) {
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i) {
        value = (value << 8U) | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
    }
    return value;
}

void PutLe32(std::string& bytes, std::size_t at, std::uint32_t value) {
    for (std::size_t i = 0; i < 4; ++i) {
        bytes[at + i] = static_cast<char>((value >> (8 * i)) & 0xFFU);
    }
}

// Counts what is asked of the file, and whether anything beyond its end ever was.
class WatchedFile final : public Platform::FileReader {
  public:
    explicit WatchedFile(const fs::path& path)
        : file_(Platform::OpenFileReader(TestSupport::U(path.string()))) {}
    bool Opened() const { return file_ != nullptr; }
    std::uint64_t Size() const override { return file_->Size(); }
    std::optional<std::string> ReadAt(std::uint64_t offset, std::size_t length) override {
        ++Reads;
        Bytes += length;
        PastTheEnd = PastTheEnd || offset + length > Size();
        return file_->ReadAt(offset, length);
    }
    int Reads = 0;
    std::uint64_t Bytes = 0;
    bool PastTheEnd = false;

  private:
    std::unique_ptr<Platform::FileReader> file_;
};

// What a picture handed back shows: its side, its coding and the colour of a pixel (as
// 0xRRGGBB; PNG pixels are not decoded here).
struct Shown {
    int Side = 0;
    bool Png = false;
    std::uint32_t Colour = 0;
};

Shown Describe(const std::string& picture) {
    if (picture.rfind("\x89PNG", 0) == 0) {
        const auto side = (static_cast<unsigned char>(picture[18]) << 8U) |
                          static_cast<unsigned char>(picture[19]);
        return {static_cast<int>(side), true, 0};
    }
    // A one-entry .ico: its directory, then the bitmap with 32-bit pixels in BGRA order.
    EXPECT_EQ(picture.substr(0, 6), std::string("\0\0\1\0\1\0", 6));
    EXPECT_EQ(Le(picture, 18, 4), 22U);
    EXPECT_EQ(Le(picture, 14, 4), picture.size() - 22);
    const auto side = static_cast<int>(Le(picture, 22 + 4, 4));
    EXPECT_EQ(Le(picture, 22 + 8, 4), static_cast<std::uint32_t>(2 * side));
    EXPECT_EQ(static_cast<unsigned char>(picture[6]), side);
    return {side, false, Le(picture, 22 + 40, 3)};
}

class ExecutableIcon : public ::testing::Test {
  protected:
    void SetUp() override {
        if (Programs.empty()) {
            GTEST_SKIP() << "no MinGW-w64 cross compiler or ImageMagick to make Windows programs";
        }
    }

    // A copy of a built program, changed by edit, in the temporary folder.
    fs::path Copy(const std::string& name, const std::function<void(std::string&)>& edit) const {
        std::ifstream in(Programs / "WithIcons.exe", std::ios::binary);
        std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        edit(bytes);
        return drive_.WriteFile(name, bytes);
    }

    // Where the resource section's entry in the section table is.
    static std::size_t ResourceSectionEntry(const std::string& bytes) {
        const std::size_t pe = Le(bytes, 0x3C, 4);
        const std::size_t table = pe + 24 + Le(bytes, pe + 20, 2);
        for (std::size_t i = 0; i < Le(bytes, pe + 6, 2); ++i) {
            if (bytes.compare(table + i * 40, 6, ".rsrc\0", 6) == 0) {
                return table + i * 40;
            }
        }
        ADD_FAILURE() << "the program has no resource section";
        return 0;
    }

    TempFolder drive_;
};

TEST_F(ExecutableIcon, TheFirstGroupsEntryNearestTheWantedSize) {
    const fs::path program = Programs / "WithIcons.exe";
    struct Case {
        int Wanted;
        int Side;
        bool Png;
        std::uint32_t Colour;
    };
    // The second group's 40 pixel entry is never taken for the program's icon.
    for (const Case& c :
         {Case{8, 16, false, 0xFF0000}, Case{16, 16, false, 0xFF0000},
          Case{40, 32, false, 0x00FF00}, Case{57, 48, false, 0x0000FF},
          Case{255, 48, false, 0x0000FF}, Case{256, 256, true, 0}, Case{1000, 256, true, 0}}) {
        WatchedFile file(program);
        ASSERT_TRUE(file.Opened());
        const auto picture = Launcher::ExecutableIcon(file, c.Wanted);
        ASSERT_TRUE(picture) << c.Wanted;
        const Shown shown = Describe(*picture);
        EXPECT_EQ(shown.Side, c.Side) << c.Wanted;
        EXPECT_EQ(shown.Png, c.Png) << c.Wanted;
        EXPECT_EQ(shown.Colour, c.Colour) << c.Wanted;
    }

    // A program of 2 GB (its overlay sparse) costs the same few small reads.
    const fs::path large = Copy("Large.exe", [](std::string&) {});
    fs::resize_file(large, std::uint64_t{2} << 30U);
    WatchedFile file(large);
    const auto picture = Launcher::ExecutableIcon(file, 48);
    ASSERT_TRUE(picture);
    EXPECT_EQ(Describe(*picture).Side, 48);
    EXPECT_LE(file.Reads, 8);
    EXPECT_LE(file.Bytes, picture->size() + 16 * 1024);
}

TEST_F(ExecutableIcon, NothingFromAProgramWithoutIconsOrFromWhatIsNoProgram) {
    EXPECT_FALSE(
        Launcher::ExecutableIconOfFile(TestSupport::U((Programs / "NoIcon.exe").string()), 32));
    drive_.WriteFile("script.bat", "@echo off\r\n");
    drive_.WriteFile("empty.exe", "");
    drive_.WriteFile("mz.exe", "MZ");
    drive_.MakeFolder("folder.exe");
    for (const char* name : {"script.bat", "empty.exe", "mz.exe", "folder.exe", "missing.exe"}) {
        EXPECT_FALSE(Launcher::ExecutableIconOfFile(drive_.Text(name), 32)) << name;
    }
}

TEST_F(ExecutableIcon, RefusesCutAndForgedProgramsWithoutReadingPastTheFile) {
    std::vector<fs::path> broken;
    const auto size = fs::file_size(Programs / "WithIcons.exe");
    // Cut in the headers, in the section table, in the resource tree and in the last icon.
    for (const std::size_t keep :
         {std::size_t{0x3E}, std::size_t{0x100}, std::size_t{0x200},
          static_cast<std::size_t>(size / 2), static_cast<std::size_t>(size - 1)}) {
        broken.push_back(Copy("cut-" + std::to_string(keep) + ".exe",
                              [&](std::string& bytes) { bytes.resize(keep); }));
    }
    // The resource section placed beyond the end of the file.
    broken.push_back(Copy("outside.exe", [&](std::string& bytes) {
        PutLe32(bytes, ResourceSectionEntry(bytes) + 20,
                static_cast<std::uint32_t>(bytes.size() + 4096));
    }));
    // The section longer than the file.
    broken.push_back(Copy("long.exe", [&](std::string& bytes) {
        PutLe32(bytes, ResourceSectionEntry(bytes) + 16, 0x7FFFFFF0U);
    }));
    // The icon group's directory leading back to the root of the tree: a loop.
    broken.push_back(Copy("loop.exe", [&](std::string& bytes) {
        const std::size_t root = Le(bytes, ResourceSectionEntry(bytes) + 20, 4);
        const std::size_t ids = Le(bytes, root + 14, 2);
        const std::size_t first = root + 16 + 8 * Le(bytes, root + 12, 2);
        for (std::size_t i = 0; i < ids; ++i) {
            if (Le(bytes, first + 8 * i, 4) == 14) {
                PutLe32(bytes, first + 8 * i + 4, 0x80000000U);
            }
        }
    }));
    for (const auto& path : broken) {
        WatchedFile file(path);
        ASSERT_TRUE(file.Opened());
        EXPECT_FALSE(Launcher::ExecutableIcon(file, 48)) << path.filename();
        EXPECT_FALSE(file.PastTheEnd) << path.filename();
    }
}

}  // namespace

// Where the slot's picture comes from: the application's icon file, then the default icon,
// then what its program carries, then our own.
TEST_F(ExecutableIcon, ASlotShowsItsProgramsIconWhereNoPictureFileCanBeShown) {
    TestSupport::LauncherOnDrive launcher;
    const auto copy = [&](const char* built, const std::string& to) {
        fs::copy_file(Programs / built, launcher.Drive.Path() / to);
    };
    launcher.App("A Own", "Tool.exe");  // with its appicon.gif
    copy("WithIcons.exe", "A Own/Tool.exe");
    launcher.App("B Carried", "Tool.exe -x", false);
    copy("WithIcons.exe", "B Carried/Tool.exe");
    launcher.App("C None", "Tool.exe", false);
    copy("NoIcon.exe", "C None/Tool.exe");
    launcher.App("D List", "a.exe=missing.gif=First,../B Carried/Tool.exe=missing.gif=Outside",
                 false);
    copy("WithIcons.exe", "D List/a.exe");
    launcher.Start();

    std::map<std::u16string, std::u16string> shown;
    for (int slot = 1; slot <= 5; ++slot) {
        const auto& seen = launcher.View.Slots[static_cast<std::size_t>(slot)];
        shown[seen.ToolTip] = seen.Picture;
    }
    const std::u16string carried = TestSupport::RecordingLauncherView::ProgramIconPicture;
    const std::u16string builtIn = TestSupport::RecordingLauncherView::BuiltInPicture;
    EXPECT_EQ(Utf8(shown[u"A Own"]), Utf8(launcher.Drive.Text("A Own/appicon.gif")));
    EXPECT_EQ(Utf8(shown[u"B Carried"]), Utf8(carried + launcher.Drive.Text("B Carried/Tool.exe")));
    EXPECT_EQ(Utf8(shown[u"C None"]), Utf8(builtIn));
    EXPECT_EQ(Utf8(shown[u"First"]), Utf8(carried + launcher.Drive.Text("D List/a.exe")));
    // A program outside its application folder lends it no icon, as it would not be started.
    EXPECT_EQ(Utf8(shown[u"Outside"]), Utf8(builtIn));

    // A default icon on the drive comes before the program's own.
    launcher.Drive.WriteFile("defaulticon.gif", TestSupport::GifBytes);
    launcher.Form->ScanApplications();
    for (int slot = 1; slot <= 5; ++slot) {
        const auto& seen = launcher.View.Slots[static_cast<std::size_t>(slot)];
        if (seen.ToolTip == u"B Carried") {
            EXPECT_EQ(Utf8(seen.Picture), Utf8(launcher.Drive.Text("defaulticon.gif")));
        }
    }
}
