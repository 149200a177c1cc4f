#include "platform/printer/qt/PdfOutput.h"
#include "reports/core/DiveDetails.h"
#include "reports/core/LogbookPage.h"
#include "tests/reports/core/LogbookTest.h"
#include "tests/support/QtPrint.h"

#include <QProcess>
#include <QRegularExpression>

namespace kvl::test {
namespace {

class DiveReportsPdfTest : public LogbookTest {
protected:
    // Writes the drawing to a PDF and returns its path.
    QString WriteDrawing(const std::function<void(Printer&)>& draw)
    {
        const QString pdf = Home() + "/Report.pdf";
        QString error;
        const auto drawn = [&draw](Printer& p) {
            draw(p);
            return true;
        };
        EXPECT_EQ(SavePdf(pdf, "Report", drawn, &error), PdfResult::Written) << error.toStdString();
        return pdf;
    }
    // What a poppler tool prints.
    static QString Run(const QString& tool, const QStringList& args)
    {
        QProcess process;
        process.start(tool, args);
        if (!process.waitForFinished(60000))
            return QString();
        // The PDF's font joins "fi" into one glyph; compatibility form splits it again.
        const QString out = QString::fromUtf8(process.readAllStandardOutput()).normalized(QString::NormalizationForm_KC);
        EXPECT_FALSE(out.isEmpty()) << "poppler-utils is needed";
        return out;
    }
    void Buddy(qint64 diveId, const QString& name)
    {
        const qint64 person = InsertRow(*gv.DB, "USERINFO", {{"NAME", name}, {"USERTYPE", 4}});
        InsertRow(*gv.DB, "BUDDIES", {{"DIVEID", diveId}, {"BUDDYID", person}});
    }
};

TEST_F(DiveReportsPdfTest, LogbookPageWithALongMemoTakesTwoLetterPages)
{
    QString memo;
    for (int i = 0; i < 900; ++i)
        memo += QString("calm%1 ").arg(i);
    const qint64 id = Dive({{"MEMO", memo}});
    AddSamples(id, {{0, 0.0}, {60, 40.0}, {120, 60.0, 5}, {300, 10.0}});
    Buddy(id, "Pat O'Neil");
    Buddy(id, "Zoë Müller");
    MakeCurrent(id);
    const auto draw = [](Printer& p) { PrintFrm::Instance().PrintIt(p); };

    const QString pdf = WriteDrawing(draw);
    const QString info = Run("pdfinfo", {pdf});
    EXPECT_TRUE(info.contains(QRegularExpression("Pages:\\s+2\\n"))) << info.toStdString();
    EXPECT_TRUE(info.contains("612 x 792")) << info.toStdString();
    const QString text = Run("pdftotext", {"-layout", pdf, "-"});
    for (const char* expected : {"DIVE DATA", "USER-DEFINED SET POINTS", "Pat O'Neil", "Zoë Müller",
                                 "(continue from previous page)", "Page 2"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected;
}

TEST_F(DiveReportsPdfTest, DiveDetailsAreLandscapeWithTheTitleOnEveryPage)
{
    const qint64 id = Dive();
    AddEvenSamples(id, 400);
    MakeCurrent(id);
    const auto draw = [](Printer& p) { PrintDiveDetails(p); };

    const QString pdf = WriteDrawing(draw);
    const QString info = Run("pdfinfo", {pdf});
    EXPECT_TRUE(info.contains("792 x 612")) << info.toStdString();
    const QString text = Run("pdftotext", {"-layout", pdf, "-"});
    const QStringList pages = text.split(QChar('\f'), Qt::SkipEmptyParts);
    ASSERT_GE(pages.size(), 2);
    for (const QString& page : pages)
        if (!page.trimmed().isEmpty()) {
            EXPECT_TRUE(page.contains("Dive Profile Details")) << page.left(300).toStdString();
        }
}

} // namespace
} // namespace kvl::test
