#include "platform/runtime/Runtime.h"
#include "shell/core/Units.h"
#include "tests/support/KvlTest.h"

#include <functional>

namespace kvl {
namespace {

using Conversion = float (*)(const db::Value&);

struct ConversionCase {
    const char* name;
    Conversion convert;
    db::Value input;
    const char* expected;   // the single as the program shows it
};

// The call as written: FtToM(100), FtToM("100").
void PrintTo(const ConversionCase& c, std::ostream* os)
{
    const std::string input = c.input.ToString().toStdString();
    *os << c.name << "(" << (c.input.IsText() ? '"' + input + '"' : input) << ")";
}

class ConversionTest : public ::testing::TestWithParam<ConversionCase> {};

TEST_P(ConversionTest, GivesTheShownValue)
{
    const ConversionCase& c = GetParam();
    EXPECT_EQ(SingleToText(c.convert(c.input)), QString(c.expected)) << ::testing::PrintToString(c);
}

INSTANTIATE_TEST_SUITE_P(Units, ConversionTest, ::testing::Values(
    ConversionCase{"FtToM", FtToM, 100, "30.48"},
    ConversionCase{"FtToM", FtToM, "100", "30.48"},
    ConversionCase{"FtToM", FtToM, "", "0"},
    ConversionCase{"MToFt", MToFt, 5, "16"},
    ConversionCase{"MToFt", MToFt, 30, "98"},
    ConversionCase{"MToFt", MToFt, 40, "131"},
    ConversionCase{"MToFt", MToFt, 10, "32.8084"},
    ConversionCase{"MToFt", MToFt, 3, "9.84252"},
    ConversionCase{"CuFtToLiter", CuFtToLiter, 80, "2265.347"},
    ConversionCase{"PsiToBar", PsiToBar, 3000, "210"},
    ConversionCase{"PsiToBar", PsiToBar, 2999, "209.9"},
    ConversionCase{"PsiToBar", PsiToBar, 1, "0.1"},
    ConversionCase{"FToC", FToC, 32, "0"},
    ConversionCase{"FToC", FToC, 98.6, "37"},
    ConversionCase{"FToC", FToC, 0, "-17.8"},
    ConversionCase{"FToC", FToC, -40, "-40"},
    ConversionCase{"FToC", FToC, 20.03, "-6.6"},
    ConversionCase{"CToF", CToF, 37, "98.6"},
    ConversionCase{"CToF", CToF, 25.5, "77.9"},
    ConversionCase{"KgToLb", KgToLb, 10, "22"},
    ConversionCase{"KgToLb", KgToLb, 4.5, "9.9"},
    ConversionCase{"LbToKg", LbToKg, 22, "10"},
    ConversionCase{"LbToKg", LbToKg, 1, "0.5"},
    ConversionCase{"LbToKg", LbToKg, 220, "99.8"}));

TEST(Conversions, NullIsAnError)
{
    EXPECT_THROW(FtToM(db::Value()), NullValueError);
    EXPECT_THROW(PsiToBar(db::Value()), NullValueError);
}

TEST(Conversions, CubicFeetToLitresIsTheSingleProductUnrounded)
{
    EXPECT_EQ(CuFtToLiter(80), CSng(80 * 28.31684));
}

struct FromDisplayCase {
    const char* name;
    double (*fromDisplay)(double shown, quint8 flag);
    double shown;
    double stored;   // with the flag 0; the flag 1 keeps the shown number
};

void PrintTo(const FromDisplayCase& c, std::ostream* os)
{
    *os << c.name;
}

class FromDisplayTest : public ::testing::TestWithParam<FromDisplayCase> {};

TEST_P(FromDisplayTest, TakesTheDiversUnitsBackToTheLogs)
{
    const FromDisplayCase& c = GetParam();
    EXPECT_DOUBLE_EQ(c.fromDisplay(c.shown, 0), c.stored);
    EXPECT_DOUBLE_EQ(c.fromDisplay(c.shown, 1), c.shown);
}

INSTANTIATE_TEST_SUITE_P(Units, FromDisplayTest, ::testing::Values(
    FromDisplayCase{"BarToPsi", PressureFromDisplay, 200, 200 / 0.07},
    FromDisplayCase{"ZeroBar", PressureFromDisplay, 0, 0},
    FromDisplayCase{"LitresToCubicFeet", CylinderFromDisplay, 28.31684 * 80, 80},
    FromDisplayCase{"TwelveLitres", CylinderFromDisplay, 12, 12 / 28.31684}),
    [](const ::testing::TestParamInfo<FromDisplayCase>& row) { return std::string(row.param.name); });

struct WrapperCase {
    const char* name;
    Conversion wrapper;
    quint8 Global_Vars::*flag;
    Conversion conversion;
};

void PrintTo(const WrapperCase& c, std::ostream* os)
{
    *os << c.name;
}

class DisplayWrapperTest : public ::testing::TestWithParam<WrapperCase> {
protected:
    void TearDown() override { gv = Global_Vars{}; }
};

TEST_P(DisplayWrapperTest, ConvertsUnlessTheFlagIsOne)
{
    const WrapperCase& c = GetParam();
    const double stored = 123.456789;
    gv.*c.flag = 1;
    EXPECT_EQ(c.wrapper(stored), CSng(stored)) << c.name;
    for (quint8 flag : {0, 2}) {
        gv.*c.flag = flag;
        EXPECT_EQ(c.wrapper(stored), c.conversion(stored)) << c.name << " flag " << int(flag);
    }
}

INSTANTIATE_TEST_SUITE_P(Units, DisplayWrapperTest, ::testing::Values(
    WrapperCase{"DepthToDisplay", DepthToDisplay, &Global_Vars::UnitDepth, FtToM},
    WrapperCase{"DepthFromDisplay", DepthFromDisplay, &Global_Vars::UnitDepth, MToFt},
    WrapperCase{"TempToDisplay", TempToDisplay, &Global_Vars::UnitTemp, FToC},
    WrapperCase{"PressureToDisplay", PressureToDisplay, &Global_Vars::UnitPressure, PsiToBar},
    WrapperCase{"WeightToDisplay", WeightToDisplay, &Global_Vars::UnitWeight, LbToKg},
    WrapperCase{"CylinderToDisplay", CylinderToDisplay, &Global_Vars::UnitCylinder, CuFtToLiter}));

TEST(TimeTexts, TwelveHourClock)
{
    const std::pair<const char*, const char*> cases[] = {
        {"13:45", "01:45 PM"}, {"00:30", "00:30 AM"}, {"12:00", "12:00 PM"},
        {"07:05", "07:05 AM"}, {"23:59:30", "11:59:30 PM"}, {"", ""}, {"7:5", "7:5"},
    };
    for (const auto& [in, out] : cases)
        EXPECT_EQ(TimeTo12Hour(in), QString(out)) << in;
}

TEST(TimeTexts, TwentyFourHourClock)
{
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"01:45", "pm", "13:45"}, {"01:45", "PM", "13:45"}, {"12:15", "PM", "12:15"},
        {"12:15", "AM", "00:15"}, {"00:30", "AM", "00:30"}, {"11:59:30", "PM", "23:59:30"},
        {"09:10", "am", "09:10"},
    };
    for (const auto& [in, suffix, out] : cases)
        EXPECT_EQ(TimeTo24Hour(in, suffix), QString(out)) << in << " " << suffix;
}

