// The main window by keyboard alone, and the names a screen reader reads.
#include "tests/shell/CommandsTest.h"
#include "tests/support/KeyPresses.h"

#include "device/CommFrm.h"
#include "dive/AddDiveOption.h"
#include "dive/DiveFrm.h"
#include "dive/DivesListingFrm.h"
#include "dive/frmDate.h"
#include "forms/ChildForm.h"
#include "forms/HelpWindow.h"
#include "platform/widgets/Captions.h"
#include "platform/widgets/CheckList.h"
#include "platform/widgets/DataGrid.h"
#include "platform/widgets/FieldBoxes.h"
#include "platform/widgets/PickList.h"
#include "platform/widgets/PropertyGrid.h"
#include "platform/widgets/SmartSideBar.h"
#include "platform/widgets/SmartToolBar.h"
#include "reports/DelimiterOption.h"
#include "reports/Reports.h"
#include "reports/core/ExportFile.h"
#include "settings/DCFrm.h"
#include "shell/MDI_MainFrm.h"
#include "shell/core/Global_Vars.h"
#include "shell/core/StateCodes.h"
#include "site_gear/LocationFrm.h"
#include "site_gear/core/Location.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTableView>

#include <algorithm>
#include <functional>
#include <map>
#include <utility>
#include <vector>

