#include "platform/runtime/Runtime.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <stdexcept>

namespace kvl {
namespace {

TEST(Val, ReadsTheLeadingNumber)
{
    struct Case { const char* text; double value; };
    const Case cases[] = {
        {"", 0},           {"abc", 0},           {"12", 12},          {"  12  ", 12},
        {"1 2 3", 123},    {"\t-\t4.5", -4.5},   {"+7", 7},           {"--7", 0},
        {"3.25 m", 3.25},  {".5", 0.5},          {"5.", 5},           {".", 0},
        {"1,5", 1},        {"1.2.3", 1.2},       {"12abc", 12},       {"-", 0},
        {"1E3", 1000},     {"1.5e-2", 0.015},    {"2D2", 200},        {"1E", 1},
        {"1E+", 1},        {"7 e 1", 70},        {"&H1F", 31},        {"&hff", 255},
        {"&HFFFF", -1},    {"&H8000", -32768},   {"&H10000", 65536},  {"&HFFFFFFFF", -1},
        {"&O17", 15},      {"&H", 0},            {"&", 0},            {"&HFG", 15},
        {"1E400", HUGE_VAL}, {"-1E400", -HUGE_VAL}, {"1E-400", 0},       {" & h 1 0", 16},
    };
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(Val(QString::fromUtf8(c.text)), c.value) << '"' << c.text << '"';
}

TEST(RoundHalfEven, RoundsHalvesToTheEvenNeighbour)
{
    struct Case { double value; qint64 whole; };
    const Case cases[] = {
        {0.5, 0},   {1.5, 2},   {2.5, 2},   {3.5, 4},   {-0.5, 0},  {-1.5, -2}, {-2.5, -2},
        {2.4, 2},   {2.6, 3},   {-2.6, -3}, {0, 0},     {7, 7},     {1e10 + 0.5, 10000000000LL},
    };
    for (const Case& c : cases)
        EXPECT_EQ(RoundHalfEven(c.value), c.whole) << c.value;
}

TEST(RoundHalfEven, SaturatesBeyondTheRangeAndTakesNaNAsZero)
{
    constexpr qint64 most = std::numeric_limits<qint64>::max(), least = std::numeric_limits<qint64>::min();
    struct Case { double value; qint64 whole; };
    const Case cases[] = {
        {std::nan(""), 0},  {HUGE_VAL, most},   {-HUGE_VAL, least},          {1e300, most},
        {-1e300, least},    {9.3e18, most},     {-9223372036854775808.0, least},
        {9223372036854774784.0, 9223372036854774784LL},
    };
    for (const Case& c : cases)
        EXPECT_EQ(RoundHalfEven(c.value), c.whole) << c.value;
    // The quotient that would not fit saturates as well.
    EXPECT_EQ(IntDiv(-1e300, -1), most);
    EXPECT_EQ(IntMod(-1e300, -1), 0);
    EXPECT_EQ(IntDiv(std::nan(""), 3), 0);
}

TEST(IntDivMod, RoundOperandsFirst)
{
    struct Case { double a, b; qint64 quotient, remainder; };
    const Case cases[] = {
        {7, 2, 3, 1},   {-7, 2, -3, -1}, {7, -2, -3, 1}, {2.5, 1, 2, 0},
        {3.5, 1.5, 2, 0}, {10.6, 2.4, 5, 1}, {5, 0.6, 5, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IntDiv(c.a, c.b), c.quotient) << c.a << " \\ " << c.b;
        EXPECT_EQ(IntMod(c.a, c.b), c.remainder) << c.a << " Mod " << c.b;
    }
    EXPECT_THROW(IntDiv(1, 0.4), std::domain_error);
    EXPECT_THROW(IntMod(1, 0), std::domain_error);
}

TEST(SingleToText, SevenSignificantDigitsWithoutTrailingZeros)
{
    struct Case { float value; const char* text; };
    const Case cases[] = {
        {30.48f, "30.48"},   {32.8084f, "32.8084"}, {0.5f, "0.5"},         {100.0f, "100"},
        {-6.6f, "-6.6"},     {0.0f, "0"},           {-0.0f, "0"},          {9.84252f, "9.84252"},
        {80 * 28.31684f, "2265.347"}, {1234567.0f, "1234567"}, {12345678.0f, "1.234568E+07"},
        {0.0001f, "0.0001"}, {0.00001f, "1E-05"},   {1.0f / 3, "0.3333333"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SingleToText(c.value), QString::fromLatin1(c.text)) << c.text;
}

struct FormatCase {
    const char* name;
    double value;
    const char* picture;
    const char* text;
};

class FormatPicture : public ::testing::TestWithParam<FormatCase> {};

TEST_P(FormatPicture, GivesTheText)
{
    const FormatCase& c = GetParam();
    EXPECT_EQ(Format(c.value, c.picture), QString::fromLatin1(c.text));
}

INSTANTIATE_TEST_SUITE_P(Runtime, FormatPicture, ::testing::Values(
    FormatCase{"FractionWithoutWholeZero", 0.3, "###.0", ".3"},
    FormatCase{"ZeroWithRequiredDecimal", 0, "###.0", ".0"},
    FormatCase{"OptionalDecimalKeepsPoint", 24, "###.#", "24."},
    FormatCase{"OptionalDecimalShown", 24.56, "###.#", "24.6"},
    FormatCase{"OptionalDecimalRoundedAway", 24.04, "###.#", "24."},
    FormatCase{"HalfUpAwayFromZero", 2.5, "###0", "3"},
    FormatCase{"HalfDownAwayFromZero", -2.5, "###0", "-3"},
    FormatCase{"TwoDecimals", 62.0833, "###0.00", "62.08"},
    FormatCase{"DecimalHalfOfADouble", 2.675, "0.00", "2.68"},
    FormatCase{"PaddedTwoDigits", 5, "00", "05"},
    FormatCase{"WholeZeroRequired", 0.3048, "###0.0", "0.3"},
    FormatCase{"SingleZero", 0, "0", "0"},
    FormatCase{"SingleZeroRounds", 7.5, "0", "8"},
    FormatCase{"HashesShowNothingForZero", 0, "###", ""},
    FormatCase{"HashesWholeNumber", 123.4, "###", "123"},
    FormatCase{"WiderThanPicture", 12345.6, "###", "12346"},
    FormatCase{"CarryIntoNewDigit", 99.96, "###.0", "100.0"},
    FormatCase{"NegativeFraction", -0.3, "###.0", "-.3"},
    FormatCase{"NegativeRoundingToZeroLosesSign", -0.04, "###.0", ".0"},
    FormatCase{"FiveWholePlaces", 42, "####0", "42"},
    FormatCase{"FourHashesOneDecimal", 121.6128, "####.0", "121.6"},
    FormatCase{"HashZeroOfZero", 0, "#0", "0"},
    FormatCase{"ThreeHashZero", 7.49, "##0", "7"},
    FormatCase{"TwoPlacesOneDecimal", 3.25, "##0.0", "3.3"},
    FormatCase{"FivePlacesOneDecimal", 0.05, "####0.0", "0.1"},
    FormatCase{"ZeroPointZeroZero", 0.005, "0.00", "0.01"},
    FormatCase{"SingleStoredValue", double(30.48f), "###.0", "30.5"},
    FormatCase{"TinyValue", 1e-20, "###0.0", "0.0"},
    FormatCase{"LargeValue", 1e17, "0", "100000000000000000"},
    FormatCase{"NotANumber", std::numeric_limits<double>::quiet_NaN(), "0", ""}),
    [](const ::testing::TestParamInfo<FormatCase>& row) { return std::string(row.param.name); });

TEST(Format, WritesTheGivenSeparator)
{
    EXPECT_EQ(Format(62.0833, u"###0.00", QLatin1Char(',')), "62,08");
    EXPECT_EQ(Format(24, u"###.#", QLatin1Char(',')), "24,");
}

TEST(Format, RegionalSeparatorCanBeSetAndRestored)
{
    const QChar system = Runtime::DecimalSeparator();
    Runtime::SetDecimalSeparator(QLatin1Char(','));
    EXPECT_EQ(Runtime::DecimalSeparator(), QLatin1Char(','));
    Runtime::SetDecimalSeparator(QChar());
    EXPECT_EQ(Runtime::DecimalSeparator(), system);
}

TEST(Str, BlankInTheSignsPlace)
{
    EXPECT_EQ(Str(12), " 12");
    EXPECT_EQ(Str(-3), "-3");
    EXPECT_EQ(Str(0), " 0");
    EXPECT_EQ(Str(12345L), " 12345");
    EXPECT_EQ(Str(2.5), " 2.5");
    EXPECT_EQ(Str(98.4f), " 98.4");
    EXPECT_EQ(Str(-6.6f), "-6.6");
}

// The sequence every BASIC program of that runtime printed after start-up.
TEST(BasicRnd, StartsWithTheRuntimeSequence)
{
    BasicRnd rng;
    const float expected[] = {0.7055475f, 0.533424f, 0.5795186f, 0.2895625f, 0.301948f};
    for (float value : expected)
        EXPECT_NEAR(rng.Rnd(), value, 5e-7);
    float last = rng.Rnd(1);
    EXPECT_EQ(rng.Rnd(0), last);
    EXPECT_EQ(rng.Rnd(0), last);
}

TEST(BasicRnd, NegativeArgumentRestartsFromItsBits)
{
    BasicRnd rng;
    rng.Rnd();
    EXPECT_NEAR(rng.Rnd(-1), 0.224007f, 5e-7);
    float second = rng.Rnd();
    BasicRnd other;
    other.Rnd(-1);
    EXPECT_EQ(other.Rnd(), second);
}

TEST(BasicRnd, RandomizeReplacesBitsEightToTwentyThree)
{
    struct Case { double x; quint32 middle; };
    // hi = high 32 bits of x: 11.0 -> 0x40260000, -1.0 -> 0xBFF00000, 0.1 -> 0x3FB99999.
    const Case cases[] = {{11.0, 0x4026}, {-1.0, 0xBFF0}, {0.1, 0x9999 ^ 0x3FB9}};
    for (const Case& c : cases) {
        BasicRnd rng;
        rng.Rnd(-1);
        quint32 lowByte = rng.Seed() & 0xFF;
        rng.Randomize(c.x);
        EXPECT_EQ(rng.Seed(), (c.middle << 8) | lowByte) << c.x;
    }
}

TEST(BasicRnd, ProcessWideInstanceKeepsItsState)
{
    BasicRnd& rng = Runtime::Rng();
    rng.Rnd(-3);
    float first = rng.Rnd();
    EXPECT_EQ(&Runtime::Rng(), &rng);
    EXPECT_EQ(Runtime::Rng().Rnd(0), first);
}

} // namespace
} // namespace kvl
