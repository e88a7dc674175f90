// The panel's tap-and-hold menu and the speed setup: the menu's items and check marks, a
// chosen command coming back through the frame, and the full scale stored, refused or left
// alone.
#include "PanelFixture.h"

#include "gauges/SpeedSetupDlg.h"
#include "platform/ScriptedInteraction.h"
#include "platform/SurfaceWnd.h"
#include "settings/SettingNames.h"
#include "settings/SettingsStore.h"

#include <QComboBox>
#include <QContextMenuEvent>
#include <QCoreApplication>

#include <functional>

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

TEST_F(PanelMenuTest, ShowsTheGaugesWithCheckMarksAndTheSetupSubmenu) {
    const Prompt menu = HoldAt({150, 100});
    EXPECT_EQ(menu.kind, Prompt::Kind::Menu);
    EXPECT_EQ(menu.strText, QStringLiteral("IDR_PANEL_POPUP"));
    // Right-aligned at the point.
    EXPECT_LT(menu.ptScreen.x(), 150);
    EXPECT_EQ(menu.ptScreen.y(), 100);
    const struct {
        int nId;
        const char* pszText;
        int nDepth;
        bool bSeparator;
        bool bChecked;
    } expected[] = {
        {ID_CYCLE_GAUGES, "Cycle through gauges", 0, false, false},
        {0, "", 0, true, false},
        {ID_SHOW_ALTIMETER, "Altimeter", 0, false, true},
        {ID_SHOW_COMPASS, "Compass", 0, false, true},
        {ID_SHOW_SPEED, "Speed", 0, false, true},
        {ID_SHOW_VERTICAL_SPEED, "Vertical Speed", 0, false, true},
        {0, "", 0, true, false},
        {0, "&Setup Gauges", 0, false, false},
        {ID_SETUP_SPEED, "&Speed", 1, false, false},
    };
    ASSERT_EQ(menu.menuItems.size(), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        SCOPED_TRACE(i);
        const PromptMenuItem& item = menu.menuItems[i];
        EXPECT_EQ(item.nId, expected[i].nId);
        EXPECT_EQ(item.bSeparator, expected[i].bSeparator);
        if (!item.bSeparator) {
            EXPECT_EQ(item.strText, QString::fromLatin1(expected[i].pszText));
        }
        EXPECT_EQ(item.nDepth, expected[i].nDepth);
        EXPECT_EQ(item.bChecked, expected[i].bChecked);
    }
}

TEST_F(PanelMenuTest, AChosenCommandComesBackThroughTheFrame) {
    m_Person.AnswerMenu(ID_SHOW_SPEED);
    HoldAt({10, 10});
    EXPECT_FALSE(m_pPanel->IsShown(kGaugeSpeedometer));
    m_Person.AnswerMenu(ID_CYCLE_GAUGES);
    HoldAt({10, 10});
    EXPECT_TRUE(m_pPanel->IsCycling());

    const Prompt menu = HoldAt({10, 10}); // dismissed
    auto checked = [&](int nId) {
        for (const PromptMenuItem& item : menu.menuItems)
            if (item.nId == nId)
                return item.bChecked;
        ADD_FAILURE() << nId << " not in the menu";
        return false;
    };
    EXPECT_TRUE(checked(ID_CYCLE_GAUGES));
    EXPECT_FALSE(checked(ID_SHOW_SPEED));
    EXPECT_TRUE(checked(ID_SHOW_COMPASS));
    EXPECT_TRUE(m_pPanel->IsCycling());
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

TEST_F(PanelMenuTest, SpeedSetupStoresThePickedFullScaleShownAtTheNextTick) {
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

    const QImage& image = Tick();
    const CRect quarter = m_pPanel->GaugeRect(kGaugeSpeedometer);
    const DialGeometry dial = FitDial(quarter);
    const CFont font = CSpeedometerWnd::ObjectsForSide(dial.Side(), Colours()).labelFont;
    for (int k = 0; k < 10; ++k)
        EXPECT_TRUE(ShowsTextCentredOn(image, font, QString::number(2 * k), Colours().text,
                                       PolarPoint(dial, 36.0 * k, 63)))
            << 2 * k;
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

TEST_F(PanelMenuTest, SpeedSetupCancelChangesNothing) {
    WriteSettingInt(kSectionPanel, kMaxSpeed, 100);
    const double dBefore = m_pPanel->Speedometer().FullScale();
    SpeedSetupPlay seen;
    m_Person.AnswerDialog(Play(seen, [](QComboBox& speed, QDialog& dialog) {
        speed.setEditText(QStringLiteral("10"));
        dialog.reject();
    }));
    EXPECT_TRUE(m_pPanel->OnCommand(ID_SETUP_SPEED));
    EXPECT_EQ(ReadSettingInt(kSectionPanel, kMaxSpeed, -99), 100);
    EXPECT_EQ(m_pPanel->Speedometer().FullScale(), dBefore);
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
