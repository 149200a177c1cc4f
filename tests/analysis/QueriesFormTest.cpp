// The query form: its lists, the click rules between criteria, the name lists, a
// run with its result rows, a row click and the hand-over to the browsed list.
#include "analysis/QueriesFrm.h"
#include "dive/DivesListingFrm.h"
#include "platform/widgets/CheckList.h"
#include "platform/widgets/DataGrid.h"
#include "platform/widgets/SmartSideBar.h"
#include "platform/widgets/SmartToolBar.h"
#include "shell/MDI_MainFrm.h"
#include "shell/core/FormCode.h"
#include "tests/shell/CommandsTest.h"
#include "tests/support/KeyPresses.h"
#include "tests/support/Keys.h"

#include <QAccessible>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QTableWidget>

namespace kvl::test {
namespace {

class QueriesFormTest : public CommandsTest {
protected:
    void TearDown() override
    {
        if (QueriesFrm::Exists())
            QueriesFrm::Instance().Unload();
        CommandsTest::TearDown();
    }
    QueriesFrm& Open()
    {
        Side("Queries");
        EXPECT_EQ(gv.ActiveFormID, FormCode::Queries);
        return QueriesFrm::Instance();
    }
    QueriesFrm& Q() { return QueriesFrm::Instance(); }
    CheckItem& Item(CheckList* list, const QString& key) { return list->Items(key); }
    QString Msg() { return Q().Cmd->Items("Msg").Text(); }
    bool ApplyEnabled() { return Q().Cmd->Items("Apply").Enabled(); }
    void Run() { Q().Cmd_ItemClick("Run"); }
    QStringList Entries(CheckList* list, const QString& key)
    {
        QStringList texts;
        for (const CheckEntry& entry : list->Items(key).Entries())
            texts << entry.text;
        return texts;
    }
    // Lifetime numbers listed in the result grid.
    QStringList ResultNumbers()
    {
        QStringList numbers;
        for (int r = 0; r < Q().Grid->Rows(); ++r)
            numbers << Q().Grid->Cell(r, "LTD #");
        return numbers;
    }
    // Three dives with a buddy on the first two, dated 2009/01/01..03.
    qint64 WithBuddy(const QString& name)
    {
        AddDives(3);
        const qint64 buddy = InsertRow(*gv.DB, "USERINFO", {{"NAME", name}, {"USERTYPE", 4}});
        for (qint64 ltd : {1, 2})
            InsertRow(*gv.DB, "BUDDIES", {{"DIVEID", IdOf(ltd)}, {"BUDDYID", buddy}});
        return buddy;
    }
};

TEST_F(QueriesFormTest, TheListsHoldEveryCriterionWithItsKeyKindAndState)
{
    AddDives(1);
    QueriesFrm& q = Open();
    EXPECT_EQ(q.Header->text(), "QUERIES");
    QStringList keys;
    for (const auto& item : q.lst1->AllItems())
        keys << item->Key() + (item->Hidden() ? "*" : "");
    EXPECT_EQ(keys, (QStringList{"All", "", "PDCModel", "PDCList", "", "DiveMode*", "Norma*", "Navigation*", "",
                                 "DiveStatus*", "Normal*", "Deco*", "Viol*", "Gauge*"}));
    EXPECT_EQ(Item(q.lst1, "Norma").Kind(), CheckItemKind::Option);
    EXPECT_TRUE(Item(q.lst1, "Norma").Ticked());
    EXPECT_TRUE(Item(q.lst1, "Normal").Ticked());
    EXPECT_EQ(Item(q.lst1, "All").Value(), "1");
    EXPECT_EQ(Item(q.lst1, "PDCList").Value(), "QX07");
    EXPECT_EQ(Entries(q.lst1, "PDCList"), QStringList{"QX07"});
    EXPECT_EQ(Item(q.lst1, "PDCList").Entries()[0].key, "6774");
    EXPECT_EQ(Item(q.lst2, "toDate").Caption(), "to:     ");
    EXPECT_EQ(Item(q.lst2, "fromDepth").Kind(), CheckItemKind::Text);
    EXPECT_EQ(Item(q.lst3, "Warmest").Caption(), "Warmest Min. Temp.");
    EXPECT_TRUE(Item(q.lst4, "GearList").Hidden());
    EXPECT_EQ(q.Cmd->Items("Apply").Text(), "Apply Result to Dives Listing ");
    EXPECT_FALSE(ApplyEnabled());
    EXPECT_EQ(q.Grid->Caption(), "Query Result");
    EXPECT_EQ(q.Grid->Columns(), 11);
    EXPECT_EQ(q.Grid->ColumnIndex("PDC Model"), 4);
}

TEST_F(QueriesFormTest, CaptionsFollowTheUnits)
{
    gv.UnitDate = gv.UnitDepth = gv.UnitTemp = 0;
    QueriesFrm q;
    q.InitUnit();
    EXPECT_EQ(Item(q.lst2, "DiveDate").Caption(), "Dive Date (dd/mm/yyyy)");
    EXPECT_EQ(Item(q.lst2, "MaxDepth").Caption(), "Max Depth (M)");
    EXPECT_EQ(Item(q.lst2, "Temp").Caption(), "Min Temperature (C)");
    gv.UnitDate = gv.UnitDepth = gv.UnitTemp = 1;
    q.InitUnit();
    EXPECT_EQ(Item(q.lst2, "DiveDate").Caption(), "Dive Date (mm/dd/yyyy)");
    EXPECT_EQ(Item(q.lst2, "MaxDepth").Caption(), "Max Depth (FT)");
    EXPECT_EQ(Item(q.lst2, "Temp").Caption(), "Min Temperature (F)");
}

// A screen reader names each box of the lists by its line, after the line it hangs
// under, with the units of the day; its value is what it holds.
TEST_F(QueriesFormTest, TheBoxesAreNamedByTheirLinesAndUnits)
{
    QueriesFrm q;
    const auto spoken = [](QWidget* box, QAccessible::Text text) {
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(box);
        return face ? face->text(text) : QString();
    };
    Item(q.lst3, "BuddyList").SetEntries({{"1", "Ann"}});
    Item(q.lst3, "BuddyList").SetValue("Ann");
    Item(q.lst2, "toDepth").SetValue("30");
    struct Case {
        int unit;
        CheckList* list;
        const char* key;
        const char* name;
        const char* value;
    };
    const Case cases[] = {
        {0, q.lst2, "fromDate", "Dive Date (dd/mm/yyyy) from", ""},
        {0, q.lst2, "toDepth", "Max Depth (M) to", "30"},
        {1, q.lst2, "toDepth", "Max Depth (FT) to", "30"},
        {1, q.lst2, "fromTemp", "Min Temperature (F) from", ""},
        {1, q.lst2, "toTime", "Duration time (minutes) to", ""},
        {1, q.lst3, "BuddyList", "Buddy", "Ann"},
        {1, q.lst3, "CrewList", "Crew", ""},
        {1, q.lst4, "OperList", "Operator", ""},
        {1, q.lst4, "TypeList", "Dive type", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        gv.UnitDate = gv.UnitDepth = gv.UnitTemp = c.unit;
        q.InitUnit();
        QWidget* box = c.list->DropDownBox(c.key);
        if (!box)
            box = c.list->TextBox(c.key);
        ASSERT_TRUE(box);
        EXPECT_EQ(spoken(box, QAccessible::Name), c.name);
        EXPECT_EQ(spoken(box, QAccessible::Value), c.value);
    }
}

// One click and the ticks it leaves, list by list.
struct ClickCase {
    const char* name;
    std::vector<std::pair<int, const char*>> ticked;   // (list 1..4, key) ticked before
    int list;
    const char* clicked;
    std::vector<std::pair<int, const char*>> after;    // every criterion ticked after
};

class ClickRuleTest : public QueriesFormTest, public ::testing::WithParamInterface<ClickCase> {
protected:
    CheckList* List(int n) { return std::array{form->lst1, form->lst2, form->lst3, form->lst4}[static_cast<size_t>(n - 1)]; }
    std::vector<std::pair<int, const char*>> Ticks()
    {
        std::vector<std::pair<int, const char*>> ticks;
        static const char* criteria[4][10] = {
            {"All", "PDCModel", "DiveMode", "DiveStatus"},
            {"DiveDate", "MaxDepth", "BTime", "Temp"},
            {"Deepest", "Longest", "Shortest", "Warmest", "Coldest", "Best", "Worst", "Buddy", "Captain", "Crew"},
            {"Operator", "Location", "Site", "Type", "Gear"}};
        for (int n = 1; n <= 4; ++n)
            for (const char* key : criteria[n - 1])
                if (key && List(n)->Items(key).Ticked())
                    ticks.emplace_back(n, key);
        return ticks;
    }
    void SetUp() override
    {
        QueriesFormTest::SetUp();
        form = std::make_unique<QueriesFrm>();
    }
    void TearDown() override
    {
        form.reset();
        QueriesFormTest::TearDown();
    }
    std::unique_ptr<QueriesFrm> form;
};

TEST_P(ClickRuleTest, KeepsTheCriteriaConsistent)
{
    const ClickCase& c = GetParam();
    form->ClearInfo();
    Item(form->lst1, "All").SetTicked(false);
    Item(form->lst3, "BuddyList").SetValue("Ann");
    for (const auto& [n, key] : c.ticked)
        List(n)->Items(key).SetTicked(true);
    List(c.list)->ClickItem(c.clicked);
    const auto ticks = Ticks();
    ASSERT_EQ(ticks.size(), c.after.size());
    for (size_t i = 0; i < ticks.size(); ++i) {
        EXPECT_EQ(ticks[i].first, c.after[i].first);
        EXPECT_STREQ(ticks[i].second, c.after[i].second);
    }
    EXPECT_EQ(Item(form->lst3, "BuddyList").Value(), "Ann");   // a chosen name stays
}

INSTANTIATE_TEST_SUITE_P(
    Rules, ClickRuleTest,
    ::testing::Values(
        ClickCase{"TickingAllResetsEveryCriterion", {{1, "PDCModel"}, {2, "Temp"}, {3, "Crew"}, {4, "Site"}}, 1, "All",
                  {{1, "All"}}},
        ClickCase{"UntickingAllChangesNothingElse", {{1, "All"}}, 1, "All", {}},
        ClickCase{"AModelUnticksAll", {{1, "All"}}, 1, "PDCModel", {{1, "PDCModel"}}},
        ClickCase{"DepthUnticksDeepest", {{1, "All"}, {3, "Deepest"}}, 2, "MaxDepth", {{2, "MaxDepth"}}},
        ClickCase{"DurationUnticksLongest", {{3, "Longest"}}, 2, "BTime", {{2, "BTime"}}},
        ClickCase{"TemperatureUnticksWarmest", {{3, "Warmest"}}, 2, "Temp", {{2, "Temp"}}},
        ClickCase{"DateLeavesTheExtremes", {{3, "Coldest"}}, 2, "DiveDate", {{2, "DiveDate"}, {3, "Coldest"}}},
        ClickCase{"DeepestUnticksDepth", {{2, "MaxDepth"}, {2, "BTime"}}, 3, "Deepest",
                  {{2, "BTime"}, {3, "Deepest"}}},
        ClickCase{"ShortestUnticksDuration", {{2, "BTime"}}, 3, "Shortest", {{3, "Shortest"}}},
        ClickCase{"ColdestUnticksTemperature", {{2, "Temp"}}, 3, "Coldest", {{3, "Coldest"}}},
        ClickCase{"OneCriterionOfTheThirdList", {{1, "All"}, {3, "Buddy"}}, 3, "Captain", {{3, "Captain"}}},
        ClickCase{"UntickingInTheThirdListLeavesNone", {{3, "Buddy"}}, 3, "Buddy", {}},
        ClickCase{"TheFourthListUnticksAll", {{1, "All"}, {4, "Site"}}, 4, "Operator",
                  {{4, "Operator"}, {4, "Site"}}}),
    [](const auto& row) { return std::string(row.param.name); });

TEST_F(QueriesFormTest, NameListsComeFromTheCatalogsAndTheDives)
{
    AddDives(5);
    const char* operators[] = {"Blue", "Blue", "NONE", nullptr, "O'Hara"};
    for (qint64 ltd = 1; ltd <= 5; ++ltd) {
        const char* op = operators[ltd - 1];
        gv.DB->Execute("Update DIVEDATA set OPERATOR = ? where LIFETIMEDIVENO = ?",
                       {op ? db::Value(op) : db::Value(), ltd});
    }
    InsertRow(*gv.DB, "USERINFO", {{"NAME", "Zoe"}, {"USERTYPE", 4}});
    InsertRow(*gv.DB, "USERINFO", {{"NAME", "Al"}, {"USERTYPE", 4}});
    InsertRow(*gv.DB, "USERINFO", {{"NAME", "Cap"}, {"USERTYPE", 2}});
    InsertRow(*gv.DB, "LOCATIONS", {{"LOCATIONNAME", "NONE"}});
    QueriesFrm& q = Open();
    EXPECT_EQ(Entries(q.lst4, "OperList"), (QStringList{"Blue", "O'Hara"}));
    EXPECT_EQ(Entries(q.lst3, "BuddyList"), (QStringList{"Al", "Zoe"}));
    EXPECT_EQ(Entries(q.lst3, "CaptainList"), QStringList{"Cap"});
    EXPECT_EQ(Entries(q.lst4, "LocationList"), QStringList{"NONE"});
    EXPECT_TRUE(Entries(q.lst3, "CrewList").isEmpty());

    // Shown again after a close: the lists are read again, the criteria stay.
    Item(q.lst3, "Crew").SetTicked(true);
    Item(q.lst2, "fromDepth").SetValue("12");
    Side("Dive");
    InsertRow(*gv.DB, "USERINFO", {{"NAME", "Bo"}, {"USERTYPE", 4}});
    gv.DB->Execute("Delete from USERINFO where USERTYPE = 2");   // an empty catalog keeps the old entries
    Open();
    EXPECT_EQ(Entries(q.lst3, "BuddyList"), (QStringList{"Al", "Bo", "Zoe"}));
    EXPECT_EQ(Entries(q.lst3, "CaptainList"), QStringList{"Cap"});
    EXPECT_TRUE(Item(q.lst3, "Crew").Ticked());
    EXPECT_EQ(Item(q.lst2, "fromDepth").Value(), "12");
}

TEST_F(QueriesFormTest, ARunWithABuddyAndADateRangeListsItsDives)
{
    WithBuddy("O'Brien");
    gv.UnitDate = gv.UnitDepth = gv.UnitTemp = gv.UnitTime = 0;
    QueriesFrm& q = Open();
    q.lst3->ClickItem("Buddy");
    Item(q.lst3, "BuddyList").SetValue("O'Brien");
    q.lst2->ClickItem("DiveDate");
    Item(q.lst2, "fromDate").SetValue("02/01/2009");
    Item(q.lst2, "toDate").SetValue("31/12/2009");
    Run();
    EXPECT_EQ(Msg(), "Total dive(s) found: 1");
    EXPECT_EQ(ResultNumbers(), QStringList{"2"});
    EXPECT_TRUE(q.Grid->isVisibleTo(&q));
    EXPECT_TRUE(ApplyEnabled());
    EXPECT_EQ(q.Grid->Cell(0, "Date"), "02/01/2009");
    EXPECT_EQ(q.Grid->Cell(0, "Max Depth"), "18.3 M");
    EXPECT_EQ(q.Grid->Cell(0, "PDC Model"), "QX07");

    // A run that finds nothing leaves no rows in view and "Apply" disabled.
    Item(q.lst2, "fromDate").SetValue("01/01/2010");
    Item(q.lst2, "toDate").SetValue("31/12/2010");
    Run();
    EXPECT_EQ(Msg(), "Total dive(s) found: 0");
    EXPECT_EQ(q.Grid->Rows(), 0);
    EXPECT_FALSE(q.Grid->isVisibleTo(&q));
    EXPECT_FALSE(ApplyEnabled());
}

// The range boxes take what their numbers can hold, typed key by key.
TEST_F(QueriesFormTest, RangeBoxesTakeNumbersOnly)
{
    struct Case {
        const char* check;
        const char* box;
        const char* typed;
        const char* value;
    } const cases[] = {
        {"MaxDepth", "fromDepth", "1a2,5m", "12,5"}, {"MaxDepth", "toDepth", "-30", "30"},
        {"BTime", "toTime", "4x5.5", "45.5"},        {"Temp", "fromTemp", "-2.5c", "-2.5"},
        {"Temp", "toTemp", "2-8", "28"},
    };
    AddDives(1);
    QueriesFrm& q = Open();
    for (const char* check : {"MaxDepth", "BTime", "Temp"})
        q.lst2->ClickItem(check);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.box);
        KeyIn(*q.lst2->TextBox(c.box), c.typed);
        EXPECT_EQ(Item(q.lst2, c.box).Value(), c.value);
    }
}

// "12,5" to "12" minutes, typed as the diver types it, finds the dive of 12.2 minutes.
TEST_F(QueriesFormTest, ARangeWithADecimalCommaFindsItsDive)
{
    AddDives(3);
    for (const auto& [ltd, minutes] : {std::pair{1, 11.0}, {2, 12.2}, {3, 13.0}})
        gv.DB->Execute("Update DIVEDATA set BTIME = ? where LIFETIMEDIVENO = ?", {minutes, ltd});
    QueriesFrm& q = Open();
    q.lst2->ClickItem("BTime");
    KeyIn(*q.lst2->TextBox("fromTime"), "12,5");
    KeyIn(*q.lst2->TextBox("toTime"), "12");
    Run();
    EXPECT_EQ(ResultNumbers(), QStringList{"2"});
}

TEST_F(QueriesFormTest, NothingTickedRunsNothing)
{
    AddDives(2);
    QueriesFrm& q = Open();
    q.lst1->ClickItem("All");   // unticks it
    Run();
    EXPECT_EQ(Msg(), "");
    EXPECT_FALSE(ApplyEnabled());
    EXPECT_EQ(q.Grid->Rows(), 0);
    EXPECT_EQ(q.QuerySQL, "Select * from DIVEDATA");
}

TEST_F(QueriesFormTest, AnOperatorWithAnApostropheIsFoundAndHandedOver)
{
    AddDives(3);
    gv.DB->Execute("Update DIVEDATA set OPERATOR = 'O''Hara' where LIFETIMEDIVENO <> 2");
    QueriesFrm& q = Open();
    q.lst4->ClickItem("Operator");
    Item(q.lst4, "OperList").SetValue("O'Hara");
    Run();
    EXPECT_EQ(ResultNumbers(), (QStringList{"1", "3"}));
    q.Cmd_ItemClick("Apply");
    EXPECT_EQ(gv.DiveListSQL, "Select * from DIVEDATA Where OPERATOR = ? ORDER BY DIVEDATE, DIVETIME, DIVENO ;");
    EXPECT_EQ(gv.DiveListParams, db::Params{"O'Hara"});
    EXPECT_EQ(gv.rsDiveData->RecordCount(), 2);
}

TEST_F(QueriesFormTest, ApplyWalksOnlyTheResultAndKeepsOrReplacesTheCurrentDive)
{
    WithBuddy("Ann");
    OpenLogOn(static_cast<qint32>(IdOf(2)));
    QueriesFrm& q = Open();
    q.lst3->ClickItem("Buddy");
    Item(q.lst3, "BuddyList").SetValue("Ann");
    Run();
    q.Cmd_ItemClick("Apply");
    EXPECT_EQ(gv.DiveListSQL, q.QuerySQL);
    EXPECT_EQ(gv.CurrentDiveID, IdOf(2));   // in the result: kept
    EXPECT_EQ(gv.rsDiveData->Field("DIVEID").ToLong(), IdOf(2));

    Side("Dive");
    Tool("NextDive");
    EXPECT_EQ(gv.CurrentDive.LIFETIMEDIVENO.ToLong(), 2);   // the last of the result
    Tool("PrevDive");
    EXPECT_EQ(gv.CurrentDive.LIFETIMEDIVENO.ToLong(), 1);
    Tool("PrevDive");
    EXPECT_EQ(gv.CurrentDiveID, IdOf(1));
    QWidget* listing = Frm().SmartUI1_ItemDropDown("LTD");
    ASSERT_EQ(listing, &DivesListingFrm::Instance());
    EXPECT_EQ(DivesListingFrm::Instance().Grid->rowCount(), 2);

    // A current dive outside the result gives way to the result's first dive.
    OpenLogOn(static_cast<qint32>(IdOf(3)));
    gv.DiveListSQL = "Select * from DIVEDATA ORDER by LIFETIMEDIVENO ASC";
    gv.DiveListParams.clear();
    OpenLogOn(static_cast<qint32>(IdOf(3)));
    Open();
    Run();
    q.Cmd_ItemClick("Apply");
    EXPECT_EQ(gv.CurrentDiveID, IdOf(1));
    EXPECT_EQ(gv.CurrentDive.LIFETIMEDIVENO.ToLong(), 1);
    EXPECT_TRUE(gv.CurrentDiveCaption.startsWith("#1 "));
}

TEST_F(QueriesFormTest, ARowClickBringsUpThatDiveEvenOutsideTheBrowsedList)
{
    WithBuddy("Ann");
    gv.UnitDate = 1;
    gv.UnitTime = 1;
    QueriesFrm& q = Open();
    Run();   // "All"
    ASSERT_EQ(q.Grid->Rows(), 3);
    gv.DiveListSQL = "Select * from DIVEDATA where LIFETIMEDIVENO = 1";   // an earlier filter
    OpenLogOn(static_cast<qint32>(IdOf(1)));
    q.Grid->ClickRow(2);
    EXPECT_EQ(gv.CurrentDiveID, IdOf(3));
    EXPECT_EQ(gv.rsDiveData->Field("DIVEID").ToLong(), IdOf(3));
    EXPECT_EQ(gv.CurrentDive.LIFETIMEDIVENO.ToLong(), 3);
    EXPECT_EQ(gv.CurrentDiveCaption, "#3 01/03/2009 10:00 AM");
    EXPECT_EQ(gv.ActiveFormID, FormCode::Dive);
    EXPECT_TRUE(Frm().SmartBar->Items("Dive").Selected());
}

// Return, keypad Enter and Space on a result row do what a click on it does.
TEST_F(QueriesFormTest, EnterOrSpaceOnAResultRowBringsUpThatDive)
{
    WithBuddy("Ann");
    Frm().resize(1366, 700);
    ASSERT_TRUE(ShowActive(Frm()));
    struct Case {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        int downs;   // from the first row
    };
    const Case cases[] = {
        {Qt::Key_Return, Qt::NoModifier, 2}, {Qt::Key_Enter, Qt::KeypadModifier, 0}, {Qt::Key_Space, Qt::NoModifier, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        QueriesFrm& q = Open();
        Run();   // "All"
        ASSERT_EQ(q.Grid->Rows(), 3);
        q.Grid->View().setFocus();
        PressKey(Qt::Key_Home);
        for (int i = 0; i < c.downs; ++i)
            PressKey(Qt::Key_Down);
        const qint64 ltd = q.Grid->Cell(c.downs, "LTD #").toLongLong();
        ASSERT_NE(gv.CurrentDive.LIFETIMEDIVENO.ToLong(), ltd);
        ASSERT_EQ(Focused(), &q.Grid->View());
        PressKey(c.key, c.modifiers);
        EXPECT_EQ(gv.CurrentDiveID, IdOf(ltd));
        EXPECT_EQ(gv.CurrentDive.LIFETIMEDIVENO.ToLong(), ltd);
        EXPECT_EQ(gv.ActiveFormID, FormCode::Dive);
    }
}

// The arrows walk every enabled line of a list, also after the focus was in one of
// its boxes: a line with a box never takes the keys into the box.
TEST_F(QueriesFormTest, ArrowsReachEveryLineAfterTheFocusWasInABox)
{
    AddDives(1);
    Frm().resize(1366, 700);
    ASSERT_TRUE(ShowActive(Frm()));
    QueriesFrm& q = Open();
    CheckList& list = *q.lst2;
    list.ClickItem("MaxDepth");
    list.TextBox("fromDepth")->setFocus();
    TypeText("5");
    for (int presses = 0; presses < 10 && Focused() != &list; ++presses)
        PressKey(Qt::Key_Tab, Qt::ShiftModifier);
    ASSERT_EQ(Focused(), &list);
    const auto current = [&list] {
        const CheckItem* item = list.ItemAt(list.visualItemRect(list.currentItem()).center());
        return item ? item->Key() : QString();
    };
    struct Step {
        Qt::Key key;
        const char* reached;
    };
    std::vector<Step> steps = {{Qt::Key_Home, "DiveDate"}};
    for (const char* line : {"fromDate", "toDate", "MaxDepth", "fromDepth", "toDepth", "BTime", "fromTime", "toTime",
                             "Temp", "fromTemp", "toTemp"})
        steps.push_back({Qt::Key_Down, line});
    steps.insert(steps.end(), {{Qt::Key_Up, "fromTemp"}, {Qt::Key_Home, "DiveDate"}, {Qt::Key_End, "toTemp"},
                               {Qt::Key_Home, "DiveDate"}, {Qt::Key_PageDown, "toTemp"}});
    for (const Step& step : steps) {
        SCOPED_TRACE(step.reached);
        PressKey(step.key);
        EXPECT_EQ(Focused(), &list);
        EXPECT_EQ(current(), step.reached);
    }
    EXPECT_EQ(Item(q.lst2, "fromDepth").Value(), "5");
}

TEST_F(QueriesFormTest, AnEmptyLogFindsNoDeepestDive)
{
    QueriesFrm q;
    q.InitExtremeData();
    q.lst3->ClickItem("Deepest");
    q.Cmd_ItemClick("Run");
    EXPECT_EQ(q.Cmd->Items("Msg").Text(), "Total dive(s) found: 0");
    EXPECT_FALSE(q.Cmd->Items("Apply").Enabled());
    q.InitOperatorList();
    EXPECT_TRUE(Entries(q.lst4, "OperList").isEmpty());
}

TEST_F(QueriesFormTest, ARefusedStatementIsReportedAndTheProgramGoesOn)
{
    AddDives(2);
    QueriesFrm& q = Open();
    q.lst3->ClickItem("Buddy");
    Item(q.lst3, "BuddyList").SetValue("Ann");
    gv.DB->Execute("Drop table USERINFO");
    dialogs.ExpectMsg("Could not run the query.");
    Run();
    EXPECT_EQ(dialogs.Prompts().back().title, "Error");
    EXPECT_EQ(q.Grid->Rows(), 0);
    EXPECT_FALSE(ApplyEnabled());
    q.Cmd_ItemClick("Apply");   // disabled: hands nothing over
    EXPECT_EQ(gv.DiveListSQL, "Select * from DIVEDATA ORDER by LIFETIMEDIVENO ASC");
}

} // namespace
} // namespace kvl::test
