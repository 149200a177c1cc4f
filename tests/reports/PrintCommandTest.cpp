#include "platform/printer/RecordingPrinter.h"
#include "platform/printer/qt/PdfOutput.h"
#include "reports/Reports.h"
#include "reports/core/ReportFrame.h"
#include "shell/MDI_MainFrm.h"
#include "shell/core/FormCode.h"
#include "shell/core/Global_Vars.h"
#include "shell/core/StateCodes.h"
#include "shell/core/Units.h"
#include "tests/shell/MainFrmTest.h"
#include "tests/support/LogFixture.h"

#include <QProcess>
#include <QPushButton>
#include <QRadioButton>

#include <array>

namespace kvl::test {
namespace {

struct EnablingCase {
    const char* name;
    int activeForm;
    std::array<bool, kPrintOptions> enabled;  // by option index
};

class PrintOptionEnabling : public MainFrmTest, public ::testing::WithParamInterface<EnablingCase> {};

TEST_P(PrintOptionEnabling, OptionsFollowTheOpenForm)
{
    const EnablingCase& c = GetParam();
    gv.ActiveFormID = quint8(c.activeForm);
    PrintOption dialog;
    for (int i = 0; i < kPrintOptions; ++i)
        EXPECT_EQ(dialog.Option1[size_t(i)]->isEnabled(), c.enabled[size_t(i)]) << i;
    EXPECT_TRUE(dialog.Option1[DivesListOption]->isChecked());
}

INSTANTIATE_TEST_SUITE_P(Print, PrintOptionEnabling, ::testing::Values(
    EnablingCase{"DiverForm", FormCode::Personal, {false, false, true, true, false}},
    EnablingCase{"SettingsForm", FormCode::DiveComputer, {false, false, true, true, true}},
    EnablingCase{"HistoryForm", FormCode::History, {false, false, true, true, false}},
    EnablingCase{"NoForm", FormCode::None, {true, true, true, true, false}},
    EnablingCase{"DiveForm", FormCode::Dive, {true, true, true, true, false}},
    EnablingCase{"LogJustOpened", FormCode::LogOpened, {true, true, true, true, false}}),
    [](const ::testing::TestParamInfo<EnablingCase>& row) { return std::string(row.param.name); });

class PrintOptionTest : public MainFrmTest {};

TEST_F(PrintOptionTest, CaptionsByIndexAndTheButtons)
{
    PrintOption dialog;
    EXPECT_EQ(dialog.windowTitle(), "Printing Options");
    const char* captions[] = {"Dive data and graph", "Dive details", "Dives List", "Personal", "Settings"};
    for (int i = 0; i < kPrintOptions; ++i)
        EXPECT_EQ(dialog.Option1[size_t(i)]->text(), captions[i]);
    EXPECT_EQ(dialog.OKCmd->text().trimmed(), "&OK");
    EXPECT_EQ(dialog.OKCmd->text().size(), 14);
    EXPECT_EQ(dialog.SmartUI1->text().trimmed(), "&Cancel");
    EXPECT_EQ(dialog.SmartUI1->text().size(), 11);
}

TEST_F(PrintOptionTest, EveryCaptionShowsWholeBesideTheButtons)
{
    PrintOption dialog;
    for (int i = 0; i < kPrintOptions; ++i) {
        const QRadioButton& option = *dialog.Option1[size_t(i)];
        EXPECT_GE(option.width(), option.sizeHint().width()) << option.text().toStdString();
        EXPECT_LT(option.geometry().right(), dialog.OKCmd->geometry().left()) << option.text().toStdString();
    }
    for (const QPushButton* button : {dialog.OKCmd, dialog.SmartUI1})
        EXPECT_TRUE(dialog.rect().contains(button->geometry())) << button->text().toStdString();
}

TEST_F(PrintOptionTest, OkStoresTheChoiceCancelAndTheFrameStoreNothing)
{
    {
        PrintOption dialog;
        dialog.OKCmd->click();
        EXPECT_EQ(gv.PrintChoice, kPrintDivesList);
    }
    {
        PrintOption dialog;
        dialog.Option1[PersonalOption]->click();
        dialog.OKCmd->click();
        EXPECT_EQ(gv.PrintChoice, kPrintPersonalInfo);
    }
    {
        PrintOption dialog;
        dialog.SmartUI1->click();
        EXPECT_EQ(gv.PrintChoice, kPrintNone);
    }
    gv.PrintChoice = kPrintDivesList;
    {
        PrintOption dialog;
        dialog.show();
        dialog.close();
        EXPECT_EQ(gv.PrintChoice, kPrintNone);
    }
}

class PrintCommandTest : public MainFrmTest {
protected:
    void SetUp() override
    {
        MainFrmTest::SetUp();
        InstallPrintStep([this](const ReportJob& job) {
            ++steps;
            titles << job.title;
            if (draw)
                DrawReport(printer, job);
        });
    }
    void TearDown() override
    {
        InstallPrintStep({});
        MainFrmTest::TearDown();
    }
    void Print(int choice)
    {
        gv.PrintChoice = quint8(choice);
        MainFrm().PrintChosenReport();
    }

