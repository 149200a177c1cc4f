// The gear form on the sample log with gear of our own: loading a dive's set, items,
// weights and accessory ticks; choosing a set; saving only what the user changed;
// adding and deleting catalog names and accessories; refused writes.
#include "tests/shell/MainFrmTest.h"

#include "platform/widgets/CheckList.h"
#include "platform/widgets/FieldBoxes.h"
#include "platform/widgets/PickList.h"
#include "platform/widgets/SmartSideBar.h"
#include "shell/MDI_MainFrm.h"
#include "shell/core/DiveCursor.h"
#include "shell/core/Global_Vars.h"
#include "site_gear/GearFrm.h"
#include "tests/support/Keys.h"
#include "tests/support/LogFixture.h"

#include <QLabel>

namespace kvl::test {
namespace {

using namespace gear;

QStringList Ticked(const CheckList& list)
{
    QStringList captions;
    for (const auto& item : list.AllItems())
        if (item->Ticked())
            captions << item->Caption();
    return captions;
}

class GearFrmTest : public MainFrmTest {
protected:
    void SetUp() override
    {
        MainFrmTest::SetUp();
        ASSERT_TRUE(StartUp());
        QStringList wipe{"GEARS", "ACCESSORYDATA", "ACCESSORY"};
        for (const GearKindInfo& kind : GearKinds())
            wipe << kind.table;
        for (const QString& table : wipe)
            Log().Execute("Delete from " + table);
        AddNames("REGULATORS", {"Apex", "Zodiac"});
        AddNames("ALTAIRSOURCE", {"Octopus"});
        AddNames("MASKS", {"Low-volume", "Frameless"});
        InsertRow(Log(), "GEARS", {{"NAME", "Reef"}, {"REGULATOR", "Apex"}, {"AIRSOURCE", "Octopus"},
                                   {"MASK", "Low-volume"}, {"BELTWEIGHT", 22}, {"INTWEIGHT", 8}, {"OTHERWEIGHT", 0}});
        InsertRow(Log(), "GEARS", {{"NAME", "Skipper's"}, {"REGULATOR", "Zodiac"}, {"MASK", "Frameless"},
                                   {"BELTWEIGHT", 10}, {"INTWEIGHT", 0}, {"OTHERWEIGHT", 0}});
        light = InsertRow(Log(), "ACCESSORYDATA", {{"ACCESSORY", "LIGHT"}});
        knife = InsertRow(Log(), "ACCESSORYDATA", {{"ACCESSORY", "KNIFE"}});
        compass = InsertRow(Log(), "ACCESSORYDATA", {{"ACCESSORY", "COMPASS"}});
        Link("Reef", light);
        Link("Reef", knife);
        Link("Skipper's", compass);
        dive = gv.CurrentDiveID;
        ASSERT_GT(dive, 0);
        next = qint32(Log().Scalar("Select DIVEID from DIVEDATA where LIFETIMEDIVENO > ? order by LIFETIMEDIVENO",
                                   {Log().Scalar("Select LIFETIMEDIVENO from DIVEDATA where DIVEID = ?", {dive})})
                          .ToLong());
        ASSERT_GT(next, 0);
        SetDive(dive, {{"GEAR", "Reef"}, {"REGULATOR", "apex"}, {"AIRSOURCE", "Octopus"}, {"MASK", "Low-volume"},
                       {"BELTWEIGHT", 22}, {"INTWEIGHT", 8}, {"OTHERWEIGHT", 0}});
        SetDive(next, {{"GEAR", "Skipper's"}, {"REGULATOR", "Zodiac"}, {"AIRSOURCE", "NONE"}, {"MASK", "Frameless"},
                       {"BELTWEIGHT", 10}, {"INTWEIGHT", 0}, {"OTHERWEIGHT", 0}});
        gv.UnitWeight = 1;
    }

