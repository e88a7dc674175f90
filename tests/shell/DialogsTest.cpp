// SPDX-License-Identifier: MIT
// The shell's dialogs as a person uses them: presets shown, choices handed back, a port with
// no entry read as the program reads it, and a rate that is no number refused. (Agreeing to
// the warning is run through the frame.) And the program's icon the About box shows.
#include "common/Golden.h"
#include "common/ScriptedInteraction.h"
#include "settings/SettingNames.h"
#include "shell/AppIcon.h"
#include "shell/CommSettingsDlg.h"
#include "shell/UnitsDlg.h"

#include <QComboBox>
#include <gtest/gtest.h>

namespace {

// Drawn at each size a desktop picks from, not scaled from another.
TEST(AppIcon, ComesAtEverySizeADesktopPicksFrom) {
    const QIcon icon = AppIcon();
    ASSERT_FALSE(icon.availableSizes().isEmpty());
    for (const QSize& size : icon.availableSizes())
        EXPECT_EQ(icon.pixmap(size).size(), size);
    EXPECT_TRUE(MatchesPicture(icon.pixmap(48).toImage(), QStringLiteral("app-icon-48")));
}

struct CommCase {
    const char* pLegend;
    int nPort;
    QStringList ports;
    QString strSelected;
    int nBaud = 4800;
    const char* pszBaudShown = "4800";
};

TEST(CommSettingsDlg, SelectsThePresetPortOrItsNameOrTheFirstEntryAndShowsTheRateOrAuto) {
    const QStringList ports = {"COM1: - /dev/ttyS0", "COM10: - /dev/ttyS9 (pci)",
                               "COM33: - /dev/ttyUSB0 (u-blox)"};
    const CommCase cases[] = {
        {"listed port", 33, ports, "COM33: - /dev/ttyUSB0 (u-blox)", 38400, "38400"},
        {"port 1 is not port 10", 1, ports, "COM1: - /dev/ttyS0"},
        {"port 10", 10, ports, "COM10: - /dev/ttyS9 (pci)"},
        {"absent port: its SER name", 3, ports, "SER03:"},
        {"no entry at all: the first in the sorted list", 40, ports, "COM10: - /dev/ttyS9 (pci)"},
        {"no ports found", 5, {}, "SER05:", kAutoBaud, "Auto"},
    };
    for (const CommCase& c : cases) {
        CScriptedInteraction person;
        QString strSelected, strBaud;
        int nEntries = 0;
        person.AnswerDialog([&](QDialog& d) {
            auto* pList = GetDlgItemAs<QComboBox>(&d, IDC_PORT);
            strSelected = pList->currentText();
            nEntries = pList->count();
            strBaud = GetDlgItemAs<QComboBox>(&d, IDC_BAUD)->currentText();
            d.reject();
        });
        CCommSettingsDlg dlg;
        dlg.m_nPort = c.nPort;
        dlg.m_PortList = c.ports;
        dlg.m_nBaud = c.nBaud;
        EXPECT_EQ(dlg.DoModal(), IDCANCEL);
        EXPECT_EQ(strSelected, c.strSelected) << c.pLegend;
        EXPECT_EQ(nEntries, c.ports.size() + 32) << c.pLegend;
        EXPECT_EQ(strBaud, c.pszBaudShown) << c.pLegend;
    }
}

TEST(CommSettingsDlg, HandsBackThePortNumberAndTheRateAsTyped) {
    struct Case {
        const char* pEntry;
        const char* pBaud;
        int nPort;
        int nBaud;
    } const cases[] = {
        {"COM10: - /dev/ttyS9", "9600", 10, 9600},
        {"SER12:", "115200", 12, 115200},
        {"COM1: - /dev/ttyS0", " 4800 ", 1, 4800},
        {"COM100: - /dev/ttyUSB3", "250000", 100, 250000},
        {"COM1: - /dev/ttyS0", "auto", 1, kAutoBaud},
    };
    for (const Case& c : cases) {
        CScriptedInteraction person;
        person.AnswerDialog([&](QDialog& d) {
            auto* pList = GetDlgItemAs<QComboBox>(&d, IDC_PORT);
            pList->setCurrentIndex(pList->findText(c.pEntry));
            GetDlgItemAs<QComboBox>(&d, IDC_BAUD)->setEditText(c.pBaud);
            d.accept();
        });
        CCommSettingsDlg dlg;
        dlg.m_PortList = {"COM10: - /dev/ttyS9", "COM1: - /dev/ttyS0", "COM100: - /dev/ttyUSB3"};
        ASSERT_EQ(dlg.DoModal(), IDOK) << c.pEntry;
        EXPECT_EQ(dlg.m_nPort, c.nPort) << c.pEntry;
        EXPECT_EQ(dlg.m_nBaud, c.nBaud) << c.pEntry;
    }
}

TEST(CommSettingsDlg, RefusesARateThatIsNoWholeNumberAboveZeroAndStaysOpen) {
    CScriptedInteraction person;
    const char* const refused[] = {"abc", "", "0", "-9600", "4800 baud", "96OO", "9600.5"};
    person.AnswerDialog([&](QDialog& d) {
        auto* pBaud = GetDlgItemAs<QComboBox>(&d, IDC_BAUD);
        for (const char* pszTyped : refused) {
            pBaud->setEditText(QString::fromLatin1(pszTyped));
            d.accept();
            ASSERT_EQ(d.result(), 0) << pszTyped << " closed the dialog";
        }
        pBaud->setEditText(QStringLiteral("19200"));
        d.accept();
    });
    CCommSettingsDlg dlg;
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_nBaud, 19200);
    EXPECT_EQ(person.Prompts().size(), std::size(refused) + 1); // a box for each refusal
}

// (The choices made reach the store through the frame.)
TEST(UnitsDlg, ReturnsThePresetsUnchangedAndShowsNoneOutOfRange) {
    CScriptedInteraction person;
    person.AnswerDialog([](QDialog& d) {
        EXPECT_EQ(GetDlgItemAs<QComboBox>(&d, IDC_ALTITUDE)->currentIndex(), -1); // out of range
        d.accept();
    });
    CUnitsDlg dlg;
    dlg.m_nDistanceSpeed = 2;
    dlg.m_nAltitude = 7;
    dlg.m_nPositionFormat = 1;
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_nDistanceSpeed, 2);
    EXPECT_EQ(dlg.m_nAltitude, -1);
    EXPECT_EQ(dlg.m_nPositionFormat, 1);
}

} // namespace
