#include "tests/device/core/DeviceTestBase.h"
#include "tests/device/core/LinkRig.h"

#include <random>

namespace kvl::test {
namespace {

class LinkLayerTest : public DeviceTest {
protected:
    LinkRig rig;
    void SetUp() override
    {
        DeviceTest::SetUp();
        ASSERT_TRUE(rig.Open());
    }
    // Sets the link up for a page read, as the sender does.
    void AwaitPage()
    {
        auto& l = rig.comm.Link;
        l.CurrentCommand = CmdReadPage;
        l.PackageCount = 0;
        l.ExpectZ = true;
        l.ReplyDone = false;
        l.ReplyPending = true;
    }
    static QByteArray PageReplyBytes(quint8 fill)
    {
        QByteArray b(1, 'Z');
        b.append(QByteArray(16, char(fill)));
        b.append(char(quint8(fill * 16)));
        return b;
    }
};

TEST_F(LinkLayerTest, SendBytesWritesTheFrameAndItsZeroOnlyWhenACommandIsSet)
{
    rig.comm.Link.CmdBuffer[0] = CmdSleep;
    rig.comm.Link.CurrentCommand = CmdIdle;
    rig.comm.SendBytes(1);
    EXPECT_TRUE(rig.port.Writes().empty());

    rig.comm.Link.CurrentCommand = CmdSleep;
    rig.comm.Link.MarkerSeen = true;
    rig.comm.SendBytes(1);
    ASSERT_EQ(rig.port.Writes().size(), 1u);
    EXPECT_EQ(rig.port.Writes()[0], QByteArray::fromHex("9800"));
    EXPECT_FALSE(rig.comm.Link.MarkerSeen);
}

TEST_F(LinkLayerTest, SendBytesOnAClosedPortSendsNothing)
{
    rig.port.Close();
    rig.comm.Link.CurrentCommand = CmdSleep;
    rig.comm.Link.CmdBuffer[0] = CmdSleep;
    rig.comm.SendBytes(1);
    EXPECT_TRUE(rig.port.Writes().empty());
}

TEST_F(LinkLayerTest, ChecksumIsTheSumOfTheDataBytesModulo256AndAMismatchPausesOneSecond)
{
    auto& p = rig.comm.Link.Package;
    p.fill(0);
    p[0] = 'Z';
    p[1] = 0xFF;
    p[2] = 0xFF;
    p[3] = 0x01;  // sum 0x1FF
    p[17] = 0xFF;
    EXPECT_FALSE(rig.comm.IsCheckSumError());
    EXPECT_TRUE(rig.clock.Delays().empty());
    p[17] = 0x00;
    EXPECT_TRUE(rig.comm.IsCheckSumError());
    EXPECT_EQ(rig.clock.Delays(), std::vector<double>{1.0});
}

TEST_F(LinkLayerTest, ClearPackageEmptiesTheFirst2048SlotsAndOneByte)
{
    auto& rx = rig.comm.Link.RxBuffer;
    std::fill(rx.begin(), rx.end(), quint8(7));
    rig.comm.ClearPackage();
    EXPECT_EQ(rx[0], 0);
    EXPECT_EQ(rx[34816], 0);
    EXPECT_EQ(rx[34817], 7);
    EXPECT_EQ(rx[70000], 7);
}

struct ChunkCase {
    const char* name;
    std::vector<int> sizes;  // how the 18-byte reply (and what follows) is cut
    int extra;               // bytes glued after the reply
};

class PageReplyChunks : public LinkLayerTest, public ::testing::WithParamInterface<ChunkCase> {};

TEST_P(PageReplyChunks, JoinsChunksIntoOnePackageAndDropsWhatFollows)
{
    AwaitPage();
    QByteArray bytes = PageReplyBytes(3) + QByteArray(GetParam().extra, char(0x77));
    int at = 0;
    for (int size : GetParam().sizes) {
        rig.comm.ShowQorData(bytes.mid(at, size));
        at += size;
    }
    auto& l = rig.comm.Link;
    EXPECT_TRUE(l.ReplyDone);
    EXPECT_FALSE(l.ReplyPending);
    EXPECT_EQ(l.CurrentCommand, CmdIdle);
    EXPECT_EQ(l.PackageCount, 18);
    EXPECT_EQ(l.Package[0], 'Z');
    EXPECT_EQ(l.Package[16], 3);
    EXPECT_EQ(l.Package[17], 48);
    EXPECT_EQ(l.Package[18], 0);  // nothing beyond the package
}

INSTANTIATE_TEST_SUITE_P(Chunks, PageReplyChunks,
                         ::testing::Values(ChunkCase{"Whole", {18}, 0}, ChunkCase{"OneThenSeventeen", {1, 17}, 0},
                                           ChunkCase{"FiveFiveEight", {5, 5, 8}, 0},
                                           ChunkCase{"TwentyFiveInOne", {25}, 7}),
                         [](const auto& row) { return std::string(row.param.name); });

TEST_F(LinkLayerTest, AFirstChunkWithoutTheLeadByteIsDroppedButLaterChunksAreNotTested)
{
    AwaitPage();
    QByteArray reply = PageReplyBytes(1);
    rig.comm.ShowQorData(QByteArray(1, char(0xA5)) + reply);
    EXPECT_EQ(rig.comm.Link.PackageCount, 0);
    EXPECT_FALSE(rig.comm.Link.ReplyDone);

    rig.comm.ShowQorData(reply.left(4));
    rig.comm.ShowQorData(reply.mid(4));  // starts with 0x01, not 'Z'
    EXPECT_TRUE(rig.comm.Link.ReplyDone);
}

TEST_F(LinkLayerTest, WakeAndKeepAwakeRepliesGoToTheReplyBufferNotTheImage)
{
    auto& l = rig.comm.Link;
    std::fill(l.RxBuffer.begin(), l.RxBuffer.begin() + 17, quint8(0x42));
    l.CurrentCommand = CmdWake;
    l.RxExpected = 17;
    l.RxCount = 0;
    rig.comm.ShowQorData(QByteArray("\x90TARQX07 V2B"));
    EXPECT_FALSE(l.ReplyDone);
    rig.comm.ShowQorData(QByteArray(" 0001"));
    EXPECT_TRUE(l.ReplyDone);
    EXPECT_EQ(l.CurrentCommand, CmdIdle);
    EXPECT_EQ(l.ReplyBuffer[1], 'T');

    l.CurrentCommand = CmdKeepAwake;
    l.RxCount = 0;
    l.ReplyDone = false;
    rig.comm.ShowQorData(QByteArray::fromHex("9101"));
    EXPECT_FALSE(l.ReplyDone);  // the first byte of a chunk is not stored
    rig.comm.ShowQorData(QByteArray::fromHex("910203"));
    EXPECT_TRUE(l.ReplyDone);
    EXPECT_EQ(l.RxBuffer[0], 0x42);
    EXPECT_EQ(l.RxBuffer[1], 0x42);
}

TEST_F(LinkLayerTest, TestReplySleepAndWriteAcknowledgement)
{
    auto& l = rig.comm.Link;
    l.CurrentCommand = CmdTest;
    rig.comm.ShowQorData(QByteArray("DEV"));
    EXPECT_EQ(rig.members.TestReplyText, "DEV");
    EXPECT_TRUE(l.ReplyDone);
    EXPECT_EQ(l.CurrentCommand, CmdTest);

    l.CurrentCommand = CmdSleep;
    l.ReplyDone = false;
    rig.comm.ShowQorData(QByteArray("x"));
    EXPECT_TRUE(l.ReplyDone);
    EXPECT_EQ(l.CurrentCommand, CmdSleep);

    l.CurrentCommand = CmdWritePage;
    rig.comm.ShowQorData(QByteArray("q"));
    EXPECT_FALSE(l.AckReceived);
    rig.comm.ShowQorData(QByteArray("Z"));
    EXPECT_TRUE(l.AckReceived);
    EXPECT_EQ(l.CurrentCommand, CmdWritePage);
}

TEST_F(LinkLayerTest, ReceivedDataGoesToTheHandlerOfTheDeviceFamily)
{
    // 0xAA is only the first family's interface test, 0x55 only the second's.
    gv.DeviceFamily = 1;
    rig.comm.Link.CurrentCommand = CmdTestFamilyA;
    rig.comm.MSComm1_DataReceived("ab");
    EXPECT_EQ(rig.members.TestReplyText, "ab");
    rig.comm.Link.CurrentCommand = CmdTest;
    rig.comm.MSComm1_DataReceived("xy");
    EXPECT_EQ(rig.members.TestReplyText, "ab");
    gv.DeviceFamily = 2;
    rig.comm.MSComm1_DataReceived("cd");
    EXPECT_EQ(rig.members.TestReplyText, "abcd");
    rig.comm.Link.CurrentCommand = CmdTestFamilyA;
    rig.comm.MSComm1_DataReceived("zz");
    EXPECT_EQ(rig.members.TestReplyText, "abcd");
}

TEST_F(LinkLayerTest, RandomChunksAndRandomImagesStayInsideTheirBuffers)
{
    std::mt19937 random(20091231);
    auto& l = rig.comm.Link;
    const std::array<int, 9> commands = {CmdReadPage, CmdWritePage, CmdTest, CmdWake,    CmdWakeForWrite,
                                         CmdKeepAwake, CmdSleep,    CmdIdle, CmdSetClock};
    for (int round = 0; round < 2000; ++round) {
        l.CurrentCommand = commands[random() % commands.size()];
        if (random() % 4 == 0) {
            l.RxCount = int(random() % 100);
            l.PackageCount = int(random() % 19);
            l.ExpectZ = random() % 2;
        }
        QByteArray chunk(int(random() % 80), '\0');
        for (char& c : chunk)
            c = char(random() % 256);
        rig.comm.ShowQorData(chunk);
        ASSERT_LE(l.PackageCount, 18);
        ASSERT_EQ(l.RxBuffer.size(), size_t(RxBufferSize));
    }
    // Decoding a random image asks for no page outside the device.
    for (int round = 0; round < 200; ++round) {
        for (auto& b : l.RxBuffer)
            b = quint8(random());
        rig.comm.Qor_Decoding();
        for (int page : {rig.members.FirstIndexPage, rig.members.EndIndexPage})
            ASSERT_TRUE(page >= 0 && page <= 255);
        for (int offset = 0; offset < RxBufferSize; offset += 997) {
            const DiveIndexEntry e = IndexEntryAt(l.RxBuffer, offset);
            ASSERT_TRUE(e.SA >= 0 && e.SA <= 4095 && e.EA >= 0 && e.EA <= 4095);
        }
    }
}

} // namespace
} // namespace kvl::test
