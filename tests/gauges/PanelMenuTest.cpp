// SPDX-License-Identifier: MIT
// The panel's tap-and-hold menu and the speed setup: the menu's check marks, a chosen command
// coming back through the frame, and the full scale shown, stored or refused. (A cancelled
// setup is one of the fault tests' cancelled questions.)
#include "PanelFixture.h"

#include "gauges/SpeedSetupDlg.h"
#include "platform/ScriptedInteraction.h"
#include "platform/SurfaceWnd.h"
#include "settings/SettingNames.h"
#include "settings/SettingsStore.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QKeyEvent>

#include <functional>
#include <set>

namespace {

// A main frame reduced to its routing: commands and their states go to the panel.
class CFrameProbe : public CSurfaceWnd {
public:
    CGaugePanelWnd* pPanel = nullptr;
    bool OnCommand(int nId) override { return pPanel && pPanel->OnCommand(nId); }
    bool OnUpdateCommand(CCommandState& state) override {
        return pPanel && pPanel->OnUpdateCommand(state);
    }
};

class PanelMenuTest : public PanelTest {
protected:
    void SetUp() override {
        PanelTest::SetUp();
        if (IsSkipped())
            return;
        m_Frame.resize(400, 300);
        m_Frame.pPanel = &MakePanel(400, 300, &m_Frame);
    }
    // The panel goes before the frame that is its parent window.
    void TearDown() override { m_pPanel.reset(); }

    // A tap-and-hold on the panel at pt; returns the menu as shown.
    Prompt HoldAt(QPoint pt) {
        const std::size_t nBefore = m_Person.Prompts().size();
        QContextMenuEvent event(QContextMenuEvent::Mouse, pt, pt);
        QCoreApplication::sendEvent(m_pPanel.get(), &event);
        EXPECT_TRUE(event.isAccepted());
        // The chosen command, and whatever it asks in turn.
        QCoreApplication::sendPostedEvents();
        EXPECT_GT(m_Person.Prompts().size(), nBefore);
        return m_Person.Prompts().at(nBefore);
    }

