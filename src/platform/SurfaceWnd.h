// SPDX-License-Identifier: MIT
// The base of the program's real windows (pages, tab container, bar graph, status light).
// Each window owns a persistent surface, a QImage that is what the screen shows of it (in the
// screen's device pixels, drawn on in logical ones: sharp at any display scaling), and
// follows the window system's paint protocol: Invalidate(bErase) asks for a repaint; the
// repaint runs OnEraseBkgnd first when an erase was asked for, then OnPaint, both drawing into
// the surface, and then copies the surface to the screen. Drawing outside a repaint goes
// through a CClientDC into the same surface and stays there until something draws over it;
// the sky plot's XOR markers and the status light depend on that. Posted messages, timers by
// id, commands and the tap-and-hold menu gesture arrive as virtual handlers:
//
//     class CStatsView : public CSurfaceWnd {
//         bool OnEraseBkgnd(CDrawContext& dc) override { ...; return true; }
//         void OnPaint(CDrawContext& dc) override { ... }
//         void OnMessage(int nMessage) override { if (nMessage == WM_GPS_GGA) ... }
//         bool OnCommand(int nId) override {
//             if (nId != ID_STATS_RESET)
//                 return false;
//             ...
//             return true;
//         }
//         bool OnContextMenu(const QPoint& pt) override {
//             return TrackPopupMenu(IDR_STATS_POPUP, pt, TopLevelOwner(this),
//                                   TPM_RIGHTALIGN | TPM_NONOTIFY);
//         }
//     };
#pragma once

#include "platform/Commands.h"
#include "platform/DrawContext.h"
#include "platform/Rect.h"
#include "platform/Timers.h"

#include <QBasicTimer>
#include <QColor>
#include <QImage>
#include <QPoint>
#include <QWidget>

class CSurfaceWnd : public QWidget, public CCommandTarget {
public:
    explicit CSurfaceWnd(QWidget* pParent = nullptr);

    // Names the window, places it under pParent at rect with control id nId, runs OnCreate and
    // shows it if asked. False, and the window left hidden, when OnCreate refuses.
    bool Create(const QString& strName, const CRect& rect, QWidget* pParent, int nId,
                bool bVisible = true);

    CRect GetClientRect() const { return {0, 0, width(), height()}; }
    // Moves the window (parent coordinates); a change of size erases and repaints it.
    void MoveWindow(const CRect& rect);

    // A child window hidden, as a page behind another: what it would draw nobody sees, and
    // showing it draws it afresh.
    bool IsPutAway() const { return parentWidget() && isHidden(); }

    // Asks for a repaint of the whole window, with the background erased first if bErase.
    void Invalidate(bool bErase = true);
    // The same, for a window that knows only rect can come out different: the repaint still
    // runs the handlers over the whole surface, but only rect is copied to the screen.
    void InvalidateRect(const CRect& rect, bool bErase = false);
    // Runs an outstanding repaint now (if the window is shown).
    void UpdateWindow();
    // Runs an outstanding repaint into the surface now, shown or not: tests render hidden
    // windows this way and read Surface().
    void UpdateSurface();

    // Posts nMessage to this window; OnMessage handles it after the current handler.
    bool PostMessage(int nMessage);
    // Timer nId ticks every nElapseMs into OnTimer; setting a running id restarts it.
    void SetTimer(int nId, int nElapseMs);
    bool KillTimer(int nId);
    bool IsTimerSet(int nId) const { return m_Timers.IsRunning(nId); }

    // What the screen shows of this window, at the screen's resolution: its device pixel
    // ratio is the window's (platform/DevicePixels.h).
    const QImage& Surface() const { return m_Surface; }
    // The colour the default erase fills with (the system window colour unless set).
    void SetBackgroundColour(const QColor& colour) { m_Background = colour; }
    // For a window its children cover and that draws nothing itself (a container): it keeps
    // no surface of its own, its handlers still run, and what shows of it between its
    // children is its background colour.
    void SetCoveredByChildren();
    // How often the window has drawn on its surface so far: repaints and drawing contexts
    // released outside them. What a page costs is mostly how often it draws.
    int DrawCount() const { return m_nDraws; }

protected:
    // Runs from Create; a negative result refuses the creation.
    virtual int OnCreate() { return 0; }
    // Returns whether the background counts as erased. The default fills it with the
    // background colour; a window that paints everything itself may return true at once.
    virtual bool OnEraseBkgnd(CDrawContext& dc);
    virtual void OnPaint(CDrawContext& dc);
    virtual void OnSize(int nWidth, int nHeight);
    virtual void OnTimer(int nId);
    virtual void OnMessage(int nMessage);
    // Tap-and-hold (pressing and holding the primary button) or a context-menu request at
    // ptScreen; false passes the request on to the parent window.
    virtual bool OnContextMenu(const QPoint& ptScreen);

    void paintEvent(QPaintEvent* pEvent) override;
    void resizeEvent(QResizeEvent* pEvent) override;
    void showEvent(QShowEvent* pEvent) override;
    void hideEvent(QHideEvent* pEvent) override;
    void customEvent(QEvent* pEvent) override;
    void timerEvent(QTimerEvent* pEvent) override;
    void contextMenuEvent(QContextMenuEvent* pEvent) override;
    void mousePressEvent(QMouseEvent* pEvent) override;
    void mouseMoveEvent(QMouseEvent* pEvent) override;
    void mouseReleaseEvent(QMouseEvent* pEvent) override;

private:
    friend class CClientDC;

    // Gives the surface the window's size; a new surface needs an erase and a paint.
    void EnsureSurface();
    void RunPendingPaint();

    QImage m_Surface;
    QColor m_Background;
    bool m_bPaintPending = false;
    bool m_bErasePending = false;
    bool m_bCovered = false;
    int m_nDraws = 0;
    CTimerSet m_Timers;
    QBasicTimer m_HoldTimer; // running while the primary button is held
    QPoint m_ptHoldLocal;
    QPoint m_ptHoldScreen;
};

// A drawing context on a window's surface outside its repaint (GetDC-style). What it draws
// reaches the screen when it is released (destroyed): the bounds of its drawing, nothing more.
class CClientDC : public CDrawContext {
public:
    explicit CClientDC(CSurfaceWnd* pWnd);
    ~CClientDC() override;

private:
    CSurfaceWnd* m_pWnd;
};
