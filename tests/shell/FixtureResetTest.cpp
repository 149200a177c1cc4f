// The base fixture: a case starts without the windows and the state the case
// before it left behind, and the forms' unload handlers do not run on the way.
#include "tests/support/KvlTest.h"

#include "dive/DivesListingFrm.h"
#include "shell/MDI_MainFrm.h"
#include "shell/core/FormCode.h"
#include "shell/core/FormTable.h"
#include "shell/core/Global_Vars.h"
#include "site_gear/LocationFrm.h"

namespace kvl::test {
namespace {

class FixtureResetTest : public KvlTest {};

TEST_F(FixtureResetTest, ACaseStartsWithoutWhatTheCaseBeforeLeft)
{
    // What a case may leave: the main window, a child form on screen and one unloaded
    // from the window, a drop-down window, state.
    MainFrm().show();
    LocationFrm::Instance();
    DivesListingFrm::Instance();
    gv.ActiveFormID = FormCode::Location;
    gv.CurrentDiveID = 7;

    TearDown();
    SetUp();

    EXPECT_FALSE(MainFrmExists());
    for (int code = FormCode::Personal; code <= FormCode::Queries; ++code)
        EXPECT_EQ(ExistingForm(code), nullptr) << code;
    EXPECT_EQ(gv.ActiveFormID, Global_Vars{}.ActiveFormID);
    EXPECT_EQ(gv.CurrentDiveID, Global_Vars{}.CurrentDiveID);
    EXPECT_TRUE(dialogs.Prompts().empty());
}

} // namespace
} // namespace kvl::test
