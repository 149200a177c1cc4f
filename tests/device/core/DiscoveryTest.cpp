// Finding and testing the interface, and the rules every waiting routine keeps.
#include "tests/device/core/DeviceTestBase.h"
#include "tests/device/core/LinkRig.h"

#include <QTemporaryFile>
#include <QTimer>

namespace kvl::test {
namespace {

class DiscoveryTest : public DeviceTest {
protected:
    LinkRig rig;
    QTemporaryFile portFile;
    std::unique_ptr<ScopedEnv> portEnv;

    void SetUp() override
    {
        DeviceTest::SetUp();
        rig.Load("three_dives.json");
        ASSERT_TRUE(portFile.open());
        portEnv = std::make_unique<ScopedEnv>("KVL_PORT", portFile.fileName().toLocal8Bit());
    }
};

TEST_F(DiscoveryTest, TestVavedaverOpensThePortPulsesTheLineAndSendsTheTestByte)
{
    for (const auto& [family, testByte] : {std::pair{2, 0x55}, std::pair{1, 0xAA}}) {
        gv.DeviceFamily = quint8(family);
        rig.clock.Delays();
        const size_t delaysBefore = rig.clock.Delays().size();
        const size_t writesBefore = rig.port.Writes().size();
        rig.comm.TestVavedaver();
        EXPECT_TRUE(rig.members.VavedaverFound);
        EXPECT_EQ(rig.members.ComPortNumber, portFile.fileName());
        EXPECT_EQ(rig.port.PortName(), portFile.fileName());
        EXPECT_TRUE(rig.comm.Link.PortIsOpen);
        EXPECT_EQ(rig.surface.message, "USB Vavedaver FOUND.");
        EXPECT_EQ(rig.surface.messageColor, MessageBlack);
        EXPECT_EQ(std::vector<double>(rig.clock.Delays().begin() + long(delaysBefore), rig.clock.Delays().end()),
                  std::vector<double>(4, 0.2));
        ASSERT_EQ(rig.port.Writes().size(), writesBefore + 1);
        EXPECT_EQ(rig.port.Writes().back(), QByteArray::fromHex(QByteArray::number(testByte, 16) + "00"));
    }
    EXPECT_EQ(rig.port.LineStates(), (std::vector<bool>{true, false, true, true, false, true}));
}

TEST_F(DiscoveryTest, ASecondTestClosesThePortFirstAndTheReplyIsCollected)
{
    rig.comm.TestVavedaver();
    rig.clock.Wait(0.1);
    EXPECT_EQ(rig.members.TestReplyText, "DEVSIM READY");
    int closed = 0;
    QObject::connect(&rig.port, &SerialPort::PortClosed, [&] { ++closed; });
    rig.comm.TestVavedaver();
    EXPECT_EQ(closed, 1);
    EXPECT_TRUE(rig.port.IsOpen());
}

TEST_F(DiscoveryTest, NoPortOrAPortThatWillNotOpenIsNotFound)
{
    ASSERT_TRUE(rig.port.Open("held elsewhere"));  // the in-process port refuses a second open
    rig.comm.Link.PortIsOpen = false;
    rig.comm.TestVavedaver();
    EXPECT_FALSE(rig.members.VavedaverFound);
    EXPECT_EQ(rig.surface.message, "USB Vavedaver NOT FOUND.");
    EXPECT_EQ(rig.surface.messageColor, MessageRed);

    ScopedEnv none("KVL_PORT", "/dev/kvl-none");
    rig.comm.TestVavedaver();
    EXPECT_FALSE(rig.members.VavedaverFound);
    EXPECT_EQ(rig.members.ComPortNumber, "");
}

TEST_F(DiscoveryTest, CloseDuringTheHandshakeEndsItQuietly)
{
    devsim::Fault silent;
    devsim::ParseFault("noreply:command=0x90", silent);
    rig.device.AddFault(silent);
    ASSERT_TRUE(rig.Open());
    QTimer::singleShot(0, [&] { rig.comm.RequestClose(); });
    EXPECT_FALSE(rig.comm.Qor_WakeUpRead());
    EXPECT_EQ(rig.Count(0x90), 1);
    EXPECT_EQ(rig.surface.message, "Starting Handshake...");
    EXPECT_TRUE(dialogs.Prompts().empty());
}

TEST_F(DiscoveryTest, ARoutineCalledWhileAnotherWaitsReturnsAtOnce)
{
    ASSERT_TRUE(rig.Open());
    bool nestedResult = true;
    QObject::connect(&rig.port, &SerialPort::DataReceived, [&] {
        if (rig.comm.IsWaiting() && nestedResult) {
            rig.comm.Qor_ReadDivesIndex();
            nestedResult = rig.comm.Qor_WakeUpRead();
        }
    });
    EXPECT_TRUE(rig.comm.Qor_WakeUpRead());
    EXPECT_FALSE(nestedResult);
    EXPECT_EQ(rig.Count(0x20), 0);
    EXPECT_EQ(rig.Count(0x90), 1);
    EXPECT_FALSE(rig.members.Busy);
}

} // namespace
} // namespace kvl::test