    db::Database& Log() { return *gv.DB; }
    db::Value Field(const QString& sql, const db::Params& params = {}) { return Log().Scalar(sql, params); }
    QString DiveText(qint32 id, const QString& field)
    {
        return Field("Select " + field + " from DIVEDATA where DIVEID = ?", {id}).ToString();
    }
    double DiveNumber(qint32 id, const QString& field)
    {
        return Field("Select " + field + " from DIVEDATA where DIVEID = ?", {id}).ToDouble();
    }
    db::Value SetValue(const QString& set, const QString& field)
    {
        return Field("Select " + field + " from GEARS where NAME = ?", {set});
    }
    qint64 Count(const QString& sql, const db::Params& params = {}) { return Field(sql, params).ToLong(); }
    void AddNames(const QString& table, const QStringList& names)
    {
        for (const QString& name : names)
            InsertRow(Log(), table, {{"NAME", name}});
    }
    void Link(const QString& set, qint64 accessory)
    {
        InsertRow(Log(), "ACCESSORY", {{"GEAR", set}, {"ACCESSORYID", accessory}});
    }
    void SetDive(qint32 id, const Columns& columns)
    {
        QStringList sets;
        db::Params values;
        for (const auto& [name, value] : columns) {
            sets << name + " = ?";
            values.push_back(value);
        }
        values.push_back(id);
        Log().Execute("Update DIVEDATA set " + sets.join(", ") + " where DIVEID = ?", values);
    }
    // Makes every write of this kind to the table fail, as a damaged or locked log would.
    void RefuseWrites(const QString& table, const QString& kind)
    {
        Log().Execute(QString("Create trigger refuse_%1_%2 before %2 on %1 begin select raise(abort, 'refused'); end ;")
                          .arg(table, kind));
    }
    // The gear columns of every dive, the sets and the links, to compare before and after.
    QStringList GearRows()
    {
        QStringList rows;
        const QString sql[] = {
            "Select DIVEID, GEAR, REGULATOR, AIRSOURCE, BC, GAUGES, SUIT, BOOTS, GLOVES, HOOD, MASK, SNORKEL, FINS, "
            "CYLINDER, BELTWEIGHT, INTWEIGHT, OTHERWEIGHT from DIVEDATA order by DIVEID",
            "Select * from GEARS order by rowid", "Select * from ACCESSORY order by rowid",
            "Select * from ACCESSORYDATA order by ID"};
        for (const QString& query : sql) {
            auto set = Log().OpenSnapshot(query);
            for (; !set->EOF(); set->MoveNext()) {
                QStringList row;
                for (const QString& field : set->FieldNames()) {
                    const db::Value value = set->Field(field);
                    row << (value.IsNull() ? "<null>" : value.ToString());
                }
                rows << row.join("|");
            }
        }
        return rows;
    }

    GearFrm& Open()
    {
        MainFrm().SmartBar->Items("Gear").SetSelected(true);
        EXPECT_EQ(gv.ActiveFormID, 7);
        return GearFrm::Instance();
    }
    void Step(const char* key) { MainFrm().SmartUI1_ItemClick(key); }
    // The user's pick of the entry with this text.
    static void Pick(PickList& list, const QString& text)
    {
        const int index = list.FindText(text);
        ASSERT_GE(index, 0) << text.toStdString();
        list.Pick(index);
    }
    static void Type(EditBox& box, const QString& text)
    {
        box.setText(text);
        emit box.textEdited(text);
    }
    static QStringList Captions(const CheckList& list)
    {
        QStringList captions;
        for (const auto& item : list.AllItems())
            captions << item->Caption();
        return captions;
    }
    void ExpectMessage(const QString& text, const QString& title)
    {
        const Prompt& prompt = LastPrompt();
        EXPECT_EQ(prompt.text, text);
        EXPECT_EQ(prompt.title, title);
        EXPECT_EQ(prompt.icon, MsgIcon::Critical);
    }

