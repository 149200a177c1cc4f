// A dive whose memo is one long paragraph, on the dive record: looking through it and
// stepping over it keep the stored memo byte for byte; what is typed into it is saved
// with every other character.
#include "tests/shell/CommandsTest.h"

#include "dive/DiveFrm.h"
#include "tests/support/Keys.h"

namespace kvl::test {
namespace {

const char kSaveQuestion[] = "Do you want to save the changes?";

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
    QString memo;
    while (memo.size() < 200'000)
        memo += QStringLiteral("Drift along the wall, turtle at 18 m.  Strong current ");
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

} // namespace
} // namespace kvl::test