TEST(TimeTexts, TwentyFourHourClockUndoesTwelveHourClockForEveryHour)
{
    for (int h = 0; h < 24; ++h) {
        const QString time = QString("%1:07").arg(h, 2, 10, QChar('0'));
        const QString twelve = TimeTo12Hour(time);
        EXPECT_EQ(TimeTo24Hour(twelve.left(5), twelve.right(2)), time) << twelve.toStdString();
    }
}

TEST(TimeTexts, AddMinutesWrapsPastMidnightAndDropsSeconds)
{
    EXPECT_EQ(AddMinutesToTime("23:30", 45), "00:15");
    EXPECT_EQ(AddMinutesToTime("10:50", 15), "11:05");
    EXPECT_EQ(AddMinutesToTime("10:00:30", 30), "10:30");
    EXPECT_EQ(AddMinutesToTime("10:00", "90"), "11:30");
    EXPECT_THROW(AddMinutesToTime("10:00", db::Value()), NullValueError);
}

TEST(TimeTexts, DatesAndTimesByTheFlags)
{
    gv.UnitDate = 1;
    EXPECT_EQ(FormatDBDate("2009/05/21"), "05/21/2009");
    gv.UnitDate = 0;
    EXPECT_EQ(FormatDBDate("2009/05/21"), "21/05/2009");
    EXPECT_EQ(FormatTimeByMode("13:45", 0), "13:45");
    EXPECT_EQ(FormatTimeByMode("13:45", 1), "01:45 PM");
    gv = Global_Vars{};
}

