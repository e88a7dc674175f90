// SPDX-License-Identifier: MIT
// What every simulated receiver shares: the clock of its epochs, the drive it reports and the
// damage serial lines do to its sentences. A receiver computes a fix Rate() times a simulated
// second; the same seed gives the same bytes.
#pragma once

#include "SimDrive.h"
#include "SimRandom.h"

#include <cstdint>
#include <string>

class CSimReceiver {
public:
    virtual ~CSimReceiver() = default;

    // Appends the sentences of the next epoch, each ended by CR LF.
    void NextEpoch(std::string& strOut);
    // Appends the Rate() epochs of the next simulated second.
    void NextSecond(std::string& strOut);

    int Rate() const { return m_nRate; }
    // Whole simulated seconds done.
    int Second() const { return static_cast<int>(m_nEpoch / m_nRate); }

    // The truth behind the sentences of the last epoch, for tests.
    double Latitude() const { return m_Drive.Latitude(); }
    double Longitude() const { return m_Drive.Longitude(); }
    double Altitude() const { return m_Drive.Altitude(); }
    double SpeedKnots() const { return m_Drive.SpeedKnots(); }
    double Course() const { return m_Drive.Course(); }

protected:
    // nSeed varies the sky, the signal noise and the corruption; dCorrupt (0 to 1) is the
    // share of sentences damaged; nRate epochs a second, 1 to 10.
    CSimReceiver(uint32_t nSeed, double dCorrupt, int nRate);

    // Appends the sentences of the current epoch; the drive has reached it already.
    virtual void EmitEpoch(std::string& strOut) = 0;

    // Appends the framed sentence, damaged now and then as asked.
    void Emit(std::string& strOut, const std::string& strBody);

    // The whole simulated second the current epoch falls in, and whether it is its first.
    int EpochSecond() const { return static_cast<int>(m_nEpoch / m_nRate); }
    bool FirstOfSecond() const { return m_nEpoch % m_nRate == 0; }
    // hhmmss.ss of the current epoch, and the day of the month.
    std::string TimeText() const;
    int Day() const;

    CSimRandom m_Random;
    CSimDrive m_Drive;

private:
    double m_dCorrupt;
    int m_nRate;
    long long m_nEpoch = 0;
};
