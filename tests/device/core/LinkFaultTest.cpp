// The link against the simulated device, in-process, with injected faults.
#include "device/core/TransferMode.h"
#include "tests/device/core/DeviceTestBase.h"
#include "tests/device/core/LinkRig.h"

#include <random>

namespace kvl::test {
namespace {

class LinkFaultTest : public DeviceTest {
protected:
    LinkRig rig;
    void SetUp() override
    {
        DeviceTest::SetUp();
        rig.Load("three_dives.json");
    }
    void AddFault(const char* text)
    {
        devsim::Fault f;
        QString error;
        ASSERT_TRUE(devsim::ParseFault(text, f, &error)) << qPrintable(error);
        rig.device.AddFault(f);
    }
    bool IndexMatches() const
    {
        for (int p = 64; p <= 113; ++p)
            if (!rig.SlotMatches(p))
                return false;
        return true;
    }
};

struct RecoveryCase {
    const char* name;
    const char* fault;   // hits index page 70
    int requests;        // read frames for page 70
};

class RecoveredIndexRead : public LinkFaultTest, public ::testing::WithParamInterface<RecoveryCase> {};

TEST_P(RecoveredIndexRead, CompletesWithTheDevicesPages)
{
    AddFault(GetParam().fault);
    rig.Wake();
    rig.comm.Qor_ReadDivesIndex();
    EXPECT_TRUE(rig.members.ReadOK);
    EXPECT_FALSE(rig.members.Busy);
    EXPECT_EQ(rig.surface.message, "Retrieving Dives Index...Completed.");
    EXPECT_EQ(rig.Count(0x20, 70), GetParam().requests);
    EXPECT_TRUE(IndexMatches());
    EXPECT_TRUE(dialogs.Prompts().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Faults, RecoveredIndexRead,
    ::testing::Values(RecoveryCase{"None", "noreply:page=9999", 1},
                      RecoveryCase{"BadChecksumThreeTimes", "badsum:page=70,count=3", 4},
                      RecoveryCase{"ShortReplyOnce", "short:page=70,bytes=11,count=1", 2},
                      RecoveryCase{"GarbageBeforeTheLead", "garbage:page=70,count=1", 2},
                      RecoveryCase{"NoReplyTwice", "noreply:page=70,count=2", 3},
                      RecoveryCase{"SplitOneSeventeen", "split:page=70,chunks=1/17", 1},
                      RecoveryCase{"SplitFiveFiveEight", "split:page=70,chunks=5/5/8", 1},
                      RecoveryCase{"GluedToSevenBytes", "glue:page=70", 1},
                      RecoveryCase{"GluedInLaterChunk", "split:page=70,chunks=18/7", 1}),
    [](const auto& row) { return std::string(row.param.name); });

TEST_F(LinkFaultTest, FourthBadChecksumOnAnIndexPageAbortsAndSendsTheDeviceToSleep)
{
    AddFault("badsum:page=70,count=4");
    rig.Wake();
    dialogs.ExpectMsg("Error Retrieving Dive Index.");
    rig.comm.Qor_ReadDivesIndex();
    EXPECT_EQ(rig.Count(0x20, 70), 4);
    EXPECT_EQ(rig.Count(0x20, 71), 0);
    EXPECT_EQ(rig.Count(0x98), 2);
    EXPECT_TRUE(rig.members.AbortSession);
    EXPECT_FALSE(rig.members.ReadOK);
    EXPECT_FALSE(rig.members.Busy);
    EXPECT_EQ(rig.surface.hidden.count(BarKey::Progress), 0u);  // progress stays shown
    EXPECT_EQ(dialogs.Messages().at(0).title, "Error");
}

TEST_F(LinkFaultTest, SilentDeviceGetsFiveWakesAndTimesOutWithoutASleep)
{
    AddFault("noreply:command=0x90");
    ASSERT_TRUE(rig.Open());
    EXPECT_FALSE(rig.comm.Qor_WakeUpRead());
    EXPECT_EQ(rig.Count(0x90), 5);
    EXPECT_EQ(rig.Count(0x98), 0);
    EXPECT_EQ(rig.surface.message, "Time Out.");
    // The wakes go out one second apart.
    const auto wakes = rig.device.FramesOf(0x90);
    for (size_t i = 1; i < wakes.size(); ++i)
        EXPECT_NEAR(wakes[i].time - wakes[i - 1].time, 1.0, 1e-3);
}

TEST_F(LinkFaultTest, WriteModeWakesWith0x95)
{
    gv.CommMode = WriteSettingsMode;
    rig.Wake();
    EXPECT_EQ(rig.Count(0x95), 1);
    EXPECT_EQ(rig.device.WokenBy(), 0x95);
}

TEST_F(LinkFaultTest, ATenByteReplyToARepeatedWakeIsEnough)
{
    AddFault("noreply:command=0x90,count=1");
    AddFault("shortwake");
    rig.Wake();
    EXPECT_EQ(rig.Count(0x90), 2);
    EXPECT_EQ(gv.DCVersion, "1A");  // the version falls in the bytes a short reply lacks
    EXPECT_EQ(rig.members.DeviceIDText, QString("TARQX07 V") + QString(7, QChar(0)));
}

TEST_F(LinkFaultTest, NoReplyToALogPageEndsTheSettingsReadAfterFourResends)
{
    gv.CommMode = ReadSettingsMode;
    AddFault("noreply:page=2");
    rig.Wake();
    dialogs.ExpectMsg("Communication time out.");
    rig.comm.Qor_ReadLog();
    EXPECT_EQ(rig.Count(0x20, 2), 5);
    EXPECT_EQ(rig.Count(0x20, 3), 0);
    EXPECT_EQ(rig.surface.message, "Retrieving DC Settings...FAILED.");
    EXPECT_FALSE(rig.members.ReadOK);
    EXPECT_FALSE(rig.members.Busy);
    const auto sends = rig.device.FramesOf(0x20, 2);
    for (size_t i = 1; i < sends.size(); ++i)
        EXPECT_NEAR(sends[i].time - sends[i - 1].time, 2.0, 1e-3);
}

TEST_F(LinkFaultTest, ACablePulledUnderAReadEndsItAsATimeOut)
{
    AddFault("unplug:page=3");
    rig.Wake();
    dialogs.ExpectMsg("Communication time out.");
    rig.comm.Qor_ReadLog();
    EXPECT_FALSE(rig.port.IsOpen());
    EXPECT_FALSE(rig.comm.Link.PortIsOpen);
    EXPECT_EQ(rig.surface.message, "Retrieving Dives Index Table...FAILED.");
    EXPECT_TRUE(rig.SlotMatches(3));
    EXPECT_EQ(rig.Count(0x20, 4), 0);
}

TEST_F(LinkFaultTest, LogReadCoversItsPagesInOrderAndReportsCompletion)
{
    rig.Wake();
    rig.comm.Qor_ReadLog();
    const std::vector<int> expected = {0, 1, 2, 3, 4, 5, 48, 49, 50, 51, 52, 53, 54, 55, 56, 57, 58, 59, 60};
    EXPECT_EQ(rig.PagesRead(), expected);
    EXPECT_TRUE(rig.members.ReadOK);
    EXPECT_FALSE(rig.members.AbortSession);
    EXPECT_EQ(rig.surface.message, "Retrieving Dive Index Table...COMPLETED.");
    EXPECT_EQ(rig.surface.hidden.count(BarKey::Progress), 1u);
    for (int p : expected)
        EXPECT_TRUE(rig.SlotMatches(p)) << p;
    rig.comm.Qor_Decoding();
    EXPECT_EQ(rig.members.UnitSerialNo, 10203);
    EXPECT_EQ(rig.members.FirstIndexPage, 64);
    EXPECT_EQ(rig.members.EndIndexPage, 65);
    EXPECT_EQ(rig.members.EndEntryOffset, 8);
}

TEST_F(LinkFaultTest, AnEmptyDeviceEndsTheDownloadAfterItsPointerPage)
{
    devsim::Device empty;
    LinkRig fresh;
    fresh.Load("empty.json");
    fresh.Wake();
    dialogs.ExpectMsg("No dive profile found.");
    fresh.comm.Qor_ReadLog();
    EXPECT_EQ(fresh.PagesRead(), (std::vector<int>{0, 1, 2, 3, 4}));
    EXPECT_TRUE(fresh.members.AbortSession);
    EXPECT_FALSE(fresh.members.ReadOK);
    EXPECT_FALSE(fresh.members.Busy);
    EXPECT_TRUE(fresh.members.CloseRequested);
    EXPECT_EQ(fresh.surface.closeRequests, 1);
    EXPECT_EQ(dialogs.Messages().at(0).title, "Download from QX07");
    EXPECT_EQ(fresh.surface.hidden.count(BarKey::SaveDives), 1u);
}

TEST_F(LinkFaultTest, IndexPagesArePausedATenthOfASecondEach)
{
    rig.Wake();
    rig.comm.Qor_ReadDivesIndex();
    const auto& delays = rig.clock.Delays();
    EXPECT_EQ(std::count(delays.begin(), delays.end(), 0.1), 50);
    EXPECT_EQ(rig.surface.progressCaption, "Status: 98%");
}

TEST_F(LinkFaultTest, SleepSendsTwoFramesHalfASecondApart)
{
    rig.Wake();
    rig.comm.Qor_Sleep();
    const auto sleeps = rig.device.FramesOf(0x98);
    ASSERT_EQ(sleeps.size(), 2u);
    EXPECT_NEAR(sleeps[1].time - sleeps[0].time, 0.5, 1e-3);
    EXPECT_EQ(rig.clock.Delays(), std::vector<double>{0.5});
    EXPECT_FALSE(rig.device.Awake());
}

TEST_F(LinkFaultTest, ClockFrameReachesTheDevice)
{
    rig.Wake();
    gv.DCDateText = "12/31/09";
    gv.DCTimeText = "23:59";
    rig.comm.Qor_SetDateTime();
    ASSERT_EQ(rig.device.ClockFrames().size(), 1u);
    EXPECT_EQ(rig.device.ClockFrames()[0].bytes, QByteArray::fromHex("940c1f09173b000086"));
}

struct IdentityCase {
    const char* name;
    const char* identity;
    const char* selectedModel;
    bool accepted;
    const char* version;
    const char* message;  // "" for none
};

class Identities : public LinkFaultTest, public ::testing::WithParamInterface<IdentityCase> {};

TEST_P(Identities, AreCheckedAgainstTheProductAndThePreselectedModel)
{
    const auto& c = GetParam();
    rig.device.identity = c.identity;
    gv.SelectedModel = c.selectedModel;
    if (*c.message)
        dialogs.ExpectMsg(c.message);
    ASSERT_TRUE(rig.Open());
    EXPECT_EQ(rig.comm.Qor_WakeUpRead(), c.accepted);
    if (c.accepted) {
        EXPECT_EQ(gv.DCVersion, c.version);
        EXPECT_EQ(rig.surface.message, "Handshake Completed");
        EXPECT_EQ(rig.members.DeviceModelText, "QX07");
        EXPECT_EQ(rig.Count(0x98), 0);
    } else {
        EXPECT_EQ(rig.Count(0x98), 2);
        EXPECT_EQ(rig.surface.message, "");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Wake, Identities,
    ::testing::Values(
        IdentityCase{"Served", "TARQX07 V2B 0001", "QX07", true, "2B", ""},
        IdentityCase{"OtherBrandName", "VIZADOV V1C 0001", "QX07", true, "1C", ""},
        IdentityCase{"SingleToken", "TARQX07", "QX07", true, "1A", ""},
        IdentityCase{"ModelDiffersInCaseOnly", "TARQX07 V2B 0001", "qx07", true, "2B", ""},
        IdentityCase{"UnknownProduct", "ABCDEFG V2B 0001", "QX07", false, "", "Invalid product or handshake failed."},
        IdentityCase{"OtherPreselectedModel", "TARQX07 V2B 0001", "QX09", false, "",
                     "This Radarar Edeze does not match with your pre-selected Radarar Edeze."}),
    [](const auto& row) { return std::string(row.param.name); });

TEST_F(LinkFaultTest, WrappedDiveIsReadAcrossTheEndOfTheRing)
{
    rig.Wake();
    rig.members.CurStatusKey = 1002;
    rig.comm.Qor_ReadProfile(4094, 115);
    EXPECT_EQ(rig.PagesRead(), (std::vector<int>{4094, 4095, 114, 115}));
    EXPECT_TRUE(rig.members.ReadOK);
    EXPECT_FALSE(rig.members.Busy);
    EXPECT_EQ(rig.surface.listTexts[1002], "Status: Download Completed!");
    EXPECT_EQ(rig.surface.listStates[1002], StatusLineCompleted);
    EXPECT_FALSE(rig.surface.listEnabled.at(2));
}

// A read sent ahead is taken by the next read of its page; a read of another page
// first waits its reply out, so that reply never lands in the other page's slot.
TEST_F(LinkFaultTest, APageReadAheadIsTakenOnceAndNeverPassesForAnotherPage)
{
    const auto& first = rig.built.dives.at(0);
    const auto& second = rig.built.dives.at(1);
    rig.Wake();
    rig.comm.ReadPageAhead(second.startPage);
    EXPECT_EQ(rig.comm.ReadPageExchange(second.startPage, LinkTiming::ProfileWindow), PageReadResult::Good);
    EXPECT_EQ(rig.Count(0x20, second.startPage), 1);
    EXPECT_TRUE(rig.SlotMatches(second.startPage));

    rig.comm.ReadPageAhead(first.startPage);
    EXPECT_EQ(rig.comm.ReadPageExchange(first.endPage, LinkTiming::ProfileWindow), PageReadResult::Good);
    EXPECT_TRUE(rig.SlotMatches(first.endPage));
    EXPECT_EQ(rig.Count(0x20, first.endPage), 1);

    // A reply that never comes for the page read ahead costs one window, not the read.
    AddFault(QStringLiteral("noreply:page=%1").arg(first.startPage + 1).toLatin1().constData());
    rig.comm.ReadPageAhead(first.startPage + 1);
    EXPECT_EQ(rig.comm.ReadPageExchange(first.startPage + 2, LinkTiming::ProfileWindow), PageReadResult::Good);
    EXPECT_TRUE(rig.SlotMatches(first.startPage + 2));
}

TEST_F(LinkFaultTest, NoReplyToAProfilePageStopsTheSave)
{
    const auto& dive = rig.built.dives.at(1);
    AddFault(QStringLiteral("noreply:page=%1").arg(dive.startPage + 3).toLatin1().constData());
    rig.Wake();
    dialogs.ExpectMsg("Retrieving data error.");
    rig.members.CurStatusKey = 1002;
    rig.comm.Qor_ReadProfile(dive.startPage, dive.endPage);
    EXPECT_TRUE(rig.members.CloseRequested);
    EXPECT_FALSE(rig.members.ReadOK);
    EXPECT_FALSE(rig.members.Busy);
    EXPECT_EQ(rig.Count(0x20, dive.startPage + 3), 5);
    const int total = dive.endPage - dive.startPage + 1;
    EXPECT_EQ(rig.surface.listTexts[1002], QStringLiteral("Status: Downloading... %1%").arg(3 * 100 / total));
    const auto sends = rig.device.FramesOf(0x20, dive.startPage + 3);
    EXPECT_NEAR(sends[1].time - sends[0].time, 1.0, 1e-3);
}

TEST_F(LinkFaultTest, AProfilePageThatKeepsFailingItsChecksumMarksTheDiveFailed)
{
    const auto& dive = rig.built.dives.at(0);
    AddFault(QStringLiteral("badsum:page=%1").arg(dive.endPage).toLatin1().constData());
    rig.Wake();
    rig.members.CurStatusKey = 1001;
    rig.comm.Qor_ReadProfile(dive.startPage, dive.endPage);
    EXPECT_TRUE(rig.members.ProfileReadFailed);
    EXPECT_TRUE(rig.members.AbortSession);
    EXPECT_FALSE(rig.members.ReadOK);
    EXPECT_EQ(rig.surface.listTexts[1001], "Status: Download Failed!");
    EXPECT_EQ(rig.Count(0x98), 0);
}

TEST_F(LinkFaultTest, ProfilePagesOffTheRingAreNeverAskedFor)
{
    rig.Wake();
    rig.members.CurStatusKey = 1001;
    std::mt19937 random(4095);
    const std::array<int, 8> edges = {0, 5, 60, 113, 114, 4095, 4096, 65535};
    for (int round = 0; round < 40; ++round) {
        const int sa = round < 8 ? edges[size_t(round)] : int(random() % 5000);
        const int ea = round < 8 ? 114 : int(random() % 5000);
        if (RingPageCount(sa, ea) > 60)
            continue;
        rig.comm.Qor_ReadProfile(sa, ea);
        EXPECT_EQ(rig.members.ProfileReadFailed, RingPageCount(sa, ea) == 0) << sa << " " << ea;
        EXPECT_FALSE(rig.members.Busy);
    }
    for (int page : rig.PagesRead())
        ASSERT_TRUE(page >= 114 && page <= 4095) << page;
}

TEST_F(LinkFaultTest, KeepAwakeRepliesLeaveTheImageAlone)
{
    rig.Wake();
    rig.comm.Qor_ReadLog();
    rig.comm.SendKeepAwake();
    rig.clock.Wait(0.1);
    EXPECT_EQ(rig.port.Writes().back(), QByteArray::fromHex("91000000"));
    EXPECT_EQ(rig.Count(0x91), 1);
    EXPECT_TRUE(rig.SlotMatches(0));
}

} // namespace
} // namespace kvl::test
