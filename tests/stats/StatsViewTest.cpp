// SPDX-License-Identifier: MIT
// The "Stats" page as the user meets it: one sample per GGA while enabled, drawn in opaque
// cells without an erase, the enable toggle, the reset question, the thresholds dialog's
// effect, and a recorded drive fed through the decoder.
#include "StatsTestSupport.h"

#include "platform/Dialog.h"
#include "platform/DrawContext.h"
#include "platform/ScriptedInteraction.h"
#include "platform/SystemMetrics.h"
#include "stats/StatsView.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QDialog>
#include <QFile>
#include <QLineEdit>

#include <cmath>

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

// Forwards the decoder's notifications to the page as the frame does.
struct PageNotify : INmeaNotify {
    CStatsView* pView;
    explicit PageNotify(CStatsView* p) : pView(p) {}
    void PostToMain(unsigned nMessage) override { pView->PostMessage(static_cast<int>(nMessage)); }
    void Broadcast(unsigned) override {}
};

// "ddmm.mmmm" and its hemisphere as signed degrees, computed here without the decoder.
double Degrees(const QString& strValue, const QString& strHemisphere) {
    const double d = strValue.toDouble();
    const double dDegrees = std::trunc(d / 100) + std::fmod(d, 100) / 60;
    return strHemisphere == "S" || strHemisphere == "W" ? -dDegrees : dDegrees;
}

TEST_F(StatsViewTest, ARecordedDriveFedThroughTheDecoderIsAveraged) {
    WriteSettingInt(kSectionAveraging, kUseAveraging, 0);
    CreateView();
    PageNotify notify(pView);
    gps.SetNotify(&notify);
    QFile file(QStringLiteral(RAVUZIZ_DATA_DIR "/demo.nmea"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    uint32_t nFixes = 0;
    double dSums[3] = {};
    while (!file.atEnd()) {
        // One sentence per poll, each GGA handled before the next arrives.
        const QByteArray line = file.readLine();
        gps.Feed(line.constData(), static_cast<uint32_t>(line.size()));
        QCoreApplication::sendPostedEvents();
        const QStringList fields = QString::fromLatin1(line).split(',');
        if (fields[0] != "$GPGGA" || fields[6] == "0")
            continue;
        ++nFixes;
        dSums[0] += Degrees(fields[2], fields[3]);
        dSums[1] += Degrees(fields[4], fields[5]);
        dSums[2] += fields[9].toDouble();
    }
    gps.SetNotify(nullptr);
    ASSERT_GT(nFixes, 100u);
    const PositionAverages& a = pView->Averages();
    EXPECT_EQ(a.m_avgLatitude.m_nCount, nFixes);
    EXPECT_EQ(a.m_avgAltitude.m_nCount, nFixes);
    EXPECT_EQ(a.m_lsLongitude.m_nIndex, nFixes + 1);
    EXPECT_NEAR(a.m_avgLatitude.m_dMean, dSums[0] / nFixes, 1e-9);
    EXPECT_NEAR(a.m_avgLongitude.m_dMean, dSums[1] / nFixes, 1e-9);
    EXPECT_NEAR(a.m_avgAltitude.m_dMean, dSums[2] / nFixes, 1e-9);
}

} // namespace
