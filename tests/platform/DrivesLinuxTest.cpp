#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "platform/Drives.h"
#include "platform/FileSystem.h"
#include "platform/posix/MountInfo.h"

using Platform::Posix::MountPointOf;
using Platform::Posix::ParseMountInfo;

TEST(MountInfo, ReadsMountPointsAndPicksTheLongestThatHoldsAPath) {
    const auto mounts = ParseMountInfo(
        "22 1 259:2 / / rw,relatime shared:1 - ext4 /dev/nvme0n1p2 rw\n"
        "35 22 8:17 / /media/usb rw,nosuid master:3 shared:9 - vfat /dev/sdb1 rw\n"
        "36 22 8:33 / /media/usb\\040stick rw - exfat /dev/sdc1 rw\n"
        "37 22 0:45 / /media/us rw - tmpfs tmpfs rw\n"
        "garbage line\n"
        "38 22 0:46 / relative rw - tmpfs tmpfs rw");
    ASSERT_EQ(mounts.size(), 4U);
    EXPECT_EQ(mounts[1].Device, "8:17");
    EXPECT_EQ(mounts[1].FsType, "vfat");
    EXPECT_EQ(mounts[2].MountPoint, "/media/usb stick");

    EXPECT_EQ(MountPointOf("/media/usb/Apps", mounts), "/media/usb");
    EXPECT_EQ(MountPointOf("/media/usb", mounts), "/media/usb");
    EXPECT_EQ(MountPointOf("/media/usb stick/x", mounts), "/media/usb stick");
    EXPECT_EQ(MountPointOf("/media/usbx", mounts), "/");  // not a component boundary
    EXPECT_EQ(MountPointOf("/home", mounts), "/");
    EXPECT_EQ(MountPointOf("/home", {}), "");
}

TEST(SystemDrives, TheCurrentFolderLiesOnAListedDriveWithSizes) {
    auto drives = Platform::SystemDrives();
    const auto key = drives->KeyOfPath(Platform::CurrentFolder());
    ASSERT_FALSE(key.empty());
    const auto keys = drives->DriveKeys();
    EXPECT_NE(std::find(keys.begin(), keys.end(), key), keys.end());
    EXPECT_TRUE(drives->IsReady(key));
    const auto sizes = drives->SizesOf(key);
    ASSERT_TRUE(sizes.has_value());
    EXPECT_GE(sizes->TotalBytes, sizes->FreeBytes);
    EXPECT_EQ(drives->KeyOfPath(u"/"), u"/");
    EXPECT_FALSE(drives->SizesOf(u"/no/such/mount").has_value());
    EXPECT_FALSE(drives->IsReady(u"/no/such/mount"));
}
