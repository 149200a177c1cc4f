#include "shell/Lookups.h"
#include "tests/shell/ShellLogTest.h"

#include <functional>

namespace kvl {
namespace {

struct TextCase {
    std::function<void()> state;   // sets the application state the lookup reads
    std::function<QString()> lookup;
    const char* expected;
};

using NamedTextCase = std::pair<const char*, TextCase>;

void PrintTo(const NamedTextCase& c, std::ostream* os)
{
    *os << c.first;
}

class LookupTextTest : public ::testing::TestWithParam<NamedTextCase> {
protected:
    void TearDown() override { gv = Global_Vars{}; }
};

TEST_P(LookupTextTest, GivesTheText)
{
    const auto& [name, c] = GetParam();
    gv = Global_Vars{};
    c.state();
    EXPECT_EQ(c.lookup(), QString(c.expected)) << name;
}

void AltTime(quint8 flag) { gv.AltTimeFlag = flag; }
void Model(qint32 id) { gv.CurrentDive.MODELID = id; }
auto Nothing = [] {};

#define CASE(state, call, text) std::make_pair(#call, TextCase{state, [] { return call; }, text})

INSTANTIATE_TEST_SUITE_P(Ascent, LookupTextTest, ::testing::Values(
    CASE(Nothing, AscentRateText(0, 1, 100), "0-32 FPM"),
    CASE(Nothing, AscentRateText(5, 0, 100), ">18.5 MPM"),
    CASE(Nothing, AscentRateText(3, 2, 100), "15-16.5 MPM"),
    CASE([] { AltTime(1); }, AscentRateText(3, 1, 60), "21-25 FPM"),
    CASE([] { AltTime(1); }, AscentRateText(3, 1, 61), "41-50 FPM"),
    CASE([] { AltTime(1); }, AscentRateText(1, 0, 30), "3.5-4.5 MPM"),
    CASE([] { AltTime(1); }, AscentRateText(5, 0, 90), ">18.5 MPM"),
    CASE([] { AltTime(1); }, AscentRateText(6, 1, 10), ""),
    CASE(Nothing, AscentRateText(-1, 1, 10), "")));

INSTANTIATE_TEST_SUITE_P(Violation, LookupTextTest, ::testing::Values(
    CASE([] { Model(6774); }, ViolationText(1 + 2), "DECOMPRESSION"),
    CASE([] { Model(6680); }, ViolationText(2 + 8), "PO2 VIOLATION"),
    CASE([] { Model(6674); }, ViolationText(4), "O2 VIOLATION"),
    CASE([] { Model(6774); }, ViolationText(8), "VIOLATION"),
    CASE([] { Model(6774); gv.CurrentDive.GAUGEDIVE = true; }, ViolationText(8), "GAUGE DIVE"),
    CASE([] { Model(6774); }, ViolationText(16), ""),
    CASE([] { Model(0); }, ViolationText(1), "")));

INSTANTIATE_TEST_SUITE_P(Alarms, LookupTextTest, ::testing::Values(
    CASE([] { gv.UnitSystem = 0; }, AlarmListText(1 + 4 + 32), "Passed 120 M, NAV Leg Over, EDT"),
    CASE([] { gv.UnitSystem = 1; }, AlarmListText(1 + 2 + 8 + 16), "Passed 400 FT, Max Depth, Max PO2, Ascent Rate"),
    CASE(Nothing, AlarmListText(64), ""),
    CASE(Nothing, AlarmListText(db::Value()), "")));

INSTANTIATE_TEST_SUITE_P(SampleRates, LookupTextTest, ::testing::Values(
    CASE([] { Model(6774); }, SampleRateText(0), "2 Secs"),
    CASE([] { Model(6675); gv.UnitDepth = 1; }, SampleRateText(4), "2 FT"),
    CASE([] { Model(6774); gv.UnitDepth = 0; }, SampleRateText(6), "3.0 M "),
    CASE([] { Model(6774); gv.UnitDepth = 1; }, SampleRateText(6), "10 FT "),
    CASE([] { Model(6774); }, SampleRateText(7), ""),
    CASE([] { Model(6674); }, SampleRateText(0), ""),
    CASE(Nothing, DiveSampleRateText(6, 6774), "30 Secs"),
    CASE(Nothing, DiveSampleRateText(6, 6674), "15 Secs"),
    CASE(Nothing, DiveSampleRateText(3, 6674), "2 Secs"),
    CASE([] { gv.UnitDepth = 0; }, DiveSampleRateText(2, 6674), "3 M"),
    CASE([] { gv.UnitDepth = 1; }, DiveSampleRateText(1, 6674), "5 FT"),
    CASE(Nothing, DiveSampleRateText(10, 6674), "")));

INSTANTIATE_TEST_SUITE_P(Durations, LookupTextTest, ::testing::Values(
    CASE(Nothing, DurationBandText(0), "0 Min."),
    CASE(Nothing, DurationBandText(4), "16-20 Min."),
    CASE(Nothing, DurationBandText(5), "21Min. - 25 Min."),
    CASE(Nothing, DurationBandText(11), "51Min. - 55 Min."),
    CASE(Nothing, DurationBandText(12), ">= 60 Min."),
    CASE([] { gv.BarGraphScale[3] = 14; }, DurationBandText(1), "0 Min. - 2.5 Min."),
    CASE([] { gv.BarGraphScale[3] = 14; }, DurationBandText(4), "7.5 Min. - 10 Min."),
    CASE([] { gv.BarGraphScale[3] = 14; }, DurationBandText(5), "10 Min. - 15 Min."),
    CASE([] { gv.BarGraphScale[3] = 14; }, DurationBandText(14), "55 Min. - 60 Min."),
    CASE([] { gv.BarGraphScale[3] = 14; }, DurationBandText(15), ">= 60 Min.")));

INSTANTIATE_TEST_SUITE_P(Settings, LookupTextTest, ::testing::Values(
    CASE(Nothing, DCSettingsText("ASCENTSCALE", 0, 0), "VELK"),
    CASE(Nothing, DCSettingsText("ASCENTSCALE", 1, 0), "Standard"),
    CASE(Nothing, DCSettingsText("UNITS", 0, 0), "Imperial"),
    CASE(Nothing, DCSettingsText("UNITS", db::Value(), 0), "Metric"),
    CASE(Nothing, DCSettingsText("units", 0, 0), ""),
    CASE(Nothing, DCSettingsText("HOUR", 1, 0), "24"),
    CASE(Nothing, DCSettingsText("HOUR", 0, 0), "12"),
    CASE(Nothing, DCSettingsText("WATER", 1, 0), "ON"),
    CASE(Nothing, DCSettingsText("FO2", 1, 0), "OFF"),
    CASE(Nothing, DCSettingsText("FO2", 0, 0), "ON"),
    CASE(Nothing, DCSettingsText("NAVDIVE", 2, 0), "OFF"),
    CASE(Nothing, DCSettingsText("AUDIBLEALARM", 1, 0), "ON"),
    CASE(Nothing, DCSettingsText("NAVBACKLIGHT", 0, 0), "Constant"),
    CASE(Nothing, DCSettingsText("NAVBACKLIGHT", 1, 0), "Time Out"),
    CASE(Nothing, DCSettingsText("BACKLIGHT", 3, 0), "15 secs"),
    CASE([] { Model(6774); }, DCSettingsText("DIVESAMPLE", 2, 0), "30 Secs"),
    CASE(Nothing, DCSettingsText("MAXDEPTH", 330, 0), "330 FT"),
    CASE(Nothing, DCSettingsText("MAXDEPTH", 330, 1), "99 M"),
    CASE(Nothing, DCSettingsText("MAXDEPTH", 30, 1), "9 M"),
    CASE(Nothing, DCSettingsText("MAXDEPTH", 100, 1), "30 M"),
    CASE(Nothing, DCSettingsText("EDT", 5, 0), "0:05"),
    CASE(Nothing, DCSettingsText("EDT", 130, 0), "1:30"),
    CASE(Nothing, DCSettingsText("PO2", 140, 0), "1.40")));

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
