#include "device/core/FamilyA.h"
#include "device/core/TransferMode.h"
#include "tests/device/core/DeviceTestBase.h"
#include "tests/device/core/LinkRig.h"

#include <QTimer>

#include <random>

namespace kvl::test {
namespace {

QByteArray Hex(const std::vector<int>& frame)
{
    QByteArray out;
    for (int b : frame)
        out.append(char(b));
    return out.toHex(' ');
}

TEST(FamilyAFrames, BuildersGiveTheFrameBytes)
{
    EXPECT_EQ(Hex(Write256RamFrame(3, 9)), "6a 02 39");
    EXPECT_EQ(Hex(WriteEEP256Frame(0x2C)), "6a 0a c2");
    EXPECT_EQ(Hex(FamilyAPageFrame(0x0123)), "34 01 23 01 23");
    EXPECT_EQ(Hex(QueryFrame()), "6a 08 00");
    EXPECT_EQ(Hex(WriteClockFrame()), "6a 0d 00");
}

struct RegisterCase {
    const char* name;
    const char* date;
    const char* time;
    std::vector<std::pair<int, int>> registers;   // index, value
};

class WrDataTable : public ::testing::TestWithParam<RegisterCase> {};

TEST_P(WrDataTable, RegistersHoldTheDigits)
{
    const RegisterCase& c = GetParam();
    for (const auto& [index, value] : c.registers)
        EXPECT_EQ(wrData(index, c.date, c.time), value) << "register " << index;
}

INSTANTIATE_TEST_SUITE_P(
    Clock, WrDataTable,
    ::testing::Values(
        RegisterCase{"Afternoon", "07/04/09", "15:30",
                     {{0, 9}, {1, 0}, {2, 4}, {3, 0}, {4, 7}, {5, 0}, {6, 0}, {7, 0},
                      {8, 0}, {9, 3}, {10, 3}, {11, 8}, {12, 0}, {15, 0}, {16, 0}, {-1, 0}}},
        RegisterCase{"Noon", "12/31/10", "12:05", {{10, 2}, {11, 9}, {0, 0}, {1, 1}, {2, 1}, {3, 3}}},
        RegisterCase{"Midnight", "01/01/10", "00:00", {{10, 0}, {11, 0}}},
        RegisterCase{"LateEvening", "01/01/10", "23:59", {{10, 1}, {11, 9}, {8, 9}, {9, 5}}}),
    [](const auto& tc) { return std::string(tc.param.name); });

class FamilyATest : public DeviceTest {
protected:
    LinkRig rig;
    void SetUp() override
    {
        DeviceTest::SetUp();
        gv.DeviceFamily = 1;
        gv.CommMode = ReadSettingsMode;
    }
    void Start(const std::vector<QString>& faults = {})
    {
        rig.Load("family_a.json");
        for (const QString& f : faults) {
            devsim::Fault fault;
            ASSERT_TRUE(devsim::ParseFault(f, fault));
            rig.device.AddFault(fault);
        }
        ASSERT_TRUE(rig.Open());
    }
    void SetImage(int page, int k, quint8 value) { rig.comm.Link.RxBuffer[size_t(page * PageSlotSize + k)] = value; }
};

TEST_F(FamilyATest, DecodingReadsTheBcdSerialAndThePointers)
{
    SetImage(0, 10, 0x12);
    SetImage(0, 11, 0x34);
    SetImage(0, 12, 0x56);
    SetImage(4, 4, 0x38);   // page 0x23, offset 8
    SetImage(4, 5, 0x02);
    SetImage(4, 6, 0x40);   // page 0x24, offset 0
    SetImage(4, 7, 0x02);
    rig.comm.Decoding();
    EXPECT_EQ(rig.members.UnitSerialNo, 123456);
    EXPECT_EQ(rig.members.FirstIndexPage, 0x23);
    EXPECT_EQ(rig.members.FirstEntryOffset, 8);
    EXPECT_EQ(rig.members.EndIndexPage, 0x24);
    EXPECT_EQ(rig.members.EndEntryOffset, 0);
    EXPECT_FALSE(rig.comm.IsNewPDC());
    SetImage(4, 5, 0x04);   // first page 67
    SetImage(4, 4, 0x30);
    EXPECT_FALSE(rig.comm.IsNewPDC());
    SetImage(4, 7, 0x04);   // end page 67 too
    SetImage(4, 6, 0x30);
    EXPECT_TRUE(rig.comm.IsNewPDC());
}

struct EntryCase {
    const char* name;
    std::array<quint8, 8> bytes;
    quint8 unitDate;
    quint8 unitTime;
    const char* line;        // "" for none
    int diveNo;
    const char* diveTime;
};

class FamilyAEntryTable : public ::testing::TestWithParam<EntryCase> {};

TEST_P(FamilyAEntryTable, EntryGivesTheListLine)
{
    const EntryCase& c = GetParam();
    Image image(100, 0);
    std::copy(c.bytes.begin(), c.bytes.end(), image.begin() + 20);
    device::DiveListRecord record;
    EXPECT_EQ(FamilyAListEntry(image, 20, c.unitDate, c.unitTime, record), QString::fromLatin1(c.line));
    EXPECT_EQ(record.DiveNo, c.diveNo);
    if (*c.line) {
        EXPECT_EQ(record.DiveTime, QString::fromLatin1(c.diveTime));
    }
}

// 15:30 on 4 July 2009, SA 300, EA 320: 30, PM|03, no., 0x04, 0x79, 0x2C, 0x01|0<<4, 0x14.
INSTANTIATE_TEST_SUITE_P(
    Entries, FamilyAEntryTable,
    ::testing::Values(
        EntryCase{"PmOn12HourClock", {0x30, 0x83, 0x02, 0x04, 0x79, 0x2C, 0x01, 0x14}, 1, 1,
                  "Dive Date: 07/04/09, Dive Time: 03:30 PM, Dive No.: 02", 2, "15:30"},
        EntryCase{"PmOn24HourClock", {0x30, 0x83, 0x02, 0x04, 0x79, 0x2C, 0x01, 0x14}, 0, 0,
                  "Dive Date: 04/07/09, Dive Time: 15:30, Dive No.: 02", 2, "15:30"},
        EntryCase{"AmMorning", {0x05, 0x09, 0x12, 0x15, 0x19, 0x2C, 0x01, 0x14}, 0, 1,
                  "Dive Date: 15/01/09, Dive Time: 09:05 AM, Dive No.: 12", 12, "09:05"},
        EntryCase{"Number31ReadsAsOne", {0x30, 0x83, 0x31, 0x04, 0x79, 0x2C, 0x01, 0x14}, 0, 0,
                  "Dive Date: 04/07/09, Dive Time: 15:30, Dive No.: 01", 1, "15:30"},
        EntryCase{"Number25ReadsAsOne", {0x30, 0x83, 0x25, 0x04, 0x79, 0x2C, 0x01, 0x14}, 0, 0,
                  "Dive Date: 04/07/09, Dive Time: 15:30, Dive No.: 01", 1, "15:30"},
        EntryCase{"NoStartPage", {0x30, 0x83, 0x07, 0x04, 0x79, 0x00, 0x00, 0x14}, 0, 0, "", 7, ""},
        EntryCase{"NoEndPage", {0x30, 0x83, 0x07, 0x04, 0x79, 0x2C, 0x01, 0x00}, 0, 0, "", 7, ""}),
    [](const auto& tc) { return std::string(tc.param.name); });

struct ChunkCase {
    const char* name;
    int command;
    int expected;            // RxExpected
    std::vector<QByteArray> chunks;
    bool done;               // ReplyDone
    bool ack;                // AckReceived
    int rxCount;
    QByteArray reply;        // the reply buffer's first bytes
};

class ShowDataTable : public FamilyATest, public ::testing::WithParamInterface<ChunkCase> {};

TEST_P(ShowDataTable, ChunksLeaveTheState)
{
    const ChunkCase& c = GetParam();
    auto& l = rig.comm.Link;
    l.CurrentCommand = c.command;
    l.RxExpected = c.expected;
    l.ExpectZ = true;
    l.ReplyPending = true;
    for (const QByteArray& chunk : c.chunks)
        rig.comm.MSComm1_DataReceived(chunk);
    EXPECT_EQ(l.ReplyDone, c.done);
    EXPECT_EQ(l.AckReceived, c.ack);
    EXPECT_EQ(l.RxCount, c.rxCount);
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(l.ReplyBuffer.data()), c.reply.size()), c.reply);
    EXPECT_TRUE(std::all_of(l.RxBuffer.begin(), l.RxBuffer.end(), [](quint8 b) { return b == 0; }))
        << "replies never reach the memory image";
}

