// SPDX-License-Identifier: MIT
// gpsd as the source: on Linux it very often owns the receiver (Debian starts it for USB
// receivers), and a second program opening the port would see it busy or steal its bytes.
// The source watches gpsd's raw output so an NMEA receiver's sentences arrive unprocessed (RMB
// included, which gpsd's own reports drop); when gpsd drives its receiver in a binary protocol
// it falls back to gpsd's NMEA. Only NMEA lines reach the reader, and so the recording.
#pragma once

#include "platform/NetworkDevice.h"
#include "source/GpsdFilter.h"

class CGpsdSource : public CDeviceHandle {
public:
    static constexpr quint16 kDefaultPort = 2947;

    CGpsdSource(const QString& strHost, quint16 nPort);

    void Start() { m_Link.Start(); }
    int Read(char* pBuffer, int nMax) override;
    void Close() override { m_Link.Close(); }
    bool DrainsEachTick() const override { return true; }
    SourceStatus Status() const override;

    CTcpDevice& Link() { return m_Link; }
    // gpsd's receiver speaks a binary protocol; its sentences come from gpsd.
    bool UsesGpsdNmea() const { return m_bGpsdNmea; }

private:
    CTcpDevice m_Link;
    CGpsdFilter m_Filter;
    bool m_bGpsdNmea = false;
    char m_Input[CGpsdFilter::kInputMax];
};
