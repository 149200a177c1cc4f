#include "device/core/DeviceImage.h"
#include "tests/device/core/DeviceTestBase.h"
#include "tests/device/core/LinkRig.h"

namespace kvl::test {
namespace {

TEST(DeviceFrames, PageReadFrameCarriesThePageLowByteFirstTwice)
{
    EXPECT_EQ(PageReadFrame(4095), (std::vector<int>{0x20, 0xFF, 0x0F, 0xFF, 0x0F}));
    EXPECT_EQ(PageReadFrame(70), (std::vector<int>{0x20, 70, 0, 70, 0}));
}

TEST(DeviceFrames, ClockFrameHoldsPlainNumbersAndTheirSum)
{
    EXPECT_EQ(ClockFrame("12/31/09", "23:59"), (std::vector<int>{148, 12, 31, 9, 23, 59, 0, 0, 134}));
}

struct SerialCase {
    const char* name;
    quint8 b11, b12, b13;
    qint32 serial;
};

class SerialNumbers : public ::testing::TestWithParam<SerialCase> {};

TEST_P(SerialNumbers, GroupsAddUp)
{
    const auto& c = GetParam();
    EXPECT_EQ(DecodeSerialNo(c.b11, c.b12, c.b13), c.serial);
}

INSTANTIATE_TEST_SUITE_P(Page0, SerialNumbers,
                         ::testing::Values(SerialCase{"OneTwoThree", 1, 2, 3, 10203},
                                           SerialCase{"CarryIntoNextGroup", 0, 150, 7, 15007},
                                           SerialCase{"Zero", 0, 0, 0, 0},
                                           SerialCase{"AllHigh", 255, 255, 255, 2575755}),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(LogPointers, HighNibbleOfTheHighByteIsIgnored)
{
    const DCLogPointer p = DecodeLogPointer(0x48, 0xF4);
    EXPECT_EQ(p.IndexPage, 68);
    EXPECT_EQ(p.EntryOffset, 8);
    EXPECT_EQ(p.EntryNo, 9);
    const DCLogPointer q = DecodeLogPointer(0x00, 0x04);
    EXPECT_EQ(q.IndexPage, 64);
    EXPECT_EQ(q.EntryOffset, 0);
    EXPECT_EQ(q.EntryNo, 0);
}

TEST(DiveIndex, EntryFieldsDecode)
{
    const DiveIndexEntry e = DecodeIndexEntry({0x85, 0x4F, 0x1E, 0x4E, 0x72, 0x10, 0x80, 0x31});
    EXPECT_EQ(e.DiveNo, 261);
    EXPECT_EQ(e.DiveMode, 1);
    EXPECT_EQ(e.Day, 15);
    EXPECT_EQ(e.Year, 2017);
    EXPECT_EQ(e.Minute, 30);
    EXPECT_EQ(e.Hour, 14);
    EXPECT_EQ(e.SA, 114);
    EXPECT_EQ(e.EA, 384);
    EXPECT_EQ(e.Month, 3);
    EXPECT_FALSE(e.IsEmpty());
    EXPECT_TRUE(DecodeIndexEntry({0x85, 0, 0, 0x4E, 0x72, 0x10, 0x80, 0x31}).IsEmpty());
}

TEST(ProfileRing, PagesFollowTheWrapAndOnlyRingPagesCount)
{
    EXPECT_EQ(NextRingPage(4095), 114);
    EXPECT_EQ(NextRingPage(200), 201);
    EXPECT_EQ(RingPageCount(4094, 115), 4);
    EXPECT_EQ(RingPageCount(300, 300), 1);
    EXPECT_EQ(RingPageCount(113, 300), 0);
    EXPECT_EQ(RingPageCount(300, 4096), 0);
}

class ProfileStatusTest : public DeviceTest {
protected:
    LinkRig rig;
};

TEST_F(ProfileStatusTest, DownloadStatusShowsTheWholePercentOnTheDivesStatusLine)
{
    rig.members.CurStatusKey = 1007;
    rig.comm.ShowDiveDownloadStatus(3, 8);
    EXPECT_EQ(rig.surface.listTexts[1007], "Status: Downloading... 37%");
    EXPECT_EQ(rig.surface.listStates[1007], StatusLineDownloading);
}

struct DiveCheckCase {
    const char* name;
    std::array<quint8, 3> markers;  // summary bytes 12..14
    const char* date;
    const char* time;
    int number;
    bool valid;
    bool timeWarning;
};

class ValidDives : public ProfileStatusTest, public ::testing::WithParamInterface<DiveCheckCase> {};

TEST_P(ValidDives, NeedAnEndMarkerARealDateATimeAndANumber)
{
    const auto& c = GetParam();
    const int ea = 384;
    for (int k = 0; k < 3; ++k)
        rig.comm.Link.RxBuffer[size_t(ea * 17 + 12 + k)] = c.markers[size_t(k)];
    if (c.timeWarning)
        dialogs.ExpectMsg("Invalid time. Please enter value 00-23 for hour.");
    QString date = c.date;
    QString time = c.time;
    EXPECT_EQ(rig.comm.IsValidDive(date, time, c.number, 114, ea), c.valid);
    EXPECT_EQ(date, c.date);  // nothing is corrected
    EXPECT_EQ(time, c.time);
}

INSTANTIATE_TEST_SUITE_P(
    Dives, ValidDives,
    ::testing::Values(DiveCheckCase{"AllMarkers", {0xAB, 0xCD, 0xEF}, "2009/06/04", "14:30", 7, true, false},
                      DiveCheckCase{"OnlyEE", {0x12, 0x34, 0xEE}, "2009/06/04", "14:30", 7, true, false},
                      DiveCheckCase{"OnlyAB", {0xAB, 0x00, 0x00}, "2009/06/04", "14:30", 7, true, false},
                      DiveCheckCase{"NoMarker", {0, 0, 0}, "2009/06/04", "14:30", 7, false, false},
                      DiveCheckCase{"DiveNumberZero", {0xAB, 0xCD, 0xEF}, "2009/06/04", "14:30", 0, false, false},
                      DiveCheckCase{"NoSuchDay", {0xAB, 0xCD, 0xEF}, "2009/02/30", "14:30", 7, false, false},
                      DiveCheckCase{"BadHour", {0xAB, 0xCD, 0xEF}, "2009/06/04", "25:30", 7, false, true}),
    [](const auto& row) { return std::string(row.param.name); });

} // namespace
} // namespace kvl::test
