// The location form on the sample log: what it shows in either unit system, the
// user's changes and their save, the named lists' Add and Delete, the dive types,
// refused writes, and visits that must leave the log as it was.
#include "tests/site_gear/LocationFormFixture.h"

#include "platform/widgets/CheckList.h"
#include "platform/widgets/FieldBoxes.h"
#include "platform/widgets/PickList.h"
#include "platform/widgets/PopupMenu.h"
#include "shell/core/DiveCursor.h"
#include "site_gear/LocationFrm.h"
#include "tests/support/KeyPresses.h"
#include "tests/support/Keys.h"
#include "tests/support/Mouse.h"

#include <QAccessible>
#include <QFocusEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>

namespace kvl::test {
namespace {

using site::LocationCombo;
using site::LocationText;

class LocationFrmTest : public LocationFormFixture {
protected:
    void SetUp() override
    {
        LocationFormFixture::SetUp();
        dive = gv.CurrentDiveID;
        ASSERT_GT(dive, 0);
    }
    LocationFrm& Open()
    {
        OpenForm("Location");
        EXPECT_EQ(gv.ActiveFormID, 5);
        return LocationFrm::Instance();
    }
    LocationFrm& Form() { return LocationFrm::Instance(); }
    void TypeIn(LocationText box, const QString& text) { Type(Form().Text4(box), text); }
    QString Shown(LocationText box) { return Form().Text4Text(box); }
    void PickEntry(LocationCombo list, const QString& text)
    {
        PickList& combo = Form().Combo(list);
        const int at = combo.FindText(text);
        ASSERT_GE(at, 0) << text.toStdString();
        combo.Pick(at);
    }
    // The list takes the focus (the strip moves beside it), then a strip button is clicked.
    void Strip(LocationCombo list, const QString& key)
    {
        QFocusEvent in(QEvent::FocusIn, Qt::TabFocusReason);
        QApplication::sendEvent(&Form().Combo(list), &in);
        Form().Cmd().ClickItem(key);
    }
    static QStringList Captions(const CheckList& list)
    {
        QStringList captions;
        for (const auto& item : list.AllItems())
            captions << item->Caption();
        return captions;
    }
    QStringList Ticked()
    {
        QStringList captions;
        for (const auto& item : Form().DiveTypeList().AllItems())
            if (item->Ticked())
                captions << item->Caption();
        return captions;
    }
    qint64 TypeLinks(const QString& where = "1", const db::Params& params = {})
    {
        return Number("SELECT count(*) FROM DIVETYPES WHERE " + where, params);
    }
    // A click of the mouse on the dive type's line at row `row`.
    void ClickType(int row, Qt::MouseButton button = Qt::LeftButton)
    {
        CheckList& list = Form().DiveTypeList();
        list.scrollToItem(list.topLevelItem(row));
        const QPoint line = list.visualItemRect(list.topLevelItem(row)).center();
        const QPoint at = list.TickBoxRect(list.ItemAt(line)->Key()).center();   // a click on the tick box
        if (button == Qt::RightButton) {
            RightClick(*list.viewport(), at);
            return;
        }
        QMouseEvent press(QEvent::MouseButtonPress, at, list.viewport()->mapToGlobal(at), button, button, Qt::NoModifier);
        QApplication::sendEvent(list.viewport(), &press);
        QMouseEvent release(QEvent::MouseButtonRelease, at, list.viewport()->mapToGlobal(at), button, Qt::NoButton,
                            Qt::NoModifier);
        QApplication::sendEvent(list.viewport(), &release);
    }
    int RowOf(const QString& caption) { return int(Captions(Form().DiveTypeList()).indexOf(caption)); }

