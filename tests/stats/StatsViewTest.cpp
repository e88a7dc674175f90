// SPDX-License-Identifier: MIT
// The "Stats" page as the user meets it: its background and frame, the table drawn in opaque
// cells, one sample per GGA while enabled, the enable toggle with its check
// mark, the reset question, the tap-and-hold menu, the thresholds dialog's effect, and a
// recorded drive fed through the decoder.
#include "StatsTestSupport.h"

#include "platform/Dialog.h"
#include "platform/DrawContext.h"
#include "common/ScriptedInteraction.h"
#include "platform/SystemMetrics.h"
#include "stats/StatsTable.h"
#include "stats/StatsView.h"

#include <QAbstractButton>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QDialog>
#include <QFile>
#include <QLineEdit>

#include <cmath>
#include <vector>

namespace {

// Wide enough for the longest row, which on a 240-pixel handheld runs into the frame.
constexpr int kWidth = 320;
constexpr int kHeight = 300;
// The table's text column and first line: the client inset by 3, then 3 more.
constexpr int kX0 = 6;
constexpr int kY0 = 6;

// Stands in for the main frame: the top-level owner of the page's menu, passing commands and
// their states down to the page as the frame's routing does.
class CFrameStandIn : public CSurfaceWnd {
public:
    CStatsView* pView = nullptr;
    bool OnCommand(int nId) override { return pView && pView->OnCommand(nId); }
    bool OnUpdateCommand(CCommandState& state) override {
        return pView && pView->OnUpdateCommand(state);
    }
};

// The page's font in weight nWeight, selected into a scratch context for measuring.
struct PageFont {
    explicit PageFont(int nWeight = FW_DONTCARE) {
        dc.SelectFont(CFont::FromPointSize(70, QStringLiteral("Arial"), ScreenDpiY(), nWeight));
    }
    CDrawContext dc;
};

class StatsViewTest : public StoreTest {
protected:
    void CreateView() {
        frame.resize(kWidth, kHeight);
        pView = new CStatsView(gps, &frame);
        ASSERT_TRUE(pView->Create(kStatsViewName, {0, 0, kWidth, kHeight}, &frame, ID_PAGE_WND));
        frame.pView = pView;
        pView->UpdateSurface();
    }

    // The decoder's notification, handled after the handler that posted it.
    void Gga() {
        pView->PostMessage(WM_GPS_GGA);
        QCoreApplication::sendPostedEvents();
    }

    uint32_t LatLonCount() const { return pView->Averages().m_avgLatitude.m_nCount; }
    uint32_t AltitudeCount() const { return pView->Averages().m_avgAltitude.m_nCount; }
    bool EnableChecked() const {
        CCommandState state(ID_STATS_ENABLE);
        return pView->OnUpdateCommand(state) && state.IsChecked();
    }
    // The band of table line nLine.
    QRect Line(int nLine, int x = 0) const {
        return QRect(x, kY0 + nLine * m.tmHeight, kWidth - x, m.tmHeight);
    }
    // The cell of the Lat/Lon sample count.
    QRect CountCell() const { return Line(11, kX0 + 25 * m.tmAveCharWidth).adjusted(0, 0, -60, 0); }

