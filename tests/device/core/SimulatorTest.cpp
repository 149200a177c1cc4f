// The simulated device on its own: frames, sleep, writes, and the fixture encoder
// read back with the host's decoders.
#include "device/core/DeviceImage.h"
#include "settings/core/SettingsImage.h"
#include "tools/devsim/sim/Device.h"
#include "tools/devsim/sim/Fixture.h"

#include <gtest/gtest.h>

#include <QJsonDocument>
#include <QJsonObject>

namespace kvl::test {
namespace {

QByteArray Hex(const char* hex)
{
    return QByteArray::fromHex(hex);
}

class SimulatorTest : public ::testing::Test {
protected:
    devsim::Device device;
    devsim::BuiltFixture built;
    void SetUp() override
    {
        QString error;
        ASSERT_TRUE(devsim::LoadFixture(devsim::FixturesDir() + "/three_dives.json", device, &built, &error))
            << qPrintable(error);
    }
    QByteArray Send(const QByteArray& bytes, double now = 0)
    {
        QByteArray all;
        for (const QByteArray& c : device.Receive(bytes, now).chunks)
            all += c;
        return all;
    }
    static QByteArray WriteFrame(int page, quint8 fill, int sumDelta = 0)
    {
        QByteArray f = Hex("40");
        f.append(char(page % 256)).append(char(page / 256)).append(QByteArray(16, char(fill)));
        f.append(char(quint8(fill * 16 + sumDelta))).append('\0');
        return f;
    }
};

TEST_F(SimulatorTest, AsleepItAnswersOnlyWakesAndTheInterfaceTest)
{
    EXPECT_TRUE(Send(Hex("200500050000")).isEmpty());
    EXPECT_EQ(Send(Hex("5500")).size(), 12);
    EXPECT_EQ(Send(Hex("9000")), QByteArray("\x90TARQX07 V2B 0001"));
    EXPECT_EQ(Send(Hex("200500050000")).size(), 18);
    EXPECT_TRUE(Send(Hex("9800")).isEmpty());
    EXPECT_TRUE(Send(Hex("200500050000")).isEmpty());
}

TEST_F(SimulatorTest, UnknownBytesAndFramesWithoutTheirZeroAreSkipped)
{
    Send(Hex("9000"));
    // A stray byte, a read frame without its 0x00, then a good read split over two writes.
    EXPECT_TRUE(Send(Hex("7720050005FF")).isEmpty());
    EXPECT_TRUE(Send(Hex("200500")).isEmpty());
    EXPECT_EQ(Send(Hex("050000")).size(), 18);
    // No reply above page 4095 or when the two page copies differ.
    EXPECT_TRUE(Send(Hex("2000100010 00")).isEmpty());
    EXPECT_TRUE(Send(Hex("2005000600 00")).isEmpty());
}

TEST_F(SimulatorTest, AFaultWithASkipLetsTheFirstHitsThrough)
{
    devsim::Fault fault;
    ASSERT_TRUE(devsim::ParseFault("noreply:page=5,skip=2,count=1", fault));
    device.AddFault(fault);
    Send(Hex("9000"));
    EXPECT_EQ(Send(Hex("200500050000")).size(), 18);
    EXPECT_EQ(Send(Hex("200500050000")).size(), 18);
    EXPECT_TRUE(Send(Hex("200500050000")).isEmpty());
    EXPECT_EQ(Send(Hex("200500050000")).size(), 18);
}

TEST_F(SimulatorTest, ItFallsAsleepAfterItsIdleTime)
{
    device.idleSeconds = 60;
    Send(Hex("9000"), 0);
    EXPECT_EQ(Send(Hex("200000000000"), 59).size(), 18);
    EXPECT_TRUE(Send(Hex("200000000000"), 120).isEmpty());
    EXPECT_FALSE(device.Awake());
}

TEST_F(SimulatorTest, OnlySettingsAndLegPagesWithAGoodChecksumAreWritten)
{
    Send(Hex("9000"));
    EXPECT_EQ(Send(WriteFrame(5, 3)), "Z");
    EXPECT_EQ(device.PageAt(5)[0], 3);
    EXPECT_EQ(Send(WriteFrame(60, 4)), "Z");
    EXPECT_TRUE(Send(WriteFrame(61, 4)).isEmpty());
    EXPECT_TRUE(Send(WriteFrame(48, 4, 1)).isEmpty());
    EXPECT_EQ(device.PageAt(48)[0], 0x68);  // the first leg is untouched

    devsim::Fault noAck, differs;
    devsim::ParseFault("noack:page=49,count=1", noAck);
    devsim::ParseFault("readback:page=50", differs);
    device.AddFault(noAck);
    device.AddFault(differs);
    EXPECT_TRUE(Send(WriteFrame(49, 9)).isEmpty());
    EXPECT_EQ(Send(WriteFrame(49, 9)), "Z");
    EXPECT_EQ(Send(WriteFrame(50, 9)), "Z");
    EXPECT_NE(device.PageAt(50)[0], 9);
}

TEST_F(SimulatorTest, TheFixtureReadsBackThroughTheHostsDecoders)
{
    Image image(RxBufferSize, 0);
    for (int p = 0; p < 4096; ++p)
        std::copy(device.PageAt(p).begin(), device.PageAt(p).end(), image.begin() + p * 17);
    EXPECT_EQ(SerialNoOf(image), 10203);
    const DCLogPointers pointers = DecodeLogPointers(image);
    EXPECT_EQ(pointers.First.IndexPage, 64);
    EXPECT_EQ(pointers.First.EntryOffset, 0);
    EXPECT_EQ(pointers.End.IndexPage, 65);
    EXPECT_EQ(pointers.End.EntryOffset, 8);

    ASSERT_EQ(built.dives.size(), 3u);
    const DiveIndexEntry second = IndexEntryAt(image, 64 * 17 + 8);
    EXPECT_EQ(second.DiveNo, 2);
    EXPECT_EQ(second.DiveMode, 1);
    EXPECT_EQ(second.Year, 2009);
    EXPECT_EQ(second.Month, 6);
    EXPECT_EQ(second.Day, 4);
    EXPECT_EQ(second.Hour, 11);
    EXPECT_EQ(second.Minute, 40);
    EXPECT_EQ(second.SA, built.dives[1].startPage);
    EXPECT_EQ(second.EA, built.dives[1].endPage);
    const DiveIndexEntry third = IndexEntryAt(image, 65 * 17);
    EXPECT_EQ(third.Year, 2017);
    EXPECT_EQ(third.Month, 3);
    for (const auto& dive : built.dives)
        EXPECT_TRUE(HasEndMarker(image, dive.endPage)) << dive.number;
    // 100 samples at 15 s of 1500 s: the settings copy, the start page, 50 sample pages, the summary.
    EXPECT_EQ(RingPageCount(second.SA, second.EA), 53);
    // The start page keeps the surface interval as BCD: 01:25.
    EXPECT_EQ(ImageByte(image, second.SA + 1, 14), 0x01);
    EXPECT_EQ(ImageByte(image, second.SA + 1, 13), 0x25);
}

// A leg alarm of a fixture as a flag: booleans and numbers, a missing key off,
// anything else refused with the key named.
struct LegAlarmCase {
    const char* name;
    const char* json;           // the value of "audible"; nullptr leaves the key out
    int bits;                   // byte 1 of the leg, when taken
};

void PrintTo(const LegAlarmCase& c, std::ostream* os)
{
    *os << c.name;
}

class LegAlarmTest : public ::testing::TestWithParam<LegAlarmCase> {};

TEST_P(LegAlarmTest, TheFixtureTakesFlagsAndRefusesOtherValues)
{
    const LegAlarmCase& c = GetParam();
    const QString leg = c.json ? QStringLiteral("{\"heading\": 90, \"cdt\": 60, \"audible\": %1}").arg(c.json)
                               : QStringLiteral("{\"heading\": 90, \"cdt\": 60}");
    const QJsonObject fixture =
        QJsonDocument::fromJson(QStringLiteral("{\"legs\": [%1], \"dives\": []}").arg(leg).toUtf8()).object();
    devsim::Device device;
    QString error;
    const bool built = devsim::BuildFixture(fixture, device, nullptr, &error);
    if (c.bits < 0) {
        EXPECT_FALSE(built);
        EXPECT_EQ(error, "legs[0].audible must be true, false or a number");
        return;
    }
    ASSERT_TRUE(built) << qPrintable(error);
    EXPECT_EQ(device.PageAt(48)[1], c.bits);
}

INSTANTIATE_TEST_SUITE_P(Values, LegAlarmTest,
                         ::testing::Values(LegAlarmCase{"True", "true", 0x04}, LegAlarmCase{"False", "false", 0},
                                           LegAlarmCase{"One", "1", 0x04}, LegAlarmCase{"Zero", "0", 0},
                                           LegAlarmCase{"Missing", nullptr, 0}, LegAlarmCase{"Text", "\"yes\"", -1},
                                           LegAlarmCase{"Null", "null", -1}),
                         [](const ::testing::TestParamInfo<LegAlarmCase>& row) { return std::string(row.param.name); });

TEST_F(SimulatorTest, TheFixturesLegAlarmsReadBackThroughTheHostsDecoder)
{
    const auto& page = device.PageAt(48);
    const QByteArray legs(reinterpret_cast<const char*>(page.data()), devsim::PageSize);
    EXPECT_EQ(settings::DecodeLegs(legs), (std::vector<settings::DCNavLeg>{{360, false, false, 7530},
                                                                           {90, true, false, 300},
                                                                           {180, false, true, 240},
                                                                           {270, true, true, 65}}));
}

TEST(SimulatorFixtures, TheWrappedDeviceCrossesTheEndOfTheRingAndOfTheIndex)
{
    devsim::Device device;
    devsim::BuiltFixture built;
    ASSERT_TRUE(devsim::LoadFixture(devsim::FixturesDir() + "/wrapped.json", device, &built));
    ASSERT_EQ(built.dives.size(), 3u);
    EXPECT_GT(built.dives[0].startPage, built.dives[0].endPage);
    EXPECT_EQ(built.dives[0].indexPage, 113);
    EXPECT_EQ(built.dives[2].indexPage, 64);

    devsim::Device ten;
    ASSERT_TRUE(devsim::LoadFixture(devsim::FixturesDir() + "/ten_dives.json", ten, &built));
    EXPECT_EQ(RingPageCount(built.dives[3].startPage, built.dives[3].endPage), 93);
}

} // namespace
} // namespace kvl::test