namespace kvl::test {
namespace {

class KeyboardTest : public CommandsTest {
protected:
    void ShowWindow()
    {
        Frm().resize(1366, 600);   // the record's memo lies below the fold
        ASSERT_TRUE(ShowActive(Frm()));
    }
    static void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        ASSERT_TRUE(Focused());
        PressKey(key, modifiers);
    }
    // Presses Tab (or Shift+Tab) until the focus is where `reached` says; false after a
    // full round without getting there.
    static bool TabUntil(const std::function<bool(QWidget*)>& reached, bool back = false)
    {
        for (int presses = 0; presses < 150; ++presses) {
            PressKey(Qt::Key_Tab, back ? Qt::ShiftModifier : Qt::NoModifier);
            if (Focused() && reached(Focused()))
                return true;
        }
        return false;
    }
    // Moves along the focused bar with the arrow key until the item named `name` has the focus.
    static bool ArrowTo(const QString& name, Qt::Key arrow)
    {
        for (int presses = 0; presses < 30; ++presses) {
            if (Name(Focused()) == name)
                return true;
            PressKey(arrow);
        }
        return false;
    }
    static QString Name(QWidget* widget)
    {
        QAccessibleInterface* face = widget ? QAccessible::queryAccessibleInterface(widget) : nullptr;
        return face ? face->text(QAccessible::Name) : QString();
    }
    bool InSideBar(QWidget* widget) { return Frm().SmartBar->isAncestorOf(widget); }
    bool InToolBar(QWidget* widget) { return Frm().SmartUI1->isAncestorOf(widget); }
    bool InForm(QWidget* widget) { return Frm().ChildArea()->widget()->isAncestorOf(widget); }
    // Tab from the focused box reaches these boxes in this order before it leaves the form.
    void ExpectTabbedInOrder(const std::vector<QWidget*>& inOrder)
    {
        std::vector<QWidget*> reached{Focused()};
        ASSERT_TRUE(TabUntil([this, &reached](QWidget* w) {
            reached.push_back(w);
            return !InForm(w);
        }));
        auto next = reached.begin();
        for (QWidget* box : inOrder) {
            next = std::find(next, reached.end(), box);
            ASSERT_NE(next, reached.end()) << Name(box).toStdString() << " out of order";
        }
    }
};

TEST_F(KeyboardTest, FromTheDiversFormToTheNextDiveSavedByKeysAlone)
{
    AddDives(3);
    Side("Personal");
    ShowWindow();
    Frm().ChildArea()->widget()->findChild<QLineEdit*>()->setFocus();   // where the diver starts typing
    ASSERT_TRUE(InForm(Focused()));

    // The side bar is one stop: Tab reaches it, the arrows walk it, Enter opens the record.
    ASSERT_TRUE(TabUntil([this](QWidget* w) { return InSideBar(w); }));
    ASSERT_TRUE(ArrowTo("VURO Dive", Qt::Key_Down));
    Key(Qt::Key_Return);
    ASSERT_EQ(gv.ActiveFormID, FormCode::Dive);
    Key(Qt::Key_Tab);
    EXPECT_FALSE(InSideBar(Focused())) << "Tab leaves the side bar";

    // The tool bar's Next dive, by the arrows; the hidden Sort and Save are skipped on the way.
    ASSERT_TRUE(TabUntil([this](QWidget* w) { return InToolBar(w); }));
    ASSERT_TRUE(ArrowTo("Next dive", Qt::Key_Right));
    Key(Qt::Key_Space);
    ASSERT_EQ(gv.CurrentDiveID, IdOf(2));

    // The memo lies below the fold: reaching it by Tab scrolls it into view.
    MemoBox& memo = DiveFrm::Instance().MemoTxt();
    ASSERT_TRUE(TabUntil([&memo](QWidget* w) { return w == &memo; }));
    const QRect shown(QPoint(0, 0), Frm().ChildArea()->viewport()->size());
    EXPECT_TRUE(shown.intersects(QRect(memo.mapTo(Frm().ChildArea()->viewport(), QPoint(0, 0)), memo.size())));
    TypeText("Kelp forest");

    ASSERT_TRUE(TabUntil([this](QWidget* w) { return InToolBar(w); }));
    ASSERT_TRUE(ArrowTo("Save", Qt::Key_Left));
    Key(Qt::Key_Return);
    EXPECT_EQ(Stored(IdOf(2), "MEMO").ToString(), "Kelp forest");
    EXPECT_TRUE(dialogs.MessageTexts().isEmpty());
}

// Reached by Tab below the fold, the memo shows whole, not just its first line.
TEST_F(KeyboardTest, TheMemoReachedByTabShowsWhole)
{
    AddDives(2);
    Side("Dive");
    ShowWindow();
    Frm().ChildArea()->verticalScrollBar()->setValue(0);
    DiveFrm::Instance().Text3(DiveText::SerialNo).setFocus();
    MemoBox& memo = DiveFrm::Instance().MemoTxt();
    ASSERT_TRUE(TabUntil([&memo](QWidget* w) { return w == &memo; }));
    QWidget* viewport = Frm().ChildArea()->viewport();
    ASSERT_LE(memo.height(), viewport->height());
    const QRect shown(memo.mapTo(viewport, QPoint(0, 0)), memo.size());
    EXPECT_TRUE(viewport->rect().contains(shown)) << shown.top() << ".." << shown.bottom() << " in 0.."
                                                  << viewport->height() - 1;
}

// Tab leaves the location's notes as it leaves the dive's memo, and never types a tab;
// a tab stored in a note stays.
TEST_F(KeyboardTest, TabLeavesTheLocationNotesAndTypesNoTab)
{
    AddDives(1);
    const QString highlights = QStringLiteral("Reef\twall");
    gv.DB->Execute("UPDATE DIVEDATA SET HIGHLIGHTS = ?", {highlights});
    Side("Location");
    ShowWindow();
    LocationFrm& form = LocationFrm::Instance();
    for (const site::LocationText box : {site::LocationText::Highlights, site::LocationText::Directions}) {
        SCOPED_TRACE(int(box));
        QWidget& note = form.Text4(box);
        note.setFocus();
        const QString before = form.Text4Text(box);
        Key(Qt::Key_Tab);
        EXPECT_NE(Focused(), &note) << "Tab moves on";
        Key(Qt::Key_Backtab, Qt::ShiftModifier);
        EXPECT_EQ(Focused(), &note) << "Shift+Tab comes back";
        Key(Qt::Key_Tab, Qt::ControlModifier);
        note.setFocus();
        EXPECT_EQ(form.Text4Text(box), before) << "no tab typed";
    }
    Side("Dive");
    EXPECT_EQ(Stored(IdOf(1), "HIGHLIGHTS").ToString(), highlights);
    EXPECT_EQ(Stored(IdOf(1), "DIRECTIONS").ToString(), "");
}

// The location form is shown with the focus on the dive types, the first box on
// screen, and Tab goes through its boxes in the order they are read: the left column
// top down, a condition's list before its measure, then the right column.
TEST_F(KeyboardTest, TheLocationFormIsTabbedInTheOrderItIsRead)
{
    AddDives(1);
    ShowWindow();
    Side("Location");
    LocationFrm& form = LocationFrm::Instance();
    ASSERT_EQ(Focused(), &form.DiveTypeList());
    using site::LocationCombo;
    using site::LocationText;
    ExpectTabbedInOrder({&form.Text4(LocationText::Visibility),   &form.Text4(LocationText::Minimum),
                         &form.Combo(LocationCombo::Current),     &form.Text4(LocationText::CurrentSpeed),
                         &form.Combo(LocationCombo::Surge),       &form.Text4(LocationText::TideHeight),
                         &form.Combo(LocationCombo::Operator),    &form.Combo(LocationCombo::GPS),
                         &form.Text4(LocationText::Highlights),   &form.Text4(LocationText::Directions)});
}

// The settings form is shown with the focus on the model, the first box on screen, and
// Tab goes through the left column top down, then the right one.
TEST_F(KeyboardTest, TheSettingsFormIsTabbedInTheOrderItIsRead)
{
    AddDives(1);
    ShowWindow();
    Side("DiveComputer");
    DCFrm& form = DCFrm::Instance();
    ASSERT_EQ(Focused(), form.Model_Combo);
    using settings::Box0;
    using settings::Box1;
    ExpectTabbedInOrder({form.Serial_Combo, form.FirmWareTxt, form.Unit_Opt->box[Box0], form.Unit_Opt->box[Box1],
                         form.ASCSCALE_Opt->box[Box1], form.BackLiteOpt, form.Check1, form.Audible_Opt->box[Box0],
                         form.MaxDepthOpt, form.DTROpt, form.CHRONOASCENT_Opt->box[Box1],
                         form.Cmd->TextEntryBox("Leg")});
}

TEST_F(KeyboardTest, TheProfileSamplesAreOneTabStop)
{
    AddDives(1);
    Side("Details");
    ShowWindow();
    auto* grid = Frm().ChildArea()->widget()->findChild<DataGrid*>();
    ASSERT_TRUE(grid);
    QTableView* samples = &grid->View();
    ASSERT_GT(grid->Rows(), 1);
    samples->setFocus();
    const int row = samples->currentIndex().row();
    Key(Qt::Key_Down);
    EXPECT_EQ(samples->currentIndex().row(), row + 1) << "the arrows move inside the grid";
    Key(Qt::Key_Tab);
    EXPECT_NE(Focused(), samples) << "Tab leaves the grid";
}

// The record's "+" and "-" serve the list that showed them: Tab reaches them right
// after it, they are named for what they do to it, and Enter or Space presses them.
TEST_F(KeyboardTest, TheRecordsCatalogButtonsFollowTheirListByTab)
{
    AddDives(1);
    Side("Dive");
    ShowWindow();
    DiveFrm& form = DiveFrm::Instance();
    ASSERT_TRUE(TabUntil([&form](QWidget* w) { return w == &form.Location_Combo(); }));
    Key(Qt::Key_Tab);
    EXPECT_EQ(Name(Focused()), "Add location");
    dialogs.ExpectInput("Enter location:", "Kelp Bay");
    Key(Qt::Key_Return);
    EXPECT_EQ(form.Location_Combo().Text(), "Kelp Bay");
    EXPECT_GT(Stored(IdOf(1), "LOCID").ToLong(), 0);
    Key(Qt::Key_Tab);
    EXPECT_EQ(Name(Focused()), "Delete location");
    Key(Qt::Key_Tab);
    ASSERT_EQ(Focused(), &form.DiveSite_Combo());

    Key(Qt::Key_Tab);
    EXPECT_EQ(Name(Focused()), "Add dive site") << "the pair moved on with the focus";
    dialogs.ExpectInput("Enter dive site:", "North Wall");
    Key(Qt::Key_Space);
    EXPECT_EQ(form.DiveSite_Combo().Text(), "North Wall");
    Key(Qt::Key_Tab);
    EXPECT_EQ(Name(Focused()), "Delete dive site");
    dialogs.ExpectMsg("Are you sure to want to delete dive site 'North Wall'?", MsgAnswer::Yes);
    Key(Qt::Key_Return);
    EXPECT_EQ(form.DiveSite_Combo().Text(), "");
    EXPECT_EQ(Stored(IdOf(1), "SITEID").ToLong(), 0);
    Key(Qt::Key_Tab);
    EXPECT_EQ(Focused(), &form.TankCheck(Tank::One, OnOff::On)) << "on to what followed the list";
}

// What a screen reader hears as the focus moves: the box that takes the focus and its
// name, read when its focus event comes (the screen reader's focus event follows at once).
class FocusAnnouncements : public QObject {
public:
    FocusAnnouncements() { qApp->installEventFilter(this); }
    // The names heard since the last call.
    QStringList Take() { return std::exchange(names_, {}); }
    // The names each box was heard with, over the whole walk.
    const std::map<const QObject*, QStringList>& NamesOfEachBox() const { return boxes_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::FocusIn && watched->isWidgetType())
            if (QAccessibleInterface* spoken = QAccessible::queryAccessibleInterface(watched)) {
                names_ << spoken->text(QAccessible::Name);
                QStringList& heard = boxes_[watched];
                if (!heard.contains(names_.back()))
                    heard << names_.back();
            }
        return QObject::eventFilter(watched, event);
    }

private:
    QStringList names_;
    std::map<const QObject*, QStringList> boxes_;
};

