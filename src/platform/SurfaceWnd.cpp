// SPDX-License-Identifier: MIT
#include "platform/SurfaceWnd.h"

#include "platform/DevicePixels.h"
#include "platform/Dialog.h"
#include "platform/Messages.h"
#include "platform/SystemMetrics.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QStyleHints>
#include <QTimerEvent>

namespace {

// The context the repaint hands to OnEraseBkgnd and OnPaint.
class CSurfaceDC : public CDrawContext {
public:
    explicit CSurfaceDC(QImage* pImage) : CDrawContext(pImage) {}
};

} // namespace

CSurfaceWnd::CSurfaceWnd(QWidget* pParent)
    : QWidget(pParent), m_Background(GetSysColor(COLOR_WINDOW)), m_Timers(this) {
    // The surface covers every pixel, so Qt need not clear anything behind it.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
}

bool CSurfaceWnd::Create(const QString& strName, const CRect& rect, QWidget* pParent, int nId,
                         bool bVisible) {
    setParent(pParent);
    setObjectName(strName);
    SetDlgCtrlID(this, nId);
    MoveWindow(rect);
    if (OnCreate() < 0) {
        hide();
        return false;
    }
    setVisible(bVisible);
    return true;
}

void CSurfaceWnd::MoveWindow(const CRect& rect) {
    setGeometry(rect.left, rect.top, std::max(rect.Width(), 0), std::max(rect.Height(), 0));
}

void CSurfaceWnd::Invalidate(bool bErase) {
    m_bPaintPending = true;
    m_bErasePending = m_bErasePending || bErase;
    update();
}

void CSurfaceWnd::InvalidateRect(const CRect& rect, bool bErase) {
    m_bPaintPending = true;
    m_bErasePending = m_bErasePending || bErase;
    update(rect.left, rect.top, rect.Width(), rect.Height());
}

void CSurfaceWnd::UpdateWindow() {
    if (m_bPaintPending && isVisible())
        repaint();
}

void CSurfaceWnd::UpdateSurface() {
    EnsureSurface();
    if (m_bPaintPending)
        RunPendingPaint();
}

bool CSurfaceWnd::PostMessage(int nMessage) {
    return ::PostMessage(this, nMessage);
}

void CSurfaceWnd::SetTimer(int nId, int nElapseMs) {
    m_Timers.Set(nId, nElapseMs);
}

bool CSurfaceWnd::KillTimer(int nId) {
    return m_Timers.Kill(nId);
}

bool CSurfaceWnd::OnEraseBkgnd(CDrawContext& dc) {
    dc.FillSolidRect(GetClientRect(), m_Background);
    return true;
}

void CSurfaceWnd::OnPaint(CDrawContext&) {}

void CSurfaceWnd::OnSize(int, int) {}

void CSurfaceWnd::OnTimer(int) {}

void CSurfaceWnd::OnMessage(int) {}

bool CSurfaceWnd::OnContextMenu(const QPoint&) {
    return false;
}

void CSurfaceWnd::SetCoveredByChildren() {
    m_bCovered = true;
    m_Surface = QImage();
}

void CSurfaceWnd::EnsureSurface() {
    if (m_bCovered)
        return;
    // Qt tells a hidden window of its new size only when it is shown; drawing on it before
    // that must already find a surface of the right size. The surface has the screen's
    // resolution, so a window moved to a screen of another one is drawn afresh for it.
    const qreal dRatio = devicePixelRatioF();
    const QSize device = DeviceSize(width(), height(), dRatio);
    if (m_Surface.isNull() ? size().isEmpty()
                           : m_Surface.size() == device && m_Surface.devicePixelRatio() == dRatio)
        return;
    if (size().isEmpty()) {
        m_Surface = QImage();
    } else {
        m_Surface = QImage(device, QImage::Format_RGB32);
        m_Surface.setDevicePixelRatio(dRatio);
        m_Surface.fill(m_Background);
    }
    Invalidate(true);
}

void CSurfaceWnd::RunPendingPaint() {
    // Cleared first: a handler that invalidates again gets another repaint.
    m_bPaintPending = false;
    const bool bErase = std::exchange(m_bErasePending, false);
    ++m_nDraws;
    CSurfaceDC dc(&m_Surface);
    if (bErase)
        OnEraseBkgnd(dc);
    OnPaint(dc);
}

