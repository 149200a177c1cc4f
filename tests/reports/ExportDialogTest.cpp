#include "forms/ModalForms.h"
#include "platform/widgets/DataGrid.h"
#include "reports/DelimiterOption.h"
#include "reports/core/ExportDL7.h"
#include "shell/MDI_MainFrm.h"
#include "shell/core/SystemServices.h"
#include "tests/reports/core/ExportFixture.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QLabel>
#include <QMenu>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTimer>
#include <QToolButton>

namespace kvl::test {
namespace {

class ExportDialogTest : public ExportTest {
protected:
    void TearDown() override
    {
        InstallModalRunner({});
        DestroyMainFrm();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        ExportTest::TearDown();
    }

    // The lifetime numbers of the blocks in the file, in file order.
    static QStringList Blocks(const QString& path)
    {
        QStringList numbers;
        const QRegularExpression block("Life Time Dive No\\.: (\\d+)\\r\\n");
        for (const auto& m : block.globalMatch(QString::fromLatin1(ReadBytes(path))))
            numbers << m.captured(1);
        return numbers;
    }
};

TEST_F(ExportDialogTest, ShowsTheDelimitersTheDivesAndTheButtons)
{
    AddDownloadedDive();
    AddManualDive();
    DelimiterOption dialog;
    EXPECT_EQ(dialog.windowTitle(), "Export VURO Dive Details");
    EXPECT_TRUE(dialog.findChild<QLabel*>() && dialog.findChild<QLabel*>()->text() == "Delimiter Options");
    const QStringList options{"Tab", "Semi Colon", "Comma"};
    for (int i = 0; i < kDelimiterOptions; ++i)
        EXPECT_EQ(dialog.Option1[size_t(i)]->text(), options[i]);
    EXPECT_TRUE(dialog.Option1[CommaOption]->isChecked());
    EXPECT_EQ(ExportDelimiter, ",");
    const QStringList columns{"LTD #", "Date", "Time", "Dive #", "Radarar Edeze Model", "Select"};
    for (const QString& caption : columns)
        EXPECT_TRUE(dialog.Grid->ColumnVisible(caption)) << caption.toStdString();
    ASSERT_EQ(dialog.Grid->Rows(), 2);
    EXPECT_EQ(dialog.Grid->Cell(0, "Date"), "21/05/2009");
    EXPECT_EQ(dialog.Grid->Cell(0, "Radarar Edeze Model"), "QX07");
    EXPECT_EQ(dialog.Grid->Cell(1, "Radarar Edeze Model"), "N/A");
    EXPECT_EQ(dialog.Grid->Cell(1, "Select").toInt(), 0);
    EXPECT_EQ(dialog.LastRowLTD, 2);
    EXPECT_EQ(dialog.Cmd->text(), "Select");
    QStringList items;
    for (const QAction* action : dialog.Cmd->menu()->actions())
        items << action->text();
    EXPECT_EQ(items, (QStringList{"All Dives", "None"}));
    EXPECT_EQ(dialog.OKCmd->text(), "&Export   ");
    EXPECT_EQ(dialog.SmartUI1->text(), "&Cancel");
}

TEST_F(ExportDialogTest, SelectOnAnEmptyGridDoesNothing)
{
    DelimiterOption dialog;
    dialog.Cmd_ItemClick("SelectAll");
    dialog.Cmd_ItemClick("SelectNone");
    EXPECT_EQ(dialog.Grid->Rows(), 0);
    EXPECT_TRUE(dialog.TickedDives().empty());
}

TEST_F(ExportDialogTest, ADescendingSortAndNumbersFrom150TickAndExportEveryDiveOnce)
{
    gv.SortOrder = "LIFETIMEDIVENO DESC";
    for (int ltd = 150; ltd <= 153; ++ltd)
        AddDive(DownloadedDive({{"LIFETIMEDIVENO", ltd}}));
    DelimiterOption dialog;
    dialog.Cmd_ItemClick("SelectAll");
    EXPECT_EQ(dialog.TickedDives().size(), 4u);
    dialog.Cmd_ItemClick("SelectNone");
    EXPECT_TRUE(dialog.TickedDives().empty());
    dialog.Menu("All Dives");
    dialogs.ExpectSaveFile(Out("all.txt"));
    dialogs.ExpectMsg("Dive Details Exporting completed.");
    dialog.OKCmd->click();
    EXPECT_EQ(Blocks(Out("all.txt")), (QStringList{"153", "152", "151", "150"}));
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

TEST_F(ExportDialogTest, AllDivesWithTabWritesTheGoldenFile)
{
    SetUnits(true);
    AddDownloadedDive();
    AddManualDive();
    DelimiterOption dialog;
    dialog.Option1[TabOption]->setChecked(true);
    dialog.Menu("All Dives");
    dialogs.ExpectSaveFile(Out("tab.txt"));
    dialogs.ExpectMsg("Dive Details Exporting completed.");
    dialog.OKCmd->click();
    ExpectGolden(Out("tab.txt"), "details_imperial_tab.txt");
    EXPECT_EQ(ExportDelimiter, "\t");
    const Prompt& save = dialogs.Prompts().front();
    EXPECT_EQ(save.file.filter, "Text files|*.txt");
    EXPECT_EQ(dialogs.Messages().back().icon, MsgIcon::Information);
}

TEST_F(ExportDialogTest, ExportDiveDetailsAppendsEachDiveToTheOpenFile)
{
    SetUnits(true);
    const qint64 a = AddDownloadedDive();
    const qint64 b = AddManualDive();
    DelimiterOption dialog;
    ExportDelimiter = "\t";
    dialog.ExportFileName = Out("blocks.txt");
    dialog.ExportDiveDetails({a, 1});   // no file open yet: nothing
    EXPECT_FALSE(QFile::exists(Out("blocks.txt")));
    dialog.OpenExportFile();
    dialog.ExportDiveDetails({a, 1});
    dialog.ExportDiveDetails({b, 2});
    const ExportOutcome outcome = dialog.CloseExportFile();
    EXPECT_EQ(outcome.status, ExportOutcome::Done);
    ExpectGolden(Out("blocks.txt"), "details_imperial_tab.txt");
}

TEST_F(ExportDialogTest, ADialogGoneWithItsFileOpenLeavesNoFile)
{
    const qint64 a = AddDownloadedDive();
    {
        DelimiterOption dialog;
        dialog.ExportFileName = Out("abandoned.txt");
        dialog.OpenExportFile();
        dialog.ExportDiveDetails({a, 1});
    }
    EXPECT_TRUE(QDir(Home()).entryList({"abandoned.txt*"}, QDir::Files).isEmpty());
}

TEST_F(ExportDialogTest, AWriteThatFailsHalfwayShowsTheFailureAndKeepsTheEarlierFile)
{
    // Three dives of about 70 KB each: the writer breaks while the second one is written.
    for (int ltd = 1; ltd <= 3; ++ltd) {
        std::vector<int> times(2000);
        for (int i = 0; i < 2000; ++i)
            times[size_t(i)] = 2 * i;
        AddTimes(AddDive(DownloadedDive({{"LIFETIMEDIVENO", ltd}})), times);
    }
    {
        QFile old(Out("keep.txt"));
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("earlier export");
    }
    InstallExportSink([](const QString& path) { return std::make_unique<BreakingSink>(path, 100'000); });
    DelimiterOption dialog;
    dialog.Menu("All Dives");
    dialogs.ExpectSaveFile(Out("keep.txt"));
    dialogs.ExpectMsg("Could not export the dive data.\n" + Out("keep.txt") + ": The disk is full.");
    dialog.OKCmd->click();   // an unexpected "completed" would fail here
    EXPECT_EQ(dialogs.Messages().back().icon, MsgIcon::Critical);
    EXPECT_EQ(ReadBytes(Out("keep.txt")), "earlier export");
    EXPECT_EQ(QDir(Home()).entryList({"keep.txt*"}, QDir::Files).size(), 1);   // no temporary left
}

TEST_F(ExportDialogTest, CancellingTheProgressLeavesTheTargetAsItWas)
{
    for (int ltd = 1; ltd <= 60; ++ltd)
        AddDive(DownloadedDive({{"LIFETIMEDIVENO", ltd}, {"DATATYPE", 0}}));
    DelimiterOption dialog;
    dialog.Menu("All Dives");
    QTimer::singleShot(0, &dialog, [&dialog] {
        auto* progress = dialog.findChild<QProgressDialog*>();
        ASSERT_NE(progress, nullptr);
        progress->cancel();
    });
    dialogs.ExpectSaveFile(Out("stopped.txt"));
    dialog.OKCmd->click();   // says nothing
    EXPECT_FALSE(QFile::exists(Out("stopped.txt")));
    EXPECT_TRUE(QDir(Home()).entryList({"stopped.txt*"}, QDir::Files).isEmpty());
    EXPECT_LT(dialog.RowCount, 60);
}

TEST_F(ExportDialogTest, OnlyTheTickedDivesAreWritten)
{
    AddDownloadedDive();
    AddManualDive();
    DelimiterOption dialog;
    dialog.Grid->SetCell(1, "Select", "-1");
    dialogs.ExpectSaveFile(Out("one.txt"));
    dialogs.ExpectMsg("Dive Details Exporting completed.");
    dialog.OKCmd->click();
    EXPECT_EQ(Blocks(Out("one.txt")), QStringList{"2"});
}

TEST_F(ExportDialogTest, CancellingTheFileChoiceClosesAndWritesNothing)
{
    AddDownloadedDive();
    DelimiterOption dialog;
    dialog.Menu("All Dives");
    dialogs.ExpectSaveFile(QString());
    dialog.OKCmd->click();
    EXPECT_TRUE(dialogs.Messages().empty());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

TEST_F(ExportDialogTest, CancelEmptiesTheDelimiter)
{
    DelimiterOption dialog;
    dialog.SmartUI1->click();
    EXPECT_TRUE(ExportDelimiter.isEmpty());
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
}

TEST_F(ExportDialogTest, TheDelimiterOnlyFormHidesTheGridAndOnlyRecords)
{
    AddDownloadedDive();
    DelimiterOption dialog(nullptr, DelimiterOption::DelimiterOnly);
    EXPECT_TRUE(dialog.Grid->isHidden());
    EXPECT_TRUE(dialog.Cmd->isHidden());
    dialog.Option1[SemiColonOption]->setChecked(true);
    dialog.OKCmd->click();   // no file question
    EXPECT_EQ(ExportDelimiter, ";");
}

// ---- The main window's exports -----------------------------------------------------

TEST_F(ExportDialogTest, TheProfileExportAsksTheFileThenTheDelimiter)
{
    SetUnits(true);
    MakeCurrent(AddDownloadedDive());
    InstallModalRunner([](QDialog& dialog) {
        auto& options = static_cast<DelimiterOption&>(dialog);
        EXPECT_TRUE(options.Grid->isHidden());
        options.Option1[SemiColonOption]->setChecked(true);
        options.OKCmd->click();
        return dialog.result();
    });
    dialogs.ExpectSaveFile(Out("profile.txt"));
    dialogs.ExpectMsg("Dive Details Exporting completed.");
    MainFrm().ExportDiveDetails();
    ExpectGolden(Out("profile.txt"), "profile_imperial_semicolon.txt");
}

TEST_F(ExportDialogTest, ClosingTheProfileDelimiterDialogCancels)
{
    MakeCurrent(AddDownloadedDive());
    InstallModalRunner([](QDialog& dialog) {
        dialog.show();
        dialog.close();   // by the frame
        return dialog.result();
    });
    dialogs.ExpectSaveFile(Out("closed.txt"));
    MainFrm().ExportDiveDetails();
    EXPECT_FALSE(QFile::exists(Out("closed.txt")));
}

TEST_F(ExportDialogTest, ExportsWithoutADiveSaySo)
{
    gv.rsDiveData = gv.DB->OpenRecordset("Select * from DIVEDATA ;");
    for (void (MDI_MainFrm::*exportIt)() : {&MDI_MainFrm::ExportDiveDetails, &MDI_MainFrm::ExportDL7Level1}) {
        dialogs.ExpectMsg("No dive data to export.");
        (MainFrm().*exportIt)();
        EXPECT_EQ(dialogs.Messages().back().title, "Export Dive Data");
    }
}

TEST_F(ExportDialogTest, TwoDL7ExportsCarryOneAndTwo)
{
    SetUnits(true);
    MakeCurrent(AddDownloadedDive());
    for (const char* name : {"first.ZXU", "second.ZXU"}) {
        dialogs.ExpectSaveFile(Out(name));
        dialogs.ExpectMsg("Dive Details Exporting completed.");
        MainFrm().ExportDL7Level1();
    }
    ExpectGolden(Out("first.ZXU"), "dl7_imperial.ZXU");
    const QByteArray second = ReadBytes(Out("second.ZXU"));
    EXPECT_TRUE(second.contains("\r\nZDH|2|7|") && second.contains("\r\nZDT|2|7|")) << second.toStdString();
    EXPECT_EQ(GetRegSetting(HKEY_CURRENT_USER, ExportSeqKey, ExportSeqValue), " 2");
    const Prompt& save = dialogs.Prompts().front();
    EXPECT_EQ(save.file.fileName, "VORN_12345_200905211405_7.ZXU");
    EXPECT_EQ(save.file.filter, "ZXU files|*.ZXU");
}

TEST_F(ExportDialogTest, AFailedDL7ExportKeepsTheSequenceNumber)
{
    MakeCurrent(AddDownloadedDive());
    dialogs.ExpectSaveFile(Out("missing folder/x.ZXU"));
    dialogs.ExpectMsg("Could not export the dive data.\n" + Out("missing folder/x.ZXU") + ": No such file or directory");
    MainFrm().ExportDL7Level1();
    EXPECT_EQ(dialogs.Messages().back().icon, MsgIcon::Critical);
    EXPECT_EQ(GetRegSetting(HKEY_CURRENT_USER, ExportSeqKey, ExportSeqValue), "Not Found");
}

} // namespace
} // namespace kvl::test
