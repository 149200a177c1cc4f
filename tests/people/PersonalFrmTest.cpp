// The diver's form: the diver's row in the grid, the title, saving, and the units.
#include "tests/people/PeopleFormTest.h"
#include "tests/support/Keys.h"

#include "people/PersonalFrm.h"
#include "platform/widgets/PropertyGrid.h"
#include "platform/widgets/SmartSideBar.h"
#include "platform/widgets/SmartToolBar.h"
#include "reports/Reports.h"
#include "shell/MDI_MainFrm.h"
#include "shell/core/LogCheck.h"
#include "shell/core/StateCodes.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>

namespace kvl::test {
namespace {

const QString kTitlePrefix = QString::fromUtf8("Tarvik\u00AE Computer Vavedaver - ");

class PersonalFrmTest : public PeopleFormTest {
protected:
    PersonalFrm& Form() { return PersonalFrm::Instance(); }
    PropertyGrid& Grid() { return Form().PInfo(); }
    qint64 Divers() { return Number("Select count(*) from USERINFO where USERTYPE = 1 ;"); }
    // Leaves the diver's form for another and comes back.
    void Revisit()
    {
        OpenForm("Buddies");
        ASSERT_EQ(gv.ActiveFormID, FormCode::Buddies);
        OpenForm("Personal");
        ASSERT_EQ(gv.ActiveFormID, FormCode::Personal);
    }
};

TEST_F(PersonalFrmTest, OpensOnTheDiversRowWithHisNameInTheTitle)
{
    ASSERT_TRUE(PersonalFrm::Exists());
    EXPECT_EQ(gv.ActiveFormID, FormCode::Personal);
    EXPECT_EQ(gv.PersonKind, 1);
    EXPECT_EQ(Form().Label1().text(), "PERSONAL");
    EXPECT_EQ(Grid().RowCount(), 22);
    Form().PInfo_Initial();
    EXPECT_EQ(Grid().RowCount(), 22);
    EXPECT_EQ(Grid().Caption("PHONE"), "Phone:\t");
    EXPECT_EQ(Grid().DisplaySetting("NAME"), 1);
    EXPECT_EQ(Grid().DisplaySetting("PERSONAL GROUP"), 0);
    EXPECT_TRUE(Grid().RowColour("MEDICAL GROUP").isValid());
    EXPECT_EQ(Grid().ValueText("NAME"), "Sample Diver");
    EXPECT_EQ(gv.DiverName, "Sample Diver");
    EXPECT_EQ(MainFrm().windowTitle(), kTitlePrefix + "Sample Diver");
    EXPECT_EQ(gv.PrintFontName, Form().font().family());
    EXPECT_FALSE(gv.PrintFontName.isEmpty());
    EXPECT_EQ(MainFrm().SmartUI1->Items("Units").Visible(), 0);
    OpenForm("Buddies");
    EXPECT_EQ(MainFrm().SmartUI1->Items("Units").Visible(), 0);
}

TEST_F(PersonalFrmTest, EditsAreSavedWhenTheDiverLeavesTheForm)
{
    Grid().TypeValue("ADDRESS1", "1 Reef Road");
    Grid().TypeValue("CONTACTPHONE", "   555 0100 9999 8888 7  ");
    Grid().TypeValue("PHONE", "808-555-0100");
    Grid().TypeValue("NAME", "Ann O'Neil");
    Revisit();
    EXPECT_EQ(Text("Select ADDRESS1 from USERINFO where USERTYPE = 1"), "1 Reef Road");
    EXPECT_EQ(Text("Select CONTACTPHONE from USERINFO where USERTYPE = 1"), "555 0100 9999 8888 7");
    EXPECT_EQ(Text("Select HOME from USERINFO where USERTYPE = 1"), "808-555-0100");
    EXPECT_EQ(Grid().ValueText("CONTACTPHONE"), "555 0100 9999 8888 7");
    EXPECT_EQ(gv.DiverName, "Ann O'Neil");
    EXPECT_EQ(MainFrm().windowTitle(), kTitlePrefix + "Ann O'Neil");
    EXPECT_EQ(Divers(), 1);
}

TEST_F(PersonalFrmTest, WithoutADiverRowTheFirstCloseAddsOneAndTheNextEditsIt)
{
    OpenForm("Buddies");
    Log().Execute("Delete from USERINFO where USERTYPE = 1 ;");
    OpenForm("Personal");
    EXPECT_EQ(gv.DiverName, "");   // not the name of the log shown before
    EXPECT_EQ(MainFrm().windowTitle(), kTitlePrefix);
    EXPECT_EQ(Grid().ValueText("NAME"), "");
    Grid().TypeValue("NAME", "New Diver");
    Revisit();
    EXPECT_EQ(Divers(), 1);
    EXPECT_EQ(Grid().ValueText("NAME"), "New Diver");
    Grid().TypeValue("CITY", "Hilo");
    Revisit();
    EXPECT_EQ(Divers(), 1);
    EXPECT_EQ(Text("Select CITY from USERINFO where USERTYPE = 1"), "Hilo");
    EXPECT_EQ(Text("Select NAME from USERINFO where USERTYPE = 1"), "New Diver");
}

TEST_F(PersonalFrmTest, ASaveWithoutEditsStillWritesAndRefreshesTheCurrentDive)
{
    Log().Execute("Update USERINFO set CITY = 'Changed elsewhere' where USERTYPE = 1 ;");
    gv.CurrentDiveCaption.clear();
    Form().SaveInfo();
    EXPECT_EQ(Text("Select CITY from USERINFO where USERTYPE = 1"), "");   // the blank it held shows, and goes, empty
    EXPECT_FALSE(gv.CurrentDiveCaption.isEmpty());
}

TEST_F(PersonalFrmTest, PrintingWritesTheDiverFirst)
{
    QString cityWhenPrinted;
    InstallPrintStep([&](const ReportJob&) {
        cityWhenPrinted = Text("Select CITY from USERINFO where USERTYPE = 1");
    });
    Grid().TypeValue("CITY", "Kailua-Kona");
    gv.PersonChanged = false;   // the diver's edits are written whatever the flag says
    gv.PrintChoice = kPrintPersonalInfo;
    MainFrm().PrintChosenReport();
    InstallPrintStep({});
    EXPECT_EQ(cityWhenPrinted, "Kailua-Kona");
}

TEST_F(PersonalFrmTest, ARefusedSaveSaysSoAndKeepsTheEdits)
{
    RefuseWrites("USERINFO", "update");
    Grid().TypeValue("CITY", "Hilo");
    dialogs.ExpectMsg("Could not save the diver's information.");
    Form().SaveInfo();
    EXPECT_EQ(dialogs.Messages().back().icon, MsgIcon::Critical);
    EXPECT_EQ(dialogs.Messages().back().title, "Error");
    EXPECT_EQ(Grid().ValueText("CITY"), "Hilo");
    EXPECT_EQ(Text("Select CITY from USERINFO where USERTYPE = 1"), " ");
    AllowWrites("USERINFO", "update");
    Form().SaveInfo();
    EXPECT_EQ(Text("Select CITY from USERINFO where USERTYPE = 1"), "Hilo");
}

// A log that takes no writes cannot hold the diver on the form that saves whenever it
// is left: the save says so and the diver goes on.
TEST_F(PersonalFrmTest, ALogThatTakesNoWritesLetsTheDiverLeave)
{
    gv.DB->GuardWrites([](db::Database& log) { throw db::WriteRefused(DamagedLogText(log.Path())); });
    dialogs.ExpectMsg("Could not save the diver's information.");
    OpenForm("Buddies");
    EXPECT_EQ(gv.ActiveFormID, FormCode::Buddies);
}

TEST_F(PersonalFrmTest, AGridNeverLoadedIsNeverStored)
{
    OpenForm("Buddies");
    Log().Execute("Alter table USERINFO rename to PEOPLE ;");
    OpenForm("Personal");   // the diver cannot be read
    Log().Execute("Alter table PEOPLE rename to USERINFO ;");
    Form().SaveInfo();
    EXPECT_EQ(Divers(), 1);
    EXPECT_EQ(Text("Select NAME from USERINFO where USERTYPE = 1"), "Sample Diver");
}

struct UnitsCase {
    const char* name;
    db::Value depth;
    db::Value time;
    quint8 flags;   // every flag after the form opens
};

class DiverUnitsFormTest : public PersonalFrmTest, public ::testing::WithParamInterface<UnitsCase> {};

TEST_P(DiverUnitsFormTest, DepthSetsEveryFlagAndTheSaveWritesThemAll)
{
    const UnitsCase& c = GetParam();
    OpenForm("Buddies");
    Log().Execute("Update UNITS_OF_MEASUREMENT set DEPTH = ?, TIME = ?, DATE = ? ;", {c.depth, c.time, c.depth});
    OpenForm("Personal");
    EXPECT_EQ(gv.UnitSystem, c.flags);
    for (quint8 flag : {gv.UnitDepth, gv.UnitTemp, gv.UnitPressure, gv.UnitWeight, gv.UnitCylinder, gv.UnitDate,
                        gv.UnitTime})
        EXPECT_EQ(flag, c.flags);
    EXPECT_EQ(MainFrm().SmartUI1->Items("Imperial").Checked(), c.flags == 1);
    Form().SaveInfo();
    const qint64 yes = c.flags == 1 ? 1 : 0;
    EXPECT_EQ(Number("Select count(*) from UNITS_OF_MEASUREMENT where (DEPTH <> 0) = ? and (TEMP <> 0) = ? and "
                     "(PRESSURE <> 0) = ? and (WEIGHT <> 0) = ? and (TIME <> 0) = ? and (DATE <> 0) = ? and "
                     "(CYLINDER <> 0) = ?",
                     {yes, yes, yes, yes, yes, yes, yes}),
              1);
}

INSTANTIATE_TEST_SUITE_P(People, DiverUnitsFormTest,
                         ::testing::Values(UnitsCase{"DepthYesTimeNo", true, false, 1},
                                           UnitsCase{"DepthNoTimeYes", false, true, 0},
                                           UnitsCase{"DepthNull", db::Value(), true, 0}),
                         [](const auto& row) { return std::string(row.param.name); });

TEST_F(PersonalFrmTest, WithoutAUnitsRowNothingChangesAndNoRowIsAdded)
{
    OpenForm("Buddies");
    Log().Execute("Delete from UNITS_OF_MEASUREMENT ;");
    gv.UnitSystem = 1;
    gv.UnitDepth = 0;
    gv.UnitTime = 1;
    OpenForm("Personal");
    EXPECT_EQ(gv.UnitSystem, 1);
    EXPECT_EQ(gv.UnitDepth, 0);
    EXPECT_EQ(gv.UnitTime, 1);
    Form().SaveInfo();
    OpenForm("Buddies");
    EXPECT_EQ(Number("Select count(*) from UNITS_OF_MEASUREMENT"), 0);
}

// A log whose diver could not be written (a read-only one) is left all the same when
// another opens, after the diver was told: the form then shows the new log's diver and
// stores into it.
TEST_F(PersonalFrmTest, AfterALogThatRefusedTheDiverTheNextOpenShowsAndStoresItsDiver)
{
    const QString other = Logs() + "/Other.dlg";
    ASSERT_TRUE(QFile::copy(SampleLog(), other));
    db::Database::Open(other)->Execute("Update USERINFO set NAME = 'Other Diver', CITY = 'Hometown' where USERTYPE = 1 ;");
    Grid().TypeValue("CITY", "Badtown");
    RefuseWrites("USERINFO", "update");
    dialogs.ExpectOpenFile(other).ExpectMsg("Could not save the diver's information.");
    MainFrm().OpenDiveLog();
    ASSERT_EQ(gv.LogFilePath, other);
    EXPECT_EQ(gv.ActiveFormID, FormCode::Personal);
    EXPECT_EQ(Grid().ValueText("NAME"), "Other Diver");
    EXPECT_EQ(Grid().ValueText("CITY"), "Hometown");
    EXPECT_EQ(gv.DiverName, "Other Diver");

    Grid().TypeValue("CITY", "Goodtown");
    OpenForm("Buddies");
    EXPECT_EQ(Text("Select CITY from USERINFO where USERTYPE = 1"), "Goodtown");
    EXPECT_EQ(Divers(), 1);
}

// A new log's diver fields hold a single blank: they show empty, so what the diver
// types where the box puts him is stored as typed.
TEST_F(PersonalFrmTest, AFieldOfBlanksShowsEmptyAndTakesWhatIsTyped)
{
    ASSERT_EQ(Text("Select CITY from USERINFO where USERTYPE = 1"), " ");
    for (const char* key : {"CITY", "ADDRESS2", "STATE", "ZIPCODE", "ALLERGIES"})
        EXPECT_EQ(Grid().ValueText(key), "") << key;
    QLineEdit& city = *Grid().ValueBox("CITY");
    city.end(false);   // where a click into the box puts the cursor
    KeyIn(city, "Key West");
    Revisit();
    EXPECT_EQ(Text("Select CITY from USERINFO where USERTYPE = 1"), "Key West");
}

struct LimitCase {
    const char* key;
    const char* field;
    const char* caption;   // as the refusal names the row
};

class LimitedRowTest : public PersonalFrmTest, public ::testing::WithParamInterface<LimitCase> {};

// A value of more than 20 characters (blanks at either end not counted) is refused as it
// is typed whole, keyed or pasted: the box keeps what it had, says so, and the log
// keeps what the box shows.
TEST_P(LimitedRowTest, ALongerValueIsRefusedAsItIsEnteredAndTheBoxKeepsWhatItHad)
{
    const LimitCase& c = GetParam();
    const QString twenty = "+1 (555) 010-0199 x4";
    ASSERT_EQ(twenty.size(), 20);
    QLineEdit& box = *Grid().ValueBox(c.key);
    Grid().TypeValue(c.key, "  " + twenty + "   ");
    const QString kept = box.text();
    ASSERT_EQ(kept, "  " + twenty + "   ");

    const QString refusal =
        QString("The %1 row holds at most 20 characters, not counting blanks at either end.").arg(c.caption);
    dialogs.ExpectMsg(refusal).ExpectMsg(refusal).ExpectMsg(refusal).ExpectMsg(refusal);
    Grid().TypeValue(c.key, "+1 (555) 010-0199 ext. 42");
    EXPECT_EQ(box.text(), kept);
    box.end(false);
    QKeyEvent digit(QEvent::KeyPress, Qt::Key_5, Qt::NoModifier, "5");   // blanks inside count
    QApplication::sendEvent(&box, &digit);
    QApplication::processEvents();
    EXPECT_EQ(box.text(), kept);
    QApplication::clipboard()->setText(" ext. 42");
    box.setCursorPosition(2 + 17);
    box.paste();
    QApplication::processEvents();
    EXPECT_EQ(box.text(), kept);
    EXPECT_EQ(dialogs.Messages().back().icon, MsgIcon::Exclamation);
    QAccessible::queryAccessibleInterface(&box)->setText(QAccessible::Value, "+1 (555) 010-0199 ext. 42");
    QApplication::processEvents();   // as a screen reader or dictation tool sets it
    EXPECT_EQ(box.text(), kept);
    QMimeData dragged;   // a drop the row would refuse is turned away, so a moved text stays where it was
    dragged.setText(" ext. 42");
    const QPoint at = box.rect().center();
    QDragEnterEvent enter(at, Qt::MoveAction, &dragged, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&box, &enter);
    QDropEvent drop(at, Qt::MoveAction, &dragged, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&box, &drop);
    QApplication::processEvents();
    EXPECT_FALSE(drop.isAccepted());
    EXPECT_EQ(box.text(), kept);

    Revisit();
    EXPECT_EQ(Text(QString("Select %1 from USERINFO where USERTYPE = 1").arg(c.field)), twenty);
}

INSTANTIATE_TEST_SUITE_P(People, LimitedRowTest,
                         ::testing::Values(LimitCase{"ZIPCODE", "ZIPCODE", "Zip/Postal Code"},
                                           LimitCase{"PHONE", "HOME", "Phone"},
                                           LimitCase{"CONTACTPHONE", "CONTACTPHONE", "Phone"},
                                           LimitCase{"MEDPHONE", "MEDPHONE", "Phone"}),
                         [](const auto& row) { return std::string(row.param.key); });

// A longer value the log already holds is shown and kept whole, and may be shortened.
TEST_F(PersonalFrmTest, ALongerStoredValueIsKeptWholeAndMayBeShortened)
{
    OpenForm("Buddies");
    Log().Execute("Update USERINFO set HOME = '+1 (555) 010-0199 ext. 42' where USERTYPE = 1 ;");
    OpenForm("Personal");
    QLineEdit& phone = *Grid().ValueBox("PHONE");
    EXPECT_EQ(phone.text(), "+1 (555) 010-0199 ext. 42");
    Revisit();
    EXPECT_EQ(Text("Select HOME from USERINFO where USERTYPE = 1"), "+1 (555) 010-0199 ext. 42");
    QLineEdit& shown = *Grid().ValueBox("PHONE");
    shown.end(false);
    QKeyEvent backspace(QEvent::KeyPress, Qt::Key_Backspace, Qt::NoModifier);
    QApplication::sendEvent(&shown, &backspace);
    EXPECT_EQ(shown.text(), "+1 (555) 010-0199 ext. 4");
    Revisit();
    EXPECT_EQ(Text("Select HOME from USERINFO where USERTYPE = 1"), "+1 (555) 010-0199 ext. 4");
}

} // namespace
} // namespace kvl::test
