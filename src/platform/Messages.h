// SPDX-License-Identifier: MIT
// Window messages, delivered as Qt events. A message posted to a window is handled after the
// handler that posted it has returned, in posting order, on the one user-interface thread:
// the decoder posts its notifications in the middle of a timer tick and the pages must see
// them only after the tick. The messages posted so far, and those their handlers post, are
// all handled before the event loop turns to timers, repaints and input. A window's
// customEvent() (CSurfaceWnd::OnMessage) is its message map. Messages carry no parameters:
// the program posts every one with both parameters 0.
#pragma once

#include <QEvent>

class QObject;

class CMessageEvent : public QEvent {
public:
    explicit CMessageEvent(int nMessage) : QEvent(EventType()), m_nMessage(nMessage) {}
    int Message() const { return m_nMessage; }

    // The one event type of every posted message.
    static QEvent::Type EventType();

private:
    int m_nMessage;
};

// Posts nMessage to pTarget; false when there is no target.
bool PostMessage(QObject* pTarget, int nMessage);

// Posts nMessage to every top-level window of the application but menus and tips, as one
// message: it is handled where one posted now would be, by each window there is then, one
// after the other.
void BroadcastMessage(int nMessage);

// The message that pEvent carries, or 0 when it is not a posted message.
int MessageOf(const QEvent* pEvent);
