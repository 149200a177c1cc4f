#include "settings/core/NavLegs.h"
#include "tests/support/KvlTest.h"
#include "tests/support/LogFixture.h"

namespace kvl::settings {
namespace {

constexpr qint32 Model = 6774;
constexpr int ThreeLegs = 3;

const char* const LegMsg = "Invalid leg number. Please enter leg number from 1 to 99.";
const char* const HeadingMsg = "Invalid heading. Please enter heading from 0 to 360.";
const char* const CdtMsg = "Invalid count down time (CDT). Please enter CDT in 'h:mm:ss' format (9:59:59 max).";
const char* const NoLegMsg = "Leg number does not exist.";

struct CheckCase {
    const char* name;
    LegButton button;
    LegEntries entries;
    int legCount;
    LegWrite write;
    const char* message;   // "" when none
    const char* title = "Navigation Leg Setting";
    int leg = 0;
};

class LegChecks : public ::testing::TestWithParam<CheckCase> {};

TEST_P(LegChecks, RefuseOrAskForTheRightWrite)
{
    const CheckCase& c = GetParam();
    const LegRequest r = CheckLegButton(c.button, c.entries, c.legCount);
    EXPECT_EQ(r.refusal.text, c.message);
    if (*c.message) {
        EXPECT_EQ(r.refusal.title, c.title);
    }
    EXPECT_EQ(r.write, c.write);
    if (c.write != LegWrite::Nothing) {
        EXPECT_EQ(r.leg, c.leg);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Entries, LegChecks,
    ::testing::Values(
        CheckCase{"AddIntoEmpty", LegButton::Add, {"", "90", "1:30:00"}, 0, LegWrite::AddAtEnd, "", "", 1},
        CheckCase{"AddIgnoresTheLegNumber", LegButton::Add, {"0", "90", "1:30:00"}, 3, LegWrite::AddAtEnd, "", "", 4},
        CheckCase{"AddWithZeroTimeDoesNothing", LegButton::Add, {"", "90", "0:00:00"}, 3, LegWrite::Nothing, ""},
        CheckCase{"AddAllEmptyDoesNothing", LegButton::Add, {"", "", ""}, 3, LegWrite::Nothing, ""},
        CheckCase{"InsertWithZeroTime", LegButton::Insert, {"2", "90", "0:00:00"}, 3, LegWrite::InsertAt, "", "", 2},
        CheckCase{"InsertBeyondTheEndAdds", LegButton::Insert, {"7", "90", "0:01:00"}, 3, LegWrite::AddAtEnd, "", "",
                  4},
        CheckCase{"DeleteAllEmpty", LegButton::Delete, {"", "", ""}, 3, LegWrite::Nothing,
                  "Please enter the leg number to delete.", "Delete Navigation Leg"},
        CheckCase{"Delete2", LegButton::Delete, {"2", "", ""}, 3, LegWrite::DeleteAt, "", "", 2},
        CheckCase{"Delete5", LegButton::Delete, {"5", "", ""}, 3, LegWrite::Nothing, NoLegMsg,
                  "Delete Navigation Leg"},
        CheckCase{"Update5", LegButton::Update, {"5", "10", "0:01:00"}, 3, LegWrite::Nothing, NoLegMsg,
                  "Update Navigation Leg"},
        CheckCase{"UpdateWithNoLegs", LegButton::Update, {"1", "10", "0:01:00"}, 0, LegWrite::Nothing, ""},
        CheckCase{"Leg0Insert", LegButton::Insert, {"0", "10", ""}, 3, LegWrite::Nothing, LegMsg},
        CheckCase{"Leg0Delete", LegButton::Delete, {"0", "", "0:01:00"}, 3, LegWrite::Nothing, LegMsg},
        CheckCase{"Leg100Update", LegButton::Update, {"100", "10", "0:01:00"}, 3, LegWrite::Nothing, LegMsg},
        CheckCase{"HugeLeg", LegButton::Delete, {"99999999999", "", ""}, 3, LegWrite::Nothing, LegMsg},
        CheckCase{"Heading361", LegButton::Add, {"", "361", "0:01:00"}, 3, LegWrite::Nothing, HeadingMsg},
        CheckCase{"HeadingMinus1", LegButton::Insert, {"1", "-1", "0:01:00"}, 3, LegWrite::Nothing, HeadingMsg},
        CheckCase{"NoHeadingIsNotNorth", LegButton::Update, {"1", "", "0:01:00"}, 3, LegWrite::Nothing, HeadingMsg},
        CheckCase{"HeadingZeroIsNorth", LegButton::Update, {"1", "0", "0:01:00"}, 3, LegWrite::UpdateAt, "", "", 1},
        CheckCase{"Cdt10Hours", LegButton::Add, {"", "10", "10:00:00"}, 3, LegWrite::Nothing, CdtMsg},
        CheckCase{"Cdt60Minutes", LegButton::Insert, {"1", "10", "1:60:00"}, 3, LegWrite::Nothing, CdtMsg},
        CheckCase{"Cdt60Seconds", LegButton::Update, {"1", "10", "1:00:60"}, 3, LegWrite::Nothing, CdtMsg},
        CheckCase{"CdtWithoutColons", LegButton::Add, {"", "10", "130"}, 3, LegWrite::Nothing, CdtMsg},
        CheckCase{"LegHalfRoundsToEven", LegButton::Delete, {"2.5", "", ""}, 3, LegWrite::DeleteAt, "", "", 2}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(LegGrid, RowsShowTheLegAsTheGridListsIt)
{
    EXPECT_EQ(LegGridRow({1, 90, 5400, 0, -1}), QString("1\t90\u00B0\t01:30:00\t0\t-1"));
    EXPECT_EQ(LegGridRow({12, 0, 35999, db::Value(), db::Value()}), QString("12\t0\u00B0\t09:59:59\t0\t0"));
    EXPECT_EQ(QString(LegGridColumnOf(LegColumn).name), "LEG #");
    EXPECT_EQ(QString(LegGridColumnOf(CdtColumn).caption), "Count Down Time (CDT)");
    EXPECT_EQ(LegButtonOfKey("Leg"), LegButton::Count);
    EXPECT_EQ(LegButtonOfKey("Insert"), LegButton::Insert);
}

class LegStore : public test::KvlTest {
protected:
    void SetUp() override
    {
        test::KvlTest::SetUp();
        const QString path = Home() + "/log.dlg";
        ASSERT_TRUE(test::MakeFreshLog(path));
        db = db::Database::Open(path);
        for (int leg = 1; leg <= ThreeLegs; ++leg)
            Insert(-1, leg, leg * 10);
    }
    void Insert(qint32 serial, int leg, int heading, int audible = 0)
    {
        db->Execute("Insert into DC_NAV (DCID, DCSERIALNO, LEGNO, HEADING, CDT, AUDIBLEALARM) values (?, ?, ?, ?, 60, ?)",
                    {Model, serial, leg, heading, audible});
    }
    // "LEGNO:HEADING" of each edited leg, in order.
    QStringList Legs()
    {
        QStringList legs;
        for (const NavLegRow& leg : EditedLegs(*db, Model))
            legs << leg.LEGNO.ToString() + ":" + leg.HEADING.ToString();
        return legs;
    }
    FormMessage Run(LegButton button, LegEntries entries)
    {
        const LegRequest r = CheckLegButton(button, entries, static_cast<int>(EditedLegs(*db, Model).size()));
        EXPECT_TRUE(r.refusal.text.isEmpty()) << r.refusal.text.toStdString();
        return WriteLegRequest(*db, Model, r);
    }
    std::unique_ptr<db::Database> db;
};

TEST_F(LegStore, InsertShiftsTheLaterLegsAndShowsTheNewOne)
{
    const LegRequest r = CheckLegButton(LegButton::Insert, {"2", "99", "0:01:00"}, ThreeLegs);
    EXPECT_TRUE(WriteLegRequest(*db, Model, r).text.isEmpty());
    EXPECT_EQ(Legs(), (QStringList{"1:10", "2:99", "3:20", "4:30"}));
    EXPECT_EQ(LegGridRowToShow(EditedLegs(*db, Model), r.navAction, r.focusLeg), 1);
}

TEST_F(LegStore, InsertBeyondTheEndAddsTheLastLeg)
{
    Run(LegButton::Insert, {"7", "99", "0:01:00"});
    EXPECT_EQ(Legs(), (QStringList{"1:10", "2:20", "3:30", "4:99"}));
}

TEST_F(LegStore, DeleteRenumbersAndUpdateChangesOneLeg)
{
    Run(LegButton::Delete, {"2", "", ""});
    EXPECT_EQ(Legs(), (QStringList{"1:10", "2:30"}));
    Run(LegButton::Update, {"2", "45", "0:02:00"});
    EXPECT_EQ(Legs(), (QStringList{"1:10", "2:45"}));
    EXPECT_EQ(db->Scalar("Select CDT from DC_NAV where DCID = ? and DCSERIALNO = -1 and LEGNO = 2", {Model}).ToLong(),
              120);
}

TEST_F(LegStore, AFailedStepKeepsTheLegsAndNamesTheButton)
{
    db->Execute("CREATE TRIGGER no_add BEFORE INSERT ON DC_NAV BEGIN SELECT RAISE(ABORT, 'full'); END");
    const FormMessage m = Run(LegButton::Insert, {"2", "99", "0:01:00"});
    EXPECT_EQ(m.text, "Could not insert Navigation Leg.");
    EXPECT_EQ(m.title, "Error");
    EXPECT_EQ(Legs(), (QStringList{"1:10", "2:20", "3:30"}));
    EXPECT_EQ(Run(LegButton::Add, {"", "99", "0:01:00"}).text, "Could not add Navigation Leg.");

    db->Execute("CREATE TRIGGER no_renumber BEFORE UPDATE ON DC_NAV WHEN NEW.LEGNO = 2 "
                "BEGIN SELECT RAISE(ABORT, 'locked'); END");
    EXPECT_EQ(Run(LegButton::Delete, {"2", "", ""}).text, "Could not delete Navigation Leg.");
    EXPECT_EQ(Legs(), (QStringList{"1:10", "2:20", "3:30"}));
}

TEST_F(LegStore, ChoosingAUnitCopiesItsLegsWithTheirAlarms)
{
    for (int leg = 1; leg <= 4; ++leg)
        Insert(3310, leg, 100 + leg, leg % 2 ? -1 : 0);
    Insert(1207, 1, 7);
    CopyUnitLegs(*db, Model, 3310);
    EXPECT_EQ(Legs(), (QStringList{"1:101", "2:102", "3:103", "4:104"}));
    EXPECT_EQ(EditedLegs(*db, Model)[0].AUDIBLEALARM.ToLong(), -1);
    EXPECT_EQ(EditedLegs(*db, Model)[1].AUDIBLEALARM.ToLong(), 0);
    EXPECT_EQ(db->Scalar("Select count(*) from DC_NAV where DCID = ? and DCSERIALNO = 3310", {Model}).ToLong(), 4);
}

TEST_F(LegStore, TheGridIsPlacedByTheLastAction)
{
    const auto legs = EditedLegs(*db, Model);
    EXPECT_EQ(LegGridRowToShow(legs, NavShowFirst, 0), 0);
    EXPECT_EQ(LegGridRowToShow(legs, NavShowLast, 0), 2);
    EXPECT_EQ(LegGridRowToShow(legs, NavShowFocusLeg, 3), 2);
    EXPECT_EQ(LegGridRowToShow(legs, NavShowFocusLeg, 9), 2);
    EXPECT_EQ(LegGridRowToShow({}, NavShowLast, 0), -1);
}

} // namespace
} // namespace kvl::settings