    const TextMetrics m = PageFont().dc.GetTextMetrics();
    CNmeaParser gps; // outlives the page
    CFrameStandIn frame;
    CStatsView* pView = nullptr;
};

TEST_F(StatsViewTest, ErasesToButtonFaceInsideASunkenEdge) {
    CreateView();
    const QImage& surface = pView->Surface();
    ASSERT_EQ(surface.size(), QSize(kWidth, kHeight));
    const QRgb shadow = GetSysColor(COLOR_3DDKSHADOW).rgb();
    const QRgb highlight = GetSysColor(COLOR_BTNHIGHLIGHT).rgb();
    for (int x = 1; x < kWidth - 1; ++x) {
        EXPECT_EQ(surface.pixel(x, 0), shadow) << x;
        EXPECT_EQ(surface.pixel(x, kHeight - 1), highlight) << x;
    }
    for (int y = 1; y < kHeight - 1; ++y) {
        EXPECT_EQ(surface.pixel(0, y), shadow) << y;
        EXPECT_EQ(surface.pixel(kWidth - 1, y), highlight) << y;
    }
    // Below the table nothing but button face.
    const int yBelow = kY0 + 18 * m.tmHeight;
    EXPECT_TRUE(InkBounds(surface, GetSysColor(COLOR_BTNFACE),
                          QRect(1, yBelow, kWidth - 2, kHeight - 1 - yBelow))
                    .isNull());
}

TEST_F(StatsViewTest, SamplesEachGgaAndRepaintsInPlaceWithoutErasing) {
    CreateView();
    const QColor marker(255, 0, 0);
    {
        CClientDC dc(pView);
        dc.FillSolidRect({100, kY0 + 4 * m.tmHeight, 110, kY0 + 5 * m.tmHeight}, marker);
        const QRect cell = CountCell();
        dc.FillSolidRect({cell.left(), cell.top(), cell.left() + 8, cell.bottom() + 1}, marker);
    }
    SetFix(gps, 1, 47.5, -122.25, 100.0, 1.2, 1.9, 2.2);
    Gga();
    EXPECT_EQ(LatLonCount(), 1u);
    EXPECT_EQ(AltitudeCount(), 1u);
    pView->UpdateSurface();
    // The count's opaque cell covers the marker under it; the empty line is not erased.
    EXPECT_EQ(CountPixels(pView->Surface(), marker, CountCell()), 0);
    EXPECT_EQ(CountPixels(pView->Surface(), marker), 10 * m.tmHeight);
}

TEST_F(StatsViewTest, DisablingStopsSamplingAndTheDataRepaintUntilEnabledAgain) {
    CreateView();
    SetFix(gps, 1, 47.5, -122.25, 100.0);
    EXPECT_TRUE(pView->IsEnabled());
    EXPECT_TRUE(EnableChecked());
    Gga();
    ASSERT_EQ(LatLonCount(), 1u);
    pView->UpdateSurface();

    EXPECT_TRUE(pView->OnCommand(ID_STATS_ENABLE));
    EXPECT_FALSE(pView->IsEnabled());
    EXPECT_FALSE(EnableChecked());
    const QColor marker(255, 0, 0);
    {
        CClientDC dc(pView);
        dc.FillSolidRect({CountCell().left(), CountCell().top(), CountCell().right() + 1,
                          CountCell().bottom() + 1},
                         marker);
    }
    for (int i = 0; i < 3; ++i)
        Gga();
    EXPECT_EQ(LatLonCount(), 1u);
    EXPECT_EQ(AltitudeCount(), 1u);
    pView->UpdateSurface();
    EXPECT_EQ(CountPixels(pView->Surface(), marker, CountCell()), CountCell().width() * m.tmHeight);

    EXPECT_TRUE(pView->OnCommand(ID_STATS_ENABLE));
    EXPECT_TRUE(EnableChecked());
    Gga();
    EXPECT_EQ(LatLonCount(), 2u);
    // Commands and states of other pages are not the page's.
    EXPECT_FALSE(pView->OnCommand(ID_ENABLE_TRAILS));
    CCommandState state(ID_STATS_RESET);
    EXPECT_FALSE(pView->OnUpdateCommand(state));
    pView->UpdateSurface();
    EXPECT_LT(CountPixels(pView->Surface(), marker, CountCell()), CountCell().width() * m.tmHeight);
}

// (Answering "No" is one of the fault tests' cancelled questions.)
TEST_F(StatsViewTest, ResetAsksAndYesResets) {
    CreateView();
    const QImage empty = pView->Surface().copy(CountCell());
    SetFix(gps, 1, 47.5, -122.25, 100.0);
    Gga();
    Gga();
    CScriptedInteraction person;
    person.AnswerMessageBox(IDYES);
    EXPECT_TRUE(pView->OnCommand(ID_STATS_RESET));
    EXPECT_EQ(LatLonCount(), 0u);
    EXPECT_EQ(AltitudeCount(), 0u);
    EXPECT_EQ(pView->Averages().m_lsAltitude.m_nIndex, 1u);
    EXPECT_EQ(pView->Averages().m_avgLatitude.m_dMean, 0.0);
    pView->UpdateSurface();
    EXPECT_EQ(pView->Surface().copy(CountCell()), empty);
    ASSERT_EQ(person.Prompts().size(), 1u);
    const Prompt& prompt = person.Prompts()[0];
    EXPECT_EQ(prompt.strText, "This will reset all values back to zero. Are you sure you "
                              "want to continue?");
    EXPECT_EQ(prompt.strCaption, "Ravuziz");
    EXPECT_EQ(prompt.nType, MB_YESNO);
    // Still enabled: resetting does not stop averaging.
    Gga();
    EXPECT_EQ(LatLonCount(), 1u);
}

TEST_F(StatsViewTest, ShorterValuesAfterAResetLeaveNothingOfTheLongerOnes) {
    SetUnits(2, 1, 2); // metres, and decimal degrees
    CreateView();
    // Fixes far apart: spreads of hundreds of kilometres, altitudes of thousands of metres.
    for (const double d : {10.0, -20.0, 35.0}) {
        SetFix(gps, 1, d, 3 * d, 300 * d);
        Gga();
    }
    pView->UpdateSurface();
    CScriptedInteraction person;
    person.AnswerMessageBox(IDYES);
    pView->OnCommand(ID_STATS_RESET);
    pView->UpdateSurface();
    // Drawn over the old table without an erase, just as a fully erased page shows it.
    const QImage updated = pView->Surface().copy();
    pView->Invalidate(true);
    pView->UpdateSurface();
    EXPECT_EQ(updated, pView->Surface());
}

TEST_F(StatsViewTest, TapAndHoldOpensTheMenuOwnedByTheFrame) {
    CreateView();
    CScriptedInteraction person;
    person.AnswerMenu(ID_STATS_ENABLE);
    const QPoint ptLocal(120, 150);
    const QPoint ptScreen = pView->mapToGlobal(ptLocal);
    QContextMenuEvent gesture(QContextMenuEvent::Mouse, ptLocal, ptScreen);
    QCoreApplication::sendEvent(pView, &gesture);
    EXPECT_TRUE(gesture.isAccepted());

    ASSERT_EQ(person.Prompts().size(), 1u);
    const Prompt& menu = person.Prompts()[0];
    EXPECT_EQ(menu.kind, Prompt::Kind::Menu);
    EXPECT_EQ(menu.strText, "IDR_STATS_POPUP");
    ASSERT_FALSE(menu.menuItems.empty());
    EXPECT_EQ(menu.menuItems[0].nId, ID_STATS_ENABLE);
    EXPECT_TRUE(menu.menuItems[0].bChecked);    // asked of the page through the frame
    EXPECT_LT(menu.ptScreen.x(), ptScreen.x()); // right edge at the point
    EXPECT_EQ(menu.ptScreen.y(), ptScreen.y());

    // The choice travels to the frame after the gesture and comes back down to the page.
    EXPECT_TRUE(pView->IsEnabled());
    QCoreApplication::sendPostedEvents();
    EXPECT_FALSE(pView->IsEnabled());

    // Dismissing the menu chooses nothing, and the gesture is still the page's.
    QContextMenuEvent again(QContextMenuEvent::Mouse, ptLocal, ptScreen);
    QCoreApplication::sendEvent(pView, &again);
    EXPECT_TRUE(again.isAccepted());
    QCoreApplication::sendPostedEvents();
    EXPECT_FALSE(pView->IsEnabled());
}

// The page keeps the settings it loaded until the dialog is accepted, and the dialog starts
// from the store, not from the page's copies. (What the dialog stores, and a cancelled one,
// are tested on their own.)
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
class CPageNotify : public INmeaNotify {
public:
    explicit CPageNotify(CStatsView* pView) : m_pView(pView) {}
    void PostToMain(unsigned nMessage) override {
        if (nMessage == WM_GPS_GGA)
            m_pView->PostMessage(static_cast<int>(nMessage));
    }
    void Broadcast(unsigned) override {}

private:
    CStatsView* m_pView;
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
    CPageNotify notify(pView);
    gps.SetNotify(&notify);

