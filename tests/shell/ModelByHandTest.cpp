// A dive computer model typed on a dive entered by hand: looked at when the change is
// checked, written into the model list with the dive on every road that saves it, and
// not written at all when the dive is not.
#include "tests/shell/CommandsTest.h"

#include "dive/DiveFrm.h"
#include "platform/widgets/SmartToolBar.h"
#include "shell/MDI_MainFrm.h"

namespace kvl::test {
namespace {

class ModelByHandTest : public CommandsTest {
protected:
    void SetUp() override
    {
        CommandsTest::SetUp();
        AddDives(3);
        gv.DB->Execute("Update DIVEDATA set DATATYPE = 0, MODELID = 0");
        OpenLogOn(static_cast<qint32>(IdOf(1)));
        Side("Dive");
    }
    void TypeModel(const QString& name)
    {
        EditBox& box = DiveFrm::Instance().Text3(DiveText::Model);
        box.setText(name);
        emit box.KeyDown(0);
    }
    static db::Value ModelNamed(const QString& name)
    {
        return gv.DB->Scalar("Select MODELID from DC_PROPERTIES where MODELNAME = ?", {name});
    }
};

TEST_F(ModelByHandTest, ANewModelIsAddedWithTheDiveOnEveryRoadThatSavesIt)
{
    const SaveRoad roads[] = {
        {"next dive", true, [this] { Tool("NextDive"); }},
        {"Save", false, [this] { Tool("Save"); }},
        {"side bar", false, [this] { Side("Location"); }},
    };
    for (const SaveRoad& road : roads) {
        SCOPED_TRACE(road.name);
        Side("Dive");
        const qint64 shown = gv.CurrentDiveID;
        const QString model = QStringLiteral("ABC %1").arg(road.name).toUpper();
        TypeModel(model);
        if (road.asks)
            dialogs.ExpectMsg(kSaveQuestion, MsgAnswer::Yes);
        road.go();
        dialogs.VerifyAllUsed();
        ASSERT_FALSE(ModelNamed(model).IsNull());
        EXPECT_EQ(Stored(shown, "MODELID").ToLong(), ModelNamed(model).ToLong());
    }
}

TEST_F(ModelByHandTest, ADiveNotSavedLeavesTheModelListAsItWas)
{
    struct Road {
        const char* name;
        std::function<void()> answer;
    };
    const Road roads[] = {
        {"No", [this] { dialogs.ExpectMsg(kSaveQuestion, MsgAnswer::No); }},
        {"a refused write",
         [this] {
             gv.DB->Execute("Create trigger locked before update on DIVEDATA begin select raise(abort, 'locked'); end");
             dialogs.ExpectMsg(kSaveQuestion, MsgAnswer::Yes).ExpectMsg("Data updating error.");
         }},
    };
    for (const Road& road : roads) {
        SCOPED_TRACE(road.name);
        const qint64 shown = gv.CurrentDiveID;
        const qint64 models = Count("DC_PROPERTIES");
        TypeModel("ABC1");
        road.answer();
        Tool("NextDive");
        dialogs.VerifyAllUsed();
        EXPECT_EQ(Count("DC_PROPERTIES"), models);
        EXPECT_EQ(Stored(shown, "MODELID").ToLong(), 0);
    }
}

// The refusal is said while the change is checked, before the question about the rest.
TEST_F(ModelByHandTest, AModelRefusedForWantOfIdsIsSaidBeforeTheQuestion)
{
    gv.DB->Execute("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 6000) "
                   "Insert into DC_PROPERTIES (MODELID, MODELNAME) Select i, 'M' || i from n");
    const qint64 shown = gv.CurrentDiveID;
    TypeModel("FULL");
    EditMemo("Wreck");
    dialogs.ExpectMsg("No more dive computer models can be added.").ExpectMsg(kSaveQuestion, MsgAnswer::Yes);
    Tool("NextDive");
    dialogs.VerifyAllUsed();
    EXPECT_EQ(Stored(shown, "MEMO").ToString(), "Wreck");
    EXPECT_EQ(Stored(shown, "MODELID").ToLong(), 0);
}

} // namespace
} // namespace kvl::test
