// The profile view on the main window: opened from the side bar, reloaded by each
// step to another dive, refusing a hand-entered dive and coming back from it.
#include "tests/shell/CommandsTest.h"

#include "analysis/DetailsFrm.h"
#include "shell/MDI_MainFrm.h"

namespace kvl::test {
namespace {

class ProfileRoadTest : public CommandsTest {};

TEST_F(ProfileRoadTest, StepsThroughDivesWithTheViewOpen)
{
    AddDives(3);
    gv.DB->Execute("Update DIVEDATA set DATATYPE = 0, MODELID = 0 where LIFETIMEDIVENO = 3");
    Side("Details");
    ASSERT_TRUE(DetailsFrm::Exists());
    DetailsFrm& view = DetailsFrm::Instance();
    EXPECT_EQ(gv.ActiveFormID, FormCode::Details);
    EXPECT_EQ(view.SampleCount, 3);
    EXPECT_EQ(view.CursorIndex, 1);

    Tool("NextDive");
    EXPECT_EQ(gv.CurrentDiveID, IdOf(2));
    EXPECT_EQ(view.SampleCount, 3);
    EXPECT_TRUE(view.isEnabled());

    dialogs.ExpectMsg("There is no dive details available for Manual Entry Dive.");
    Tool("NextDive");
    EXPECT_EQ(gv.CurrentDiveID, IdOf(3));
    EXPECT_FALSE(view.isEnabled());
    EXPECT_EQ(view.SampleCount, 0);

    Tool("PrevDive");
    EXPECT_EQ(gv.CurrentDiveID, IdOf(2));
    EXPECT_TRUE(view.isEnabled());
    EXPECT_EQ(view.SampleCount, 3);
    EXPECT_EQ(gv.ActiveFormID, FormCode::Details);
}

} // namespace
} // namespace kvl::test
