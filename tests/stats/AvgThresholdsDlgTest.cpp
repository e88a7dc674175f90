// SPDX-License-Identifier: MIT
// The thresholds dialog on its own: what it shows for the stored values, what it stores on OK,
// and the texts it refuses.
#include "StatsTestSupport.h"

#include "common/ScriptedInteraction.h"
#include "stats/AvgThresholdsDlg.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {

// The controls as the person sees them: the check box and the four radio buttons as 1 or 0,
// then the two fields' texts.
std::string Shown(const QDialog& dialog) {
    std::string str;
    for (const int nId :
         {IDC_USE_AVERAGING, IDC_LATLON_HDOP, IDC_LATLON_PDOP, IDC_ALT_VDOP, IDC_ALT_PDOP})
        str += GetDlgItemAs<QAbstractButton>(&dialog, nId)->isChecked() ? '1' : '0';
    for (const int nId : {IDC_LATLON_THRESHOLD, IDC_ALT_THRESHOLD})
        str += " " + GetDlgItemAs<QLineEdit>(&dialog, nId)->text().toStdString();
    return str;
}

// Runs the dialog as the page does; play acts as the person. Returns what it showed first.
std::string RunDialog(const std::function<void(QDialog&)>& play) {
    CScriptedInteraction person;
    std::string strShown;
    person.AnswerDialog([&](QDialog& dialog) {
        strShown = Shown(dialog);
        play(dialog);
    });
    CAvgThresholdsDlg dlg;
    dlg.ReadSettings();
    if (dlg.DoModal() == IDOK)
        dlg.WriteSettings();
    return strShown;
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
        const char *pszShown, *pszStored;
    } const cases[] = {
        {"first use", {}, {}, "11010 3.00 3.00", "1 1 1 3.000000 3.000000"},
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
         "00110 2.46 10.00",
         "1 1 0 2.460000 10.000000"},
        {"neither 0 nor 1",
         {{kUseAveraging, "2"}, {kLatLonUseHdop, "-1"}, {kAltUseVdop, "7"}},
         [](QDialog& dialog) {
             SetText(dialog, IDC_LATLON_THRESHOLD, " 1.75 ");
             SetText(dialog, IDC_ALT_THRESHOLD, "1e1");
         },
         "00000 3.00 3.00",
         "0 0 0 1.750000 10.000000"},
    };
    for (const Case& c : cases) {
        CleanStoreTest::SetUp();
        for (const auto& [pszName, pszValue] : c.stored)
            WriteSettingString(kSectionAveraging, pszName, pszValue);
        const std::string strShown = RunDialog([&](QDialog& dialog) {
            if (c.play)
                c.play(dialog);
            GetDlgItemAs<QPushButton>(&dialog, IDOK)->click();
        });
        EXPECT_EQ(strShown, c.pszShown) << c.pLegend;
        QString strStored;
        for (const char* pszName :
             {kUseAveraging, kLatLonUseHdop, kAltUseVdop, kLatLonAvgThreshold, kAltAvgThreshold})
            strStored += (strStored.isEmpty() ? "" : " ") + Stored(pszName);
        EXPECT_EQ(strStored.toStdString(), c.pszStored) << c.pLegend;
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
