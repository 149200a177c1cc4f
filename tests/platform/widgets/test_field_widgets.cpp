// The property grid, the data combo, the masked edit and the field boxes.
#include "platform/widgets/CheckList.h"
#include "platform/widgets/DataCombo.h"
#include "platform/widgets/FieldBoxes.h"
#include "platform/widgets/ListAccessible.h"
#include "platform/widgets/MaskedEdit.h"
#include "platform/widgets/PickList.h"
#include "platform/widgets/PropertyGrid.h"
#include "tests/support/KeyPresses.h"
#include "tests/support/KvlTest.h"
#include "tests/support/Wheel.h"

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QDropEvent>
#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyleOptionViewItem>
#include <QVBoxLayout>

#include <functional>
#include <memory>
#include <string>
#include <utility>

namespace kvl::test {
namespace {

class FieldWidgetsTest : public KvlTest {};

TEST_F(FieldWidgetsTest, MaskedEditShowsUnfilledPositions)
{
    MaskedEdit date(QStringLiteral("##/##/####"));
    date.SetText(QStringLiteral("01/01/2004"));
    EXPECT_EQ(date.Text(), "01/01/2004");
    date.SetText(QStringLiteral("12/  /2009"));
    EXPECT_EQ(date.Text(), "12/__/2009");
    MaskedEdit time(QStringLiteral("##:##"));
    time.SetText(QStringLiteral("23:59"));
    EXPECT_EQ(time.Text(), "23:59");
}

TEST_F(FieldWidgetsTest, DataComboRowsColumnsAndText)
{
    DataCombo combo({QStringLiteral("LOCID"), QStringLiteral("Location")}, 1);
    combo.SetText(QStringLiteral("kept"));
    combo.AddItem(QStringLiteral("4\tAruba"));
    combo.AddItem(QStringLiteral("9\tBonaire"));
    EXPECT_EQ(combo.Text(), "kept");
    EXPECT_EQ(combo.Row(), -1);
    EXPECT_EQ(combo.Column(QStringLiteral("LOCID")), "");
    combo.MoveFirst();
    EXPECT_EQ(combo.Column(QStringLiteral("location")), "Aruba");
    combo.MoveNext();
    combo.MoveNext();
    EXPECT_EQ(combo.Column(QStringLiteral("LOCID")), "9");

    int rowChanges = 0, selects = 0;
    QObject::connect(&combo, &DataCombo::RowChange, [&] { ++rowChanges; });
    QObject::connect(&combo, &DataCombo::Select, [&] { ++selects; });
    combo.PickRow(0);
    EXPECT_EQ(combo.Text(), "Aruba");
    EXPECT_EQ(combo.Column(QStringLiteral("LOCID")), "4");
    combo.PickRow(0);
    EXPECT_EQ(rowChanges, 1);
    EXPECT_EQ(selects, 2);
    combo.RemoveAll();
    EXPECT_EQ(combo.Rows(), 0);
    EXPECT_EQ(combo.Row(), -1);
}

// A grid's boxes are made as its rows are, after the grid: Tab still goes from the
// grid through its boxes in row order, then on to the box after the grid.
TEST_F(FieldWidgetsTest, TabGoesThroughTheGridsBoxesBeforeLeavingIt)
{
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* before = new QLineEdit;
    auto* grid = new PropertyGrid;
    auto* after = new QLineEdit;
    for (QWidget* w : {static_cast<QWidget*>(before), static_cast<QWidget*>(grid), static_cast<QWidget*>(after)})
        layout->addWidget(w);
    const auto fill = [grid] {
        grid->RemoveAll();
        grid->Add(QStringLiteral("Group1"), QStringLiteral("Utilities Settings"), PropertyGrid::Group);
        grid->Expand(QStringLiteral("Group1"));
        grid->Add(QStringLiteral("Units"), QStringLiteral("Units of Measure\t"), PropertyGrid::Choice);
        grid->Add(QStringLiteral("Time"), QStringLiteral("Time Format\t"), PropertyGrid::Choice);
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QApplication::processEvents();
    };
    fill();
    window.resize(400, 300);
    ASSERT_TRUE(ShowActive(window));
    for (int load = 0; load < 2; ++load) {   // a form fills its grid again for every dive
        SCOPED_TRACE(load);
        if (load > 0)
            fill();
        grid->setFocus();
        const QWidget* const expected[] = {grid->findChild<QComboBox*>(QStringLiteral("Units")),
                                           grid->findChild<QComboBox*>(QStringLiteral("Time")), after};
        for (const QWidget* next : expected) {
            PressKey(Qt::Key_Tab);
            EXPECT_EQ(Focused(), next) << (Focused() ? Focused()->objectName().toStdString() : "nothing");
        }
    }
}

TEST_F(FieldWidgetsTest, PropertyGridRowsByKey)
{
    PropertyGrid grid;
    grid.Add(QStringLiteral("Group1"), QStringLiteral("Utilities Settings"), PropertyGrid::Group);
    grid.Add(QStringLiteral("Units"), QStringLiteral("Units of Measure\t"), PropertyGrid::Choice);
    grid.AddChoice(QStringLiteral("Units"), 0, QStringLiteral("Imperial"), QStringLiteral("Imperial"));
    grid.AddChoice(QStringLiteral("Units"), 0, QStringLiteral("Metric"), QStringLiteral("Metric"));
    grid.Add(QStringLiteral("Sample"), QStringLiteral("Dive Sampling Rate\t"), PropertyGrid::Value);
    grid.SetValueText(QStringLiteral("Units"), QStringLiteral("Metric"));
    grid.Expand(QStringLiteral("Group1"));
    EXPECT_EQ(grid.Keys(), QStringList({"Group1", "Units", "Sample"}));
    EXPECT_EQ(grid.Choices(QStringLiteral("Units")), QStringList({"Imperial", "Metric"}));
    EXPECT_EQ(grid.ValueText(QStringLiteral("Units")), "Metric");
    EXPECT_EQ(grid.Kind(QStringLiteral("Sample")), PropertyGrid::Value);
    EXPECT_TRUE(grid.IsExpanded(QStringLiteral("Group1")));

    QStringList changed;
    QObject::connect(&grid, &PropertyGrid::ItemValueChange, [&](const QString& key) { changed << key; });
    grid.ChooseValue(QStringLiteral("Units"), QStringLiteral("Imperial"));
    grid.SetValueText(QStringLiteral("Sample"), QStringLiteral("2 Secs"));   // code: no event
    EXPECT_EQ(changed, QStringList{"Units"});
    EXPECT_EQ(grid.ValueText(QStringLiteral("Units")), "Imperial");

    grid.RemoveAll();
    EXPECT_TRUE(grid.Keys().isEmpty());
    EXPECT_FALSE(grid.Contains(QStringLiteral("Units")));
}

// In a narrow grid the short values keep what they need and the longer captions get
// the rest; a caption still cut short shows whole as its tool tip.
TEST_F(FieldWidgetsTest, NarrowGridGivesCaptionsWhatTheValuesLeave)
{
    PropertyGrid grid;
    grid.resize(220, 200);
    grid.Add(QStringLiteral("Units"), QStringLiteral("Units of Measure\t"), PropertyGrid::Choice);
    grid.AddChoice(QStringLiteral("Units"), 0, QStringLiteral("Imperial"), QStringLiteral("Imperial"));
    grid.AddChoice(QStringLiteral("Units"), 0, QStringLiteral("Metric"), QStringLiteral("Metric"));
    grid.Add(QStringLiteral("EDT"), QStringLiteral("Elapsed Dive Time (Hr:Min)\t"), PropertyGrid::Value);
    grid.SetValueText(QStringLiteral("EDT"), QStringLiteral("1:00"));
    grid.show();
    QApplication::processEvents();
    const int width = grid.viewport()->width();
    const auto* box = grid.findChild<QComboBox*>(QStringLiteral("Units"));
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(grid.columnWidth(0) + grid.columnWidth(1), width);
    EXPECT_GE(grid.columnWidth(1), box->fontMetrics().horizontalAdvance(QStringLiteral("Imperial")));
    EXPECT_GT(grid.columnWidth(0), width * 11 / 20);
    grid.SetValueText(QStringLiteral("EDT"), QString(80, QLatin1Char('9')));   // a long value takes no more than its share
    EXPECT_GE(grid.columnWidth(0), width * 11 / 20);
    const QTreeWidgetItem* edt = grid.topLevelItem(1);
    ASSERT_NE(edt, nullptr);
    EXPECT_EQ(edt->toolTip(0), "Elapsed Dive Time (Hr:Min)");
}

TEST_F(FieldWidgetsTest, APickInTheDropDownMayRebuildTheGrid)
{
    PropertyGrid grid;
    grid.Add(QStringLiteral("Time"), QStringLiteral("Time Format\t"), PropertyGrid::Choice);
    grid.AddChoice(QStringLiteral("Time"), 0, QStringLiteral("12"), QStringLiteral("12"));
    grid.AddChoice(QStringLiteral("Time"), 0, QStringLiteral("24"), QStringLiteral("24"));
    QString picked;
    QObject::connect(&grid, &PropertyGrid::ItemValueChange, [&](const QString& key) {
        picked = grid.ValueText(key);
        grid.RemoveAll();
        grid.Add(QStringLiteral("Time"), QStringLiteral("Time Format\t"), PropertyGrid::Choice);
    });
    auto* box = grid.findChild<QComboBox*>(QStringLiteral("Time"));
    ASSERT_NE(box, nullptr);
    emit box->textActivated(QStringLiteral("24"));
    QApplication::processEvents();
    EXPECT_EQ(picked, "24");
    EXPECT_EQ(grid.Keys(), QStringList{"Time"});
}

// Drags `dropped` onto the box at `at` as a move: whether the box took the entering drag
// and the drop (an accepted move takes the text from where it came).
std::pair<bool, bool> DropOnto(QLineEdit& box, const QString& dropped, QPoint at)
{
    QMimeData dragged;
    dragged.setText(dropped);
    QDragEnterEvent enter(at, Qt::MoveAction, &dragged, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&box, &enter);
    QDropEvent drop(at, Qt::MoveAction, &dragged, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&box, &drop);
    return {enter.isAccepted(), drop.isAccepted()};
}

// A drag that moves text out of another box takes it from there once the drop is
// accepted: a number box accepts only a drop its rule takes, so no text is lost.
TEST_F(FieldWidgetsTest, ANumberBoxTurnsAwayADropItsRuleRefuses)
{
    struct Case {
        const char* dropped;
        bool taken;
        const char* after;
    };
    const Case cases[] = {{"12", true, "1245"}, {"majors.", false, "45"}, {"-3", false, "45"}, {"1.2.3", false, "45"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.dropped);
        EditBox box;
        box.AcceptNumbersOnly(DecimalMark::Point, false);
        box.setText(QStringLiteral("45"));
        box.resize(200, 24);
        box.show();
        const auto [entered, dropped] = DropOnto(box, QString::fromUtf8(c.dropped), QPoint(2, box.height() / 2));
        EXPECT_EQ(entered, c.taken);
        EXPECT_EQ(dropped, c.taken) << "an accepted move takes the text from where it came";
        EXPECT_EQ(box.text(), QString::fromUtf8(c.after));
    }
}

// The same for a masked box: a drop is taken only when the mask finds a place for every
// character of it, and a drop taken is an edit by the user.
TEST_F(FieldWidgetsTest, AMaskedBoxTurnsAwayADropItsMaskWouldNotKeep)
{
    struct Case {
        const char* mask;
        const char* dropped;
        bool taken;
        const char* after;
    };
    const Case cases[] = {
        {"##/##/####", "07/04/2024", true, "07/04/2024"},
        {"##/##/####", "0704", true, "07/04/____"},
        {"##:##", "1230", true, "12:30"},
        {"##/##/####", "majors", false, "__/__/____"},
        {"##/##/####", "7a", false, "__/__/____"},
        {"##/##/####", "123456789", false, "__/__/____"},
        {"##:##", "12.30", false, "__:__"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.dropped);
        MaskedEdit box(QString::fromUtf8(c.mask));
        box.resize(200, 24);
        box.show();
        int edits = 0;
        QObject::connect(&box, &QLineEdit::textEdited, [&] { ++edits; });
        const auto [entered, dropped] = DropOnto(box, QString::fromUtf8(c.dropped), QPoint(2, box.height() / 2));
        EXPECT_EQ(entered, c.taken);
        EXPECT_EQ(dropped, c.taken) << "an accepted move takes the text from where it came";
        EXPECT_EQ(box.Text(), QString::fromUtf8(c.after));
        EXPECT_EQ(edits, c.taken ? 1 : 0);
    }
}

TEST_F(FieldWidgetsTest, CommittingTheFocusedEditRunsItsLostFocus)
{
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* box = new EditBox;
    auto* other = new EditBox;
    layout->addWidget(box);
    layout->addWidget(other);
    window.show();
    QApplication::setActiveWindow(&window);
    box->setFocus();
    QApplication::processEvents();
    ASSERT_TRUE(box->hasFocus());
    int lost = 0;
    QObject::connect(box, &EditBox::LostFocus, [&] { ++lost; });
    QFocusEvent away(QEvent::FocusOut, Qt::ActiveWindowFocusReason);   // another window for a moment
    QApplication::sendEvent(box, &away);
    EXPECT_EQ(lost, 0);
    CommitFocusedEdit();
    EXPECT_EQ(lost, 1);
    EXPECT_FALSE(box->hasFocus());
}

struct ListKind {
    const char* name;
    // Puts the list into the form and returns it with entries "A" and "B".
    std::function<QComboBox*(QVBoxLayout& form)> make;
    // Shows entry "B" as the program does, through the list's or its owner's own call.
    std::function<void(QComboBox& list)> showSecond;
};

// The widget of type T that holds the list.
template <class T>
T& OwnerOf(QWidget& list)
{
    QWidget* owner = &list;
    while (owner && !qobject_cast<T*>(owner))
        owner = owner->parentWidget();
    return *qobject_cast<T*>(owner);
}

QComboBox* AddListBox(QVBoxLayout& form, bool editable)
{
    auto* box = new ListBox(editable);
    box->addItems({QStringLiteral("A"), QStringLiteral("B")});
    form.addWidget(box);
    return box;
}

const ListKind kListKinds[] = {
    {"ListBox", [](QVBoxLayout& form) { return AddListBox(form, false); },
     [](QComboBox& list) { static_cast<ListBox&>(list).SetListIndex(1); }},
    {"TypedListBox", [](QVBoxLayout& form) { return AddListBox(form, true); },
     [](QComboBox& list) { static_cast<ListBox&>(list).SetText(QStringLiteral("B")); }},
    {"DataCombo", [](QVBoxLayout& form) -> QComboBox* {
         auto* box = new DataCombo({QStringLiteral("ID"), QStringLiteral("Name")}, 1);
         box->AddItem(QStringLiteral("1\tA"));
         box->AddItem(QStringLiteral("2\tB"));
         box->SetText(QStringLiteral("A"));
         form.addWidget(box);
         return box;
     },
     [](QComboBox& list) { static_cast<DataCombo&>(list).SetText(QStringLiteral("B")); }},
    {"PickList", [](QVBoxLayout& form) -> QComboBox* {
         auto* box = new PickList;
         box->SetItems({QStringLiteral("A"), QStringLiteral("B")});
         form.addWidget(box);
         return box;
     },
     [](QComboBox& list) { static_cast<PickList&>(list).SelectText(QStringLiteral("B")); }},
    {"PropertyGridChoice", [](QVBoxLayout& form) -> QComboBox* {
         auto* grid = new PropertyGrid;
         grid->Add(QStringLiteral("Units"), QStringLiteral("Units of Measure\t"), PropertyGrid::Choice);
         grid->AddChoice(QStringLiteral("Units"), 0, QStringLiteral("A"), QStringLiteral("A"));
         grid->AddChoice(QStringLiteral("Units"), 0, QStringLiteral("B"), QStringLiteral("B"));
         form.addWidget(grid);
         return grid->findChild<QComboBox*>(QStringLiteral("Units"));
     },
     [](QComboBox& list) { OwnerOf<PropertyGrid>(list).SetValueText(QStringLiteral("Units"), QStringLiteral("B")); }},
    {"CheckListDropDown", [](QVBoxLayout& form) -> QComboBox* {
         auto* checks = new CheckList;
         CheckItem& buddy = checks->AddItem(CheckItemKind::Check, QStringLiteral("Buddy"), QStringLiteral("Buddy"));
         CheckItem& list = checks->AddItem(CheckItemKind::DropDown, QStringLiteral("BuddyList"), QString(), &buddy);
         list.SetEntries({{QStringLiteral("1"), QStringLiteral("A")}, {QStringLiteral("2"), QStringLiteral("B")}});
         list.SetValue(QStringLiteral("A"));
         form.addWidget(checks);
         return checks->DropDownBox(QStringLiteral("BuddyList"));
     },
     [](QComboBox& list) { OwnerOf<CheckList>(list).Items(QStringLiteral("BuddyList")).SetValue(QStringLiteral("B")); }},
};

// A list, entry "A" of two shown, in a form far taller than the area that scrolls it.
class ListWheelTest : public KvlTest, public ::testing::WithParamInterface<ListKind> {
protected:
    void SetUp() override
    {
        KvlTest::SetUp();
        area_ = std::make_unique<QScrollArea>();
        auto* form = new QWidget;
        auto* layout = new QVBoxLayout(form);
        other_ = new EditBox;
        layout->addWidget(other_);
        list_ = GetParam().make(*layout);
        ASSERT_NE(list_, nullptr);
        layout->addSpacing(2000);
        area_->setWidget(form);
        area_->setWidgetResizable(true);
        area_->resize(300, 200);
        ASSERT_TRUE(ShowActive(*area_));
        list_->setCurrentIndex(0);
        QObject::connect(list_, &QComboBox::activated, [this] { ++picks_; });
    }
    void TearDown() override
    {
        area_.reset();
        KvlTest::TearDown();
    }
    QScrollBar& ScrollBar() const { return *area_->verticalScrollBar(); }

