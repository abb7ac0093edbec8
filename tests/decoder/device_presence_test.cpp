#include "decoder/core/device_presence.h"
#include "tests/support/temporary_folder.h"

#include <gtest/gtest.h>

namespace tallimo::decoder {
namespace {

namespace fs = std::filesystem;

// A `ports/COMn` link through an unplug and a plug-in on another device.
TEST(FileSystemDevicePresence, FollowsTheLinkToTheDeviceAndSeesItGoAndComeBack) {
    testing::TemporaryFolder folder;
    folder.write("ttyUSB0", "");
    folder.write("ttyUSB1", "");
    const fs::path link = folder / "COM4";
    fs::create_symlink(folder / "ttyUSB0", link);
    const FileSystemDevicePresence devices;

    const DeviceIdentity first = devices.identify(link);
    EXPECT_TRUE(first.present);
    EXPECT_EQ(first.target, fs::canonical(folder / "ttyUSB0").string());
    EXPECT_EQ(devices.identify(link), first) << "nothing changed";

    fs::remove(folder / "ttyUSB0");
    EXPECT_EQ(devices.identify(link), DeviceIdentity{}) << "a dangling link";
    fs::remove(link);
    EXPECT_EQ(devices.identify(link), DeviceIdentity{}) << "no link";

    fs::create_symlink(folder / "ttyUSB1", link);
    const DeviceIdentity second = devices.identify(link);
    EXPECT_TRUE(second.present);
    EXPECT_NE(second, first);
}

} // namespace
} // namespace tallimo::decoder
