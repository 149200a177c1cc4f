// The "Imperial"/"Metric" entries of the tool bar's units menu.
#include "tests/shell/CommandsTest.h"

#include "people/PersonalFrm.h"
#include "platform/widgets/SmartToolBar.h"
#include "shell/MDI_MainFrm.h"

namespace kvl::test {
namespace {

class UnitSwitchTest : public CommandsTest {
protected:
    void Choose(const char* key)
    {
        ToolItem(key).SetChecked(true);
        Frm().SmartUI1_ItemTextChange(key, key);
    }
};

TEST_F(UnitSwitchTest, TheDiversFormStaysOpenWhileTheUnitsChange)
{
    AddDives(5);
    OpenLogOn(IdOf(5));
    Side("Personal");
    const PersonalFrm* form = &PersonalFrm::Instance();
    Choose("Metric");
    EXPECT_EQ(gv.UnitSystem, 0);
    EXPECT_EQ(gv.UnitDepth, 0);
    EXPECT_FALSE(ToolItem("Imperial").Checked());
    EXPECT_EQ(gv.ActiveFormID, FormCode::Personal);
    EXPECT_EQ(&PersonalFrm::Instance(), form);
    EXPECT_TRUE(form->Loaded());
    EXPECT_EQ(gv.CurrentDiveID, IdOf(5));
    EXPECT_EQ(ToolItem("LTD").Text().section(' ', 1, 1), "05/01/2009");

    Choose("Imperial");
    EXPECT_EQ(gv.UnitSystem, 1);
    EXPECT_EQ(gv.UnitDepth, 1);
    EXPECT_FALSE(ToolItem("Metric").Checked());
    EXPECT_EQ(ToolItem("LTD").Text().section(' ', 1, 1), "01/05/2009");
}

TEST_F(UnitSwitchTest, OtherFormsAreShownAgainInTheNewUnits)
{
    AddDives(2);
    Side("Location");
    Choose("Metric");
    EXPECT_EQ(gv.UnitSystem, 0);
    EXPECT_EQ(gv.ActiveFormID, FormCode::Location);
    Side("Dive");
    Choose("Imperial");
    EXPECT_EQ(gv.UnitSystem, 1);
    EXPECT_EQ(gv.ActiveFormID, FormCode::Dive);
}

TEST_F(UnitSwitchTest, NothingHappensWithoutDivesOrForAnUncheckedEntry)
{
    OpenLogOn();
    gv.UnitSystem = 1;
    Choose("Metric");
    EXPECT_EQ(gv.UnitSystem, 1);

    AddDives(1);
    ToolItem("Metric").SetChecked(false);
    Frm().SmartUI1_ItemTextChange("Metric", "Metric");
    EXPECT_EQ(gv.UnitSystem, 1);
}

} // namespace
} // namespace kvl::test
