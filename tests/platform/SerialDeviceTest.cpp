// SPDX-License-Identifier: MIT
// Serial devices: COM numbers resolve to device files (an override first), a device opens
// and takes the line settings, and a read returns at once with what the other end wrote, or
// with nothing. Runs on a real pseudo-terminal.
#include "platform/SerialDevice.h"
#include "common/Pty.h"

#include <QDeadlineTimer>
#include <QThread>

#include <gtest/gtest.h>

#include <termios.h>

namespace {

// Reads until nWanted bytes came; the terminal passes bytes on asynchronously.
QByteArray ReadAll(CSerialDevice& device, int nWanted, int nChunk = 255) {
    QByteArray data;
    char buffer[256];
    for (QDeadlineTimer deadline(10000); data.size() < nWanted && !deadline.hasExpired();) {
        const int nRead = device.Read(buffer, nChunk);
        EXPECT_LE(nRead, nChunk);
        data.append(buffer, nRead);
        if (nRead == 0)
            QThread::msleep(1);
    }
    return data;
}

TEST(ComNames, ResolveByTheFamiliesOfDevicesOrAnOverride) {
    // The first and last number of each family, and names that are none.
    for (const auto& [pszName, pszPath] :
         {std::pair{"COM1:", "/dev/ttyS0"}, std::pair{"COM32:", "/dev/ttyS31"},
          std::pair{"COM33:", "/dev/ttyUSB0"}, std::pair{"COM96:", "/dev/ttyACM31"},
          std::pair{"COM97:", "/dev/rfcomm0"}, std::pair{"COM129:", "/dev/ttyAMA0"},
          std::pair{"COM288:", "/dev/ttyTHS31"}, std::pair{"COM0:", ""}, std::pair{"COM289:", ""},
          std::pair{"COM3", ""}, std::pair{"com3:", ""}, std::pair{"COM-1:", ""}})
        EXPECT_EQ(ResolveDeviceName(pszName), QString::fromLatin1(pszPath)) << pszName;
    EXPECT_EQ(ComPortNumber(QStringLiteral("/dev/ttyUSB0")), 33);
    EXPECT_EQ(ComPortNumber(QStringLiteral("/dev/null")), 0);

    CPty pty(33);
    const QString strPty = QString::fromStdString(pty.Path());
    EXPECT_EQ(ResolveDeviceName(QStringLiteral("COM33:")), strPty);
    EXPECT_EQ(ComPortNumber(strPty), 33);
    // The table's device for 33 is masked while the override stands.
    EXPECT_EQ(ComPortNumber(QStringLiteral("/dev/ttyUSB0")), 0);
    const auto overrides = ComOverrides();
    EXPECT_NE(std::find(overrides.begin(), overrides.end(), std::pair<int, QString>(33, strPty)),
              overrides.end());
}

TEST(SerialDevice, TakesTheLineSettingsAndReadsWhatArrivedWithoutWaiting) {
    CPty pty(7);
    termios settings{};
    ASSERT_EQ(tcgetattr(pty.SlaveFd(), &settings), 0);
    settings.c_iflag |= ICRNL | IXON; // a line as a terminal would have it
    settings.c_lflag |= ICANON;
    settings.c_cflag |= PARENB;
    ASSERT_EQ(tcsetattr(pty.SlaveFd(), TCSANOW, &settings), 0);
    CSerialDevice device;
    ASSERT_TRUE(device.Open(QStringLiteral("COM7:")));
    device.Configure(4800);
    EXPECT_EQ(pty.Baud(), 4800);
    ASSERT_EQ(tcgetattr(pty.SlaveFd(), &settings), 0);
    EXPECT_EQ(settings.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
    EXPECT_EQ(settings.c_cflag & (PARENB | CSTOPB | CRTSCTS), 0u);
    EXPECT_EQ(settings.c_iflag & (IXON | IXOFF | ICRNL | ISTRIP), 0u);
    EXPECT_EQ(settings.c_lflag & ICANON, 0u);

    char buffer[256];
    EXPECT_EQ(device.Read(buffer, 255), 0);
    const std::string strSentence = "$GPGGA,123519,4807.038,N,01131.000,E,1,08,,*47\r\n";
    pty.Send(strSentence);
    EXPECT_EQ(ReadAll(device, static_cast<int>(strSentence.size())).toStdString(), strSentence);
    EXPECT_EQ(device.Read(buffer, 255), 0);
    // More than one read's worth comes in pieces of at most the maximum, in order.
    std::string strBurst;
    for (int i = 0; i < 600; ++i)
        strBurst += static_cast<char>('A' + i % 26);
    pty.Send(strBurst);
    EXPECT_EQ(ReadAll(device, 600, 100).toStdString(), strBurst);
}

TEST(SerialDevice, AMissingOrBusyDeviceDoesNotOpenAndAClosedOneReadsNothing) {
    qputenv("RAVUZIZ_COM9", "/nonexistent/ttyGPS");
    CSerialDevice device;
    EXPECT_FALSE(device.Open(QStringLiteral("COM9:")));
    qunsetenv("RAVUZIZ_COM9");
    EXPECT_FALSE(device.Open(QStringLiteral("COM200:")));
    EXPECT_FALSE(device.IsOpen());
    char buffer[4] = {'x', 'x', 'x', 'x'};
    EXPECT_EQ(device.Read(buffer, 4), 0);
    EXPECT_EQ(std::string(buffer, 4), "xxxx");

    CPty pty(7);
    CSerialDevice first, second;
    ASSERT_TRUE(first.Open(QStringLiteral("COM7:")));
    EXPECT_FALSE(second.Open(QStringLiteral("COM7:")));
    first.Close();
    EXPECT_EQ(first.Read(buffer, 4), 0);
    EXPECT_TRUE(second.Open(QStringLiteral("COM7:")));
}

} // namespace
