// SPDX-License-Identifier: MIT
// The seam through which the program asks the person: message boxes captioned with the
// application name, modal dialogs initialised before they are played, file dialogs in the
// user's Documents with Qt filters.
#include "platform/Dialog.h"
#include "platform/Interaction.h"
#include "platform/NumberText.h"
#include "platform/ScriptedInteraction.h"
#include "resources/resource.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(MessageBoxes, CarryTheApplicationNameUnlessGivenACaption) {
    CScriptedInteraction person;
    person.AnswerMessageBox(IDYES);
    EXPECT_EQ(MessageBox(QStringLiteral("Sure?"), MB_YESNO), IDYES);
    EXPECT_EQ(MessageBox(QStringLiteral("Unable to open port."), MB_OK,
                         QStringLiteral("Communication Error")),
              IDOK);
    // Unanswered boxes close as Escape would.
    EXPECT_EQ(MessageBox(QStringLiteral("Again?"), MB_YESNO), IDNO);
    EXPECT_EQ(MessageBox(QStringLiteral("Go on?"), MB_OKCANCEL | MB_ICONQUESTION), IDCANCEL);

    const auto& prompts = person.Prompts();
    ASSERT_EQ(prompts.size(), 4u);
    EXPECT_EQ(prompts[0].strCaption, QStringLiteral("Ravuziz"));
    EXPECT_EQ(prompts[0].strText, QStringLiteral("Sure?"));
    EXPECT_EQ(prompts[0].nType, MB_YESNO);
    EXPECT_EQ(prompts[1].strCaption, QStringLiteral("Communication Error"));
    EXPECT_EQ(prompts[3].nType, MB_OKCANCEL | MB_ICONQUESTION);
}

TEST(MessageBoxes, TheSeamIsRestoredWhenTheStandInGoes) {
    CUserInteraction* pDesktop = &UserInteraction();
    {
        CScriptedInteraction person;
        EXPECT_EQ(&UserInteraction(), &person);
    }
    EXPECT_EQ(&UserInteraction(), pDesktop);
}

// A dialog with one edit field (id 1004) holding a number.
class CThresholdDlg : public CDialog {
public:
    double dValue = 3.0;
    bool bInitialised = false;

    CThresholdDlg() {
        setWindowTitle(QStringLiteral("Average Thresholds"));
        m_pEdit = new QLineEdit(this);
        SetDlgCtrlID(m_pEdit, IDC_LATLON_THRESHOLD);
    }

protected:
    bool OnInitDialog() override {
        bInitialised = true;
        m_pEdit->setText(QString::asprintf("%.02f", dValue));
        return true;
    }
    void OnOK() override {
        dValue = TextToDouble(m_pEdit->text().toStdString());
        CDialog::OnOK();
    }

private:
    QLineEdit* m_pEdit;
};

TEST(Dialogs, ArePlayedAfterInitialisationAndReadOnOK) {
    CScriptedInteraction person;
    CThresholdDlg dlg;
    QString strShown;
    person.AnswerDialog([&](QDialog& dialog) {
        auto* pEdit = GetDlgItemAs<QLineEdit>(&dialog, IDC_LATLON_THRESHOLD);
        ASSERT_NE(pEdit, nullptr);
        strShown = pEdit->text();
        pEdit->setText(QStringLiteral("2.5"));
        dialog.accept();
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_TRUE(dlg.bInitialised);
    EXPECT_EQ(strShown, QStringLiteral("3.00"));
    EXPECT_EQ(dlg.dValue, 2.5);
    EXPECT_EQ(person.Prompts().at(0).kind, Prompt::Kind::Dialog);
    EXPECT_EQ(person.Prompts().at(0).strText, QStringLiteral("Average Thresholds"));
    EXPECT_EQ(person.Prompts().at(0).nAnswer, IDOK);
}

TEST(Dialogs, CancelOrAnyOtherEndingCountsAsCancel) {
    CScriptedInteraction person;
    CThresholdDlg dlg;
    person.AnswerDialog([](QDialog& dialog) {
        GetDlgItemAs<QLineEdit>(&dialog, IDC_LATLON_THRESHOLD)->setText(QStringLiteral("9"));
        dialog.reject();
    });
    person.AnswerDialog([](QDialog&) {}); // left open
    person.AnswerDialog([](QDialog& dialog) { dialog.done(5); });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(dlg.dValue, 3.0);
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(person.UnusedAnswers(), 0);
}

TEST(FileDialogs, StartInDocumentsWithQtFiltersAndReturnTheChoice) {
    CScriptedInteraction person;
    person.AnswerFile(QStringLiteral("/tmp/track.txt"));
    const QString strFilter = QStringLiteral("Text Files (*.txt)|*.txt|All Files (*.*)|*.*||");
    QString strPath;
    ASSERT_TRUE(GetSaveFilePath(nullptr, strFilter,
                                QStringLiteral("\\My Documents\\docs\\new file"), strPath));
    EXPECT_EQ(strPath, QStringLiteral("/tmp/track.txt"));
    EXPECT_FALSE(GetOpenFilePath(nullptr, strFilter, QStringLiteral("new file"), strPath));
    EXPECT_EQ(strPath, QStringLiteral("/tmp/track.txt"));

    ASSERT_EQ(person.Prompts().size(), 2u);
    const Prompt& save = person.Prompts()[0];
    EXPECT_EQ(save.kind, Prompt::Kind::SaveFile);
    EXPECT_EQ(save.strFilter, QStringLiteral("Text Files (*.txt);;All Files (*)"));
    QString strFolder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!QDir(strFolder).exists())
        strFolder = QDir::homePath();
    EXPECT_EQ(save.strInitialPath, QDir(strFolder).filePath(QStringLiteral("new file")));
    EXPECT_EQ(person.Prompts()[1].kind, Prompt::Kind::OpenFile);
}

TEST(FileDialogs, FiltersConvertPairByPair) {
    EXPECT_EQ(QtFileFilter(QStringLiteral("Logs|*.txt;*.nmea|All Files (*.*)|*.*||")),
              QStringLiteral("Logs (*.txt *.nmea);;All Files (*)"));
    EXPECT_EQ(QtFileFilter(QString()), QString());
}

TEST(FileDialogs, AllFilesListsARecordingSavedWithoutAnExtension) {
    QTemporaryDir folder;
    for (const char* pszName : {"drive", "drive.txt"})
        ASSERT_TRUE(
            QFile(folder.filePath(QString::fromLatin1(pszName))).open(QIODevice::WriteOnly));
    // The program's filter as a Qt file dialog applies it.
    QFileDialog dialog(nullptr, QString(), folder.path());
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setNameFilter(
        QtFileFilter(QStringLiteral("Text Files (*.txt)|*.txt|All Files (*.*)|*.*||")));
    const auto* pModel = dialog.findChild<QFileSystemModel*>();
    ASSERT_NE(pModel, nullptr);
    ASSERT_EQ(dialog.nameFilters().size(), 2);
    const auto listed = [&](int nFilter) {
        dialog.selectNameFilter(dialog.nameFilters()[nFilter]);
        return QDir(folder.path()).entryList(pModel->nameFilters(), QDir::Files);
    };
    EXPECT_EQ(listed(0), QStringList{"drive.txt"});
    EXPECT_EQ(listed(1), (QStringList{"drive", "drive.txt"}));
}

} // namespace
