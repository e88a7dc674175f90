// SPDX-License-Identifier: MIT
// Timers by id, as the pages and the frame use them: a window sets timer 1 for its poll and
// timer 2 for a flash, the tick tells which one fired, and setting a running id again
// restarts it with the new period (the status light relies on that to stay lit while
// sentences keep coming).
#pragma once

#include <QBasicTimer>

#include <map>

class QObject;
class QTimerEvent;

class CTimerSet {
public:
    // The timers' events go to pOwner's timerEvent().
    explicit CTimerSet(QObject* pOwner) : m_pOwner(pOwner) {}

    // Starts timer nId, restarting it when it runs already.
    void Set(int nId, int nElapseMs);
    // Stops timer nId; false when it was not running.
    bool Kill(int nId);
    bool IsRunning(int nId) const;
    // The id of the timer that sent pEvent, or 0 when it is not one of these timers.
    int IdOf(const QTimerEvent* pEvent) const;

private:
    QObject* m_pOwner;
    std::map<int, QBasicTimer> m_Timers;
};