// The "+" and "-" of Location and of Dive Site are each list's own, named for it once: a
// screen reader that keeps the names it has read never hears one under the other's name.
TEST_F(KeyboardTest, TheRecordsCatalogButtonsAreAnnouncedWithTheirOwnName)
{
    AddDives(1);
    Side("Dive");
    ShowWindow();
    DiveFrm& form = DiveFrm::Instance();
    ASSERT_TRUE(TabUntil([&form](QWidget* w) { return w == &form.Location_Combo(); }));
    FocusAnnouncements announcements;
    const std::pair<Qt::KeyboardModifiers, const char*> steps[] = {
        {Qt::NoModifier, "Add location"},     {Qt::NoModifier, "Delete location"},
        {Qt::NoModifier, "Dive Site"},        {Qt::NoModifier, "Add dive site"},
        {Qt::NoModifier, "Delete dive site"}, {Qt::ShiftModifier, "Add dive site"},
        {Qt::ShiftModifier, "Dive Site"},     {Qt::ShiftModifier, "Location"},
        {Qt::NoModifier, "Add location"},     {Qt::NoModifier, "Delete location"},
        {Qt::NoModifier, "Dive Site"},        {Qt::NoModifier, "Add dive site"},
    };
    for (const auto& [modifiers, name] : steps) {
        Key(Qt::Key_Tab, modifiers);
        EXPECT_EQ(announcements.Take(), QStringList{name});
    }
    for (const auto& [box, names] : announcements.NamesOfEachBox())
        EXPECT_EQ(names.size(), 1) << qPrintable(names.join(" / "));
}

