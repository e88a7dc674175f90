// SPDX-License-Identifier: MIT
#include "platform/Timers.h"

#include <QTimerEvent>

void CTimerSet::Set(int nId, int nElapseMs) {
    // QBasicTimer::start stops a running timer first, so this is a restart.
    m_Timers[nId].start(nElapseMs < 0 ? 0 : nElapseMs, m_pOwner);
}

bool CTimerSet::Kill(int nId) {
    auto it = m_Timers.find(nId);
    if (it == m_Timers.end() || !it->second.isActive())
        return false;
    it->second.stop();
    return true;
}

bool CTimerSet::IsRunning(int nId) const {
    auto it = m_Timers.find(nId);
    return it != m_Timers.end() && it->second.isActive();
}

int CTimerSet::IdOf(const QTimerEvent* pEvent) const {
    for (const auto& [nId, timer] : m_Timers)
        if (timer.isActive() && timer.timerId() == pEvent->timerId())
            return nId;
    return 0;
}
