// The diver's form: the diver's row in the grid, the title, saving, and the units.
#include "tests/people/PeopleFormTest.h"

#include "people/PersonalFrm.h"
#include "platform/widgets/PropertyGrid.h"
#include "platform/widgets/SmartSideBar.h"
#include "platform/widgets/SmartToolBar.h"
#include "reports/Reports.h"
#include "shell/MDI_MainFrm.h"
#include "shell/core/StateCodes.h"

#include <QLabel>

namespace kvl::test {
namespace {

const QString kTitlePrefix = QString::fromUtf8("Tarvik\u00AE Computer Vavedaver - ");

class PersonalFrmTest : public PeopleFormTest {
protected:
    PersonalFrm& Form() { return PersonalFrm::Instance(); }
    PropertyGrid& Grid() { return Form().PInfo(); }
    qint64 Divers() { return Number("Select count(*) from USERINFO where USERTYPE = 1 ;"); }
    // Leaves the diver's form for another and comes back.
    void Revisit()
    {
        OpenForm("Buddies");
        ASSERT_EQ(gv.ActiveFormID, FormCode::Buddies);
        OpenForm("Personal");
        ASSERT_EQ(gv.ActiveFormID, FormCode::Personal);
    }
};

TEST_F(PersonalFrmTest, OpensOnTheDiversRowWithHisNameInTheTitle)
{
    ASSERT_TRUE(PersonalFrm::Exists());
    EXPECT_EQ(gv.ActiveFormID, FormCode::Personal);
    EXPECT_EQ(gv.PersonKind, 1);
    EXPECT_EQ(Form().Label1().text(), "PERSONAL");
    EXPECT_EQ(Grid().RowCount(), 22);
    Form().PInfo_Initial();
    EXPECT_EQ(Grid().RowCount(), 22);
    EXPECT_EQ(Grid().Caption("PHONE"), "Phone:\t");
    EXPECT_EQ(Grid().DisplaySetting("NAME"), 1);
    EXPECT_EQ(Grid().DisplaySetting("PERSONAL GROUP"), 0);
    EXPECT_TRUE(Grid().RowColour("MEDICAL GROUP").isValid());
    EXPECT_EQ(Grid().ValueText("NAME"), "Sample Diver");
    EXPECT_EQ(gv.DiverName, "Sample Diver");
    EXPECT_EQ(MainFrm().windowTitle(), kTitlePrefix + "Sample Diver");
    EXPECT_EQ(gv.PrintFontName, Form().font().family());
    EXPECT_FALSE(gv.PrintFontName.isEmpty());
    EXPECT_EQ(MainFrm().SmartUI1->Items("Units").Visible(), 0);
    OpenForm("Buddies");
    EXPECT_EQ(MainFrm().SmartUI1->Items("Units").Visible(), 0);
}

TEST_F(PersonalFrmTest, EditsAreSavedWhenTheDiverLeavesTheForm)
{
    Grid().TypeValue("ADDRESS1", "1 Reef Road");
    Grid().TypeValue("CONTACTPHONE", "   555 0100 9999 8888 7777 6666  ");
    Grid().TypeValue("PHONE", "808-555-0100");
    Grid().TypeValue("NAME", "Ann O'Neil");
    Revisit();
    EXPECT_EQ(Text("Select ADDRESS1 from USERINFO where USERTYPE = 1"), "1 Reef Road");
    EXPECT_EQ(Text("Select CONTACTPHONE from USERINFO where USERTYPE = 1"), "555 0100 9999 8888 7");
    EXPECT_EQ(Text("Select HOME from USERINFO where USERTYPE = 1"), "808-555-0100");
    EXPECT_EQ(Grid().ValueText("CONTACTPHONE"), "555 0100 9999 8888 7");
    EXPECT_EQ(gv.DiverName, "Ann O'Neil");
    EXPECT_EQ(MainFrm().windowTitle(), kTitlePrefix + "Ann O'Neil");
    EXPECT_EQ(Divers(), 1);
}

TEST_F(PersonalFrmTest, WithoutADiverRowTheFirstCloseAddsOneAndTheNextEditsIt)
{
    OpenForm("Buddies");
    Log().Execute("Delete from USERINFO where USERTYPE = 1 ;");
    OpenForm("Personal");
    EXPECT_EQ(gv.DiverName, "");   // not the name of the log shown before
    EXPECT_EQ(MainFrm().windowTitle(), kTitlePrefix);
    EXPECT_EQ(Grid().ValueText("NAME"), "");
    Grid().TypeValue("NAME", "New Diver");
    Revisit();
    EXPECT_EQ(Divers(), 1);
    EXPECT_EQ(Grid().ValueText("NAME"), "New Diver");
    Grid().TypeValue("CITY", "Hilo");
    Revisit();
    EXPECT_EQ(Divers(), 1);
    EXPECT_EQ(Text("Select CITY from USERINFO where USERTYPE = 1"), "Hilo");
    EXPECT_EQ(Text("Select NAME from USERINFO where USERTYPE = 1"), "New Diver");
}

TEST_F(PersonalFrmTest, ASaveWithoutEditsStillWritesAndRefreshesTheCurrentDive)
{
    Log().Execute("Update USERINFO set CITY = 'Changed elsewhere' where USERTYPE = 1 ;");
    gv.CurrentDiveCaption.clear();
    Form().SaveInfo();
    EXPECT_EQ(Text("Select CITY from USERINFO where USERTYPE = 1"), " ");
    EXPECT_FALSE(gv.CurrentDiveCaption.isEmpty());
}

TEST_F(PersonalFrmTest, PrintingWritesTheDiverFirst)
{
    QString cityWhenPrinted;
    InstallPrintStep([&](const ReportJob&) {
        cityWhenPrinted = Text("Select CITY from USERINFO where USERTYPE = 1");
    });
    Grid().TypeValue("CITY", "Kailua-Kona");
    gv.PersonChanged = false;   // the diver's edits are written whatever the flag says
    gv.PrintChoice = kPrintPersonalInfo;
    MainFrm().PrintChosenReport();
    InstallPrintStep({});
    EXPECT_EQ(cityWhenPrinted, "Kailua-Kona");
}

TEST_F(PersonalFrmTest, ARefusedSaveSaysSoAndKeepsTheEdits)
{
    RefuseWrites("USERINFO", "update");
    Grid().TypeValue("CITY", "Hilo");
    dialogs.ExpectMsg("Could not save the diver's information.");
    Form().SaveInfo();
    EXPECT_EQ(dialogs.Messages().back().icon, MsgIcon::Critical);
    EXPECT_EQ(dialogs.Messages().back().title, "Error");
    EXPECT_EQ(Grid().ValueText("CITY"), "Hilo");
    EXPECT_EQ(Text("Select CITY from USERINFO where USERTYPE = 1"), " ");
    AllowWrites("USERINFO", "update");
    Form().SaveInfo();
    EXPECT_EQ(Text("Select CITY from USERINFO where USERTYPE = 1"), "Hilo");
}

TEST_F(PersonalFrmTest, AGridNeverLoadedIsNeverStored)
{
    OpenForm("Buddies");
    Log().Execute("Alter table USERINFO rename to PEOPLE ;");
    OpenForm("Personal");   // the diver cannot be read
    Log().Execute("Alter table PEOPLE rename to USERINFO ;");
    Form().SaveInfo();
    EXPECT_EQ(Divers(), 1);
    EXPECT_EQ(Text("Select NAME from USERINFO where USERTYPE = 1"), "Sample Diver");
}

struct UnitsCase {
    const char* name;
    db::Value depth;
    db::Value time;
    quint8 flags;   // every flag after the form opens
};

class DiverUnitsFormTest : public PersonalFrmTest, public ::testing::WithParamInterface<UnitsCase> {};

TEST_P(DiverUnitsFormTest, DepthSetsEveryFlagAndTheSaveWritesThemAll)
{
    const UnitsCase& c = GetParam();
    OpenForm("Buddies");
    Log().Execute("Update UNITS_OF_MEASUREMENT set DEPTH = ?, TIME = ?, DATE = ? ;", {c.depth, c.time, c.depth});
    OpenForm("Personal");
    EXPECT_EQ(gv.UnitSystem, c.flags);
    for (quint8 flag : {gv.UnitDepth, gv.UnitTemp, gv.UnitPressure, gv.UnitWeight, gv.UnitCylinder, gv.UnitDate,
                        gv.UnitTime})
        EXPECT_EQ(flag, c.flags);
    EXPECT_EQ(MainFrm().SmartUI1->Items("Imperial").Checked(), c.flags == 1);
    Form().SaveInfo();
    const qint64 yes = c.flags == 1 ? 1 : 0;
    EXPECT_EQ(Number("Select count(*) from UNITS_OF_MEASUREMENT where (DEPTH <> 0) = ? and (TEMP <> 0) = ? and "
                     "(PRESSURE <> 0) = ? and (WEIGHT <> 0) = ? and (TIME <> 0) = ? and (DATE <> 0) = ? and "
                     "(CYLINDER <> 0) = ?",
                     {yes, yes, yes, yes, yes, yes, yes}),
              1);
}

INSTANTIATE_TEST_SUITE_P(People, DiverUnitsFormTest,
                         ::testing::Values(UnitsCase{"DepthYesTimeNo", true, false, 1},
                                           UnitsCase{"DepthNoTimeYes", false, true, 0},
                                           UnitsCase{"DepthNull", db::Value(), true, 0}),
                         [](const auto& row) { return std::string(row.param.name); });

TEST_F(PersonalFrmTest, WithoutAUnitsRowNothingChangesAndNoRowIsAdded)
{
    OpenForm("Buddies");
    Log().Execute("Delete from UNITS_OF_MEASUREMENT ;");
    gv.UnitSystem = 1;
    gv.UnitDepth = 0;
    gv.UnitTime = 1;
    OpenForm("Personal");
    EXPECT_EQ(gv.UnitSystem, 1);
    EXPECT_EQ(gv.UnitDepth, 0);
    EXPECT_EQ(gv.UnitTime, 1);
    Form().SaveInfo();
    OpenForm("Buddies");
    EXPECT_EQ(Number("Select count(*) from UNITS_OF_MEASUREMENT"), 0);
}

} // namespace
} // namespace kvl::test
