// A deterministic GPS receiver: what a real one would send, second by second, on a drive.
// It lets users and tests run the whole program without hardware: satellites rise, cross the
// sky and set with changing signal strengths; the car starts, speeds up, turns, climbs and
// stops; the fix goes from none to 2D, 3D and differential, is lost in a tunnel and comes
// back; the receiver navigates towards a waypoint. The same seed gives the same bytes.
#pragma once

#include <array>
#include <cstdint>
#include <string>

class CReceiverSim {
public:
    // nSeed varies the signal noise and the corruption; dCorrupt (0 to 1) is the share of
    // sentences damaged the ways serial lines damage them.
    explicit CReceiverSim(uint32_t nSeed = 1, double dCorrupt = 0.0);

    // Appends one second of output: GGA, GSA, the GSV group, RMC, RMB and ZDA, each ended by
    // CR LF, then advances the simulation by one second.
    void NextSecond(std::string& strOut);

    int Second() const { return m_nSecond; }

    // The truth behind the sentences of the last second, for tests.
    double Latitude() const { return m_dLatitude; }
    double Longitude() const { return m_dLongitude; }
    double Altitude() const { return m_dAltitude; }
    double SpeedKnots() const { return m_dSpeedKnots; }
    double Course() const { return m_dCourse; }

private:
    struct Satellite {
        int nPrn = 0;
        double dRise = 0;     // simulated second of rising
        double dDuration = 0; // seconds above the horizon
        double dAzimuthRise = 0, dAzimuthSet = 0, dMaxElevation = 0;
    };
    struct InView {
        int nPrn, nElevation, nAzimuth, nSnr; // nSnr < 0: in view, not tracked
    };

    uint32_t Random(); // xorshift32
    double Uniform(double dLow, double dHigh);
    void NewPass(Satellite& sat, double dRise);
    int FixQuality() const; // 0 none, 1 GPS, 2 differential
    int FixMode() const;    // 1 none, 2 2D, 3 3D
    void Emit(std::string& strOut, const std::string& strSentence);
    void Move();

    uint32_t m_nRandom;
    double m_dCorrupt;
    int m_nSecond = 0;
    double m_dLatitude, m_dLongitude, m_dAltitude;
    double m_dSpeedKnots = 0, m_dCourse = 0;
    std::array<Satellite, 12> m_Sats;
};

// Appends "$<body>*HH\r\n" with the checksum of body.
void AppendSentence(std::string& strOut, const std::string& strBody);