    CScriptedInteraction m_Person;
    CFrameProbe m_Frame;
};

std::set<int> CheckedCommands(const Prompt& menu) {
    std::set<int> checked;
    for (const PromptMenuItem& item : menu.menuItems)
        if (item.bChecked)
            checked.insert(item.nId);
    return checked;
}

TEST_F(PanelMenuTest, ChecksTheShownGaugesAndTakesTheChoiceBackThroughTheFrame) {
    const Prompt menu = HoldAt({150, 100});
    EXPECT_EQ(menu.strText, QStringLiteral("IDR_PANEL_POPUP"));
    EXPECT_LT(menu.ptScreen.x(), 150); // right-aligned at the point
    EXPECT_EQ(menu.ptScreen.y(), 100);
    EXPECT_EQ(CheckedCommands(menu), (std::set<int>{ID_SHOW_ALTIMETER, ID_SHOW_COMPASS,
                                                    ID_SHOW_SPEED, ID_SHOW_VERTICAL_SPEED}));

    m_Person.AnswerMenu(ID_SHOW_SPEED);
    HoldAt({10, 10});
    EXPECT_FALSE(m_pPanel->IsShown(kGaugeSpeedometer));
    m_Person.AnswerMenu(ID_CYCLE_GAUGES);
    HoldAt({10, 10});
    EXPECT_TRUE(m_pPanel->IsCycling());
    EXPECT_EQ(CheckedCommands(HoldAt({10, 10})),
              (std::set<int>{ID_CYCLE_GAUGES, ID_SHOW_ALTIMETER, ID_SHOW_COMPASS,
                             ID_SHOW_VERTICAL_SPEED}));
}

TEST_F(PanelMenuTest, UnknownCommandsAreLeftToOthers) {
    EXPECT_FALSE(m_pPanel->OnCommand(ID_STATS_RESET));
    CCommandState state(ID_ENABLE_TRAILS);
    EXPECT_FALSE(m_pPanel->OnUpdateCommand(state));
}

// Plays the speed setup: what the dialog showed first, then the person's moves.
struct SpeedSetupPlay {
    QString strShown;
    QStringList items;
};

std::function<void(QDialog&)> Play(SpeedSetupPlay& seen,
                                   std::function<void(QComboBox&, QDialog&)> moves) {
    return [&seen, moves](QDialog& dialog) {
        auto* pSpeed = GetDlgItemAs<QComboBox>(&dialog, IDC_MAX_SPEED);
        ASSERT_NE(pSpeed, nullptr);
        seen.strShown = pSpeed->currentText();
        for (int i = 0; i < pSpeed->count(); ++i)
            seen.items << pSpeed->itemText(i);
        moves(*pSpeed, dialog);
    };
}

TEST_F(PanelMenuTest, SpeedSetupStoresThePickedFullScale) {
    SpeedSetupPlay seen;
    m_Person.AnswerDialog(Play(seen, [](QComboBox& speed, QDialog& dialog) {
        speed.setCurrentIndex(speed.findText(QStringLiteral("20")));
        dialog.accept();
    }));
    m_Person.AnswerMenu(ID_SETUP_SPEED);
    HoldAt({10, 10});

    EXPECT_EQ(m_Person.Prompts().back().kind, Prompt::Kind::Dialog);
    EXPECT_EQ(m_Person.Prompts().back().strText, QStringLiteral("Speed Setup"));
    EXPECT_EQ(seen.strShown, QStringLiteral("150"));
    EXPECT_EQ(seen.items, (QStringList{"500", "250", "200", "150", "100", "50", "20", "10"}));
    EXPECT_EQ(ReadSettingInt(kSectionPanel, kMaxSpeed, -99), 20);
    EXPECT_EQ(m_pPanel->Speedometer().FullScale(), 20.0);
}

TEST_F(PanelMenuTest, SpeedSetupTakesATypedValueAndStartsFromTheStoredOne) {
    WriteSettingInt(kSectionPanel, kMaxSpeed, 250);
    SpeedSetupPlay seen;
    m_Person.AnswerDialog(Play(seen, [](QComboBox& speed, QDialog& dialog) {
        speed.setEditText(QStringLiteral(" 75"));
        dialog.accept();
    }));
    EXPECT_TRUE(m_pPanel->OnCommand(ID_SETUP_SPEED));
    EXPECT_EQ(seen.strShown, QStringLiteral("250"));
    EXPECT_EQ(ReadSettingInt(kSectionPanel, kMaxSpeed, -99), 75);
    EXPECT_EQ(m_pPanel->Speedometer().FullScale(), 75.0);
}

TEST_F(PanelMenuTest, SpeedSetupOpensItsListOnTheCurrentValueSoEnterKeepsIt) {
    for (const int nStored : {150, 75}) { // listed, and typed in once
        WriteSettingInt(kSectionPanel, kMaxSpeed, nStored);
        SpeedSetupPlay seen;
        m_Person.AnswerDialog(Play(seen, [](QComboBox& speed, QDialog& dialog) {
            // Enter in the opened list takes the item the list highlights.
            speed.showPopup();
            QKeyEvent enter(QEvent::ShortcutOverride, Qt::Key_Return, Qt::NoModifier);
            QCoreApplication::sendEvent(speed.view(), &enter);
            speed.hidePopup();
            dialog.accept();
        }));
        EXPECT_TRUE(m_pPanel->OnCommand(ID_SETUP_SPEED));
        EXPECT_EQ(seen.strShown, QString::number(nStored));
        EXPECT_EQ(ReadSettingInt(kSectionPanel, kMaxSpeed, -99), nStored);
    }
}

TEST_F(PanelMenuTest, SpeedSetupRefusesAFullScaleBelowOne) {
    SpeedSetupPlay seen;
    m_Person.AnswerDialog(Play(seen, [](QComboBox& speed, QDialog& dialog) {
        for (const char* pszEntry : {"0", "-5", "fast", ""}) {
            speed.setEditText(QString::fromLatin1(pszEntry));
            dialog.accept();
            ASSERT_EQ(dialog.result(), 0) << pszEntry << " closed the dialog";
        }
        speed.setEditText(QStringLiteral("30"));
        dialog.accept();
    }));
    EXPECT_TRUE(m_pPanel->OnCommand(ID_SETUP_SPEED));
    const auto& prompts = m_Person.Prompts();
    ASSERT_EQ(prompts.size(), 5u);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(prompts[i].kind, Prompt::Kind::MessageBox);
        EXPECT_EQ(prompts[i].strText, QString::fromLatin1(kMaxSpeedRefusal));
        EXPECT_EQ(prompts[i].strCaption, QStringLiteral("Ravuziz"));
    }
    EXPECT_EQ(prompts[4].nAnswer, IDOK);
    EXPECT_EQ(ReadSettingInt(kSectionPanel, kMaxSpeed, -99), 30);
    EXPECT_EQ(m_pPanel->Speedometer().FullScale(), 30.0);
}

} // namespace
