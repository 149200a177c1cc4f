// The companions form: the three lists and their ticks, adding and deleting people,
// and the record of the person selected.
#include "tests/people/PeopleFormTest.h"

#include "people/BuddiesFrm.h"
#include "platform/widgets/CheckList.h"
#include "platform/widgets/PopupMenu.h"
#include "platform/widgets/PropertyGrid.h"
#include "platform/widgets/SmartSideBar.h"
#include "shell/MDI_MainFrm.h"
#include "tests/support/KeyPresses.h"
#include "tests/support/Mouse.h"

#include <QAccessible>
#include <QApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>

namespace kvl::test {
namespace {

class BuddiesFrmTest : public PeopleFormTest {
protected:
    void SetUp() override
    {
        PeopleFormTest::SetUp();
        // Our own people instead of the sample's.
        Log().Execute("Delete from USERINFO where USERTYPE <> 1 ; Delete from BUDDIES ; Delete from CAPTAIN ;"
                      "Delete from CREWS ;");
        ann = AddPerson("Ann O'Neil", 2, {{"HOME", "555-0100"}, {"CITY", "Kona"}});
        bo = AddPerson("bo Tanaka", 2, {{"CITY", "Hilo"}});
        cy = AddPerson("Cy Reef", 4, {});
        dive = gv.CurrentDiveID;
        ASSERT_GT(dive, 0);
    }
    qint64 AddPerson(const QString& name, int type, const Columns& more)
    {
        Columns columns{{"NAME", name}, {"USERTYPE", type}};
        columns.insert(columns.end(), more.begin(), more.end());
        return InsertRow(Log(), "USERINFO", columns);
    }
    void Link(const QString& table, const QString& idField, qint64 diveId, qint64 personId)
    {
        InsertRow(Log(), table, {{"DIVEID", diveId}, {idField, personId}});
    }
    qint64 Links(const QString& table, const QString& where = "1", const db::Params& params = {})
    {
        return Number("Select count(*) from " + table + " where " + where, params);
    }
    BuddiesFrm& Open()
    {
        OpenForm("Buddies");
        EXPECT_EQ(gv.ActiveFormID, FormCode::Buddies);
        return BuddiesFrm::Instance();
    }
    static QStringList Captions(const CheckList& list)
    {
        QStringList captions;
        for (const auto& item : list.AllItems())
            captions << item->Caption();
        return captions;
    }
    static QStringList Ticked(const CheckList& list)
    {
        QStringList captions;
        for (const auto& item : list.AllItems())
            if (item->Ticked())
                captions << item->Caption();
        return captions;
    }
    static QStringList Selected(const CheckList& list)
    {
        QStringList captions;
        for (const auto& item : list.AllItems())
            if (item->Selected())
                captions << item->Caption();
        return captions;
    }
    // The user's button press and release on the line of the item with this caption.
    static void Click(CheckList& list, const QString& caption, Qt::MouseButton button = Qt::LeftButton)
    {
        Press(list, caption, button);
        Release(list, caption, button);
    }
    // The line's middle, or its tick box.
    static QPoint PointOf(CheckList& list, const QString& caption, bool tickBox = false)
    {
        const int row = int(Captions(list).indexOf(caption));
        EXPECT_GE(row, 0) << caption.toStdString();
        const QPoint line = list.visualItemRect(list.topLevelItem(row)).center();
        const CheckItem* item = list.ItemAt(line);
        return item && tickBox ? list.TickBoxRect(item->Key()).center() : line;
    }
    static void Press(CheckList& list, const QString& caption, Qt::MouseButton button = Qt::LeftButton)
    {
        const QPoint at = PointOf(list, caption);
        QMouseEvent press(QEvent::MouseButtonPress, at, list.viewport()->mapToGlobal(at), button, button,
                          Qt::NoModifier);
        QApplication::sendEvent(list.viewport(), &press);
    }
    static void Release(CheckList& list, const QString& caption, Qt::MouseButton button = Qt::LeftButton)
    {
        const QPoint at = PointOf(list, caption, true);   // the press selects the line, the release ticks
        QMouseEvent release(QEvent::MouseButtonRelease, at, list.viewport()->mapToGlobal(at), button,
                            Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(list.viewport(), &release);
    }
    // A right click on the person, then the popup's entry.
    void Choose(CheckList& list, const QString& caption, const QString& entry)
    {
        RightClick(*list.viewport(), PointOf(list, caption));
        PopupMenu& popup = BuddiesFrm::Instance().AddDel_Popup();
        ASSERT_NE(popup.Shown(), nullptr);
        popup.Click(entry);
        popup.Shown()->close();
    }

    qint64 ann = 0, bo = 0, cy = 0;
    qint32 dive = 0;
};

TEST_F(BuddiesFrmTest, ListsEveryPersonOfEachKindByNameKeyedById)
{
    BuddiesFrm& form = Open();
    EXPECT_EQ(form.Label4().text(), "BUDDIES");
    EXPECT_EQ(Captions(form.CaptainList()), (QStringList{"Ann O'Neil", "bo Tanaka"}));
    EXPECT_TRUE(form.CaptainList().HasItem(QString::number(ann)));
    EXPECT_EQ(form.CaptainList().Items(QString::number(bo)).Caption(), "bo Tanaka");
    EXPECT_TRUE(Captions(form.CrewList()).isEmpty());
    EXPECT_EQ(Captions(form.BuddyList()), QStringList{"Cy Reef"});
    EXPECT_EQ(form.PInfo().RowCount(), 22);
    EXPECT_EQ(form.PInfo().Caption("PHONE"), "Home:\t");
    EXPECT_EQ(form.PInfo().ValueText("NAME"), "");   // no one is shown until one is selected
    EXPECT_EQ(form.Hint().text(), "To add/delete, right click on the list box");
}

TEST_F(BuddiesFrmTest, TicksShowTheDivesPeopleOnceAndAStoreLeavesOneRowEach)
{
    Link("CAPTAIN", "CAPID", dive, ann);
    Link("CAPTAIN", "CAPID", dive, ann);
    Link("CAPTAIN", "CAPID", dive, 9999);       // a person who no longer exists
    Link("CAPTAIN", "CAPID", dive + 1, bo);     // another dive
    Link("BUDDIES", "BUDDYID", dive, cy);
    BuddiesFrm& form = Open();
    EXPECT_EQ(Ticked(form.CaptainList()), QStringList{"Ann O'Neil"});
    EXPECT_EQ(Ticked(form.BuddyList()), QStringList{"Cy Reef"});

    Click(form.CaptainList(), "bo Tanaka");
    EXPECT_EQ(Ticked(form.CaptainList()), (QStringList{"Ann O'Neil", "bo Tanaka"}));
    EXPECT_EQ(Links("CAPTAIN", "DIVEID = ?", {dive}), 2);
    EXPECT_EQ(Links("CAPTAIN", "DIVEID = ? and CAPID = ?", {dive, ann}), 1);
    EXPECT_EQ(Links("CAPTAIN", "DIVEID = ? and CAPID = ?", {dive + 1, bo}), 1);
    EXPECT_EQ(Links("BUDDIES", "DIVEID = ? and BUDDYID = ?", {dive, cy}), 1);
}

TEST_F(BuddiesFrmTest, ATickStaysWithItsDiveAcrossSteps)
{
    BuddiesFrm& form = Open();
    Click(form.BuddyList(), "Cy Reef");
    MainFrm().SmartUI1_ItemClick("NextDive");
    ASSERT_NE(gv.CurrentDiveID, dive);
    EXPECT_TRUE(Ticked(form.BuddyList()).isEmpty());
    MainFrm().SmartUI1_ItemClick("PrevDive");
    ASSERT_EQ(gv.CurrentDiveID, dive);
    EXPECT_EQ(Ticked(form.BuddyList()), QStringList{"Cy Reef"});
}

TEST_F(BuddiesFrmTest, ADiveStepShowsThePeopleAsTheLogHasThemAndDropsTheSelection)
{
    BuddiesFrm& form = Open();
    Click(form.CaptainList(), "bo Tanaka");
    ASSERT_EQ(Selected(form.CaptainList()), QStringList{"bo Tanaka"});
    MainFrm().SmartUI1_ItemClick("NextDive");
    EXPECT_EQ(Captions(form.CaptainList()), (QStringList{"Ann O'Neil", "bo Tanaka"}));
    EXPECT_TRUE(Selected(form.CaptainList()).isEmpty());

    Log().Execute("Update USERINFO set NAME = 'Bo Tanaka' where USERID = ?", {bo});
    AddPerson("Al Shore", 2, {});
    MainFrm().SmartUI1_ItemClick("PrevDive");
    EXPECT_EQ(Captions(form.CaptainList()), (QStringList{"Al Shore", "Ann O'Neil", "Bo Tanaka"}));
    EXPECT_EQ(Ticked(form.CaptainList()), QStringList{"Bo Tanaka"});
}

TEST_F(BuddiesFrmTest, ATickFromTheKeyboardIsStored)
{
    BuddiesFrm& form = Open();
    CheckList& list = form.BuddyList();
    list.setCurrentItem(list.topLevelItem(0));
    QKeyEvent space(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, " ");
    QApplication::sendEvent(&list, &space);
    EXPECT_EQ(Links("BUDDIES", "DIVEID = ? and BUDDYID = ?", {dive, cy}), 1);
}

// Looking at a companion shows his record and never puts him on the dive.
TEST_F(BuddiesFrmTest, AClickOnANameLeavesTheDivesCompanionsAsTheyWere)
{
    BuddiesFrm& form = Open();
    const std::pair<CheckList*, const char*> clicks[] = {
        {&form.CaptainList(), "Ann O'Neil"}, {&form.CaptainList(), "bo Tanaka"}, {&form.BuddyList(), "Cy Reef"}};
    for (const auto& [list, caption] : clicks) {
        SCOPED_TRACE(caption);
        const QPoint at = PointOf(*list, caption);
        QMouseEvent press(QEvent::MouseButtonPress, at, list->viewport()->mapToGlobal(at), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QMouseEvent release(QEvent::MouseButtonRelease, at, list->viewport()->mapToGlobal(at), Qt::LeftButton,
                            Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(list->viewport(), &press);
        QApplication::sendEvent(list->viewport(), &release);
        EXPECT_EQ(Selected(*list), QStringList{caption});
        EXPECT_TRUE(Ticked(*list).isEmpty());
        for (const char* table : {"CAPTAIN", "CREWS", "BUDDIES"})
            EXPECT_EQ(Links(table), 0) << table;
    }
}

TEST_F(BuddiesFrmTest, AMouseDownClearsTheOtherListsSelection)
{
    BuddiesFrm& form = Open();
    Click(form.BuddyList(), "Cy Reef");
    EXPECT_EQ(Selected(form.BuddyList()), QStringList{"Cy Reef"});
    EXPECT_EQ(gv.PersonKind, 4);
    EXPECT_EQ(gv.PersonKindName, "BUDDY");
    Click(form.CaptainList(), "bo Tanaka");
    EXPECT_EQ(Selected(form.CaptainList()), QStringList{"bo Tanaka"});
    EXPECT_TRUE(Selected(form.BuddyList()).isEmpty());
    EXPECT_EQ(gv.PersonKindName, "CAPTAIN");
    EXPECT_EQ(gv.CurrentPersonID, bo);
}

TEST_F(BuddiesFrmTest, WithoutACurrentDiveNothingIsTickedOrStored)
{
    Link("BUDDIES", "BUDDYID", -1, cy);
    Log().Execute("Delete from DIVEDATA ;");
    MainFrm().CloseChildForm(gv.ActiveFormID);   // the diver's save refreshes the (now empty) dive list
    ASSERT_EQ(gv.CurrentDiveID, -1);
    MainFrm().OpenChildForm(4);
    BuddiesFrm& form = BuddiesFrm::Instance();
    EXPECT_TRUE(Ticked(form.BuddyList()).isEmpty());
    Click(form.BuddyList(), "Cy Reef");
    EXPECT_TRUE(Ticked(form.BuddyList()).isEmpty());
    EXPECT_EQ(Links("BUDDIES"), 1);
}

TEST_F(BuddiesFrmTest, ARefusedTickStoreSaysSoAndShowsTheStoredTicks)
{
    Link("CAPTAIN", "CAPID", dive, ann);
    BuddiesFrm& form = Open();
    RefuseWrites("CAPTAIN", "delete");
    dialogs.ExpectMsg("Error saving dive companions.");
    Click(form.CaptainList(), "bo Tanaka");
    EXPECT_EQ(dialogs.Messages().back().icon, MsgIcon::Critical);
    EXPECT_EQ(dialogs.Messages().back().title, "Error");
    EXPECT_EQ(Ticked(form.CaptainList()), QStringList{"Ann O'Neil"});
    EXPECT_EQ(Links("CAPTAIN", "DIVEID = ?", {dive}), 1);
}

TEST_F(BuddiesFrmTest, AddingAsksForTheNameWithTheKindWord)
{
    BuddiesFrm& form = Open();
    dialogs.ExpectInput("Enter CAPTAIN full name:", "Di Marr")
        .ExpectInput("Enter CAPTAIN full name:", "Di Marr")
        .ExpectInput("Enter CAPTAIN full name:", "   ")
        .ExpectInput("Enter CAPTAIN full name:", "");
    for (int i = 0; i < 4; ++i)
        Choose(form.CaptainList(), "Ann O'Neil", "Add");
    EXPECT_EQ(dialogs.Prompts().front().title, "Add new CAPTAIN");
    EXPECT_EQ(Captions(form.CaptainList()), (QStringList{"   ", "Ann O'Neil", "bo Tanaka", "Di Marr", "Di Marr"}));
    EXPECT_EQ(Number("Select count(*) from USERINFO where USERTYPE = 2"), 5);
    EXPECT_TRUE(Ticked(form.CaptainList()).isEmpty());
}

TEST_F(BuddiesFrmTest, DeletingAskedAboutTheClickedPersonRemovesHimFromEveryDive)
{
    for (qint64 d : {qint64(dive), qint64(dive) + 1, qint64(dive) + 2})
        Link("CAPTAIN", "CAPID", d, ann);
    Link("CAPTAIN", "CAPID", dive, bo);
    BuddiesFrm& form = Open();

    dialogs.ExpectMsg("Are you sure to want to delete Ann O'Neil from the CAPTAIN List?", MsgAnswer::No);
    Choose(form.CaptainList(), "Ann O'Neil", "Delete");
    EXPECT_EQ(dialogs.Messages().back().title, "Delete CAPTAIN");
    EXPECT_EQ(dialogs.Messages().back().buttons, MsgButtons::YesNo);
    EXPECT_EQ(dialogs.Messages().back().icon, MsgIcon::Exclamation);
    EXPECT_EQ(Links("CAPTAIN", "CAPID = ?", {ann}), 3);

    dialogs.ExpectMsg("Are you sure to want to delete Ann O'Neil from the CAPTAIN List?", MsgAnswer::Yes);
    Choose(form.CaptainList(), "Ann O'Neil", "Delete");
    EXPECT_EQ(Captions(form.CaptainList()), QStringList{"bo Tanaka"});
    EXPECT_EQ(Ticked(form.CaptainList()), QStringList{"bo Tanaka"});
    EXPECT_EQ(Number("Select count(*) from USERINFO where USERID = ?", {ann}), 0);
    EXPECT_EQ(Links("CAPTAIN", "CAPID = ?", {ann}), 0);
    EXPECT_EQ(Links("CAPTAIN", "CAPID = ?", {bo}), 1);

    form.AddDel_Popup().Click("Delete");   // nothing selected after the refill: no question
}

TEST_F(BuddiesFrmTest, ARefusedDeleteSaysSoAndDeletesNothing)
{
    Link("BUDDIES", "BUDDYID", dive, cy);
    BuddiesFrm& form = Open();
    RefuseWrites("USERINFO", "delete");
    dialogs.ExpectMsg("Are you sure to want to delete Cy Reef from the BUDDY List?", MsgAnswer::Yes)
        .ExpectMsg("Error deleting BUDDY.");
    Choose(form.BuddyList(), "Cy Reef", "Delete");
    EXPECT_EQ(dialogs.Messages().back().icon, MsgIcon::Critical);
    EXPECT_EQ(Number("Select count(*) from USERINFO where USERID = ?", {cy}), 1);
    EXPECT_EQ(Links("BUDDIES"), 1);
}

TEST_F(BuddiesFrmTest, TypedValuesGoToThePersonShownBeforeTheNextIsShown)
{
    BuddiesFrm& form = Open();
    CountPersonUpdates();
    Click(form.CaptainList(), "Ann O'Neil");
    EXPECT_EQ(form.PInfo().ValueText("PHONE"), "555-0100");
    Click(form.CaptainList(), "bo Tanaka");   // nothing typed: nothing written
    EXPECT_EQ(PersonUpdates(), 0);
    EXPECT_EQ(form.PInfo().ValueText("PHONE"), "");   // bo has no phone: nothing of Ann stays
    EXPECT_EQ(form.PInfo().ValueText("CITY"), "Hilo");

    form.PInfo().TypeValue("PHONE", "  808 555 0100 1234 56  ");
    EXPECT_TRUE(gv.PersonChanged);
    Click(form.BuddyList(), "Cy Reef");
    EXPECT_EQ(Text("Select HOME from USERINFO where USERID = ?", {bo}), "808 555 0100 1234 56");
    EXPECT_EQ(Text("Select HOME from USERINFO where USERID = ?", {ann}), "555-0100");
    EXPECT_EQ(form.PInfo().ValueText("NAME"), "Cy Reef");
    EXPECT_FALSE(gv.PersonChanged);
}

TEST_F(BuddiesFrmTest, SaveStoresTheShownPersonTrimmed)
{
    BuddiesFrm& form = Open();
    Click(form.CaptainList(), "Ann O'Neil");
    form.PInfo().TypeValue("ZIPCODE", "   96740");
    form.PInfo().TypeValue("MEDPHONE", " 12345678901234567890 ");
    MainFrm().SmartUI1_ItemClick("Save");
    EXPECT_EQ(Text("Select ZIPCODE from USERINFO where USERID = ?", {ann}), "96740");
    EXPECT_EQ(Text("Select MEDPHONE from USERINFO where USERID = ?", {ann}), "12345678901234567890");
    EXPECT_FALSE(gv.PersonChanged);
}

TEST_F(BuddiesFrmTest, AReopenedFormNeverStoresItsEmptyGrid)
{
    BuddiesFrm* form = &Open();
    Click(form->CaptainList(), "Ann O'Neil");
    OpenForm("Dive");
    form = &Open();
    ASSERT_EQ(gv.CurrentPersonID, ann);
    CountPersonUpdates();
    form->PInfo().TypeValue("CITY", "typed into an empty grid");
    MainFrm().SmartUI1_ItemClick("Save");
    OpenForm("Dive");   // the switch saves a pending edit
    EXPECT_EQ(PersonUpdates(), 0);
    EXPECT_EQ(Text("Select CITY from USERINFO where USERID = ?", {ann}), "Kona");
    EXPECT_EQ(Text("Select NAME from USERINFO where USERID = ?", {ann}), "Ann O'Neil");
}

TEST_F(BuddiesFrmTest, ARefusedPersonSaveSaysSoAndKeepsTheEdits)
{
    BuddiesFrm& form = Open();
    Click(form.CaptainList(), "Ann O'Neil");
    form.PInfo().TypeValue("CITY", "Waimea");
    RefuseWrites("USERINFO", "update");
    dialogs.ExpectMsg("Error saving companion information.");
    Click(form.CaptainList(), "bo Tanaka");
    EXPECT_EQ(dialogs.Messages().back().icon, MsgIcon::Critical);
    EXPECT_EQ(dialogs.Messages().back().title, "Error");
    EXPECT_TRUE(gv.PersonChanged);
    EXPECT_EQ(form.PInfo().ValueText("CITY"), "Waimea");
    EXPECT_EQ(Text("Select CITY from USERINFO where USERID = ?", {ann}), "Kona");
    AllowWrites("USERINFO", "update");
    MainFrm().SmartUI1_ItemClick("Save");
    EXPECT_EQ(Text("Select CITY from USERINFO where USERID = ?", {ann}), "Waimea");
}

TEST_F(BuddiesFrmTest, ALogWithoutALinkTableStillOpens)
{
    Log().Execute("Drop table BUDDIES ;");
    BuddiesFrm& form = Open();
    EXPECT_EQ(Captions(form.BuddyList()), QStringList{"Cy Reef"});
    EXPECT_TRUE(Ticked(form.BuddyList()).isEmpty());
    EXPECT_EQ(Captions(form.CaptainList()).size(), 2);
}

// The menu takes the mouse release of the right click that opened it: the list must
// not wait for it, and the tick given next by keys is stored like any other.
TEST_F(BuddiesFrmTest, ATickByKeysAfterTheRightClickMenuIsStored)
{
    BuddiesFrm& form = Open();
    CheckList& crew = form.CrewList();
    ASSERT_TRUE(Captions(crew).isEmpty());
    dialogs.ExpectInput("Enter CREW full name:", "Carl Crew");
    RightClick(*crew.viewport(), QPoint(5, 5));
    ASSERT_NE(form.AddDel_Popup().Shown(), nullptr);
    form.AddDel_Popup().Click("Add");
    form.AddDel_Popup().Shown()->close();
    ASSERT_EQ(Captions(crew), QStringList{"Carl Crew"});
    const qint64 carl = crew.AllItems().front()->Tag();
    for (Qt::Key key : {Qt::Key_Home, Qt::Key_Space}) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, key == Qt::Key_Space ? " " : "");
        QApplication::sendEvent(&crew, &press);
    }
    EXPECT_EQ(Ticked(crew), QStringList{"Carl Crew"});
    EXPECT_EQ(Links("CREWS", "DIVEID = ? and CREWID = ?", {dive, carl}), 1);
    OpenForm("Dive");
    EXPECT_EQ(Ticked(Open().CrewList()), QStringList{"Carl Crew"});
}

// The Menu key and Shift+F10 open the list's menu at the focused line; its entries are
// chosen by keys too.
TEST_F(BuddiesFrmTest, AddAndDeleteByKeysAlone)
{
    BuddiesFrm& form = Open();
    ASSERT_TRUE(ShowActive(MainFrm()));
    CheckList& captains = form.CaptainList();
    captains.setFocus();
    ASSERT_EQ(Focused(), &captains);

    dialogs.ExpectInput("Enter CAPTAIN full name:", "Di Marr");
    PressKey(Qt::Key_F10, Qt::ShiftModifier);
    ASSERT_TRUE(ChooseInMenu(1));
    EXPECT_EQ(Captions(captains), (QStringList{"Ann O'Neil", "bo Tanaka", "Di Marr"}));
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);