    RecordingPrinter printer;
    bool draw = true;
    int steps = 0;
    QStringList titles;
};

TEST_F(PrintCommandTest, DivesListAndPersonalPageGoThroughThePrintStep)
{
    ASSERT_TRUE(StartUp());
    Print(3);
    EXPECT_EQ(printer.ended, 1);
    EXPECT_TRUE(printer.Find(gv.DiverName + " - Dive Listing"));
    Print(4);
    EXPECT_EQ(printer.ended, 2);
    EXPECT_TRUE(printer.Find(gv.DiverName + " - Personal Information"));
    EXPECT_EQ(titles, (QStringList{gv.DiverName + " - Dive Listing", gv.DiverName + " - Personal Information"}));
    EXPECT_TRUE(dialogs.Messages().empty());
}

TEST_F(PrintCommandTest, GaugeSettingsOfAStoredUnitPrintItsLegs)
{
    ASSERT_TRUE(StartUp());
    InsertRow(*gv.DB, "DC_SETTINGS", {{"DCID", 6774}, {"DCSERIALNO", 12345}, {"UNITS", 0}, {"MAXDEPTH", 100}});
    for (int leg = 1; leg <= 3; ++leg)
        InsertRow(*gv.DB, "DC_NAV", {{"DCID", 6774}, {"DCSERIALNO", 12345}, {"LEGNO", leg}, {"HEADING", 90 * leg},
                                     {"CDT", 60 * leg}});
    gv.ActiveFormID = FormCode::DiveComputer;
    gv.SelectedModelID = 6774;
    gv.SelectedSerialNo = 12345;
    Print(5);
    EXPECT_EQ(printer.ended, 1);
    EXPECT_TRUE(printer.Find(" 12345"));
    EXPECT_TRUE(printer.Find("100 FT"));
    EXPECT_TRUE(printer.Find(" 270°"));
    EXPECT_TRUE(printer.Find(" 00:03:00"));
}

TEST_F(PrintCommandTest, ACancelledPrintStepPrintsAndSaysNothing)
{
    ASSERT_TRUE(StartUp());
    draw = false;
    Print(3);
    Print(4);
    EXPECT_EQ(steps, 2);
    EXPECT_EQ(printer.documents, 0);
    EXPECT_TRUE(dialogs.Prompts().empty());
}

TEST_F(PrintCommandTest, AReportFailingPartWayIsAbortedAndSaysSo)
{
    ASSERT_TRUE(StartUp());
    gv.SortOrder = "NO_SUCH_COLUMN";
    dialogs.SetFailureHook([](const QString&) {});  // the reason's wording is the database's
    Print(3);
    EXPECT_EQ(printer.aborted, 1);
    EXPECT_EQ(printer.ended, 0);
    ASSERT_EQ(dialogs.Messages().size(), 1u);
    EXPECT_TRUE(dialogs.Messages()[0].text.startsWith("Could not print the report.\n"));
    EXPECT_EQ(dialogs.Messages()[0].title, "Print");
    EXPECT_EQ(dialogs.Messages()[0].icon, MsgIcon::Critical);
}

TEST_F(PrintCommandTest, SampleLogDivesListToPdfHoldsEveryDivesDateAndLocation)
{
    ASSERT_TRUE(StartUp());
    gv.DiverName = gv.DB->Scalar("Select NAME from USERINFO where USERTYPE = 1").ToString();  // as the diver's form does
    ASSERT_FALSE(gv.DiverName.isEmpty());
    const QString pdf = Home() + "/Sample.pdf";
    InstallPrintStep([&pdf](const ReportJob& job) {
        QString error;
        SavePdf(pdf, job.title, [&job](Printer& p) { return DrawReport(p, job); }, &error);
    });
    Print(3);
    QProcess process;
    process.start("pdftotext", {"-layout", pdf, "-"});
    ASSERT_TRUE(process.waitForFinished(60000));
    const QString text = QString::fromUtf8(process.readAllStandardOutput());
    ASSERT_FALSE(text.isEmpty()) << "pdftotext (poppler-utils) is needed";
    EXPECT_TRUE(text.contains(gv.DiverName + " - Dive Listing")) << text.left(300).toStdString();
    auto rows = gv.DB->OpenRecordset(
        "Select DIVEDATE, LOCATIONNAME from DIVEDATA left join LOCATIONS on DIVEDATA.LOCID = LOCATIONS.LOCID");
    int dives = 0;
    for (; !rows->EOF(); rows->MoveNext(), ++dives) {
        EXPECT_TRUE(text.contains(FormatDBDate(rows->Field("DIVEDATE").ToString())));
        const QString location = rows->Field("LOCATIONNAME").ToString();
        EXPECT_TRUE(location.isEmpty() || text.contains(location.left(10))) << location.toStdString();
    }
    EXPECT_GT(dives, 0);
}

} // namespace
} // namespace kvl::test

namespace kvl::test {
namespace {

TEST_F(PrintCommandTest, ManualDivesLogbookPageNeedsItsSetPointsBeforeThePrintStep)
{
    ASSERT_TRUE(StartUp());
    ASSERT_EQ(gv.rsDiveData->Field("DATATYPE").ToLong(), 0) << "the sample log's current dive is a manual one";
    const db::Value diveId = gv.rsDiveData->Field("DIVEID");
    gv.DB->Execute("Delete from DIVE_DC_SETTINGS where DIVEID = ? ;", {diveId});
    dialogs.ExpectMsg("There will be no graph printing for Manual Entry Dive.")
        .ExpectMsg("User-defined set points data are missing. Could not print.");
    Print(1);
    EXPECT_EQ(steps, 0);

    InsertRow(*gv.DB, "DIVE_DC_SETTINGS", {{"DIVEID", diveId}});
    dialogs.ExpectMsg("There will be no graph printing for Manual Entry Dive.");
    Print(1);
    EXPECT_EQ(titles, QStringList{gv.DiverName + " - Logbook"});
    EXPECT_EQ(printer.ended, 1);
    EXPECT_TRUE(printer.Find("DIVE DATA"));
    for (const RecordedLine& l : printer.lines)
        EXPECT_NE(l.width, 6) << "no curve for a manual dive";
}

} // namespace
} // namespace kvl::test
