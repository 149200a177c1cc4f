#include "platform/dialogs/ScriptedDialogs.h"

#include <gtest/gtest.h>

#include <utility>

namespace kvl {
namespace {

// A ScriptedDialogs whose failures are collected instead of failing the test.
class ScriptedDialogsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dialogs.SetFailureHook([this](const QString& failure) { failures << failure; });
    }

    ScriptedDialogs dialogs;
    QStringList failures;
};

TEST_F(ScriptedDialogsTest, AnswersInOrderAndRecordsEveryPrompt)
{
    dialogs.ExpectMsg("Save?", MsgAnswer::No)
        .ExpectInput("Diver name:", "O'Neil")
        .ExpectOpenFile("/logs/a.dlg")
        .ExpectSaveFile("/backup/a.bak")
        .ExpectMsg("Done.");

    EXPECT_EQ(dialogs.MsgBox("Save?", MsgButtons::YesNoCancel, MsgIcon::Critical, "Exit", {}, {}), MsgAnswer::No);
    EXPECT_EQ(dialogs.InputBox("Diver name:", "New log", "Sample"), "O'Neil");
    EXPECT_EQ(dialogs.OpenFile({"Open log", "/logs", "", "Logs|*.dlg"}), "/logs/a.dlg");
    EXPECT_EQ(dialogs.SaveFile({"", "/backup", "a.bak", "Backups|*.bak"}), "/backup/a.bak");
    EXPECT_EQ(dialogs.MsgBox("Done.", MsgButtons::OK, MsgIcon::Information, "", {}, {}), MsgAnswer::OK);
    dialogs.VerifyAllUsed();

    EXPECT_TRUE(failures.isEmpty()) << qPrintable(failures.join('\n'));
    const std::vector<Prompt>& prompts = dialogs.Prompts();
    ASSERT_EQ(prompts.size(), 5u);
    EXPECT_EQ(prompts[0].title, "Exit");
    EXPECT_EQ(prompts[0].buttons, MsgButtons::YesNoCancel);
    EXPECT_EQ(prompts[0].icon, MsgIcon::Critical);
    EXPECT_EQ(prompts[1].kind, PromptKind::Input);
    EXPECT_EQ(prompts[1].title, "New log");
    EXPECT_EQ(prompts[1].defaultText, "Sample");
    EXPECT_EQ(prompts[2].file.folder, "/logs");
    EXPECT_EQ(prompts[3].kind, PromptKind::SaveFile);
    EXPECT_EQ(prompts[3].file.fileName, "a.bak");
    EXPECT_EQ(prompts[4].title, "Tarvik\u00AE Computer Vavedaver");  // no title given
    EXPECT_EQ(dialogs.MessageTexts(), QStringList({"Save?", "Done."}));
}

TEST_F(ScriptedDialogsTest, AnUnexpectedMessageIsFlaggedAndBacksOut)
{
    const std::pair<MsgButtons, MsgAnswer> cases[] = {
        {MsgButtons::OK, MsgAnswer::OK},
        {MsgButtons::OKCancel, MsgAnswer::Cancel},
        {MsgButtons::YesNo, MsgAnswer::No},
        {MsgButtons::YesNoCancel, MsgAnswer::Cancel},
        {MsgButtons::RetryCancel, MsgAnswer::Cancel},
    };
    for (auto [buttons, answer] : cases) {
        SCOPED_TRACE(int(buttons));
        failures.clear();
        EXPECT_EQ(dialogs.MsgBox("Surprise!", buttons, MsgIcon::Exclamation, "Warning", {}, {}), answer);
        ASSERT_EQ(failures.size(), 1);
        EXPECT_EQ(failures[0], "unexpected message \"Surprise!\" (title \"Warning\"); expected nothing");
    }
}

TEST_F(ScriptedDialogsTest, AnUnexpectedInputOrFileDialogIsFlaggedAndCancelled)
{
    EXPECT_EQ(dialogs.InputBox("Name:", {}, "typed"), "");
    EXPECT_EQ(dialogs.OpenFile({}), "");
    EXPECT_EQ(dialogs.SaveFile({}), "");
    EXPECT_EQ(failures.size(), 3);
    EXPECT_EQ(dialogs.Prompts().size(), 3u);
}

TEST_F(ScriptedDialogsTest, AWrongTextIsFlaggedAndLeavesTheQueuedAnswer)
{
    dialogs.ExpectMsg("Delete this dive?", MsgAnswer::Yes);

    EXPECT_EQ(dialogs.MsgBox("Delete all dives?", MsgButtons::YesNo, {}, {}, {}, {}), MsgAnswer::No);
    ASSERT_EQ(failures.size(), 1);
    EXPECT_TRUE(failures[0].contains("\"Delete all dives?\"")) << qPrintable(failures[0]);
    EXPECT_TRUE(failures[0].contains("\"Delete this dive?\"")) << qPrintable(failures[0]);

    EXPECT_EQ(dialogs.MsgBox("Delete this dive?", MsgButtons::YesNo, {}, {}, {}, {}), MsgAnswer::Yes);
    EXPECT_EQ(failures.size(), 1);
}

TEST_F(ScriptedDialogsTest, AnAnswerTheBoxDoesNotOfferIsFlagged)
{
    dialogs.ExpectMsg("Saved.", MsgAnswer::Yes);
    EXPECT_EQ(dialogs.MsgBox("Saved.", MsgButtons::OK, {}, {}, {}, {}), MsgAnswer::OK);
    EXPECT_EQ(failures.size(), 1);
}

TEST_F(ScriptedDialogsTest, VerifyAllUsedReportsWhatWasNeverShown)
{
    dialogs.ExpectMsg("Shown.").ExpectMsg("Never shown.").ExpectSaveFile("/x.bak");
    dialogs.MsgBox("Shown.", MsgButtons::OK, {}, {}, {}, {});
    EXPECT_EQ(dialogs.Pending(), QStringList({"message \"Never shown.\"", "save-file dialog"}));

    dialogs.VerifyAllUsed();
    ASSERT_EQ(failures.size(), 1);
    EXPECT_TRUE(failures[0].contains("Never shown.")) << qPrintable(failures[0]);
    dialogs.VerifyAllUsed();  // reported once
    EXPECT_EQ(failures.size(), 1);
}

TEST(ScriptedDialogsDefaultHook, AbortsWithTheUnexpectedPrompt)
{
    ScriptedDialogs dialogs;
    EXPECT_DEATH(dialogs.MsgBox("Surprise!", MsgButtons::OK, {}, {}, {}, {}), "unexpected message \"Surprise!\"");
}

TEST(ScriptedDialogsSeam, ShorthandsGoToTheInstalledBackend)
{
    ScriptedDialogs dialogs;
    dialogs.ExpectMsg("Overwrite?", MsgAnswer::Yes).ExpectInput("Name:", "Ann");
    InstallDialogs(&dialogs);
    EXPECT_EQ(MsgBox("Overwrite?", MsgButtons::YesNo), MsgAnswer::Yes);
    EXPECT_EQ(InputBox("Name:"), "Ann");
    InstallDialogs(nullptr);
    EXPECT_NE(&CurrentDialogs(), &dialogs);
    EXPECT_TRUE(dialogs.Pending().isEmpty());
}

} // namespace
} // namespace kvl
