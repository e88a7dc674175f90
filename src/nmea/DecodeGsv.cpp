// SPDX-License-Identifier: MIT
// Satellites in view. A receiver sends its satellites four to a message in a group of GSV
// messages; message m fills table entries 4(m-1) to 4(m-1)+3, and the group is announced once,
// after its last message.
//
// $GPGSV,3,1,11,03,03,111,00,04,15,270,00,06,01,010,00,13,06,292,00*74
//
//   0 messages in the group (1-8)   3+4j PRN         5+4j azimuth, degrees true
//   1 this message's number (1-9)   4+4j elevation   6+4j SNR, dB-Hz (empty: not tracked)
//   2 satellites in view            for the satellites j = 0..3 of this message
//
// A group total of 9 is refused while a message numbered 9 is accepted; the number is not
// checked against the total. Every field is converted whole and kept in 16 bits.
#include "nmea/NmeaFields.h"

#include "nmea/NmeaParser.h"
#include <cctype>

void CNmeaParser::DecodeGsv(const CNmeaBody& body) {
    NmeaField f;
    if (!body.Field(0, f))
        return;
    const int32_t nMessages = f.Int();
    if (nMessages < 1 || nMessages > 8 || !body.Field(1, f))
        return;
    const int32_t nMessage = f.Int();
    if (nMessage < 1 || nMessage > 9)
        return;
    if (body.Field(2, f))
        m_nSatsInView = static_cast<uint16_t>(f.Int());

    // NMEA 4.10 and later append a signal-ID field, one hexadecimal digit, after the
    // satellites: one field more than a whole number of satellites. Read as a PRN it would be
    // a phantom satellite. A longer last field is a satellite's PRN and stays one.
    const int nSatFields = body.FieldCount() - 3;
    int nSignalId = -1;
    if (nSatFields % 4 == 1 && body.Field(body.FieldCount() - 1, f) && f.Length() == 1 &&
        std::isxdigit(static_cast<unsigned char>(f.First())) &&
        !std::islower(static_cast<unsigned char>(f.First())))
        nSignalId = body.FieldCount() - 1;
    const auto value = [&body, nSignalId](int nField) -> uint16_t {
        NmeaField v;
        return nField != nSignalId && body.Field(nField, v) ? static_cast<uint16_t>(v.Int()) : 0;
    };

    GpsSatellite* pSat = &m_Sats[4 * (nMessage - 1)];
    for (int j = 0; j < 4; ++j, ++pSat) {
        pSat->nPrn = value(3 + 4 * j);
        pSat->nElevation = value(4 + 4 * j);
        pSat->nAzimuth = value(5 + 4 * j);
        pSat->nSnr = value(6 + 4 * j);
        pSat->bUsed = IsUsedPrn(pSat->nPrn);
    }
    ++m_nGsvCount;
    if (nMessage == nMessages)
        Post(WM_GPS_GSV);
}
