#include "platform/printer/qt/PdfOutput.h"
#include "reports/core/DiveDetails.h"
#include "reports/core/LogbookPage.h"
#include "tests/reports/core/LogbookTest.h"
#include "tests/support/QtPrint.h"

#include <QProcess>
#include <QRegularExpression>

#include <algorithm>
#include <map>

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

struct PdfWord {
    int page;
    double xMin, yMin, xMax, yMax;  // points from the page's top left corner
    QString text;
};

// The words of a PDF as pdftotext -bbox places them.
std::vector<PdfWord> Words(const QString& bbox)
{
    static const QRegularExpression word(
        "<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" yMax=\"([\\d.]+)\">([^<]*)</word>");
    std::vector<PdfWord> words;
    int page = 0;
    for (const QString& line : bbox.split('\n')) {
        if (line.contains("<page "))
            ++page;
        const QRegularExpressionMatch m = word.match(line);
        if (m.hasMatch())
            words.push_back({page, m.captured(1).toDouble(), m.captured(2).toDouble(), m.captured(3).toDouble(),
                             m.captured(4).toDouble(), m.captured(5)});
    }
    return words;
}

// How many times a word equal to label has a word equal to value right of it on its
// line; each such value must start clear of the label's end.
int CheckLabelsClearOfValues(const std::vector<PdfWord>& words, const QString& label, const QString& value)
{
    int pairs = 0;
    for (const PdfWord& l : words)
        for (const PdfWord& v : words)
            if (l.text == label && v.text == value && v.page == l.page && std::abs(v.yMin - l.yMin) < 1
                && v.xMin > l.xMin) {
                ++pairs;
                EXPECT_LT(l.xMax + 1, v.xMin) << label.toStdString();
            }
    return pairs;
}

TEST_F(DiveReportsPdfTest, LogbookPageKeepsEveryTextInsideItsMarginsAndColumns)
{
    const QString highlights = QString("ZJzj zjZJ ").repeated(150);
    const qint64 id = CrowdedDive(highlights, QString("Follow the north wall. ").repeated(40),
                                  {{"DIVENO", 13}, {"STIME", "1:05"}, {"MEMO", QString("Calm water. ").repeated(400)},
                                   {"OPERATOR", "red sea liveaboard and day boats of hurghada, egypt"}});
    gv.DB->Execute("Update DIVE_DC_SETTINGS set NAVBACKLIGHT = 0 where DIVEID = ? ;", {id});
    MakeCurrent(id);
    const QString pdf = WriteDrawing([](Printer& p) { PrintFrm::Instance().PrintIt(p); });
    const std::vector<PdfWord> words = Words(Run("pdftotext", {"-bbox", pdf, "-"}));
    ASSERT_FALSE(words.empty());

    constexpr double kMargin = 18;                    // 0.25 in
    constexpr double kDivider = 18 + 4.25 * 8 / 8.5 * 72;  // the column divider on the paper
    std::map<int, double> footerTop;
    for (const PdfWord& w : words)
        if (w.text == QString::fromUtf8("Tarvik®"))
            footerTop[w.page] = w.yMin;
    QString printedHighlights;
    static const QRegularExpression highlightPart("^[ZJzj]+-?$");
    for (const PdfWord& w : words) {
        const std::string what = w.text.toStdString() + " on page " + std::to_string(w.page);
        EXPECT_GE(w.xMin, kMargin) << what;
        EXPECT_GE(w.yMin, kMargin) << what;
        EXPECT_LE(w.xMax, 612 - kMargin) << what;
        EXPECT_LE(w.yMax, 792 - kMargin) << what;
        ASSERT_TRUE(footerTop.count(w.page)) << "no footer on page " << w.page;
        if (w.yMin < footerTop[w.page] - 1) {
            EXPECT_LE(w.yMax, footerTop[w.page]) << what;
        }
        if (w.page == 1 && w.xMin < kDivider) {
            EXPECT_LE(w.xMax, kDivider) << what;
        }
        if (highlightPart.match(w.text).hasMatch())
            printedHighlights += QString(w.text).remove('-');
    }
    EXPECT_EQ(printedHighlights, QString(highlights).remove(' '));
    // No label runs into its value.
    EXPECT_GE(CheckLabelsClearOfValues(words, "No.:", "13"), 1);
    EXPECT_EQ(CheckLabelsClearOfValues(words, "Interval:", "1:05"), 1);
    EXPECT_EQ(CheckLabelsClearOfValues(words, "Mode:", "Constant"), 1);
}

TEST_F(DiveReportsPdfTest, LogbookPageBreaksTheMemoAtEveryLineEndTheBoxShows)
{
    MakeCurrent(Dive({{"MEMO", QStringLiteral("Reef3\nReef4\u2028Reef5\u2029Reef6\r\nReef7")}}));
    const QString pdf = WriteDrawing([](Printer& p) { PrintFrm::Instance().PrintIt(p); });
    const std::vector<PdfWord> words = Words(Run("pdftotext", {"-bbox", pdf, "-"}));
    std::vector<PdfWord> lines;
    for (const QString line : {"Reef3", "Reef4", "Reef5", "Reef6", "Reef7"}) {
        const auto word =
            std::find_if(words.begin(), words.end(), [&line](const PdfWord& w) { return w.text == line; });
        ASSERT_NE(word, words.end()) << line.toStdString() << " is no word of its own";
        lines.push_back(*word);
    }
    for (size_t i = 1; i < lines.size(); ++i) {
        EXPECT_NEAR(lines[i].xMin, lines[0].xMin, 1) << lines[i].text.toStdString();
        EXPECT_GT(lines[i].yMin, lines[i - 1].yMax - 1) << lines[i].text.toStdString() << " is on a line below";
    }
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
