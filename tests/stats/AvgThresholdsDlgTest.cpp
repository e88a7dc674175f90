// SPDX-License-Identifier: MIT
// The thresholds dialog on its own: what it shows for the stored values, what it stores on OK,
// and the texts it refuses.
#include "StatsTestSupport.h"

#include "platform/ScriptedInteraction.h"
#include "stats/AvgThresholdsDlg.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {

// The controls' states as the person sees them.
struct Shown {
    bool bUseAveraging, bLatLonHdop, bLatLonPdop, bAltVdop, bAltPdop;
    QString strLatLon, strAlt;

    friend bool operator==(const Shown&, const Shown&) = default;
    friend void PrintTo(const Shown& s, std::ostream* pStream) {
        *pStream << s.bUseAveraging << s.bLatLonHdop << s.bLatLonPdop << s.bAltVdop << s.bAltPdop
                 << " \"" << s.strLatLon.toStdString() << "\" \"" << s.strAlt.toStdString() << '"';
    }
};

bool Checked(const QDialog& dialog, int nId) {
    const auto* pButton = GetDlgItemAs<QAbstractButton>(&dialog, nId);
    return pButton && pButton->isChecked();
}

QString Text(const QDialog& dialog, int nId) {
    const auto* pField = GetDlgItemAs<QLineEdit>(&dialog, nId);
    return pField ? pField->text() : QStringLiteral("(no field)");
}

Shown Read(const QDialog& dialog) {
    return {Checked(dialog, IDC_USE_AVERAGING), Checked(dialog, IDC_LATLON_HDOP),
            Checked(dialog, IDC_LATLON_PDOP),   Checked(dialog, IDC_ALT_VDOP),
            Checked(dialog, IDC_ALT_PDOP),      Text(dialog, IDC_LATLON_THRESHOLD),
            Text(dialog, IDC_ALT_THRESHOLD)};
}

// Runs the dialog as the page does; play acts as the person. Returns what it showed first.
Shown RunDialog(const std::function<void(QDialog&)>& play, int* pResult = nullptr) {
    CScriptedInteraction person;
    Shown shown{};
    person.AnswerDialog([&](QDialog& dialog) {
        shown = Read(dialog);
        play(dialog);
    });
    CAvgThresholdsDlg dlg;
    dlg.ReadSettings();
    const int nResult = dlg.DoModal();
    if (nResult == IDOK)
        dlg.WriteSettings();
    if (pResult)
        *pResult = nResult;
    return shown;
}

class AvgThresholdsDlgTest : public StoreTest {};

void SetText(QDialog& dialog, int nId, const char* pszText) {
    GetDlgItemAs<QLineEdit>(&dialog, nId)->setText(QString::fromUtf8(pszText));
}

// From the stored values (nothing stored, chosen values, values that are neither 0 nor 1) to
// what the dialog shows, and from the person's changes to what OK stores ("%f" texts of the
// fields as read back, not of the stored values).
TEST_F(AvgThresholdsDlgTest, ShowsTheStoreAndStoresWhatThePersonChose) {
    struct Case {
        const char* pLegend;
        std::vector<std::pair<const char*, const char*>> stored;
        std::function<void(QDialog&)> play;
        Shown shown;
        const char *pszUse, *pszLatLonHdop, *pszAltVdop, *pszLatLon, *pszAlt;
    } const cases[] = {
        {"first use",
         {},
         {},
         {true, true, false, true, false, "3.00", "3.00"},
         "1",
         "1",
         "1",
         "3.000000",
         "3.000000"},
        {"chosen values",
         {{kUseAveraging, "0"},
          {kLatLonUseHdop, "0"},
          {kLatLonAvgThreshold, "2.456"},
          {kAltAvgThreshold, "10"}},
         [](QDialog& dialog) {
             GetDlgItemAs<QCheckBox>(&dialog, IDC_USE_AVERAGING)->click();
             GetDlgItemAs<QRadioButton>(&dialog, IDC_LATLON_HDOP)->click();
             GetDlgItemAs<QRadioButton>(&dialog, IDC_ALT_PDOP)->click();
         },
         {false, false, true, true, false, "2.46", "10.00"},
         "1",
         "1",
         "0",
         "2.460000",
         "10.000000"},
        {"neither 0 nor 1",
         {{kUseAveraging, "2"}, {kLatLonUseHdop, "-1"}, {kAltUseVdop, "7"}},
         [](QDialog& dialog) {
             SetText(dialog, IDC_LATLON_THRESHOLD, " 1.75 ");
             SetText(dialog, IDC_ALT_THRESHOLD, "1e1");
         },
         {false, false, false, false, false, "3.00", "3.00"},
         "0",
         "0",
         "0",
         "1.750000",
         "10.000000"},
        {"radio pairs are separate groups",
         {},
         [](QDialog& dialog) { GetDlgItemAs<QRadioButton>(&dialog, IDC_ALT_PDOP)->click(); },
         {true, true, false, true, false, "3.00", "3.00"},
         "1",
         "1",
         "0",
         "3.000000",
         "3.000000"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pLegend);
        CleanStoreTest::SetUp();
        for (const auto& [pszName, pszValue] : c.stored)
            WriteSettingString(kSectionAveraging, pszName, pszValue);
        int nResult = 0;
        const Shown shown = RunDialog(
            [&](QDialog& dialog) {
                if (c.play)
                    c.play(dialog);
                GetDlgItemAs<QPushButton>(&dialog, IDOK)->click();
            },
            &nResult);
        EXPECT_EQ(shown, c.shown);
        EXPECT_EQ(nResult, IDOK);
        EXPECT_EQ(Stored(kUseAveraging), c.pszUse);
        EXPECT_EQ(Stored(kLatLonUseHdop), c.pszLatLonHdop);
        EXPECT_EQ(Stored(kAltUseVdop), c.pszAltVdop);
        EXPECT_EQ(Stored(kLatLonAvgThreshold), c.pszLatLon);
        EXPECT_EQ(Stored(kAltAvgThreshold), c.pszAlt);
    }
}

// Anything but a number above 0 would refuse every sample: it is refused itself, in either
// field, and the dialog stays open until both hold one or the person cancels.
TEST_F(AvgThresholdsDlgTest, RefusesThresholdsThatAreNotNumbersAboveZero) {
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
    CAvgThresholdsDlg dlg;
    dlg.ReadSettings();
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(person.Prompts().size(), 2 * std::size(refused) + 1);
    EXPECT_EQ(Stored(kLatLonAvgThreshold), "(absent)");
}

} // namespace