// Units of Measure and Time Format turned by the arrow keys: the record is shown again in
// the new units, and the focus stays on the list turned, so that the next key turns it on.
TEST_F(KeyboardTest, TheRecordsUnitListsKeepTheFocusThroughTheArrowKeys)
{
    AddDives(1);
    gv.DB->Execute("Update DIVEDATA set DATATYPE = 0");
    OpenLogOn();
    Side("Dive");
    ShowWindow();
    const PropertyGrid& grid = DiveFrm::Instance().Properties();
    const auto shownBox = [&grid](const QString& key) -> QComboBox* {
        for (QComboBox* box : grid.findChildren<QComboBox*>(key))
            if (box->isVisible())
                return box;
        return nullptr;
    };
    for (const auto& [key, flag] : {std::pair{"Units", &gv.UnitSystem}, std::pair{"Time", &gv.UnitTime}}) {
        SCOPED_TRACE(key);
        ASSERT_TRUE(shownBox(key));
        shownBox(key)->setFocus();
        const Qt::Key there = shownBox(key)->currentIndex() == 0 ? Qt::Key_Down : Qt::Key_Up;
        for (Qt::Key arrow : {there, there == Qt::Key_Down ? Qt::Key_Up : Qt::Key_Down}) {
            const quint8 before = *flag;
            const QString shown = grid.ValueText(key);
            Key(arrow);
            EXPECT_NE(*flag, before) << "the record is shown in the other units";
            EXPECT_NE(grid.ValueText(key), shown);
            ASSERT_TRUE(shownBox(key));
            EXPECT_EQ(Focused(), shownBox(key));
        }
    }
}

