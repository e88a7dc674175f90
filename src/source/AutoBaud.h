// SPDX-License-Identifier: MIT
// Baud "Auto": a serial port whose receiver's bit rate is not known. The usual rates are tried
// in turn, slowest first; at a wrong one the port delivers bytes, but never sentences whose
// checksums hold. Once two such sentences have come at one rate, that rate is kept and the
// port reads as any other, starting with the bytes that proved it. Until then nothing reaches
// the reader (nor the recording): what came at a wrong rate is noise. A port that says nothing
// is not judged; it stays at the rate being tried.
#pragma once

#include "nmea/NmeaParser.h"
#include "platform/SerialDevice.h"

#include <memory>

class CAutoBaudPort : public CDeviceHandle {
public:
    // Bytes a rate is given to bring its sentences: more than a 4800 bit/s receiver sends in
    // two seconds, so that at its rate two whole sentences must be among them.
    static constexpr int kBytesPerRate = 1200;
    static constexpr uint32_t kSentencesToKeep = 2;

    // pDevice is open; the first rate is set here.
    explicit CAutoBaudPort(std::unique_ptr<CSerialDevice> pDevice);

    int Read(char* pBuffer, int nMax) override;
    void Close() override { m_pDevice->Close(); }
    bool DrainsEachTick() const override { return true; }
    // Searching (naming the rate being tried) until the rate is found, then the port's status.
    SourceStatus Status() const override;

    // The rate found; 0 while searching.
    uint32_t Baud() const { return m_bFound ? kUsualBaudRates[m_nRate] : 0; }

private:
    void TryRate(size_t nRate);

    std::unique_ptr<CSerialDevice> m_pDevice;
    CNmeaParser m_Probe; // frames and checks sentences, decodes nothing anyone reads
    size_t m_nRate = 0;  // index into kUsualBaudRates
    int m_nBytesAtRate = 0;
    uint32_t m_nSentencesBefore = 0;
    bool m_bFound = false;
};