    std::unique_ptr<QScrollArea> area_;
    EditBox* other_ = nullptr;   // holds the focus when the list has none
    QComboBox* list_ = nullptr;
    int picks_ = 0;
};

// A wheel turned to scroll the form must not change a value the user never chose,
// not even in a list just picked from that keeps the focus: the form scrolls instead.
TEST_P(ListWheelTest, AClosedListLeavesTheWheelToTheForm)
{
    for (const bool focused : {false, true}) {
        SCOPED_TRACE(focused ? "focused" : "not focused");
        ScrollBar().setValue(0);
        (focused ? static_cast<QWidget*>(list_) : other_)->setFocus();
        QApplication::processEvents();
        TurnWheelDown(*list_);
        EXPECT_EQ(list_->currentIndex(), 0);
        EXPECT_EQ(list_->hasFocus(), focused);
        EXPECT_GT(ScrollBar().value(), 0);
    }
    EXPECT_EQ(picks_, 0);
}

TEST_P(ListWheelTest, TheArrowKeysStillTurnAFocusedList)
{
    list_->setFocus();
    QApplication::processEvents();
    PressKey(Qt::Key_Down);
    EXPECT_EQ(list_->currentIndex(), 1);
    EXPECT_EQ(picks_, 1);
}

INSTANTIATE_TEST_SUITE_P(EveryList, ListWheelTest, ::testing::ValuesIn(kListKinds),
                         [](const ::testing::TestParamInfo<ListKind>& kind) { return std::string(kind.param.name); });

// A list captioned "Max. Depth:", showing entry "A" of two, in a shown window.
class ShownListTest : public KvlTest, public ::testing::WithParamInterface<ListKind> {
protected:
    void SetUp() override
    {
        KvlTest::SetUp();
        window_ = std::make_unique<QWidget>();
        auto* layout = new QVBoxLayout(window_.get());
        auto* caption = new QLabel(QStringLiteral("Max. &Depth:"));
        layout->addWidget(caption);
        list_ = GetParam().make(*layout);
        ASSERT_NE(list_, nullptr);
        caption->setBuddy(list_);
        ASSERT_TRUE(ShowActive(*window_));
        list_->setCurrentIndex(0);
        QApplication::processEvents();
        ListenToListEvents([this](QAccessibleEvent& event) {
            if (event.object() == list_ && event.type() == QAccessible::TextUpdated) {
                const auto& update = static_cast<QAccessibleTextUpdateEvent&>(event);
                told_ << update.textRemoved() + " > " + update.textInserted();
            }
        });
    }
    void TearDown() override
    {
        ListenToListEvents({});
        window_.reset();
        KvlTest::TearDown();
    }
    QAccessibleInterface& Face() const { return *QAccessible::queryAccessibleInterface(list_); }
    // The list's whole text as a reader gets it, "(none)" when it offers no text.
    QString Text() const
    {
        const QAccessibleTextInterface* text = Face().textInterface();
        return text ? text->text(0, text->characterCount()) : QStringLiteral("(none)");
    }

