// SPDX-License-Identifier: MIT
// The "Stats" page as the user meets it: one sample per GGA while enabled, drawn in opaque
// cells without an erase, the enable toggle, the reset question, and the thresholds dialog:
// what it shows, stores and refuses, and what the page applies. (A replay is a shell test.)
#include "StatsTestSupport.h"

#include "common/ScriptedInteraction.h"
#include "platform/Dialog.h"
#include "platform/DrawContext.h"
#include "platform/SystemMetrics.h"
#include "stats/AvgThresholdsDlg.h"
#include "stats/StatsView.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QDialog>
#include <QLineEdit>

namespace {

class StatsViewTest : public StoreTest {
protected:
    void CreateView() {
        frame.resize(320, 300);
        pView = new CStatsView(gps, &frame);
        ASSERT_TRUE(pView->Create(kStatsViewName, {0, 0, 320, 300}, &frame, ID_PAGE_WND));
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

void SetText(QDialog& dialog, int nId, const char* pszText) {
    GetDlgItemAs<QLineEdit>(&dialog, nId)->setText(QString::fromUtf8(pszText));
}

// From stored values (none, chosen, neither 0 nor 1) written behind the page's back to what the
// dialog shows; from the person's changes to what OK stores ("%f" texts of the fields as read
// back); and the page sampling by the settings it loaded until OK, then by the new ones: a fix
// without GSA before, one with HDOP 2.5, VDOP 2.5 and PDOP 9 after, as lat/lon and altitude.
TEST_F(StatsViewTest, ThresholdsDialogShowsTheStoreAndThePageAppliesWhatOkStored) {
    CreateView();
    struct Case {
        const char* pLegend;
        std::vector<std::pair<const char*, const char*>> stored;
        std::function<void(QDialog&)> play;
        const char* pszExpected; // shown / stored / taken before and after
    } const cases[] = {
        {"first use", {}, {}, "11010 3.00 3.00 / 1 1 1 3.000000 3.000000 / 00 11"},
        {"chosen values",
         {{kUseAveraging, "0"},
          {kLatLonUseHdop, "0"},
          {kLatLonAvgThreshold, "2.456"},
          {kAltAvgThreshold, "10"}},
         [](QDialog& dialog) {
             for (const int nId : {IDC_USE_AVERAGING, IDC_LATLON_HDOP, IDC_ALT_PDOP})
                 GetDlgItemAs<QAbstractButton>(&dialog, nId)->click();
         },
         "00110 2.46 10.00 / 1 1 0 2.460000 10.000000 / 00 01"},
        {"neither 0 nor 1",
         {{kUseAveraging, "2"}, {kLatLonUseHdop, "-1"}, {kAltUseVdop, "7"}},
         [](QDialog& dialog) {
             SetText(dialog, IDC_LATLON_THRESHOLD, " 1.75 ");
             SetText(dialog, IDC_ALT_THRESHOLD, "1e1");
         },
         "00000 3.00 3.00 / 0 0 0 1.750000 10.000000 / 00 11"},
    };
    const auto sampled = [&](double dHdop, double dVdop, double dPdop) {
        const uint32_t nLatLon = LatLonCount(), nAltitude = AltitudeCount();
        SetFix(gps, 1, 47.5, -122.25, 100.0, dHdop, dVdop, dPdop);
        Gga();
        return std::to_string(LatLonCount() - nLatLon) +
               std::to_string(AltitudeCount() - nAltitude);
    };
    for (const Case& c : cases) {
        CleanStoreTest::SetUp();
        for (const auto& [pszName, pszValue] : c.stored)
            WriteSettingString(kSectionAveraging, pszName, pszValue);
        const std::string strBefore = sampled(0, 0, 0);
        CScriptedInteraction person;
        std::string strShown; // the check box and the radio buttons as 1 or 0, the fields
        person.AnswerDialog([&](QDialog& dialog) {
            for (const int nId :
                 {IDC_USE_AVERAGING, IDC_LATLON_HDOP, IDC_LATLON_PDOP, IDC_ALT_VDOP, IDC_ALT_PDOP})
                strShown += GetDlgItemAs<QAbstractButton>(&dialog, nId)->isChecked() ? '1' : '0';
            for (const int nId : {IDC_LATLON_THRESHOLD, IDC_ALT_THRESHOLD})
                strShown += " " + GetDlgItemAs<QLineEdit>(&dialog, nId)->text().toStdString();
            if (c.play)
                c.play(dialog);
            dialog.accept();
        });
        EXPECT_TRUE(pView->OnCommand(ID_AVG_THRESHOLDS));
        QString strStored;
        for (const char* pszName :
             {kUseAveraging, kLatLonUseHdop, kAltUseVdop, kLatLonAvgThreshold, kAltAvgThreshold})
            strStored += (strStored.isEmpty() ? "" : " ") + Stored(pszName);
        EXPECT_EQ(strShown + " / " + strStored.toStdString() + " / " + strBefore + " " +
                      sampled(2.5, 2.5, 9.0),
                  c.pszExpected)
            << c.pLegend;
    }
}

// Anything but a number above 0 would refuse every sample: it is refused itself, in either
// field, and the dialog stays open until both hold one or the person cancels.
TEST_F(StatsViewTest, ThresholdsDialogRefusesTextsThatAreNotNumbersAboveZero) {
    CreateView();
    const char* const refused[] = {"abc", "", "0", "-1", "1.75x", "2,5", "inf"};
    CScriptedInteraction person;
    person.AnswerDialog([&](QDialog& dialog) {
        for (const int nField : {IDC_LATLON_THRESHOLD, IDC_ALT_THRESHOLD}) {
            for (const char* pszTyped : refused) {
                SetText(dialog, IDC_LATLON_THRESHOLD, "4");
                SetText(dialog, IDC_ALT_THRESHOLD, "4");
                SetText(dialog, nField, pszTyped);
                dialog.accept();
                ASSERT_EQ(dialog.result(), 0) << pszTyped << " closed the dialog";
            }
        }
        dialog.reject();
    });
    EXPECT_TRUE(pView->OnCommand(ID_AVG_THRESHOLDS));
    EXPECT_EQ(person.Prompts().size(), 2 * std::size(refused) + 1);
    EXPECT_EQ(Stored(kLatLonAvgThreshold), "(absent)");
}

} // namespace
