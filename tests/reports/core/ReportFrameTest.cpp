#include "reports/core/ReportFrame.h"

#include "platform/printer/RecordingPrinter.h"
#include "shell/core/Global_Vars.h"

#include "tests/support/QtPrint.h"

#include <gtest/gtest.h>

#include <functional>

namespace kvl {
namespace {

TEST(MaxOfThree, TieGoesToTheEarlierArgument)
{
    EXPECT_EQ(MaxOfThree(2, 5, 5), 5);
    EXPECT_EQ(MaxOfThree(4, 4, 1), 4);
    EXPECT_EQ(MaxOfThree(1, 2, 3), 3);
    EXPECT_EQ(MaxOfThree(-1, -2, -3), -1);
}

TEST(PrintAt, EmptyTextBecomesTheEmptyStringAndLineEndsFollowTheRoutine)
{
    RecordingPrinter printer;
    printer.SetFontSize(8);
    QString nothing;
    PText(printer, 1, 2, nothing);
    EXPECT_FALSE(nothing.isNull());
    EXPECT_DOUBLE_EQ(printer.CurrentY(), 2.125);
    QString text = "abc";
    PrintDetailsAt(printer, 1, 3, text);
    EXPECT_EQ(text, "abc");
    EXPECT_DOUBLE_EQ(printer.CurrentX(), 0);
    PrintListAt(printer, 1, 4, "abcd");
    EXPECT_DOUBLE_EQ(printer.CurrentX(), 1.25);
    EXPECT_DOUBLE_EQ(printer.CurrentY(), 4);
    PrintPersonalAt(printer, 2, 5, "x");
    EXPECT_DOUBLE_EQ(printer.CurrentY(), 5.125);
}

struct FooterCase {
    const char* name;
    std::function<void(Printer&)> footer;
    double x, y;
    const char* pageText;  // nullptr: no page number
    double pageX;
};

class FooterTest : public ::testing::TestWithParam<FooterCase> {};

TEST_P(FooterTest, NoticeAtItsPlaceAtSixPointsAndTheSizeStays)
{
    const FooterCase& c = GetParam();
    RecordingPrinter printer;
    printer.SetFontSize(8);
    c.footer(printer);
    ASSERT_GE(printer.texts.size(), 1u);
    const RecordedText& notice = printer.texts[0];
    EXPECT_EQ(notice.text, "Tarvik® Computer Vavedaver");
    EXPECT_DOUBLE_EQ(notice.x, c.x);
    EXPECT_DOUBLE_EQ(notice.y, c.y);
    EXPECT_EQ(notice.size, 6);
    EXPECT_EQ(printer.FontSize(), 6);
    ASSERT_EQ(printer.texts.size(), c.pageText ? 2u : 1u);
    if (c.pageText) {
        EXPECT_EQ(printer.texts[1].text, c.pageText);
        EXPECT_DOUBLE_EQ(printer.texts[1].x, c.pageX);
        EXPECT_DOUBLE_EQ(printer.texts[1].y, c.y);
    }
}

INSTANTIATE_TEST_SUITE_P(Frame, FooterTest, ::testing::Values(
    FooterCase{"Logbook", [](Printer& p) { PrintFooter(p, 3); }, 0.125, 10.5, "Page 3", 7.875},
    FooterCase{"Details", [](Printer& p) { PrintDetailsFooter(p, 12); }, 0.125, 8.25, "Page 12", 9.5},
    FooterCase{"List", [](Printer& p) { PrintListFooter(p); }, 0.125, 8.25, nullptr, 0},
    FooterCase{"Personal", [](Printer& p) { PrintPersonalFooter(p); }, 1.0, 10.5, nullptr, 0},
    FooterCase{"Settings", [](Printer& p) { PrintSettingsFooter(p); }, 0.125, 10.5, nullptr, 0}),
    [](const ::testing::TestParamInfo<FooterCase>& row) { return std::string(row.param.name); });

TEST(PageSetup, OrientationScaleFontAndPenOfEachReport)
{
    gv.PrintFontName = "Tahoma";
    RecordingPrinter printer;
    printer.SetFontBold(true);
    printer.SetFontUnderline(true);
    printer.SetForeColor(kRed);
    printer.SetDrawWidth(4);
    qint16 page = 9;
    bool first = false;
    PrintDetailsSetup(printer, page, first);
    EXPECT_EQ(page, 1);
    EXPECT_TRUE(first);
    EXPECT_EQ(printer.Orientation(), PrintOrientation::Landscape);
    EXPECT_EQ(printer.ScaleWidth(), 11);
    EXPECT_EQ(printer.ScaleHeight(), 8.5);
    EXPECT_EQ(printer.FontName(), "Tahoma");
    EXPECT_EQ(printer.FontSize(), 7);
    EXPECT_FALSE(printer.FontBold() || printer.FontUnderline());
    EXPECT_EQ(printer.ForeColor(), kBlack);
    EXPECT_EQ(printer.DrawWidth(), 1);
    PrintPersonalSetup(printer);
    EXPECT_EQ(printer.Orientation(), PrintOrientation::Portrait);
    EXPECT_EQ(printer.ScaleWidth(), 8.5);
    EXPECT_EQ(printer.ScaleHeight(), 11);
    EXPECT_EQ(printer.FontSize(), 8);
    gv = Global_Vars{};
}

TEST(PrintedValue, NumbersGetTheSignsPlaceAndNullNothing)
{
    EXPECT_EQ(PrintedValue(db::Value(12)), " 12");
    EXPECT_EQ(PrintedValue(db::Value(-3)), "-3");
    EXPECT_EQ(PrintedValue(db::Value(98.4)), " 98.4");
    EXPECT_EQ(PrintedValue(db::Value("01:30")), "01:30");
    EXPECT_EQ(PrintedValue(db::Value()), "");
    EXPECT_EQ(NumberJoined(db::Value(double(98.4f))), "98.4");
    EXPECT_EQ(NumberJoined(db::Value()), "");
}

} // namespace
} // namespace kvl