void CSurfaceWnd::paintEvent(QPaintEvent* pEvent) {
    // Exposures without an invalidation just show the surface again.
    EnsureSurface();
    if (m_bPaintPending)
        RunPendingPaint();
    QPainter painter(this);
    const QRect rect = pEvent->rect();
    if (m_bCovered) {
        painter.fillRect(rect, m_Background);
        return;
    }
    painter.drawImage(
        QRectF(rect), m_Surface,
        QRectF(DeviceRect({rect.left(), rect.top(), rect.right() + 1, rect.bottom() + 1},
                          m_Surface.devicePixelRatio())));
}

void CSurfaceWnd::resizeEvent(QResizeEvent*) {
    EnsureSurface();
    Invalidate(true);
    OnSize(width(), height());
}

void CSurfaceWnd::showEvent(QShowEvent*) {
    // A window that appears (a page brought to the front) is drawn afresh.
    Invalidate(true);
}

void CSurfaceWnd::hideEvent(QHideEvent* pEvent) {
    // A window put away (a page behind another, with its children) is drawn afresh when it
    // comes back, so its surface is of no use meanwhile: a megabyte a page at the usual size.
    // A window the desktop hides (minimised) keeps it.
    if (!pEvent->spontaneous() && !isVisible())
        m_Surface = QImage();
    QWidget::hideEvent(pEvent);
}

void CSurfaceWnd::customEvent(QEvent* pEvent) {
    if (const int nMessage = MessageOf(pEvent)) {
        OnMessage(nMessage);
        return;
    }
    QWidget::customEvent(pEvent);
}

void CSurfaceWnd::timerEvent(QTimerEvent* pEvent) {
    if (pEvent->timerId() == m_HoldTimer.timerId()) {
        m_HoldTimer.stop();
        // Delivered like a context-menu request, so an unhandled one reaches the parent.
        QContextMenuEvent request(QContextMenuEvent::Mouse, m_ptHoldLocal, m_ptHoldScreen);
        QApplication::sendEvent(this, &request);
        return;
    }
    if (const int nId = m_Timers.IdOf(pEvent)) {
        OnTimer(nId);
        return;
    }
    QWidget::timerEvent(pEvent);
}

void CSurfaceWnd::contextMenuEvent(QContextMenuEvent* pEvent) {
    m_HoldTimer.stop();
    if (OnContextMenu(pEvent->globalPos()))
        pEvent->accept();
    else
        pEvent->ignore();
}

void CSurfaceWnd::mousePressEvent(QMouseEvent* pEvent) {
    if (pEvent->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(pEvent);
        return;
    }
    m_ptHoldLocal = pEvent->position().toPoint();
    m_ptHoldScreen = pEvent->globalPosition().toPoint();
    m_HoldTimer.start(QGuiApplication::styleHints()->mousePressAndHoldInterval(), this);
    pEvent->accept();
}

void CSurfaceWnd::mouseMoveEvent(QMouseEvent* pEvent) {
    // A drag is not a hold.
    if (m_HoldTimer.isActive() && (pEvent->position().toPoint() - m_ptHoldLocal).manhattanLength() >
                                      QGuiApplication::styleHints()->startDragDistance())
        m_HoldTimer.stop();
    QWidget::mouseMoveEvent(pEvent);
}

void CSurfaceWnd::mouseReleaseEvent(QMouseEvent* pEvent) {
    m_HoldTimer.stop();
    QWidget::mouseReleaseEvent(pEvent);
}

CClientDC::CClientDC(CSurfaceWnd* pWnd) : CDrawContext(&pWnd->m_Surface), m_pWnd(pWnd) {
    pWnd->EnsureSurface();
}

CClientDC::~CClientDC() {
    // Only what was drawn goes to the screen, and nothing when nothing was.
    const CRect drawn = GetBounds();
    if (drawn.IsEmpty())
        return;
    ++m_pWnd->m_nDraws;
    m_pWnd->update(drawn.left, drawn.top, drawn.Width(), drawn.Height());
}
