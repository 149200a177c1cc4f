// A dive record whose write the log refuses (a locked or read-only log): every road
// that saves before it moves says so and stops, with the record, its typing and the
// current dive kept, until a write goes through.
#include "tests/shell/CommandsTest.h"

#include "dive/DiveFrm.h"
#include "platform/widgets/SmartToolBar.h"
#include "shell/MDI_MainFrm.h"
#include "shell/core/DiveCursor.h"
#include "shell/core/StateCodes.h"

namespace kvl::test {
namespace {

const char kRefused[] = "Data updating error.";

class RefusedSaveTest : public CommandsTest {
protected:
    void SetUp() override
    {
        CommandsTest::SetUp();
        AddDives(3);
        Side("Dive");
        gv.DB->Execute("CREATE TRIGGER locked BEFORE UPDATE ON DIVEDATA BEGIN SELECT RAISE(ABORT, 'locked'); END");
    }
};

TEST_F(RefusedSaveTest, EveryRoadThatSavesBeforeItMovesStopsAndKeepsTheRecord)
{
    const SaveRoad roads[] = {
        {"next dive", true, [this] { Tool("NextDive"); }},
        {"last dive", true, [this] { Tool("LastDive"); }},
        {"pick in the listing", true, [this] { EXPECT_FALSE(PickDive(static_cast<qint32>(IdOf(3)))); }},
        {"side bar", false, [this] { Side("Location"); }},
        {"unit switch", false,
         [this] {
             ToolItem("Metric").SetChecked(true);
             Frm().SmartUI1_ItemTextChange("Metric", "Metric");
         }},
        {"print", false, [this] { EXPECT_FALSE(Frm().SaveChildFormChanges(FormCode::Dive)); }},
        {"exit", true, [this] { Tool("Exit"); }},
    };
    const qint64 first = IdOf(1);
    const quint8 units = gv.UnitSystem;
    for (const SaveRoad& road : roads) {
        SCOPED_TRACE(road.name);
        const QString memo = QStringLiteral("O'Neil wreck, %1").arg(road.name);
        EditMemo(memo);
        if (road.asks)
            dialogs.ExpectMsg(kSaveQuestion, MsgAnswer::Yes);
        dialogs.ExpectMsg(kRefused);
        road.go();
        dialogs.VerifyAllUsed();
        EXPECT_EQ(gv.CurrentDiveID, first);
        EXPECT_EQ(gv.ActiveFormID, FormCode::Dive);
        EXPECT_TRUE(DiveFrm::Exists() && DiveFrm::Instance().OnScreen());
        EXPECT_EQ(DiveFrm::Instance().MemoTxt().Text(), memo);
        EXPECT_EQ(gv.DiveChanged, kDiveRefused);
        EXPECT_EQ(gv.UnitSystem, units);
        EXPECT_TRUE(gv.DB && gv.DB->IsOpen());
        EXPECT_EQ(Stored(first, "MEMO").ToString(), "");
    }
    EXPECT_FALSE(ToolItem("Metric").Checked());

    // Once the log takes writes again, the step saves what was typed and goes on.
    gv.DB->Execute("DROP TRIGGER locked");
    dialogs.ExpectMsg(kSaveQuestion, MsgAnswer::Yes);
    Tool("NextDive");
    EXPECT_EQ(Stored(first, "MEMO").ToString(), "O'Neil wreck, exit");
    EXPECT_EQ(gv.CurrentDiveID, IdOf(2));
    EXPECT_EQ(gv.DiveChanged, kDiveUnchanged);
}

// A log opened read-only (a log on a read-only medium, or another program's): the box
// names the cause in the diver's words, and the move stops as for any refusal.
TEST_F(CommandsTest, ASaveTheLogCannotTakeNamesItsCauseAndKeepsTheTyping)
{
    AddDives(2);
    Side("Dive");
    gv.DB = db::Database::Open(gv.DB->Path(), db::OpenMode::ReadOnly);
    EditMemo("O'Neil wreck");
    dialogs.ExpectMsg(kSaveQuestion, MsgAnswer::Yes);
    dialogs.ExpectMsg("Data updating error.\nThe log is read-only.");
    Tool("NextDive");
    dialogs.VerifyAllUsed();
    EXPECT_EQ(gv.CurrentDiveID, IdOf(1));
    EXPECT_EQ(DiveFrm::Instance().MemoTxt().Text(), "O'Neil wreck");
    EXPECT_EQ(gv.DiveChanged, kDiveRefused);
}

} // namespace
} // namespace kvl::test
