// What the diver's, companions', location and gear forms do to the shared state
// and the bars when they load and unload, and what they show of the current dive.
#include "tests/shell/MainFrmTest.h"

#include "dive/DiveFrm.h"
#include "people/BuddiesFrm.h"
#include "people/PersonalFrm.h"
#include "platform/widgets/CheckList.h"
#include "platform/widgets/PickList.h"
#include "platform/widgets/SmartSideBar.h"
#include "platform/widgets/SmartToolBar.h"
#include "shell/core/Global_Vars.h"
#include "shell/MDI_MainFrm.h"
#include "site_gear/GearFrm.h"
#include "site_gear/LocationFrm.h"

namespace kvl::test {
namespace {

struct FormCase {
    const char* sideKey;
    int code;
    std::function<ChildForm&()> form;
    int saveWhileLoaded;       // visibility of "Save" while the form is loaded
    bool hidesUnits;
    int codeAfterUnload;
};

// The names ticked in a companions list: the people on the current dive.
QStringList TickedNames(const CheckList& list)
{
    QStringList names;
    for (const auto& item : list.AllItems())
        if (item->Ticked())
            names << item->Caption();
    return names;
}

class ChildFormInterfaceTest : public MainFrmTest {
protected:
    void SetUp() override
    {
        MainFrmTest::SetUp();
        ASSERT_TRUE(StartUp());
        MainFrm().SmartUI1->Items("Units").SetVisible(1);
    }
    BarItem& ToolItem(const QString& key) { return MainFrm().SmartUI1->Items(key); }
};

TEST_F(ChildFormInterfaceTest, LoadWritesTheFormCodeAndUnloadClearsTheSelection)
{
    const FormCase cases[] = {
        {"Personal", 1, [] () -> ChildForm& { return PersonalFrm::Instance(); }, 0, true, 0},
        {"Buddies", 4, [] () -> ChildForm& { return BuddiesFrm::Instance(); }, 1, true, 0},
        {"Location", 5, [] () -> ChildForm& { return LocationFrm::Instance(); }, 1, false, 0},
        {"Gear", 7, [] () -> ChildForm& { return GearFrm::Instance(); }, 1, false, 0},
        {"Dive", 3, [] () -> ChildForm& { return DiveFrm::Instance(); }, 1, false, 0},
    };
    for (const FormCase& c : cases) {
        SCOPED_TRACE(c.sideKey);
        MainFrm().CloseChildForm(gv.ActiveFormID);
        MainFrm().SmartUI1->Items("Units").SetVisible(1);
        MainFrm().SmartBar->Items(c.sideKey).SetSelected(true);
        ASSERT_TRUE(c.form().Loaded());
        EXPECT_EQ(gv.ActiveFormID, c.code);
        EXPECT_EQ(ToolItem("Save").Visible(), c.saveWhileLoaded);
        EXPECT_EQ(ToolItem("Units").Visible(), c.hidesUnits ? 0 : 1);
        c.form().Unload();
        EXPECT_EQ(gv.ActiveFormID, c.codeAfterUnload);
        EXPECT_EQ(ToolItem("Save").Visible(), 0);
        EXPECT_FALSE(MainFrm().SmartBar->Items(c.sideKey).Selected());
    }
}

TEST_F(ChildFormInterfaceTest, LocationFormShowsTheCurrentDivesSite)
{
    MainFrm().SmartBar->Items("Location").SetSelected(true);
    ASSERT_EQ(gv.ActiveFormID, 5);
    const LocationFrm& form = LocationFrm::Instance();
    EXPECT_EQ(form.ShownDiveId(), gv.CurrentDiveID);
    EXPECT_FALSE(gv.CurrentDive.OPERATOR.isEmpty());
    EXPECT_EQ(form.Combo(site::LocationCombo::Operator).Text().toUpper(), gv.CurrentDive.OPERATOR.toUpper());
    EXPECT_EQ(form.Combo(site::LocationCombo::Current).ListIndex() >= 0, gv.CurrentDive.CURRENT.ToLong() > 0);
    EXPECT_EQ(form.Text4Text(site::LocationText::Highlights), gv.CurrentDive.HIGHLIGHTS);
    EXPECT_EQ(form.Text4Text(site::LocationText::Visibility),
              site::ShownLocationText(site::LocationText::Visibility, gv.CurrentDive.VISIBILITY));
}

TEST_F(ChildFormInterfaceTest, CompanionsFormListsTheCurrentDivesPeople)
{
    db::Database& log = *gv.DB;
    log.Execute("Insert into USERINFO (NAME, USERTYPE) values (?, 4), (?, 4), (?, 2) ;",
                {"Bo O'Hara", "Al Reef", "Cap Tain"});
    const qint64 captain = log.LastInsertId();
    log.Execute("Delete from BUDDIES ; Delete from CAPTAIN ; Delete from CREWS ;");
    log.Execute("Insert into BUDDIES (DIVEID, BUDDYID) select ?, USERID from USERINFO where NAME in (?, ?) ;",
                {gv.CurrentDiveID, "Bo O'Hara", "Al Reef"});
    log.Execute("Insert into CAPTAIN (DIVEID, CAPID) values (?, ?) ;", {gv.CurrentDiveID, captain});
    log.Execute("Insert into CREWS (DIVEID, CREWID) values (?, ?) ;", {gv.CurrentDiveID + 1000, captain});

    MainFrm().SmartBar->Items("Buddies").SetSelected(true);
    ASSERT_EQ(gv.ActiveFormID, 4);
    const BuddiesFrm& form = BuddiesFrm::Instance();
    EXPECT_EQ(TickedNames(form.BuddyList()), (QStringList{"Al Reef", "Bo O'Hara"}));
    EXPECT_EQ(TickedNames(form.CaptainList()), QStringList{"Cap Tain"});
    EXPECT_TRUE(TickedNames(form.CrewList()).isEmpty());
}

TEST_F(ChildFormInterfaceTest, DiverUnitsFollowTheDepthChoiceIntoEveryFlag)
{
    for (const bool feet : {false, true}) {
        gv.DB->Execute("Update UNITS_OF_MEASUREMENT set DEPTH = ?, TIME = -1, DATE = 0 ;", {feet});
        PersonalFrm::Instance().Personal_InitUnits();
        const quint8 expected = feet ? 1 : 0;
        EXPECT_EQ(gv.UnitSystem, expected);
        for (quint8 flag : {gv.UnitDepth, gv.UnitTemp, gv.UnitPressure, gv.UnitWeight, gv.UnitCylinder,
                            gv.UnitDate, gv.UnitTime})
            EXPECT_EQ(flag, expected);
        EXPECT_EQ(ToolItem("Imperial").Checked(), feet);
    }
}

TEST_F(ChildFormInterfaceTest, OpeningTheDiversFormLoadsTheUnits)
{
    MainFrm().CloseChildForm(gv.ActiveFormID);
    gv.DB->Execute("Update UNITS_OF_MEASUREMENT set DEPTH = 0, TIME = -1 ;");
    gv.UnitTime = 1;
    MainFrm().SmartBar->Items("Personal").SetSelected(true);
    EXPECT_EQ(gv.UnitSystem, 0);
    EXPECT_EQ(gv.UnitDepth, 0);
    EXPECT_EQ(gv.UnitTime, 0);

    // A log without the units table still shows the diver.
    MainFrm().CloseChildForm(gv.ActiveFormID);
    gv.DB->Execute("Drop table UNITS_OF_MEASUREMENT ;");
    MainFrm().SmartBar->Items("Personal").SetSelected(true);
    EXPECT_EQ(gv.ActiveFormID, 1);
}

} // namespace
} // namespace kvl::test
