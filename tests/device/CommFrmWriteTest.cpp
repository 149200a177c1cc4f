// Writing the edited settings to the simulated device through the download
// window: the pages the device ends up holding, the clock, and the ways a write
// is refused or fails.
#include "settings/core/SettingsRecords.h"
#include "tests/device/CommFrmRig.h"

namespace kvl {
namespace {

using settings::NavLegRow;
using settings::SettingsValues;

constexpr qint32 QX07 = 6774;
constexpr int WritePageCommand = 0x40;
constexpr int SetClockCommand = 0x94;

QByteArray Bytes(std::initializer_list<int> values)
{
    QByteArray b;
    for (int v : values)
        b.append(static_cast<char>(v));
    return b;
}

class CommFrmWriteTest : public test::CommFrmRig {
protected:
    void SetUp() override
    {
        test::CommFrmRig::SetUp();
        pageFiveBefore = Page(5);
    }

    void EditSet(qint64 systemClock, const std::vector<NavLegRow>& legs)
    {
        settings::WriteSettingsRow(*gv.DB, {QX07, settings::EditedSerial},
                                   {{"MAXDEPTH", 200}, {"EDT", 130}, {"PO2", 150}, {"BACKLIGHT", 2},
                                    {"DIVESAMPLE", 3}, {"HOUR", 0}, {"AUDIBLEALARM", -1}, {"FO2", -1},
                                    {"UNITS", 1}, {"WATER", 0}, {"NAVBACKLIGHT", 0}, {"CHRONO", 0},
                                    {"CHRONO_ASCENT_ON_OFF", -1}, {"NAVDIVE", -1}, {"ALTTIME", -1},
                                    {"SYSTEMCLOCK", systemClock}});
        settings::ReplaceLegs(*gv.DB, {QX07, settings::EditedSerial}, legs);
    }

    CommFrm& Write()
    {
        CommFrm& f = Open(WriteSettingsMode);
        f.Cmd_ItemClick(CmdKey::Start);
        return f;
    }

    QByteArray Page(int page) const
    {
        const devsim::Page& p = device.PageAt(page);
        return QByteArray(reinterpret_cast<const char*>(p.data()), devsim::PageSize);
    }

    size_t Writes(int page = -1) const { return device.FramesOf(WritePageCommand, page).size(); }

    // The unit's settings row and legs as the log holds them.
    std::pair<SettingsValues, std::vector<NavLegRow>> UnitRows()
    {
        return {settings::ReadSettingsRow(*gv.DB, Unit).value_or(SettingsValues{}), settings::ReadLegs(*gv.DB, Unit)};
    }

    // A settings read of the unit, as the read command makes it.
    void ReadUnit()
    {
        Open(ReadSettingsMode).Cmd_ItemClick(CmdKey::Start);
        frm.reset();
    }

    const settings::SettingsKey Unit{QX07, 10203};

