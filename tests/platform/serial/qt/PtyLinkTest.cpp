// The link end to end: devsim on a pseudo-terminal, opened through QSerialPort.
#include "device/core/CommLink.h"
#include "platform/serial/qt/QtSerialPort.h"
#include "tests/device/core/DeviceTestBase.h"
#include "tests/device/core/RecordingSurface.h"
#include "tests/platform/serial/qt/DevsimProcess.h"

#include <QFile>
#include <QTemporaryDir>

namespace kvl::test {
namespace {

class PtyLinkTest : public DeviceTest {
protected:
    // Windows and pauses run at a tenth of their length: the pseudo-terminal is unpaced.
    SteadyClock clock{0.1};
    QtSerialPort port;
    CommMembers members;
    RecordingSurface surface{members};
    CommLink comm{members, surface, clock};
    std::unique_ptr<DevsimProcess> sim;
    std::unique_ptr<ScopedEnv> portEnv;

    void SetUp() override
    {
        DeviceTest::SetUp();
        comm.SetPort(&port);
    }
    void Start(const QString& fixture, const QStringList& options = {})
    {
        sim = std::make_unique<DevsimProcess>(fixture, options);
        ASSERT_FALSE(sim->PtyPath().isEmpty());
        portEnv = std::make_unique<ScopedEnv>("KVL_PORT", sim->PtyPath().toLocal8Bit());
    }
    // What the window does on opening: test the interface, send the device to
    // sleep, and let the event loop run until the user presses Start.
    void OpenAsTheWindowDoes()
    {
        comm.TestVavedaver();
        ASSERT_EQ(surface.message, "USB Vavedaver FOUND.");
        ASSERT_TRUE(members.VavedaverFound);
        EXPECT_EQ(surface.messageColor, MessageBlack);
        comm.Qor_Sleep();
        clock.Wait(0.5);
    }
};

TEST_F(PtyLinkTest, ReadsTheLogTheIndexAndAWrappedDiveAsTheDeviceHoldsThem)
{
    QTemporaryDir dir;
    const QString dump = dir.filePath("memory.bin");
    Start("wrapped.json", {"--dump", dump});
    OpenAsTheWindowDoes();
    EXPECT_EQ(members.ComPortNumber, sim->PtyPath());

    ASSERT_TRUE(comm.Qor_WakeUpRead());
    EXPECT_EQ(gv.DCVersion, "2B");
    comm.Qor_ReadLog();
    ASSERT_TRUE(members.ReadOK);
    comm.Qor_Decoding();
    EXPECT_EQ(members.UnitSerialNo, 150307);
    comm.Qor_ReadDivesIndex();
    ASSERT_TRUE(members.ReadOK);
    const DiveIndexEntry first = IndexEntryAt(comm.Link.RxBuffer, members.FirstIndexPage * 17 + members.FirstEntryOffset);
    ASSERT_GT(first.SA, first.EA);  // the first dive wraps
    members.CurStatusKey = 1001;
    comm.Qor_ReadProfile(first.SA, first.EA);
    ASSERT_TRUE(members.ReadOK);
    comm.Qor_Sleep();
    port.Close();
    ASSERT_TRUE(sim->Stop());

    QFile file(dump);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray memory = file.readAll();
    ASSERT_EQ(memory.size(), 4096 * 16);
    std::vector<int> pages = {0, 1, 2, 3, 4, 5};
    for (int p = 48; p <= 113; ++p)
        pages.push_back(p);
    for (int p = first.SA; p != first.EA; p = NextRingPage(p))
        pages.push_back(p);
    pages.push_back(first.EA);
    for (int p : pages) {
        const auto slot = PageData(comm.Link.RxBuffer, p);
        EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(slot.data()), 16), memory.mid(p * 16, 16)) << "page " << p;
    }
}

TEST_F(PtyLinkTest, TheDumpOfAFixtureKeepsItsLegAlarms)
{
    QTemporaryDir dir;
    const QString dump = dir.filePath("memory.bin");
    Start("three_dives.json", {"--dump", dump});
    ASSERT_TRUE(sim->Stop());
    QFile file(dump);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray legPage = file.readAll().mid(48 * 16, 16);
    ASSERT_EQ(legPage.size(), 16);
    // Byte 1 of each leg: audible 0x04, light 0x08 (the first leg's 0x21 is its hours and heading).
    const int alarms[] = {0x00, 0x04, 0x08, 0x0C};
    for (int leg = 0; leg < 4; ++leg)
        EXPECT_EQ(quint8(legPage[leg * 4 + 1]) & 0x0C, alarms[leg]) << "leg " << leg + 1;
}

TEST_F(PtyLinkTest, AnInterfaceThatIsNotThereIsNotFound)
{
    ScopedEnv noPort("KVL_PORT", "/dev/kvl-no-such-port");
    comm.TestVavedaver();
    EXPECT_FALSE(members.VavedaverFound);
    EXPECT_EQ(surface.message, "USB Vavedaver NOT FOUND.");
    EXPECT_EQ(surface.messageColor, MessageRed);
}

TEST_F(PtyLinkTest, ASilentDeviceTimesOutTheWake)
{
    Start("three_dives.json", {"--fault", "noreply:command=0x90"});
    OpenAsTheWindowDoes();
    EXPECT_FALSE(comm.Qor_WakeUpRead());
    EXPECT_EQ(surface.message, "Time Out.");
}

TEST_F(PtyLinkTest, ChecksumErrorsAndSplitRepliesAreRecovered)
{
    Start("three_dives.json", {"--fault", "badsum:page=70,count=3", "--fault", "split:page=2,chunks=5/5/8", "--fault",
                               "garbage:page=66,count=1"});
    OpenAsTheWindowDoes();
    ASSERT_TRUE(comm.Qor_WakeUpRead());
    comm.Qor_ReadLog();
    EXPECT_TRUE(members.ReadOK);
    comm.Qor_ReadDivesIndex();
    EXPECT_TRUE(members.ReadOK);
    EXPECT_EQ(surface.message, "Retrieving Dives Index...Completed.");
}

TEST_F(PtyLinkTest, APulledCableEndsTheReadAsATimeOutAndClosesThePort)
{
    Start("three_dives.json", {"--fault", "unplug:page=3"});
    OpenAsTheWindowDoes();
    ASSERT_TRUE(comm.Qor_WakeUpRead());
    dialogs.ExpectMsg("Communication time out.");
    comm.Qor_ReadLog();
    EXPECT_FALSE(members.ReadOK);
    EXPECT_FALSE(members.Busy);
    EXPECT_EQ(surface.message, "Retrieving Dives Index Table...FAILED.");
    EXPECT_FALSE(comm.Link.PortIsOpen);
    EXPECT_FALSE(port.IsOpen());
}

} // namespace
} // namespace kvl::test
