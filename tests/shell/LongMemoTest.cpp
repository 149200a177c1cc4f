// A dive whose memo is one long paragraph, on the dive record: looking through it and
// stepping over it keep the stored memo byte for byte; what is typed into it is saved
// with every other character, and every memo keeps its characters through the save.
#include "tests/shell/CommandsTest.h"

#include "dive/DiveFrm.h"
#include "tests/support/Keys.h"

namespace kvl::test {
namespace {

// One paragraph of at least `size` characters, with no line break.
QString Paragraph(qsizetype size)
{
    QString paragraph;
    while (paragraph.size() < size)
        paragraph += QStringLiteral("Drift along the wall, turtle at 18 m.  Strong current ");
    return paragraph;
}

class LongMemoTest : public CommandsTest {
protected:
    QString StoredMemo() { return Stored(IdOf(1), "MEMO").ToString(); }

    void PressCtrlEnd(MemoBox& box)
    {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_End, Qt::ControlModifier);
        QCoreApplication::sendEvent(&box, &press);
    }
};

TEST_F(LongMemoTest, LookingThroughALongParagraphKeepsItAndTypingAddsOnlyWhatIsTyped)
{
    AddDives(2);
    const QString memo = Paragraph(200'000);
    gv.DB->Execute("UPDATE DIVEDATA SET MEMO = ?", {memo});
    Side("Dive");
    MemoBox& box = DiveFrm::Instance().MemoTxt();
    ASSERT_TRUE(box.ShownInPieces());

    // Any key in the memo counts as an edit, so the step asks; what is saved is the memo.
    PressCtrlEnd(box);
    dialogs.ExpectMsg(kSaveQuestion, MsgAnswer::Yes);
    Tool("NextDive");
    dialogs.VerifyAllUsed();
    EXPECT_TRUE(StoredMemo() == memo) << "a break shown in its place is saved as its space";

    Tool("PrevDive");
    ASSERT_TRUE(box.ShownInPieces());
    PressCtrlEnd(box);
    KeyIn(box, QStringLiteral("!"));
    dialogs.ExpectMsg(kSaveQuestion, MsgAnswer::Yes);
    Tool("NextDive");
    dialogs.VerifyAllUsed();
    EXPECT_TRUE(StoredMemo() == memo + u'!');
}

// Through the record's save the memo keeps every character: saved for another box's
// edit it is written as it was, and typed into it changes by what was typed alone.
TEST_F(LongMemoTest, TheMemoKeepsEveryCharacterThroughTheRecordsSave)
{
    AddDives(2);
    const QString paragraph = Paragraph(70'000);
    const QString memos[] = {
        QStringLiteral("Reef\r\nwall\rturtle\u00A0at\t18 m\u2028\U0001F422\u2029\nend  "),
        "\r\r\n" + paragraph + "\n\r" + paragraph.left(3'000) + QStringLiteral("\r\n\u00A0"),
    };
    for (int i = 0; i < 2; ++i)
        gv.DB->Execute("UPDATE DIVEDATA SET MEMO = ? WHERE DIVEID = ?", {memos[i], IdOf(i + 1)});
    Side("Dive");
    ASSERT_EQ(gv.CurrentDiveID, IdOf(1));
    DiveFrm& record = DiveFrm::Instance();
    const auto save = [this](const char* step) {
        dialogs.ExpectMsg(kSaveQuestion, MsgAnswer::Yes);
        Tool(step);
        dialogs.VerifyAllUsed();
    };
    const char* steps[] = {"NextDive", "PrevDive"};
    for (int i = 0; i < 2; ++i) {
        SCOPED_TRACE(i);
        KeyIn(record.Text3(DiveText::AveDepth), "1");
        save(steps[i]);
        EXPECT_TRUE(Stored(IdOf(i + 1), "MEMO").ToString() == memos[i]) << "saved for another box";
    }
    for (int i = 0; i < 2; ++i) {
        SCOPED_TRACE(i);
        MemoBox& box = record.MemoTxt();
        PressCtrlEnd(box);
        KeyIn(box, "!");
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, "\r");
        QCoreApplication::sendEvent(&box, &enter);
        save(steps[i]);
        EXPECT_TRUE(Stored(IdOf(i + 1), "MEMO").ToString() == memos[i] + "!\r\n");
    }
}

} // namespace
} // namespace kvl::test
