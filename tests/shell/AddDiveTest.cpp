// The tool bar's "AddDive": the dialog's choice, the numbers that make room, and
// the dive that becomes current.
#include "tests/shell/CommandsTest.h"

#include "device/CommFrm.h"
#include "platform/registry/Registry.h"
#include "platform/widgets/SmartToolBar.h"
#include "shell/core/DiveRows.h"
#include "shell/core/LogCheck.h"
#include "shell/core/LogStore.h"
#include "shell/MDI_MainFrm.h"
#include "shell/core/SystemServices.h"

#include <QAccessible>
#include <QAccessibleEditableTextInterface>
#include <QApplication>
#include <QComboBox>
#include <QDate>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace kvl::test {
namespace {

class AddDiveTest : public CommandsTest {
protected:
    // Lifetime numbers of the five old dives (by date) and of the new one (today).
    std::vector<qint64> OldNumbers()
    {
        std::vector<qint64> numbers;
        for (const auto& [date, ltd] : NumbersByDate())
            if (date.startsWith("2009"))
                numbers.push_back(ltd);
        return numbers;
    }
    qint64 NewDiveNumber()
    {
        return gv.DB->Scalar("Select LIFETIMEDIVENO from DIVEDATA where DATATYPE = 0").ToLong();
    }
};

TEST_F(AddDiveTest, ANewDiveTakesItsPlaceAndTheLaterDivesMoveUp)
{
    struct Case {
        LtdPlace place;
        const char* typed;
        std::vector<qint64> old;
        qint64 added;
    };
    const Case cases[] = {
        {LtdPlace::Beginning, "", {2, 3, 4, 5, 6}, 1},
        {LtdPlace::Middle, "3", {1, 2, 4, 5, 6}, 3},
        {LtdPlace::End, "", {1, 2, 3, 4, 5}, 6},
        {LtdPlace::Middle, "40", {1, 2, 3, 4, 5}, 40},   // no upper bound
    };
    for (const Case& c : cases) {
        gv.DB->Execute("Delete from DIVEDATA");
        AddDives(5);
        Side("Location");
        AnswerAddDive(c.place, c.typed);
        Tool("AddDive");
        EXPECT_EQ(OldNumbers(), c.old) << c.typed;
        EXPECT_EQ(NewDiveNumber(), c.added) << c.typed;
        EXPECT_EQ(gv.CurrentDiveID, IdOf(c.added));
        EXPECT_EQ(gv.rsDiveData->Field("DIVEID").ToLong(), gv.CurrentDiveID);
        EXPECT_EQ(gv.CurrentDive.LIFETIMEDIVENO.ToLong(), c.added);
        EXPECT_TRUE(gv.IsNewDive);
        EXPECT_EQ(gv.ActiveFormID, FormCode::Dive);   // the dive record shows the new dive
        EXPECT_EQ(gv.CurrentDiveCaption.section(' ', 0, 0), QString("#%1").arg(c.added));
        EXPECT_EQ(Frm().SmartUI1->Items("LTD").Text(), gv.CurrentDiveCaption);
        EXPECT_EQ(Count("DIVE_DC_SETTINGS", gv.CurrentDiveID), 1);
    }
}

TEST_F(AddDiveTest, AFailedAddLeavesTheNumbersAsTheyWere)
{
    AddDives(3);
    gv.DB->Execute("Create trigger NoSettings before insert on DIVE_DC_SETTINGS begin "
                   "select raise(abort, 'refused'); end");
    dialogs.ExpectMsg("Could not initial new manual dive.");
    AnswerAddDive(LtdPlace::Beginning);
    Tool("AddDive");
    EXPECT_EQ(OldNumbers(), (std::vector<qint64>{1, 2, 3}));
    EXPECT_EQ(Count("DIVEDATA"), 3);
}

TEST_F(AddDiveTest, ALogThatTakesNoWritesSaysSoAndAddsNothing)
{
    AddDives(3);
    gv.DB->GuardWrites([](db::Database& log) { throw db::WriteRefused(DamagedLogText(log.Path())); });
    dialogs.ExpectMsg(DamagedLogText(gv.DB->Path()));
    AnswerAddDive(LtdPlace::Beginning);
    Tool("AddDive");
    EXPECT_EQ(OldNumbers(), (std::vector<qint64>{1, 2, 3}));
    EXPECT_EQ(Count("DIVEDATA"), 3);
}

TEST_F(AddDiveTest, TheFirstDiveOfAnEmptyLogTakesTheNumberTyped)
{
    OpenLogOn();
    addDive = [](AddDiveOption& dialog) {
        EXPECT_FALSE(dialog.Text1[0]->isReadOnly());
        EXPECT_EQ(dialog.Text1[0]->text(), "1");
        EXPECT_TRUE(dialog.Option2[0]->isChecked());
        EXPECT_FALSE(dialog.Option2[1]->isEnabled());
        EXPECT_FALSE(dialog.Option2[2]->isEnabled());
        dialog.Text1[0]->setText("150");
        dialog.OKCmd->click();
    };
    Tool("AddDive");
    EXPECT_EQ(gv.AddDiveMode, kAddAtBeginning);
    EXPECT_EQ(NewDiveNumber(), 150);
    EXPECT_EQ(gv.CurrentDiveID, IdOf(150));
}

TEST_F(AddDiveTest, TheBoxesShowTheFirstAndTheNextNumber)
{
    AddDives(3);
    gv.DB->Execute("Update DIVEDATA set LIFETIMEDIVENO = LIFETIMEDIVENO + 39");   // 40, 41, 42
    addDive = [](AddDiveOption& dialog) {
        EXPECT_EQ(dialog.Text1[0]->text(), "40");
        EXPECT_EQ(dialog.Text1[1]->text(), "43");
        EXPECT_TRUE(dialog.Text1[0]->isReadOnly());
        EXPECT_TRUE(dialog.Option2[2]->isEnabled());
        // A locked box takes no text by an input method or through the accessibility interface.
        for (QLineEdit* box : {dialog.Text1[0], dialog.Text1[1]}) {
            QInputMethodEvent commit;
            commit.setCommitString(QString::fromUtf8("\u00e9"));
            QApplication::sendEvent(box, &commit);
            QAccessible::queryAccessibleInterface(box)->editableTextInterface()->insertText(0, "7");
        }
        EXPECT_EQ(dialog.Text1[0]->text(), "40");
        EXPECT_EQ(dialog.Text1[1]->text(), "43");
        dialog.CancelCmd->click();
    };
    Tool("AddDive");
    EXPECT_EQ(gv.AddDiveMode, kAddCancelled);
}

TEST_F(AddDiveTest, ABadTypedNumberIsRefusedAndTheDialogStaysOpen)
{
    AddDives(3);
    for (const char* typed : {"0", "", "abc", "2.5", "-1"}) {
        dialogs.ExpectMsg("Life Time Dive Number should be greater than 0.");
        addDive = [&](AddDiveOption& dialog) {
            dialog.Option2[2]->setChecked(true);
            dialog.Text1[2]->setText(typed);
            dialog.OKCmd->click();
            EXPECT_TRUE(dialog.Text1[2]->text().isEmpty()) << typed;
            EXPECT_EQ(dialog.result(), 0) << typed;   // still open
            EXPECT_EQ(gv.AddDiveMode, kAddCancelled) << typed;
            dialog.reject();                           // then closed by its title bar
        };
        Tool("AddDive");
        EXPECT_EQ(gv.AddDiveMode, kAddCancelled) << typed;
    }
    EXPECT_EQ(Count("DIVEDATA"), 3);
    EXPECT_EQ(OldNumbers(), (std::vector<qint64>{1, 2, 3}));
}

TEST_F(AddDiveTest, OKWithoutAPlaceOrClosingTheDialogIsACancel)
{
    AddDives(2);
    Side("Location");
    addDive = [](AddDiveOption& dialog) { dialog.OKCmd->click(); };   // no place chosen
    Tool("AddDive");
    EXPECT_EQ(gv.AddDiveMode, kAddCancelled);
    EXPECT_EQ(gv.ActiveFormID, FormCode::Location);   // the form open before is shown again

    addDive = [](AddDiveOption& dialog) { dialog.close(); };
    Tool("AddDive");
    EXPECT_EQ(gv.AddDiveMode, kAddCancelled);
    EXPECT_EQ(gv.ActiveFormID, FormCode::Location);
    EXPECT_EQ(Count("DIVEDATA"), 2);
}

TEST_F(AddDiveTest, TheBuiltInModelIsRestoredAndTheChoiceRemembered)
{
    AddDives(1);
    gv.DB->Execute("Delete from DC_PROPERTIES where MODELNAME = 'QX07'");
    AnswerAddDive(LtdPlace::End, {}, true);
    Tool("AddDive");
    EXPECT_EQ(gv.DB->Scalar("Select MODELID from DC_PROPERTIES where MODELNAME = 'QX07'").ToLong(), 6774);
    EXPECT_EQ(gv.AddDiveMode, kAddDownload + kAddAfterLast);
    EXPECT_EQ(gv.SelectedModel, "QX07");
    EXPECT_EQ(GetRegSetting(HKEY_CURRENT_USER, RegKeyVelk, "LastModelData"), "QX07");
    EXPECT_EQ(GetRegSetting(HKEY_CURRENT_USER, RegKeyKVL, "LastModelData"), "QX07");
}

TEST_F(AddDiveTest, ADownloadOpensTheDownloadWindowInModeThree)
{
    AddDives(3);
    OpenLogOn(IdOf(2));
    for (LtdPlace place : {LtdPlace::Beginning, LtdPlace::End, LtdPlace::Middle}) {
        commModes.clear();
        AnswerAddDive(place, "2", true);
        Tool("AddDive");
        EXPECT_EQ(commModes, std::vector<int>{3});
        EXPECT_EQ(gv.CommMode, DownloadMode);
        // Nothing was stored: the dive that was current stays so, cursor and all.
        EXPECT_FALSE(gv.DivesAdded);
        EXPECT_EQ(gv.CurrentDiveID, IdOf(2));
        EXPECT_EQ(gv.rsDiveData->Field("DIVEID").ToLong(), IdOf(2));
    }
    EXPECT_EQ(Count("DIVEDATA"), 3);
}

TEST_F(AddDiveTest, ADownloadedDiveBecomesCurrent)
{
    AddDives(3);
    AnswerAddDive(LtdPlace::End, {}, true);
    comm = [this](CommFrm& frm) {
        const qint64 id = AddDive({{"LIFETIMEDIVENO", gv.NewDiveLTD}, {"DIVEDATE", "2009/02/01"}, {"DATATYPE", 1}});
        AddChildRow("DIVE_DC_SETTINGS", id);
        frm.DiveStored(id);
    };
    Tool("AddDive");
    EXPECT_TRUE(gv.DivesAdded);
    EXPECT_EQ(gv.CurrentDiveID, IdOf(4));
    EXPECT_EQ(gv.CurrentDive.LIFETIMEDIVENO.ToLong(), 4);
}

// The window renumbers the log by date after saving: the dives it stored land
// among the old ones, and the record opens on the earliest of them.
TEST_F(AddDiveTest, AfterADownloadTheRecordShowsTheEarliestDownloadedDive)
{
    AddDives(12);
    AnswerAddDive(LtdPlace::End, {}, true);
    qint64 earliest = 0;
    comm = [&](CommFrm& frm) {
        for (const char* when : {"2009/01/08 15:00", "2009/01/05 15:00", "2009/02/01 09:00"}) {
            const QStringList dateTime = QString(when).split(' ');
            const qint64 id = AddDive({{"LIFETIMEDIVENO", gv.NewDiveLTD}, {"DIVEDATE", dateTime[0]},
                                       {"DIVETIME", dateTime[1]}, {"DATATYPE", 1}});
            AddChildRow("DIVE_DC_SETTINGS", id);
            frm.DiveStored(id);
            if (dateTime[0] == "2009/01/05")
                earliest = id;
        }
        RenumberLifeTimeDives();
    };
    Tool("AddDive");
    EXPECT_EQ(gv.CurrentDiveID, earliest);
    EXPECT_EQ(gv.CurrentDive.LIFETIMEDIVENO.ToLong(), 6);
    EXPECT_EQ(Stored(IdOf(13), "DIVEDATE").ToString(), "2009/01/11") << "number 13 went to an old dive";
}

} // namespace
} // namespace kvl::test
