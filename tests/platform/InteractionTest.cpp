// SPDX-License-Identifier: MIT
// The seam through which the program asks the person: message boxes captioned with the
// application name, file dialogs in the user's Documents with Qt filters that list what the
// program saved. (Dialogs are played in the tests of each dialog.)
#include "platform/Interaction.h"
#include "common/ScriptedInteraction.h"
#include "resources/resource.h"

#include <QDir>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(MessageBoxes, CarryTheApplicationNameUnlessGivenACaptionAndTheSeamIsRestored) {
    CUserInteraction* pDesktop = &UserInteraction();
    {
        CScriptedInteraction person;
        EXPECT_EQ(&UserInteraction(), &person);
        person.AnswerMessageBox(IDYES);
        EXPECT_EQ(MessageBox(QStringLiteral("Sure?"), MB_YESNO), IDYES);
        EXPECT_EQ(MessageBox(QStringLiteral("No port."), MB_OK, QStringLiteral("Error")), IDOK);
        // Unanswered boxes close as Escape would.
        EXPECT_EQ(MessageBox(QStringLiteral("Again?"), MB_YESNO), IDNO);
        EXPECT_EQ(MessageBox(QStringLiteral("Go on?"), MB_OKCANCEL | MB_ICONQUESTION), IDCANCEL);
        ASSERT_EQ(person.Prompts().size(), 4u);
        EXPECT_EQ(person.Prompts()[0].strCaption, QStringLiteral("Ravuziz"));
        EXPECT_EQ(person.Prompts()[1].strCaption, QStringLiteral("Error"));
        EXPECT_EQ(person.Prompts()[3].nType, MB_OKCANCEL | MB_ICONQUESTION);
    }
    EXPECT_EQ(&UserInteraction(), pDesktop);
}

TEST(FileDialogs, StartInDocumentsWithQtFiltersThatListARecordingWithoutAnExtension) {
    CScriptedInteraction person;
    person.AnswerFile(QStringLiteral("/tmp/track.txt"));
    const QString strFilter = QStringLiteral("Text Files (*.txt)|*.txt|All Files (*.*)|*.*||");
    QString strPath;
    ASSERT_TRUE(
        GetSaveFilePath(nullptr, strFilter, QStringLiteral("\\My Documents\\new"), strPath));
    EXPECT_EQ(strPath, QStringLiteral("/tmp/track.txt"));
    EXPECT_FALSE(GetOpenFilePath(nullptr, strFilter, QStringLiteral("new"), strPath));
    ASSERT_EQ(person.Prompts().size(), 2u);
    EXPECT_EQ(person.Prompts()[0].kind, Prompt::Kind::SaveFile);
    EXPECT_EQ(person.Prompts()[1].kind, Prompt::Kind::OpenFile);
    QString strFolder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!QDir(strFolder).exists())
        strFolder = QDir::homePath();
    EXPECT_EQ(person.Prompts()[0].strInitialPath, QDir(strFolder).filePath(QStringLiteral("new")));
    EXPECT_EQ(QtFileFilter(QStringLiteral("Logs|*.txt;*.nmea|All Files (*.*)|*.*||")),
              QStringLiteral("Logs (*.txt *.nmea);;All Files (*)"));
    EXPECT_EQ(QtFileFilter(QString()), QString());

    // The program's filter as a Qt file dialog applies it.
    QTemporaryDir folder;
    for (const char* pszName : {"drive", "drive.txt"})
        ASSERT_TRUE(QFile(folder.filePath(pszName)).open(QIODevice::WriteOnly));
    QFileDialog dialog(nullptr, QString(), folder.path());
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setNameFilter(person.Prompts()[0].strFilter);
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