    std::unique_ptr<QWidget> window_;
    QComboBox* list_ = nullptr;
    QStringList told_;
};

// Qt's Linux bridge passes neither a list's value text nor, while the list is closed, a
// selected entry: the entry reaches a reader as the list's text, the caption stays its name.
TEST_P(ShownListTest, AReaderGetsTheEntryAsTheListsTextAndTheCaptionAsItsName)
{
    const QString name = Face().text(QAccessible::Name);
    EXPECT_FALSE(name.isEmpty());
    EXPECT_NE(name, "A");
    if (list_->parentWidget() == window_.get()) {
        EXPECT_EQ(name, "Max. Depth");
    }
    EXPECT_EQ(Text(), "A");
    list_->setFocus();
    QApplication::processEvents();
    PressKey(Qt::Key_Down);   // the user's change
    QApplication::processEvents();
    EXPECT_EQ(Text(), "B");
    EXPECT_EQ(Face().text(QAccessible::Name), name);
    EXPECT_EQ(told_, QStringList{"A > B"});
}

// The program shows a stored value with the list's signals blocked: the reader is told too.
TEST_P(ShownListTest, AReaderIsToldOfAnEntryTheProgramShows)
{
    Face();   // a reader has the list in view
    GetParam().showSecond(*list_);
    QApplication::processEvents();
    EXPECT_EQ(Text(), "B");
    ASSERT_FALSE(told_.isEmpty());
    EXPECT_EQ(told_.back(), "A > B");
}

// A list shows its entry or the program's text; only a list whose box can be typed in
// takes an input method's text, as it takes keys.
TEST_P(ShownListTest, OnlyATypedListTakesAnInputMethodsText)
{
    const bool typed = list_->lineEdit() && !list_->lineEdit()->isReadOnly();
    list_->setFocus();
    QApplication::processEvents();
    for (QWidget* to : {static_cast<QWidget*>(list_), static_cast<QWidget*>(list_->lineEdit())}) {
        if (!to)
            continue;
        QInputMethodEvent commit;
        commit.setCommitString(QStringLiteral("\u00e9"));
        QApplication::sendEvent(to, &commit);
    }
    EXPECT_EQ(list_->currentText() != "A", typed) << qPrintable(list_->currentText());
}

// A list with a text box takes a drop that makes one of its entries, no other.
TEST_F(FieldWidgetsTest, ATypedListTakesOnlyADropThatMakesOneOfItsEntries)
{
    struct Case {
        const char* shown;
        const char* dropped;
        bool taken;
        const char* after;
    };
    const Case cases[] = {
        {"", "PM", true, "PM"}, {"M", "P", true, "PM"}, {"", "pizza", false, ""}, {"AM", "P", false, "AM"}, {"AM", "PM", false, "AM"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.shown) + " + " + c.dropped);
        ListBox list(true);
        list.addItems({QStringLiteral("AM"), QStringLiteral("PM")});
        list.SetText(QString::fromUtf8(c.shown));
        list.resize(120, 24);
        list.show();
        QLineEdit& box = *list.lineEdit();
        const auto [entered, dropped] = DropOnto(box, QString::fromUtf8(c.dropped), QPoint(1, box.height() / 2));
        EXPECT_EQ(entered, c.taken);
        EXPECT_EQ(dropped, c.taken);
        EXPECT_EQ(list.Text(), QString::fromUtf8(c.after));
    }
}

INSTANTIATE_TEST_SUITE_P(EveryList, ShownListTest, ::testing::ValuesIn(kListKinds),
                         [](const ::testing::TestParamInfo<ListKind>& kind) { return std::string(kind.param.name); });

// Where a real drag would be dropped onto the list at `at`: the widget under it that takes
// drops, as Qt finds it, or nullptr when that is not the list or a part of it.
QWidget* DropTargetIn(QComboBox& list, QPoint at)
{
    QWidget* target = list.childAt(at) ? list.childAt(at) : &list;
    while (target && !target->acceptDrops())
        target = target->parentWidget();
    return target && (target == &list || list.isAncestorOf(target)) ? target : nullptr;
}

// A drag that moves text out of a memo takes it from there once the list accepts the
// drop: no list takes a drop it would not keep whole, so the text stays where it was.
TEST_P(ShownListTest, AListTurnsAwayADropItWouldNotKeepWhole)
{
    for (const char* text : {"pizza", "B", "PM"}) {
        SCOPED_TRACE(text);
        const QPoint at(4, list_->height() / 2);
        if (QWidget* target = DropTargetIn(*list_, at)) {
            auto* box = qobject_cast<QLineEdit*>(target);
            ASSERT_NE(box, nullptr) << "only a list's text box takes drops";
            const auto [entered, dropped] = DropOnto(*box, QString::fromUtf8(text), box->mapFrom(list_, at));
            EXPECT_FALSE(entered);
            EXPECT_FALSE(dropped) << "an accepted move takes the text from where it came";
        }
        EXPECT_EQ(list_->currentText(), "A");
    }
}

// The list's own current entry is the one the box shows, so that the arrow keys and
// the opened list go on from there; code showing a text fires nothing.
TEST_F(FieldWidgetsTest, DataComboStepsFromTheRowItShows)
{
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* combo = new DataCombo({QStringLiteral("ID"), QStringLiteral("Name")}, 1);
    layout->addWidget(combo);
    combo->SetText(QStringLiteral("Cozumel"));   // shown before the rows come
    for (const char* row : {"1\tAruba", "2\tBonaire", "3\tCozumel", "4\tDominica"})
        combo->AddItem(QString::fromLatin1(row));
    QStringList events;
    QObject::connect(combo, &DataCombo::RowChange, [&] { events << "change " + combo->Column(QStringLiteral("ID")); });
    QObject::connect(combo, &DataCombo::Select, [&] { events << "select " + combo->Text(); });
    ASSERT_TRUE(ShowActive(window));
    combo->setFocus();
    QApplication::processEvents();

    EXPECT_EQ(combo->currentIndex(), 2);
    PressKey(Qt::Key_Down);
    EXPECT_EQ(combo->Text(), "Dominica");

    combo->SetText(QStringLiteral("Bonaire"));
    EXPECT_EQ(combo->currentIndex(), 1);
    PressKey(Qt::Key_Up);
    EXPECT_EQ(combo->Text(), "Aruba");

    combo->SetText(QStringLiteral("Curacao"));   // no row shows it
    EXPECT_EQ(combo->currentIndex(), -1);
    EXPECT_EQ(combo->Text(), "Curacao");
    PressKey(Qt::Key_Down);
    EXPECT_EQ(combo->Text(), "Aruba");
    EXPECT_EQ(events, QStringList({"change 4", "select Dominica", "change 1", "select Aruba", "select Aruba"}));
}

TEST_F(FieldWidgetsTest, CheckBoxClickToggledBeforeMouseUp)
{
    CheckBox box(QStringLiteral("ON"));
    int seen = -1;
    QObject::connect(&box, &CheckBox::MouseUp, [&] { seen = box.Value(); });
    box.Click();
    EXPECT_EQ(seen, 1);
    box.SetValue(0);   // code: no event
    EXPECT_EQ(seen, 1);
    EXPECT_EQ(box.Value(), 0);
}

} // namespace
} // namespace kvl::test

