// The dive record driven through the main window, as a user reaches it: the side
// bar opens it on the sample log and the tool bar moves between dives.
#include "dive/DiveFrm.h"
#include "forms/ModalForms.h"
#include "platform/widgets/SmartSideBar.h"
#include "platform/widgets/SmartToolBar.h"
#include "reports/Reports.h"
#include "shell/core/Global_Vars.h"
#include "shell/MDI_MainFrm.h"
#include "shell/core/StateCodes.h"
#include "tests/support/KeyPresses.h"
#include "tests/support/Keys.h"
#include "tests/support/KvlTest.h"
#include "tests/support/Wheel.h"

#include <QApplication>
#include <QKeyEvent>
#include <QScrollArea>
#include <QScrollBar>

#include <string>

namespace kvl::test {
namespace {

const char kSave[] = "Do you want to save the changes?";

class DiveRoadTest : public KvlTest {
protected:
    void SetUp() override
    {
        KvlTest::SetUp();
        LayOutHome();
        gv = Global_Vars();
        ASSERT_TRUE(MainFrm().MDIForm_Load());
        MainFrm().SmartBar->Items("Dive").SetSelected(true);
        ASSERT_EQ(gv.ActiveFormID, FormCode::Dive);
        first = gv.CurrentDiveID;
    }
    void TearDown() override
    {
        DestroyMainFrm();
        gv = Global_Vars();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        KvlTest::TearDown();
    }
    DiveFrm& Form() { return DiveFrm::Instance(); }
    db::Value Stored(const QString& column)
    {
        return gv.DB->Scalar("Select " + column + " from DIVEDATA where DIVEID = ?", {first});
    }
    void Type(EditBox& box, const QString& text)
    {
        box.setText(text);
        emit box.KeyDown(0);
    }
    void Press(const QString& key) { MainFrm().SmartUI1_ItemClick(key); }
    // Real key presses into a box that has the focus, its text selected first.
    void KeyIn(QWidget& box, const QString& digits)
    {
        box.setFocus();
        QApplication::processEvents();
        ASSERT_TRUE(box.hasFocus());
        static_cast<QLineEdit&>(box).selectAll();
        test::KeyIn(box, digits);
    }
    void TabTo(QWidget& box)
    {
        box.setFocus(Qt::TabFocusReason);
        QApplication::processEvents();
    }

