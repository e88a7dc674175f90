// SPDX-License-Identifier: MIT
// Serial devices by the program's port numbers. The settings, the Comm Settings dialog and
// the port list all speak of "COM3:"; on Linux that name resolves to a device file:
//   an environment variable RAVUZIZ_COM3 holding a path (a pseudo-terminal, /dev/rfcomm0, ...)
//   wins; otherwise COM1-32 are /dev/ttyS0-31, COM33-64 /dev/ttyUSB0-31, COM65-96
//   /dev/ttyACM0-31, COM97-128 /dev/rfcomm0-31, and the UARTs of boards follow: COM129-160
//   /dev/ttyAMA0-31, COM161-192 /dev/ttymxc0-31, COM193-224 /dev/ttySAC0-31, COM225-256
//   /dev/ttyO0-31, COM257-288 /dev/ttyTHS0-31.
// A device opens exclusively, runs at 8 data bits, no parity, one stop bit, without flow
// control, with DTR and RTS on, and its reads return at once with what has arrived.
#pragma once

#include "platform/DeviceHandle.h"

#include <QSerialPort>
#include <QString>

#include <utility>
#include <vector>

// The rates receivers run at, slowest first: the Comm Settings list, and what "Auto" tries.
inline constexpr int kUsualBaudRates[] = {4800, 9600, 19200, 38400, 57600, 115200};

// The device file of port nPort, or an empty text when the number has none.
QString ComDevicePath(int nPort);
// The device file of a name of the form "COM%d:", or an empty text for any other name.
QString ResolveDeviceName(const QString& strName);
// The port number whose device file is strDevicePath, or 0 when none is.
int ComPortNumber(const QString& strDevicePath);
// The ports given by RAVUZIZ_COM<n> variables, by number.
std::vector<std::pair<int, QString>> ComOverrides();

class CSerialDevice : public CDeviceHandle {
public:
    // Bytes one poll tick takes from a port at most: 115200 bit/s brings 3.5 KB in 300 ms, so
    // this keeps up with any rate a receiver runs at, and a flood cannot hold the window.
    static constexpr int kDrainPerTick = 64 * 1024;

    ~CSerialDevice() override { Close(); }

    // Opens the device named strName ("COM3:") for reading and writing, unshared; false when
    // it does not exist, is in use or cannot be opened.
    bool Open(const QString& strName);
    // The same for a device file named by its path (/dev/ttyACM0, a pseudo-terminal).
    bool OpenPath(const QString& strPath);
    // Sets nBaud and the fixed line settings; false when any of them did not take.
    bool Configure(int nBaud);
    bool IsOpen() const { return m_Port.isOpen(); }
    // Why the last Open failed, in the system's words, with what to do about it where that is
    // clear (a missing permission, a port in use); empty when there is nothing to say.
    QString OpenErrorText() const { return m_strOpenError; }

    // Also clears the device's error state, so reception goes on after framing, overrun or
    // parity errors.
    int Read(char* pBuffer, int nMax) override;
    // Throws away what has arrived and not been read (bytes received at another rate).
    void DropInput();
    void Close() override;
    bool DrainsEachTick() const override { return true; }
    SourceStatus Status() const override;

private:
    // Stops the port from taking in what arrives between reads.
    void QuietArrivals();

    QSerialPort m_Port;
    QString m_strPath; // the device file while open
    QString m_strOpenError;
};
