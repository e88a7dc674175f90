// SPDX-License-Identifier: MIT
// Serial devices: COM numbers resolve to device files (an override first), a device opens
// and takes the line settings, and a read returns at once with what the other end wrote, or
// with nothing. Runs on a real pseudo-terminal.
#include "platform/SerialDevice.h"

#include <QByteArray>
#include <QDeadlineTimer>
#include <QThread>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

namespace {

// Sets an environment variable for the life of the object.
class ScopedVariable {
public:
    ScopedVariable(const char* name, const QString& value) : m_name(name) {
        setenv(name, value.toLocal8Bit().constData(), 1);
    }
    ~ScopedVariable() { unsetenv(m_name); }

private:
    const char* m_name;
};

// A pseudo-terminal: the test writes at the master end, the device under test opens the
// slave by its path.
class PseudoTerminal {
public:
    PseudoTerminal() {
        char name[256] = {};
        if (openpty(&m_nMaster, &m_nSlave, name, nullptr, nullptr) == 0)
            m_strSlavePath = QString::fromLocal8Bit(name);
    }
    ~PseudoTerminal() {
        if (m_nMaster >= 0)
            close(m_nMaster);
        if (m_nSlave >= 0)
            close(m_nSlave);
    }
    bool IsOpen() const { return !m_strSlavePath.isEmpty(); }
    const QString& SlavePath() const { return m_strSlavePath; }
    int SlaveFd() const { return m_nSlave; }
    void Write(const QByteArray& data) const {
        ASSERT_EQ(write(m_nMaster, data.constData(), static_cast<size_t>(data.size())),
                  data.size());
    }

private:
    int m_nMaster = -1;
    int m_nSlave = -1;
    QString m_strSlavePath;
};

// Reads until nWanted bytes came; the terminal passes bytes on asynchronously, so they may
// need a few reads.
QByteArray ReadAll(CSerialDevice& device, int nWanted, int nChunk = 255) {
    QByteArray data;
    char buffer[256];
    QDeadlineTimer deadline(10000);
    while (data.size() < nWanted && !deadline.hasExpired()) {
        const int nRead = device.Read(buffer, nChunk);
        EXPECT_LE(nRead, nChunk);
        data.append(buffer, nRead);
        if (nRead == 0)
            QThread::msleep(1);
    }
    return data;
}

TEST(ComNames, ResolveByTheTableOfDeviceFamilies) {
    struct Case {
        const char* name;
        const char* path;
    };
    for (const Case& c : {Case{"COM1:", "/dev/ttyS0"}, Case{"COM32:", "/dev/ttyS31"},
                          Case{"COM33:", "/dev/ttyUSB0"}, Case{"COM64:", "/dev/ttyUSB31"},
                          Case{"COM65:", "/dev/ttyACM0"}, Case{"COM96:", "/dev/ttyACM31"},
                          Case{"COM97:", "/dev/rfcomm0"}, Case{"COM128:", "/dev/rfcomm31"},
                          Case{"COM129:", "/dev/ttyAMA0"}, Case{"COM288:", "/dev/ttyTHS31"},
                          Case{"COM0:", ""}, Case{"COM289:", ""}, Case{"COM3", ""},
                          Case{"SER05:", ""}, Case{"com3:", ""}, Case{"COM-1:", ""}}) {
        EXPECT_EQ(ResolveDeviceName(QString::fromLatin1(c.name)), QString::fromLatin1(c.path))
            << c.name;
    }
    EXPECT_EQ(ComPortNumber(QStringLiteral("/dev/ttyUSB0")), 33);
    EXPECT_EQ(ComPortNumber(QStringLiteral("/dev/ttyS0")), 1);
    EXPECT_EQ(ComPortNumber(QStringLiteral("/dev/null")), 0);
}

TEST(ComNames, AnOverrideWinsOverTheTable) {
    ScopedVariable override("RAVUZIZ_COM33", QStringLiteral("/tmp/gps"));
    EXPECT_EQ(ResolveDeviceName(QStringLiteral("COM33:")), QStringLiteral("/tmp/gps"));
    EXPECT_EQ(ComDevicePath(33), QStringLiteral("/tmp/gps"));
    EXPECT_EQ(ComPortNumber(QStringLiteral("/tmp/gps")), 33);
    // The table's device for 33 is masked while the override stands.
    EXPECT_EQ(ComPortNumber(QStringLiteral("/dev/ttyUSB0")), 0);
    const auto overrides = ComOverrides();
    EXPECT_NE(std::find(overrides.begin(), overrides.end(),
                        std::pair<int, QString>(33, QStringLiteral("/tmp/gps"))),
              overrides.end());
}

TEST(SerialDevice, OpensThroughAnOverrideAndTakesTheLineSettings) {
    PseudoTerminal terminal;
    ASSERT_TRUE(terminal.IsOpen());
    ScopedVariable override("RAVUZIZ_COM7", terminal.SlavePath());
    CSerialDevice device;
    ASSERT_TRUE(device.Open(QStringLiteral("COM7:")));
    EXPECT_TRUE(device.IsOpen());
    device.Configure(4800);

    termios settings{};
    ASSERT_EQ(tcgetattr(terminal.SlaveFd(), &settings), 0);
    EXPECT_EQ(cfgetispeed(&settings), static_cast<speed_t>(B4800));
    EXPECT_EQ(cfgetospeed(&settings), static_cast<speed_t>(B4800));
    EXPECT_EQ(settings.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
    EXPECT_EQ(settings.c_cflag & (PARENB | CSTOPB | CRTSCTS), 0u);
    EXPECT_EQ(settings.c_iflag & (IXON | IXOFF | ICRNL | ISTRIP), 0u);
    EXPECT_EQ(settings.c_lflag & ICANON, 0u);
}

TEST(SerialDevice, ReadsWhatArrivedWithoutWaitingAndNothingWhenNothingWaits) {
    PseudoTerminal terminal;
    ASSERT_TRUE(terminal.IsOpen());
    ScopedVariable override("RAVUZIZ_COM7", terminal.SlavePath());
    CSerialDevice device;
    ASSERT_TRUE(device.Open(QStringLiteral("COM7:")));
    device.Configure(4800);

    char buffer[256];
    EXPECT_EQ(device.Read(buffer, 255), 0);

    const QByteArray sentence(
        "$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47\r\n");
    terminal.Write(sentence);
    EXPECT_EQ(ReadAll(device, static_cast<int>(sentence.size())), sentence);
    EXPECT_EQ(device.Read(buffer, 255), 0);

    // More than one read's worth comes in pieces of at most the maximum, in order.
    QByteArray burst;
    for (int i = 0; i < 600; ++i)
        burst.append(static_cast<char>('A' + i % 26));
    terminal.Write(burst);
    EXPECT_EQ(ReadAll(device, static_cast<int>(burst.size()), 100), burst);
}

TEST(SerialDevice, AMissingOrBusyDeviceDoesNotOpenAndAClosedOneReadsNothing) {
    ScopedVariable missing("RAVUZIZ_COM9", QStringLiteral("/nonexistent/ttyGPS"));
    CSerialDevice device;
    EXPECT_FALSE(device.Open(QStringLiteral("COM9:")));
    EXPECT_FALSE(device.Open(QStringLiteral("COM200:")));
    EXPECT_FALSE(device.IsOpen());

    char buffer[4] = {'x', 'x', 'x', 'x'};
    EXPECT_EQ(device.Read(buffer, 4), 0);
    EXPECT_EQ(std::memcmp(buffer, "xxxx", 4), 0);

    PseudoTerminal terminal;
    ASSERT_TRUE(terminal.IsOpen());
    ScopedVariable override("RAVUZIZ_COM7", terminal.SlavePath());
    CSerialDevice first;
    ASSERT_TRUE(first.Open(QStringLiteral("COM7:")));
    CSerialDevice second;
    EXPECT_FALSE(second.Open(QStringLiteral("COM7:")));
    first.Close();
    EXPECT_FALSE(first.IsOpen());
    EXPECT_EQ(first.Read(buffer, 4), 0);
    EXPECT_TRUE(second.Open(QStringLiteral("COM7:")));
}

} // namespace
