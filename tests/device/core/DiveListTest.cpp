#include "device/core/DiveList.h"
#include "tests/support/KvlTest.h"
#include "tests/support/LogFixture.h"

#include <gtest/gtest.h>

namespace kvl::device {
namespace {

// --- the index walk -------------------------------------------------------

struct WalkCase {
    const char* name;
    IndexPointers pointers;
    std::vector<std::pair<int, int>> listed;   // (page, offset)
    bool noDive;
};

class IndexWalkTable : public ::testing::TestWithParam<WalkCase> {};

TEST_P(IndexWalkTable, ListsTheEntriesBeforeTheEndPointer)
{
    const WalkCase& c = GetParam();
    const IndexWalk walk = WalkIndex(c.pointers);
    std::vector<std::pair<int, int>> listed;
    for (int pos : walk.positions)
        listed.emplace_back(pos / PageSlotSize, pos % PageSlotSize);
    EXPECT_EQ(listed, c.listed);
    EXPECT_EQ(walk.noDive, c.noDive);
}

INSTANTIATE_TEST_SUITE_P(
    Pointers, IndexWalkTable,
    ::testing::Values(
        WalkCase{"EmptyLog", {64, 0, 64, 0}, {}, true},
        WalkCase{"OneEntry", {64, 0, 64, 8}, {{64, 0}}, false},
        WalkCase{"StraightFromSecondEntry", {64, 8, 66, 0}, {{64, 8}, {65, 0}, {65, 8}}, false},
        WalkCase{"StraightEndingMidPage", {64, 0, 65, 8}, {{64, 0}, {64, 8}, {65, 0}}, false},
        WalkCase{"BothAtSecondEntryOfOnePage", {80, 8, 80, 8}, {}, false},
        // The slot at the end pointer itself is free: it is never listed.
        WalkCase{"Wrapped", {112, 8, 65, 0}, {{112, 8}, {113, 0}, {113, 8}, {64, 0}, {64, 8}}, false},
        WalkCase{"WrappedEndingMidPage", {113, 0, 64, 8}, {{113, 0}, {113, 8}, {64, 0}}, false}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(IndexWalk, AFullRingWrappedOnOnePageListsEveryOtherSlot)
{
    const IndexWalk walk = WalkIndex({70, 8, 70, 0});
    // 50 pages, two slots each, less the free slot at the end pointer.
    EXPECT_EQ(walk.positions.size(), 99u);
    EXPECT_EQ(walk.positions.front(), 70 * PageSlotSize + 8);
    EXPECT_EQ(walk.positions.back(), 69 * PageSlotSize + 8);
}

TEST(IndexWalk, PointersOffTheIndexPagesReadNothingOutside)
{
    for (const IndexPointers& p : {IndexPointers{0, 0, 255, 8}, IndexPointers{200, 0, 10, 0}}) {
        for (int pos : WalkIndex(p).positions) {
            EXPECT_GE(pos / PageSlotSize, DevicePage::FirstIndex);
            EXPECT_LE(pos / PageSlotSize, DevicePage::LastIndex);
        }
        EXPECT_LE(WalkIndex(p).positions.size(), static_cast<size_t>(DiveListSize));
    }
}

// --- one entry ------------------------------------------------------------

Image AsImage(const QByteArray& bytes)
{
    return Image(bytes.begin(), bytes.end());
}

QByteArray Entry(int diveNo, int year, int month, int day, int hour, int minute, int sa, int ea, int mode = 0)
{
    const int y = year - 2000;
    QByteArray e(8, '\0');
    e[0] = static_cast<char>((diveNo & 127) | (mode << 7));
    e[1] = static_cast<char>(((y / 8) << 5) | day);
    e[2] = static_cast<char>(minute);
    e[3] = static_cast<char>(((diveNo / 128) << 5) | hour);
    e[4] = static_cast<char>(sa & 255);
    e[5] = static_cast<char>(((y % 8) << 4) | (sa >> 8));
    e[6] = static_cast<char>(ea & 255);
    e[7] = static_cast<char>((month << 4) | (ea >> 8));
    return e;
}

struct LineCase {
    const char* name;
    QByteArray entry;
    quint8 unitDate;
    quint8 unitTime;
    const char* line;
    const char* diveDate;
    const char* diveTime;
};

class ListLine : public ::testing::TestWithParam<LineCase> {};

TEST_P(ListLine, FollowsTheUsersDateOrderAndClock)
{
    const LineCase& c = GetParam();
    DiveListRecord r;
    EXPECT_EQ(DecodeListEntry(AsImage(c.entry), 0, c.unitDate, c.unitTime, r), c.line);
    EXPECT_EQ(r.DiveDate, c.diveDate);
    EXPECT_EQ(r.DiveTime, c.diveTime);
}

INSTANTIATE_TEST_SUITE_P(
    Entries, ListLine,
    ::testing::Values(
        LineCase{"DayFirst24Hour", Entry(7, 2009, 6, 4, 13, 0, 200, 300), 0, 0,
                 "Dive Date: 04/06/09, Dive Time: 13:00, Dive No.: 07", "2009/06/04", "13:00"},
        LineCase{"MonthFirst", Entry(7, 2009, 6, 4, 9, 30, 200, 300), 1, 0,
                 "Dive Date: 06/04/09, Dive Time: 09:30, Dive No.: 07", "2009/06/04", "09:30"},
        LineCase{"MidnightIs12AM", Entry(261, 2009, 6, 4, 0, 5, 200, 300), 0, 1,
                 "Dive Date: 04/06/09, Dive Time: 12:05 AM, Dive No.: 261", "2009/06/04", "00:05"},
        LineCase{"AfternoonPM", Entry(1, 2012, 12, 31, 13, 0, 200, 300), 0, 1,
                 "Dive Date: 31/12/12, Dive Time: 01:00 PM, Dive No.: 01", "2012/12/31", "13:00"},
        LineCase{"NoonIs12PM", Entry(1, 2012, 12, 31, 12, 15, 200, 300), 0, 1,
                 "Dive Date: 31/12/12, Dive Time: 12:15 PM, Dive No.: 01", "2012/12/31", "12:15"},
        LineCase{"MorningAM", Entry(1, 2012, 12, 31, 9, 15, 200, 300), 0, 1,
                 "Dive Date: 31/12/12, Dive Time: 09:15 AM, Dive No.: 01", "2012/12/31", "09:15"}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(ListEntry, CarriesPagesAndModeAndSkipsEmptyEntries)
{
    DiveListRecord r;
    EXPECT_FALSE(DecodeListEntry(AsImage(Entry(5, 2010, 1, 2, 3, 4, 4000, 120, 1)), 0, 0, 0, r).isEmpty());
    EXPECT_EQ(r.SA, 4000);
    EXPECT_EQ(r.EA, 120);
    EXPECT_EQ(r.DiveMode, 1);
    EXPECT_EQ(r.DiveNo, 5);

    DiveListRecord empty;
    EXPECT_EQ(DecodeListEntry(Image(8, 0), 0, 0, 0, empty), "");
    EXPECT_EQ(empty.DiveTime, "00:00");
    EXPECT_EQ(empty.SA, 0);
}

class DiveExistsTest : public test::KvlTest {};

TEST_F(DiveExistsTest, MatchesNumberDateTimeModelAndSerialWithQuotesSafe)
{
    ASSERT_TRUE(test::MakeFreshLog(Home() + "/log.dlg"));
    auto db = db::Database::Open(Home() + "/log.dlg");
    test::InsertRow(*db, "DIVEDATA", {{"DIVENO", 7}, {"DIVEDATE", "2009/06/04"}, {"DIVETIME", "13:00"},
                                      {"MODELID", 6774}, {"MODELSERNO", 10203}});
    DiveListRecord r;
    r.DiveNo = 7;
    r.DiveDate = "2009/06/04";
    r.DiveTime = "13:00";
    EXPECT_TRUE(IsDiveExisted(*db, r, 6774, 10203));
    EXPECT_FALSE(IsDiveExisted(*db, r, 6774, 10204));
    r.DiveTime = "13:0'";
    EXPECT_FALSE(IsDiveExisted(*db, r, 6774, 10203));
}

} // namespace
} // namespace kvl::device