    qint32 first = 0;
};

TEST_F(DiveRoadTest, APressureTypedThenNextDiveIsSaved)
{
    Type(Form().Text3(DiveText::EndPressure1), "40");   // never left: the tool bar takes no focus
    const QString shown = Form().Text3(DiveText::EndPressure1).text();
    dialogs.ExpectMsg(kSave, MsgAnswer::Yes);
    Press("NextDive");
    EXPECT_NE(gv.CurrentDiveID, first);
    Press("PrevDive");
    ASSERT_EQ(gv.CurrentDiveID, first);
    EXPECT_EQ(Form().Text3(DiveText::EndPressure1).text(), shown);
    EXPECT_EQ(Form().Text3(DiveText::EndPressure1).text(), "40");
}

TEST_F(DiveRoadTest, ARefusedDateKeepsTheUserOnTheDive)
{
    Form().Masked1_GotFocus(DiveMasked::Date);
    const QString before = Form().Masked1(DiveMasked::Date).Text();
    Type(Form().Masked1(DiveMasked::Date), "31/31/2009");
    dialogs.ExpectMsg("Invalid month. Please re-enter date with a valid month.");
    Press("NextDive");
    EXPECT_EQ(gv.CurrentDiveID, first);
    EXPECT_EQ(gv.DiveChanged, kDiveRefused);
    EXPECT_EQ(Form().Masked1(DiveMasked::Date).Text(), before);
    // The next attempt is checked again and, nothing being changed now, goes ahead.
    Press("NextDive");
    EXPECT_NE(gv.CurrentDiveID, first);
}

TEST_F(DiveRoadTest, ARefusedDateKeepsTheRecordOpenWhenAnotherFormIsChosen)
{
    Type(Form().Text3(DiveText::EndPressure1), "40");
    Form().Text3_LostFocus(DiveText::EndPressure1);
    Form().Masked1_GotFocus(DiveMasked::Date);
    Type(Form().Masked1(DiveMasked::Date), "31/31/2009");
    dialogs.ExpectMsg("Invalid month. Please re-enter date with a valid month.");
    MainFrm().SmartBar->Items("Location").SetSelected(true);
    EXPECT_EQ(gv.ActiveFormID, FormCode::Dive);
    EXPECT_EQ(gv.CurrentDiveID, first);
    EXPECT_EQ(Form().Text3(DiveText::EndPressure1).text(), "40");   // the other edit is still there to be saved
    // The next attempt is checked again and, the date being put back, saves and goes ahead.
    MainFrm().SmartBar->Items("Location").SetSelected(true);
    EXPECT_EQ(gv.ActiveFormID, FormCode::Location);
    EXPECT_EQ(Stored("EPSI").ToDouble(), 40);
}

TEST_F(DiveRoadTest, ARefusedDateKeepsTheRecordOpenWithItsEditsOnEveryCommandThatLeavesIt)
{
    // None of these commands may go as far as a window of its own.
    InstallModalRunner([](QDialog& dialog) {
        ADD_FAILURE() << "unexpected window " << dialog.metaObject()->className();
        return 0;
    });
    InstallPrintStep([](const ReportJob&) { ADD_FAILURE() << "unexpected print step"; });
    const QString otherUnits = gv.UnitSystem == 1 ? "Metric" : "Imperial";
    const std::pair<const char*, std::function<void()>> commands[] = {
        {"AddDive", [this] { Press("AddDive"); }},
        {"OpenLog", [this] { Press("OpenLog"); }},
        {"NewLog", [this] { Press("NewLog"); }},
        {"units",
         [&] {
             MainFrm().SmartUI1->Items(otherUnits).SetChecked(true);
             MainFrm().SmartUI1_ItemTextChange(otherUnits, otherUnits);
         }},
        {"print",
         [] {
             gv.PrintChoice = kPrintDivesList;
             MainFrm().PrintChosenReport();
         }},
        {"exit", [] { EXPECT_FALSE(MainFrm().mnuExit_Click()); }},
    };
    int endPressure = 40;
    for (const auto& [command, run] : commands) {
        SCOPED_TRACE(command);
        const QString typed = QString::number(++endPressure);
        Type(Form().Text3(DiveText::EndPressure1), typed);
        Form().Text3_LostFocus(DiveText::EndPressure1);
        Form().Masked1_GotFocus(DiveMasked::Date);
        Type(Form().Masked1(DiveMasked::Date), "31/31/2009");
        dialogs.ExpectMsg("Invalid month. Please re-enter date with a valid month.");
        run();
        ASSERT_EQ(gv.ActiveFormID, FormCode::Dive);
        EXPECT_TRUE(DiveFrm::Exists() && Form().Loaded());
        EXPECT_EQ(gv.CurrentDiveID, first);
        EXPECT_EQ(Form().Text3(DiveText::EndPressure1).text(), typed);
        EXPECT_FALSE(MainFrm().ProgramEnded());
        // The date being put back, the edit is there to be saved.
        Press("Save");
        EXPECT_EQ(Stored("EPSI").ToDouble(), endPressure);
    }
    EXPECT_FALSE(MainFrm().SmartUI1->Items(otherUnits).Checked());
    InstallModalRunner({});
    InstallPrintStep({});
}

TEST_F(DiveRoadTest, KeysAndTabsInTheShownWindow)
{
    MainFrm().show();
    QApplication::setActiveWindow(&MainFrm());
    KeyIn(Form().Text3(DiveText::StartPressure1), "2500");
    EXPECT_EQ(gv.DiveChanged, kDiveEdited);
    TabTo(Form().Text3(DiveText::EndPressure1));
    EXPECT_EQ(gv.CurrentDive.SPSI.ToDouble(), 2500);

    const QString before = Form().Masked1(DiveMasked::Date).Text();
    KeyIn(Form().Masked1(DiveMasked::Date), "13402009");   // the sample log shows mm/dd/yyyy
    EXPECT_EQ(Form().Masked1(DiveMasked::Date).Text(), "13/40/2009");
    dialogs.ExpectMsg("Invalid month. Please re-enter date with a valid month.");
    TabTo(Form().Text3(DiveText::EndPressure1));
    QApplication::processEvents();
    EXPECT_EQ(Form().Masked1(DiveMasked::Date).Text(), before);
    EXPECT_TRUE(Form().Masked1(DiveMasked::Date).hasFocus());
}

TEST_F(DiveRoadTest, AChangedDateMovesTheDiveInTheLifetimeNumbers)
{
    const qint64 dives = gv.DB->Scalar("Select COUNT(*) from DIVEDATA").ToLong();
    ASSERT_GT(dives, 2);
    ASSERT_EQ(Stored("LIFETIMEDIVENO").ToLong(), 1);
    Form().Masked1_GotFocus(DiveMasked::Date);
    Type(Form().Masked1(DiveMasked::Date), "12/31/2099");
    dialogs.ExpectMsg(kSave, MsgAnswer::Yes);
    Press("NextDive");
    EXPECT_EQ(Stored("DIVEDATE").ToString(), "2099/12/31");
    EXPECT_EQ(Stored("LIFETIMEDIVENO").ToLong(), dives);
    EXPECT_EQ(gv.DB->Scalar("Select COUNT(DISTINCT LIFETIMEDIVENO) from DIVEDATA").ToLong(), dives);
}

TEST_F(DiveRoadTest, ADownloadedDiveShowsLockedFields)
{
    gv.DB->Execute("Update DIVEDATA set DATATYPE = 1 where DIVEID = ?", {first});
    Press("NextDive");
    Press("PrevDive");
    ASSERT_EQ(gv.CurrentDiveID, first);
    EXPECT_TRUE(Form().Text3(DiveText::MaxDepth).Locked());
    EXPECT_EQ(Form().DataType_Check(DataTypeBox::Downloaded).Value(), 1);
}

// At a screen size where the record scrolls, the wheel turned over the gas list just
// picked from (it keeps the focus) scrolls the record and leaves the mixture alone.
TEST_F(DiveRoadTest, TheWheelOverAFocusedListScrollsTheRecord)
{
    MainFrm().resize(1366, 768);
    ASSERT_TRUE(ShowActive(MainFrm()));
    const QScrollBar& bar = *MainFrm().ChildArea()->verticalScrollBar();
    ASSERT_GT(bar.maximum(), 0);
    ListBox& gas = Form().Combo1(DiveList::Gas1);
    ASSERT_TRUE(gas.isEnabled());
    gas.setFocus();
    QApplication::processEvents();
    const QString mixture = gas.currentText();
    const db::Value stored = Stored("FO2");
    TurnWheelDown(gas);
    EXPECT_EQ(gas.currentText(), mixture);
    EXPECT_GT(bar.value(), 0);
    Press("NextDive");   // nothing changed, nothing asked
    EXPECT_EQ(Stored("FO2").ToDouble(), stored.ToDouble());
}

// Down in the Location or Dive Site list goes on from the entry the dive shows, and
// the dive is linked to the new entry at once; a dive without an entry goes to the first.
TEST_F(DiveRoadTest, DownInACatalogListStepsFromTheEntryShown)
{
    struct Case {
        DataCombo& (DiveFrm::*list)() const;
        const char* column;
        bool unlinked;   // the dive names no entry
        const char* shown;
        const char* next;
        qint64 nextId;
    };
    const Case cases[] = {
        {&DiveFrm::DiveSite_Combo, "SITEID", false, "Molasses Reef", "Palancar Gardens", 7},
        {&DiveFrm::Location_Combo, "LOCID", false, "Key Largo, Florida", "Monterey, California", 2},
        {&DiveFrm::DiveSite_Combo, "SITEID", true, "", "Breakwater Cove", 5},
        {&DiveFrm::Location_Combo, "LOCID", true, "", "Cozumel, Mexico", 3},
    };
    ASSERT_TRUE(ShowActive(MainFrm()));
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.column) + (c.unlinked ? " unlinked" : ""));
        gv.DB->Execute(QStringLiteral("Update DIVEDATA set SITEID = 1, LOCID = 1 where DIVEID = ?"), {first});
        if (c.unlinked)
            gv.DB->Execute(QStringLiteral("Update DIVEDATA set %1 = 0 where DIVEID = ?").arg(c.column), {first});
        Press("NextDive");
        Press("PrevDive");
        ASSERT_EQ(gv.CurrentDiveID, first);
        DataCombo& list = (Form().*c.list)();
        EXPECT_EQ(list.Text(), QString::fromLatin1(c.shown));
        list.setFocus();
        QApplication::processEvents();
        PressKey(Qt::Key_Down);
        EXPECT_EQ(list.Text(), QString::fromLatin1(c.next));
        EXPECT_EQ(Stored(c.column).ToLong(), c.nextId);
        Form().Text3(DiveText::EndPressure1).setFocus();   // leaves the list
        QApplication::processEvents();
    }
}

} // namespace
} // namespace kvl::test