// Operator, Dive Boat and GPS: the Add/Delete strip stays while Tab takes the focus
// from the list to it, and goes when the focus moves on.
TEST_F(KeyboardTest, TheLocationStripIsReachedByTab)
{
    AddDives(1);
    Side("Location");
    ShowWindow();
    LocationFrm& form = LocationFrm::Instance();
    PickList& operators = form.Combo(site::LocationCombo::Operator);
    ASSERT_TRUE(TabUntil([&operators](QWidget* w) { return w == &operators; }));
    Key(Qt::Key_Tab);
    EXPECT_EQ(Name(Focused()), "Add operator");
    EXPECT_TRUE(form.Cmd().isVisible());
    dialogs.ExpectInput("Enter your desired Operator:", "Blue Fins");
    Key(Qt::Key_Return);
    EXPECT_EQ(operators.Text(), "Blue Fins");
    Key(Qt::Key_Tab);
    EXPECT_EQ(Name(Focused()), "Delete operator");
    Key(Qt::Key_Space);
    EXPECT_EQ(operators.FindText("Blue Fins"), -1);
    Key(Qt::Key_Tab, Qt::ShiftModifier);
    Key(Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(Focused(), &operators) << "Shift+Tab goes back the same way";
    EXPECT_TRUE(form.Cmd().isVisible());

    PickList& gps = form.Combo(site::LocationCombo::GPS);
    ASSERT_TRUE(TabUntil([&gps](QWidget* w) { return w == &gps; }));
    Key(Qt::Key_Tab);
    EXPECT_EQ(Name(Focused()), "Add GPS");
    Key(Qt::Key_Tab);
    Key(Qt::Key_Tab);
    EXPECT_FALSE(form.Cmd().isAncestorOf(Focused()));
    EXPECT_FALSE(form.Cmd().isVisible()) << "the strip goes with the focus";
}

// The profile graph is a stop of its own, named, where Left and Right walk the samples.
TEST_F(KeyboardTest, TheProfileGraphIsANamedStop)
{
    AddDives(1);
    Side("Details");
    ShowWindow();
    QWidget* graph = Frm().ChildArea()->widget()->findChild<QWidget*>("Graph");
    QTableView& samples = Frm().ChildArea()->widget()->findChild<DataGrid*>()->View();
    ASSERT_TRUE(TabUntil([graph](QWidget* w) { return w == graph; }));
    EXPECT_EQ(Name(graph), "Dive profile");
    const int row = samples.currentIndex().row();
    Key(Qt::Key_Right);
    EXPECT_NE(samples.currentIndex().row(), row);
}

// Tab never stops where nothing can be typed or pressed: not on the child area's
// frame, not on a form itself.
TEST_F(KeyboardTest, NoFormHasABlindTabStop)
{
    AddDives(1);
    for (const char* key : {"Personal", "DiveComputer", "Dive", "Details", "Location", "Buddies", "History", "Queries"}) {
        Side(key);
        ShowWindow();
        for (int presses = 0; presses < 150; ++presses) {
            PressKey(Qt::Key_Tab);
            QWidget* stop = Focused();
            ASSERT_TRUE(stop) << key;
            EXPECT_FALSE(stop == Frm().ChildArea() || qobject_cast<ChildForm*>(stop))
                << key << ": " << stop->metaObject()->className();
        }
    }
}

// A form shown, by keys or by a click on the side bar, has the focus on its first
// box (Shift+Tab leaves the form), and the focus alone changes no dive.
TEST_F(KeyboardTest, AShownFormHasTheFocusOnItsFirstBox)
{
    AddDives(2);
    ShowWindow();
    for (const char* key :
         {"History", "Personal", "DiveComputer", "Dive", "Details", "Location", "Buddies", "Queries"}) {
        Side(key);
        ASSERT_TRUE(InForm(Focused())) << key;
        Key(Qt::Key_Tab, Qt::ShiftModifier);
        EXPECT_FALSE(InForm(Focused())) << key;
        Key(Qt::Key_Tab);
        ASSERT_TRUE(InForm(Focused())) << key;
        Key(Qt::Key_Tab);
        EXPECT_EQ(gv.DiveChanged, kDiveUnchanged) << key;
    }
    ASSERT_TRUE(TabUntil([this](QWidget* w) { return InSideBar(w); }));
    ASSERT_TRUE(ArrowTo("VURO Dive", Qt::Key_Up));
    Key(Qt::Key_Return);
    EXPECT_TRUE(InForm(Focused()));
    EXPECT_EQ(gv.DiveChanged, kDiveUnchanged);
}

// The history's records open by keys as by a click on their caption: Tab reaches the
// captions, Enter or Space opens the record's dive.
TEST_F(KeyboardTest, AHistoryRecordOpensByKeys)
{
    AddDives(3);
    gv.DB->Execute("UPDATE DIVEDATA SET MDEPTH = 90 WHERE DIVEID = ?", {IdOf(2)});
    gv.DB->Execute("UPDATE DIVEDATA SET BTIME = 70 WHERE DIVEID = ?", {IdOf(3)});
    ShowWindow();
    const struct {
        const char* record;
        Qt::Key key;
        qint64 ltd;
    } cases[] = {{"Deepest", Qt::Key_Return, 2}, {"Longest (hr:min)", Qt::Key_Space, 3}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.record);
        Side("History");
        ASSERT_TRUE(InForm(Focused()));
        ASSERT_TRUE(Name(Focused()) == c.record || TabUntil([&c](QWidget* w) { return Name(w) == c.record; }));
        Key(c.key);
        EXPECT_EQ(gv.CurrentDiveID, IdOf(c.ltd));
        EXPECT_EQ(gv.ActiveFormID, FormCode::Dive);
    }
}

