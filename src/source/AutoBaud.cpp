// SPDX-License-Identifier: MIT
#include "source/AutoBaud.h"

#include <iterator>

CAutoBaudPort::CAutoBaudPort(std::unique_ptr<CSerialDevice> pDevice)
    : m_pDevice(std::move(pDevice)) {
    m_Probe.SetAllSystems(true); // every talker's sentences count
    TryRate(0);
}

void CAutoBaudPort::TryRate(size_t nRate) {
    m_nRate = nRate;
    m_pDevice->Configure(kUsualBaudRates[nRate]);
    // What arrived before the change is of the old rate.
    m_pDevice->DropInput();
    m_nBytesAtRate = 0;
    // A sentence begun at the old rate must not count at the new one.
    m_Probe.DropPartialSentence();
    m_nSentencesBefore = m_Probe.SentenceCount();
}

int CAutoBaudPort::Read(char* pBuffer, int nMax) {
    if (m_bFound)
        return m_pDevice->Read(pBuffer, nMax);
    // Everything the port holds is judged now, as a tick would drain it; the chunk that
    // brings the second good sentence is the first the reader gets.
    for (int nTotal = 0; nTotal < CSerialDevice::kDrainPerTick;) {
        const int n = m_pDevice->Read(pBuffer, nMax);
        if (n <= 0)
            return 0;
        nTotal += n;
        m_Probe.Feed(pBuffer, static_cast<uint32_t>(n));
        if (m_Probe.SentenceCount() - m_nSentencesBefore >= kSentencesToKeep) {
            m_bFound = true;
            return n;
        }
        m_nBytesAtRate += n;
        if (m_nBytesAtRate >= kBytesPerRate) {
            TryRate((m_nRate + 1) % std::size(kUsualBaudRates));
            return 0;
        }
    }
    return 0;
}

SourceStatus CAutoBaudPort::Status() const {
    SourceStatus status = m_pDevice->Status();
    if (!m_bFound)
        status.state = SourceStatus::State::Searching;
    return status;
}