INSTANTIATE_TEST_SUITE_P(
    Commands, ShowDataTable,
    ::testing::Values(
        ChunkCase{"QueryAcknowledged", CmdAQuery, 0, {"Z\x01"}, true, true, 1, "Z\x01"},
        ChunkCase{"QuerySplit", CmdAQuery, 0, {"Z", "\x01"}, true, true, 1, "Z\x01"},
        ChunkCase{"QueryNotAcknowledged", CmdAQuery, 0, {"Q\x01"}, true, false, 1, "Q\x01"},
        ChunkCase{"CalibrateHalf", CmdACalibrate, 0, {"\x18"}, false, false, 1, "\x18"},
        ChunkCase{"CalibrateDone", CmdACalibrate, 0, {"\x18", "\x01"}, true, false, 2, "\x18\x01"},
        ChunkCase{"Register", CmdARegister, 0, {"Z"}, true, true, 1, "Z"},
        ChunkCase{"CountOnly", CmdACount, 4, {"abc", "de"}, false, false, 3, ""},
        ChunkCase{"MarkedDone", CmdAMarked1, 3, {"\xA5\x01", "\x02"}, true, true, 3, "\xA5\x01\x02"},
        ChunkCase{"MarkedShort", CmdAMarked2, 3, {"\xA5"}, false, false, 1, "\xA5"},
        ChunkCase{"BlockDone", CmdABlock1, 2, {"\x01\x02\x03"}, true, false, 3, "\x01\x02\x03"},
        ChunkCase{"BlockShort", CmdABlock2, 4, {"\x01"}, false, false, 1, "\x01"},
        ChunkCase{"BelowTheTable", 0x07, 0, {"Z\x01"}, false, false, 0, QByteArray(2, '\0')},
        ChunkCase{"NotListed", 0x40, 0, {"Z\x01"}, false, false, 0, QByteArray(2, '\0')},
        ChunkCase{"Idle", CmdIdle, 0, {"Z\x01"}, false, false, 0, QByteArray(2, '\0')}),
    [](const auto& tc) { return std::string(tc.param.name); });

