#include "platform/folders/VerifiedFile.h"
#include "platform/printer/qt/PaintPrinter.h"
#include "platform/printer/qt/PdfOutput.h"
#include "platform/printer/qt/PrintPreview.h"
#include "reports/core/DivesList.h"
#include "reports/core/ReportFrame.h"
#include "reports/core/ReportRun.h"
#include "tests/shell/core/ShellLogTest.h"
#include "tests/support/ScopedEnv.h"

#include <QAccessible>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPdfWriter>
#include <QPrintPreviewWidget>
#include <QProcess>
#include <QRegularExpression>
#include <QPushButton>
#include <QScreen>
#include <QStandardPaths>

namespace kvl::test {

// The output of a poppler tool run on a file.
QString Poppler(const QString& tool, const QStringList& args)
{
    QProcess process;
    process.start(tool, args);
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return QString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

namespace {

// A file whose writes fail once some bytes went through, as a full disk would.
class BreakingSaveFile : public VerifiedFile {
public:
    using VerifiedFile::VerifiedFile;

protected:
    qint64 writeData(const char* data, qint64 length) override
    {
        if (written_ + length > 2000) {
            Fail("No space left on device");
            return -1;
        }
        written_ += length;
        return VerifiedFile::writeData(data, length);
    }

private:
    qint64 written_ = 0;
};

class PdfTest : public ShellLogTest {
protected:
    void SetUp() override
    {
        ShellLogTest::SetUp();
        gv.DiverName = QString::fromUtf8("Zoë Ødegård");
        InsertRow(*gv.DB, "USERINFO", {{"USERTYPE", 1}, {"NAME", gv.DiverName}});
        const qint64 reef = InsertRow(*gv.DB, "LOCATIONS", {{"LOCATIONNAME", "O'Neil's Reef"}});
        const qint64 site = InsertRow(*gv.DB, "DIVESITES", {{"DIVESITE", QString::fromUtf8("Łukasz Wall")}});
        for (int i = 1; i <= 70; ++i)
            AddDive({{"LIFETIMEDIVENO", i}, {"DIVEDATE", "2021/03/04"}, {"DIVETIME", "10:00"}, {"LOCID", reef},
                     {"SITEID", site}, {"MDEPTH", 60}, {"BTIME", 40}, {"TEMP", 70}});
    }
    PdfDrawing DivesList() const
    {
        return [](Printer& printer) { return DrawReport(printer, DivesListJob()); };
    }
    QString Pdf() const { return Home() + "/list.pdf"; }
};

TEST_F(PdfTest, DivesListPdfIsLetterLandscapeWithItsTextAndGlyphs)
{
    QString error;
    ASSERT_EQ(SavePdf(Pdf(), DivesListTitle(), DivesList(), &error), PdfResult::Written) << error.toStdString();
    const QString info = Poppler("pdfinfo", {Pdf()});
    ASSERT_FALSE(info.isEmpty()) << "pdfinfo (poppler-utils) is needed";
    EXPECT_TRUE(info.contains(QRegularExpression("Pages:\\s+2\\n"))) << info.toStdString();
    EXPECT_TRUE(info.contains("792 x 612 pts")) << info.toStdString();
    const QString text = Poppler("pdftotext", {"-layout", Pdf(), "-"});
    EXPECT_TRUE(text.contains(QString::fromUtf8("Zoë Ødegård - Dive Listing"))) << text.toStdString();
    EXPECT_TRUE(text.contains("Page 2"));
    EXPECT_TRUE(text.contains("O'Neil's Reef"));
    EXPECT_TRUE(text.contains(QString::fromUtf8("Łukasz Wall")));
    EXPECT_TRUE(text.contains(QString::fromUtf8("Tarvik® Computer Vavedaver")));
}

TEST_F(PdfTest, InTheRealFontTheColumnsFitTheTable)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    PaintPrinter printer(writer);
    qint16 page = 0;
    PrintListSetup(printer, page);
    ListFrame frame;
    PrintListHeader(printer, frame);
    EXPECT_LT(frame.ListColX[12] - 0.075, 10.125);  // the last column rule
    EXPECT_LT(frame.ListColX[12] + printer.TextWidth("Data Type         "), 10.125);
    for (int i = 1; i < kListColumns; ++i)
        EXPECT_GT(frame.ListColX[size_t(i)], frame.ListColX[size_t(i - 1)]);
    // Kerning is off: a text is as wide as its characters one by one.
    EXPECT_NEAR(printer.TextWidth("AVAV"), 2 * printer.TextWidth("A") + 2 * printer.TextWidth("V"), 1e-9);
    printer.EndDoc();
}

TEST_F(PdfTest, FailedWriteLeavesTheOldFileAndSaysSo)
{
    {
        QFile old(Pdf());
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old contents");
    }
    dialogs.ExpectMsg("Could not save the PDF file.\n" + Pdf() + ": No space left on device");
    BreakingSaveFile file(Pdf());
    EXPECT_FALSE(SavePdfOrSay(file, DivesListTitle(), DivesList()));
    QFile check(Pdf());
    ASSERT_TRUE(check.open(QIODevice::ReadOnly));
    EXPECT_EQ(check.readAll(), "old contents");
    EXPECT_EQ(QDir(Home()).entryList({"list.pdf*"}, QDir::Files), QStringList{"list.pdf"});
    EXPECT_EQ(dialogs.Messages()[0].icon, MsgIcon::Critical);
    EXPECT_EQ(dialogs.Messages()[0].title, "Print");
}

TEST_F(PdfTest, FailingReportAbortsAndWritesNothing)
{
    gv.SortOrder = "NO_SUCH_COLUMN";  // the query fails after the head was drawn
    dialogs.SetFailureHook([](const QString&) {});  // the reason's wording is the database's
    QString error;
    EXPECT_EQ(SavePdf(Pdf(), DivesListTitle(), DivesList(), &error), PdfResult::DrawingFailed);
    EXPECT_FALSE(QFile::exists(Pdf()));
    ASSERT_EQ(dialogs.Messages().size(), 1u);
    EXPECT_TRUE(dialogs.Messages()[0].text.startsWith("Could not print the report.\n"));
    EXPECT_GT(dialogs.Messages()[0].text.size(), 30);
    EXPECT_EQ(dialogs.Messages()[0].icon, MsgIcon::Critical);
    EXPECT_EQ(dialogs.Messages()[0].title, "Print");
}

TEST_F(PdfTest, PreviewOpensOnTheReportsPagesAndCloseDoesNothing)
{
    PrintPreview preview(DivesListTitle(), DivesList());
    EXPECT_EQ(preview.PageCount(), 2);
    EXPECT_EQ(preview.windowTitle(), QString::fromUtf8("Zoë Ødegård - Dive Listing"));
    EXPECT_EQ(PrintPreview::ProposedPdfName("A/B - Dive Listing"), "A-B - Dive Listing.pdf");
    preview.cmdClose->click();
    EXPECT_EQ(preview.result(), QDialog::Rejected);
    EXPECT_FALSE(QFile::exists(Pdf()));
}

// A screen reader names every stop the Tab key reaches in the preview, its pages too.
TEST_F(PdfTest, EveryTabStopOfThePreviewHasAName)
{
    PrintPreview preview(DivesListTitle(), DivesList());
    preview.show();
    int stops = 0;
    for (QWidget* widget : preview.findChildren<QWidget*>()) {
        if (!widget->isVisible() || !(widget->focusPolicy() & Qt::TabFocus) || widget->focusProxy())
            continue;
        ++stops;
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
        ASSERT_NE(face, nullptr);
        EXPECT_FALSE(face->text(QAccessible::Name).trimmed().isEmpty()) << widget->metaObject()->className();
    }
    EXPECT_GE(stops, 3);
}

TEST_F(PdfTest, PreviewSavesThePdfWhereTheSaveAsDialogSays)
{
    dialogs.ExpectSaveFile(Pdf());
    PrintPreview preview(DivesListTitle(), DivesList());
    preview.cmdSavePdf->click();
    EXPECT_EQ(preview.result(), QDialog::Accepted);
    EXPECT_TRUE(QFile::exists(Pdf()));
    ASSERT_EQ(dialogs.Prompts().size(), 1u);
    EXPECT_EQ(dialogs.Prompts()[0].file.filter, "PDF files|*.pdf");
    EXPECT_EQ(dialogs.Prompts()[0].file.fileName, QString::fromUtf8("Zoë Ødegård - Dive Listing.pdf"));
}

TEST_F(PdfTest, SaveAsPdfStartsInTheDocumentsThenInTheFolderLastUsed)
{
    const QString home = Home() + "/user";
    const ScopedEnv userHome("HOME", home.toUtf8());
    const ScopedEnv userDirs("XDG_CONFIG_HOME", (home + "/.config").toUtf8());
    ASSERT_TRUE(QDir().mkpath(home));
    EXPECT_EQ(PrintPreview::PdfFolder(), home) << "without a documents folder, the home";
    ASSERT_TRUE(QDir().mkpath(home + "/Documents"));

    dialogs.ExpectSaveFile(Pdf()).ExpectSaveFile("");
    PrintPreview first(DivesListTitle(), DivesList());
    first.cmdSavePdf->click();
    PrintPreview second(DivesListTitle(), DivesList());
    second.cmdSavePdf->click();
    ASSERT_EQ(dialogs.Prompts().size(), 2u);
    EXPECT_EQ(dialogs.Prompts()[0].file.folder, home + "/Documents");
    EXPECT_EQ(dialogs.Prompts()[1].file.folder, QFileInfo(Pdf()).absolutePath());
}

TEST_F(PdfTest, PreviewFitsASmallScreenWithItsButtons)
{
    EXPECT_EQ(PrintPreview::FittedSize(QSize(1920, 1040)), QSize(900, 760));
    const QSize small = PrintPreview::FittedSize(QSize(1366, 728));   // 1366 x 768 less a task bar
    EXPECT_EQ(small.width(), 900);
    EXPECT_LE(small.height() + 80, 728);

    PrintPreview preview(DivesListTitle(), DivesList());
    const QSize available = preview.screen()->availableGeometry().size();
    EXPECT_EQ(preview.size(), PrintPreview::FittedSize(available));
    preview.show();
    for (const QPushButton* button : {preview.cmdPrint, preview.cmdSavePdf, preview.cmdClose})
        EXPECT_TRUE(preview.rect().contains(button->geometry())) << button->text().toStdString();
}

} // namespace
} // namespace kvl::test
