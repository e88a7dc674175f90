// SPDX-License-Identifier: MIT
// Timers by id, as the pages and the frame use them: a window sets timer 1 for its poll and
// timer 2 for a flash, the tick tells which one fired, and setting a running id again
// restarts it with the new period (the status light relies on that to stay lit while
// sentences keep coming).
#pragma once

#include <QBasicTimer>
#include <QObject>

#include <functional>
#include <map>
#include <utility>

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

// A receiver of timer events for a window whose own events are dear: every event of a main
// window passes its menu bar's filter, which asks the style a question each time, and the
// frame's timers fire several times a second for as long as it runs.
class CTimerRelay : public QObject {
public:
    CTimerRelay(QObject* pParent, std::function<void(QTimerEvent*)> onTimer)
        : QObject(pParent), m_OnTimer(std::move(onTimer)) {}

protected:
    void timerEvent(QTimerEvent* pEvent) override { m_OnTimer(pEvent); }

private:
    std::function<void(QTimerEvent*)> m_OnTimer;
};
