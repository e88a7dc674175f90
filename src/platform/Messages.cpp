// SPDX-License-Identifier: MIT
#include "platform/Messages.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QPointer>
#include <QThread>
#include <QWidget>

#include <cstddef>
#include <utility>
#include <vector>

namespace {

// Every menu and tip is a top-level widget of its own, made once and kept, but none is a
// window the program's messages are for: sending them a notice costs and does nothing.
bool TakesMessages(const QWidget* pWindow) {
    const Qt::WindowType type = pWindow->windowType();
    return type != Qt::Popup && type != Qt::ToolTip;
}

// The thread's queue of messages. Each Qt event posted wakes the event loop (a system call
// each) and a message posted from a handler waits for another turn of the loop, so a notice
// forwarded from window to window cost a turn per window. Messages wait here instead, and
// one posted event delivers them all, in posting order, those posted by their handlers too.
// Timers, repaints and input come after that, as they come after posted messages in the
// window system these messages were modelled on.
class CMessagePump : public QObject {
public:
    explicit CMessagePump(QObject* pParent) : QObject(pParent) {
        // A handler may run a modal loop (a dialog, a menu) before it returns: what is posted
        // meanwhile must not wait for the handler, so a loop about to wait delivers it.
        if (auto* pDispatcher = QAbstractEventDispatcher::instance(thread()))
            connect(pDispatcher, &QAbstractEventDispatcher::aboutToBlock, this, [this] {
                if (m_nNext < m_Queue.size())
                    Wake();
            });
    }

    // pTarget null: to every top-level window.
    void Post(QObject* pTarget, int nMessage) {
        m_Queue.push_back({pTarget, nMessage, pTarget == nullptr});
        // A drain in progress takes it in its turn.
        if (m_nDraining == 0)
            Wake();
    }

protected:
    void customEvent(QEvent* pEvent) override {
        if (pEvent->type() != WakeType()) {
            QObject::customEvent(pEvent);
            return;
        }
        m_bWakePosted = false;
        ++m_nDraining;
        for (int nHandled = 0; m_nNext < m_Queue.size(); ++nHandled) {
            // A window that posts to itself at every message must not hold the thread.
            if (nHandled == kMostPerWake) {
                Wake();
                break;
            }
            // Taken out first: a handler's post may move the queue.
            const Entry entry = m_Queue[m_nNext++];
            Deliver(entry);
        }
        if (m_nNext == m_Queue.size()) {
            m_Queue.clear(); // keeps its room: no allocation at the next notice
            m_nNext = 0;
        }
        --m_nDraining;
    }

private:
    struct Entry {
        QPointer<QObject> pTarget;
        int nMessage = 0;
        bool bBroadcast = false;
    };

    static constexpr int kMostPerWake = 1000;

    static QEvent::Type WakeType() {
        static const QEvent::Type type = static_cast<QEvent::Type>(QEvent::registerEventType());
        return type;
    }

    void Wake() {
        if (std::exchange(m_bWakePosted, true))
            return;
        QCoreApplication::postEvent(this, new QEvent(WakeType()));
    }

    static void Deliver(const Entry& entry) {
        if (!entry.bBroadcast) {
            // Gone since it was posted to: nothing, as for a posted event.
            if (entry.pTarget) {
                CMessageEvent message(entry.nMessage);
                QCoreApplication::sendEvent(entry.pTarget, &message);
            }
            return;
        }
        // A handler may close another window: those gone by their turn get nothing.
        std::vector<QPointer<QWidget>> windows;
        for (QWidget* pWindow : QApplication::topLevelWidgets())
            if (TakesMessages(pWindow))
                windows.emplace_back(pWindow);
        for (const QPointer<QWidget>& pWindow : windows) {
            CMessageEvent message(entry.nMessage);
            if (pWindow)
                QCoreApplication::sendEvent(pWindow, &message);
        }
    }

    std::vector<Entry> m_Queue;
    std::size_t m_nNext = 0; // the next to deliver
    int m_nDraining = 0;     // nested when a handler runs a modal loop
    bool m_bWakePosted = false;
};

CMessagePump* Pump() {
    // Made again if the application is.
    static QPointer<CMessagePump> pPump;
    if (!pPump && QCoreApplication::instance())
        pPump = new CMessagePump(QCoreApplication::instance());
    return pPump;
}

} // namespace

QEvent::Type CMessageEvent::EventType() {
    static const QEvent::Type type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

bool PostMessage(QObject* pTarget, int nMessage) {
    if (!pTarget)
        return false;
    CMessagePump* pPump = Pump();
    // The queue is the user-interface thread's; a post from another thread, or to an object
    // of another, is a posted event of its own.
    if (!pPump || QThread::currentThread() != pPump->thread() ||
        pTarget->thread() != pPump->thread()) {
        QCoreApplication::postEvent(pTarget, new CMessageEvent(nMessage));
        return true;
    }
    pPump->Post(pTarget, nMessage);
    return true;
}

void BroadcastMessage(int nMessage) {
    if (CMessagePump* pPump = Pump())
        pPump->Post(nullptr, nMessage);
}

int MessageOf(const QEvent* pEvent) {
    if (!pEvent || pEvent->type() != CMessageEvent::EventType())
        return 0;
    return static_cast<const CMessageEvent*>(pEvent)->Message();
}
