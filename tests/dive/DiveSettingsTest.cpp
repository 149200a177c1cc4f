#include "tests/dive/DiveFormTest.h"

#include "dive/core/DiveSettings.h"
#include "shell/core/Units.h"

namespace kvl::test {
namespace {

class DiveSettingsTest : public DiveFormTest {
protected:
    db::Value Setting(qint64 diveId, const QString& column)
    {
        return gv.DB->Scalar("Select " + column + " from DIVE_DC_SETTINGS where DIVEID = ?", {diveId});
    }
    void AddModel(qint64 id, const QString& name)
    {
        gv.DB->Execute("Insert into DC_PROPERTIES (MODELID, MODELNAME) values (?, ?)", {id, name});
    }
    // A typed model checked and then saved, as the record does: false when refused.
    bool SaveModel(const QString& name)
    {
        const std::optional<DCModel> model = CheckDCModel(name);
        if (!model)
            return false;
        AddDCModel(*model);
        gv.CurrentDive.MODELID = model->id;
        return true;
    }
};

TEST_F(DiveSettingsTest, DownloadedDiveSetsTheFlagsFromItsRow)
{
    const qint64 id = AddDive(ManualDive({{"DATATYPE", 1}}), 1, 0);   // metric, 12-hour clock
    Show(id);
    EXPECT_EQ(form->Properties().ValueText("Units"), "Metric");
    EXPECT_EQ(form->Properties().ValueText("Time"), "12");
    EXPECT_EQ(gv.UnitSystem, 0);
    EXPECT_EQ(gv.UnitDate, 0);
    EXPECT_EQ(gv.UnitTime, 1);
}

TEST_F(DiveSettingsTest, GridShowsAgainForADiveWithSettingsAfterOneWithout)
{
    const qint64 without = AddDive(ManualDive(), 1, 1, false);
    const qint64 with = AddDive(ManualDive({{"LIFETIMEDIVENO", 2}}), 1, 1);
    dialogs.ExpectMsg("Error loading settings.");
    Show(without);
    EXPECT_TRUE(form->Properties().isHidden());
    Show(with);
    EXPECT_FALSE(form->Properties().isHidden());
    EXPECT_EQ(form->Properties().Keys(), QStringList({"Group1", "Units", "Time"}));
}

TEST_F(DiveSettingsTest, NullUnitsAndHourKeepTheCurrentFlags)
{
    gv.UnitSystem = 0;
    gv.UnitTime = 0;
    const qint64 id = AddDive(ManualDive(), db::Value(), db::Value());
    // The units row of the template says imperial; the dive's row says nothing.
    gv.DB->Execute("Update UNITS_OF_MEASUREMENT set DEPTH = 0, PRESSURE = 0, WEIGHT = 0, TEMP = 0, TIME = 0, "
                   "DATE = 0, CYLINDER = 0");
    InitUnitFlags();
    gv.UnitSystem = 0;
    Show(id);
    EXPECT_EQ(gv.UnitSystem, 0);
    EXPECT_EQ(gv.UnitTime, 0);
    EXPECT_EQ(form->Properties().ValueText("Units"), "Metric");
    EXPECT_EQ(form->Properties().ValueText("Time"), "24");
}

TEST_F(DiveSettingsTest, ChoosingUnitsWritesTheRowAndTheUnitsAndShowsTheDiveAgain)
{
    const qint64 id = AddDive(ManualDive({{"MDEPTH", 100}}), 0, 0);   // imperial, 12-hour
    Show(id);
    EXPECT_EQ(form->Text3(DiveText::MaxDepth).text(), "100");
    form->Properties().ChooseValue("Units", "Imperial");   // already imperial: nothing written
    EXPECT_EQ(Setting(id, "UNITS").ToLong(), 0);
    form->Properties().ChooseValue("Units", "Metric");
    EXPECT_EQ(Setting(id, "UNITS").ToLong(), 1);
    EXPECT_EQ(Setting(id, "HOUR").ToLong(), 0);
    EXPECT_EQ(gv.UnitDepth, 0);
    EXPECT_EQ(gv.DB->Scalar("Select DEPTH from UNITS_OF_MEASUREMENT").ToLong(), 0);
    EXPECT_EQ(form->Text3(DiveText::MaxDepth).text(), "30.5");
    form->Properties().ChooseValue("Time", "24");
    EXPECT_EQ(Setting(id, "HOUR").ToLong(), 1);
    EXPECT_EQ(gv.UnitTime, 0);
    EXPECT_TRUE(form->AMPM_Opt(DiveAmPm::TimeIn).isHidden());
}

TEST_F(DiveSettingsTest, TheDiveCaptionFollowsTheUnitsTheDiveIsShownIn)
{
    const qint64 id = AddDive(ManualDive(), 0, 0);   // imperial, 12-hour
    gv.UnitSystem = gv.UnitDate = 0;
    gv.UnitTime = 0;
    Show(id);
    EXPECT_EQ(gv.CurrentDiveCaption, "#1 05/21/2009 10:00 AM");
    form->Properties().ChooseValue("Units", "Metric");
    form->Properties().ChooseValue("Time", "24");
    EXPECT_EQ(gv.CurrentDiveCaption, "#1 21/05/2009 10:00");
}

TEST_F(DiveSettingsTest, AnEditTypedBeforeAUnitSwitchIsSavedInTheUnitsItWasTypedIn)
{
    const qint64 id = AddDive(ManualDive(), 0, 1);   // psi
    Show(id);
    TypeAndLeave(form->Text3(DiveText::StartPressure1), "2500");
    form->Properties().ChooseValue("Units", "Metric");
    EXPECT_EQ(Stored(id, "SPSI").ToDouble(), 2500);
    EXPECT_EQ(form->Text3(DiveText::StartPressure1).text(), "175");
}

TEST_F(DiveSettingsTest, ANewDiveStaysNewThroughAUnitSwitch)
{
    const qint64 id = AddDive(ManualDive(), 0, 1);
    Show(id);
    gv.IsNewDive = true;
    TypeAndLeave(form->Text3(DiveText::StartPressure1), "2500");
    form->Properties().ChooseValue("Units", "Metric");
    EXPECT_EQ(Stored(id, "SPSI").ToDouble(), 2500);
    EXPECT_TRUE(gv.IsNewDive);
}

TEST_F(DiveSettingsTest, ModelsTypedByHand)
{
    const qint64 id = AddDive(ManualDive());
    Show(id);
    struct Case {
        const char* name;
        qint64 expected;
    } cases[] = {{"", 0}, {"N/A", 0}, {"QX07", 6774}};
    for (const Case& c : cases) {
        gv.CurrentDive.MODELID = 55;
        EXPECT_TRUE(SaveModel(c.name));
        EXPECT_EQ(gv.CurrentDive.MODELID, c.expected) << c.name;
    }
    EXPECT_EQ(gv.DB->Scalar("Select COUNT(*) from DC_PROPERTIES").ToLong(), 1);
    EXPECT_TRUE(SaveModel("ALPHA"));
    EXPECT_EQ(gv.CurrentDive.MODELID, 1);
    AddModel(2, "BETA");
    EXPECT_TRUE(SaveModel("GAMMA"));
    EXPECT_EQ(gv.CurrentDive.MODELID, 3);
    EXPECT_TRUE(SaveModel("GAMMA"));
    EXPECT_EQ(gv.CurrentDive.MODELID, 3);
    EXPECT_EQ(gv.DB->Scalar("Select COUNT(*) from DC_PROPERTIES").ToLong(), 4);
}

TEST_F(DiveSettingsTest, ModelIdsStopBelowTheBuiltInModels)
{
    AddModel(6000, "LAST");
    EXPECT_TRUE(SaveModel("LOW"));
    EXPECT_EQ(gv.CurrentDive.MODELID, 1);
    gv.DB->Execute("WITH RECURSIVE n(i) AS (SELECT 2 UNION ALL SELECT i + 1 FROM n WHERE i < 5999) "
                   "Insert into DC_PROPERTIES (MODELID, MODELNAME) Select i, 'M' || i from n where i <> 4321");
    EXPECT_TRUE(SaveModel("GAP"));
    EXPECT_EQ(gv.CurrentDive.MODELID, 4321);
    gv.CurrentDive.MODELID = 7;
    dialogs.ExpectMsg("No more dive computer models can be added.");
    EXPECT_FALSE(SaveModel("FULL"));
    EXPECT_EQ(gv.CurrentDive.MODELID, 7);
    EXPECT_TRUE(gv.DB->Scalar("Select MODELID from DC_PROPERTIES where MODELNAME = 'FULL'").IsNull());
}

} // namespace
} // namespace kvl::test
