// SPDX-License-Identifier: MIT
// The thresholds dialog on its own: what it shows for the stored values (an empty store
// included), what it stores on OK ("%f" texts), and the texts it refuses. Cancel is run
// through the page's command in StatsViewTest.
#include "StatsTestSupport.h"

#include "common/ScriptedInteraction.h"
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

void Accept(QDialog& dialog) {
    dialog.accept();
}

class AvgThresholdsDlgTest : public StoreTest {};

TEST_F(AvgThresholdsDlgTest, FirstUseShowsTheDefaultsAndStoresThemInFull) {
    int nResult = 0;
    EXPECT_EQ(RunDialog(Accept, &nResult), (Shown{true, true, false, true, false, "3.00", "3.00"}));
    EXPECT_EQ(nResult, IDOK);
    EXPECT_EQ(Stored(kUseAveraging), "1");
    EXPECT_EQ(Stored(kLatLonUseHdop), "1");
    EXPECT_EQ(Stored(kAltUseVdop), "1");
    EXPECT_EQ(Stored(kLatLonAvgThreshold), "3.000000");
    EXPECT_EQ(Stored(kAltAvgThreshold), "3.000000");
}

TEST_F(AvgThresholdsDlgTest, ShowsStoredChoicesAndStoresWhatThePersonChose) {
    WriteSettingInt(kSectionAveraging, kUseAveraging, 0);
    WriteSettingInt(kSectionAveraging, kLatLonUseHdop, 0);
    WriteSettingString(kSectionAveraging, kLatLonAvgThreshold, "2.456");
    WriteSettingString(kSectionAveraging, kAltAvgThreshold, "10");
    const Shown shown = RunDialog([](QDialog& dialog) {
        GetDlgItemAs<QCheckBox>(&dialog, IDC_USE_AVERAGING)->setChecked(true);
        GetDlgItemAs<QRadioButton>(&dialog, IDC_LATLON_HDOP)->setChecked(true);
        GetDlgItemAs<QRadioButton>(&dialog, IDC_ALT_PDOP)->setChecked(true);
        dialog.accept();
    });
    EXPECT_EQ(shown, (Shown{false, false, true, true, false, "2.46", "10.00"}));
    EXPECT_EQ(Stored(kUseAveraging), "1");
    EXPECT_EQ(Stored(kLatLonUseHdop), "1");
    EXPECT_EQ(Stored(kAltUseVdop), "0");
    // The fields' texts are read back, not the stored values: "2.46" as shown.
    EXPECT_EQ(Stored(kLatLonAvgThreshold), "2.460000");
    EXPECT_EQ(Stored(kAltAvgThreshold), "10.000000");
}

TEST_F(AvgThresholdsDlgTest, OnlyNumbersAboveZeroAreTakenAsThresholds) {
    RunDialog([](QDialog& dialog) {
        GetDlgItemAs<QLineEdit>(&dialog, IDC_LATLON_THRESHOLD)->setText(" 1.75 ");
        GetDlgItemAs<QLineEdit>(&dialog, IDC_ALT_THRESHOLD)->setText("1e1");
        dialog.accept();
    });
    EXPECT_EQ(Stored(kLatLonAvgThreshold), "1.750000");
    EXPECT_EQ(Stored(kAltAvgThreshold), "10.000000");

    // Anything else would refuse every sample: it is refused itself, in either field, and the
    // dialog stays open until both hold a number above 0 or the person cancels.
    const char* const refused[] = {"abc", "", "0", "-1", "1.75x", "2,5", "inf"};
    CScriptedInteraction person;
    person.AnswerDialog([&](QDialog& dialog) {
        for (const int nField : {IDC_LATLON_THRESHOLD, IDC_ALT_THRESHOLD}) {
            for (const char* pszTyped : refused) {
                GetDlgItemAs<QLineEdit>(&dialog, IDC_LATLON_THRESHOLD)->setText("4");
                GetDlgItemAs<QLineEdit>(&dialog, IDC_ALT_THRESHOLD)->setText("4");
                GetDlgItemAs<QLineEdit>(&dialog, nField)->setText(pszTyped);
                dialog.accept();
                ASSERT_EQ(dialog.result(), 0) << pszTyped << " closed the dialog";
            }
        }
        dialog.reject();
    });
    CAvgThresholdsDlg dlg;
    dlg.ReadSettings();
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    ASSERT_EQ(person.Prompts().size(), 2 * std::size(refused) + 1);
    for (size_t i = 0; i < 2 * std::size(refused); ++i)
        EXPECT_EQ(person.Prompts()[i].strText, QString::fromLatin1(kThresholdRefusal));
    EXPECT_EQ(Stored(kLatLonAvgThreshold), "1.750000"); // a cancel stores nothing
}

TEST_F(AvgThresholdsDlgTest, ValuesOtherThanZeroOrOneCheckNeitherButton) {
    WriteSettingInt(kSectionAveraging, kUseAveraging, 2);
    WriteSettingInt(kSectionAveraging, kLatLonUseHdop, -1);
    WriteSettingInt(kSectionAveraging, kAltUseVdop, 7);
    EXPECT_EQ(RunDialog(Accept), (Shown{false, false, false, false, false, "3.00", "3.00"}));
    // Unchecked reads as 0.
    EXPECT_EQ(Stored(kUseAveraging), "0");
    EXPECT_EQ(Stored(kLatLonUseHdop), "0");
    EXPECT_EQ(Stored(kAltUseVdop), "0");
}

TEST_F(AvgThresholdsDlgTest, RadioPairsAreSeparateGroupsAndOkIsOffered) {
    RunDialog([](QDialog& dialog) {
        // Choosing PDOP for altitude leaves the latitude/longitude choice alone, and the check
        // box disables nothing.
        GetDlgItemAs<QRadioButton>(&dialog, IDC_ALT_PDOP)->click();
        GetDlgItemAs<QCheckBox>(&dialog, IDC_USE_AVERAGING)->click();
        EXPECT_EQ(Read(dialog), (Shown{false, true, false, false, true, "3.00", "3.00"}));
        EXPECT_TRUE(GetDlgItem(&dialog, IDC_LATLON_THRESHOLD)->isEnabled());
        auto* pOk = GetDlgItemAs<QPushButton>(&dialog, IDOK);
        ASSERT_NE(pOk, nullptr);
        EXPECT_TRUE(pOk->isDefault() && !pOk->isHidden());
        pOk->click();
    });
    EXPECT_EQ(Stored(kUseAveraging), "0");
    EXPECT_EQ(Stored(kLatLonUseHdop), "1");
    EXPECT_EQ(Stored(kAltUseVdop), "0");
}

} // namespace
