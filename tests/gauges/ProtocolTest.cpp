// SPDX-License-Identifier: MIT
// Every gauge hands the drawing context back as it found it, except for the background mode:
// the compass writes on whatever mode the context has, the others switch it to transparent.
#include "GaugeTestSupport.h"

#include "gauges/AltimeterWnd.h"
#include "gauges/CompassWnd.h"
#include "gauges/SpeedometerWnd.h"
#include "gauges/VerticalSpeedWnd.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

const CRect kRect{0, 0, 200, 200};

struct ProtocolCase {
    const char* pszName;
    std::function<void(CDrawContext&)> draw;
    bool bSetsTransparent;
};

TEST(DrawingProtocol, GaugesRestoreTheContextAndSetTheirBackgroundMode) {
    CSpeedometerWnd speedometer;
    CAltimeterWnd altimeter;
    altimeter.Layout(kRect);
    CCompassWnd compass;
    compass.Layout(kRect);
    CVerticalSpeedWnd verticalSpeed;
    verticalSpeed.Layout(kRect);
    const ProtocolCase cases[] = {
        {"speedometer", [&](CDrawContext& dc) { speedometer.Draw(dc, kRect); }, true},
        {"altimeter", [&](CDrawContext& dc) { altimeter.Draw(dc, kRect); }, true},
        {"compass", [&](CDrawContext& dc) { compass.Draw(dc, kRect); }, false},
        {"vertical speed", [&](CDrawContext& dc) { verticalSpeed.Draw(dc, kRect); }, true},
    };
    const CPen pen(PS_SOLID, 3, Qt::red);
    const CBrush brush(Qt::green);
    const CFont font = GaugeFont(123);
    for (const ProtocolCase& c : cases)
        for (const int nMode : {OPAQUE, TRANSPARENT}) {
            SCOPED_TRACE(testing::Message() << c.pszName << ", mode " << nMode);
            Canvas canvas(kRect.right, kRect.bottom);
            canvas.dc.SelectPen(pen);
            canvas.dc.SelectBrush(brush);
            canvas.dc.SelectFont(font);
            canvas.dc.SetTextColor(Qt::magenta);
            canvas.dc.SetBkColor(Qt::cyan);
            canvas.dc.SetBkMode(nMode);
            c.draw(canvas.dc);
            EXPECT_EQ(canvas.dc.GetPen(), pen);
            EXPECT_EQ(canvas.dc.GetBrush(), brush);
            EXPECT_EQ(canvas.dc.GetFont().GetLogFont(), font.GetLogFont());
            EXPECT_EQ(canvas.dc.GetTextColor(), QColor(Qt::magenta));
            EXPECT_EQ(canvas.dc.GetBkColor(), QColor(Qt::cyan));
            EXPECT_EQ(canvas.dc.GetBkMode(), c.bSetsTransparent ? TRANSPARENT : nMode);
            // Something was drawn: the face at least.
            EXPECT_GT(CountPixels(canvas.Image(), Colours().text), 0);
        }
}

} // namespace