// A window of options opens with the focus on the option chosen, so the arrows move
// the choice with the focus and Enter takes the option the keys came to.
TEST_F(KeyboardTest, TheArrowsChooseTheOptionEnterTakes)
{
    AddDives(1);
    {
        PrintOption print;
        ASSERT_TRUE(ShowActive(print));
        Key(Qt::Key_Down);   // from "Dives List", first on screen
        Key(Qt::Key_Return);
        EXPECT_EQ(gv.PrintChoice, kPrintLogbookPage);
    }
    {
        DelimiterOption delimiter(nullptr, DelimiterOption::DelimiterOnly);
        ASSERT_TRUE(ShowActive(delimiter));
        Key(Qt::Key_Left);   // from "Comma", last in the row
        Key(Qt::Key_Return);
        EXPECT_EQ(ExportDelimiter, ";");
    }
}

// The help window goes on Escape, as on Ctrl+W.
TEST_F(KeyboardTest, TheHelpWindowClosesByKeys)
{
    for (const QKeyCombination keys : {QKeyCombination(Qt::Key_Escape), QKeyCombination(Qt::ControlModifier, Qt::Key_W)}) {
        ShowHelp(Home() + "/KVL.html", HelpContents);
        QPointer<QWidget> help = QApplication::activeWindow();
        for (int waited = 0; waited < 100 && !help; ++waited) {
            QApplication::processEvents(QEventLoop::AllEvents, 20);
            help = QApplication::activeWindow();
        }
        ASSERT_TRUE(help && help->isVisible());
        Key(keys.key(), keys.keyboardModifiers());
        EXPECT_TRUE(!help || !help->isVisible()) << QKeySequence(keys).toString().toStdString();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);   // the closed window goes
    }
}

// Boxes inside a combo or a table are their parts, named by the whole; a check list's
// value boxes are boxes of their own.
bool PartOfABox(const QWidget* box, const QWidget* window)
{
    if (qobject_cast<const QHeaderView*>(box) || box->objectName().startsWith(QLatin1String("qt_")))
        return true;
    for (const QWidget* holder = box->parentWidget(); holder && holder != window; holder = holder->parentWidget())
        if (qobject_cast<const QComboBox*>(holder) ||
            (qobject_cast<const QAbstractItemView*>(holder) && !qobject_cast<const PropertyGrid*>(holder) &&
             !qobject_cast<const CheckList*>(holder)))
            return true;
    return false;
}

