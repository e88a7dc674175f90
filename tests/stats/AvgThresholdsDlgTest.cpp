// The thresholds dialog on its own: what it shows for the stored values (an empty store
// included) and what it stores on OK ("%f" texts, anything without a number as 0). Cancel is
// run through the page's command in StatsViewTest.
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

TEST_F(AvgThresholdsDlgTest, ThresholdTextsAreReadForTheirLeadingNumber) {
    struct Case {
        const char *pszTyped, *pszStored;
    } const cases[] = {{"2.5", "2.500000"},    {"abc", "0.000000"}, {"", "0.000000"},
                       {" 1.75x", "1.750000"}, {"-1", "-1.000000"}, {"2,5", "2.000000"},
                       {"1e1", "10.000000"}};
    for (const Case& c : cases) {
        RunDialog([&](QDialog& dialog) {
            GetDlgItemAs<QLineEdit>(&dialog, IDC_LATLON_THRESHOLD)->setText(c.pszTyped);
            GetDlgItemAs<QLineEdit>(&dialog, IDC_ALT_THRESHOLD)->setText(c.pszTyped);
            dialog.accept();
        });
        EXPECT_EQ(Stored(kLatLonAvgThreshold), c.pszStored) << '"' << c.pszTyped << '"';
        EXPECT_EQ(Stored(kAltAvgThreshold), c.pszStored) << '"' << c.pszTyped << '"';
    }
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
