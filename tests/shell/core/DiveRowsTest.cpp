#include "shell/core/DiveRows.h"
#include "shell/core/StateCodes.h"
#include "tests/shell/core/ShellLogTest.h"

#include <QDateTime>

namespace kvl {
namespace {

using test::Columns;

const QStringList diveTables{"DIVEDATA", "DIVE_DC_SETTINGS", "BUDDIES", "CAPTAIN", "CREWS", "DIVEDETAILS", "DIVETYPES",
                             "PHOTOS"};

class DiveRowsTest : public test::ShellLogTest {
protected:
    // A dive with its rows in every table a dive owns.
    qint64 AddFullDive(qint32 ltd)
    {
        const qint64 id = AddDive({{"LIFETIMEDIVENO", ltd}, {"DIVEDATE", "2009/01/01"}, {"DIVETIME", "10:00"}});
        for (const QString& table : diveTables.mid(1))
            AddChildRow(table, id);
        return id;
    }

    void AddNumberedDives(qint32 first, int count)
    {
        for (int i = 0; i < count; ++i)
            AddDive({{"LIFETIMEDIVENO", first + i},
                     {"DIVEDATE", QString("2009/01/%1").arg(i + 1, 2, 10, QChar('0'))},
                     {"DIVETIME", "10:00"}});
    }
};

// ---- Renumbering ---------------------------------------------------------------

struct RenumberCase {
    const char* name;
    qint32 base;
    std::vector<std::tuple<db::Value, db::Value, int>> dives;   // date, time, old number
    std::vector<qint64> expected;                               // in insertion order
};

void PrintTo(const RenumberCase& c, std::ostream* os)
{
    *os << c.name;
}

class RenumberTest : public test::ShellLogTest, public ::testing::WithParamInterface<RenumberCase> {};

TEST_P(RenumberTest, NumbersByDateAndTime)
{
    const RenumberCase& c = GetParam();
    for (const auto& [date, time, old] : c.dives)
        AddDive({{"DIVEDATE", date}, {"DIVETIME", time}, {"LIFETIMEDIVENO", old}});
    gv.BaseLTD = c.base;
    RenumberLifeTimeDives();
    EXPECT_EQ(Numbers(), c.expected) << c.name;
}

INSTANTIATE_TEST_SUITE_P(Shell, RenumberTest, ::testing::Values(
    RenumberCase{"inOrder", 1,
                 {{"2009/01/02", "10:00", 0}, {"2009/01/01", "10:00", 0}, {"2009/01/01", "09:00", 0}},
                 {3, 2, 1}},
    RenumberCase{"equalDateAndTimeShareANumber", 1,
                 {{"2009/01/01", "10:00", 0}, {"2009/01/01", "10:00", 0}, {"2009/01/02", "08:00", 0}},
                 {1, 1, 2}},
    RenumberCase{"gapsClose", 1,
                 {{"2009/01/01", "10:00", 3}, {"2009/01/05", "10:00", 7}, {"2009/02/01", "10:00", 20}},
                 {1, 2, 3}},
    RenumberCase{"baseOf150", 150,
                 {{"2009/03/01", "10:00", 1}, {"2009/01/01", "10:00", 2}, {"2009/01/01", "10:00", 3},
                  {"2009/02/01", "10:00", 4}},
                 {152, 150, 150, 151}},
    // An empty date or time never moves the counter on; the dives after it still get numbers.
    RenumberCase{"nullDateOrTimeCountsAsEmptyText", 1,
                 {{"2009/01/02", "10:00", 0}, {db::Value(), "10:00", 0}, {"2009/01/01", db::Value(), 0},
                  {"2009/01/03", "10:00", 0}, {"2009/01/04", "10:00", 0}},
                 {1, 1, 1, 2, 3}}));

TEST_F(DiveRowsTest, RenumberingAnEmptyLogDoesNothing)
{
    gv.BaseLTD = 1;
    EXPECT_NO_THROW(RenumberLifeTimeDives());
    EXPECT_EQ(Count("DIVEDATA"), 0);
}

TEST_F(DiveRowsTest, ReIndexClosesTheGap)
{
    struct Case {
        qint32 first;
        qint32 deleted;
        std::vector<qint64> expected;   // the remaining dives, in DIVEID order
    };
    const Case cases[] = {
        {1, 5, {1, 2, 3, 4, 5, 6, 7, 8, 9}},
        {1, 1, {1, 2, 3, 4, 5, 6, 7, 8, 9}},
        {1, 10, {1, 2, 3, 4, 5, 6, 7, 8, 9}},
        {150, 150, {150, 151, 152, 153, 154, 155, 156, 157, 158}},
        {150, 153, {150, 151, 152, 153, 154, 155, 156, 157, 158}},
    };
    for (const Case& c : cases) {
        gv.DB->Execute("Delete from DIVEDATA");
        AddNumberedDives(c.first, 10);
        gv.DB->Execute("Delete from DIVEDATA where LIFETIMEDIVENO = ?", {c.deleted});
        ReIndexLTD(c.deleted);
        EXPECT_EQ(Numbers(), c.expected) << "first " << c.first << " deleted " << c.deleted;
    }
}

TEST_F(DiveRowsTest, ReIndexAfterTheOnlyDiveFindsNothing)
{
    ReIndexLTD(1);
    EXPECT_EQ(gv.FirstLTD, 0);
    EXPECT_EQ(gv.LastLTD, 0);
}

TEST_F(DiveRowsTest, FirstAndLastCountOnlyNumbersAboveZero)
{
    for (int ltd : {0, -3, 4, 9})
        AddDive({{"LIFETIMEDIVENO", ltd}});
    GetFirstLastDiveNo();
    EXPECT_EQ(gv.FirstLTD, 4);
    EXPECT_EQ(gv.LastLTD, 9);
}

TEST_F(DiveRowsTest, ShiftUpMakesRoomForANewDive)
{
    AddNumberedDives(1, 4);
    ShiftLifeTimeDivesUp(3);
    EXPECT_EQ(Numbers(), (std::vector<qint64>{1, 2, 4, 5}));
    ShiftLifeTimeDivesUp();
    EXPECT_EQ(Numbers(), (std::vector<qint64>{2, 3, 5, 6}));
}

// ---- Adding and deleting dives -----------------------------------------------

TEST_F(DiveRowsTest, NewManualDiveWithItsSettingsInTheDiversUnits)
{
    gv.NewDiveLTD = 4;
    gv.UnitSystem = 0;   // metric, 24-hour clock
    gv.UnitTime = 0;
    AddDive({{"LIFETIMEDIVENO", 4}});   // a dive already carrying the number
    const QDateTime before = QDateTime::currentDateTime();
    const qint32 id = InitialNewDive();
    const QDateTime after = QDateTime::currentDateTime();

    ASSERT_GT(id, 0);
    EXPECT_TRUE(gv.IsNewDive);
    EXPECT_EQ(gv.DiveChanged, kDiveEdited);
    auto rs = gv.DB->OpenRecordset("Select * from DIVEDATA where DIVEID = ?", {id});
    ASSERT_FALSE(rs->EOF());
    EXPECT_EQ(rs->Field("LIFETIMEDIVENO").ToLong(), 4);
    const QString date = rs->Field("DIVEDATE").ToString();
    const QString time = rs->Field("DIVETIME").ToString();
    EXPECT_TRUE(date == before.toString("yyyy/MM/dd") || date == after.toString("yyyy/MM/dd")) << date.toStdString();
    EXPECT_TRUE(time == before.toString("HH:mm") || time == after.toString("HH:mm")) << time.toStdString();
    EXPECT_EQ(rs->Field("STIME").ToString(), "00:00");
    for (const char* zero : {"MODELID", "MODELSERNO", "DATATYPE"})
        EXPECT_EQ(rs->Field(zero), db::Value(0)) << zero;

    auto settings = gv.DB->OpenRecordset("Select * from DIVE_DC_SETTINGS where DIVEID = ?", {id});
    ASSERT_FALSE(settings->EOF());
    EXPECT_EQ(settings->Field("UNITS").ToLong(), 1);   // metric
    EXPECT_EQ(settings->Field("HOUR").ToLong(), 1);    // 24-hour clock
    EXPECT_EQ(Count("DIVE_DC_SETTINGS"), 1);
}

TEST_F(DiveRowsTest, NewManualDiveOfAnImperialDiver)
{
    gv.UnitSystem = 1;
    gv.UnitTime = 1;
    const qint32 id = InitialNewDive();
    auto settings = gv.DB->OpenRecordset("Select UNITS, HOUR from DIVE_DC_SETTINGS where DIVEID = ?", {id});
    EXPECT_EQ(settings->Field("UNITS").ToLong(), 0);
    EXPECT_EQ(settings->Field("HOUR").ToLong(), 0);
}

TEST_F(DiveRowsTest, NewManualDiveThatFailsAddsNothing)
{
    gv.DB->Execute("Drop table DIVE_DC_SETTINGS");
    dialogs.ExpectMsg("Could not initial new manual dive.");
    EXPECT_EQ(InitialNewDive(), 0);
    EXPECT_EQ(Count("DIVEDATA"), 0);
    EXPECT_EQ(dialogs.Messages().at(0).title, "Error");
    EXPECT_EQ(dialogs.Messages().at(0).icon, MsgIcon::Critical);
}

TEST_F(DiveRowsTest, DeletingADiveDeletesAllItsRowsAndNoOthers)
{
    const qint64 kept = AddFullDive(1);
    const qint64 gone = AddFullDive(2);
    ASSERT_TRUE(DeleteDiveInfo(qint32(gone)));
    for (const QString& table : diveTables) {
        EXPECT_EQ(Count(table, gone), 0) << table.toStdString();
        EXPECT_EQ(Count(table, kept), 1) << table.toStdString();
    }
}

TEST_F(DiveRowsTest, ADeletionThatFailsDeletesNothing)
{
    const qint64 id = AddFullDive(1);
    gv.DB->Execute("Drop table PHOTOS");
    dialogs.ExpectMsg("Deleting dive error #8.");
    EXPECT_FALSE(DeleteDiveInfo(qint32(id)));
    for (const QString& table : diveTables.mid(0, 7))
        EXPECT_EQ(Count(table, id), 1) << table.toStdString();
}

TEST_F(DiveRowsTest, DeleteAllDivesAnsweredNoChangesNothing)
{
    AddFullDive(1);
    gv.CurrentDiveID = 1;
    dialogs.ExpectMsg("Are you sure to want to delete all dives?", MsgAnswer::No);
    EXPECT_EQ(DeleteAllDives(), DeleteAllResult::Declined);
    EXPECT_EQ(Count("DIVEDATA"), 1);
    EXPECT_EQ(gv.CurrentDiveID, 1);
    EXPECT_TRUE(hooks.sideBarKeys.isEmpty());
    EXPECT_EQ(dialogs.Messages().at(0).title, "Delete all dives");
    EXPECT_EQ(dialogs.Messages().at(0).buttons, MsgButtons::YesNo);
}

TEST_F(DiveRowsTest, DeleteAllDivesEmptiesEveryDiveTableAndShowsTheDiver)
{
    AddFullDive(1);
    AddFullDive(2);
    gv.CurrentDiveID = 2;
    dialogs.ExpectMsg("Are you sure to want to delete all dives?", MsgAnswer::Yes);
    EXPECT_EQ(DeleteAllDives(), DeleteAllResult::Deleted);
    for (const QString& table : diveTables)
        EXPECT_EQ(Count(table), 0) << table.toStdString();
    EXPECT_EQ(gv.CurrentDiveID, -1);
    EXPECT_EQ(gv.CurrentDive.LIFETIMEDIVENO, db::Value(-1));
    EXPECT_EQ(hooks.ltdTexts, QStringList{""});
    EXPECT_EQ(hooks.sideBarKeys, QStringList{"Personal"});
}

// A deletion that fails part-way leaves every table as it was, whether SQLite threw the
// transaction away itself (the trigger on the third table) or left it to the program.
TEST_F(DiveRowsTest, DeleteAllDivesThatFailsPartWayChangesNothing)
{
    const struct {
        const char* name;
        const char* damage;
        const char* untouched;   // the table the damage leaves out of the count
    } cases[] = {
        {"third deletion rolls back", "CREATE TRIGGER buddies_kept BEFORE DELETE ON BUDDIES "
                                      "BEGIN SELECT RAISE(ROLLBACK, 'buddies kept'); END", ""},
        {"fourth table missing", "Drop table CAPTAIN", "CAPTAIN"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        for (const QString& table : diveTables)
            gv.DB->Execute("Delete from " + table);
        AddFullDive(1);
        AddFullDive(2);
        gv.CurrentDiveID = 2;
        gv.DB->Execute(c.damage);
        dialogs.ExpectMsg("Are you sure to want to delete all dives?", MsgAnswer::Yes);
        QString error;
        EXPECT_EQ(DeleteAllDives(&error), DeleteAllResult::Failed);
        EXPECT_FALSE(error.isEmpty());
        for (const QString& table : diveTables) {
            if (table != c.untouched) {
                EXPECT_EQ(Count(table), 2) << table.toStdString();
            }
        }
        EXPECT_EQ(gv.CurrentDiveID, 2);
        gv.DB->Execute("Drop trigger if exists buddies_kept");
    }
}

// The deletion of the last table throws the whole transaction away, so its commit fails.
void MakeDeleteAllCommitFail(db::Database& db)
{
    db.Execute("CREATE TRIGGER photos_kept BEFORE DELETE ON PHOTOS BEGIN SELECT RAISE(ROLLBACK, 'photos kept'); END");
}

TEST_F(DiveRowsTest, DeleteAllDivesThatCannotCommitChangesNothingAndGivesTheCause)
{
    AddFullDive(1);
    AddFullDive(2);
    gv.CurrentDiveID = 2;
    MakeDeleteAllCommitFail(*gv.DB);
    dialogs.ExpectMsg("Are you sure to want to delete all dives?", MsgAnswer::Yes);
    QString error;
    EXPECT_EQ(DeleteAllDives(&error), DeleteAllResult::Failed);
    EXPECT_FALSE(error.isEmpty());
    for (const QString& table : diveTables)
        EXPECT_EQ(Count(table), 2) << table.toStdString();
    EXPECT_EQ(gv.CurrentDiveID, 2);
    EXPECT_TRUE(hooks.ltdTexts.isEmpty());
    EXPECT_TRUE(hooks.sideBarKeys.isEmpty());
}

// ---- The current dive ------------------------------------------------------------

TEST_F(DiveRowsTest, ShowCurrentLTDOnAnEmptyLog)
{
    gv.CurrentDiveID = 7;
    gv.CurrentDive.DIVEDATE = "kept";
    ShowCurrentLTD();
    EXPECT_EQ(gv.CurrentDiveID, -1);
    EXPECT_EQ(gv.CurrentDive.LIFETIMEDIVENO, db::Value(-1));
    EXPECT_EQ(gv.CurrentDive.DIVEDATE, "kept");
    EXPECT_TRUE(hooks.ltdTexts.isEmpty());
}

TEST_F(DiveRowsTest, ShowCurrentLTDStandsOnTheCurrentDive)
{
    gv.UnitDate = 0;
    gv.UnitTime = 1;
    const qint64 first = AddDive({{"LIFETIMEDIVENO", 1}, {"DIVEDATE", "2009/05/20"}, {"DIVETIME", "09:00"}});
    const qint64 second = AddDive({{"LIFETIMEDIVENO", 2}, {"DIVEDATE", "2009/05/21"}, {"DIVETIME", "13:45"}});

    const std::pair<qint32, qint64> cases[] = {{qint32(second), second}, {-1, first}, {0, first}, {9999, first}};
    for (const auto& [wanted, shown] : cases) {
        gv.CurrentDiveID = wanted;
        ShowCurrentLTD();
        EXPECT_EQ(gv.CurrentDiveID, shown) << "wanted " << wanted;
        EXPECT_EQ(gv.rsDiveData->Field("DIVEID").ToLong(), shown) << "wanted " << wanted;
        EXPECT_EQ(gv.CurrentDive.LIFETIMEDIVENO, db::Value(shown == first ? 1 : 2));
    }
    gv.CurrentDiveID = qint32(second);
    ShowCurrentLTD();
    EXPECT_EQ(gv.CurrentDiveCaption, "#2 21/05/2009 01:45 PM");
    EXPECT_EQ(hooks.ltdTexts.last(), gv.CurrentDiveCaption);
}

TEST_F(DiveRowsTest, GetLTDFindsTheEntryByText)
{
    hooks.entries = {"#1 a", "#2 b"};
    EXPECT_EQ(GetLTD("#2 b"), 2);
    EXPECT_EQ(GetLTD("#3 c"), 0);
}

} // namespace
} // namespace kvl
