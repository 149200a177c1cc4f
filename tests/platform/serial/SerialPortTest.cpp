#include "platform/serial/InProcessPort.h"
#include "platform/serial/SerialPort.h"
#include "tests/support/KvlTest.h"

#include <QCoreApplication>
#include <QTemporaryFile>

namespace kvl::test {
namespace {

class SerialPortTest : public KvlTest {
protected:
    void TearDown() override
    {
        InstallPortLister({});
        KvlTest::TearDown();
    }
    static SerialPortInfo Port(const char* location, bool ids, quint16 vendor = 0x0403, quint16 product = 0xF460)
    {
        return {QString(location).section('/', -1), location, ids, vendor, product};
    }
};

TEST_F(SerialPortTest, TheInterfaceIsTheFirstListedPortWithItsIdsBySystemLocation)
{
    ScopedEnv noPort("KVL_PORT", QByteArray());
    InstallPortLister([] {
        return std::vector<SerialPortInfo>{Port("/dev/ttyUSB3", true), Port("/dev/ttyS0", false),
                                           Port("/dev/ttyUSB0", true, 0x0403, 0x6001), Port("/dev/ttyUSB1", true)};
    });
    EXPECT_EQ(FindVavedaverPort(), "/dev/ttyUSB1");

    InstallPortLister([] { return std::vector<SerialPortInfo>{Port("/dev/ttyUSB0", true, 0x0403, 0x6001)}; });
    EXPECT_EQ(FindVavedaverPort(), "");
}

TEST_F(SerialPortTest, KvlPortNamesThePortWhenItExistsOrIsListed)
{
    QTemporaryFile pty;
    ASSERT_TRUE(pty.open());
    {
        ScopedEnv port("KVL_PORT", pty.fileName().toLocal8Bit());
        EXPECT_EQ(FindVavedaverPort(), pty.fileName());
    }
    {
        ScopedEnv port("KVL_PORT", "/dev/ttyKVL9");
        EXPECT_EQ(FindVavedaverPort(), "");
        InstallPortLister([] { return std::vector<SerialPortInfo>{Port("/dev/ttyKVL9", false)}; });
        EXPECT_EQ(FindVavedaverPort(), "/dev/ttyKVL9");
    }
}

class EchoDevice : public InProcessDevice {
public:
    DeviceReply Receive(const QByteArray& bytes) override
    {
        received += bytes;
        return {chunks, unplug};
    }
    QByteArray received;
    std::vector<QByteArray> chunks;
    bool unplug = false;
};

TEST_F(SerialPortTest, InProcessPortDeliversEachChunkOnItsOwnTurnOfTheEventLoop)
{
    EchoDevice device;
    device.chunks = {"ab", "cde", "f"};
    InProcessPort port(device);
    std::vector<QByteArray> got;
    QObject::connect(&port, &SerialPort::DataReceived, [&](const QByteArray& c) { got.push_back(c); });
    port.Write("x");
    EXPECT_TRUE(device.received.isEmpty());  // closed: nothing is written
    ASSERT_TRUE(port.Open("sim"));
    port.Write("\x20\x00");
    EXPECT_TRUE(got.empty());  // nothing arrives without the event loop
    QCoreApplication::processEvents();
    EXPECT_EQ(got, std::vector<QByteArray>{"ab"});
    while (port.HasPending())
        QCoreApplication::processEvents();
    EXPECT_EQ(got, (std::vector<QByteArray>{"ab", "cde", "f"}));
}

TEST_F(SerialPortTest, InProcessPortDiscardsWaitingInputAndClosesWhenTheCableIsPulled)
{
    EchoDevice device;
    device.chunks = {"ab", "cd"};
    device.unplug = true;
    InProcessPort port(device);
    int closed = 0;
    std::vector<QByteArray> got;
    QObject::connect(&port, &SerialPort::PortClosed, [&] { ++closed; });
    QObject::connect(&port, &SerialPort::DataReceived, [&](const QByteArray& c) { got.push_back(c); });
    ASSERT_TRUE(port.Open("sim"));
    port.Write("q");
    port.DiscardInput();
    while (port.HasPending())
        QCoreApplication::processEvents();
    EXPECT_TRUE(got.empty());
    EXPECT_FALSE(port.IsOpen());
    EXPECT_EQ(closed, 1);
}

} // namespace
} // namespace kvl::test
