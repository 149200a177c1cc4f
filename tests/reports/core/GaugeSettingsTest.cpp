#include "reports/core/GaugeSettings.h"

#include "reports/core/ReportFrame.h"
#include "tests/reports/core/ReportTest.h"

namespace kvl::test {
namespace {

constexpr qint32 kModel = 6774;
constexpr qint32 kSerial = 12345;

class GaugeSettingsTest : public ReportTest {
protected:
    void Settings(const Columns& extra = {})
    {
        Columns columns{{"DCID", kModel}, {"DCSERIALNO", kSerial}};
        columns.insert(columns.end(), extra.begin(), extra.end());
        InsertRow(*gv.DB, "DC_SETTINGS", columns);
    }
    void Leg(int legNo, int heading, int cdt)
    {
        InsertRow(*gv.DB, "DC_NAV", {{"DCID", kModel}, {"DCSERIALNO", kSerial}, {"LEGNO", legNo},
                                     {"HEADING", heading}, {"CDT", cdt}});
    }
    const RecordedText* ValueBeside(const QString& label)
    {
        const RecordedText* l = printer.Find(label);
        if (!l)
            return nullptr;
        for (const RecordedText& t : printer.texts)
            if (t.x == 2.0 && t.y == l->y && t.page == l->page)
                return &t;
        return nullptr;
    }
    int LinesOn(int page) const
    {
        int n = 0;
        for (const RecordedLine& l : printer.lines)
            n += l.page == page;
        return n;
    }
};

TEST_F(GaugeSettingsTest, SettingsPrintTheirTextsBesideTheirLabels)
{
    // A manual current dive does not blank the unit's sampling rate.
    gv.CurrentDive.MODELID = 0;
    Settings({{"UNITS", 1}, {"HOUR", 1}, {"WATER", 1}, {"ASCENT", 0}, {"NAVBACKLIGHT", 1}, {"BACKLIGHT", 3},
              {"DIVESAMPLE", 1}, {"AUDIBLEALARM", 1}, {"MAXDEPTH", 100}, {"EDT", 130}, {"PO2", 140}});
    PrintGaugeSettings(printer, kModel, kSerial);

    EXPECT_EQ(printer.ended, 1);
    const RecordedText* title = printer.Find("Radarar Edeze Settings");
    ASSERT_TRUE(title);
    EXPECT_TRUE(title->bold);
    EXPECT_DOUBLE_EQ(title->y, 0.5);
    EXPECT_EQ(ValueBeside("Serial Number:")->text, " 12345");
    const std::vector<std::pair<const char*, const char*>> expected{
        {"Units:", "Metric"},          {"Time Format:", "24"},           {"Water Contact:", "ON"},
        {"Ascent Mode:", "OFF"},       {"NAV Back Light Mode:", "Time Out"}, {"Back Light Duration:", "15 secs"},
        {"Dive Sampling Rate:", "15 Secs"}, {"Audible Alarm:", "ON"},     {"Max Depth:", "30 M"},
        {"Elapsed Dive Time:", "1:30"}, {"Max PO2:", "1.40"}};
    for (const auto& [label, text] : expected) {
        const RecordedText* value = ValueBeside(label);
        ASSERT_TRUE(value) << label;
        EXPECT_EQ(value->text, text) << label;
    }
    EXPECT_TRUE(printer.Find("Utilities Settings")->underline);
    EXPECT_TRUE(printer.Find("Alarms Settings")->underline);
}

TEST_F(GaugeSettingsTest, NoLegsNoTableAndTheFooterOnTheOnePage)
{
    Settings();
    Leg(0, 10, 10);  // leg 0 is not a leg
    PrintGaugeSettings(printer, kModel, kSerial);
    EXPECT_FALSE(printer.Find("Navigation Settings"));
    EXPECT_EQ(printer.pages, 1);
    const RecordedText* notice = printer.Find(MakerNotice());
    ASSERT_TRUE(notice);
    EXPECT_DOUBLE_EQ(notice->x, 0.125);
    EXPECT_DOUBLE_EQ(notice->y, 10.5);
    EXPECT_EQ(notice->size, 6);
}

TEST_F(GaugeSettingsTest, LegsTableHasRuledCellsAndBreaksPastTenAndAHalf)
{
    Settings();
    Leg(1, 90, 3725);
    Leg(2, 180, 0);
    for (int n = 3; n <= 60; ++n)
        Leg(n, n, n);
    PrintGaugeSettings(printer, kModel, kSerial);

    ASSERT_TRUE(printer.Find("Navigation Settings"));
    EXPECT_TRUE(printer.Find("Navigation Settings")->underline);
    const RecordedText* legHead = printer.Find(" Leg # ");
    const RecordedText* headingHead = printer.Find(" Heading ");
    const RecordedText* cdtHead = printer.Find(" Count Down Time (CDT) ");
    ASSERT_TRUE(legHead && headingHead && cdtHead);
    EXPECT_DOUBLE_EQ(legHead->x, 0.5);
    EXPECT_DOUBLE_EQ(headingHead->x, 0.5 + 7 * CharWidth(8));
    EXPECT_DOUBLE_EQ(cdtHead->x, headingHead->x + 9 * CharWidth(8));
    EXPECT_DOUBLE_EQ(headingHead->y, legHead->y);

    const RecordedText* heading = printer.Find(" 90°");
    const RecordedText* cdt = printer.Find(" 01:02:05");
    ASSERT_TRUE(heading && cdt);
    EXPECT_DOUBLE_EQ(heading->x, headingHead->x);
    EXPECT_DOUBLE_EQ(cdt->x, cdtHead->x);
    EXPECT_DOUBLE_EQ(printer.Find(" 1")->y, legHead->y + LineHeight(8));
    EXPECT_TRUE(printer.Find(" 00:00:00"));

    // Every row of a page: two rules and four verticals, after the title's rule and the header row's box.
    ASSERT_GE(printer.pages, 2);
    std::vector<RecordedText> firstCells;
    for (const RecordedText& t : printer.texts)
        if (t.x == 0.5 && t.text.startsWith(' ') && t.text != " Leg # ")
            firstCells.push_back(t);
    ASSERT_EQ(firstCells.size(), 60u);
    int rowsOnPage1 = 0;
    for (const RecordedText& t : firstCells)
        rowsOnPage1 += t.page == 1;
    EXPECT_EQ(LinesOn(1), 1 + 6 + 6 * rowsOnPage1);
    const RecordedText& lastOnPage1 = firstCells[size_t(rowsOnPage1 - 1)];
    EXPECT_GT(lastOnPage1.y + LineHeight(8), 10.5);  // finished on its page before the break
    EXPECT_LE(firstCells[size_t(rowsOnPage1 - 2)].y + LineHeight(8), 10.5);
    EXPECT_DOUBLE_EQ(firstCells[size_t(rowsOnPage1)].y, 1.0);
    EXPECT_EQ(firstCells[size_t(rowsOnPage1)].page, 2);

    const auto notices = All(MakerNotice());
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_EQ(notices[0].page, printer.pages);
}

TEST_F(GaugeSettingsTest, WithoutASettingsRowNothingIsDrawnAndTheCheckSaysSo)
{
    PrintGaugeSettings(printer, kModel, kSerial);
    EXPECT_EQ(printer.documents, 0);
    dialogs.ExpectMsg("User-defined set points data are missing. Could not print.");
    EXPECT_FALSE(GaugeSettingsReady(kModel, kSerial));
    ASSERT_EQ(dialogs.Messages().size(), 1u);
    EXPECT_EQ(dialogs.Messages()[0].title, "Error");
    EXPECT_EQ(dialogs.Messages()[0].icon, MsgIcon::Critical);
    Settings();
    EXPECT_TRUE(GaugeSettingsReady(kModel, kSerial));
}

} // namespace
} // namespace kvl::test