    qint64 dive = 0;
};

TEST_F(LocationFrmTest, ShowsTheDivesSiteInEitherUnitSystem)
{
    // The sample's first dive: visibility 60 ft, air 79 F, current "Light" at 0.5 kn.
    LocationFrm& form = Open();
    EXPECT_EQ(form.Label4(7).text(), " VURO DIVE  LOCATION");
    EXPECT_EQ(form.Label4(0).text(), "VURO Dive Type:");
    EXPECT_EQ(form.ComboLbl(LocationCombo::DiveBoat).text(), "Dive Boat:");
    EXPECT_FALSE(form.Combo(LocationCombo::Resort).isVisibleTo(&form));
    EXPECT_EQ(form.Combo(LocationCombo::Resort).Text(), "Coral Cove Resort");
    struct Case {
        quint8 units;
        const char* visibility;
        const char* air;
        const char* depthUnit;
        const char* tempUnit;
    } const cases[] = {{1, "60", "79.0", "FT", "F"}, {0, "18.3", "26.1", "M", "C"}};
    for (const Case& c : cases) {
        SetUnits(c.units);
        form.LOCATION_Init_AllInfo();
        EXPECT_EQ(Shown(LocationText::Visibility), c.visibility);
        EXPECT_EQ(Shown(LocationText::Air), c.air);
        EXPECT_EQ(Shown(LocationText::CurrentSpeed), "0.5");
        EXPECT_EQ(form.UnitBeside(LocationText::Visibility).Text(), c.depthUnit);
        EXPECT_EQ(form.UnitBeside(LocationText::Minimum).Text(), c.tempUnit);
        EXPECT_EQ(form.UnitBeside(LocationText::CurrentSpeed).Text(), "KNOTS");
    }
    EXPECT_EQ(form.Combo(LocationCombo::Current).Entries(),
              QStringList({"None", "Light", "Moderate", "Strong", "Very Strong"}));
    EXPECT_EQ(form.Combo(LocationCombo::Current).Text(), "Light");
    EXPECT_EQ(form.Combo(LocationCombo::Operator).Text(), "Reef Runner Divers");
    EXPECT_EQ(form.Combo(LocationCombo::Operator).Entries(),
              QStringList({"Bay Dive Center", "Isla Azul Dive Shop", "Reef Runner Divers"}));
}

TEST_F(LocationFrmTest, NamedListsSelectWithoutRegardToCaseAndShowNoneAsNoChoice)
{
    Log().Execute("INSERT INTO OPERATORS (NAME) VALUES ('NONE') ;");
    struct Case {
        const char* stored;
        const char* shown;
    } const cases[] = {{"bay dive CENTER", "Bay Dive Center"}, {"NONE", ""}, {"Gone Diving", ""}, {"", ""}};
    for (const Case& c : cases) {
        Log().Execute("UPDATE DIVEDATA SET OPERATOR = ?, CURRENT = 3 WHERE DIVEID = ? ;", {c.stored, dive});
        Open().LOCATION_Init_AllInfo();
        EXPECT_EQ(Form().Combo(LocationCombo::Operator).Text(), c.shown) << c.stored;
        EXPECT_EQ(Form().Combo(LocationCombo::Current).Text(), "Moderate");
    }
}

TEST_F(LocationFrmTest, ChangesAreSavedByTheUnitRulesAndShowAgainAfterADiveStep)
{
    SetUnits(0);
    Open();
    TypeIn(LocationText::Visibility, "20");
    TypeIn(LocationText::Minimum, "26");
    TypeIn(LocationText::SurfHeight, "1,5");
    TypeIn(LocationText::CurrentSpeed, "1.5");
    TypeIn(LocationText::Highlights, "Turtle's nest");
    EXPECT_EQ(gv.CurrentDive.HIGHLIGHTS, "Turtle's nest");   // at once, before any save
    PickEntry(LocationCombo::Current, "Strong");
    PickEntry(LocationCombo::Operator, "Isla Azul Dive Shop");
    Tool("NextDive");
    ASSERT_NE(gv.CurrentDiveID, dive);
    EXPECT_NEAR(Field("VISIBILITY", dive).ToDouble(), 65.6168, 1e-3);
    EXPECT_NEAR(Field("MINIMUM", dive).ToDouble(), 78.8, 1e-9);
    EXPECT_NEAR(Field("TEMP", dive).ToDouble(), 78.8, 1e-9);
    EXPECT_NEAR(Field("SURF_FT", dive).ToDouble(), 4.92126, 1e-3);
    EXPECT_NEAR(Field("CURRENT_FT", dive).ToDouble(), 1.5, 1e-9);
    EXPECT_EQ(Field("CURRENT", dive).ToLong(), 4);
    EXPECT_EQ(Field("OPERATOR", dive).ToString(), "Isla Azul Dive Shop");
    EXPECT_EQ(Field("HIGHLIGHTS", dive).ToString(), "Turtle's nest");
    EXPECT_EQ(Field("AIR", dive).ToDouble(), 79.0);   // untouched

    Tool("PrevDive");
    ASSERT_EQ(gv.CurrentDiveID, dive);
    EXPECT_EQ(Shown(LocationText::Visibility), "20.0");
    EXPECT_EQ(Shown(LocationText::Minimum), "26.0");
    EXPECT_EQ(Shown(LocationText::SurfHeight), "1.5");
    EXPECT_EQ(Shown(LocationText::CurrentSpeed), "1.5");
    EXPECT_EQ(Form().Combo(LocationCombo::Current).Text(), "Strong");
    SetUnits(1);
    Form().LOCATION_Init_AllInfo();
    EXPECT_EQ(Shown(LocationText::Visibility), "66");
    EXPECT_EQ(Shown(LocationText::Minimum), "78.8");
    EXPECT_EQ(Shown(LocationText::CurrentSpeed), "1.5");
}

// The notes keep every character: a visit that edits another box leaves them as
// stored, and what is typed into them changes only that, a line break as "\r\n".
TEST_F(LocationFrmTest, NotesKeepEveryCharacter)
{
    const QString highlights = QStringLiteral("Reef\r\nwall\rturtle\u00A0at\t18 m\u2028\U0001F422\nend  ");
    const QString directions = QStringLiteral("North\r\n\r\nthen\u2029east\r");
    Log().Execute("UPDATE DIVEDATA SET HIGHLIGHTS = ?, DIRECTIONS = ? WHERE DIVEID = ? ;", {highlights, directions, dive});
    Open();
    TypeIn(LocationText::Visibility, "20");
    Tool("NextDive");
    Tool("PrevDive");
    ASSERT_EQ(gv.CurrentDiveID, dive);
    for (const LocationText box : {LocationText::Highlights, LocationText::Directions}) {
        QWidget& note = Form().Text4(box);
        KeyTo(note, Qt::Key_End, Qt::ControlModifier);
        KeyTo(note, Qt::Key_Exclam, Qt::NoModifier, "!");
        KeyTo(note, Qt::Key_Return, Qt::NoModifier, "\r");
    }
    EXPECT_EQ(gv.CurrentDive.HIGHLIGHTS, highlights + "!\r\n");
    Tool("NextDive");
    EXPECT_EQ(Field("HIGHLIGHTS", dive).ToString(), highlights + "!\r\n");
    EXPECT_EQ(Field("DIRECTIONS", dive).ToString(), directions + "!\r\n");
}

// Letters typed over a number box are refused key by key: the box and the dive keep
// their value through a dive step, in either unit system.
TEST_F(LocationFrmTest, LettersInANumberBoxChangeNothing)
{
    Log().Execute("UPDATE DIVEDATA SET VISIBILITY = 60, ALTITUDE = 120, AIR = 79, SURFACE = 77, MINIMUM = 75, "
                  "TEMP = 75, CURRENT_FT = 0.5, SURGE_FT = 2, SWELL_FT = 3, SURF_FT = 4, TIDE_FT = 5 "
                  "WHERE DIVEID = ? ;", {dive});
    const QStringList before = Dump({"DIVEDATA"});
    for (quint8 units : {0, 1}) {
        SetUnits(units);
        Open();
        Form().LOCATION_Init_AllInfo();
        for (const site::LocationField& field : site::LocationFields()) {
            if (field.rule == site::ValueRule::Text)
                continue;
            SCOPED_TRACE(std::string(field.field) + " in units " + std::to_string(units));
            QWidget& box = Form().Text4(field.box);
            const QString shown = Shown(field.box);
            ASSERT_FALSE(shown.isEmpty());
            SelectAll(box);
            KeyIn(box, "abc");
            EXPECT_EQ(Shown(field.box), shown);
            Tool("NextDive");
            Tool("PrevDive");
            ASSERT_EQ(gv.CurrentDiveID, dive);
            EXPECT_EQ(Dump({"DIVEDATA"}), before);
        }
    }
}

// What each kind of number box takes: the comma its reader reads as the point, and a
// minus only where the value may be below zero.
TEST_F(LocationFrmTest, NumberBoxesTakeTheMarksTheirValueCanHave)
{
    struct Case {
        LocationText box;
        const char* typed;
        const char* shown;
    } const cases[] = {
        {LocationText::Visibility, "-1x2,5", "12,5"}, {LocationText::Altitude, "-430", "-430"},
        {LocationText::Minimum, "-2.5", "-2.5"},      {LocationText::Air, "2-8", "28"},
        {LocationText::CurrentSpeed, "1.2.5", "1.25"}, {LocationText::SurgeHeight, "-1", "1"},
        {LocationText::TideHeight, "-0,3", "-0,3"},
    };
    Open();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        TypeIn(c.box, c.typed);
        EXPECT_EQ(Shown(c.box), c.shown);
    }
}

TEST_F(LocationFrmTest, AVisitChangesNothing)
{
    // A dive with the awkward values: no temperatures, a name gone from its catalog,
    // a gear item and set missing from theirs, weights without a set, a type gone.
    Log().Execute("UPDATE DIVEDATA SET AIR = NULL, SURFACE = NULL, MINIMUM = NULL, TEMP = 78, "
                  "OPERATOR = 'Gone Diving', DIVEBOAT = 'NONE', GPS = NULL, VISIBILITY = 33, "
                  "MASK = 'Lost Mask', GEAR = 'Old Set', BELTWEIGHT = 12, INTWEIGHT = 3.5 WHERE DIVEID = ? ;",
                  {dive});
    Log().Execute("INSERT INTO DIVETYPES (DIVEID, TYPEID) VALUES (?, 999) ;", {dive});
    const QStringList tables{"DIVEDATA", "DIVETYPES", "DIVETYPEDATA", "OPERATORS", "DIVEBOATS", "RESORTS", "GPSS"};
    const QStringList before = Dump(tables);
    for (const char* key : {"Location", "Gear"}) {
        for (quint8 units : {0, 1}) {
            SetUnits(units);
            OpenForm(key);
            Tool("FirstDive");
            for (int i = 0; i < 20; ++i)
                Tool("NextDive");
            Tool("Save");
            OpenForm("Personal");
        }
    }
    EXPECT_EQ(Dump(tables), before);
}

TEST_F(LocationFrmTest, PickingADiveInAnotherWindowSavesTheChangesFirst)
{
    Open();
    const qint64 other = Number("SELECT DIVEID FROM DIVEDATA WHERE DIVEID <> ? ORDER BY LIFETIMEDIVENO DESC", {dive});
    TypeIn(LocationText::Altitude, "1200");
    PickEntry(LocationCombo::Tide, "Slack");
    ASSERT_TRUE(PickDive(static_cast<qint32>(other)));
    EXPECT_EQ(gv.CurrentDiveID, other);
    EXPECT_EQ(Field("ALTITUDE", dive).ToDouble(), 1200);
    EXPECT_EQ(Field("TIDE", dive).ToLong(), 5);
    EXPECT_EQ(Form().ShownDiveId(), other);
}

TEST_F(LocationFrmTest, ARefusedSaveSaysSoAndKeepsWhatWasTyped)
{
    Open();
    TypeIn(LocationText::Visibility, "75");
    TypeIn(LocationText::Air, "81");
    RefuseWrites("DIVEDATA", "UPDATE");
    dialogs.ExpectMsg("Data updating error.");
    Tool("Save");
    EXPECT_EQ(dialogs.Messages().back().title, "Error");
    EXPECT_EQ(dialogs.Messages().back().icon, MsgIcon::Critical);
    EXPECT_EQ(Field("VISIBILITY", dive).ToDouble(), 60);
    EXPECT_EQ(Field("AIR", dive).ToDouble(), 79);
    EXPECT_EQ(Shown(LocationText::Visibility), "75");
    AllowWrites("DIVEDATA", "UPDATE");
    Tool("Save");   // the changes are still the user's: the next save writes them
    EXPECT_EQ(Field("VISIBILITY", dive).ToDouble(), 75);
    EXPECT_EQ(Field("AIR", dive).ToDouble(), 81);
}

// A number set through the accessibility interface, as a screen reader or a dictation
// tool sets it, is a change the save writes.
TEST_F(LocationFrmTest, AValueSetThroughTheAccessibilityInterfaceIsSaved)
{
    Open();
    QAccessible::queryAccessibleInterface(&Form().Text4(LocationText::Visibility))->setText(QAccessible::Value, "70");
    Tool("Save");
    EXPECT_EQ(Field("VISIBILITY", dive).ToDouble(), 70);
    EXPECT_EQ(Shown(LocationText::Visibility), "70");
}

TEST_F(LocationFrmTest, TheStripStandsBesideTheFocusedNamedList)
{
    LocationFrm& form = Open();
    form.resize(1200, 760);
    QFocusEvent in(QEvent::FocusIn, Qt::TabFocusReason);
    QApplication::sendEvent(&form.Combo(LocationCombo::Surge), &in);
    EXPECT_EQ(form.PopupIndex(), 1);
    EXPECT_FALSE(form.Cmd().isVisibleTo(&form));
    QApplication::sendEvent(&form.Combo(LocationCombo::GPS), &in);
    EXPECT_EQ(form.PopupIndex(), 8);
    EXPECT_TRUE(form.Cmd().isVisibleTo(&form));
    const QRect list(form.Combo(LocationCombo::GPS).mapTo(&form, QPoint()), form.Combo(LocationCombo::GPS).size());
    EXPECT_GE(form.Cmd().x(), list.right());
    EXPECT_LT(std::abs(form.Cmd().geometry().center().y() - list.center().y()), list.height());
    EXPECT_EQ(form.Cmd().Keys(), QStringList({"Add", "Delete"}));
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(&form.Combo(LocationCombo::GPS), &out);
    EXPECT_FALSE(form.Cmd().isVisibleTo(&form));
}

TEST_F(LocationFrmTest, AddingANameStoresItAndChoosesIt)
{
    Open();
    dialogs.ExpectInput("Enter your desired Dive Boat:", "Deep Six");
    Strip(LocationCombo::DiveBoat, "Add");
    EXPECT_EQ(dialogs.Prompts().back().title, "New Dive Boat");
    EXPECT_EQ(Number("SELECT count(*) FROM DIVEBOATS WHERE NAME = 'Deep Six'"), 1);
    EXPECT_EQ(Field("DIVEBOAT", dive).ToString(), "Deep Six");
    EXPECT_EQ(Form().Combo(LocationCombo::DiveBoat).Entries(), QStringList({"Deep Six", "Manta", "Sea Breeze"}));

    // A name there already in another case is chosen; no row is added.
    dialogs.ExpectInput("Enter your desired Operator:", "BAY DIVE CENTER");
    Strip(LocationCombo::Operator, "Add");
    EXPECT_EQ(Form().Combo(LocationCombo::Operator).Text(), "Bay Dive Center");
    EXPECT_EQ(Number("SELECT count(*) FROM OPERATORS"), 3);
    // "NONE" is no name; Cancel adds nothing.
    dialogs.ExpectInput("Enter your desired GPS:", "none").ExpectInput("Enter your desired GPS:", "");
    Strip(LocationCombo::GPS, "Add");
    Strip(LocationCombo::GPS, "Add");
    EXPECT_EQ(Number("SELECT count(*) FROM GPSS"), 1);

    dialogs.ExpectInput("Enter your desired GPS:", "Skipper's Mark");
    Strip(LocationCombo::GPS, "Add");
    EXPECT_EQ(Field("GPS", dive).ToString(), "Skipper's Mark");
    EXPECT_EQ(Field("OPERATOR", dive).ToString(), "Bay Dive Center");   // saved with the rest
}

TEST_F(LocationFrmTest, ARefusedAddSaysSoAndLeavesTheList)
{
    Open();
    RefuseWrites("OPERATORS", "INSERT");
    dialogs.ExpectInput("Enter your desired Operator:", "Deep Six").ExpectMsg("Data updating error.");
    Strip(LocationCombo::Operator, "Add");
    EXPECT_EQ(Form().Combo(LocationCombo::Operator).Text(), "Reef Runner Divers");
    EXPECT_EQ(Form().Combo(LocationCombo::Operator).ListCount(), 3);
    EXPECT_EQ(Field("OPERATOR", dive).ToString(), "Reef Runner Divers");
}

TEST_F(LocationFrmTest, DeletingANameResetsThisDiveOnly)
{
    Log().Execute("INSERT INTO DIVEBOATS (NAME) VALUES ('Sea Cat'), ('Sea Cat'), ('Skipper''s'), ('Skipper') ;");
    const qint64 other = Number("SELECT DIVEID FROM DIVEDATA WHERE DIVEID <> ? LIMIT 1", {dive});
    Log().Execute("UPDATE DIVEDATA SET DIVEBOAT = 'Sea Cat' ;");
    Open();
    ASSERT_EQ(Form().Combo(LocationCombo::DiveBoat).Text(), "Sea Cat");
    Strip(LocationCombo::DiveBoat, "Delete");
    EXPECT_EQ(Number("SELECT count(*) FROM DIVEBOATS WHERE NAME = 'Sea Cat'"), 0);
    EXPECT_EQ(Field("DIVEBOAT", dive).ToString(), "NONE");
    EXPECT_EQ(Field("DIVEBOAT", other).ToString(), "Sea Cat");
    EXPECT_EQ(Form().Combo(LocationCombo::DiveBoat).ListIndex(), -1);
    EXPECT_EQ(Form().Combo(LocationCombo::DiveBoat).FindText("Sea Cat"), -1);

    PickEntry(LocationCombo::DiveBoat, "Skipper's");
    Strip(LocationCombo::DiveBoat, "Delete");
    EXPECT_EQ(Number("SELECT count(*) FROM DIVEBOATS WHERE NAME = 'Skipper''s'"), 0);
    EXPECT_EQ(Number("SELECT count(*) FROM DIVEBOATS WHERE NAME = 'Skipper'"), 1);
    Strip(LocationCombo::DiveBoat, "Delete");   // nothing selected: nothing asked, nothing done
    EXPECT_EQ(Number("SELECT count(*) FROM DIVEBOATS"), 3);
    Tool("Save");   // the emptied list is the user's choice
    EXPECT_EQ(Field("DIVEBOAT", dive).ToString(), "");
}

TEST_F(LocationFrmTest, ARefusedDeleteSaysSoAndKeepsTheName)
{
    Log().Execute("INSERT INTO OPERATORS (NAME) VALUES ('NONE') ;");
    Open();
    RefuseWrites("OPERATORS", "DELETE");
    dialogs.ExpectMsg("Error deleting Operator");
    Strip(LocationCombo::Operator, "Delete");
    EXPECT_EQ(dialogs.Messages().back().title, "Delete Operator");
    EXPECT_EQ(Form().Combo(LocationCombo::Operator).Text(), "Reef Runner Divers");
    EXPECT_EQ(Field("OPERATOR", dive).ToString(), "Reef Runner Divers");
    EXPECT_EQ(Number("SELECT count(*) FROM OPERATORS"), 4);
    // "NONE" is never deleted.
    PickEntry(LocationCombo::Operator, "NONE");
    Strip(LocationCombo::Operator, "Delete");
    EXPECT_EQ(Number("SELECT count(*) FROM OPERATORS"), 4);
}

TEST_F(LocationFrmTest, TicksAreStoredAtOnceAndSurviveADiveStep)
{
    Log().Execute("DELETE FROM DIVETYPES ; INSERT INTO DIVETYPEDATA (TYPEDATA) VALUES ('Wreck') ;");
    Open();
    ASSERT_EQ(Captions(Form().DiveTypeList()),
              QStringList({"Boat", "Drift", "Night", "Reef", "Shore", "Wall", "Wreck", "Wreck"}));
    ClickType(RowOf("Night"));
    ClickType(7);   // the second Wreck
    EXPECT_EQ(TypeLinks("DIVEID = ?", {dive}), 2);
    EXPECT_EQ(TypeLinks("DIVEID = ? AND TYPEID = 5", {dive}), 0);   // the first Wreck stays unticked
    Tool("NextDive");
    EXPECT_TRUE(Ticked().isEmpty());
    Form().DiveTypeList().ClickItem(Form().DiveTypeList().AllItems()[0]->Key());   // from the keyboard
    EXPECT_EQ(TypeLinks("DIVEID = ?", {gv.CurrentDiveID}), 1);
    Tool("PrevDive");
    EXPECT_EQ(Ticked(), QStringList({"Night", "Wreck"}));
    EXPECT_FALSE(Form().DiveTypeList().AllItems()[6]->Ticked());
}

TEST_F(LocationFrmTest, AnOrphanLinkIsDroppedAtTheNextWriteOfTheTicks)
{
    Log().Execute("DELETE FROM DIVETYPES ; INSERT INTO DIVETYPES (DIVEID, TYPEID) VALUES (?, 999), (?, 1) ;",
                  {dive, dive});
    Open();
    EXPECT_EQ(Ticked(), QStringList{"Boat"});
    ClickType(RowOf("Reef"));
    EXPECT_EQ(TypeLinks("DIVEID = ?", {dive}), 2);
    EXPECT_EQ(TypeLinks("TYPEID = 999"), 0);
}

TEST_F(LocationFrmTest, ARefusedTickSaysSoAndTheSaveWritesItLater)
{
    Log().Execute("DELETE FROM DIVETYPES ;");
    Open();
    RefuseWrites("DIVETYPES", "INSERT");
    dialogs.ExpectMsg("Data updating error.");
    ClickType(RowOf("Wall"));
    EXPECT_EQ(Ticked(), QStringList{"Wall"});
    EXPECT_EQ(TypeLinks(), 0);
    AllowWrites("DIVETYPES", "INSERT");
    Tool("Save");
    EXPECT_EQ(TypeLinks("DIVEID = ? AND TYPEID = 4", {dive}), 1);
}

TEST_F(LocationFrmTest, DiveTypesAreAddedAndDeletedThroughTheRightClickMenu)
{
    const qint64 other = Number("SELECT DIVEID FROM DIVEDATA WHERE DIVEID <> ? LIMIT 1", {dive});
    Log().Execute("DELETE FROM DIVETYPES ; INSERT INTO DIVETYPES (DIVEID, TYPEID) VALUES (?, 6), (?, 6), (?, 1) ;",
                  {dive, other, dive});
    Open();
    dialogs.ExpectInput("Enter new dive type:", "Cave's Mouth");
    ClickType(0, Qt::RightButton);
    ASSERT_NE(Form().DiveType_PopUp().Shown(), nullptr);
    EXPECT_EQ(Form().DiveType_PopUp().SubKeys("POPUP"), QStringList({"Add", "Delete"}));
    Form().DiveType_PopUp().Click("Add");
    EXPECT_EQ(dialogs.Prompts().back().title, "Add new dive type");
    EXPECT_EQ(Captions(Form().DiveTypeList()).mid(0, 2), QStringList({"Boat", "Cave's Mouth"}));
    EXPECT_EQ(Ticked(), QStringList({"Boat", "Drift"}));   // the new type is not ticked

    // No: nothing changes. Yes: the type goes from every dive.
    dialogs.ExpectMsg("Are you sure to want to delete dive type 'Drift'?", MsgAnswer::No)
        .ExpectMsg("Are you sure to want to delete dive type 'Drift'?", MsgAnswer::Yes);
    for (int i = 0; i < 2; ++i) {
        ClickType(RowOf("Drift"), Qt::RightButton);   // the line under the pointer is the one
        Form().DiveType_PopUp().Click("Delete");
    }
    EXPECT_EQ(dialogs.Messages().back().title, "Delete dive type");
    EXPECT_EQ(TypeLinks("TYPEID = 6"), 0);
    EXPECT_EQ(Number("SELECT count(*) FROM DIVETYPEDATA WHERE ID = 6"), 0);
    EXPECT_EQ(Ticked(), QStringList{"Boat"});
    EXPECT_EQ(RowOf("Drift"), -1);
}

TEST_F(LocationFrmTest, ARefusedDiveTypeDeleteSaysSoAndDeletesNothing)
{
    Open();
    RefuseWrites("DIVETYPES", "DELETE");
    dialogs.ExpectMsg("Are you sure to want to delete dive type 'Boat'?", MsgAnswer::Yes)
        .ExpectMsg("Error deleting Dive Type from database.");
    ClickType(RowOf("Boat"), Qt::RightButton);
    Form().DiveType_PopUp().Click("Delete");
    EXPECT_EQ(Number("SELECT count(*) FROM DIVETYPEDATA WHERE ID = 1"), 1);
    EXPECT_EQ(RowOf("Boat"), 0);
}

TEST_F(LocationFrmTest, ALogWithoutTheCatalogsStillOpens)
{
    Log().Execute("DROP TABLE RESORTS ; DROP TABLE TIDES ; DROP TABLE DIVETYPEDATA ;");
    LocationFrm& form = Open();
    EXPECT_EQ(form.Combo(LocationCombo::Resort).ListCount(), 0);
    EXPECT_EQ(form.Combo(LocationCombo::Tide).ListCount(), 0);
    EXPECT_TRUE(form.DiveTypeList().AllItems().empty());
    EXPECT_EQ(Shown(LocationText::Visibility), "60");
    Tool("NextDive");
    Tool("Save");
}

// The menu takes the release of the right click that opened it: the tick given next
// by keys is stored like any other.
TEST_F(LocationFrmTest, ATickByKeysAfterTheRightClickMenuIsStored)
{
    Log().Execute("DELETE FROM DIVETYPES ;");
    Open();
    ClickType(RowOf("Drift"), Qt::RightButton);
    ASSERT_NE(Form().DiveType_PopUp().Shown(), nullptr);
    Form().DiveType_PopUp().Shown()->close();
    CheckList& list = Form().DiveTypeList();
    for (Qt::Key key : {Qt::Key_Home, Qt::Key_Space}) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, key == Qt::Key_Space ? " " : "");
        QApplication::sendEvent(&list, &press);
    }
    ASSERT_EQ(Ticked(), QStringList{"Boat"});
    EXPECT_EQ(TypeLinks("DIVEID = ? AND TYPEID = 1", {dive}), 1);
}

