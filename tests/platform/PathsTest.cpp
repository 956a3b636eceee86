#include <gtest/gtest.h>

#include <string>

#include "platform/Paths.h"

using namespace Platform;

namespace {
constexpr PathStyle Win = PathStyle::Windows;
constexpr PathStyle Posix = PathStyle::Posix;
}  // namespace

TEST(Paths, WindowsRootsAreKeptWhole) {
    EXPECT_EQ(RootLength(u"E:\\Tools", Win), 3U);
    EXPECT_EQ(RootLength(u"E:/Tools", Win), 3U);
    EXPECT_EQ(RootLength(u"E:", Win), 2U);  // drive-relative, not a root folder
    EXPECT_EQ(RootLength(u"\\\\server\\share\\x", Win), 15U);
    EXPECT_EQ(RootLength(u"\\\\server\\share", Win), 14U);
    EXPECT_EQ(RootLength(u"\\\\?\\E:\\x", Win), 7U);
    EXPECT_EQ(RootLength(u"\\\\?\\UNC\\srv\\sh\\x", Win), 15U);
    EXPECT_EQ(RootLength(u"\\\\.\\COM1", Win), 8U);
    EXPECT_EQ(RootLength(u"\\Tools", Win), 1U);
    EXPECT_EQ(RootLength(u"Tools\\x", Win), 0U);
    EXPECT_EQ(RootLength(u"", Win), 0U);
    EXPECT_TRUE(IsRootPath(u"E:\\", Win));
    EXPECT_TRUE(IsRootPath(u"\\\\server\\share\\", Win));
    EXPECT_FALSE(IsRootPath(u"E:\\Tools", Win));
    EXPECT_FALSE(IsRootPath(u"", Win));
}

TEST(Paths, PosixHasOneRootAndOneSeparator) {
    EXPECT_EQ(RootLength(u"/media/stick", Posix), 1U);
    EXPECT_EQ(RootLength(u"media", Posix), 0U);
    EXPECT_EQ(RootLength(u"E:\\Tools", Posix), 0U);
    EXPECT_TRUE(IsPathSeparator(u'/', Posix));
    EXPECT_FALSE(IsPathSeparator(u'\\', Posix));
    EXPECT_TRUE(IsPathSeparator(u'\\', Win));
    EXPECT_TRUE(IsPathSeparator(u'/', Win));
    EXPECT_TRUE(IsRootPath(u"/", Posix));
}

TEST(Paths, TrailingSeparatorsNeverCutIntoARoot) {
    EXPECT_EQ(WithTrailingSeparator(u"E:\\Tools", Win), u"E:\\Tools\\");
    EXPECT_EQ(WithTrailingSeparator(u"E:\\", Win), u"E:\\");
    EXPECT_EQ(WithTrailingSeparator(u"E:/Tools/", Win), u"E:/Tools/");
    EXPECT_EQ(WithTrailingSeparator(u"/media", Posix), u"/media/");
    EXPECT_EQ(WithTrailingSeparator(u"/", Posix), u"/");
    EXPECT_EQ(WithTrailingSeparator(u"", Posix), u"");

    EXPECT_EQ(WithoutTrailingSeparators(u"E:\\Tools\\\\", Win), u"E:\\Tools");
    EXPECT_EQ(WithoutTrailingSeparators(u"E:\\", Win), u"E:\\");
    EXPECT_EQ(WithoutTrailingSeparators(u"\\\\srv\\share\\", Win), u"\\\\srv\\share\\");
    EXPECT_EQ(WithoutTrailingSeparators(u"//", Posix), u"/");
    EXPECT_EQ(WithoutTrailingSeparators(u"/media/stick/", Posix), u"/media/stick");
    // A backslash is a name character on POSIX.
    EXPECT_EQ(WithoutTrailingSeparators(u"/media/odd\\", Posix), u"/media/odd\\");
}

TEST(Paths, FolderAndNameOfAPath) {
    EXPECT_EQ(FolderOfPath(u"E:\\Apps\\Tool\\tool.exe", Win), u"E:\\Apps\\Tool");
    EXPECT_EQ(FolderOfPath(u"E:\\tool.exe", Win), u"E:\\");
    EXPECT_EQ(FolderOfPath(u"E:/Apps/tool.exe", Win), u"E:/Apps");
    EXPECT_EQ(FolderOfPath(u"E:\\Apps\\\\tool.exe", Win), u"E:\\Apps");
    EXPECT_EQ(FolderOfPath(u"E:tool.exe", Win), u"E:");
    EXPECT_EQ(FolderOfPath(u"\\\\srv\\share\\tool.exe", Win), u"\\\\srv\\share\\");
    EXPECT_EQ(FolderOfPath(u"tool.exe", Win), u"");
    EXPECT_EQ(FolderOfPath(u"/run", Posix), u"/");
    EXPECT_EQ(FolderOfPath(u"/d/a b/c d.sh", Posix), u"/d/a b");
    EXPECT_EQ(FolderOfPath(u"/", Posix), u"/");

    EXPECT_EQ(NameOfPath(u"E:\\Apps\\tool.exe", Win), u"tool.exe");
    EXPECT_EQ(NameOfPath(u"E:tool.exe", Win), u"tool.exe");
    EXPECT_EQ(NameOfPath(u"E:\\", Win), u"");
    EXPECT_EQ(NameOfPath(u"E:\\Apps\\", Win), u"");
    EXPECT_EQ(NameOfPath(u"/media/a\\b", Posix), u"a\\b");
    EXPECT_EQ(NameOfPath(u"plain", Posix), u"plain");
}

TEST(Paths, ChildPathAddsNoSecondSeparatorAfterARoot) {
    EXPECT_EQ(ChildPath(u"E:\\", u"Apps", Win), u"E:\\Apps");
    EXPECT_EQ(ChildPath(u"E:\\Apps", u"Tool", Win), u"E:\\Apps\\Tool");
    EXPECT_EQ(ChildPath(u"E:", u"Apps", Win), u"E:\\Apps");
    EXPECT_EQ(ChildPath(u"/", u"media", Posix), u"/media");
    EXPECT_EQ(ChildPath(u"/media", u"stick", Posix), u"/media/stick");
}

TEST(Paths, DeviceNamesInEveryDisguise) {
    for (const auto* name : {u"CON", u"con", u"NUL.txt", u"nul.tar.gz", u"COM1", u"lpt9.log",
                             u"AUX ", u"PRN.", u"CONIN$", u"conout$.txt"}) {
        EXPECT_TRUE(IsDeviceName(name)) << static_cast<int>(name[0]);
    }
    for (const auto* name :
         {u"CONSOLE", u"COM0", u"COM10", u"LPT", u"xNUL", u"NUL_x", u"", u"k407-3E529-8812x"}) {
        EXPECT_FALSE(IsDeviceName(name));
    }
}
