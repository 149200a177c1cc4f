#include "settings/core/SettingsImage.h"

#include <gtest/gtest.h>

namespace kvl::settings {
namespace {

QByteArray Bytes(std::initializer_list<int> list)
{
    QByteArray b;
    for (int v : list)
        b.append(static_cast<char>(v));
    return b;
}

QByteArray Block(std::initializer_list<std::pair<int, int>> bytes)
{
    QByteArray b(PageBytes, '\0');
    for (auto [i, v] : bytes)
        b[i] = static_cast<char>(v);
    return b;
}

// --- decoding -------------------------------------------------------------

struct DecodeCase {
    const char* name;
    QByteArray block;
    EdtForm edt;
    const char* column;
    qint64 expected;
};

class DecodeBlock : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(DecodeBlock, GivesTheColumnValue)
{
    const DecodeCase& c = GetParam();
    EXPECT_EQ(ValueOf(DecodeSettingsBlock(c.block, c.edt), c.column).ToLong(), c.expected);
}

const EdtForm P = EdtForm::Plain;
const EdtForm B = EdtForm::Bcd;

INSTANTIATE_TEST_SUITE_P(
    Layout, DecodeBlock,
    ::testing::Values(
        DecodeCase{"MaxDepthCode0", Block({{0, 0}}), P, "MAXDEPTH", 20},
        DecodeCase{"MaxDepthCode1", Block({{0, 1}}), P, "MAXDEPTH", 20},
        DecodeCase{"MaxDepthCode2", Block({{0, 2}}), P, "MAXDEPTH", 23},
        DecodeCase{"MaxDepthCode5", Block({{0, 5}}), P, "MAXDEPTH", 26},
        DecodeCase{"MaxDepthCode6", Block({{0, 6}}), P, "MAXDEPTH", 30},
        DecodeCase{"MaxDepthCode7", Block({{0, 7}}), P, "MAXDEPTH", 30},
        DecodeCase{"MaxDepthCode8", Block({{0, 8}}), P, "MAXDEPTH", 40},
        DecodeCase{"MaxDepthCode80", Block({{0, 80}}), P, "MAXDEPTH", 400},
        DecodeCase{"MaxDepthCode200", Block({{0, 200}}), P, "MAXDEPTH", 400},
        DecodeCase{"EdtPlain", Block({{2, 45}, {3, 1}}), P, "EDT", 145},
        DecodeCase{"EdtBcdIgnoresHighNibbleOfHours", Block({{2, 0x45}, {3, 0x31}}), B, "EDT", 145},
        DecodeCase{"TurnPsi999", Block({{4, 0xE7}, {5, 0x03}}), P, "TURNPSI", 10000},
        DecodeCase{"TurnPsi1000", Block({{4, 0xE8}, {5, 0x03}}), P, "TURNPSI", 1000},
        DecodeCase{"TurnPsi3000", Block({{4, 0xB8}, {5, 0x0B}}), P, "TURNPSI", 3000},
        DecodeCase{"TurnPsi3001", Block({{4, 0xB9}, {5, 0x0B}}), P, "TURNPSI", 10000},
        DecodeCase{"EndPsi3000", Block({{6, 0xB8}, {7, 0x0B}}), P, "ENDPSI", 3000},
        DecodeCase{"EndPsi3001", Block({{6, 0xB9}, {7, 0x0B}}), P, "ENDPSI", 300},
        DecodeCase{"HourBit", Block({{8, 0x10}}), P, "HOUR", 1},
        DecodeCase{"UnitsBit", Block({{8, 0x80}}), P, "UNITS", 1},
        DecodeCase{"WaterBit", Block({{8, 0x04}}), P, "WATER", 1},
        DecodeCase{"GaugeAlwaysZero", Block({{8, 0xFF}, {14, 0xFF}}), P, "GAUGE", 0},
        DecodeCase{"ReceiverAlwaysZero", Block({{8, 0xFF}, {14, 0xFF}}), P, "RECEIVER", 0},
        DecodeCase{"MaxNibgLoweredTo5", Block({{9, 0x3F}}), P, "MAXNIBG", 5},
        DecodeCase{"DtrBcd", Block({{10, 0x15}}), P, "DTR", 15},
        DecodeCase{"Po2Plain", Block({{11, 140}}), P, "PO2", 140},
        DecodeCase{"BacklightPosition1", Block({{12, 1}}), P, "BACKLIGHT", 1},
        DecodeCase{"BacklightWritten5Seconds", Block({{12, 5}}), P, "BACKLIGHT", 1},
        DecodeCase{"BacklightWritten10Seconds", Block({{12, 10}}), B, "BACKLIGHT", 2},
        DecodeCase{"Backlight7CountsAs2", Block({{12, 7}}), P, "BACKLIGHT", 2},
        DecodeCase{"SafetyTimeLowNibble", Block({{13, 0x3A}}), P, "SAFETYTIME", 10},
        DecodeCase{"SafetyDepthHighNibble", Block({{13, 0x3A}}), P, "SAFETYDEPTH", 3},
        DecodeCase{"ChronoSet", Block({{14, 0x20}}), P, "CHRONO", 1},
        DecodeCase{"AscentWhenChronoSet", Block({{14, 0x20}}), P, "ASCENT", 0},
        DecodeCase{"AscentWhenChronoClear", Block({}), P, "ASCENT", 1},
        DecodeCase{"NavBacklightBit1", Block({{14, 0x02}}), P, "NAVBACKLIGHT", 1},
        DecodeCase{"AltTimeBit4", Block({{14, 0x10}}), P, "ALTTIME", 1},
        DecodeCase{"SampleCode6", Block({{15, 6}}), P, "DIVESAMPLE", 6},
        DecodeCase{"SampleCode7Becomes0", Block({{15, 7}}), P, "DIVESAMPLE", 0},
        DecodeCase{"SampleCode9Becomes0", Block({{15, 9}}), B, "DIVESAMPLE", 0}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(SettingsImage, LegDecodesHeadingAlarmsAndCountDown)
{
    const DCNavLeg leg = DecodeLeg(Bytes({0x68, 0x2D, 0x05, 0x1E}));
    EXPECT_EQ(leg, (DCNavLeg{360, true, true, 7530}));
    EXPECT_EQ(DecodeLeg(Bytes({0x68, 0x21, 0x05, 0x1E})), (DCNavLeg{360, false, false, 7530}));
}

TEST(SettingsImage, LegListEndsAtTheFirstZeroCountDown)
{
    QByteArray legs(LegSlots * LegBytes, '\0');
    for (int slot : {0, 1, 2, 4, 5})
        legs.replace(slot * LegBytes, LegBytes, Bytes({10 * slot, 0, 1, 0}));
    EXPECT_EQ(DecodeLegs(legs).size(), 3u);
    EXPECT_TRUE(DecodeLegs(QByteArray(LegSlots * LegBytes, '\0')).empty());

    for (int slot = 0; slot < LegSlots; ++slot)
        legs.replace(slot * LegBytes, LegBytes, Bytes({1, 0, 0, 9}));
    EXPECT_EQ(DecodeLegs(legs).size(), 52u);
}

// --- writing --------------------------------------------------------------

SettingsValues AllFlags(int flag)
{
    SettingsValues v{{"MAXDEPTH", 100}, {"EDT", 130}, {"PO2", 140}, {"BACKLIGHT", 0}, {"DIVESAMPLE", 0}};
    for (const char* c : {"HOUR", "AUDIBLEALARM", "FO2", "UNITS", "WATER", "NAVBACKLIGHT", "ALTTIME", "CHRONO",
                          "CHRONO_ASCENT_ON_OFF", "NAVDIVE", "RECEIVER", "GAUGE", "CONSERVE"})
        v.emplace_back(c, flag);
    return v;
}

SettingsValues With(SettingsValues v, const char* column, db::Value value)
{
    for (auto& [name, old] : v) {
        if (name == column)
            old = value;
    }
    return v;
}

struct EncodeCase {
    const char* name;
    SettingsValues values;
    QByteArray asRead;
    int byte;
    int expected;
};

class EncodeBlock : public ::testing::TestWithParam<EncodeCase> {};

TEST_P(EncodeBlock, PutsTheByte)
{
    const EncodeCase& c = GetParam();
    EXPECT_EQ(static_cast<quint8>(EncodeSettingsBlock(c.asRead, c.values)[c.byte]), c.expected);
}

const QByteArray AllOnes(PageBytes, '\xFF');

INSTANTIATE_TEST_SUITE_P(
    Layout, EncodeBlock,
    ::testing::Values(
        EncodeCase{"MaxDepth25", With(AllFlags(0), "MAXDEPTH", 25), Block({}), 0, 2},
        EncodeCase{"MaxDepth10", With(AllFlags(0), "MAXDEPTH", 10), Block({}), 0, 0},
        EncodeCase{"MaxDepth45", With(AllFlags(0), "MAXDEPTH", 45), Block({}), 0, 8},
        EncodeCase{"MaxDepth400", With(AllFlags(0), "MAXDEPTH", 400), Block({}), 0, 80},
        EncodeCase{"Byte1Cleared", AllFlags(0), AllOnes, 1, 0},
        EncodeCase{"Edt905Minutes", With(AllFlags(0), "EDT", 905), Block({}), 2, 5},
        EncodeCase{"Edt905Hours", With(AllFlags(0), "EDT", 905), Block({}), 3, 9},
        EncodeCase{"Byte8NoFlags", AllFlags(0), AllOnes, 8, 0x0B},
        EncodeCase{"Byte8AllFlags", AllFlags(1), AllOnes, 8, 0xFF},
        EncodeCase{"Byte8YesOfTheLogIsOne", AllFlags(-1), Block({}), 8, 0xFC},
        EncodeCase{"Byte14NoFlags", AllFlags(0), AllOnes, 14, 0x0D},
        EncodeCase{"Byte14AllFlags", AllFlags(1), Block({}), 14, 0xF2},
        EncodeCase{"TurnPsiKept", AllFlags(0), AllOnes, 4, 0xFF},
        EncodeCase{"SafetyKept", AllFlags(0), Block({{13, 0x3A}}), 13, 0x3A},
        EncodeCase{"Po2", With(AllFlags(0), "PO2", 150), Block({}), 11, 150},
        EncodeCase{"Backlight2Is10Seconds", With(AllFlags(0), "BACKLIGHT", 2), Block({}), 12, 10},
        EncodeCase{"Backlight1Is5Seconds", With(AllFlags(0), "BACKLIGHT", 1), Block({}), 12, 5},
        EncodeCase{"SampleRate", With(AllFlags(0), "DIVESAMPLE", 6), Block({}), 15, 6}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(SettingsImage, BacklightRoundTripsThroughTheDevice)
{
    for (int code : {0, 1, 2}) {
        const QByteArray block = EncodeSettingsBlock(Block({}), With(AllFlags(0), "BACKLIGHT", code));
        EXPECT_EQ(ValueOf(DecodeSettingsBlock(block, EdtForm::Plain), "BACKLIGHT").ToLong(), code);
    }
}

struct BadValueCase {
    const char* name;
    const char* column;
    db::Value value;
};

class RefusedValue : public ::testing::TestWithParam<BadValueCase> {};

TEST_P(RefusedValue, NamesColumnAndValue)
{
    const BadValueCase& c = GetParam();
    EXPECT_EQ(CheckSettingsValues(With(AllFlags(0), c.column, c.value)),
              QString("Invalid setting %1 = %2. Nothing was written to the Radarar Edeze.")
                  .arg(c.column, c.value.ToString()));
}

INSTANTIATE_TEST_SUITE_P(Ranges, RefusedValue,
                         ::testing::Values(BadValueCase{"MaxDepth410", "MAXDEPTH", 410},
                                           BadValueCase{"Edt9", "EDT", 9}, BadValueCase{"Edt901", "EDT", 901},
                                           BadValueCase{"EdtMinutes60", "EDT", 160},
                                           BadValueCase{"Po2Low", "PO2", 110}, BadValueCase{"Po2High", "PO2", 170},
                                           BadValueCase{"Backlight3", "BACKLIGHT", 3},
                                           BadValueCase{"Sample7", "DIVESAMPLE", 7},
                                           BadValueCase{"EdtEmpty", "EDT", db::Value()}),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(SettingsImage, LegEncodingPutsHeadingAlarmsAndTime)
{
    EXPECT_EQ(EncodeLeg({360, false, true, 7530}), Bytes({0x68, 0x29, 0x05, 0x1E}));
    for (const DCNavLeg& leg : {DCNavLeg{0, true, false, 1}, DCNavLeg{359, true, true, 35999}})
        EXPECT_EQ(DecodeLeg(EncodeLeg(leg)), leg);
}

TEST(SettingsImage, PagesWrittenFollowTheLegCount)
{
    const std::vector<std::pair<int, std::vector<int>>> cases{
        {0, {5}}, {3, {5, 48}}, {4, {5, 48, 49}}, {51, {5, 48, 49, 50, 51, 52, 53, 54, 55, 56, 57, 58, 59, 60}}};
    for (const auto& [count, expected] : cases) {
        const std::vector<DCNavLeg> legs(count, DCNavLeg{90, false, false, 60});
        std::vector<int> pages;
        QByteArray data;
        for (const WritePage& p : BuildWritePages(Block({}), AllFlags(0), legs)) {
            pages.push_back(p.page);
            if (p.page != SettingsPage)
                data += p.data;
        }
        EXPECT_EQ(pages, expected) << count << " legs";
        // The slot after the last leg is zero and ends the list on the device.
        EXPECT_EQ(data.mid(count * LegBytes, LegBytes), QByteArray(count ? LegBytes : 0, '\0')) << count;
    }
}

TEST(SettingsImage, LegChecksRefuseWhatTheDeviceCannotHold)
{
    EXPECT_EQ(CheckLegs(std::vector<DCNavLeg>(51, DCNavLeg{0, false, false, 1})), "");
    EXPECT_EQ(CheckLegs(std::vector<DCNavLeg>(52, DCNavLeg{0, false, false, 1})),
              "Too many navigation legs (51 at most). Nothing was written to the Radarar Edeze.");
    EXPECT_EQ(CheckLegs({{0, false, false, 1}, {361, false, false, 1}}),
              "Invalid navigation leg 2. Nothing was written to the Radarar Edeze.");
    EXPECT_EQ(CheckLegs({{0, false, false, 0}}), "Invalid navigation leg 1. Nothing was written to the Radarar Edeze.");
    EXPECT_EQ(CheckLegs({{0, false, false, 36000}}),
              "Invalid navigation leg 1. Nothing was written to the Radarar Edeze.");
}

} // namespace
} // namespace kvl::settings
