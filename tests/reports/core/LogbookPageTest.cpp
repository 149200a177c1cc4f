#include "reports/core/LogbookPage.h"

#include "reports/core/DiveDetails.h"
#include "shell/core/Global_Vars.h"
#include "tests/reports/core/LogbookTest.h"
#include "tests/support/QtPrint.h"

#include <cmath>

namespace kvl::test {
namespace {

constexpr double kLine = 0.125;   // a line at 8 pt on the recording printer
constexpr double kChar = 1.0 / 16;

class LogbookPageTest : public LogbookTest {
protected:
    void Print(qint64 diveId)
    {
        MakeCurrent(diveId);
        PrintFrm::Instance().PrintIt(printer);
    }
    std::vector<RecordedLine> LinesOfWidth(int width) const
    {
        std::vector<RecordedLine> found;
        for (const RecordedLine& l : printer.lines)
            if (l.width == width)
                found.push_back(l);
        return found;
    }
    int DottedLines(bool vertical) const
    {
        int n = 0;
        for (const RecordedLine& l : printer.lines)
            n += l.style == PenStyle::Dotted && (l.x1 == l.x2) == vertical;
        return n;
    }
};

TEST_F(LogbookPageTest, ADiveWithoutSetPointsIsRefusedWithNoDocument)
{
    const qint64 id = AddDive(DownloadedDive());
    MakeCurrent(id);
    dialogs.ExpectMsg("User-defined set points data are missing. Could not print.");
    PrintFrm::Instance().PrintIt(printer);
    EXPECT_EQ(dialogs.Messages().at(0).title, "Error");
    EXPECT_EQ(dialogs.Messages().at(0).icon, MsgIcon::Critical);
    EXPECT_EQ(printer.documents, 0);
}

TEST_F(LogbookPageTest, GraphFrameLabelsTitlesAndColouredCurve)
{
    const qint64 id = Dive({{"BTIME", 10}, {"MDEPTH", 100}});
    AddSamples(id, {{60, 30.0, 0}, {120, 60.0, 5}, {180, 20.0, 4}, {240, 10.0, 0}});
    Print(id);

    ASSERT_GE(printer.lines.size(), 4u);
    const double bottom = 0.5 + 9.5 / 3;
    const std::vector<std::array<double, 4>> frame{
        {0.5, 0.5, 4.0, 0.5}, {0.5, 0.5, 0.5, bottom}, {0.5, bottom, 4.0, bottom}, {4.0, 0.5, 4.0, bottom}};
    for (size_t i = 0; i < frame.size(); ++i) {
        const RecordedLine& l = printer.lines[i];
        EXPECT_EQ(l.width, 4);
        EXPECT_NEAR(l.x1, frame[i][0], 1e-9);
        EXPECT_NEAR(l.y1, frame[i][1], 1e-9);
        EXPECT_NEAR(l.x2, frame[i][2], 1e-9);
        EXPECT_NEAR(l.y2, frame[i][3], 1e-9);
    }
    const RecordedText* title = printer.Find("ELAPSED TIME (Minutes)");
    ASSERT_TRUE(title);
    EXPECT_NEAR(title->x + title->text.size() * kChar, 4.0, 1e-6);
    EXPECT_NEAR(title->y, 0.125, 1e-9);
    // Ten one-minute ticks and ten ten-foot ticks, each labelled as the printer writes numbers.
    const RecordedText* lastMinute = printer.Find(" 10");
    ASSERT_TRUE(lastMinute);
    EXPECT_NEAR(lastMinute->x, 4.0, 1e-6);
    EXPECT_NEAR(lastMinute->y, 0.25, 1e-9);
    const RecordedText* deepest = printer.Find(" 100");
    ASSERT_TRUE(deepest);
    EXPECT_NEAR(deepest->x, 0.125, 1e-9);
    EXPECT_NEAR(deepest->y, bottom, 1e-6);
    EXPECT_EQ(Beside("DEPTH (", 0.125 + 7 * kChar), "FT)");
    EXPECT_NEAR(printer.Find("DEPTH (")->y, bottom + kLine, 1e-6);
    EXPECT_EQ(DottedLines(true), 9);
    EXPECT_EQ(DottedLines(false), 9);
    for (const RecordedLine& l : printer.lines) {
        if (l.style == PenStyle::Dotted) {
            EXPECT_EQ(l.color, RGB(180, 180, 180));
        }
    }

    const auto curve = LinesOfWidth(6);
    ASSERT_EQ(curve.size(), 4u);
    const std::vector<quint32> colours{kBlue, kBlue, kRed, kBlue};
    for (size_t i = 0; i < curve.size(); ++i)
        EXPECT_EQ(curve[i].color, colours[i]) << "segment " << i;
    EXPECT_NEAR(curve[0].x1, 0.5, 1e-9);
    EXPECT_NEAR(curve[0].y1, 0.5, 1e-9);
    EXPECT_NEAR(curve[1].x2, 0.5 + 120 * 3.5 / 600, 1e-6);
    EXPECT_NEAR(curve[1].y2, 0.5 + 60 * (9.5 / 3) / 100, 1e-6);
    EXPECT_EQ(printer.DrawWidth(), 1);
    EXPECT_EQ(printer.DrawStyle(), PenStyle::Solid);
    // The divider, then everything after the grid, is solid.
    bool afterGrid = false;
    for (const RecordedLine& l : printer.lines) {
        afterGrid = afterGrid || l.style == PenStyle::Dotted;
        if (afterGrid && l.width != 1 && l.style == PenStyle::Dotted)
            ADD_FAILURE() << "dotted line of width " << l.width;
    }
}

TEST_F(LogbookPageTest, ManualDiveAndTooFewSamplesGetTheEmptyGraph)
{
    const qint64 downloaded = Dive();
    AddTimes(downloaded, {0, 20, 40, 60});
    Print(downloaded);
    EXPECT_FALSE(LinesOfWidth(6).empty());

    const qint64 manual = Dive({{"DATATYPE", 0}});
    AddTimes(manual, {0, 20, 40, 60});
    printer = RecordingPrinter{};
    Print(manual);
    EXPECT_TRUE(LinesOfWidth(6).empty());
    EXPECT_EQ(DottedLines(true), 9);

    // Two samples: no curve, not even the earlier dive's.
    const qint64 twoSamples = Dive();
    AddTimes(twoSamples, {0, 20});
    printer = RecordingPrinter{};
    Print(twoSamples);
    EXPECT_TRUE(LinesOfWidth(6).empty());
    EXPECT_EQ(PrintFrm::Instance().ProfileCount, 0);
    EXPECT_EQ(printer.ended, 1);
}

struct TickCase {
    const char* name;
    double btime;
    double mdepth;     // feet as stored
    bool imperial;
    int timeTicks;
    int depthTicks;
};

class LogbookTicks : public LogbookPageTest, public ::testing::WithParamInterface<TickCase> {};

TEST_P(LogbookTicks, GridFollowsTheTickCounts)
{
    const TickCase& c = GetParam();
    SetImperial(c.imperial);
    Print(Dive({{"BTIME", c.btime}, {"MDEPTH", c.mdepth}}));
    EXPECT_EQ(DottedLines(true), c.timeTicks - 1);
    EXPECT_EQ(DottedLines(false), c.depthTicks - 1);
}

INSTANTIATE_TEST_SUITE_P(
    Dives, LogbookTicks,
    ::testing::Values(TickCase{"m10", 10, 85.3, true, 10, 9}, TickCase{"m11", 11, 100, false, 6, 6},
                      TickCase{"m45", 45, 10.5, true, 9, 5}, TickCase{"m250", 250, 10.5, true, 5, 5},
                      TickCase{"zero", 0, 0, true, 1, 1}),
    [](const auto& row) { return std::string(row.param.name); });

struct SeriesCase {
    const char* name;
    int snapshot;
    std::vector<int> times;
    std::vector<float> kept;
};

class LogbookSeries : public LogbookPageTest, public ::testing::WithParamInterface<SeriesCase> {};

TEST_P(LogbookSeries, LoadedTimes)
{
    const SeriesCase& c = GetParam();
    const qint64 id = Dive({{"SNAPSHOT", c.snapshot}});
    AddTimes(id, c.times);
    MakeCurrent(id);
    PrintFrm& form = PrintFrm::Instance();
    form.InitArr();
    ASSERT_EQ(form.ProfileCount, qint32(c.kept.size()));
    EXPECT_EQ(std::vector<float>(form.ProfileTime.begin(), form.ProfileTime.begin() + form.ProfileCount), c.kept);
}

INSTANTIATE_TEST_SUITE_P(
    Samples, LogbookSeries,
    ::testing::Values(SeriesCase{"TimeGoingBackDropped", 0, {0, 20, 10, 40}, {0, 20, 40}},
                      SeriesCase{"EqualTimesKept", 0, {0, 0, 20}, {0, 0, 20}},
                      SeriesCase{"TimeSamplingUnchanged", 3, {0, 0, 0, 60}, {0, 0, 0, 60}},
                      SeriesCase{"DepthStepsSpreadFromZero", 4, {0, 0, 0, 60}, {0, 20, 40, 60}},
                      SeriesCase{"RunsFirstSampleNotSpread", 5, {60, 60, 60, 120}, {60, 60, 90, 120}},
                      SeriesCase{"TwoRowsGiveNothing", 4, {0, 20}, {}}),
    [](const auto& row) { return std::string(row.param.name); });

struct BlockCase {
    const char* name;
    bool imperial;
    Columns dive;
    Columns setPoints;
    const char* label;
    double valueX;
    const char* value;
};

class LogbookBlocks : public LogbookPageTest, public ::testing::WithParamInterface<BlockCase> {};

TEST_P(LogbookBlocks, ValueStandsOnItsLabelsLine)
{
    const BlockCase& c = GetParam();
    SetImperial(c.imperial);
    Print(Dive(c.dive, c.setPoints));
    EXPECT_EQ(Beside(c.label, c.valueX), c.value);
}

INSTANTIATE_TEST_SUITE_P(
    Values, LogbookBlocks,
    ::testing::Values(
        BlockCase{"Diver", true, {}, {}, "Diver Name:", 5.75, "Ann Diver"},
        BlockCase{"LifetimeNo", true, {{"LIFETIMEDIVENO", 12}}, {}, "Life Time Dive No.:", 5.75, " 12"},
        BlockCase{"DepthFeet", true, {{"MDEPTH", 98.4}}, {}, "Max. Depth:", 5.75, "98.4 FT"},
        BlockCase{"DepthMetres", false, {{"MDEPTH", 98.4}}, {}, "Max. Depth:", 5.75, "30.0 M"},
        BlockCase{"DepthOutOfRange", true, {{"MDEPTH", 330}}, {}, "Max. Depth:", 5.75, "--- FT"},
        BlockCase{"TempCelsiusKeepsPoint", false, {{"TEMP", 75.2}}, {}, "Min. Temperature:", 5.75, "24. C"},
        BlockCase{"DataTypeModified", true, {{"DATATYPE", 3}}, {}, "Dive Data Type:", 5.75, "DC Modified"},
        BlockCase{"UnitsImperial", true, {}, {{"UNITS", 0}}, "Units:", 5.75, "Imperial"},
        BlockCase{"AscentScale", true, {}, {{"ALTTIME", 0}}, "Ascent Scale:", 5.75, "VELK"},
        BlockCase{"BackLight", true, {}, {{"BACKLIGHT", 3}}, "Back Light Duration:", 4.5 + 21 * kChar, "15 secs"},
        BlockCase{"MaxDepthMetric", true, {}, {{"UNITS", 1}, {"MAXDEPTH", 100}}, "Max Depth:", 5.75, "30 M"},
        BlockCase{"Edt", true, {}, {{"EDT", 5}}, "Elapsed Dive Time:", 5.75, "0:05"},
        BlockCase{"PO2", true, {}, {{"PO2", 160}}, "Max PO2:", 5.75, "1.60"},
        BlockCase{"VisibilityFeet", true, {{"VISIBILITY", 0.4}}, {}, "Visibility:", 1.375, "0 FT"},
        BlockCase{"VisibilityMetres", false, {{"VISIBILITY", 10}}, {}, "Visibility:", 1.375, "3.0 M"},
        BlockCase{"AirCelsius", false, {{"AIR", 20}}, {}, "Air:", 1.375, "-6.7 C"},
        BlockCase{"SurfaceBelowZero", false, {{"SURFACE", -4}}, {}, "Surface:", 1.375, "-20.0 C"},
        BlockCase{"SurfaceBelowZeroFahrenheit", true, {{"SURFACE", -4}}, {}, "Surface:", 1.375, ""},
        BlockCase{"CurrentIdOne", true, {{"CURRENT", 1}, {"CURRENT_FT", 3}}, {}, "Current:", 1.375, ""},
        BlockCase{"OperatorNone", true, {{"OPERATOR", "none"}}, {}, "Operator:", 1.375, ""},
        BlockCase{"OperatorNamed", true, {{"OPERATOR", "NONEsuch"}}, {}, "Operator:", 1.375, "NONEsuch"},
        BlockCase{"GpsNull", true, {}, {}, "GPS:", 1.375, ""},
        // A label that reaches the value column pushes its value a blank's width past its end.
        BlockCase{"DiveNoAfterItsLabel", true, {{"DIVENO", 13}}, {}, "Radarar Edeze Dive No.:", 4.5 + 24 * kChar, " 13"},
        BlockCase{"SurfaceAfterItsLabel", true, {{"STIME", "1:05"}}, {}, "Prior Surface Interval:", 4.5 + 24 * kChar,
                  "1:05"},
        BlockCase{"NavBackLightAfterItsLabel", true, {}, {{"NAVBACKLIGHT", 0}}, "NAV Back Light Mode:",
                  4.5 + 21 * kChar, "Constant"},
        BlockCase{"SamplingRateLeavesAGap", true, {}, {}, "Dive Sampling Rate:", 5.75, "2 Secs"}),
    [](const auto& row) { return std::string(row.param.name); });

TEST_F(LogbookPageTest, SetPointValuesShareTheirLabelsLines)
{
    Print(Dive());
    const RecordedText* sampling = printer.Find("Dive Sampling Rate:");
    const RecordedText* audible = printer.Find("Audible Alarm:");
    ASSERT_TRUE(sampling && audible);
    EXPECT_NEAR(audible->y - sampling->y, 3 * kLine, 1e-9);
    EXPECT_EQ(Beside("Audible Alarm:", 5.75), "OFF");
    EXPECT_EQ(Beside("Dive Sampling Rate:", 5.75), "2 Secs");
}

TEST_F(LogbookPageTest, NameListsAreSortedOnceAndCappedAtAnInch)
{
    const qint64 id = Dive();
    for (const char* name : {"Carl", "Ann", "Bob"}) {
        const qint64 person = InsertRow(*gv.DB, "USERINFO", {{"NAME", name}, {"USERTYPE", 4}});
        InsertRow(*gv.DB, "BUDDIES", {{"DIVEID", id}, {"BUDDYID", person}});
    }
    gv.DB->Execute("Insert into BUDDIES (DIVEID, BUDDYID) Select DIVEID, BUDDYID from BUDDIES ;");  // each twice
    // A captain list far longer than an inch, then a dive type that still gets its line.
    QString crowd;
    for (int i = 0; i < 60; ++i)
        crowd += QString("Captain%1 ").arg(i);
    const qint64 captain = InsertRow(*gv.DB, "USERINFO", {{"NAME", crowd}, {"USERTYPE", 2}});
    InsertRow(*gv.DB, "CAPTAIN", {{"DIVEID", id}, {"CAPID", captain}});
    const qint64 type = InsertRow(*gv.DB, "DIVETYPEDATA", {{"TYPEDATA", "Wreck"}});
    InsertRow(*gv.DB, "DIVETYPES", {{"DIVEID", id}, {"TYPEID", type}});
    Print(id);

    const RecordedText* buddies = printer.Find("Buddies:");
    ASSERT_TRUE(buddies);
    EXPECT_EQ(LineText(1, buddies->y + kLine, 0.125, 4.25), "Ann, Bob, Carl");
    const RecordedText* captainLabel = printer.Find("Captain:");
    const RecordedText* location = printer.Find("LOCATION");
    ASSERT_TRUE(captainLabel && location);
    // Lines end at most one inch below the list's top, then two line ends.
    const double top = captainLabel->y + kLine;
    EXPECT_NEAR(location->y, top + 9 * kLine + 2 * kLine, 1e-9);
    for (const RecordedText& t : printer.texts) {
        if (t.page == 1 && t.y > captainLabel->y && t.y < location->y && t.text.size() == 1) {
            EXPECT_LT(t.x, 4.25) << t.text.toStdString();
        }
    }
    const RecordedText* diveType = printer.Find("Dive Type:");
    ASSERT_TRUE(diveType);
    EXPECT_EQ(LineText(1, diveType->y + kLine, 0.125, 4.25), "Wreck");
}

TEST_F(LogbookPageTest, LongHighlightsContinueOnPageTwoWithOneFooterAPage)
{
    QString highlights;
    for (int i = 0; i < 200; ++i)
        highlights += QString("Reef%1 ").arg(i);
    Print(Dive({{"HIGHLIGHTS", highlights}}));

    EXPECT_EQ(printer.pages, 2);
    const RecordedText* cut = printer.Find("...(continue on the next page)");
    ASSERT_TRUE(cut);
    EXPECT_TRUE(cut->italic);
    EXPECT_EQ(cut->page, 1);
    const auto page2 = printer.TextsOn(2);
    ASSERT_GE(page2.size(), 2u);
    EXPECT_EQ(page2[0].text, "Highlights:");
    EXPECT_TRUE(page2[0].underline);
    EXPECT_NEAR(page2[0].y, 0.125, 1e-9);
    EXPECT_EQ(page2[1].text, "(continue from previous page)");
    EXPECT_TRUE(page2[1].italic);
    EXPECT_EQ(Count("Page 1", 1), 1);
    EXPECT_EQ(Count("Page 2", 2), 1);
    EXPECT_EQ(Count("Page 1") + Count("Page 2"), 2);
    EXPECT_EQ(printer.ended, 1);
}

TEST_F(LogbookPageTest, AllThreeTextsCutContinueInTheirOrder)
{
    Print(Dive({{"HIGHLIGHTS", QString("h").repeated(600)}, {"DIRECTIONS", QString("d").repeated(600)},
                {"MEMO", QString("m").repeated(12000)}}));

    EXPECT_EQ(Count("...(continue on the next page)", 1), 3);
    EXPECT_EQ(Count("...(continue on the next page)"), Count("(continue from previous page)"));
    QStringList labels;
    for (const RecordedText& t : printer.texts)
        if (t.page > 1 && t.underline)
            labels << t.text;
    EXPECT_EQ(labels.mid(0, 3), (QStringList{"Highlights:", "Directions:", "Memo:"}));
    for (int page = 1; page <= printer.pages; ++page)
        EXPECT_EQ(Count(QString("Page %1").arg(page), page), 1) << "page " << page;
}

TEST_F(LogbookPageTest, ShortNotesMakeOnePage)
{
    Print(Dive({{"HIGHLIGHTS", "Turtle"}, {"DIRECTIONS", "North"}, {"MEMO", "Calm"}}));
    EXPECT_EQ(printer.pages, 1);
    EXPECT_EQ(Count("Page 1"), 1);
    EXPECT_EQ(printer.Find("...(continue on the next page)"), nullptr);
}

TEST_F(LogbookPageTest, LongMemoJoinsBackAcrossPages)
{
    QString memo;
    while (memo.size() < 20000)
        memo += "abcdefghijklmnopqrstuvwxyz0123456789";
    Print(Dive({{"MEMO", memo}}));

    EXPECT_GE(printer.pages, 3);
    QString printed;
    for (const RecordedText& t : printer.texts)
        if (t.text.size() == 1 && t.text != "-")
            printed += t.text;
    EXPECT_EQ(printed, memo);
    for (int page = 1; page <= printer.pages; ++page)
        EXPECT_EQ(Count(QString("Page %1").arg(page), page), 1) << "page " << page;
    EXPECT_EQ(printer.TextsOn(2).at(0).text, "Memo:");
}

// The single characters printed on all pages that pass keep, "-" left out: what the
// character wrap printed of a text made of such characters.
QString WrappedCharacters(const RecordingPrinter& printer, bool (*keep)(QChar))
{
    QString printed;
    for (const RecordedText& t : printer.texts)
        if (t.text.size() == 1 && keep(t.text[0]))
            printed += t.text;
    return printed;
}

TEST_F(LogbookPageTest, AFullLeftColumnGoesOnToTheNextPageAboveEveryFooter)
{
    QString highlights;
    for (int i = 0; i < 1500; ++i)
        highlights += QChar('A' + i % 26);
    const QString directions = QString("#+=").repeated(250);
    Print(CrowdedDive(highlights, directions));

    ASSERT_GE(printer.pages, 2);
    for (const RecordedText& t : printer.texts) {
        const bool footer = t.size == 6;
        const double bottom = t.y + t.size / 64;
        const double right = t.x + t.text.size() * t.size / 128;
        EXPECT_TRUE(footer ? t.y >= 10.5 - 1e-9 : bottom <= 10.5 + 1e-9)
            << t.text.toStdString() << " page " << t.page << " y " << t.y;
        EXPECT_LE(bottom, 11.0);
        EXPECT_LE(right, 8.25) << t.text.toStdString();
        if (t.page == 1 && t.x < 4.25) {
            EXPECT_LE(right, 4.25) << t.text.toStdString();
        }
    }
    // Nothing of the notes is lost or printed twice.
    EXPECT_EQ(WrappedCharacters(printer, [](QChar c) { return c.isUpper(); }), highlights);
    EXPECT_EQ(WrappedCharacters(printer, [](QChar c) { return QString("#+=").contains(c); }), directions);

    // The dive types are cut at the page's foot and go on, headed again, on page 2.
    const auto page1 = printer.TextsOn(1);
    const auto cut = std::find_if(page1.begin(), page1.end(),
                                  [](const RecordedText& t) { return t.text == "...(continue on the next page)"; });
    ASSERT_NE(cut, page1.end());
    EXPECT_LT(cut->x, 4.25);
    const auto page2 = printer.TextsOn(2);
    ASSERT_GE(page2.size(), 2u);
    EXPECT_EQ(page2[0].text, "Dive Type:");
    EXPECT_EQ(page2[1].text, "(continue from previous page)");
    // The notes follow below the conditions on the same page, whole.
    const RecordedText* highlightsLabel = nullptr;
    for (const RecordedText& t : page2)
        if (t.text == "Highlights:" && !highlightsLabel)
            highlightsLabel = &t;
    ASSERT_TRUE(highlightsLabel);
    EXPECT_GT(highlightsLabel->y, printer.TextsOn(2).at(0).y);
    EXPECT_EQ(Count("(continue from previous page)"), Count("...(continue on the next page)"));
    for (int page = 1; page <= printer.pages; ++page)
        EXPECT_EQ(Count(QString("Page %1").arg(page), page), 1) << "page " << page;
    EXPECT_EQ(printer.ended, 1);
}

// The texts on the lines from label's down to, not including, next's, from x on;
// each must end before right.
QString RowTexts(const RecordingPrinter& printer, const RecordedText& label, const RecordedText& next, double x,
                 double right)
{
    QString printed;
    for (const RecordedText& t : printer.texts)
        if (t.page == label.page && t.y >= label.y && t.y < next.y && t.x >= x - 1e-9) {
            EXPECT_LE(t.x + t.text.size() * kChar, right) << t.text.toStdString();
            printed += t.text;
        }
    return printed.remove('-').remove(' ');
}

TEST_F(LogbookPageTest, LongValuesWrapInsideTheirColumn)
{
    const QString operatorName = "red sea liveaboard and day boats of hurghada, egypt";
    const qint64 place = InsertRow(*gv.DB, "LOCATIONS", {{"LOCATIONNAME", kLongLocation}});
    Print(Dive({{"LOCID", place}, {"OPERATOR", operatorName}, {"DIVEBOAT", "Sea Star"}}));

    const RecordedText* location = printer.Find("Location:");
    const RecordedText* site = printer.Find("Dive Site:");
    ASSERT_TRUE(location && site);
    EXPECT_NEAR(site->y, location->y + 2 * kLine, 1e-9);
    EXPECT_EQ(RowTexts(printer, *location, *site, 5.75, 8.0 + 3 * kChar), QString(kLongLocation).remove(' '));

    const RecordedText* operatorLabel = printer.Find("Operator:");
    const RecordedText* boat = printer.Find("Dive Boat:");
    ASSERT_TRUE(operatorLabel && boat);
    EXPECT_NEAR(boat->y, operatorLabel->y + 2 * kLine, 1e-9);
    EXPECT_EQ(RowTexts(printer, *operatorLabel, *boat, 1.375, 4.25), QString(operatorName).remove(' '));
    EXPECT_EQ(Beside("Dive Boat:", 1.375), "Sea Star");
}

struct WrapCase {
    const char* name;
    const char* text;
    QStringList lines;
    int next;
    bool stopAfterFirstLine = false;
};

class CharacterWrap : public LogbookTest, public ::testing::WithParamInterface<WrapCase> {};

// Four characters fit between 0 and 0.25 at 8 pt.
TEST_P(CharacterWrap, BreaksAtTheLimit)
{
    const WrapCase& c = GetParam();
    printer.SetFontSize(8);
    printer.SetCurrentY(0);
    const int next = WrapText(printer, c.text, 1, 0, 0.25, [&] { return c.stopAfterFirstLine && printer.CurrentY() > 0; });
    EXPECT_EQ(next, c.next);
    QStringList lines;
    for (int i = 0; i < c.lines.size(); ++i)
        lines << LineText(printer.Page(), i * kLine, 0, 8);
    EXPECT_EQ(lines, c.lines);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, CharacterWrap,
    ::testing::Values(WrapCase{"CharacterAtLimitGetsHyphen", "abcdefg", {"abcde-", "fg"}, 0},
                      WrapCase{"BlankAtLimitDropped", "abcd efg", {"abcd", "efg"}, 0},
                      WrapCase{"CrLfOneBreak", "ab\r\ncd", {"ab", "cd", ""}, 0},
                      WrapCase{"LfAloneOneBreak", "ab\ncd", {"ab", "cd", ""}, 0},
                      WrapCase{"EveryLineEndTheBoxShowsOneBreak", "L3\nL4\u2028L5\u2029L6\rL7",
                               {"L3", "L4", "L5", "L6", "L7", ""}, 0},
                      WrapCase{"LineEndsAfterLineEndsEachABreak", "ab\r\r\ncd\n\ref\n\ngh",
                               {"ab", "", "cd", "", "ef", "", "gh", ""}, 0},
                      WrapCase{"CrLfAtTheLimitOneBreak", "abcd\r\nef\nab", {"abcd", "ef", "ab", ""}, 0},
                      WrapCase{"StopTest", "abcdefgh", {"abcde-", ""}, 6, true},
                      WrapCase{"LastCharacterPassingLimitIsDone", "abcde", {"abcde-", ""}, 0, true}),
    [](const auto& row) { return std::string(row.param.name); });

} // namespace
} // namespace kvl::test