    QByteArray pageFiveBefore;
    // 45 degrees for 1:01:01 with both alarms, 300 degrees for 10:00 with none.
    const std::vector<NavLegRow> twoLegs{{1, 45, 3661, -1, -1}, {2, 300, 600, 0, 0}};
};

TEST_F(CommFrmWriteTest, TheDeviceHoldsTheEditedBlockAndLegsAndTheUnitsRowsFollow)
{
    EditSet(settings::KeepDeviceClock, twoLegs);
    const QByteArray pageFortyNine = Page(49);
    CommFrm& f = Write();

    QByteArray block = pageFiveBefore;
    block[0] = 40;                                            // 200 ft
    block[1] = 0;
    block[2] = 30;                                            // 1:30
    block[3] = 1;
    block[8] = char((quint8(pageFiveBefore[8]) & 0x03) | 0xE8);   // units, FO2, alarm, bit 3; 12-hour, salt
    block[11] = char(150);
    block[12] = 10;                                           // back light 10 seconds
    block[14] = char((quint8(pageFiveBefore[14]) & 0x0D) | 0xD0);
    block[15] = 3;
    EXPECT_EQ(Page(5).toHex(' '), block.toHex(' '));
    EXPECT_EQ(Page(48).toHex(' '),
              (Bytes({0x2D, 0x1C, 0x01, 0x01, 0x2C, 0x01, 0x0A, 0x00}) + QByteArray(8, '\0')).toHex(' '));
    EXPECT_EQ(Page(49), pageFortyNine);
    EXPECT_EQ(Writes(5), 1u);
    EXPECT_EQ(Writes(48), 1u);
    EXPECT_EQ(Writes(), 2u);

    EXPECT_EQ(Count("Select MAXDEPTH from DC_SETTINGS where DCSERIALNO = 10203"), 200);
    EXPECT_EQ(Count("Select count(*) from DC_NAV where DCSERIALNO = 10203"), 2);
    EXPECT_EQ(gv.SelectedSerialNo, 10203);
    EXPECT_TRUE(f.CloseTimer->isActive());
}

TEST_F(CommFrmWriteTest, AfterAWriteTheUnitsRowsAreWhatAFreshReadOfTheUnitStores)
{
    EditSet(settings::KeepDeviceClock, twoLegs);
    settings::WriteSettingsRow(*gv.DB, {QX07, settings::EditedSerial}, {{"MAXDEPTH", 100}, {"DTR", 7}});
    CommFrm& f = Write();
    EXPECT_EQ(f.Cmd->Items(CmdKey::Message).Text(), "Writing Setting to QX07...Completed!");
    EXPECT_TRUE(f.SettingsWritten());
    const auto written = UnitRows();
    EXPECT_EQ(settings::ValueOf(written.first, "MAXDEPTH").ToLong(), 100);
    EXPECT_EQ(settings::ValueOf(written.first, "DTR").ToLong(), 15) << "the unit keeps its own DTR";
    frm.reset();

    ReadUnit();
    const auto read = UnitRows();
    EXPECT_EQ(written.first, read.first);
    EXPECT_EQ(written.second, read.second);
    ASSERT_EQ(read.second.size(), 2u);
    EXPECT_EQ(read.second[0].HEADING.ToLong(), 45);
}

// The edited set without legs: only page 5 goes out, and the unit's legs stay as the unit holds them.
struct NoLegs {
    const char* fixture;
    size_t unitLegs;
};

class NoLegsTest : public CommFrmWriteTest, public ::testing::WithParamInterface<NoLegs> {};

TEST_P(NoLegsTest, OnlyTheSettingsPageIsWrittenAndReadBack)
{
    LoadDevice(GetParam().fixture);
    pageFiveBefore = Page(5);
    const QByteArray legPage = Page(48);
    EditSet(settings::KeepDeviceClock, {});
    CommFrm& f = Write();
    EXPECT_EQ(f.Cmd->Items(CmdKey::Message).Text(), "Writing Setting to QX07...Completed!");
    EXPECT_EQ(Writes(), 1u);
    EXPECT_EQ(Writes(5), 1u);
    EXPECT_EQ(Page(5)[0], 40);
    EXPECT_EQ(Page(48), legPage);
    const settings::SettingsKey unit{QX07, f.M.UnitSerialNo};
    EXPECT_EQ(settings::ReadLegs(*gv.DB, unit).size(), GetParam().unitLegs);
    EXPECT_EQ(settings::ValueOf(*settings::ReadSettingsRow(*gv.DB, unit), "MAXDEPTH").ToLong(), 200);
}

INSTANTIATE_TEST_SUITE_P(Units, NoLegsTest,
                         ::testing::Values(NoLegs{"empty.json", 0}, NoLegs{"three_dives.json", 4}),
                         [](const ::testing::TestParamInfo<NoLegs>& row) {
                             return row.param.unitLegs == 0 ? std::string("UnitWithoutLegs")
                                                            : std::string("UnitWithLegs");
                         });

TEST_F(CommFrmWriteTest, AMissingEditedSetIsSaidAndNothingIsSent)
{
    ReadUnit();
    const auto before = UnitRows();
    dialogs.ExpectMsg("QX07 Settings data is missing. Process is terminated.");
    CommFrm& f = Write();
    EXPECT_EQ(Writes(), 0u);
    EXPECT_TRUE(f.M.CloseRequested);
    EXPECT_EQ(UnitRows().first, before.first);
    EXPECT_EQ(UnitRows().second, before.second);
}

class ClockFrameTest : public CommFrmWriteTest, public ::testing::WithParamInterface<int> {};

TEST_P(ClockFrameTest, TheClockIsSetOnlyWhenTheRowAsksForIt)
{
    EditSet(GetParam(), twoLegs);
    Write();
    const auto clockFrames = device.FramesOf(SetClockCommand);
    EXPECT_EQ(clockFrames.size(), GetParam() == settings::SetDeviceClock ? 1u : 0u);
    if (!clockFrames.empty()) {
        const auto& frames = device.Frames();
        EXPECT_EQ(frames.back().command(), SetClockCommand) << "after the last page was verified";
    }
}

INSTANTIATE_TEST_SUITE_P(SystemClock, ClockFrameTest, ::testing::Values(0, 1),
                         [](const ::testing::TestParamInfo<int>& row) {
                             return row.param == 1 ? std::string("Set") : std::string("Kept");
                         });

struct FailedWrite {
    const char* name;
    const char* fault;
    const char* message;
    size_t writesOfPageFive;
    size_t writesOfPageFortyEight;
};

void PrintTo(const FailedWrite& write, std::ostream* os)
{
    *os << write.name;
}

class FailedWriteTest : public CommFrmWriteTest, public ::testing::WithParamInterface<FailedWrite> {};

TEST_P(FailedWriteTest, StopsAtThePageWithNoClockNoSuccessAndTheUnitsRowsAsTheyWere)
{
    ReadUnit();
    const auto before = UnitRows();
    EditSet(settings::SetDeviceClock, twoLegs);
    settings::WriteSettingsRow(*gv.DB, {QX07, settings::EditedSerial}, {{"MAXDEPTH", 25}});
    AddFault(GetParam().fault);
    dialogs.ExpectMsg(GetParam().message);
    CommFrm& f = Write();
    EXPECT_EQ(Writes(5), GetParam().writesOfPageFive);
    EXPECT_EQ(Writes(48), GetParam().writesOfPageFortyEight);
    EXPECT_FALSE(f.SettingsWritten());
    EXPECT_EQ(UnitRows().first, before.first);
    EXPECT_EQ(UnitRows().second, before.second);
    EXPECT_TRUE(device.FramesOf(SetClockCommand).empty());
    EXPECT_NE(f.Cmd->Items(CmdKey::Message).Text(), "Writing Setting to QX07...Completed!");
    EXPECT_FALSE(f.M.Busy);
    EXPECT_FALSE(f.CloseTimer->isActive());
}

INSTANTIATE_TEST_SUITE_P(
    Faults, FailedWriteTest,
    ::testing::Values(FailedWrite{"NoAcknowledge", "noack:command=0x40,page=5", "Error Writing Setting to QX07", 5, 0},
                      FailedWrite{"ReadBackDiffers", "readback:page=5", "Read/Write data error.", 1, 0},
                      FailedWrite{"ReadBackTimesOut", "noreply:command=0x20,page=5,skip=1", "Reading back time out.", 1, 0},
                      FailedWrite{"LegPageNotAcknowledged", "noack:command=0x40,page=48", "Error Writing Setting to QX07", 1, 5},
                      FailedWrite{"LegPageReadBackDiffers", "readback:page=48", "Read/Write data error.", 1, 1}),
    [](const ::testing::TestParamInfo<FailedWrite>& row) { return std::string(row.param.name); });

TEST_F(CommFrmWriteTest, FiftyTwoLegsAreRefusedBeforeAnythingIsSent)
{
    std::vector<NavLegRow> legs;
    for (int n = 1; n <= 52; ++n)
        legs.push_back({n, n, 60, 0, 0});
    EditSet(settings::SetDeviceClock, legs);
    dialogs.ExpectMsg("Too many navigation legs (51 at most). Nothing was written to the Radarar Edeze.");
    Write();
    EXPECT_EQ(Writes(), 0u);
    EXPECT_TRUE(device.FramesOf(SetClockCommand).empty());
    EXPECT_EQ(Page(5), pageFiveBefore);
}

} // namespace
} // namespace kvl
