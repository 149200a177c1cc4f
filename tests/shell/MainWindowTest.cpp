// The main window as it opens: its bars' items, the dive items' group routines,
// the help commands, the About box and the print command's checks.
#include "tests/shell/MainFrmTest.h"

#include "forms/HelpWindow.h"
#include "forms/ModalForms.h"
#include "platform/widgets/SmartSideBar.h"
#include "platform/widgets/SmartToolBar.h"
#include "reports/Reports.h"
#include "shell/core/Global_Vars.h"
#include "shell/MDI_MainFrm.h"
#include "shell/core/StateCodes.h"
#include "shell/frmAbout.h"

#include <QAbstractButton>
#include <QAction>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>

namespace kvl::test {
namespace {

using MainWindowTest = MainFrmTest;

struct ToolItem {
    const char* key;
    BarItemKind kind;
    const char* caption;
    const char* toolTip;
    int visible;
};

TEST_F(MainWindowTest, ToolBarHoldsEveryItemInOrderWithItsStartState)
{
    const QString about = QString::fromUtf8("About Tarvik\u00AE Computer Vavedaver");
    using K = BarItemKind;
    const ToolItem expected[] = {
        {"Exit", K::Button, "", "Exit", 1},
        {"NewLog", K::Button, "", "New data file", 1},
        {"OpenLog", K::Button, "", "Open data file", 1},
        {"", K::Separator, "", "", 1},
        {"RestoreLog", K::Button, "", "Restore data from a backup file", 1},
        {"", K::Separator, "", "", 1},
        {"Print", K::Button, "", "Print", 1},
        {"", K::Separator, "", "", 1},
        {"Export", K::Button, "", "Export VURO Dive Data", 1},
        {"", K::Separator, "", "", 1},
        {"Units", K::DropDownMenu, "", "Units of Measurement", 0},
        {"Imperial", K::OptionEntry, "Imperial", "", 1},
        {"Metric", K::OptionEntry, "Metric", "", 1},
        {"Help", K::DropDownMenu, "", "Tarvik Computer Vavedaver Help", 1},
        {"HelpContents", K::MenuEntry, "Contents", "Contents", 1},
        {"TechSupport", K::MenuEntry, "Technical Support", "Technical Support", 1},
        {"About", K::MenuEntry, "", "", 1},
        {"", K::Separator, "", "", 1},
        {"LTD", K::DropDownWindow, "", "", 1},
        {"Sort", K::Button, "", "Sort Dives Listing", 0},
        {"Save", K::Button, "", "Save", 0},
        {"", K::Separator, "", "", 1},
        {"FirstDive", K::Button, "", "First dive", 1},
        {"PrevDive", K::Button, "", "Previous dive", 1},
        {"NextDive", K::Button, "", "Next dive", 1},
        {"LastDive", K::Button, "", "Last dive", 1},
        {"AddDive", K::Button, "", "Add/Download new dive(s)", 1},
        {"DeleteDive", K::Button, "", "Delete this dive", 1},
        {"DeleteAllDives", K::Button, "", "Delete all dives", 1},
        {"PDCSettings", K::DropDownMenu, "Setting Options", "", 0},
        {"Manufacturing", K::MenuEntry, "Manufacturer", "DC Manufacturing Default Settings", 1},
        {"LastSettings", K::MenuEntry, "Last Setting", "Load the last DC Settings", 1},
        {"ReadSettings", K::MenuEntry, "Read setting from Radarar Edeze", "Read the settings from the Radarar Edeze", 1},
        {"WriteSettings", K::MenuEntry, "Save setting to Radarar Edeze", "Write settings to the Radarar Edeze", 1},
    };
    const auto& items = MainFrm().SmartUI1->AllItems();
    ASSERT_EQ(items.size(), std::size(expected));
    for (size_t i = 0; i < items.size(); ++i) {
        const ToolItem& want = expected[i];
        const BarItem& item = *items[i];
        SCOPED_TRACE(want.key);
        EXPECT_EQ(item.Key(), want.key);
        EXPECT_EQ(item.Kind(), want.kind);
        EXPECT_EQ(item.Visible(), want.visible);
        if (item.Key() == "About") {
            EXPECT_EQ(item.Text(), about);
            EXPECT_EQ(item.ToolTipText(), about);
        } else {
            EXPECT_EQ(item.Text(), want.caption);
            EXPECT_EQ(item.ToolTipText(), want.toolTip);
        }
    }
    EXPECT_EQ(MainFrm().windowTitle(), QString::fromUtf8("TARVIK\u00AE Computer Vavedaver"));
}

TEST_F(MainWindowTest, SideBarHoldsTheLogoAndThreeGroups)
{
    QStringList layout;
    for (const auto& item : MainFrm().SmartBar->AllItems())
        layout << (item->Key().isEmpty() ? "[" + item->Text() + "]" : item->Key() + "=" + item->Text());
    EXPECT_EQ(layout, (QStringList{"Logo=", "[Configuration]", "Personal=Personal", "DiveComputer=Radarar Edeze",
                                   "[Dive Log]", "Dive=VURO Dive", "Details=VURO Dive Details",
                                   "Location=VURO Dive Location", "Gear=Gear", "Buddies=Buddies", "[Dive Data]",
                                   "History=VURO History", "Queries=Queries"}));
    EXPECT_EQ(MainFrm().SmartBar->Items("Gear").Visible(), 0);
    EXPECT_EQ(MainFrm().SmartBar->Items("History").ToolTipText(), "Dives History");
    EXPECT_EQ(MainFrm().SmartBar->Items("Queries").ToolTipText(), "Dives look up queries");
}

TEST_F(MainWindowTest, MenusCarryTheirCaptions)
{
    QStringList captions;
    for (QAction* menu : MainFrm().menuBar()->actions()) {
        captions << menu->text();
        for (QAction* item : menu->menu()->actions())
            captions << (item->isSeparator() ? "-" : item->text());
    }
    EXPECT_EQ(captions, (QStringList{"&File", "&New data file", "&Open data file",
                                     "&Restore Data from a backup file", "-", "&Import VURO Dive Data",
                                     "E&xport VURO Dive Data", "&Print", "-", "&Exit", "&Help", "&Contents",
                                     "&Technical Support", "-",
                                     QString::fromUtf8("&About Tarvik\u00AE Computer Vavedaver")}));
}

TEST_F(MainWindowTest, DiveItemsShowAndHideAsAGroupWithSortAlwaysHidden)
{
    MDI_MainFrm& frame = MainFrm();
    const QStringList diveItems{"LTD", "Sort", "AddDive", "DeleteDive", "FirstDive",
                                "LastDive", "PrevDive", "NextDive", "DeleteAllDives"};
    auto shown = [&] {
        QStringList keys;
        for (const QString& key : diveItems)
            if (frame.SmartUI1->Items(key).Visible())
                keys << key;
        return keys;
    };
    frame.SmartUI1->Items("Sort").SetVisible(1);
    frame.DisableDiveButtons();
    EXPECT_TRUE(shown().isEmpty());
    frame.SmartUI1->Items("Sort").SetVisible(1);
    frame.EnableDiveButtons();
    EXPECT_EQ(shown(), (QStringList{"LTD", "AddDive", "DeleteDive", "FirstDive", "LastDive", "PrevDive", "NextDive",
                                    "DeleteAllDives"}));
    for (const char* key : {"Exit", "Print", "Help"})
        EXPECT_EQ(frame.SmartUI1->Items(key).Visible(), 1);
}

TEST_F(MainWindowTest, UpdateNavButtonsEnablesTheSixItemsWithoutLookingAtTheLog)
{
    MDI_MainFrm& frame = MainFrm();
    const QStringList six{"FirstDive", "PrevDive", "NextDive", "LastDive", "LTD", "Sort"};
    for (const QString& key : six)
        frame.SmartUI1->Items(key).SetEnabled(false);
    frame.SmartUI1->Items("AddDive").SetEnabled(false);
    frame.UpdateNavButtons();
    for (const QString& key : six)
        EXPECT_TRUE(frame.SmartUI1->Items(key).Enabled()) << qPrintable(key);
    EXPECT_FALSE(frame.SmartUI1->Items("AddDive").Enabled());
}

TEST_F(MainWindowTest, HelpCommandsOpenTheHelpFileAtTheirAnchors)
{
    ASSERT_TRUE(StartUp());
    MainFrm().mnuTech_Click();
    EXPECT_EQ(ShownHelpPage().fileName(), "KVL.html");
    EXPECT_EQ(ShownHelpPage().fragment(), "technical-support");
    MainFrm().SmartUI1->Items("HelpContents").SetSelected(true);
    EXPECT_EQ(ShownHelpPage().fragment(), "contents");
}

TEST_F(MainWindowTest, HelpFileHoldsAnAnchorForEveryHelpContext)
{
    const QString html = QString::fromUtf8(FileBytes(Home() + "/KVL.html"));
    for (int context : {HelpContents, HelpReadSettings, HelpWriteSettings, HelpDownload, HelpTechnicalSupport})
        EXPECT_TRUE(html.contains("id=\"" + HelpAnchor(context) + "\"")) << context;
    EXPECT_EQ(HelpAnchor(99), "contents");
}

TEST_F(MainWindowTest, AboutBoxShowsTheVersionCentredOnTheScreen)
{
    frmAbout about;
    EXPECT_EQ(about.windowTitle(), QString::fromUtf8("About Tarvik\u00AE Computer Vavedaver"));
    EXPECT_EQ(about.Label1->text(), QString::fromUtf8("Tarvik\u00AE Computer Vavedaver"));
    EXPECT_EQ(about.lblVersion->text(), "Version 1.0.1 - 05.21.09");
    EXPECT_EQ(about.cmdOK->text(), "OK");
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    EXPECT_EQ(about.x(), (screen.width() - about.width()) / 2);
    EXPECT_EQ(about.y(), (screen.height() - about.height()) / 2);
}

// Plays the user's part in the modal windows: records each window's class and
// lets `answer` close it.
class ModalWindows {
public:
    explicit ModalWindows(std::function<int(QDialog&)> answer)
    {
        InstallModalRunner([this, answer](QDialog& dialog) {
            shown << dialog.metaObject()->className();
            return answer(dialog);
        });
    }
    ~ModalWindows() { InstallModalRunner({}); }
    QStringList shown;
};

TEST_F(MainWindowTest, AboutCommandShowsTheAboutBoxModally)
{
    ModalWindows windows([](QDialog& dialog) {
        static_cast<frmAbout&>(dialog).cmdOK->click();
        return dialog.result();
    });
    MainFrm().SmartUI1->Items("About").SetSelected(true);
    EXPECT_EQ(windows.shown, QStringList{"kvl::frmAbout"});
}

class PrintTest : public MainFrmTest {
protected:
    void SetUp() override
    {
        MainFrmTest::SetUp();
        InstallPrintStep([this](const ReportJob&) { ++printerDialogs; });
    }
    void TearDown() override
    {
        InstallPrintStep({});
        MainFrmTest::TearDown();
    }
    void Print(int choice)
    {
        gv.PrintChoice = static_cast<quint8>(choice);
        MainFrm().PrintChosenReport();
    }
    int printerDialogs = 0;
};

TEST_F(PrintTest, ReportsOfDivesEnteredByHandAreRefusedOrWarned)
{
    ASSERT_TRUE(StartUp());
    ASSERT_EQ(gv.rsDiveData->Field("DATATYPE").ToLong(), 0);  // the sample dives are entered by hand
    dialogs.ExpectMsg("There will be no graph printing for Manual Entry Dive.")
        .ExpectMsg("There is no details printing for Manual Entry Dive.")
        .ExpectMsg("There is no Radarar Edeze settings to print.");
    Print(kPrintLogbookPage);
    EXPECT_EQ(printerDialogs, 1);  // the logbook page prints all the same
    Print(kPrintDiveDetails);
    Print(kPrintDivesList);
    Print(kPrintPersonalInfo);
    Print(kPrintGaugeSettings);
    EXPECT_EQ(printerDialogs, 3);
    for (const Prompt& prompt : dialogs.Messages()) {
        EXPECT_EQ(prompt.title, "Print");
        EXPECT_EQ(prompt.icon, MsgIcon::Exclamation);
    }
}

TEST_F(PrintTest, DiveReportsNeedADiveAndGaugeSettingsAUnit)
{
    ASSERT_TRUE(StartUp());
    gv.DB->Execute("Delete from DIVEDATA ;");
    gv.rsDiveData = gv.DB->OpenRecordset(gv.DiveListSQL);
    for (int choice : {kPrintLogbookPage, kPrintDiveDetails, kPrintDivesList}) {
        dialogs.ExpectMsg("No dive data to print.");
        Print(choice);
    }
    gv.SelectedModelID = 6774;
    gv.SelectedSerialNo = 0;
    dialogs.ExpectMsg("There is no Radarar Edeze settings to print.");
    Print(kPrintGaugeSettings);
    gv.SelectedSerialNo = 1234;  // a unit without stored settings is refused before the print step
    dialogs.ExpectMsg("User-defined set points data are missing. Could not print.");
    Print(kPrintGaugeSettings);
    Print(kPrintPersonalInfo);
    EXPECT_EQ(printerDialogs, 1);
}

TEST_F(PrintTest, PrintCommandAsksForTheReportFirst)
{
    ASSERT_TRUE(StartUp());
    ModalWindows cancelled([](QDialog& dialog) {
        dialog.reject();
        return dialog.result();
    });
    MainFrm().SmartUI1->Items("Print").SetSelected(true);
    EXPECT_EQ(cancelled.shown, QStringList{"kvl::PrintOption"});
    EXPECT_EQ(gv.PrintChoice, kPrintNone);
    EXPECT_EQ(printerDialogs, 0);

    ModalWindows divesList([](QDialog& dialog) {
        static_cast<PrintOption&>(dialog).SetChoice(DivesListOption);
        dialog.accept();
        return dialog.result();
    });
    MainFrm().mnuPrintLog_Click();
    EXPECT_EQ(gv.PrintChoice, kPrintDivesList);
    EXPECT_EQ(printerDialogs, 1);
}

TEST_F(PrintTest, ExportWithDivesShowsTheDelimiterChoice)
{
    ASSERT_TRUE(StartUp());
    ModalWindows windows([](QDialog& dialog) {
        dialog.reject();
        return dialog.result();
    });
    MainFrm().SmartUI1->Items("Export").SetSelected(true);
    EXPECT_EQ(windows.shown, QStringList{"kvl::DelimiterOption"});
}

TEST_F(PrintTest, ExportWithoutDivesSaysSo)
{
    ASSERT_TRUE(StartUp());
    gv.DB->Execute("Delete from DIVEDATA ;");
    gv.rsDiveData = gv.DB->OpenRecordset(gv.DiveListSQL);
    dialogs.ExpectMsg("No dive data to export.");
    MainFrm().ExportData();
    EXPECT_EQ(LastPrompt().title, "Export Dive Data");
    EXPECT_EQ(LastPrompt().icon, MsgIcon::Exclamation);
}

} // namespace
} // namespace kvl::test
