#include "platform/printer/RecordingPrinter.h"

#include "tests/support/QtPrint.h"

#include <gtest/gtest.h>

namespace kvl {
namespace {

class PrinterTest : public ::testing::Test {
protected:
    RecordingPrinter printer;
};

TEST_F(PrinterTest, TextWithoutLineEndLeavesThePenAfterItAndALineEndGoesDownOneLine)
{
    printer.SetFontSize(8);
    printer.SetCurrentX(1);
    printer.SetCurrentY(2);
    printer.Print("abcd", false);
    EXPECT_DOUBLE_EQ(printer.CurrentX(), 1 + 4 * 8 / 128.0);
    EXPECT_DOUBLE_EQ(printer.CurrentY(), 2);
    printer.Print("ef", true);
    EXPECT_DOUBLE_EQ(printer.CurrentX(), 0);
    EXPECT_DOUBLE_EQ(printer.CurrentY(), 2.125);
    ASSERT_EQ(printer.texts.size(), 2u);
    EXPECT_DOUBLE_EQ(printer.texts[1].x, 1.25);  // top-left corner where the pen stood
    EXPECT_DOUBLE_EQ(printer.texts[1].y, 2);
}

TEST_F(PrinterTest, BareLineEndMovesOneLineOfTheFontInForce)
{
    printer.SetFontSize(8);
    printer.SetCurrentX(3);
    printer.SetCurrentY(10.5);
    printer.SetFontSize(6);  // as a footer leaves it
    printer.Print("Tarvik");
    printer.NewLine();
    EXPECT_DOUBLE_EQ(printer.CurrentY(), 10.5 + 2 * 6 / 64.0);
    EXPECT_DOUBLE_EQ(printer.CurrentX(), 0);
}

TEST_F(PrinterTest, LineLeavesThePenAtItsEndInItsOwnColourOrTheForeColour)
{
    printer.SetForeColor(kBlue);
    printer.SetDrawWidth(4);
    printer.SetDrawStyle(PenStyle::Dotted);
    printer.Line(1, 2, 3, 4);
    EXPECT_DOUBLE_EQ(printer.CurrentX(), 3);
    EXPECT_DOUBLE_EQ(printer.CurrentY(), 4);
    printer.Line(0, 0, 5, 6, kRed);
    ASSERT_EQ(printer.lines.size(), 2u);
    EXPECT_EQ(printer.lines[0].color, kBlue);
    EXPECT_EQ(printer.lines[0].width, 4);
    EXPECT_EQ(printer.lines[0].style, PenStyle::Dotted);
    EXPECT_EQ(printer.lines[1].color, kRed);
    EXPECT_EQ(RGB(0, 0, 255), 0xFF0000u);
}

TEST_F(PrinterTest, SettingsHoldAcrossNewPage)
{
    printer.SetOrientation(PrintOrientation::Landscape);
    printer.SetScaleWidth(11);
    printer.SetScaleHeight(8.5);
    printer.SetFontName("Arial");
    printer.SetFontSize(7);
    printer.SetFontBold(true);
    printer.SetFontItalic(true);
    printer.SetFontUnderline(true);
    printer.SetForeColor(kRed);
    printer.SetDrawWidth(3);
    printer.Print("one");
    printer.NewPage();
    EXPECT_EQ(printer.Page(), 2);
    EXPECT_DOUBLE_EQ(printer.CurrentX(), 0);
    EXPECT_DOUBLE_EQ(printer.CurrentY(), 0);
    printer.Print("two");
    printer.Line(0, 1, 2, 1);
    const RecordedText& two = printer.texts.back();
    EXPECT_EQ(two.page, 2);
    EXPECT_EQ(two.size, 7);
    EXPECT_TRUE(two.bold && two.italic && two.underline);
    EXPECT_EQ(two.color, kRed);
    EXPECT_EQ(printer.lines.back().width, 3);
    EXPECT_EQ(printer.FontName(), "Arial");
    EXPECT_EQ(printer.documentOrientation, PrintOrientation::Landscape);
}

TEST_F(PrinterTest, DocumentStartsWithTheFirstDrawingAndEndsOnce)
{
    printer.SetFontSize(8);
    printer.NewLine();
    printer.EndDoc();
    EXPECT_EQ(printer.documents, 0);  // nothing drawn: nothing sent
    EXPECT_EQ(printer.ended, 0);

    printer.Print("x");
    EXPECT_TRUE(printer.Started());
    printer.NewPage();
    printer.EndDoc();
    EXPECT_EQ(printer.documents, 1);
    EXPECT_EQ(printer.ended, 1);
    EXPECT_EQ(printer.pages, 2);
    EXPECT_FALSE(printer.Started());
    EXPECT_EQ(printer.Page(), 1);
}

TEST_F(PrinterTest, AbortDropsTheStartedDocument)
{
    printer.AbortDoc();
    EXPECT_EQ(printer.aborted, 0);
    printer.Line(0, 0, 1, 1);
    printer.AbortDoc();
    EXPECT_EQ(printer.aborted, 1);
    EXPECT_EQ(printer.ended, 0);
    EXPECT_FALSE(printer.Started());
}

TEST_F(PrinterTest, UserScaleMapsOntoThePrintableArea)
{
    // Twice as many units across the 8.5 inches: a unit is half an inch wide.
    printer.SetScaleWidth(17);
    printer.SetScaleHeight(11);
    printer.SetFontSize(8);
    EXPECT_DOUBLE_EQ(printer.TextWidth("ab"), 2 * (8 / 128.0) * 2);
    printer.SetCurrentX(4);
    printer.SetCurrentY(1);
    printer.Print("ab", false);
    EXPECT_DOUBLE_EQ(printer.texts[0].x, 2);
    EXPECT_DOUBLE_EQ(printer.CurrentX(), 4 + 0.25);
    EXPECT_DOUBLE_EQ(printer.TextWidth(""), 0);
}

} // namespace
} // namespace kvl