// Shift+F10 and the Menu key open the dive types' menu at the focused line, and its
// entries are chosen by keys.
TEST_F(LocationFrmTest, DiveTypesAreAddedAndDeletedByKeysAlone)
{
    Open();
    ASSERT_TRUE(ShowActive(MainFrm()));
    CheckList& list = Form().DiveTypeList();
    list.setFocus();
    ASSERT_EQ(Focused(), &list);
    dialogs.ExpectInput("Enter new dive type:", "Cave's Mouth");
    PressKey(Qt::Key_F10, Qt::ShiftModifier);
    ASSERT_TRUE(ChooseInMenu(1));
    ASSERT_NE(RowOf("Cave's Mouth"), -1);

    dialogs.ExpectMsg("Are you sure to want to delete dive type 'Cave's Mouth'?", MsgAnswer::Yes);
    list.setFocus();
    PressKey(Qt::Key_Home);
    for (int presses = 0; presses < RowOf("Cave's Mouth"); ++presses)
        PressKey(Qt::Key_Down);
    PressMenuKey();
    ASSERT_TRUE(ChooseInMenu(2));
    EXPECT_EQ(RowOf("Cave's Mouth"), -1);
    EXPECT_EQ(Number("SELECT count(*) FROM DIVETYPEDATA WHERE TYPEDATA = 'Cave''s Mouth'"), 0);
}

// A dive type added by the list's menu is its current line: Space ticks it on the dive.
TEST_F(LocationFrmTest, AnAddedDiveTypeIsTheCurrentLine)
{
    Open();
    ASSERT_TRUE(ShowActive(MainFrm()));
    CheckList& list = Form().DiveTypeList();
    list.setFocus();
    dialogs.ExpectInput("Enter new dive type:", "Cave");
    PressMenuKey();
    ASSERT_TRUE(ChooseInMenu(1));
    ASSERT_EQ(Focused(), &list);
    PressKey(Qt::Key_Space);
    EXPECT_TRUE(Ticked().contains("Cave"));
    EXPECT_EQ(TypeLinks("DIVEID = ? AND TYPEID = (SELECT ID FROM DIVETYPEDATA WHERE TYPEDATA = 'Cave')", {dive}), 1);
}

} // namespace
} // namespace kvl::test
