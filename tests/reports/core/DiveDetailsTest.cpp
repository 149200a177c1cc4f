#include "reports/core/DiveDetails.h"

#include "shell/core/Global_Vars.h"
#include "tests/reports/core/LogbookTest.h"
#include "tests/support/QtPrint.h"

namespace kvl::test {
namespace {

class DiveDetailsTest : public LogbookTest {
protected:
    void Print(qint64 diveId)
    {
        MakeCurrent(diveId);
        PrintDiveDetails(printer);
    }
    // The time cells printed, in order.
    QStringList Times() const
    {
        QStringList times;
        for (const RecordedText& t : printer.texts)
            if (std::abs(t.x - 0.2) < 1e-6 && t.text.size() == 8 && t.text[2] == ':')
                times << t.text;
        return times;
    }
};

TEST_F(DiveDetailsTest, FirstSwitchedSampleAndTimesGoingBackAreSkipped)
{
    const qint64 id = Dive();
    AddSamples(id, {{0, 0.0}, {10, 20.0}, {20, 30.0}, {15, 30.0}, {30, 30.0}, {30, 20.0}, {40, 10.0},
                    {50, 0.0, 0, 0, 72, 0, 0x40}, {std::nullopt, 5.0}});
    gv.DB->Execute("Update DIVEDETAILS set SWITCHED = 1 where ORDNO IN (1, 3) ;");
    Print(id);
    EXPECT_EQ(Times(), (QStringList{"00:00:10", "00:00:20", "00:00:30", "00:00:30", "00:00:40"}));
    EXPECT_EQ(printer.ended, 1);
}

struct CellCase {
    const char* name;
    bool imperial;
    double value;
    QString (*cell)(const db::Value&);
    const char* text;
};

class DetailsCells : public LogbookTest, public ::testing::WithParamInterface<CellCase> {};

TEST_P(DetailsCells, Text)
{
    SetImperial(GetParam().imperial);
    EXPECT_EQ(GetParam().cell(GetParam().value), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Samples, DetailsCells,
    ::testing::Values(CellCase{"DepthRoundsBelowLimit", true, 329.6, DetailsDepthText, "330 FT"},
                      CellCase{"DepthAtLimit", true, 330, DetailsDepthText, "--- FT"},
                      CellCase{"DepthMetres", false, 100, DetailsDepthText, "30.5 M"},
                      CellCase{"DepthOneFoot", false, 1, DetailsDepthText, ".3 M"},
                      CellCase{"DepthMetresAtLimit", false, 400, DetailsDepthText, "--- M"},
                      CellCase{"TempFahrenheit", true, 78, DetailsTempText, "78 F"},
                      CellCase{"TempCelsius", false, 78, DetailsTempText, "25.6 C"}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(DetailsTime, WholeSecondsAsHoursMinutesSeconds)
{
    EXPECT_EQ(DetailsTimeText(3725), "01:02:05");
    EXPECT_EQ(DetailsTimeText(59.9), "00:00:59");
    EXPECT_EQ(DetailsTimeText(360000), "100:00:00");
}

TEST_F(DiveDetailsTest, AlarmCellsAndNullFields)
{
    const qint64 id = Dive();
    AddSamples(id, {{10, 20.0, 0, 3}, {20, 30.0, 0, 0, std::nullopt}});
    Print(id);
    EXPECT_TRUE(printer.Find("ON"));
    EXPECT_TRUE(printer.Find("Passed 400 FT, Max Depth"));
    EXPECT_EQ(Times().size(), 2);
}

TEST_F(DiveDetailsTest, HeaderBlockOnTheFirstPage)
{
    gv.UnitDate = 1;
    gv.UnitTime = 1;
    const qint64 id = Dive({{"LIFETIMEDIVENO", 12}, {"DIVEDATE", "2009/05/21"}, {"DIVETIME", "14:05"},
                            {"MDEPTH", 330}, {"DATATYPE", 1}});
    Print(id);
    EXPECT_EQ(Beside("Life Time Dive No.:", 1.75), " 12");
    EXPECT_EQ(Beside("Dive Date, Time:", 1.75), "05/21/2009, 02:05 PM");
    EXPECT_EQ(Beside("Max. Depth:", 1.75), "--- FT");
    EXPECT_EQ(Beside("Dive Data Type:", 1.75), "DC");
    EXPECT_TRUE(Beside("DC:", 1.75).endsWith(", S/N:  20511"));
    EXPECT_EQ(Beside("Elapsed Time:", 1.75), "10 Minutes");
    // Without samples: one page, the frame and the footer.
    EXPECT_EQ(printer.pages, 1);
    EXPECT_EQ(Count("Page 1"), 1);
    EXPECT_TRUE(printer.Find("Alarms Details "));
}

TEST_F(DiveDetailsTest, AscentBandsComeFromTheDivesStoredScale)
{
    SetImperial(true);
    struct Case {
        int altTime;
        const char* shallow;
        const char* deep;
    };
    for (const Case& c : {Case{1, "16-20 FPM", "31-40 FPM"}, Case{0, "39-44 FPM", "39-44 FPM"}}) {
        const qint64 id = Dive({{"LIFETIMEDIVENO", 1 + c.altTime}}, {{"ALTTIME", c.altTime}});
        AddSamples(id, {{10, 33.0, 2}, {20, 90.0, 2}});
        Print(id);
        QStringList bands;
        for (const RecordedText& t : printer.texts)
            if (t.text.endsWith(" FPM"))
                bands << t.text;
        EXPECT_EQ(bands, (QStringList{c.shallow, c.deep})) << "ALTTIME " << c.altTime;
    }
}

TEST_F(DiveDetailsTest, SamplingRateOfADownloadAndOfADiveEnteredByHand)
{
    Print(Dive({{"SNAPSHOT", 1}}));
    EXPECT_EQ(Beside("Dive Sampling Rate:", 1.75), "15 Secs");
    Print(Dive({{"LIFETIMEDIVENO", 2}, {"SNAPSHOT", 1}, {"DATATYPE", 0}}));
    EXPECT_EQ(Beside("Dive Sampling Rate:", 1.75), "");
}

TEST_F(DiveDetailsTest, RowsRunOverPagesWithTheHeadRepeated)
{
    const qint64 id = Dive();
    AddEvenSamples(id, 300);
    Print(id);

    ASSERT_GE(printer.pages, 2);
    for (int page = 1; page <= printer.pages; ++page) {
        EXPECT_EQ(Count("Dive Profile Details", page), 1) << page;
        EXPECT_EQ(Count(QString("Page %1").arg(page), page), 1) << page;
        EXPECT_EQ(Count("Depth ", page), 1) << page;
    }
    EXPECT_EQ(Count("Diver Name:"), 1);
    EXPECT_EQ(Times().size(), 300);
    // Rows print at 6 pt; the last row of page 1 gets no rule under it.
    double lastRowY = 0;
    for (const RecordedText& t : printer.texts) {
        if (t.page == 1 && std::abs(t.x - 0.2) < 1e-6 && t.text.size() == 8 && t.text[2] == ':') {
            EXPECT_EQ(t.size, 6);
            lastRowY = t.y;
        }
    }
    const double lineAt6 = 6.0 / 64;
    for (const RecordedLine& l : printer.lines) {
        if (l.page == 1 && l.y1 == l.y2) {
            EXPECT_GT(std::abs(l.y1 - (lastRowY + lineAt6)), 1e-6) << "rule under the last row";
        }
    }
    // The rule under an earlier row.
    bool ruled = false;
    for (const RecordedLine& l : printer.lines)
        ruled = ruled || (l.page == 1 && std::abs(l.y1 - (lastRowY - lineAt6 - 0.02 + lineAt6)) < 1e-6);
    EXPECT_TRUE(ruled);
}

} // namespace
} // namespace kvl::test
