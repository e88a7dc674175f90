// SPDX-License-Identifier: MIT
#include "nmea/GnssTable.h"

#include <bit>
#include <cstring>

void CGnssTable::Reset() {
    for (GnssSatellite& sat : m_Sats)
        sat = GnssSatellite{};
    for (GroupKey& key : m_Keys)
        key = GroupKey{};
    std::memset(m_nEntryOf, kNone, sizeof m_nEntryOf);
    std::memset(m_nUsed, 0, sizeof m_nUsed);
    m_nInView = 0;
    m_nLastKey = 0;
    m_bGsaRun = false;
}

int CGnssTable::Key(uint16_t nTalker, GnssSignal nSignal) {
    // The messages of a group come one after the other.
    const GroupKey& last = m_Keys[m_nLastKey];
    if (last.bInUse && last.nTalker == nTalker && last.nSignal == nSignal)
        return m_nLastKey;
    int nUnused = -1, nEmpty = -1;
    for (int k = 0; k < kKeys; ++k) {
        const GroupKey& key = m_Keys[k];
        if (!key.bInUse) {
            if (nUnused < 0)
                nUnused = k;
        } else if (key.nTalker == nTalker && key.nSignal == nSignal) {
            m_nLastKey = k;
            return k;
        } else if (key.nCount == 0 && nEmpty < 0) {
            nEmpty = k; // a group that lists nothing has nothing left to lose
        }
    }
    const int nFree = nUnused >= 0 ? nUnused : nEmpty;
    if (nFree >= 0) {
        GroupKey& key = m_Keys[nFree];
        key = GroupKey{};
        key.nTalker = nTalker;
        key.nSignal = nSignal;
        key.bInUse = true;
        m_nLastKey = nFree;
    }
    return nFree;
}

void CGnssTable::BeginMessage(int nKey, int32_t nMessage) {
    GroupKey& key = m_Keys[nKey];
    if (nMessage == 1 || nMessage <= key.nLastMessage)
        EmptyKey(nKey);
    key.nLastMessage = nMessage;
}

void CGnssTable::EmptyKey(int nKey) {
    GroupKey& key = m_Keys[nKey];
    const uint32_t nBit = uint32_t{1} << nKey;
    for (int i = 0; i < key.nCount; ++i) {
        GnssSatellite& sat = m_Sats[key.nEntries[i]];
        sat.nKeys &= ~nBit;
        if (sat.nKeys == 0)
            --m_nInView;
    }
    key.nCount = 0;
}

int CGnssTable::FreeEntry() const {
    // A never used entry first, so that satellites which left keep their positions as long
    // as there is room.
    int nLeft = -1;
    for (int i = 0; i < kCapacity; ++i) {
        if (m_Sats[i].nKeys != 0)
            continue;
        if (!m_Sats[i].id.IsValid())
            return i;
        if (nLeft < 0)
            nLeft = i;
    }
    return nLeft;
}

bool CGnssTable::List(int nKey, GnssId id, uint16_t nPrn, const uint16_t* pElevation,
                      const uint16_t* pAzimuth, uint16_t nSnr) {
    const int nIndex = SvidIndex(id);
    if (nIndex < 0)
        return false;
    uint8_t& nEntryOf = m_nEntryOf[static_cast<int>(id.system)][nIndex];
    int nEntry = nEntryOf == kNone ? -1 : nEntryOf;
    if (nEntry < 0) {
        nEntry = FreeEntry();
        if (nEntry < 0)
            return false;
        GnssSatellite& sat = m_Sats[nEntry];
        if (sat.id.IsValid())
            m_nEntryOf[static_cast<int>(sat.id.system)][SvidIndex(sat.id)] = kNone;
        sat = GnssSatellite{};
        sat.id = id;
        nEntryOf = static_cast<uint8_t>(nEntry);
    }
    GnssSatellite& sat = m_Sats[nEntry];
    const uint32_t nBit = uint32_t{1} << nKey;
    if (!(sat.nKeys & nBit)) {
        if (sat.nKeys == 0)
            ++m_nInView;
        sat.nKeys |= nBit;
        GroupKey& key = m_Keys[nKey];
        key.nEntries[key.nCount++] = static_cast<uint8_t>(nEntry);
    }
    sat.nPrn = nPrn;
    sat.nSnr[nKey] = nSnr;
    if (pElevation) {
        sat.nElevation = *pElevation;
        sat.bHasElevation = true;
    }
    if (pAzimuth) {
        sat.nAzimuth = *pAzimuth;
        sat.bHasAzimuth = true;
    }
    return true;
}

void CGnssTable::ClearUsed() {
    std::memset(m_nUsed, 0, sizeof m_nUsed);
}

void CGnssTable::SetUsed(GnssId id) {
    const int nIndex = SvidIndex(id);
    if (nIndex >= 0)
        m_nUsed[static_cast<int>(id.system)] |= uint64_t{1} << nIndex;
}

bool CGnssTable::IsUsed(GnssId id) const {
    const int nIndex = SvidIndex(id);
    return nIndex >= 0 && (m_nUsed[static_cast<int>(id.system)] >> nIndex & 1);
}

int CGnssTable::List(GnssSatelliteView (&out)[kCapacity]) const {
    int n = 0;
    for (int s = 1; s < kGnssSystems; ++s) {
        for (int i = 0; i < kSvidIndices; ++i) {
            const uint8_t nEntry = m_nEntryOf[s][i];
            if (nEntry == kNone || m_Sats[nEntry].nKeys == 0)
                continue;
            const GnssSatellite& sat = m_Sats[nEntry];
            uint16_t nSnr = 0;
            for (uint32_t nKeys = sat.nKeys; nKeys; nKeys &= nKeys - 1) {
                const int k = std::countr_zero(nKeys);
                if (sat.nSnr[k] > nSnr)
                    nSnr = sat.nSnr[k];
            }
            out[n++] = {sat.id,
                        sat.nPrn,
                        sat.bHasElevation ? sat.nElevation : uint16_t{0},
                        sat.bHasAzimuth ? sat.nAzimuth : uint16_t{0},
                        sat.bHasElevation && sat.bHasAzimuth,
                        nSnr,
                        IsUsed(sat.id),
                        nEntry};
        }
    }
    return n;
}

int CGnssTable::Signals(int nEntry, GnssSignalSnr (&out)[kKeys]) const {
    const GnssSatellite& sat = m_Sats[nEntry];
    int n = 0;
    for (uint32_t nKeys = sat.nKeys; nKeys; nKeys &= nKeys - 1) {
        const int k = std::countr_zero(nKeys);
        const GnssSignal nSignal = m_Keys[k].nSignal;
        int i = 0;
        while (i < n && out[i].nSignal < nSignal)
            ++i;
        if (i < n && out[i].nSignal == nSignal) {
            if (sat.nSnr[k] > out[i].nSnr)
                out[i].nSnr = sat.nSnr[k];
            continue;
        }
        for (int j = n; j > i; --j)
            out[j] = out[j - 1];
        out[i] = {nSignal, sat.nSnr[k]};
        ++n;
    }
    return n;
}
