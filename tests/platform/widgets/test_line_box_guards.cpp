// The roads into a line box other than its keys: a drop judged by the form's check,
// an edit through the accessibility interface, an input method's text into a locked box.
#include "platform/widgets/FieldBoxes.h"
#include "platform/widgets/LineBoxGuards.h"
#include "platform/widgets/MaskedEdit.h"
#include "platform/widgets/PropertyGrid.h"
#include "tests/support/KvlTest.h"

#include <QAccessible>
#include <QAccessibleEditableTextInterface>
#include <QApplication>
#include <QDropEvent>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMimeData>

#include <functional>
#include <memory>

namespace kvl::test {
namespace {

class LineBoxGuardsTest : public KvlTest {};

enum class DropAt { Start, End };

// A number box holding pressures up to 32700, as a form hands it its check.
TEST_F(LineBoxGuardsTest, ADropThatMakesAValueTheCheckRefusesIsTurnedAway)
{
    struct Case {
        const char* shown;
        const char* dropped;
        DropAt at;
        bool taken;
        const char* after;
    };
    const Case cases[] = {
        {"1100", "1200", DropAt::Start, false, "1100"},   // 12001100
        {"1100", "2", DropAt::Start, true, "21100"},
        {"5100", "0", DropAt::End, false, "5100"},        // 51000
        {"3270", "0", DropAt::End, true, "32700"},
        {"", "32701", DropAt::Start, false, ""},
        {"", "1200", DropAt::Start, true, "1200"},
        {"1100", "x", DropAt::Start, false, "1100"},      // the characters' rule still holds
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.shown << " + " << c.dropped);
        EditBox box;
        box.AcceptNumbersOnly(DecimalMark::PointOrComma, false);
        box.TurnAwayDropsItsCheckRefuses([](const QString& text) { return text.toDouble() <= 32700; });
        box.setText(QString::fromUtf8(c.shown));
        box.resize(200, 24);
        box.show();
        int edits = 0;
        QObject::connect(&box, &QLineEdit::textEdited, [&] { ++edits; });
        const QPoint at(c.at == DropAt::Start ? 2 : box.width() - 4, box.height() / 2);
        QMimeData dragged;
        dragged.setText(QString::fromUtf8(c.dropped));
        QDragEnterEvent enter(at, Qt::MoveAction, &dragged, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&box, &enter);
        QDragMoveEvent move(at, Qt::MoveAction, &dragged, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&box, &move);
        QDropEvent drop(at, Qt::MoveAction, &dragged, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&box, &drop);
        EXPECT_EQ(enter.isAccepted(), c.taken);
        EXPECT_EQ(drop.isAccepted(), c.taken) << "an accepted move takes the text from where it came";
        EXPECT_EQ(box.text(), QString::fromUtf8(c.after));
        EXPECT_EQ(edits, c.taken ? 1 : 0);
    }
}

// The kinds of line box the forms are made of.
struct BoxKind {
    const char* name;
    std::function<QLineEdit*(QWidget& parent)> make;
};
const BoxKind kKinds[] = {
    {"edit box", [](QWidget& parent) -> QLineEdit* { return new EditBox(&parent); }},
    {"number box",
     [](QWidget& parent) -> QLineEdit* {
         auto* box = new EditBox(&parent);
         box->AcceptNumbersOnly(DecimalMark::Point, false);
         return box;
     }},
    {"masked box", [](QWidget& parent) -> QLineEdit* { return new MaskedEdit(QStringLiteral("##:##"), &parent); }},
    {"grid row",
     [](QWidget& parent) -> QLineEdit* {
         auto* grid = new PropertyGrid(&parent);
         grid->Add(QStringLiteral("CITY"), QStringLiteral("City:"), PropertyGrid::Text);
         return grid->ValueBox(QStringLiteral("CITY"));
     }},
    {"plain line box",
     [](QWidget& parent) -> QLineEdit* {
         UseLineBoxGuards();
         return new QLineEdit(&parent);
     }},
};

using Road = std::function<void(QLineEdit& box, const QString& text)>;

QAccessibleEditableTextInterface& EditableText(QLineEdit& box)
{
    QAccessibleInterface* reader = QAccessible::queryAccessibleInterface(&box);
    EXPECT_NE(reader, nullptr);
    EXPECT_NE(reader->editableTextInterface(), nullptr);
    return *reader->editableTextInterface();
}

void CommitByInputMethod(QLineEdit& box, const QString& text)
{
    QInputMethodEvent commit;
    commit.setCommitString(text);
    QApplication::sendEvent(&box, &commit);
}

struct NamedRoad {
    const char* name;
    Road edit;
};
const NamedRoad kRoads[] = {
    {"set the value", [](QLineEdit& box, const QString& text) {
         QAccessible::queryAccessibleInterface(&box)->setText(QAccessible::Value, text);
     }},
    {"replace the text", [](QLineEdit& box, const QString& text) {
         EditableText(box).replaceText(0, int(box.text().size()), text);
     }},
    {"delete, then insert", [](QLineEdit& box, const QString& text) {
         EditableText(box).deleteText(0, int(box.text().size()));
         EditableText(box).insertText(0, text);
     }},
    {"input method", [](QLineEdit& box, const QString& text) {
         box.selectAll();
         CommitByInputMethod(box, text);
     }},
};

// An edit through the accessibility interface or an input method is a user's edit: the
// box reports it as a typed one, and a locked box takes none of it.
TEST_F(LineBoxGuardsTest, EveryRoadIntoEveryKindOfBoxIsAnEditUnlessTheBoxIsLocked)
{
    for (const BoxKind& kind : kKinds) {
        for (const NamedRoad& road : kRoads) {
            for (bool locked : {false, true}) {
                SCOPED_TRACE(testing::Message() << kind.name << " by " << road.name << (locked ? ", locked" : ""));
                QWidget window;
                QLineEdit* box = kind.make(window);
                box->setText(QStringLiteral("1230"));
                box->setReadOnly(locked);
                const QString before = box->displayText();
                int edits = 0;
                QObject::connect(box, &QLineEdit::textEdited, [&] { ++edits; });
                road.edit(*box, QStringLiteral("0945"));
                if (locked) {
                    EXPECT_EQ(box->displayText(), before);
                    EXPECT_EQ(edits, 0);
                } else {
                    EXPECT_EQ(box->text().remove(u':'), "0945");
                    EXPECT_GE(edits, 1);
                }
            }
        }
    }
}

// The box's own rules judge an edit through the interface as they judge a typed one.
TEST_F(LineBoxGuardsTest, TheBoxsRulesHoldForAnEditThroughTheInterface)
{
    struct Case {
        const char* name;
        std::function<void(EditBox&)> rule;
        std::function<void(QAccessibleEditableTextInterface&)> edit;
        const char* after;
        int refusals;
    };
    const auto numbers = [](EditBox& box) { box.AcceptNumbersOnly(DecimalMark::None, false); };
    const auto fiveLong = [](EditBox& box) { box.setMaxLength(5); };
    const Case cases[] = {
        {"letters into a number box", numbers, [](auto& e) { e.replaceText(0, 2, "ab"); }, "45", 1},
        {"digits into a number box", numbers, [](auto& e) { e.insertText(1, "7"); }, "475", 0},
        {"a deletion", numbers, [](auto& e) { e.deleteText(0, 1); }, "5", 0},
        {"a long value into a short box", fiveLong, [](auto& e) { e.replaceText(0, 2, "1234567"); }, "12345", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EditBox box;
        c.rule(box);
        box.setText(QStringLiteral("45"));
        int refusals = 0;
        QObject::connect(&box, &QLineEdit::inputRejected, [&] { ++refusals; });
        c.edit(EditableText(box));
        EXPECT_EQ(box.text(), QString::fromUtf8(c.after));
        EXPECT_EQ(refusals, c.refusals) << "a refusal is reported as for a key";
    }
}

// A reader still finds the box's text, cursor and selection where they are.
TEST_F(LineBoxGuardsTest, AReaderSeesTheBoxAsItIs)
{
    EditBox box;
    box.setText(QStringLiteral("Reno"));
    box.setSelection(1, 2);
    QAccessibleInterface* reader = QAccessible::queryAccessibleInterface(&box);
    ASSERT_NE(reader->textInterface(), nullptr);
    EXPECT_EQ(reader->role(), QAccessible::EditableText);
    EXPECT_EQ(reader->text(QAccessible::Value), "Reno");
    EXPECT_EQ(reader->textInterface()->characterCount(), 4);
    EXPECT_EQ(reader->textInterface()->text(1, 3), "en");
    int start = -1, end = -1;
    reader->textInterface()->selection(0, &start, &end);
    EXPECT_EQ(std::make_pair(start, end), std::make_pair(1, 3));
    box.setReadOnly(true);
    EXPECT_TRUE(reader->state().readOnly);
}

} // namespace
} // namespace kvl::test