TEST(TimeTexts, LegTimes)
{
    const std::pair<const char*, bool> validity[] = {
        {"1:30:00", true}, {"0:00:59", true}, {"9:59:59", true}, {"10:00:00", false},
        {"1:60:00", false}, {"1:30", false}, {"0:00:60", false}, {"", false},
    };
    for (const auto& [text, valid] : validity)
        EXPECT_EQ(IsValidCDTText(text), valid) << text;
    EXPECT_EQ(CDTTextToSeconds("1:30:15"), 5415);
    EXPECT_EQ(CDTTextToSeconds("1:30"), 3630);
}

TEST(TimeTexts, ParseDecimalTakesTheCommaAsThePoint)
{
    QString text = "12,5";
    EXPECT_EQ(ParseDecimal(text), 12.5);
    EXPECT_EQ(text, "12.5");
    QString spaced = " 1 2.5 m";
    EXPECT_EQ(ParseDecimal(spaced), 12.5);
    QString none = "abc";
    EXPECT_EQ(ParseDecimal(none), 0);
}

class TimeCheckTest : public test::KvlTest {};

TEST_F(TimeCheckTest, EachFaultHasItsWarning)
{
    const QString hhmm = "Invalid time. Please enter time as hh:mm.";
    const QString to12 = "Invalid time. Please enter value 00-12 for hour.";
    const QString to23 = "Invalid time. Please enter value 00-23 for hour.";
    const QString minute = "Invalid time. Please enter value 00-59 for minute.";
    struct Case {
        const char* text;
        int mode;
        bool valid;
        QStringList messages;
    };
    const Case cases[] = {
        {"1_:30", 0, false, {hhmm}},     {"13:30", 1, false, {to12}},
        {"24:75", 0, false, {to23, minute}}, {"00:00", 1, true, {}},
        {"23:59", 0, true, {}},          {"12:60", 1, false, {minute}},
    };
    for (const Case& c : cases) {
        ScriptedDialogs local;
        for (const QString& m : c.messages)
            local.ExpectMsg(m);
        InstallDialogs(&local);
        EXPECT_EQ(IsValidTimeText(c.text, c.mode), c.valid) << c.text;
        EXPECT_EQ(local.MessageTexts(), c.messages) << c.text;
        for (const Prompt& p : local.Messages()) {
            EXPECT_EQ(p.title, "Warning");
            EXPECT_EQ(p.icon, MsgIcon::Critical);
            EXPECT_EQ(p.buttons, MsgButtons::OK);
        }
        local.VerifyAllUsed();
    }
    InstallDialogs(&dialogs);
}

} // namespace
} // namespace kvl