    dialogs.ExpectMsg("Are you sure to want to delete bo Tanaka from the CAPTAIN List?", MsgAnswer::Yes);
    captains.setFocus();
    PressKey(Qt::Key_Home);
    PressKey(Qt::Key_Down);
    PressMenuKey();
    ASSERT_TRUE(ChooseInMenu(2));
    EXPECT_EQ(Captions(captains), (QStringList{"Ann O'Neil", "Di Marr"}));
    EXPECT_EQ(Number("Select count(*) from USERINFO where USERID = ?", {bo}), 0);
}

// Before anyone is shown, nothing typed into the record could be kept: its boxes take
// no typing. Showing a person opens them.
TEST_F(BuddiesFrmTest, TheRecordTakesTypingOnlyWhileSomeoneIsShown)
{
    BuddiesFrm& form = Open();
    QLineEdit& city = *form.PInfo().ValueBox("CITY");
    for (QLineEdit* box : form.PInfo().findChildren<QLineEdit*>())
        EXPECT_TRUE(box->isReadOnly()) << box->objectName().toStdString();
    QKeyEvent letter(QEvent::KeyPress, Qt::Key_K, Qt::NoModifier, "K");
    QApplication::sendEvent(&city, &letter);
    EXPECT_EQ(city.text(), "");
    EXPECT_FALSE(gv.PersonChanged);

    Click(form.CaptainList(), "Ann O'Neil");
    EXPECT_FALSE(city.isReadOnly());
    QApplication::sendEvent(&city, &letter);
    EXPECT_EQ(city.text(), "KKona");

    // The person shown is deleted: the record shows no one and takes no typing again.
    dialogs.ExpectMsg("Are you sure to want to delete Ann O'Neil from the CAPTAIN List?", MsgAnswer::Yes);
    Choose(form.CaptainList(), "Ann O'Neil", "Delete");
    EXPECT_EQ(form.PInfo().ValueText("CITY"), "");
    EXPECT_TRUE(city.isReadOnly());
}

// An edit through the accessibility interface, as a screen reader or a dictation tool
// makes it, is taken as a typed one: refused while nobody is shown, as an input
// method's text is, and stored for the person shown.
TEST_F(BuddiesFrmTest, AnEditThroughTheAccessibilityInterfaceIsTakenAsATypedOne)
{
    BuddiesFrm& form = Open();
    QLineEdit& city = *form.PInfo().ValueBox("CITY");
    const auto setCity = [&city](const QString& text) {
        QAccessible::queryAccessibleInterface(&city)->setText(QAccessible::Value, text);
    };
    setCity("Reno");
    QInputMethodEvent commit;
    commit.setCommitString(QString::fromUtf8("\u00e9"));
    QApplication::sendEvent(&city, &commit);
    EXPECT_EQ(city.text(), "");
    EXPECT_FALSE(gv.PersonChanged);

    Click(form.CaptainList(), "Ann O'Neil");
    setCity("Reno");
    EXPECT_TRUE(gv.PersonChanged);
    Click(form.CaptainList(), "bo Tanaka");
    EXPECT_EQ(Text("Select CITY from USERINFO where USERID = ?", {ann}), "Reno");
}

// A companion's field of blanks only shows empty.
TEST_F(BuddiesFrmTest, AFieldOfBlanksShowsEmpty)
{
    Log().Execute("Update USERINFO set CITY = '   ', HOME = ' ' where USERID = ?", {ann});
    BuddiesFrm& form = Open();
    Click(form.CaptainList(), "Ann O'Neil");
    EXPECT_EQ(form.PInfo().ValueText("CITY"), "");
    EXPECT_EQ(form.PInfo().ValueText("PHONE"), "");
    EXPECT_EQ(form.PInfo().ValueText("NAME"), "Ann O'Neil");
}

// The keys that move a list's current line show that person as a click on the line
// does: the record shown before keeps what was typed into it.
TEST_F(BuddiesFrmTest, MovingThroughAListByKeysShowsEachPerson)
{
    AddPerson("Ed Keel", 2, {{"CITY", "Lahaina"}});
    BuddiesFrm& form = Open();
    ASSERT_TRUE(ShowActive(MainFrm()));
    const std::pair<Qt::Key, const char*> steps[] = {
        {Qt::Key_Home, "Ann O'Neil"}, {Qt::Key_Down, "bo Tanaka"},     {Qt::Key_End, "Ed Keel"},
        {Qt::Key_Up, "bo Tanaka"},    {Qt::Key_PageUp, "Ann O'Neil"}, {Qt::Key_PageDown, "Ed Keel"}};
    form.CaptainList().setFocus();
    for (const auto& [key, name] : steps) {
        SCOPED_TRACE(name);
        PressKey(key);
        EXPECT_EQ(form.PInfo().ValueText("NAME"), name);
        EXPECT_EQ(Selected(form.CaptainList()), QStringList{name});
    }
    EXPECT_EQ(gv.PersonKindName, "CAPTAIN");
    EXPECT_TRUE(Ticked(form.CaptainList()).isEmpty());
    EXPECT_EQ(Links("CAPTAIN"), 0);

    form.CaptainList().setFocus();
    PressKey(Qt::Key_Home);
    form.PInfo().ValueBox("CITY")->setFocus();
    PressKey(Qt::Key_End);
    TypeText(" Town");
    form.CaptainList().setFocus();
    PressKey(Qt::Key_Down);
    EXPECT_EQ(Text("Select CITY from USERINFO where USERID = ?", {ann}), "Kona Town");
    EXPECT_EQ(form.PInfo().ValueText("CITY"), "Hilo");
    EXPECT_FALSE(gv.PersonChanged);
}

TEST_F(BuddiesFrmTest, ARefusedSaveByKeysKeepsTheEdits)
{
    BuddiesFrm& form = Open();
    ASSERT_TRUE(ShowActive(MainFrm()));
    form.CaptainList().setFocus();
    PressKey(Qt::Key_Home);
    form.PInfo().ValueBox("CITY")->setFocus();
    PressKey(Qt::Key_End);
    TypeText(" Town");
    RefuseWrites("USERINFO", "update");
    dialogs.ExpectMsg("Error saving companion information.");
    form.CaptainList().setFocus();
    PressKey(Qt::Key_Down);
    EXPECT_TRUE(gv.PersonChanged);
    EXPECT_EQ(form.PInfo().ValueText("CITY"), "Kona Town");
    EXPECT_EQ(Text("Select CITY from USERINFO where USERID = ?", {ann}), "Kona");
}

// A person added by the list's menu is its current line and is shown: the keys go on
// from him.
TEST_F(BuddiesFrmTest, AnAddedPersonIsTheCurrentLine)
{
    BuddiesFrm& form = Open();
    ASSERT_TRUE(ShowActive(MainFrm()));
    CheckList& captains = form.CaptainList();
    captains.setFocus();
    dialogs.ExpectInput("Enter CAPTAIN full name:", "Al Marr");
    PressMenuKey();
    ASSERT_TRUE(ChooseInMenu(1));
    ASSERT_EQ(Captions(captains), (QStringList{"Al Marr", "Ann O'Neil", "bo Tanaka"}));
    EXPECT_EQ(Selected(captains), QStringList{"Al Marr"});
    EXPECT_EQ(form.PInfo().ValueText("NAME"), "Al Marr");
    captains.setFocus();
    PressKey(Qt::Key_Down);
    EXPECT_EQ(form.PInfo().ValueText("NAME"), "Ann O'Neil");
}

} // namespace
} // namespace kvl::test