TEST_F(FamilyATest, TestReplyAndPageReplyAreCollected)
{
    auto& l = rig.comm.Link;
    l.CurrentCommand = CmdTestFamilyA;
    rig.comm.ShowData("DEVSIM");
    EXPECT_FALSE(l.ReplyDone);
    rig.comm.ShowData(" READY");
    EXPECT_TRUE(l.ReplyDone);
    EXPECT_EQ(rig.members.TestReplyText, "DEVSIM READY");

    l = LinkState{};
    l.CurrentCommand = CmdAReadPage;
    l.ExpectZ = true;
    rig.comm.ShowData(QByteArray("\x33", 1));   // no 'Z': dropped
    EXPECT_EQ(l.PackageCount, 0);
    rig.comm.ShowData(QByteArray("Z") + QByteArray(10, 1));
    rig.comm.ShowData(QByteArray(6, 1) + QByteArray(1, 16) + QByteArray(5, 9));
    EXPECT_TRUE(l.ReplyDone);
    EXPECT_EQ(l.PackageCount, PageReplySize);
    EXPECT_EQ(l.CurrentCommand, CmdIdle);
}

TEST_F(FamilyATest, RandomChunksStayInsideTheBuffers)
{
    std::mt19937 random(20090704);
    auto& l = rig.comm.Link;
    const std::array<int, 13> commands = {CmdAQuery, CmdACalibrate, CmdATest,   CmdTestFamilyA, CmdAReadPage,
                                          CmdACount, CmdARegister,  CmdAMarked1, CmdAMarked2,   CmdABlock1,
                                          CmdABlock2, CmdIdle,      0x55};
    for (int round = 0; round < 2000; ++round) {
        l.CurrentCommand = commands[random() % commands.size()];
        l.RxExpected = int(random() % 200);
        if (random() % 4 == 0) {
            l.RxCount = int(random() % 100);
            l.PackageCount = int(random() % 19);
            l.ExpectZ = random() % 2;
        }
        QByteArray chunk(int(random() % 80), '\0');
        for (char& c : chunk)
            c = char(random() % 256);
        rig.comm.ShowData(chunk);
        ASSERT_LE(l.PackageCount, PageReplySize);
        ASSERT_EQ(l.RxBuffer.size(), size_t(RxBufferSize));
    }
}

TEST_F(FamilyATest, FamilyBNeverReachesShowData)
{
    gv.DeviceFamily = 2;
    rig.Load("three_dives.json");
    ASSERT_TRUE(rig.Open());
    rig.comm.Link.CurrentCommand = CmdARegister;   // ShowData would take this one
    rig.comm.MSComm1_DataReceived("Z");
    EXPECT_FALSE(rig.comm.Link.AckReceived);
    gv.CommMode = DownloadMode;
    ASSERT_TRUE(rig.comm.Qor_WakeUpRead());
    rig.comm.Qor_ReadLog();
    EXPECT_EQ(rig.comm.Link.ReplyBuffer[0], 0x90) << "the wake reply went through ShowQorData";
}

TEST_F(FamilyATest, RUThereWithoutAnswerSendsFourTimes)
{
    Start({"noreply:command=0x6A"});
    EXPECT_FALSE(rig.comm.RUThere());
    EXPECT_EQ(rig.Count(CmdARegister), 4);
    EXPECT_FALSE(rig.members.Busy);
}

TEST_F(FamilyATest, RUThereWithAnswer)
{
    Start();
    EXPECT_TRUE(rig.comm.RUThere());
    EXPECT_EQ(rig.Count(CmdARegister), 1);
}

