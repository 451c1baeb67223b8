#include "serialdevicechoice.h"
#include "tempdir.h"

#include <gtest/gtest.h>

namespace
{

using Devices = std::vector<std::string>;

TEST(ZelkamisSerialDeviceChoice, DeviceSettingOrPortFamilies)
{
    const struct {
        const char* name;
        std::string deviceSetting;
        int port;
        Devices expected;
    } cases[] = {
        { "device setting wins", "/dev/serial/by-id/usb-pos", 3, { "/dev/serial/by-id/usb-pos" } },
        { "COM3", "", 3, { "/dev/ttyUSB3", "/dev/ttyACM3", "/dev/ttyS3" } },
        { "COM0 exists here", "", 0, { "/dev/ttyUSB0", "/dev/ttyACM0", "/dev/ttyS0" } },
        { "COM12", "", 12, { "/dev/ttyUSB12", "/dev/ttyACM12", "/dev/ttyS12" } },
        { "negative port", "", -1, {} },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(serialDeviceCandidates(c.deviceSetting, c.port), c.expected);
    }
    EXPECT_EQ(joinedDevices(serialDeviceCandidates("", 7)), "/dev/ttyUSB7, /dev/ttyACM7, /dev/ttyS7");
}

TEST(ZelkamisSerialDeviceChoice, FirstExistingCandidateIsTaken)
{
    TempDir dev;
    const Devices com2 = serialDeviceCandidates("", 2, dev.path());
    EXPECT_EQ(firstExistingDevice(com2), std::nullopt);

    writeFile(dev.file("ttyS2"), "");
    EXPECT_EQ(firstExistingDevice(com2), dev.file("ttyS2"));
    writeFile(dev.file("ttyACM2"), "");
    EXPECT_EQ(firstExistingDevice(com2), dev.file("ttyACM2"));
    writeFile(dev.file("ttyUSB2"), "");
    EXPECT_EQ(firstExistingDevice(com2), dev.file("ttyUSB2"));
    EXPECT_EQ(firstExistingDevice(serialDeviceCandidates("", 3, dev.path())), std::nullopt);
}

} // namespace
