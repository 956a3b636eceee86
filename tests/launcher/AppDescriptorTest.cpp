#include "launcher/AppDescriptor.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "platform/FileSystem.h"

using Launcher::AppRegistration;
using Launcher::ParseAppDescriptor;

namespace {

// A path written with '/', with the separator the system's paths are built with.
std::u16string Native(std::u16string path) {
    std::replace(path.begin(), path.end(), u'/', Platform::PathSeparator);
    return path;
}

const Launcher::DescriptorFolder Tool{Native(u"/media/usb/Tool"), u"Tool", Native(u"/media/usb")};

AppRegistration Listed(const std::u16string& icon, std::u16string title,
                       std::u16string executable) {
    return {Native(u"/media/usb/Tool/") + icon,
            std::move(title),
            Native(u"/media/usb/Tool"),
            std::move(executable),
            Native(u"/media/usb"),
            true};
}

}  // namespace

TEST(AppDescriptor, TextWithoutCommaIsOneApplicationWhateverItHolds) {
    const AppRegistration single{Native(u"/media/usb/Tool/appicon.gif"),
                                 u"Tool",
                                 Native(u"/media/usb/Tool"),
                                 Native(u"/media/usb/Tool/kivolaapp.ini"),
                                 Native(u"/media/usb"),
                                 false};
    // The executable text itself is read from the descriptor again when the slot is filled, so
    // the registration names the descriptor, whether it holds a name, "=" fields or nothing.
    for (const std::u16string text : {u"tool.exe", u"a.exe=a.gif=Alpha", u"", u"tool.exe\r\n"}) {
        EXPECT_THAT(ParseAppDescriptor(text, Tool), ::testing::ElementsAre(single));
    }
}

TEST(AppDescriptor, ListEntriesKeepTheirOrderAndEveryCharacter) {
    EXPECT_THAT(ParseAppDescriptor(u"a.exe,b.exe", Tool),
                ::testing::ElementsAre(Listed(u"appicon.gif", u"Tool", u"a.exe"),
                                       Listed(u"appicon.gif", u"Tool", u"b.exe")));
    // Empty entries are applications with an empty executable.
    EXPECT_THAT(ParseAppDescriptor(u"a.exe,", Tool),
                ::testing::ElementsAre(Listed(u"appicon.gif", u"Tool", u"a.exe"),
                                       Listed(u"appicon.gif", u"Tool", u"")));
    EXPECT_THAT(ParseAppDescriptor(u",,", Tool), ::testing::SizeIs(3));
    // A final line end stays with the last value: the title of a field entry, else the name.
    EXPECT_THAT(ParseAppDescriptor(u"c1.exe=c1.gif=First,c2.exe=c2.gif=Second\r\n", Tool),
                ::testing::ElementsAre(Listed(u"c1.gif", u"First", u"c1.exe"),
                                       Listed(u"c2.gif", u"Second\r\n", u"c2.exe")));
    EXPECT_THAT(ParseAppDescriptor(u"a.exe=a.gif=Alpha, b.exe\n", Tool),
                ::testing::ElementsAre(Listed(u"a.gif", u"Alpha", u"a.exe"),
                                       Listed(u"appicon.gif", u"Tool", u" b.exe\n")));
}

TEST(AppDescriptor, ShortOrLongFieldEntriesDoNotStopTheList) {
    EXPECT_THAT(ParseAppDescriptor(u"a.exe=a.gif,b.exe=,=,c.exe=c.gif=C=extra=more,d.exe", Tool),
                ::testing::ElementsAre(Listed(u"a.gif", u"", u"a.exe"), Listed(u"", u"", u"b.exe"),
                                       Listed(u"", u"", u""), Listed(u"c.gif", u"C", u"c.exe"),
                                       Listed(u"appicon.gif", u"Tool", u"d.exe")));
}
