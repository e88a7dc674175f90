// SPDX-License-Identifier: MIT
// The seam through which the program asks the person: message boxes captioned with the
// application name, file dialogs in the user's Documents with Qt filters made of the
// program's. (Dialogs are played in the tests of each dialog.)
#include "platform/Interaction.h"
#include "common/ScriptedInteraction.h"
#include "resources/resource.h"

#include <QDir>
#include <QStandardPaths>

#include <gtest/gtest.h>

namespace {

TEST(MessageBoxes, CarryTheApplicationNameUnlessGivenACaption) {
    CScriptedInteraction person;
    person.AnswerMessageBox(IDYES);
    EXPECT_EQ(MessageBox(QStringLiteral("Sure?"), MB_YESNO | MB_ICONQUESTION), IDYES);
    MessageBox(QStringLiteral("No port."), MB_OK, QStringLiteral("Error"));
    ASSERT_EQ(person.Prompts().size(), 2u);
    EXPECT_EQ(person.Prompts()[0].strCaption, QStringLiteral("Ravuziz"));
    EXPECT_EQ(person.Prompts()[0].nType, MB_YESNO | MB_ICONQUESTION);
    EXPECT_EQ(person.Prompts()[1].strCaption, QStringLiteral("Error"));
}

// All Files lists a recording without an extension too: "*", not "*.*".
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
    EXPECT_EQ(person.Prompts()[0].strFilter, QStringLiteral("Text Files (*.txt);;All Files (*)"));
    QString strFolder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!QDir(strFolder).exists())
        strFolder = QDir::homePath();
    EXPECT_EQ(person.Prompts()[0].strInitialPath, QDir(strFolder).filePath(QStringLiteral("new")));
    EXPECT_EQ(QtFileFilter(QStringLiteral("Logs|*.txt;*.nmea|All Files (*.*)|*.*||")),
              QStringLiteral("Logs (*.txt *.nmea);;All Files (*)"));
}

} // namespace