TEST_F(FamilyATest, ReadLogAndIndexFillTheImage)
{
    Start();
    rig.comm.ReadLog();
    EXPECT_EQ(rig.surface.message, "Retrieving DC Settings...COMPLETED.");
    rig.comm.Decoding();
    EXPECT_EQ(rig.members.UnitSerialNo, 123456);
    EXPECT_EQ(rig.members.FirstIndexPage, 36);
    EXPECT_EQ(rig.members.EndIndexPage, 37);
    EXPECT_EQ(rig.members.EndEntryOffset, 0);
    rig.comm.ReadDivesIndex();
    EXPECT_EQ(rig.surface.message, "Downloading Dives Index...Completed.");
    EXPECT_EQ(rig.Count(CmdAReadPage), 7 + 32);
    device::DiveListRecord record;
    EXPECT_EQ(FamilyAListEntry(rig.comm.Link.RxBuffer, 36 * PageSlotSize + 8, 1, 0, record),
              "Dive Date: 07/05/09, Dive Time: 09:05, Dive No.: 03");
    EXPECT_EQ(record.SA, 321);
    EXPECT_EQ(record.EA, 340);
}

struct PageFaultCase {
    const char* name;
    const char* fault;
    bool log;
    const char* status;
    int page;
    bool stored;
};

class FamilyAPageFaults : public FamilyATest, public ::testing::WithParamInterface<PageFaultCase> {};

TEST_P(FamilyAPageFaults, FaultyPageIsSkippedOrFails)
{
    const PageFaultCase& c = GetParam();
    Start({QString::fromLatin1(c.fault)});
    if (c.log)
        rig.comm.ReadLog();
    else
        rig.comm.ReadDivesIndex();
    EXPECT_EQ(rig.surface.message, QString::fromLatin1(c.status));
    EXPECT_EQ(rig.SlotMatches(c.page), c.stored);
}

INSTANTIATE_TEST_SUITE_P(
    Pages, FamilyAPageFaults,
    ::testing::Values(
        PageFaultCase{"LogChecksum", "badsum:command=0x34,page=0,count=1", true,
                      "Retrieving DC Settings...COMPLETED.", 0, false},
        PageFaultCase{"IndexChecksum", "badsum:command=0x34,page=36,count=1", false,
                      "Downloading Dives Index...Completed.", 36, false},
        PageFaultCase{"LogSilent", "noreply:command=0x34,page=4", true, "Retrieving DC Settings...FAILED.", 4, false},
        PageFaultCase{"IndexSilent", "noreply:command=0x34,page=40", false, "Downloading Dives Index...FAILED.", 40,
                      true}),
    [](const auto& tc) { return std::string(tc.param.name); });

TEST_F(FamilyATest, SetDateTimeSetsTheSimulatorClock)
{
    Start();
    gv.DCDateText = "07/04/09";
    gv.DCTimeText = "15:30";
    rig.comm.SetDateTime();
    EXPECT_EQ(rig.surface.message, "Set Date, Time...Completed!");
    const std::array<quint8, 16> expected = {9, 0, 4, 0, 7, 0, 0, 0, 0, 3, 3, 8, 0, 0, 0, 0};
    EXPECT_EQ(rig.device.clock, expected);
    const auto frames = rig.device.FramesOf(CmdARegister);
    ASSERT_EQ(frames.size(), 17u);
    EXPECT_EQ(frames.back().bytes.toHex(), "6a0d00");
}

TEST_F(FamilyATest, SetDateTimeEndsOnClose)
{
    Start({"noreply:command=0x6A"});
    gv.DCDateText = "07/04/09";
    gv.DCTimeText = "15:30";
    QTimer::singleShot(0, [this] { rig.comm.RequestClose(); });
    rig.comm.SetDateTime();
    EXPECT_TRUE(rig.members.CloseRequested);
    EXPECT_EQ(rig.device.clock, (std::array<quint8, 16>{}));
    EXPECT_NE(rig.surface.message, "Set Date, Time...Completed!");
}

} // namespace
} // namespace kvl::test

namespace kvl::test {
namespace {

TEST_F(FamilyATest, KeepAwakeSendsTheFamilysQuery)
{
    ASSERT_TRUE(rig.Open());
    for (const auto& [family, frame, command] :
         {std::tuple{1, "6a080000", int(CmdAQuery)}, std::tuple{2, "91000000", int(CmdKeepAwake)}}) {
        gv.DeviceFamily = quint8(family);
        rig.comm.Link.AckReceived = true;
        rig.comm.SendKeepAwake();
        EXPECT_EQ(rig.port.Writes().back().toHex(), frame);
        EXPECT_EQ(rig.comm.Link.CurrentCommand, command);
        EXPECT_FALSE(rig.comm.Link.AckReceived);
    }
}

} // namespace
} // namespace kvl::test