    qint32 dive = 0;
    qint32 next = 0;
    qint64 light = 0;
    qint64 knife = 0;
    qint64 compass = 0;
};

TEST_F(GearFrmTest, OpensWithTheCatalogsAndTheDivesGear)
{
    GearFrm& form = Open();
    EXPECT_EQ(form.Header().text(), "GEAR BAG");
    EXPECT_EQ(form.Combo1(kGear).Entries(), (QStringList{"NONE", "Reef", "Skipper's"}));
    EXPECT_EQ(form.Combo1(kRegulator).Entries(), (QStringList{"NONE", "Apex", "Zodiac"}));
    EXPECT_EQ(form.Combo1(kMask).Entries(), (QStringList{"NONE", "Frameless", "Low-volume"}));
    EXPECT_EQ(form.Combo1(kSuit).ListCount(), 0);   // an empty catalog: not even "NONE"

    EXPECT_EQ(form.Combo1(kGear).Text(), "Reef");
    EXPECT_EQ(form.Combo1(kRegulator).Text(), "Apex");   // the dive holds "apex"
    EXPECT_EQ(form.Combo1(kAltAirSource).Text(), "Octopus");
    EXPECT_EQ(form.Combo1(kSuit).ListIndex(), -1);
    EXPECT_EQ(form.Text1(kBeltWeight).text(), "22.0");
    EXPECT_EQ(form.Text1(kOtherWeight).text(), "0.0");
    for (int box = 0; box < kWeightCount; ++box)
        EXPECT_EQ(form.Units_Opt(box).Text(), "LBS");
    EXPECT_EQ(Captions(form.AccessoryList()), (QStringList{"LIGHT", "KNIFE", "COMPASS"}));
    EXPECT_EQ(form.AccessoryList().Items(AccessoryKey(knife)).Caption(), "KNIFE");
    EXPECT_EQ(Ticked(form.AccessoryList()), (QStringList{"LIGHT", "KNIFE"}));
    EXPECT_TRUE(form.AccessoryList().isEnabled());
}

TEST_F(GearFrmTest, KilogramsShowAndSaveAsPounds)
{
    gv.UnitWeight = 0;
    GearFrm& form = Open();
    EXPECT_EQ(form.Units_Opt(kBeltWeight).Text(), "KGS");
    EXPECT_EQ(form.Text1(kBeltWeight).text(), "10.0");
    EXPECT_EQ(form.Text1(kIntWeight).text(), "3.6");

    Type(form.Text1(kBeltWeight), "12.5");
    Step("Save");
    EXPECT_EQ(DiveNumber(dive, "BELTWEIGHT"), 27.6);   // not the single's 27.600000381469727
    EXPECT_EQ(SetValue("Reef", "BELTWEIGHT").ToDouble(), 27.6);
    EXPECT_EQ(DiveNumber(dive, "INTWEIGHT"), 8);   // shown as 3.6 kg, never typed: stays 8 lb
    EXPECT_EQ(SetValue("Reef", "INTWEIGHT").ToDouble(), 8);
}

TEST_F(GearFrmTest, DivesWithoutASetShowNoneAndLockTheItems)
{
    GearFrm& form = Open();
    for (const db::Value& gear : {db::Value::Null(), db::Value(""), db::Value("none")}) {
        SCOPED_TRACE(gear.ToString().toStdString());
        SetDive(dive, {{"GEAR", gear}, {"REGULATOR", "Zodiac"}, {"BELTWEIGHT", 5}});
        const QStringList before = GearRows();
        form.LoadGearInfo();
        EXPECT_EQ(form.Combo1(kGear).Text(), "NONE");
        EXPECT_EQ(form.Combo1(kRegulator).Text(), "NONE");
        EXPECT_FALSE(form.Combo1(kRegulator).isEnabled());
        EXPECT_EQ(form.Text1(kBeltWeight).text(), "");
        EXPECT_FALSE(form.Text1(kBeltWeight).isEnabled());
        EXPECT_TRUE(Ticked(form.AccessoryList()).isEmpty());
        EXPECT_FALSE(form.AccessoryList().isEnabled());
        form.UpdateGearInfo();
        EXPECT_EQ(GearRows(), before);
    }
}

TEST_F(GearFrmTest, ASetMissingFromTheCatalogShowsTheDivesOwnItems)
{
    GearFrm& form = Open();
    ASSERT_EQ(form.Combo1(kMask).Text(), "Low-volume");
    SetDive(next, {{"GEAR", "Gone set"}, {"MASK", "Gone mask"}, {"BELTWEIGHT", 5}});
    Step("NextDive");
    ASSERT_EQ(gv.CurrentDiveID, next);
    EXPECT_EQ(form.Combo1(kGear).Text(), "NONE");
    EXPECT_TRUE(form.Combo1(kMask).isEnabled());
    EXPECT_EQ(form.Combo1(kMask).ListIndex(), -1);   // nothing of the dive before
    EXPECT_EQ(form.Combo1(kRegulator).Text(), "Zodiac");
    EXPECT_EQ(form.Text1(kBeltWeight).text(), "5.0");
    EXPECT_TRUE(form.AccessoryList().isEnabled());
    EXPECT_TRUE(Ticked(form.AccessoryList()).isEmpty());
}

TEST_F(GearFrmTest, TheStripFollowsTheFocusedList)
{
    GearFrm& form = Open();
    struct Case {
        int kind;
        const char* add;
        const char* del;
    };
    const Case cases[] = {{kGear, "New Gear", "Delete Gear"},
                          {kAltAirSource, "New Alt. Air Source", "Delete Alt. Air Source"},
                          {kGauges, "New Gauges", "Delete Gauges"}};
    for (const Case& c : cases) {
        form.Combo1_GotFocus(c.kind);
        EXPECT_EQ(form.PopupIndex, c.kind);
        EXPECT_EQ(form.Cmd().ItemCaption("Add"), c.add);
        EXPECT_EQ(form.Cmd().ItemCaption("Delete"), c.del);
        const QPoint corner = form.Combo1(c.kind).mapTo(&form, QPoint(form.Combo1(c.kind).width(), 0));
        EXPECT_EQ(form.Cmd().pos(), corner);
    }
    form.AccessoryList_MouseDown();
    EXPECT_EQ(form.PopupIndex, kAccessoryPopup);
    form.Text1_GotFocus(kBeltWeight);   // the strip stays with the list it prepared
    EXPECT_EQ(form.PopupIndex, kAccessoryPopup);
    EXPECT_EQ(form.Text1(kBeltWeight).selectedText(), "22.0");
    EXPECT_EQ(form.Cmd().ItemCaption("Add"), "New Accessory");
    EXPECT_EQ(form.Cmd().ItemCaption("Delete"), "Delete Accessory");
}

TEST_F(GearFrmTest, ChoosingASetFillsItsItemsAndWeightsIntoTheDive)
{
    SetDive(dive, {{"GEAR", "NONE"}, {"REGULATOR", "NONE"}, {"BELTWEIGHT", 0}});
    gv.UnitWeight = 0;
    GearFrm& form = Open();
    Pick(form.Combo1(kGear), "Reef");
    EXPECT_EQ(form.Combo1(kRegulator).Text(), "Apex");
    EXPECT_EQ(form.Combo1(kMask).Text(), "Low-volume");
    EXPECT_EQ(form.Combo1(kRegulator).isEnabled(), true);
    EXPECT_EQ(form.Text1(kBeltWeight).text(), "10");
    EXPECT_EQ(form.Text1(kIntWeight).text(), "3.6");
    EXPECT_EQ(Ticked(form.AccessoryList()), (QStringList{"LIGHT", "KNIFE"}));   // the set's ticks
    EXPECT_EQ(DiveText(dive, "GEAR"), "Reef");
    EXPECT_EQ(DiveText(dive, "REGULATOR"), "Apex");
    EXPECT_EQ(DiveText(dive, "MASK"), "Low-volume");
    EXPECT_EQ(DiveNumber(dive, "BELTWEIGHT"), 0);   // weights go in with the save
    Step("Save");
    EXPECT_EQ(DiveNumber(dive, "BELTWEIGHT"), 22);
    EXPECT_EQ(SetValue("Reef", "BELTWEIGHT").ToDouble(), 22);
}

// Choosing a set shows its pounds rounded (18 lb as 8.2 kg); saving without typing
// gives the dive the pounds the set stores and leaves the set's row as it was.
struct SetWeightsCase {
    const char* name;
    quint8 unitWeight;
    std::array<double, kWeightCount> pounds;
};

class SetWeightsTest : public GearFrmTest, public ::testing::WithParamInterface<SetWeightsCase> {};

TEST_P(SetWeightsTest, ChoosingAndSavingASetKeepsItsStoredPounds)
{
    const SetWeightsCase& c = GetParam();
    InsertRow(Log(), "GEARS", {{"NAME", "Drift"}, {"REGULATOR", "Zodiac"}, {"BELTWEIGHT", c.pounds[0]},
                               {"INTWEIGHT", c.pounds[1]}, {"OTHERWEIGHT", c.pounds[2]}});
    gv.UnitWeight = c.unitWeight;
    GearFrm& form = Open();
    Pick(form.Combo1(kGear), "Drift");
    Step("Save");
    Step("NextDive");
    Step("PrevDive");
    for (int box = 0; box < kWeightCount; ++box) {
        const QString field = GearWeights()[box].field;
        EXPECT_EQ(SetValue("Drift", field).ToDouble(), c.pounds[box]) << box;
        EXPECT_EQ(DiveNumber(dive, field), c.pounds[box]) << box;
    }
}

INSTANTIATE_TEST_SUITE_P(Units, SetWeightsTest,
                         ::testing::Values(SetWeightsCase{"MetricWholePounds", 0, {18, 8, 0}},
                                           SetWeightsCase{"MetricOddPounds", 0, {12.34, 7.25, 1.1}},
                                           SetWeightsCase{"ImperialOddPounds", 1, {12.34, 7.25, 1.1}}),
                         [](const auto& row) { return std::string(row.param.name); });

TEST_F(GearFrmTest, ChoosingASetReplacesWhatWasTypedInItsWeights)
{
    gv.UnitWeight = 0;
    GearFrm& form = Open();
    Type(form.Text1(kBeltWeight), "4");
    Pick(form.Combo1(kGear), "Skipper's");   // 10 lb, shown as 4.5 kg
    Step("Save");
    EXPECT_EQ(DiveNumber(dive, "BELTWEIGHT"), 10);
    EXPECT_EQ(SetValue("Skipper's", "BELTWEIGHT").ToDouble(), 10);
}

TEST_F(GearFrmTest, WeightBoxesTakeNumbersOnly)
{
    GearFrm& form = Open();
    EditBox& belt = form.Text1(kBeltWeight);
    belt.clear();
    KeyIn(belt, "-1x2,.5kg");
    EXPECT_EQ(belt.text(), "12.5");
}

TEST_F(GearFrmTest, ChoosingNoneLocksTheItemsAndKeepsTheWeights)
{
    GearFrm& form = Open();
    Pick(form.Combo1(kGear), "NONE");
    for (int kind : {kRegulator, kAltAirSource, kMask}) {
        EXPECT_EQ(form.Combo1(kind).Text(), "NONE");
        EXPECT_FALSE(form.Combo1(kind).isEnabled());
        EXPECT_EQ(DiveText(dive, GearKinds()[kind].field), "NONE");
    }
    EXPECT_EQ(DiveText(dive, "GEAR"), "NONE");
    EXPECT_EQ(form.Text1(kBeltWeight).text(), "22.0");
    EXPECT_FALSE(form.Text1(kBeltWeight).isEnabled());
    EXPECT_TRUE(Ticked(form.AccessoryList()).isEmpty());
    EXPECT_FALSE(form.AccessoryList().isEnabled());
    EXPECT_EQ(Count("Select count(*) from ACCESSORY where GEAR = 'Reef'"), 2);
    Step("Save");
    EXPECT_EQ(DiveNumber(dive, "BELTWEIGHT"), 22);
    EXPECT_EQ(SetValue("Reef", "REGULATOR").ToString(), "Apex");
}

TEST_F(GearFrmTest, ChoosingTheSetAgainReloadsItUnlessTheDiveHoldsItInCapitals)
{
    SetDive(dive, {{"GEAR", "REEF"}});
    GearFrm& form = Open();
    ASSERT_EQ(form.Combo1(kGear).Text(), "Reef");
    Pick(form.Combo1(kRegulator), "Zodiac");
    EXPECT_EQ(DiveText(dive, "REGULATOR"), "Zodiac");
    form.Combo1_Click(kGear);   // the set chosen again
    EXPECT_EQ(form.Combo1(kRegulator).Text(), "Zodiac");
    EXPECT_EQ(DiveText(dive, "GEAR"), "Reef");
    form.Combo1_Click(kGear);   // the dive now holds "Reef"
    EXPECT_EQ(form.Combo1(kRegulator).Text(), "Apex");
    EXPECT_EQ(DiveText(dive, "REGULATOR"), "Apex");
}

TEST_F(GearFrmTest, SavingWritesPickedItemsIntoTheSetButNotNone)
{
    GearFrm& form = Open();
    Pick(form.Combo1(kRegulator), "Zodiac");
    Pick(form.Combo1(kMask), "NONE");
    Type(form.Text1(kIntWeight), "0");
    Step("Save");
    EXPECT_EQ(DiveText(dive, "REGULATOR"), "Zodiac");
    EXPECT_EQ(DiveText(dive, "MASK"), "NONE");
    EXPECT_EQ(DiveNumber(dive, "INTWEIGHT"), 0);
    EXPECT_EQ(SetValue("Reef", "REGULATOR").ToString(), "Zodiac");
    EXPECT_EQ(SetValue("Reef", "MASK").ToString(), "Low-volume");
    EXPECT_EQ(SetValue("Reef", "INTWEIGHT").ToDouble(), 8);
}

TEST_F(GearFrmTest, WritesGoToTheDiveTheFormLoaded)
{
    SetDive(next, {{"MASK", "Low-volume"}});
    GearFrm& form = Open();
    Type(form.Text1(kBeltWeight), "30");
    gv.CurrentDiveID = next;   // another form moved on without the gear form's refresh
    Pick(form.Combo1(kMask), "Frameless");
    form.UpdateGearInfo();
    EXPECT_EQ(DiveNumber(dive, "BELTWEIGHT"), 30);
    EXPECT_EQ(DiveText(dive, "MASK"), "Frameless");
    EXPECT_EQ(DiveNumber(next, "BELTWEIGHT"), 10);
    EXPECT_EQ(DiveText(next, "MASK"), "Low-volume");
}

TEST_F(GearFrmTest, PickingADiveInTheListingSavesTheWeightsFirst)
{
    GearFrm& form = Open();
    Type(form.Text1(kOtherWeight), "4.5");
    ASSERT_TRUE(PickDive(next));
    EXPECT_EQ(DiveNumber(dive, "OTHERWEIGHT"), 4.5);
    EXPECT_EQ(form.Combo1(kGear).Text(), "Skipper's");
    EXPECT_EQ(form.Text1(kOtherWeight).text(), "0.0");
}

TEST_F(GearFrmTest, AddingANameSelectsItAndWritesItIntoTheDive)
{
    GearFrm& form = Open();
    form.Combo1_GotFocus(kRegulator);
    dialogs.ExpectInput("Enter your desired Regulator:", "R1");
    form.Cmd().ClickItem("Add");
    EXPECT_EQ(LastPrompt().title, "New Regulator");
    EXPECT_EQ(form.Combo1(kRegulator).Text(), "R1");
    EXPECT_EQ(Count("Select count(*) from REGULATORS where NAME = 'R1'"), 1);
    EXPECT_EQ(DiveText(dive, "REGULATOR"), "R1");
    EXPECT_EQ(SetValue("Reef", "REGULATOR").ToString(), "R1");   // the window was saved

    dialogs.ExpectInput("Enter your desired Regulator:", "r1");
    form.Cmd().ClickItem("Add");
    EXPECT_EQ(form.Combo1(kRegulator).Entries(), (QStringList{"NONE", "Apex", "Zodiac", "R1"}));
    EXPECT_EQ(Count("Select count(*) from REGULATORS"), 3);

    form.Combo1_GotFocus(kBC);   // an empty catalog takes "NONE" with its first name
    dialogs.ExpectInput("Enter your desired BC:", "Skipper's BC");
    form.Cmd().ClickItem("Add");
    EXPECT_EQ(form.Combo1(kBC).Entries(), (QStringList{"NONE", "Skipper's BC"}));
    EXPECT_EQ(DiveText(dive, "BC"), "Skipper's BC");
}

TEST_F(GearFrmTest, ANewSetTakesTheItemsShownAndTheDiveStartsAgainFromNone)
{
    GearFrm& form = Open();
    form.Combo1_GotFocus(kGear);
    dialogs.ExpectInput("Enter your desired Gear:", "Night's Reef");
    form.Cmd().ClickItem("Add");
    EXPECT_EQ(form.Combo1(kGear).Text(), "Night's Reef");
    EXPECT_EQ(SetValue("Night's Reef", "REGULATOR").ToString(), "Apex");
    EXPECT_EQ(SetValue("Night's Reef", "AIRSOURCE").ToString(), "Octopus");
    EXPECT_EQ(SetValue("Night's Reef", "MASK").ToString(), "Low-volume");
    EXPECT_EQ(SetValue("Night's Reef", "BELTWEIGHT").ToDouble(), 22);
    EXPECT_EQ(SetValue("Night's Reef", "INTWEIGHT").ToDouble(), 8);
    EXPECT_EQ(DiveText(dive, "GEAR"), "Night's Reef");
    for (int kind : {kRegulator, kAltAirSource, kMask}) {
        EXPECT_EQ(form.Combo1(kind).Text(), "NONE");
        EXPECT_EQ(DiveText(dive, GearKinds()[kind].field), "NONE");
    }
}

TEST_F(GearFrmTest, DeletingAnItemResetsThisDiveOnly)
{
    SetDive(next, {{"REGULATOR", "Apex"}});
    GearFrm& form = Open();
    form.Combo1_GotFocus(kRegulator);
    form.Cmd().ClickItem("Delete");
    EXPECT_EQ(form.Combo1(kRegulator).Entries(), (QStringList{"NONE", "Zodiac"}));
    EXPECT_EQ(form.Combo1(kRegulator).ListIndex(), -1);
    EXPECT_EQ(Count("Select count(*) from REGULATORS where NAME = 'Apex'"), 0);
    EXPECT_EQ(DiveText(dive, "REGULATOR"), "NONE");
    EXPECT_EQ(DiveText(next, "REGULATOR"), "Apex");
    EXPECT_EQ(SetValue("Reef", "REGULATOR").ToString(), "Apex");

    Pick(form.Combo1(kRegulator), "NONE");   // "NONE" is never deleted
    form.Cmd().ClickItem("Delete");
    EXPECT_EQ(form.Combo1(kRegulator).Entries(), (QStringList{"NONE", "Zodiac"}));
}

TEST_F(GearFrmTest, DeletingASetKeepsItsAccessoryLinksAndOtherDives)
{
    SetDive(dive, {{"GEAR", "Skipper's"}});
    SetDive(next, {{"GEAR", "Skipper's"}});
    GearFrm& form = Open();
    ASSERT_EQ(form.Combo1(kGear).Text(), "Skipper's");
    form.Combo1_GotFocus(kGear);
    form.Cmd().ClickItem("Delete");
    EXPECT_EQ(form.Combo1(kGear).Entries(), (QStringList{"NONE", "Reef"}));
    EXPECT_EQ(Count("Select count(*) from GEARS where NAME = ?", {"Skipper's"}), 0);
    EXPECT_EQ(Count("Select count(*) from GEARS"), 1);
    EXPECT_EQ(Count("Select count(*) from ACCESSORY where GEAR = ?", {"Skipper's"}), 1);
    EXPECT_EQ(DiveText(dive, "GEAR"), "NONE");
    EXPECT_EQ(DiveText(next, "GEAR"), "Skipper's");
}

TEST_F(GearFrmTest, AccessoriesAreAddedInCapitalsAndDeletedFromEverySet)
{
    GearFrm& form = Open();
    form.AccessoryList_Click();
    dialogs.ExpectInput("Enter your desired Accessory:", "torch");
    form.Cmd().ClickItem("Add");
    EXPECT_EQ(LastPrompt().title, "New Accessory");
    EXPECT_EQ(Captions(form.AccessoryList()), (QStringList{"LIGHT", "KNIFE", "COMPASS", "TORCH"}));
    EXPECT_EQ(Ticked(form.AccessoryList()), (QStringList{"LIGHT", "KNIFE"}));
    dialogs.ExpectInput("Enter your desired Accessory:", "Torch");
    form.Cmd().ClickItem("Add");
    EXPECT_EQ(Count("Select count(*) from ACCESSORYDATA"), 4);

    form.Cmd().ClickItem("Delete");   // nothing selected: nothing deleted
    EXPECT_EQ(Count("Select count(*) from ACCESSORYDATA"), 4);
    form.AccessoryList().Items(AccessoryKey(knife)).SetSelected(true);
    form.Cmd().ClickItem("Delete");
    EXPECT_EQ(Captions(form.AccessoryList()), (QStringList{"LIGHT", "COMPASS", "TORCH"}));
    EXPECT_EQ(Count("Select count(*) from ACCESSORY where ACCESSORYID = ?", {knife}), 0);
    EXPECT_EQ(Count("Select count(*) from ACCESSORY where GEAR = 'Reef'"), 1);
}

TEST_F(GearFrmTest, TickingAfterADiveStepKeepsTheSetsOtherLinks)
{
    SetDive(next, {{"GEAR", "Reef"}});
    GearFrm& form = Open();
    Step("NextDive");
    ASSERT_EQ(gv.CurrentDiveID, next);
    EXPECT_EQ(Ticked(form.AccessoryList()), (QStringList{"LIGHT", "KNIFE"}));
    form.AccessoryList().ClickItem(AccessoryKey(compass));
    EXPECT_EQ(Count("Select count(*) from ACCESSORY where GEAR = 'Reef'"), 3);
    EXPECT_EQ(Count("Select count(*) from ACCESSORY where GEAR = ?", {"Skipper's"}), 1);
    Step("PrevDive");
    EXPECT_EQ(Ticked(form.AccessoryList()), (QStringList{"LIGHT", "KNIFE", "COMPASS"}));
}

TEST_F(GearFrmTest, BrowsingWithTheFormOpenChangesNoDive)
{
    const qint32 third = qint32(Field("Select DIVEID from DIVEDATA where DIVEID not in (?, ?) order by LIFETIMEDIVENO",
                                      {dive, next}).ToLong());
    SetDive(dive, {{"GEAR", db::Value::Null()}, {"BELTWEIGHT", 7.25}, {"MASK", "Gone mask"}});
    SetDive(next, {{"GEAR", "Gone set"}, {"REGULATOR", "Zodiac"}, {"INTWEIGHT", db::Value::Null()}});
    SetDive(third, {{"GEAR", "Skipper's"}, {"REGULATOR", "Gone regulator"}, {"BELTWEIGHT", 12.34}});
    gv.UnitWeight = 0;
    const QStringList before = GearRows();
    Open();
    Step("LastDive");
    for (int i = 0; i < 15; ++i)
        Step("PrevDive");
    Step("FirstDive");
    for (int i = 0; i < 15; ++i)
        Step("NextDive");
    Step("Save");
    EXPECT_EQ(GearRows(), before);
}

TEST_F(GearFrmTest, AMissingCatalogLeavesItsListEmpty)
{
    Log().Execute("Drop table SNORKELS");
    const QStringList before = GearRows();
    GearFrm& form = Open();
    EXPECT_EQ(form.Combo1(kSnorkel).ListCount(), 0);
    EXPECT_EQ(form.Combo1(kRegulator).Text(), "Apex");
    Step("NextDive");
    Step("PrevDive");
    EXPECT_EQ(GearRows(), before);
}

// --- Refused writes ---------------------------------------------------------------------

TEST_F(GearFrmTest, RefusedDiveWritesSayDataUpdatingErrorAndChangeNothing)
{
    GearFrm& form = Open();
    const QStringList before = GearRows();
    RefuseWrites("DIVEDATA", "update");

    dialogs.ExpectMsg("Data updating error.");
    Pick(form.Combo1(kRegulator), "Zodiac");
    ExpectMessage("Data updating error.", "Error");

    dialogs.ExpectMsg("Data updating error.");
    Pick(form.Combo1(kGear), "Skipper's");
    EXPECT_EQ(GearRows(), before);   // not one of the set's item writes went in

    dialogs.ExpectMsg("Data updating error.");
    Type(form.Text1(kOtherWeight), "3");
    Step("Save");
    EXPECT_EQ(form.Text1(kOtherWeight).text(), "3");
    EXPECT_EQ(GearRows(), before);
}

TEST_F(GearFrmTest, ARefusedSetWriteKeepsTheDiveAsItWas)
{
    GearFrm& form = Open();
    Type(form.Text1(kBeltWeight), "30");
    RefuseWrites("GEARS", "update");
    const QStringList before = GearRows();
    dialogs.ExpectMsg("Data updating error.");
    Step("Save");
    EXPECT_EQ(GearRows(), before);
    EXPECT_EQ(DiveNumber(dive, "BELTWEIGHT"), 22);
}

TEST_F(GearFrmTest, RefusedDeletesSaySoAndDeleteNothing)
{
    GearFrm& form = Open();
    const QStringList before = GearRows();
    RefuseWrites("REGULATORS", "delete");
    form.Combo1_GotFocus(kRegulator);
    dialogs.ExpectMsg("Error deleting Gear.");
    form.Cmd().ClickItem("Delete");
    ExpectMessage("Error deleting Gear.", "Deleting Gear");
    EXPECT_EQ(form.Combo1(kRegulator).Text(), "Apex");
    EXPECT_EQ(GearRows(), before);   // the dive's reset went back too

    RefuseWrites("ACCESSORYDATA", "delete");
    form.AccessoryList().Items(AccessoryKey(light)).SetSelected(true);
    form.AccessoryList_Click();
    dialogs.ExpectMsg("Error deleting Accessory.");
    form.Cmd().ClickItem("Delete");
    ExpectMessage("Error deleting Accessory.", "Delete Accessory");
    EXPECT_EQ(Captions(form.AccessoryList()), (QStringList{"LIGHT", "KNIFE", "COMPASS"}));
    EXPECT_EQ(GearRows(), before);
}

TEST_F(GearFrmTest, RefusedAddsAndTicksSayDataUpdatingError)
{
    GearFrm& form = Open();
    const QStringList before = GearRows();
    RefuseWrites("MASKS", "insert");
    form.Combo1_GotFocus(kMask);
    dialogs.ExpectInput("Enter your desired Mask:", "Full face").ExpectMsg("Data updating error.");
    form.Cmd().ClickItem("Add");
    EXPECT_EQ(form.Combo1(kMask).Entries(), (QStringList{"NONE", "Frameless", "Low-volume"}));
    EXPECT_EQ(form.Combo1(kMask).Text(), "Low-volume");

    RefuseWrites("ACCESSORY", "insert");
    dialogs.ExpectMsg("Data updating error.");
    form.AccessoryList().ClickItem(AccessoryKey(compass));
    EXPECT_EQ(GearRows(), before);
}

// --- The sample log as a new user finds it ------------------------------------------------

class GearSampleRoadTest : public MainFrmTest {
protected:
    void SetUp() override
    {
        MainFrmTest::SetUp();
        ASSERT_TRUE(StartUp());
    }
    db::Database& Log() { return *gv.DB; }
    QStringList AllRows()
    {
        QStringList rows;
        for (const char* table : {"DIVEDATA", "GEARS", "ACCESSORY", "ACCESSORYDATA", "REGULATORS"}) {
            auto set = Log().OpenSnapshot(QString("Select * from %1 order by rowid").arg(table));
            for (; !set->EOF(); set->MoveNext()) {
                QStringList row;
                for (const QString& field : set->FieldNames())
                    row << set->Field(field).ToString();
                rows << row.join("|");
            }
        }
        return rows;
    }
    GearFrm& Open()
    {
        MainFrm().SmartBar->Items("Gear").SetSelected(true);
        return GearFrm::Instance();
    }
    void Step(const char* key) { MainFrm().SmartUI1_ItemClick(key); }
};

TEST_F(GearSampleRoadTest, SteppingThroughTheWholeLogChangesNothing)
{
    for (int unitWeight : {1, 0}) {
        gv.UnitWeight = quint8(unitWeight);
        const QStringList before = AllRows();
        Open();
        Step("FirstDive");
        const qint64 dives = Log().Scalar("Select count(*) from DIVEDATA").ToLong();
        for (qint64 i = 0; i < dives; ++i)
            Step("NextDive");
        Step("Save");
        GearFrm::Instance().Unload();
        EXPECT_EQ(AllRows(), before) << "unit " << unitWeight;
    }
}

TEST_F(GearSampleRoadTest, ChoosingColdWaterChangingAWeightAndTickingAnAccessory)
{
    gv.UnitWeight = 0;
    const QString warmDive = "Select DIVEID from DIVEDATA where GEAR = 'Warm Water' order by LIFETIMEDIVENO";
    const qint32 dive = qint32(Log().Scalar(warmDive).ToLong());
    const qint32 cold = qint32(Log().Scalar("Select DIVEID from DIVEDATA where GEAR = 'Cold Water' order by "
                                            "LIFETIMEDIVENO").ToLong());
    ASSERT_GT(dive, 0);
    ASSERT_GT(cold, 0);
    GearFrm& form = Open();
    Step("FirstDive");
    while (gv.CurrentDiveID != dive)
        Step("NextDive");
    EXPECT_EQ(form.Combo1(kGear).Text(), "Warm Water");

    form.Combo1(kGear).Pick(form.Combo1(kGear).FindText("Cold Water"));
    EXPECT_EQ(form.Combo1(kSuit).Text(), "7mm semi-dry");
    EXPECT_EQ(form.Combo1(kHood).Text(), "7mm hood");
    EXPECT_EQ(form.Text1(kBeltWeight).text(), "8.2");
    EXPECT_EQ(Ticked(form.AccessoryList()), (QStringList{"DIVE LIGHT", "SURFACE MARKER BUOY", "CUTTER"}));
    form.Text1(kBeltWeight).setText("9");
    emit form.Text1(kBeltWeight).textEdited("9");
    Step("Save");
    EXPECT_NEAR(Log().Scalar("Select BELTWEIGHT from DIVEDATA where DIVEID = ?", {dive}).ToDouble(), 19.8, 1e-4);
    EXPECT_NEAR(Log().Scalar("Select BELTWEIGHT from GEARS where NAME = 'Cold Water'").ToDouble(), 19.8, 1e-4);
    EXPECT_EQ(Log().Scalar("Select SUIT from DIVEDATA where DIVEID = ?", {dive}).ToString(), "7mm semi-dry");

    form.AccessoryList().ClickItem(AccessoryKey(3));   // CUTTER off
    while (gv.CurrentDiveID != cold)
        Step(gv.CurrentDiveID < cold ? "NextDive" : "PrevDive");
    EXPECT_EQ(Ticked(form.AccessoryList()), (QStringList{"DIVE LIGHT", "SURFACE MARKER BUOY"}));
}

TEST_F(GearSampleRoadTest, AddingARegulatorAndDeletingIt)
{
    const QStringList catalog = {"NONE", "Balanced piston regulator"};
    GearFrm& form = Open();
    ASSERT_EQ(form.Combo1(kRegulator).Entries(), catalog);
    form.Combo1_GotFocus(kRegulator);
    dialogs.ExpectInput("Enter your desired Regulator:", "Skipper's first stage");
    form.Cmd().ClickItem("Add");
    EXPECT_EQ(form.Combo1(kRegulator).Text(), "Skipper's first stage");
    EXPECT_EQ(Log().Scalar("Select count(*) from REGULATORS").ToLong(), 2);
    form.Cmd().ClickItem("Delete");
    EXPECT_EQ(form.Combo1(kRegulator).Entries(), catalog);
    EXPECT_EQ(Log().Scalar("Select count(*) from REGULATORS").ToLong(), 1);
    EXPECT_EQ(Log().Scalar("Select REGULATOR from DIVEDATA where DIVEID = ?", {gv.CurrentDiveID}).ToString(), "NONE");
}

} // namespace
} // namespace kvl::test
