#include "reports/core/DivesList.h"

#include "reports/core/ReportFrame.h"
#include "tests/reports/core/ReportTest.h"

#include <QStringList>

#include <array>
#include <cmath>

namespace kvl::test {
namespace {

constexpr double kTableTop = 0.125 + 3 * (7 / 64.0);  // title and page lines, two empty lines

// The widths of the headings in characters (the longer line of two), which set the columns.
constexpr std::array<int, kListColumns> kHeadingChars{9, 17, 13, 6, 19, 11, 27, 27, 10, 8, 9, 6, 18};

std::array<double, kListColumns> ExpectedColumns(double points)
{
    std::array<double, kListColumns> x{};
    x[0] = 0.2;
    for (int i = 1; i < kListColumns; ++i)
        x[size_t(i)] = x[size_t(i - 1)] + kHeadingChars[size_t(i - 1)] * CharWidth(points) + 0.075;
    return x;
}

class DivesListTest : public ReportTest {
protected:
    qint64 Location(const QString& name)
    {
        return InsertRow(*gv.DB, "LOCATIONS", {{"LOCATIONNAME", name}});
    }
    qint64 Site(const QString& name) { return InsertRow(*gv.DB, "DIVESITES", {{"DIVESITE", name}}); }
    // A dive with only its lifetime number.
    void Dives(int count)
    {
        for (int i = 1; i <= count; ++i)
            AddDive({{"LIFETIMEDIVENO", i}});
    }
    // Ys of the rows' first cells, each row's LTD text, per page.
    std::vector<RecordedText> RowStarts() const
    {
        std::vector<RecordedText> starts;
        for (const RecordedText& t : printer.texts)
            if (!t.bold && t.x == 0.2f && t.size == 6)
                starts.push_back(t);
        return starts;
    }
};

TEST_F(DivesListTest, OneDivePrintsTheHeadTheRowItsSeparatorAndTheFooterOnOnePage)
{
    AddDive({{"LIFETIMEDIVENO", 12}});
    PrintDivesList(printer);

    EXPECT_EQ(printer.ended, 1);
    EXPECT_EQ(printer.pages, 1);
    EXPECT_EQ(printer.documentOrientation, PrintOrientation::Landscape);
    const RecordedText* title = printer.Find("Ann Diver - Dive Listing");
    ASSERT_TRUE(title);
    EXPECT_DOUBLE_EQ(title->x, 0.125);
    EXPECT_DOUBLE_EQ(title->y, 0.125);
    EXPECT_EQ(title->size, 7);
    const RecordedText* page = printer.Find("Page 1");
    ASSERT_TRUE(page);
    EXPECT_DOUBLE_EQ(page->x, 9.5);
    EXPECT_DOUBLE_EQ(page->y, 0.125);
    const auto notices = All(MakerNotice());
    ASSERT_EQ(notices.size(), 2u);  // before the rows and after the last
    for (const RecordedText& n : notices) {
        EXPECT_DOUBLE_EQ(n.x, 0.125);
        EXPECT_DOUBLE_EQ(n.y, 8.25);
        EXPECT_EQ(n.size, 6);
    }
    const RecordedText* ltd = printer.Find(" 12");
    ASSERT_TRUE(ltd);
    EXPECT_EQ(ltd->size, 6);  // the footer left the printer at 6 pt
    const double rowY = kTableTop + 0.025 + 2 * LineHeight(7) + 0.02;
    EXPECT_NEAR(ltd->y, rowY, 1e-6);
    const RecordedLine& separator = printer.lines.back();
    EXPECT_NEAR(separator.y1, rowY + LineHeight(6), 1e-6);
    EXPECT_DOUBLE_EQ(separator.x1, 0.125);
    EXPECT_DOUBLE_EQ(separator.x2, 10.125);
}

TEST_F(DivesListTest, ColumnsFollowTheHeadingWidthsAndTheCellsStandInThem)
{
    const qint64 loc = Location("Blue Hole");
    const qint64 site = Site("Arch");
    AddDive({{"LIFETIMEDIVENO", 7}, {"DIVEDATE", "2020/06/15"}, {"DIVETIME", "14:05"}, {"DIVENO", 3},
             {"MODELID", 6774}, {"MODELSERNO", 12345}, {"LOCID", loc}, {"SITEID", site}, {"MDEPTH", 100},
             {"BTIME", 65}, {"STIME", "01:30"}, {"TEMP", 20}, {"DATATYPE", 1}});
    PrintDivesList(printer);

    const auto columns = ExpectedColumns(7);
    const QStringList headings{"LTD#     ", "Date             ", "Time         ", "DC ", "DC ", "DC ",
                               "Location                   ", "Dive Site                  ", "Max ",
                               "EDT     ", "Surface ", "Min ", "Data Type         "};
    int dcSeen = 0;
    for (int i = 0; i < kListColumns; ++i) {
        const auto found = All(headings[i]);
        ASSERT_FALSE(found.empty()) << i;
        const RecordedText& h = found[headings[i] == "DC " ? size_t(dcSeen++) : 0];
        EXPECT_NEAR(h.x, columns[size_t(i)], 1e-5) << i;
        EXPECT_TRUE(h.bold);
    }
    const QStringList cells{" 7",     "15/06/2020", "14:05",  " 3",     "QX07",   " 12345",       "B",
                            "A",      "30.5 M",     "01:05",  "01:30",  "-6.7 C", "Radarar Edeze"};
    const double rowY = printer.Find(" 7")->y;
    for (int i = 0; i < kListColumns; ++i) {
        const RecordedText* cell = printer.Find(cells[i]);
        ASSERT_TRUE(cell) << cells[i].toStdString();
        EXPECT_NEAR(cell->x, columns[size_t(i)], 1e-5) << i;
        EXPECT_NEAR(cell->y, rowY, 1e-6) << i;
    }
}

TEST_F(DivesListTest, ImperialUnitsAndTheDateFlagChooseTheTexts)
{
    gv.UnitDate = 1;
    gv.UnitTime = 0;  // the time follows the date flag
    gv.UnitDepth = 1;
    gv.UnitTemp = 1;
    AddDive({{"LIFETIMEDIVENO", 1}, {"DIVEDATE", "2020/06/15"}, {"DIVETIME", "14:05"}, {"MDEPTH", 98.4},
             {"TEMP", 68}, {"DATATYPE", 3}, {"MODELID", 42}});
    PrintDivesList(printer);
    for (const char* text : {"06/15/2020", "02:05 PM", "98.4 FT", "68 F", "Radarar Edeze/Modified", "N/A", "Manual"})
        EXPECT_EQ(printer.Find(text) != nullptr, QString(text) != "Manual") << text;
}

TEST_F(DivesListTest, MetricDepthBelowOneMetreHasNoLeadingZero)
{
    AddDive({{"LIFETIMEDIVENO", 1}, {"MDEPTH", 1}, {"DATATYPE", 0}});
    PrintDivesList(printer);
    EXPECT_TRUE(printer.Find(".3 M"));
    EXPECT_TRUE(printer.Find("Manual"));
}

TEST_F(DivesListTest, NullFieldsAndMissingCatalogRowsLeaveCellsEmptyAndTheReportGoesOn)
{
    AddDive({{"LIFETIMEDIVENO", 1}, {"MDEPTH", db::Value()}, {"TEMP", db::Value()}, {"BTIME", db::Value()},
             {"DIVEDATE", db::Value()}, {"DATATYPE", db::Value()}, {"LOCID", 999}, {"SITEID", db::Value()}});
    AddDive({{"LIFETIMEDIVENO", 2}});
    PrintDivesList(printer);
    EXPECT_EQ(printer.ended, 1);
    EXPECT_TRUE(printer.Find(" 2"));
    const double firstRowY = printer.Find(" 1")->y;
    for (const RecordedText& t : printer.texts) {
        if (t.y == firstRowY && t.size == 6) {
            EXPECT_FALSE(t.text.endsWith(" M") || t.text.endsWith(" C") || t.text.count('/') == 2)
                << t.text.toStdString();
        }
    }
}

TEST_F(DivesListTest, LongLocationWrapsInsideItsColumnAndPushesTheNextRowDown)
{
    AddDive({{"LIFETIMEDIVENO", 1}, {"LOCID", Location(QString(60, 'L'))}});
    AddDive({{"LIFETIMEDIVENO", 2}});
    AddDive({{"LIFETIMEDIVENO", 3}});
    PrintDivesList(printer);

    const auto hyphens = All("-");
    ASSERT_FALSE(hyphens.empty());
    double lastLine = 0;
    for (const RecordedText& t : printer.texts) {
        if (t.text == "L" || t.text == "-") {
            EXPECT_GE(t.x, ExpectedColumns(7)[6] - 1e-6);
            EXPECT_LT(t.x, ExpectedColumns(7)[7]);
            lastLine = std::max(lastLine, t.y);
        }
    }
    const auto rows = RowStarts();
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_NEAR(rows[1].y, lastLine + LineHeight(6) + 0.02, 1e-5);
    EXPECT_NEAR(rows[2].y, rows[1].y + LineHeight(6) + 0.02, 1e-5);  // not pushed by the earlier wrap
}

TEST_F(DivesListTest, RowCrossingTheLimitEndsThePageUnderANewSixPointHead)
{
    Dives(70);
    PrintDivesList(printer);

    ASSERT_GE(printer.pages, 2);
    const auto rows = RowStarts();
    ASSERT_EQ(rows.size(), 70u);
    const double rowStep = LineHeight(6) + 0.02;
    int lastOnPage1 = 0;
    while (rows[size_t(lastOnPage1 + 1)].page == 1)
        ++lastOnPage1;
    // The last row of page 1 is the first whose next row would start past 8.05.
    EXPECT_LE(rows[size_t(lastOnPage1)].y, 8.05);
    EXPECT_GT(rows[size_t(lastOnPage1)].y + rowStep, 8.05);
    EXPECT_LE(rows[size_t(lastOnPage1 - 1)].y + rowStep, 8.05 + 1e-9);

    // Separators under every row of page 1 but its last.
    int separators = 0;
    for (const RecordedLine& l : printer.lines)
        if (l.page == 1 && l.y1 == l.y2 && l.y1 > rows[0].y && l.y1 < 8.1)
            ++separators;
    EXPECT_EQ(separators, lastOnPage1);

    const RecordedText* page2 = printer.Find("Page 2");
    ASSERT_TRUE(page2);
    EXPECT_EQ(page2->page, 2);
    EXPECT_EQ(page2->size, 6);
    const auto headOnPage2 = All("Date             ");
    ASSERT_EQ(headOnPage2.size(), 2u);
    EXPECT_NEAR(headOnPage2[1].x, ExpectedColumns(6)[1], 1e-5);  // narrower than page 1's
    const RecordedText& firstOnPage2 = rows[size_t(lastOnPage1 + 1)];
    const double page2Top = 0.125 + 3 * LineHeight(6);
    EXPECT_NEAR(firstOnPage2.y, page2Top + 0.025 + 2 * LineHeight(6) + 0.02, 1e-5);
    EXPECT_EQ(All(MakerNotice()).size(), size_t(printer.pages + 1));
}

TEST_F(DivesListTest, AllDivesInTheSortOrderWhateverTheBrowsedFilter)
{
    Dives(3);
    gv.SortOrder = "LIFETIMEDIVENO DESC";
    gv.DiveListSQL = "Select * from DIVEDATA where LIFETIMEDIVENO = 2";
    PrintDivesList(printer);
    QStringList order;
    for (const RecordedText& t : RowStarts())
        order << t.text;
    EXPECT_EQ(order, (QStringList{" 3", " 2", " 1"}));
}

TEST_F(DivesListTest, EmptyLogPrintsTheHeadAndEnds)
{
    PrintDivesList(printer);
    EXPECT_EQ(printer.ended, 1);
    EXPECT_TRUE(RowStarts().empty());
    EXPECT_EQ(All(MakerNotice()).size(), 1u);
}

} // namespace
} // namespace kvl::test