// Each box of the window carries a name of its own over the accessibility tree: never
// empty, never its current value (a combo read as "AM" or "ft"), never a name another
// box of the window has ("ON", "OFF"). Returns how many boxes it looked at.
int ExpectNamesOfTheirOwn(QWidget& window, const std::string& where)
{
    QMap<QString, QStringList> names;   // the boxes each name is given to
    int boxes = 0;
    for (QWidget* box : window.findChildren<QWidget*>()) {
        if (PartOfABox(box, &window))
            continue;
        QString value;
        if (auto* edit = qobject_cast<QLineEdit*>(box))
            value = edit->text();
        else if (auto* combo = qobject_cast<QComboBox*>(box))
            value = combo->currentText();
        else if (auto* memo = qobject_cast<QPlainTextEdit*>(box))
            value = memo->toPlainText();
        else if (!qobject_cast<QAbstractButton*>(box) && !qobject_cast<QAbstractItemView*>(box))
            continue;
        ++boxes;
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(box);
        const QString name = face ? face->text(QAccessible::Name) : QString();
        const std::string what = where + " " + box->metaObject()->className() + " " + box->objectName().toStdString() +
                                 " \"" + name.toStdString() + "\"";
        EXPECT_FALSE(name.isEmpty()) << what;
        EXPECT_EQ(name, NameOfCaption(name)) << what << ": the caption's blanks or colon read";
        if (!value.isEmpty()) {
            EXPECT_NE(name, value) << what;
            if (face && qobject_cast<QComboBox*>(box)) {
                EXPECT_EQ(face->text(QAccessible::Value), value) << what;
            }
        }
        names[name] << QString::fromLatin1(box->metaObject()->className()) + QLatin1Char(' ') + box->objectName() +
                           QStringLiteral(" in ") + QString::fromLatin1(box->parentWidget()->metaObject()->className());
    }
    for (auto it = names.cbegin(); it != names.cend(); ++it)
        EXPECT_EQ(it.value().size(), 1) << where << ": \"" << it.key().toStdString() << "\" names "
                                        << it.value().join(", ").toStdString();
    return boxes;
}

TEST_F(KeyboardTest, EveryBoxOfTheFormsHasANameOfItsOwn)
{
    AddDives(1);
    for (const char* key : {"Personal", "Buddies", "Location", "DiveComputer", "Queries", "History", "Dive"}) {
        Side(key);
        ChildForm* shown = nullptr;   // the forms shown before stay in the area, hidden
        for (auto* form : Frm().ChildArea()->widget()->findChildren<ChildForm*>(Qt::FindDirectChildrenOnly))
            if (!form->isHidden())
                shown = form;
        ASSERT_TRUE(shown) << key;
        EXPECT_GT(ExpectNamesOfTheirOwn(*shown, key), 5) << key;
    }
    DelimiterOption exportDialog;
    EXPECT_GT(ExpectNamesOfTheirOwn(exportDialog, "export"), 5);
    PrintOption printDialog;
    EXPECT_GT(ExpectNamesOfTheirOwn(printDialog, "print"), 5);
    int downloadBoxes = 0;
    addDive = [](AddDiveOption& dialog) {
        EXPECT_GT(ExpectNamesOfTheirOwn(dialog, "add-dive"), 5);
        dialog.Option1[1]->setChecked(true);   // download, at the end of the log
        dialog.Option2[1]->setChecked(true);
        dialog.OKCmd->click();
    };
    comm = [&downloadBoxes](CommFrm& frm) { downloadBoxes = ExpectNamesOfTheirOwn(frm, "download"); };
    Tool("AddDive");
    EXPECT_GT(downloadBoxes, 2);
}

// The windows that drop down by keys (the dives listing from the tool bar, the date
// picker from a query date) take the keys in a part that reads a name.
TEST_F(KeyboardTest, TheDropDownWindowsReadANameWhereTheKeysGo)
{
    AddDives(2);
    ShowWindow();
    ASSERT_TRUE(TabUntil([this](QWidget* w) { return InToolBar(w); }));
    ASSERT_TRUE(ArrowTo("Dives Listing", Qt::Key_Right));
    Key(Qt::Key_Space);
    EXPECT_TRUE(DivesListingFrm::Instance().isAncestorOf(Focused()));
    EXPECT_EQ(Name(Focused()), "Dives Listing");
    Key(Qt::Key_Escape);

    Side("Queries");
    ASSERT_TRUE(TabUntil([](QWidget* w) { return Name(w) == "Dive Date (mm/dd/yyyy) from"; }));
    Key(Qt::Key_Down, Qt::AltModifier);
    EXPECT_TRUE(frmDate::Instance().isAncestorOf(Focused()));
    EXPECT_EQ(Name(Focused()), "Calendar");
    Key(Qt::Key_Escape);
}

} // namespace
} // namespace kvl::test