namespace kvl::test {
namespace {

class RecordGridTest : public KvlTest {};

// A record grid: flat rows, painted headers, indented text rows with edit boxes.
TEST_F(RecordGridTest, HeadersTextRowsAndSpacers)
{
    PropertyGrid grid;
    grid.Add("GROUP", "GROUP CAPTION", PropertyGrid::Header);
    grid.SetRowColour("GROUP", PropertyGrid::ButtonFaceColour);
    grid.Add("NAME", "Name:\t", PropertyGrid::Text);
    grid.SetDisplaySetting("NAME", 1);
    grid.Add("", "", PropertyGrid::Spacer);
    EXPECT_EQ(grid.RowCount(), 3);
    EXPECT_EQ(grid.topLevelItemCount(), 3);
    EXPECT_EQ(grid.RowColour("GROUP"), grid.palette().button().color());
    EXPECT_FALSE(grid.RowColour("NAME").isValid());
    EXPECT_EQ(grid.DisplaySetting("NAME"), 1);
    EXPECT_EQ(grid.DisplaySetting("GROUP"), 0);
    EXPECT_EQ(grid.Caption("NAME"), "Name:\t");
    EXPECT_NE(grid.ValueBox("NAME"), nullptr);
    EXPECT_EQ(grid.ValueBox("GROUP"), nullptr);
}

// Each caption closes with a tab, drawn up to the next tab stop: the caption column
// must hold that, or the longer captions show cut short with a trailing ellipsis.
TEST_F(RecordGridTest, TheCaptionColumnHoldsTheWidestCaptionAsDrawn)
{
    PropertyGrid grid;
    grid.resize(600, 300);
    grid.Add("PERSONAL GROUP", "PERSONAL INFORMATION", PropertyGrid::Header);
    const std::pair<const char*, const char*> rows[] = {
        {"NAME", "Name:\t"}, {"STATE", "State/Province:\t"}, {"ZIPCODE", "Zip/Postal Code:\t"}, {"EMAIL", "Email:\t"}};
    for (const auto& [key, caption] : rows) {
        grid.Add(key, caption, PropertyGrid::Text);
        grid.SetDisplaySetting(key, 1);
    }
    grid.show();
    QApplication::processEvents();
    QStyleOptionViewItem option;
    option.initFrom(&grid);
    option.font = grid.font();
    for (int row = 1; row < grid.topLevelItemCount(); ++row) {
        const QModelIndex caption = grid.model()->index(row, 0);
        const int drawn = grid.itemDelegateForColumn(0)->sizeHint(option, caption).width();
        EXPECT_GE(grid.columnWidth(0), drawn) << qPrintable(caption.data().toString());
        EXPECT_GT(drawn, grid.fontMetrics().horizontalAdvance(caption.data().toString().trimmed()) + 16)
            << "indent and tab are part of the caption as drawn";
    }
}

TEST_F(RecordGridTest, TypingReportsTheKeyAndTheValueWhileCodeDoesNot)
{
    PropertyGrid grid;
    grid.Add("CITY", "City:\t", PropertyGrid::Text);
    QStringList keysDown, changed;
    QObject::connect(&grid, &PropertyGrid::KeyDown, [&](const QString& key) { keysDown << key; });
    QObject::connect(&grid, &PropertyGrid::ItemValueChange, [&](const QString& key) { changed << key; });
    grid.SetValueText("CITY", "Kona");
    EXPECT_EQ(grid.ValueText("CITY"), "Kona");
    EXPECT_TRUE(keysDown.isEmpty());
    EXPECT_TRUE(changed.isEmpty());

    QLineEdit* box = grid.ValueBox("CITY");
    ASSERT_NE(box, nullptr);
    box->setCursorPosition(4);
    QKeyEvent press(QEvent::KeyPress, Qt::Key_S, Qt::NoModifier, "s");
    QApplication::sendEvent(box, &press);
    EXPECT_EQ(grid.ValueText("CITY"), "Konas");
    EXPECT_EQ(keysDown, QStringList{"CITY"});
    EXPECT_EQ(changed, QStringList{"CITY"});
}

} // namespace
} // namespace kvl::test