    QFile file(QStringLiteral(RAVUZIZ_DATA_DIR "/demo.nmea"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    uint32_t nFixes = 0;
    double dLatitudes = 0, dLongitudes = 0, dAltitudes = 0;
    QString strLastGsa;
    while (!file.atEnd()) {
        // One sentence per poll, each GGA handled before the next arrives.
        const QByteArray line = file.readLine();
        gps.Feed(line.constData(), static_cast<uint32_t>(line.size()));
        QCoreApplication::sendPostedEvents();
        const QStringList fields = QString::fromLatin1(line).split(',');
        if (fields[0] == "$GPGSA")
            strLastGsa = QString::fromLatin1(line);
        if (fields[0] != "$GPGGA" || fields[6] == "0")
            continue;
        ++nFixes;
        dLatitudes += Degrees(fields[2], fields[3]);
        dLongitudes += Degrees(fields[4], fields[5]);
        dAltitudes += fields[9].toDouble();
    }
    gps.SetNotify(nullptr);
    ASSERT_GT(nFixes, 100u);

    const PositionAverages& averages = pView->Averages();
    EXPECT_EQ(averages.m_avgLatitude.m_nCount, nFixes);
    EXPECT_EQ(averages.m_avgAltitude.m_nCount, nFixes);
    EXPECT_EQ(averages.m_lsLongitude.m_nIndex, nFixes + 1);
    EXPECT_NEAR(averages.m_avgLatitude.m_dMean, dLatitudes / nFixes, 1e-9);
    EXPECT_NEAR(averages.m_avgLongitude.m_dMean, dLongitudes / nFixes, 1e-9);
    EXPECT_NEAR(averages.m_avgAltitude.m_dMean, dAltitudes / nFixes, 1e-9);
    EXPECT_GT(averages.m_avgLatitude.m_dStdDev, 0);
    EXPECT_GT(averages.m_lsAltitude.m_dStdDev, 0);

    // The table the page draws: the counts and the last GSA's DOPs.
    const auto texts =
        StatsTableTexts(averages, {gps.m_dPdop, gps.m_dHdop, gps.m_dVdop},
                        {3, 3, kWidth - 3, kHeight - 3}, m.tmHeight, m.tmAveCharWidth);
    const int xCount = kX0 + 25 * m.tmAveCharWidth;
    const auto LineY = [&](int nLine) { return kY0 + nLine * m.tmHeight; };
    const QString strCount = QString::number(nFixes) + "       ";
    EXPECT_EQ(TextAt(texts, xCount, LineY(11)), strCount);
    EXPECT_EQ(TextAt(texts, xCount, LineY(12)), strCount);
    const QStringList gsa = strLastGsa.section('*', 0, 0).split(',');
    for (int i = 0; i < 3; ++i) // PDOP, HDOP, VDOP
        EXPECT_EQ(TextAt(texts, xCount, LineY(15 + i)),
                  QString::number(gsa[15 + i].toDouble(), 'f', 2))
            << strLastGsa.toStdString();
}

} // namespace
