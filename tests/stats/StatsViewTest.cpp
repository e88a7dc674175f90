// SPDX-License-Identifier: MIT
// The "Stats" page as the user meets it: one sample per GGA while enabled, drawn in opaque
// cells without an erase, the enable toggle, the reset question and the thresholds dialog's
// effect. (A replay reaching the page through the frame is a shell test.)
#include "StatsTestSupport.h"

#include "platform/Dialog.h"
#include "platform/DrawContext.h"
#include "common/ScriptedInteraction.h"
#include "platform/SystemMetrics.h"
#include "stats/StatsView.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QDialog>
#include <QLineEdit>

namespace {

constexpr int kWidth = 320;
constexpr int kHeight = 300;

class StatsViewTest : public StoreTest {
protected:
    void CreateView() {
        frame.resize(kWidth, kHeight);
        pView = new CStatsView(gps, &frame);
        ASSERT_TRUE(pView->Create(kStatsViewName, {0, 0, kWidth, kHeight}, &frame, ID_PAGE_WND));
        pView->UpdateSurface();
        CDrawContext dc;
        dc.SelectFont(CFont::FromPointSize(70, QStringLiteral("Arial"), ScreenDpiY()));
        const TextMetrics m = dc.GetTextMetrics();
        // The Lat/Lon sample count: line 11 of the table, column 25.
        countCell = QRect(6 + 25 * m.tmAveCharWidth, 6 + 11 * m.tmHeight, 40, m.tmHeight);
    }

    // The decoder's notification, handled after the handler that posted it.
    void Gga() {
        pView->PostMessage(WM_GPS_GGA);
        QCoreApplication::sendPostedEvents();
    }

    uint32_t LatLonCount() const { return pView->Averages().m_avgLatitude.m_nCount; }
    uint32_t AltitudeCount() const { return pView->Averages().m_avgAltitude.m_nCount; }

    // Paints the count's cell red behind the page's back; the red pixels left after a repaint.
    void MarkCount() {
        CClientDC dc(pView);
        dc.FillSolidRect(
            {countCell.left(), countCell.top(), countCell.right() + 1, countCell.bottom() + 1},
            kMarker);
    }
    int MarkedAfterRepaint() {
        pView->UpdateSurface();
        return CountPixels(pView->Surface(), kMarker, countCell);
    }

    const QColor kMarker{255, 0, 0};
    QRect countCell;
    CNmeaParser gps; // outlives the page
    CSurfaceWnd frame;
    CStatsView* pView = nullptr;
};

// While enabled, every GGA is a sample and the value's opaque cell covers what was under it;
// disabled, neither the samples nor the cells change, until enabled again.
TEST_F(StatsViewTest, EnableToggleStartsAndStopsSamplingAndTheRepaint) {
    CreateView();
    SetFix(gps, 1, 47.5, -122.25, 100.0);
    MarkCount();
    Gga();
    EXPECT_EQ(LatLonCount(), 1u);
    EXPECT_EQ(AltitudeCount(), 1u);
    EXPECT_EQ(MarkedAfterRepaint(), 0);

    for (const bool bEnabled : {false, true}) {
        EXPECT_TRUE(pView->OnCommand(ID_STATS_ENABLE));
        CCommandState state(ID_STATS_ENABLE);
        EXPECT_TRUE(pView->OnUpdateCommand(state));
        EXPECT_EQ(state.IsChecked(), bEnabled);
        MarkCount();
        Gga();
        EXPECT_EQ(LatLonCount(), bEnabled ? 2u : 1u);
        EXPECT_EQ(MarkedAfterRepaint() == 0, bEnabled);
    }
}

// Yes resets and keeps averaging; the shorter values then drawn over the old table without an
// erase show just as a fully erased page does.
TEST_F(StatsViewTest, ResetAsksAndYesResetsLeavingNothingOfTheLongerValues) {
    SetUnits(2, 1, 2);
    CreateView();
    for (const double d : {10.0, -20.0, 35.0}) {
        SetFix(gps, 1, d, 3 * d, 300 * d);
        Gga();
    }
    pView->UpdateSurface();
    CScriptedInteraction person;
    person.AnswerMessageBox(IDYES);
    EXPECT_TRUE(pView->OnCommand(ID_STATS_RESET));
    EXPECT_EQ(person.Prompts().size(), 1u);
    EXPECT_EQ(LatLonCount(), 0u);
    EXPECT_EQ(pView->Averages().m_lsAltitude.m_nIndex, 1u);
    pView->UpdateSurface();
    const QImage updated = pView->Surface().copy();
    pView->Invalidate(true);
    pView->UpdateSurface();
    EXPECT_EQ(updated, pView->Surface());
    Gga();
    EXPECT_EQ(LatLonCount(), 1u);
}

// The page keeps the settings it loaded until the dialog is accepted, and the dialog starts
// from the store, not from the page's copies.
TEST_F(StatsViewTest, ThresholdsApplyWhenTheDialogIsAccepted) {
    CreateView();
    WriteSettingInt(kSectionAveraging, kUseAveraging, 0); // behind the page's back
    SetFix(gps, 1, 47.5, -122.25, 100.0, 0, 0, 0);        // no GSA: refused with thresholds on
    Gga();
    EXPECT_EQ(LatLonCount(), 0u);

    CScriptedInteraction person;
    bool bShownChecked = true;
    person.AnswerDialog([&](QDialog& dialog) {
        auto* pBox = GetDlgItemAs<QAbstractButton>(&dialog, IDC_USE_AVERAGING);
        bShownChecked = pBox->isChecked();
        pBox->setChecked(true);
        GetDlgItemAs<QLineEdit>(&dialog, IDC_LATLON_THRESHOLD)->setText("2.5");
        dialog.accept();
    });
    EXPECT_TRUE(pView->OnCommand(ID_AVG_THRESHOLDS));
    EXPECT_FALSE(bShownChecked);
    SetFix(gps, 1, 47.5, -122.25, 100.0, 2.5, 2.5, 9.0);
    Gga();
    EXPECT_EQ(LatLonCount(), 0u);
    EXPECT_EQ(AltitudeCount(), 1u);
    gps.m_dHdop = 2.49;
    Gga();
    EXPECT_EQ(LatLonCount(), 1u);
}

} // namespace
