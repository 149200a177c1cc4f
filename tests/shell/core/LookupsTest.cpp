#include "shell/core/Lookups.h"
#include "tests/shell/core/ShellLogTest.h"

#include <functional>

namespace kvl {
namespace {

// The application state a lookup reads; every other member stays as a fresh start leaves it.
struct State {
    qint32 MODELID = 0;
    bool GAUGEDIVE = false;
    quint8 UnitSystem = 0;
    quint8 UnitDepth = 0;
    quint8 DurationScale = 0;   // byte 3 of BarGraphScale

    void Apply() const
    {
        gv = Global_Vars{};
        gv.CurrentDive.MODELID = MODELID;
        gv.CurrentDive.GAUGEDIVE = GAUGEDIVE;
        gv.UnitSystem = UnitSystem;
        gv.UnitDepth = UnitDepth;
        gv.BarGraphScale[3] = DurationScale;
    }
};

struct TextCase {
    const char* call;
    State state;
    std::function<QString()> lookup;
    const char* expected;
};

// The call and the state it runs in, which together name the case.
void PrintTo(const TextCase& c, std::ostream* os)
{
    const State& s = c.state;
    *os << c.call;
    if (s.MODELID != 0)
        *os << " MODELID " << s.MODELID;
    if (s.GAUGEDIVE)
        *os << " GAUGEDIVE";
    if (s.UnitSystem != 0)
        *os << " UnitSystem " << int(s.UnitSystem);
    if (s.UnitDepth != 0)
        *os << " UnitDepth " << int(s.UnitDepth);
    if (s.DurationScale != 0)
        *os << " scale " << int(s.DurationScale);
}

class LookupTextTest : public ::testing::TestWithParam<TextCase> {
protected:
    void TearDown() override { gv = Global_Vars{}; }
};

TEST_P(LookupTextTest, GivesTheText)
{
    const TextCase& c = GetParam();
    c.state.Apply();
    EXPECT_EQ(c.lookup(), QString(c.expected)) << ::testing::PrintToString(c);
}

// CASE(call, expected text, state members...): the state as designated initializers of State.
#define CASE(call, text, ...) TextCase{#call, State{__VA_ARGS__}, [] { return call; }, text}

constexpr AscentScale Velk = AscentScale::Velk;
constexpr AscentScale Standard = AscentScale::Standard;

INSTANTIATE_TEST_SUITE_P(Ascent, LookupTextTest, ::testing::Values(
    CASE(AscentRateText(0, 1, 100, Velk), "0-32 FPM"),
    CASE(AscentRateText(5, 0, 100, Velk), ">18.5 MPM"),
    CASE(AscentRateText(3, 2, 100, Velk), "15-16.5 MPM"),
    CASE(AscentRateText(3, 1, 60, Standard), "21-25 FPM"),
    CASE(AscentRateText(3, 1, 61, Standard), "41-50 FPM"),
    CASE(AscentRateText(1, 0, 30, Standard), "3.5-4.5 MPM"),
    CASE(AscentRateText(5, 0, 90, Standard), ">18.5 MPM"),
    CASE(AscentRateText(6, 1, 10, Standard), ""),
    CASE(AscentRateText(-1, 1, 10, Velk), "")));

INSTANTIATE_TEST_SUITE_P(Violation, LookupTextTest, ::testing::Values(
    CASE(ViolationText(1 + 2), "DECOMPRESSION", .MODELID = 6774),
    CASE(ViolationText(2 + 8), "PO2 VIOLATION", .MODELID = 6680),
    CASE(ViolationText(4), "O2 VIOLATION", .MODELID = 6674),
    CASE(ViolationText(8), "VIOLATION", .MODELID = 6774),
    CASE(ViolationText(8), "GAUGE DIVE", .MODELID = 6774, .GAUGEDIVE = true),
    CASE(ViolationText(16), "", .MODELID = 6774),
    CASE(ViolationText(1), "", .MODELID = 0)));

INSTANTIATE_TEST_SUITE_P(Alarms, LookupTextTest, ::testing::Values(
    CASE(AlarmListText(1 + 4 + 32), "Passed 120 M, NAV Leg Over, EDT", .UnitSystem = 0),
    CASE(AlarmListText(1 + 2 + 8 + 16), "Passed 400 FT, Max Depth, Max PO2, Ascent Rate", .UnitSystem = 1),
    CASE(AlarmListText(64), ""),
    CASE(AlarmListText(db::Value()), "")));

INSTANTIATE_TEST_SUITE_P(SampleRates, LookupTextTest, ::testing::Values(
    CASE(SampleRateText(0), "2 Secs", .MODELID = 6774),
    CASE(SampleRateText(4), "2 FT", .MODELID = 6675, .UnitDepth = 1),
    CASE(SampleRateText(6), "3.0 M ", .MODELID = 6774, .UnitDepth = 0),
    CASE(SampleRateText(6), "10 FT ", .MODELID = 6774, .UnitDepth = 1),
    CASE(SampleRateText(7), "", .MODELID = 6774),
    CASE(SampleRateText(0), "", .MODELID = 6674),
    CASE(DiveSampleRateText(1, 6774, false), "15 Secs"),
    CASE(DiveSampleRateText(6, 6774, false), "3 M", .UnitDepth = 0),
    CASE(DiveSampleRateText(6, 6774, false), "10 FT", .UnitDepth = 1),
    CASE(DiveSampleRateText(1, 0, false), "15 Secs"),
    CASE(DiveSampleRateText(7, 6774, false), ""),
    CASE(DiveSampleRateText(1, 6774, true), ""),
    CASE(DiveSampleRateText(6, 6674, false), "15 Secs"),
    CASE(DiveSampleRateText(3, 6674, false), "2 Secs"),
    CASE(DiveSampleRateText(2, 6674, false), "3 M", .UnitDepth = 0),
    CASE(DiveSampleRateText(1, 6674, false), "5 FT", .UnitDepth = 1),
    CASE(DiveSampleRateText(10, 6674, false), "")));

INSTANTIATE_TEST_SUITE_P(Durations, LookupTextTest, ::testing::Values(
    CASE(DurationBandText(0), "0 Min."),
    CASE(DurationBandText(4), "16-20 Min."),
    CASE(DurationBandText(5), "21Min. - 25 Min."),
    CASE(DurationBandText(11), "51Min. - 55 Min."),
    CASE(DurationBandText(12), ">= 60 Min."),
    CASE(DurationBandText(1), "0 Min. - 2.5 Min.", .DurationScale = 14),
    CASE(DurationBandText(4), "7.5 Min. - 10 Min.", .DurationScale = 14),
    CASE(DurationBandText(5), "10 Min. - 15 Min.", .DurationScale = 14),
    CASE(DurationBandText(14), "55 Min. - 60 Min.", .DurationScale = 14),
    CASE(DurationBandText(15), ">= 60 Min.", .DurationScale = 14)));

INSTANTIATE_TEST_SUITE_P(Settings, LookupTextTest, ::testing::Values(
    CASE(DCSettingsText("ASCENTSCALE", 0, 0), "VELK"),
    CASE(DCSettingsText("ASCENTSCALE", 1, 0), "Standard"),
    CASE(DCSettingsText("UNITS", 0, 0), "Imperial"),
    CASE(DCSettingsText("UNITS", db::Value(), 0), "Metric"),
    CASE(DCSettingsText("units", 0, 0), ""),
    CASE(DCSettingsText("HOUR", 1, 0), "24"),
    CASE(DCSettingsText("HOUR", 0, 0), "12"),
    CASE(DCSettingsText("WATER", 1, 0), "ON"),
    CASE(DCSettingsText("FO2", 1, 0), "OFF"),
    CASE(DCSettingsText("FO2", 0, 0), "ON"),
    CASE(DCSettingsText("NAVDIVE", 2, 0), "OFF"),
    CASE(DCSettingsText("AUDIBLEALARM", 1, 0), "ON"),
    CASE(DCSettingsText("NAVBACKLIGHT", 0, 0), "Constant"),
    CASE(DCSettingsText("NAVBACKLIGHT", 1, 0), "Time Out"),
    CASE(DCSettingsText("BACKLIGHT", 3, 0), "15 secs"),
    CASE(DCSettingsText("DIVESAMPLE", 2, 0), "30 Secs", .MODELID = 6774),
    CASE(DCSettingsText("MAXDEPTH", 330, 0), "330 FT"),
    CASE(DCSettingsText("MAXDEPTH", 330, 1), "99 M"),
    CASE(DCSettingsText("MAXDEPTH", 30, 1), "9 M"),
    CASE(DCSettingsText("MAXDEPTH", 100, 1), "30 M"),
    CASE(DCSettingsText("EDT", 5, 0), "0:05"),
    CASE(DCSettingsText("EDT", 130, 0), "1:30"),
    CASE(DCSettingsText("PO2", 140, 0), "1.40")));

#undef CASE

TEST(ModelHelpers, CodesAndNames)
{
    QString code = "qx07";
    EXPECT_EQ(ModelCodeToId(code), 6774);
    EXPECT_EQ(code, "QX07");
    QString other = "qx08";
    EXPECT_EQ(ModelCodeToId(other), 0);
    QString name = "Vizadov";
    EXPECT_EQ(NormalizeModelName(name), "VIZADOV");
    EXPECT_EQ(name, "VIZADOV");
    for (int id : {6674, 6680, 6675, 6676, 6774})
        EXPECT_EQ(MapModelId(id), 2) << id;
    EXPECT_EQ(MapModelId(6000), 0);
    EXPECT_EQ(InvertBit(1), 0);
    EXPECT_EQ(InvertBit(0), 1);
    EXPECT_EQ(InvertBit(db::Value()), 1);
    EXPECT_EQ(ToHexText(255), "00000000000000ff");
    EXPECT_EQ(ToHexText(-1), "ffffffffffffffff");
}

TEST(ModelHelpers, BarGraphScaleOfTheServedModel)
{
    gv = Global_Vars{};
    gv.BarGraphScale.fill(9);
    gv.CurrentDive.MODELID = 6674;
    ParseSettingsText();
    EXPECT_EQ(gv.BarGraphScale[0], 9);   // other models change nothing
    gv.CurrentDive.MODELID = 6774;
    ParseSettingsText();
    std::array<quint8, 16> expected{};
    expected[2] = 5;
    expected[10] = 3;
    expected[11] = 1;
    expected[12] = 1;
    EXPECT_EQ(gv.BarGraphScale, expected);
    gv.BarGraphScale.fill(0);
    ModelDefaultsText(6674);
    EXPECT_EQ(gv.BarGraphScale[2], 0);
    ModelDefaultsText(6774);
    EXPECT_EQ(gv.BarGraphScale[2], 5);
    for (qint32 model : {6774, 6674, 0}) {   // read without printing; other models share the lists
        EXPECT_EQ(AscentLimitsOfModel(model).A, 3) << model;
        EXPECT_EQ(AscentLimitsOfModel(model).B, 1) << model;
    }
    gv = Global_Vars{};
}

// ---- Names from the log ------------------------------------------------------------

class LookupNamesTest : public test::ShellLogTest {};

TEST_F(LookupNamesTest, ModelNames)
{
    EXPECT_EQ(GetModelName(6774), "QX07");
    EXPECT_EQ(GetModelName(1), "N/A");
    gv.rsTemp = gv.DB->OpenRecordset("Select * from TIDES");
    EXPECT_EQ(GetModelNameLocal(6774), "QX07");
    EXPECT_EQ(gv.rsTemp->Field("TIDE").ToString(), "High");   // the caller's scratch set is left alone
    gv.DB->Execute("Insert into DC_PROPERTIES (MODELID) values (5)");
    EXPECT_THROW(GetModelName(5), NullValueError);
}

TEST_F(LookupNamesTest, AscentScaleOfTheDivesOwnSettings)
{
    const qint64 standard = AddDive({{"LIFETIMEDIVENO", 1}});
    const qint64 velk = AddDive({{"LIFETIMEDIVENO", 2}});
    const qint64 without = AddDive({{"LIFETIMEDIVENO", 3}});
    gv.DB->Execute("Insert into DIVE_DC_SETTINGS (DIVEID, ALTTIME) values (?, 1), (?, 0)", {standard, velk});
    EXPECT_EQ(DiveAscentScale(*gv.DB, standard), AscentScale::Standard);
    EXPECT_EQ(DiveAscentScale(*gv.DB, velk), AscentScale::Velk);
    EXPECT_EQ(DiveAscentScale(*gv.DB, without), AscentScale::Velk);
    gv.DB->Execute("Drop table DIVE_DC_SETTINGS");
    EXPECT_EQ(DiveAscentScale(*gv.DB, standard), AscentScale::Velk) << "a log without settings per dive";
}

TEST_F(LookupNamesTest, ConditionNames)
{
    const std::tuple<QString (*)(const db::Value&), int, const char*> cases[] = {
        {GetCurrentName, 4, "Strong"}, {GetSurgeName, 2, "Light"}, {GetSurfName, 4, "Heavy"},
        {GetSwellName, 3, "Moderate"}, {GetTideName, 5, "Slack"},   {GetTideName, 99, ""},
        {GetCurrentName, 0, ""},
    };
    for (const auto& [lookup, id, name] : cases)
        EXPECT_EQ(lookup(id), name) << id;
}

// ---- Placing printed text ------------------------------------------------------------

// A surface whose characters are all 1 wide and whose lines are 1 high.
struct FakeSurface : PrintSurface {
    double x = 0, y = 0;
    QStringList lines{""};
    double CurrentX() const override { return x; }
    double CurrentY() const override { return y; }
    void SetCurrentX(double v) override { x = v; }
    void SetCurrentY(double v) override { y = v; }
    double TextWidth(const QString& text) const override { return text.size(); }
    void Print(const QString& text, bool endLine) override
    {
        if (lines.last().isEmpty())
            lines.last() = QString(int(x), ' ');
        lines.last() += text;
        x += text.size();
        if (endLine) {
            lines << "";
            x = 0;
            y += 1;
        }
    }
};

TEST(PrintHelpers, AlignedText)
{
    const std::tuple<int, const char*> cases[] = {{0, "     abcd"}, {1, " abcd"}, {2, "abcd"}, {3, "  abcd"}};
    for (const auto& [alignment, line] : cases) {
        FakeSurface p;
        p.x = 2;
        PrintTextAligned(p, 5, 7, "abcd", alignment);
        EXPECT_EQ(p.lines.first(), line) << alignment;
        EXPECT_EQ(p.y, 8);
    }
}

TEST(PrintHelpers, WrappedText)
{
    FakeSurface fits;
    EXPECT_EQ(PrintWrappedText(fits, "abc", 1, 10, 3), 4.0f);
    EXPECT_EQ(fits.lines, (QStringList{" abc", ""}));

    FakeSurface breaks;
    EXPECT_EQ(PrintWrappedText(breaks, "abcdefgh ij", 0, 4, 0), 3.0f);
    EXPECT_EQ(breaks.lines, (QStringList{"abcd-", "efgh", " ij", ""}));
}

} // namespace
} // namespace kvl
