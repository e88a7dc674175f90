// SPDX-License-Identifier: MIT
// GSA and GSV of a receiver that combines satellite systems. The fix fields are those of the
// GPS reading; the satellites go to the all-systems table (GnssTable.h) under their system
// and number within it.
//
// $GNGSA,A,3,05,13,15,18,,,,,,,,,1.6,0.9,1.3,1*0B      one GSA per system and fix
//
//   0 selection mode   2-13 satellites used (whole numbers)   14 PDOP, 15 HDOP, 16 VDOP
//   1 fix mode digit   17 NMEA 4.10 system ID 1-6 (GPS, GLONASS, Galileo, BeiDou, QZSS, NavIC)
//
// $GPGSV,3,1,11,05,62,281,44,13,41,055,40,15,26,144,38,18,71,323,45,1*6E
//
//   0 messages in the group   3+4j number, 4+4j elevation, 5+4j azimuth, 6+4j SNR
//   1 this message's number   after the satellites: a signal ID (NMEA 4.10), sometimes
//   2 satellites in view      followed by a system ID
#include "nmea/NmeaConvert.h"
#include "nmea/NmeaParser.h"

namespace {

// Up to four characters, the first highest; an absent or empty field is signal "0".
GnssSignal PackSignal(const CNmeaBody& body, int nField) {
    NmeaField f;
    if (!body.Field(nField, f))
        return kNoSignalId;
    GnssSignal nSignal = 0;
    const NmeaField text = f.Slice(0, 4);
    for (uint32_t i = 0; i < 4; ++i)
        nSignal =
            nSignal << 8 | (i < text.Length() ? static_cast<uint8_t>(text.pBegin[i]) : uint32_t{0});
    return nSignal;
}

// A system ID field: exactly one digit 1-6. Other texts (a TDOP such as "3.3") are none.
GnssSystem SystemIdField(const CNmeaBody& body, int nField) {
    NmeaField f;
    if (!body.Field(nField, f) || f.Length() != 1)
        return GnssSystem::None;
    return SystemOfNmeaId(f.First() - '0');
}

// Messages a group may have: BeiDou alone can list sixty satellites, four a message.
constexpr int32_t kMaxGsvMessages = 99;

} // namespace

void CNmeaParser::DecodeGnssGsa(const CNmeaBody& body, uint16_t nTalker) {
    NmeaField f;
    if (body.Field(0, f))
        m_cGsaMode = f.First();
    if (body.Field(1, f))
        m_nFixMode = nmea::Digit(f);

    GnssNumbering numbering = GsaNumberingOfTalker(nTalker);
    if (const GnssSystem system = SystemIdField(body, 17); system != GnssSystem::None)
        numbering = {system};
    // The first GSA of a fix forgets what the previous fix used, so a lost fix's empty GSA
    // leaves nothing used.
    if (!m_Gnss.m_bGsaRun)
        m_Gnss.ClearUsed();
    for (int i = 0; i < kUsedPrns; ++i) {
        if (!body.Field(2 + i, f)) {
            m_nUsedPrn[i] = 0;
            continue;
        }
        const int32_t n = f.Int();
        m_nUsedPrn[i] = static_cast<uint16_t>(n);
        m_Gnss.SetUsed(MapSatellite(numbering, n));
    }
    m_dPdop = body.Field(14, f) ? f.Decimal() : 0;
    m_dHdop = body.Field(15, f) ? f.Decimal() : 0;
    m_dVdop = body.Field(16, f) ? f.Decimal() : 0;
    ++m_nGsaCount;
    Post(WM_GPS_GSA);
}

void CNmeaParser::DecodeGnssGsv(const CNmeaBody& body, uint16_t nTalker) {
    NmeaField f;
    if (!body.Field(0, f))
        return;
    const int32_t nMessages = f.Int();
    if (nMessages < 1 || nMessages > kMaxGsvMessages || !body.Field(1, f))
        return;
    const int32_t nMessage = f.Int();
    if (nMessage < 1 || nMessage > kMaxGsvMessages)
        return;

    // Four fields a satellite; one more is a signal ID, two more a signal and a system ID.
    GnssNumbering numbering = GsvNumberingOfTalker(nTalker);
    GnssSignal nSignal = kNoSignalId;
    int nSatFields = body.FieldCount() - 3;
    if (nSatFields > 0 && nSatFields % 4 == 1) {
        nSignal = PackSignal(body, body.FieldCount() - 1);
        nSatFields -= 1;
    } else if (nSatFields > 0 && nSatFields % 4 == 2) {
        nSignal = PackSignal(body, body.FieldCount() - 2);
        if (const GnssSystem system = SystemIdField(body, body.FieldCount() - 1);
            system != GnssSystem::None)
            numbering = {system};
        nSatFields -= 2;
    }

    const int nKey = m_Gnss.Key(nTalker, nSignal);
    if (nKey >= 0) {
        m_Gnss.BeginMessage(nKey, nMessage);
        if (body.Field(2, f) && f.Int() == 0) {
            m_Gnss.EmptyKey(nKey);
        } else {
            const int nEnd = 3 + nSatFields; // first field that is not a satellite's
            const auto value = [&body, nEnd](int nField, uint16_t& n) {
                NmeaField v;
                if (nField >= nEnd || !body.Field(nField, v))
                    return false;
                n = static_cast<uint16_t>(v.Int());
                return true;
            };
            for (int nField = 3; nField < nEnd; nField += 4) {
                if (!body.Field(nField, f))
                    continue;
                const int32_t nNumber = f.Int();
                const GnssId id = MapSatellite(numbering, nNumber);
                if (!id.IsValid())
                    continue;
                uint16_t nElevation = 0, nAzimuth = 0, nSnr = 0;
                const bool bElevation = value(nField + 1, nElevation);
                const bool bAzimuth = value(nField + 2, nAzimuth);
                value(nField + 3, nSnr); // empty: tracked on no signal of this band
                m_Gnss.List(nKey, id, static_cast<uint16_t>(nNumber),
                            bElevation ? &nElevation : nullptr, bAzimuth ? &nAzimuth : nullptr,
                            nSnr);
            }
        }
    }
    m_nSatsInView = static_cast<uint16_t>(m_Gnss.InView());
    ++m_nGsvCount;
    if (nMessage == nMessages)
        Post(WM_GPS_GSV);
}
