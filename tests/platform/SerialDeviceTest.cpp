// SPDX-License-Identifier: MIT
// Serial devices: COM numbers resolve to the device files of their families, and a device
// opens once and takes the line settings. Runs on a real pseudo-terminal. (Overrides of the
// table are the serial link's discovery test.)
#include "platform/SerialDevice.h"
#include "common/Pty.h"

#include <gtest/gtest.h>

#include <termios.h>

namespace {

// The first and last number of each family, and names that are none.
TEST(ComNames, ResolveByTheFamiliesOfDevices) {
    const char* const names[][2] = {{"COM1:", "/dev/ttyS0"},
                                    {"COM32:", "/dev/ttyS31"},
                                    {"COM33:", "/dev/ttyUSB0"},
                                    {"COM96:", "/dev/ttyACM31"},
                                    {"COM97:", "/dev/rfcomm0"},
                                    {"COM129:", "/dev/ttyAMA0"},
                                    {"COM288:", "/dev/ttyTHS31"},
                                    {"COM0:", ""},
                                    {"COM289:", ""},
                                    {"COM3", ""},
                                    {"com3:", ""},
                                    {"COM-1:", ""}};
    for (const auto& [pszName, pszPath] : names)
        EXPECT_EQ(ResolveDeviceName(pszName), QString::fromLatin1(pszPath)) << pszName;
    EXPECT_EQ(ComPortNumber(QStringLiteral("/dev/ttyUSB0")), 33);
    EXPECT_EQ(ComPortNumber(QStringLiteral("/dev/null")), 0);
}

// Raw 8N1 whatever the line was set to before: no CR turned into LF, no flow control, no
// line editing. Reading is the serial link's own test.
TEST(SerialDevice, TakesTheLineSettingsAndOpensOnlyOnce) {
    CPty pty(7);
    termios settings{};
    ASSERT_EQ(tcgetattr(pty.SlaveFd(), &settings), 0);
    settings.c_iflag |= ICRNL | IXON; // a line as a terminal would have it
    settings.c_lflag |= ICANON;
    settings.c_cflag |= PARENB;
    ASSERT_EQ(tcsetattr(pty.SlaveFd(), TCSANOW, &settings), 0);
    CSerialDevice device, second;
    ASSERT_TRUE(device.Open(QStringLiteral("COM7:")));
    device.Configure(4800);
    EXPECT_EQ(pty.Baud(), 4800);
    ASSERT_EQ(tcgetattr(pty.SlaveFd(), &settings), 0);
    EXPECT_EQ(settings.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
    EXPECT_EQ(settings.c_cflag & (PARENB | CSTOPB | CRTSCTS), 0u);
    EXPECT_EQ(settings.c_iflag & (IXON | IXOFF | ICRNL | ISTRIP), 0u);
    EXPECT_EQ(settings.c_lflag & ICANON, 0u);

    EXPECT_FALSE(second.Open(QStringLiteral("COM7:")));
    device.Close();
    char buffer[4];
    EXPECT_EQ(device.Read(buffer, 4), 0);
    EXPECT_TRUE(second.Open(QStringLiteral("COM7:")));
}

} // namespace
