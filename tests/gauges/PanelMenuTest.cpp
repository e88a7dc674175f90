// SPDX-License-Identifier: MIT
// The panel's commands and the speed setup: the check marks of the shown gauges and cycle
// mode, and the full scale shown, stored or refused. (A cancelled setup is one of the fault
// tests' cancelled questions.)
#include "PanelFixture.h"

#include "common/ScriptedInteraction.h"
#include "gauges/SpeedSetupDlg.h"
#include "platform/Commands.h"
#include "settings/SettingNames.h"
#include "settings/SettingsStore.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QKeyEvent>

#include <functional>

namespace {

class PanelMenuTest : public PanelTest {
protected:
    void SetUp() override {
        PanelTest::SetUp();
        if (!IsSkipped())
            MakePanel(400, 300);
    }
    bool Checked(int nId) { return QueryCommandState(m_pPanel.get(), nId).IsChecked(); }
    // Runs the speed setup with the person's moves on its speed box; returns what it showed.
    QString SetUpSpeed(std::function<void(QComboBox&, QDialog&)> moves) {
        QString strShown;
        m_Person.AnswerDialog([&](QDialog& dialog) {
            auto* pSpeed = GetDlgItemAs<QComboBox>(&dialog, IDC_MAX_SPEED);
            ASSERT_NE(pSpeed, nullptr);
            strShown = pSpeed->currentText();
            moves(*pSpeed, dialog);
        });
        EXPECT_TRUE(m_pPanel->OnCommand(ID_SETUP_SPEED));
        return strShown;
    }
    int Stored() { return ReadSettingInt(kSectionPanel, kMaxSpeed, -99); }

    CScriptedInteraction m_Person;
};

TEST_F(PanelMenuTest, ChecksTheShownGaugesAndCycleModeAndLeavesOtherCommands) {
    const int shows[] = {ID_SHOW_ALTIMETER, ID_SHOW_COMPASS, ID_SHOW_SPEED, ID_SHOW_VERTICAL_SPEED};
    for (const int nId : shows)
        EXPECT_TRUE(Checked(nId)) << nId;
    EXPECT_FALSE(Checked(ID_CYCLE_GAUGES));
    Command({ID_SHOW_SPEED, ID_CYCLE_GAUGES});
    for (const int nId : shows)
        EXPECT_EQ(Checked(nId), nId != ID_SHOW_SPEED) << nId;
    EXPECT_TRUE(Checked(ID_CYCLE_GAUGES));

    EXPECT_FALSE(m_pPanel->OnCommand(ID_STATS_RESET));
    CCommandState state(ID_ENABLE_TRAILS);
    EXPECT_FALSE(m_pPanel->OnUpdateCommand(state));
}

TEST_F(PanelMenuTest, SpeedSetupStoresThePickedOrTypedFullScale) {
    EXPECT_EQ(SetUpSpeed([](QComboBox& speed, QDialog& dialog) {
                  speed.setCurrentIndex(speed.findText(QStringLiteral("20")));
                  dialog.accept();
              }),
              QStringLiteral("150"));
    EXPECT_EQ(m_Person.Prompts().back().strText, QStringLiteral("Speed Setup"));
    EXPECT_EQ(Stored(), 20);
    EXPECT_EQ(m_pPanel->Speedometer().FullScale(), 20.0);

    EXPECT_EQ(SetUpSpeed([](QComboBox& speed, QDialog& dialog) {
                  speed.setEditText(QStringLiteral(" 75"));
                  dialog.accept();
              }),
              QStringLiteral("20"));
    EXPECT_EQ(Stored(), 75);
    EXPECT_EQ(m_pPanel->Speedometer().FullScale(), 75.0);
}

TEST_F(PanelMenuTest, SpeedSetupOpensItsListOnTheCurrentValueSoEnterKeepsIt) {
    for (const int nStored : {150, 75}) { // listed, and typed in once
        WriteSettingInt(kSectionPanel, kMaxSpeed, nStored);
        EXPECT_EQ(SetUpSpeed([](QComboBox& speed, QDialog& dialog) {
                      // Enter in the opened list takes the item the list highlights.
                      speed.showPopup();
                      QKeyEvent enter(QEvent::ShortcutOverride, Qt::Key_Return, Qt::NoModifier);
                      QCoreApplication::sendEvent(speed.view(), &enter);
                      speed.hidePopup();
                      dialog.accept();
                  }),
                  QString::number(nStored));
        EXPECT_EQ(Stored(), nStored);
    }
}

TEST_F(PanelMenuTest, SpeedSetupRefusesAFullScaleBelowOne) {
    SetUpSpeed([](QComboBox& speed, QDialog& dialog) {
        for (const char* pszEntry : {"0", "-5", "fast", ""}) {
            speed.setEditText(QString::fromLatin1(pszEntry));
            dialog.accept();
            ASSERT_EQ(dialog.result(), 0) << pszEntry << " closed the dialog";
        }
        speed.setEditText(QStringLiteral("30"));
        dialog.accept();
    });
    const auto& prompts = m_Person.Prompts();
    ASSERT_EQ(prompts.size(), 5u);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(prompts[i].strText, QString::fromLatin1(kMaxSpeedRefusal));
    EXPECT_EQ(Stored(), 30);
    EXPECT_EQ(m_pPanel->Speedometer().FullScale(), 30.0);
}

} // namespace