namespace kvl::test {
namespace {

struct OddCase {
    const char* name;
    Columns dive;
    std::vector<SampleRow> samples;
};

class OddDives : public LogbookTest, public ::testing::WithParamInterface<OddCase> {};

// Both dive reports finish with one footer a page, numbered without a gap.
TEST_P(OddDives, ReportsFinish)
{
    const qint64 id = Dive(GetParam().dive);
    AddSamples(id, GetParam().samples);
    MakeCurrent(id);
    for (bool details : {false, true}) {
        printer = RecordingPrinter{};
        if (details)
            PrintDiveDetails(printer);
        else
            PrintFrm::Instance().PrintIt(printer);
        EXPECT_EQ(printer.ended, 1);
        for (int page = 1; page <= printer.pages; ++page)
            EXPECT_EQ(Count(QString("Page %1").arg(page), page), 1) << (details ? "details" : "logbook") << page;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Data, OddDives,
    ::testing::Values(
        OddCase{"NoSamples", {}, {}},
        OddCase{"AllAtTimeZero", {{"BTIME", 0}}, {{0, 10.0}, {0, 20.0}, {0, 5.0}}},
        OddCase{"DepthZero", {{"MDEPTH", 0}}, {{0, 0.0}, {10, 0.0}, {20, 0.0}}},
        OddCase{"HundredHours", {{"BTIME", 6000}}, {{0, 10.0}, {360000, 20.0}, {360010, 5.0}}},
        OddCase{"NullFields",
                {{"MDEPTH", db::Value()}, {"TEMP", db::Value()}, {"BTIME", db::Value()}, {"VISIBILITY", db::Value()},
                 {"MODELSERNO", db::Value()}, {"LIFETIMEDIVENO", db::Value()}},
                {{0, 10.0, 0, 0, std::nullopt}, {10, 20.0}, {20, 5.0}}},
        OddCase{"MegabyteMemo", {{"MEMO", QString("memo text ").repeated(100000)}}, {}},
        OddCase{"MemoOfLineBreaks", {{"MEMO", QString("\r\n").repeated(2000)}}, {}},
        OddCase{"LongTextsEverywhere",
                {{"MEMO", QString("x").repeated(40000)}, {"HIGHLIGHTS", QString("h ").repeated(3000)},
                 {"DIRECTIONS", QString("d").repeated(5000)}},
                {}}),
    [](const auto& row) { return std::string(row.param.name); });

} // namespace
} // namespace kvl::test
