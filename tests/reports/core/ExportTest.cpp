#include "reports/core/ExportDL7.h"
#include "reports/core/ExportDiveDetails.h"
#include "reports/core/ExportProfile.h"
#include "tests/reports/core/ExportFixture.h"
#include "tests/support/FileSizeLimit.h"

#include "shell/core/Lookups.h"
#include "shell/core/SystemServices.h"

#include <QDir>
#include <QLocale>

namespace kvl::test {
namespace {

class DiveDetailsExportTest : public ExportTest {};

TEST_F(DiveDetailsExportTest, WritesTheGoldenFileWithCommasInMetricUnits)
{
    const qint64 a = AddDownloadedDive();
    const qint64 b = AddManualDive();
    const ExportOutcome outcome = ExportDiveDetailsFile(Out("metric.txt"), {{a, 1}, {b, 2}}, ",");
    EXPECT_EQ(outcome.status, ExportOutcome::Done);
    EXPECT_TRUE(outcome.incomplete.empty());
    ExpectGolden(Out("metric.txt"), "details_metric_comma.txt");
}

TEST_F(DiveDetailsExportTest, WritesTheGoldenFileWithTabsInImperialUnits)
{
    SetUnits(true);
    const qint64 a = AddDownloadedDive();
    const qint64 b = AddManualDive();
    ASSERT_EQ(ExportDiveDetailsFile(Out("imperial.txt"), {{a, 1}, {b, 2}}, "\t").status, ExportOutcome::Done);
    ExpectGolden(Out("imperial.txt"), "details_imperial_tab.txt");
}

TEST_F(DiveDetailsExportTest, TheSamplingRateIsTheDivesOwn)
{
    const qint64 fifteen = AddDive(DownloadedDive({{"LIFETIMEDIVENO", 1}, {"SNAPSHOT", 1}}));
    const qint64 unknownModel = AddDive(DownloadedDive({{"LIFETIMEDIVENO", 2}, {"SNAPSHOT", 2}, {"MODELID", 0}}));
    const qint64 byHand = AddDive(DownloadedDive({{"LIFETIMEDIVENO", 3}, {"SNAPSHOT", 1}, {"DATATYPE", 0}}));
    ASSERT_EQ(ExportDiveDetailsFile(Out("rates.txt"), {{fifteen, 1}, {unknownModel, 2}, {byHand, 3}}, ",").status,
              ExportOutcome::Done);
    const QList<QByteArray> lines = ReadBytes(Out("rates.txt")).split('\n');
    QList<QByteArray> rates;
    for (const QByteArray& line : lines)
        if (line.startsWith("Dive Sampling Rate:"))
            rates << line;
    EXPECT_EQ(rates, (QList<QByteArray>{"Dive Sampling Rate: 15 Secs\r", "Dive Sampling Rate: 30 Secs\r",
                                        "Dive Sampling Rate: \r"}));
}

// The same samples recorded with each ascent scale, exported together in one file.
TEST_F(DiveDetailsExportTest, AscentBandsFollowEachDivesRecordedScale)
{
    SetUnits(true);
    std::vector<qint64> ids;
    for (int scale : {1, 0}) {
        const qint64 id = AddDive(DownloadedDive({{"LIFETIMEDIVENO", 1 + scale}}));
        AddSample(id, 1, {{"BTIME", 30}, {"DEPTH", 33}, {"VARI", 2}});
        AddSample(id, 2, {{"BTIME", 60}, {"DEPTH", 90}, {"VARI", 2}});
        gv.DB->Execute("INSERT INTO DIVE_DC_SETTINGS (DIVEID, ALTTIME) VALUES (?, ?)", {id, scale});
        ids.push_back(id);
    }
    const qint64 noSettings = AddDive(DownloadedDive({{"LIFETIMEDIVENO", 3}}));
    AddSample(noSettings, 1, {{"BTIME", 30}, {"DEPTH", 33}, {"VARI", 2}});
    ASSERT_EQ(ExportDiveDetailsFile(Out("bands.txt"), {{ids[0], 2}, {ids[1], 1}, {noSettings, 3}}, ",").status,
              ExportOutcome::Done);
    const QByteArray bytes = ReadBytes(Out("bands.txt"));
    for (const char* line : {"\r\n00:00:30,33 FT,16-20 FPM,0,,\r\n00:01:00,90 FT,31-40 FPM,0,,\r\n",
                             "\r\n00:00:30,33 FT,39-44 FPM,0,,\r\n00:01:00,90 FT,39-44 FPM,0,,\r\n"})
        EXPECT_TRUE(bytes.contains(line)) << line;
    EXPECT_EQ(bytes.count("39-44 FPM"), 3) << "a dive without stored settings takes the one band set";
}

TEST_F(DiveDetailsExportTest, NoDiveGivesTheTitleAndTheDashes)
{
    ASSERT_EQ(ExportDiveDetailsFile(Out("none.txt"), {}, ",").status, ExportOutcome::Done);
    EXPECT_EQ(ReadBytes(Out("none.txt")), "Ann Diver - Dives Details\r\n" + ExportDashes.toLatin1() + "\r\n");
}

TEST_F(DiveDetailsExportTest, ADownloadedDiveWithoutSamplesEndsAfterTheHeaderLine)
{
    const qint64 id = AddDive(DownloadedDive({{"LIFETIMEDIVENO", 4}}));
    ASSERT_EQ(ExportDiveDetailsFile(Out("empty.txt"), {{id, 4}}, ";").status, ExportOutcome::Done);
    const QByteArray bytes = ReadBytes(Out("empty.txt"));
    EXPECT_TRUE(bytes.endsWith("Dive Data Type: Radarar Edeze\r\n \r\n"
                               "Elapsed Dive Time(hh:mm);Depth;Ascent Rate;Temperature;Alarms Events;Alarms Details\r\n"
                               + ExportDashes.toLatin1() + "\r\n"))
        << bytes.toStdString();
}

TEST_F(DiveDetailsExportTest, AnEditedDownloadGivesTheModifiedTypeAndItsOwnSpaceLine)
{
    const qint64 id = AddDive(DownloadedDive({{"LIFETIMEDIVENO", 4}, {"DATATYPE", 18}}));
    ASSERT_EQ(ExportDiveDetailsFile(Out("typed.txt"), {{id, 4}}, ",").status, ExportOutcome::Done);
    EXPECT_TRUE(ReadBytes(Out("typed.txt")).contains("\r\nDive Data Type: Radarar Edeze Modified\r\n \r\nElapsed"));
}

TEST_F(DiveDetailsExportTest, NullValuesLeaveTheirNumberAndUnitOut)
{
    const qint64 id = AddDive({{"LIFETIMEDIVENO", 5}, {"DATATYPE", 1}, {"MDEPTH", db::Value()},
                               {"TEMP", db::Value()}, {"BTIME", db::Value()}, {"FO2", db::Value()}});
    AddSample(id, 1, {{"BTIME", 30}, {"DEPTH", 10}, {"TEMP", db::Value()}});
    ASSERT_EQ(ExportDiveDetailsFile(Out("nulls.txt"), {{id, 5}}, ",").status, ExportOutcome::Done);
    const QByteArray bytes = ReadBytes(Out("nulls.txt"));
    for (const char* line : {"\r\nMax. Depth: \r\n", "\r\nMin Temp: \r\n", "\r\nElapsed Dive Time: \r\n",
                             "\r\nFO2: \r\n", "\r\n00:00:30,3.0 M,0-10.5 MPM,,,\r\n"})
        EXPECT_TRUE(bytes.contains(line)) << line;
}

TEST_F(DiveDetailsExportTest, NamesKeepTheirLetters)
{
    gv.DiverName = QString::fromUtf8("Zo\u00EB O'Neil");
    ASSERT_EQ(ExportDiveDetailsFile(Out("zoe.txt"), {}, ",").status, ExportOutcome::Done);
    EXPECT_TRUE(ReadBytes(Out("zoe.txt")).startsWith("Zo\xEB O'Neil - Dives Details\r\n"));

    gv.DiverName = QString::fromUtf8("\u0141ukasz");
    ASSERT_EQ(ExportDiveDetailsFile(Out("lukasz.txt"), {}, ",").status, ExportOutcome::Done);
    const QByteArray bytes = ReadBytes(Out("lukasz.txt"));
    EXPECT_TRUE(bytes.startsWith("\xC5\x81ukasz - Dives Details\r\n"));   // UTF-8, no byte-order mark
    EXPECT_EQ(QString::fromUtf8(bytes).count(QChar(0x0141)), 1);
}

TEST_F(DiveDetailsExportTest, AWriteThatFailsHalfwayLeavesTheEarlierFileAsItWas)
{
    const qint64 a = AddDownloadedDive();
    {
        QFile old(Out("keep.txt"));
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("earlier export");
    }
    InstallExportSink([](const QString& path) { return std::make_unique<BreakingSink>(path, 0); });
    const ExportOutcome outcome = ExportDiveDetailsFile(Out("keep.txt"), {{a, 1}}, ",");
    EXPECT_EQ(outcome.status, ExportOutcome::Failed);
    EXPECT_TRUE(outcome.error.endsWith("keep.txt: The disk is full.")) << outcome.error.toStdString();
    EXPECT_EQ(ReadBytes(Out("keep.txt")), "earlier export");
    EXPECT_EQ(QDir(Home()).entryList({"keep.txt*"}, QDir::Files).size(), 1);   // no temporary left

    dialogs.ExpectMsg("Could not export the dive data.\n" + outcome.error);
    ShowExportOutcome(outcome);
    EXPECT_EQ(dialogs.Messages().back().icon, MsgIcon::Critical);
    EXPECT_EQ(dialogs.Messages().back().title, "Export Dive Details");
}

// A full disk for real: the export's last write fails, and the earlier file stays byte
// for byte with the failure reported.
TEST_F(DiveDetailsExportTest, AFinalWriteThatFailsOnTheDiskKeepsTheEarlierFile)
{
    const qint64 a = AddDownloadedDive();
    const qint64 b = AddManualDive();
    ASSERT_EQ(ExportDiveDetailsFile(Out("whole.txt"), {{a, 1}, {b, 2}}, ",").status, ExportOutcome::Done);
    const qint64 size = ReadBytes(Out("whole.txt")).size();
    const QByteArray earlier(200 * 1024, 'e');
    {
        QFile old(Out("keep.txt"));
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write(earlier);
    }
    const int status = RunWithFileSizeLimit(size - 10, [&] {
        return ExportDiveDetailsFile(Out("keep.txt"), {{a, 1}, {b, 2}}, ",").status == ExportOutcome::Failed ? 1 : 0;
    });
    EXPECT_EQ(status, 1);
    EXPECT_EQ(ReadBytes(Out("keep.txt")), earlier);
    EXPECT_EQ(QDir(Home()).entryList({"keep.txt*"}, QDir::Files | QDir::Hidden).size(), 1);
}

TEST_F(DiveDetailsExportTest, ABlockNeedingUtf8RewritesTheWholeFileInUtf8Once)
{
    gv.DiverName = QString::fromUtf8("Zo\u00EB");
    const qint64 a = AddDownloadedDive();
    const qint64 b = AddDive(DownloadedDive({{"LIFETIMEDIVENO", 2}, {"STIME", QString::fromUtf8("\u03A9")}}));
    const ExportOutcome outcome = ExportDiveDetailsFile(Out("mixed.txt"), {{a, 1}, {b, 2}}, ",");
    ASSERT_EQ(outcome.status, ExportOutcome::Done);
    const QByteArray bytes = ReadBytes(Out("mixed.txt"));
    EXPECT_TRUE(bytes.startsWith("Zo\xC3\xAB - Dives Details\r\n")) << bytes.left(40).toStdString();
    EXPECT_EQ(bytes.count("Dives Details"), 1);
    EXPECT_EQ(bytes.count("Life Time Dive No.: 1\r\n"), 1);
    EXPECT_TRUE(bytes.contains("\r\nSurface Interval: \xCE\xA9\r\n"));
    EXPECT_TRUE(bytes.endsWith(ExportDashes.toLatin1() + "\r\n"));
    EXPECT_EQ(QDir(Home()).entryList({"mixed.txt*"}, QDir::Files).size(), 1);
}

TEST_F(DiveDetailsExportTest, ATargetInAMissingFolderFails)
{
    const ExportOutcome outcome = ExportDiveDetailsFile(Out("no such folder/x.txt"), {}, ",");
    EXPECT_EQ(outcome.status, ExportOutcome::Failed);
    EXPECT_FALSE(QFile::exists(Out("no such folder/x.txt")));
}

TEST_F(DiveDetailsExportTest, ACancelledExportWritesNothing)
{
    const qint64 a = AddDownloadedDive();
    const qint64 b = AddManualDive();
    const ExportOutcome outcome
        = ExportDiveDetailsFile(Out("cancel.txt"), {{a, 1}, {b, 2}}, ",", [](int done, int) { return done < 1; });
    EXPECT_EQ(outcome.status, ExportOutcome::Cancelled);
    EXPECT_FALSE(QFile::exists(Out("cancel.txt")));
    ShowExportOutcome(outcome);   // says nothing
}

TEST_F(DiveDetailsExportTest, IncompleteBlocksTurnTheCompletionIntoAWarning)
{
    ExportOutcome outcome;
    outcome.incomplete = {3, 7};
    dialogs.ExpectMsg("Dive Details Exporting completed.\n"
                      "The details of these dives could not be read in full (LTD #): 3, 7.");
    ShowExportOutcome(outcome);
    EXPECT_EQ(dialogs.Messages().back().icon, MsgIcon::Exclamation);

    dialogs.ExpectMsg("Dive Details Exporting completed.");
    ShowExportOutcome(ExportOutcome{});
    EXPECT_EQ(dialogs.Messages().back().icon, MsgIcon::Information);
    EXPECT_EQ(dialogs.Messages().back().title, "Export Dive Details");
}

// ---- Cell rules ----------------------------------------------------------------------

struct CellCase {
    const char* name;
    QString actual;
    QString expected;
};


TEST_F(ExportTest, CellTexts)
{
    const CellCase cases[] = {
        {"time3725", ElapsedText(3725), "01:02:05"},
        {"time0", ElapsedText(0), "00:00:00"},
        {"timeLong", ElapsedText(100 * 3600 + 61), "100:01:01"},
        {"depthFeet", SampleDepthText(33, true), "33 FT"},
        {"depthFeetZero", SampleDepthText(0, true), "0 FT"},
        {"depthOneFootMetric", SampleDepthText(1, false), ".3 M"},
        {"depthZeroMetric", SampleDepthText(0, false), ".0 M"},
        {"depthNull", SampleDepthText(db::Value(), false), ""},
        {"tempFahrenheit", SampleTempText(76, true), "76"},
        {"tempMetric", SampleTempText(78, false), "25.6"},
        {"tempZeroC", SampleTempText(32, false), ".0"},
        {"tempBelowZero", SampleTempText(20, false), "-6.7"},
        {"maxDepthMetric", MaxDepthText(98.4, false), "30.0 M"},
        {"maxDepthFeet", MaxDepthText(98.4, true), "98.4 FT"},
        {"minTempShortest", MinTempText(70, false), "21.1 C"},
        {"minTempWhole", MinTempText(68, false), "20 C"},
        {"minTempNegative", MinTempText(29.3, false), "-1.5 C"},
        {"remaining125", RemainingTimeText(125), "02:05"},
        {"remaining6000", RemainingTimeText(6000), "100:00"},
        {"stop10ftMetric", StopDepthText(10, false), "3 M"},
        {"stop15ftMetric", StopDepthText(15, false), "4 M"},
        {"stop20ftMetric", StopDepthText(20, false), "6 M"},
        {"stop20ftFeet", StopDepthText(20, true), "20 FT"},
        {"cellWithDelimiter", DelimitedCell("Passed 120 M, Max Depth", ","), "\"Passed 120 M, Max Depth\""},
        {"cellWithQuote", DelimitedCell("a,\"b\"", ","), "\"a,\"\"b\"\"\""},
        {"cellTabFile", DelimitedCell("Passed 120 M, Max Depth", "\t"), "Passed 120 M, Max Depth"},
    };
    for (const CellCase& c : cases)
        EXPECT_EQ(c.actual, c.expected) << c.name;
}

TEST_F(ExportTest, TheTextMemoKeepsTheTextsOfNumbersOnly)
{
    ExportTextMemo temps;
    int made = 0;
    const auto temp = [&](const db::Value& v) {
        return temps.Get(v, [&] { ++made; return SampleTempText(v, true); });
    };
    EXPECT_EQ(temp(76), "76");
    EXPECT_EQ(temp(76.0), "76");
    EXPECT_EQ(made, 1);
    for (const db::Value& notKept : {db::Value(), db::Value("0"), db::Value()})
        EXPECT_EQ(temp(notKept), notKept.ToString());
    EXPECT_EQ(made, 4);
    EXPECT_EQ(temp(0), "0");

    ExportTextMemo rates;   // with the standard scale the rate band depends on the depth too
    const auto rate = [&](int code, int depth) {
        return rates.Get(code, depth, [&] { return AscentRateText(code, 1, depth, AscentScale::Standard); });
    };
    EXPECT_EQ(rate(1, 30), "11-15 FPM");
    EXPECT_EQ(rate(1, 90), "21-30 FPM");
}

TEST_F(ExportTest, ADecimalCommaComesFromTheRegionalSettings)
{
    Runtime::SetDecimalSeparator(QLatin1Char(','));
    EXPECT_EQ(SampleDepthText(1, false), ",3 M");
    EXPECT_EQ(MinTempText(70, false), "21,1 C");
    EXPECT_EQ(PlainText(98.4), "98,4");
}

TEST_F(ExportTest, Windows1252CoversItsOwnCharactersOnly)
{
    QByteArray bytes;
    EXPECT_TRUE(ToWindows1252(QString::fromUtf8("\u20AC \u00E9 \u2019"), bytes));
    EXPECT_EQ(bytes, "\x80 \xE9 \x92");
    EXPECT_FALSE(ToWindows1252(QString::fromUtf8("\u03A9"), bytes));
}

// ---- Profile export ------------------------------------------------------------------

class ProfileExportTest : public ExportTest {};

TEST_F(ProfileExportTest, WritesTheGoldenFileWithSemicolonsInImperialUnits)
{
    SetUnits(true);
    MakeCurrent(AddDownloadedDive());
    ASSERT_EQ(ExportProfileFile(Out("profile.txt"), ";").status, ExportOutcome::Done);
    ExpectGolden(Out("profile.txt"), "profile_imperial_semicolon.txt");
}

TEST_F(ProfileExportTest, AGaugeDiveWithADecimalCommaQuotesItsCells)
{
    Runtime::SetDecimalSeparator(QLatin1Char(','));
    MakeCurrent(AddGaugeDive());
    ASSERT_EQ(ExportProfileFile(Out("gauge.txt"), ",").status, ExportOutcome::Done);
    ExpectGolden(Out("gauge.txt"), "profile_gauge_metric_comma.txt");
}

TEST_F(ProfileExportTest, ThreeSwitchesNameTheTanksInTurn)
{
    const qint64 id = AddDive(DownloadedDive());
    int order = 0;
    for (int tank : {2, 3, 1}) {
        ++order;
        AddSample(id, order, {{"BTIME", 60 * order}, {"DEPTH", 30}, {"SWITCHED", -1}, {"TANKNO", tank}});
    }
    MakeCurrent(id);
    ASSERT_EQ(ExportProfileFile(Out("switch.txt"), "\t").status, ExportOutcome::Done);
    const QList<QByteArray> lines = ReadBytes(Out("switch.txt")).split('\n');
    ASSERT_GE(lines.size(), 16);
    const QByteArray expected[] = {"Switch Tank#1 to Tank#2\r", "Switch Tank#2 to Tank#3\r",
                                   "Switch Tank#3 to Tank#1\r"};
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(lines[13 + i].split('\t').value(11), expected[i]);
}

TEST_F(ProfileExportTest, AscentBandsFollowTheDivesRecordedScale)
{
    SetUnits(true);
    const qint64 id = AddDive(DownloadedDive({{"VARI", 2}, {"MDEPTH", 100}, {"SNAPSHOT", 1}}));
    AddSample(id, 1, {{"BTIME", 30}, {"DEPTH", 33}, {"VARI", 2}});
    gv.DB->Execute("INSERT INTO DIVE_DC_SETTINGS (DIVEID, ALTTIME) VALUES (?, 1)", {id});
    MakeCurrent(id);
    ASSERT_EQ(ExportProfileFile(Out("bands.txt"), ";").status, ExportOutcome::Done);
    const QByteArray bytes = ReadBytes(Out("bands.txt"));
    EXPECT_TRUE(bytes.contains("\r\nMax Ascent Rate: 31-40 FPM\r\n")) << bytes.toStdString();
    EXPECT_TRUE(bytes.contains("\r\nDive Sampling Rate: 15 Secs\r\n")) << bytes.toStdString();
    EXPECT_TRUE(bytes.contains("\r\n00:00:30;33 FT;0;0;16-20 FPM;")) << bytes.toStdString();
}

TEST_F(ProfileExportTest, ADiveWithoutSamplesGivesTheHeadAndTheHeader)
{
    MakeCurrent(AddDive(DownloadedDive()));
    ASSERT_EQ(ExportProfileFile(Out("none.txt"), ",").status, ExportOutcome::Done);
    const QByteArray bytes = ReadBytes(Out("none.txt"));
    EXPECT_EQ(bytes.count("\r\n"), 13);
    EXPECT_TRUE(bytes.endsWith("Link Status,Dive Status\r\n"));
}

// ---- DL7 export ----------------------------------------------------------------------

class DL7ExportTest : public ExportTest {};

TEST_F(DL7ExportTest, WritesTheGoldenFilesInBothUnitSystems)
{
    MakeCurrent(AddDownloadedDive());
    EXPECT_EQ(DL7FileName(), "VORN_12345_200905211405_7.ZXU");
    SetUnits(true);
    ASSERT_EQ(ExportDL7File(Out("imperial.ZXU"), 1).status, ExportOutcome::Done);
    ExpectGolden(Out("imperial.ZXU"), "dl7_imperial.ZXU");
    SetUnits(false);
    ASSERT_EQ(ExportDL7File(Out("metric.ZXU"), 1).status, ExportOutcome::Done);
    ExpectGolden(Out("metric.ZXU"), "dl7_metric.ZXU");
}

TEST_F(DL7ExportTest, NumbersUseAPointUnderADecimalComma)
{
    Runtime::SetDecimalSeparator(QLatin1Char(','));
    MakeCurrent(AddDownloadedDive());
    SetUnits(false);
    ASSERT_EQ(ExportDL7File(Out("comma.ZXU"), 1).status, ExportOutcome::Done);
    ExpectGolden(Out("comma.ZXU"), "dl7_metric.ZXU");

    const QStringList lines = QString::fromLatin1(ReadBytes(Out("comma.ZXU"))).split(QStringLiteral("\r\n"));
    int numbers = 0;
    for (const QString& line : lines) {
        if (!line.startsWith('|') && !line.startsWith(QLatin1String("ZDT|")) && !line.startsWith(QLatin1String("ZDH|")))
            continue;
        const QStringList fields = line.split('|');
        for (qsizetype i = line.startsWith('|') ? 1 : 3; i < fields.size(); ++i) {
            const QString& field = fields[i];
            if (field.isEmpty() || field == QLatin1String("T") || field.startsWith('Q') || field == QLatin1String("I"))
                continue;
            bool ok = false;
            QLocale::c().toDouble(field, &ok);
            EXPECT_TRUE(ok) << line.toStdString() << " field " << i;
            ++numbers;
        }
    }
    EXPECT_GE(numbers, 18);
}

TEST_F(DL7ExportTest, GasField)
{
    MakeCurrent(AddDive(DownloadedDive({{"FO2", 32}, {"FO2GAS2", 50}, {"FO2GAS3", 0}})));
    const struct {
        const char* name;
        bool first, switched;
        qint64 tank;
        const char* text;
    } cases[] = {
        {"firstNitrox", true, false, 0, "2.32"}, {"laterPlain", false, false, 0, ""},
        {"switchTo2", false, true, 2, "2.50"},   {"firstIsSwitchTo2", true, true, 2, "2.50"},
        {"switchToAir", false, true, 3, "1"},    {"switchToUnknown", false, true, 4, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DL7GasText(c.first, c.switched, c.tank), c.text) << c.name;
    gv.CurrentDive.FO2 = 0;
    EXPECT_EQ(DL7GasText(true, false, 0), "1");
}

TEST_F(DL7ExportTest, TemperatureLookAhead)
{
    SetUnits(true);
    const struct {
        const char* name;
        std::vector<int> temps;
        QStringList fields;   // field 8 of each line
        QString diveTemp;
    } cases[] = {
        {"zeroThenReading", {0, 76}, {"76", "76"}, "76"},
        {"readingsFirst", {0, 0, 77}, {"0", "77", "77"}, "77"},
        {"lastWithoutReading", {75, 0}, {"75", "75"}, "75"},
        {"onlyRowWithoutReading", {0}, {"60"}, "60"},
    };
    for (const auto& c : cases) {
        const qint64 id = AddDive(DownloadedDive({{"TEMP", 60}}));
        int order = 0;
        for (int t : c.temps) {
            ++order;
            AddSample(id, order, {{"BTIME", 2 * order}, {"DEPTH", 10}, {"TEMP", t}});
        }
        MakeCurrent(id);
        ASSERT_EQ(ExportDL7File(Out("t.ZXU"), 1).status, ExportOutcome::Done);
        const QList<QByteArray> lines = ReadBytes(Out("t.ZXU")).split('\n');
        EXPECT_EQ(lines[3].split('|').value(6), c.diveTemp.toLatin1()) << c.name;
        for (int i = 0; i < c.fields.size(); ++i)
            EXPECT_EQ(lines[5 + i].split('|').value(8), c.fields[i].toLatin1()) << c.name << " row " << i;
    }
}

TEST_F(DL7ExportTest, ADiveWithoutSamplesGetsACompleteFile)
{
    SetUnits(true);
    MakeCurrent(AddDive(DownloadedDive({{"TEMP", 70}, {"DIVEDATE", "2009/05/21"}, {"DIVETIME", "23:30"},
                                        {"BTIME", 45}, {"DIVENO", 9}, {"MDEPTH", 40}})));
    ASSERT_EQ(ExportDL7File(Out("empty.ZXU"), 2).status, ExportOutcome::Done);
    EXPECT_TRUE(ReadBytes(Out("empty.ZXU"))
                    .endsWith("ZDH|2|9|I|Q2S|200905212330|70|\r\nZDP{\r\nZDP}\r\nZDT|2|9|40|200905220015|\r\n"));
}

TEST_F(DL7ExportTest, TheEndPastMidnightTakesTheNextDay)
{
    EXPECT_EQ(DL7EndStamp("20090521", "23:30", 45), "200905220015");
    EXPECT_EQ(DL7EndStamp("20090521", "14:05", 45), "200905211450");
    EXPECT_EQ(DL7EndStamp("20091231", "23:00", 60), "201001010000");
}

TEST_F(DL7ExportTest, SequenceNumbersCountFromOneAndWrapAfter99)
{
    EXPECT_EQ(NextExportSeqNo(), 1);
    SaveExportSeqNo(1);
    EXPECT_EQ(NextExportSeqNo(), 2);
    SaveExportSeqNo(2);
    EXPECT_EQ(GetRegSetting(HKEY_CURRENT_USER, ExportSeqKey, ExportSeqValue), " 2");
    SaveExportSeqNo(99);
    EXPECT_EQ(NextExportSeqNo(), 1);
}

} // namespace
} // namespace kvl::test
