// SPDX-License-Identifier: MIT
#include "platform/Messages.h"

#include <QApplication>
#include <QPointer>
#include <QWidget>

#include <vector>

namespace {

// Carries a broadcast to every top-level window in one posted event. One posted to each
// window would wake the event loop once per window, and every menu counts as one: a dozen
// wake-ups for each notice that data flows.
class CBroadcastRelay : public QObject {
public:
    using QObject::QObject;

protected:
    void customEvent(QEvent* pEvent) override {
        const int nMessage = MessageOf(pEvent);
        // A handler may close another window: those gone by their turn get nothing.
        std::vector<QPointer<QWidget>> windows;
        for (QWidget* pWindow : QApplication::topLevelWidgets())
            windows.emplace_back(pWindow);
        for (const QPointer<QWidget>& pWindow : windows) {
            CMessageEvent message(nMessage);
            if (pWindow)
                QCoreApplication::sendEvent(pWindow, &message);
        }
    }
};

} // namespace

QEvent::Type CMessageEvent::EventType() {
    static const QEvent::Type type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

bool PostMessage(QObject* pTarget, int nMessage) {
    if (!pTarget)
        return false;
    QCoreApplication::postEvent(pTarget, new CMessageEvent(nMessage));
    return true;
}

void BroadcastMessage(int nMessage) {
    static QPointer<CBroadcastRelay> pRelay;
    if (!pRelay)
        pRelay = new CBroadcastRelay(QCoreApplication::instance());
    PostMessage(pRelay, nMessage);
}

int MessageOf(const QEvent* pEvent) {
    if (!pEvent || pEvent->type() != CMessageEvent::EventType())
        return 0;
    return static_cast<const CMessageEvent*>(pEvent)->Message();
}
