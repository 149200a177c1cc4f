// The memo box: a long memo shown in pieces gives back every character, looking and
// copying leave it in pieces, and every edit works on the memo itself.
#include "platform/widgets/FieldBoxes.h"
#include "tests/support/KvlTest.h"

#include <QApplication>
#include <QClipboard>
#include <QDrag>
#include <QDropEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>

#include <functional>
#include <memory>
#include <random>

namespace kvl::test {
namespace {

// Words, two spaces after each full stop, repeated to `chars` characters.
QString Paragraph(qsizetype chars)
{
    const QString words = QStringLiteral("Drift along the wall, turtle at 18 m.  Strong current at the corner ");
    QString text;
    while (text.size() < chars)
        text += words;
    return text.left(chars);
}

// Equal texts; else where they first differ, with a little of each around it.
testing::AssertionResult Same(const QString& shown, const QString& expected)
{
    if (shown == expected)
        return testing::AssertionSuccess();
    qsizetype at = 0;
    while (at < shown.size() && at < expected.size() && shown[at] == expected[at])
        ++at;
    return testing::AssertionFailure() << "sizes " << shown.size() << " and " << expected.size() << ", first difference at "
                                       << at << ": \"" << shown.mid(at - 10, 30).toStdString() << "\" where \""
                                       << expected.mid(at - 10, 30).toStdString() << "\" was expected";
}

class MemoBoxTest : public KvlTest {
protected:
    std::unique_ptr<MemoBox> memoBox;
    int changes = 0;

    void SetUp() override
    {
        KvlTest::SetUp();
        memoBox = std::make_unique<MemoBox>();
        QObject::connect(memoBox.get(), &QPlainTextEdit::textChanged, [this] { ++changes; });
    }

    void Press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier, const QString& text = {})
    {
        QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
        QCoreApplication::sendEvent(memoBox.get(), &press);
        QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
        QCoreApplication::sendEvent(memoBox.get(), &release);
    }

    void Select(int anchor, int position)
    {
        QTextCursor cursor = memoBox->textCursor();
        cursor.setPosition(anchor);
        cursor.setPosition(position, QTextCursor::KeepAnchor);
        memoBox->setTextCursor(cursor);
    }

    // A long paragraph: the box shows it in pieces.
    QString SetLongMemo()
    {
        const QString memo = Paragraph(100'000);
        memoBox->SetText(memo);
        EXPECT_TRUE(memoBox->ShownInPieces());
        return memo;
    }
};

TEST_F(MemoBoxTest, ALongMemoInPiecesGivesBackEveryCharacter)
{
    const QString long_ = Paragraph(100'000);
    struct Case {
        const char* name;
        QString memo;
        bool inPieces;
    };
    const Case cases[] = {
        {"one paragraph", long_, true},
        {"spaces at its ends and tabs", "   " + long_ + "\t \t  ", true},
        {"lines around a long paragraph", "Dive 1\n\nNotes:\n" + long_ + "\nEnd\n", true},
        {"Windows line ends", "Dive 1\r\n" + long_ + "\r\n" + long_ + "\r\nEnd", true},
        {"every kind of line end", "\r\r\n" + long_.left(30'000) + "\r\r\n" + long_.left(30'000) + "\n\r" +
                                       long_.left(30'000) + "\r" + long_.left(20'000) + "\r\n\r\n\n\r\r",
         true},
        {"characters beyond the basic plane, no-break spaces, line separators",
         long_.left(50'000) + QStringLiteral(" \U0001F422 \u00A0turtle\u2028 ") + long_.left(50'000), true},
        {"no space to break at", QString(100'000, u'x'), false},
        {"a short memo", QStringLiteral("Kelp forest  "), false},
        {"long, in short lines", QString(QStringLiteral("Kelp forest\n")).repeated(10'000), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        memoBox->SetText(c.memo);
        EXPECT_EQ(memoBox->ShownInPieces(), c.inPieces);
        if (c.inPieces) {
            EXPECT_GT(memoBox->blockCount(), c.memo.count(u'\n') + 50) << "shown in pieces";
        }
        EXPECT_TRUE(Same(memoBox->Text(), c.memo));
    }
    memoBox->SetText(long_);
    EXPECT_TRUE(Same(memoBox->Text(), long_)) << "byte for byte";
}

TEST_F(MemoBoxTest, LookingSelectingAndCopyingLeaveTheMemoInPieces)
{
    const QString memo = SetLongMemo();
    memoBox->setTabChangesFocus(true);   // as on the dive record
    changes = 0;
    for (const int key : {Qt::Key_Down, Qt::Key_PageDown, Qt::Key_End, Qt::Key_Right, Qt::Key_Tab})
        Press(key);
    Press(Qt::Key_End, Qt::ControlModifier);
    Press(Qt::Key_Up, Qt::ShiftModifier);
    Press(Qt::Key_A, Qt::ControlModifier);
    QApplication::clipboard()->clear();
    Press(Qt::Key_C, Qt::ControlModifier);
    EXPECT_TRUE(Same(QApplication::clipboard()->text(), memo)) << "a copy gives the spaces, not the breaks";
    Select(900, 3'100);
    Press(Qt::Key_C, Qt::ControlModifier);
    EXPECT_TRUE(Same(QApplication::clipboard()->text(), memo.mid(900, 2'200)));
    EXPECT_TRUE(memoBox->ShownInPieces());
    EXPECT_EQ(changes, 0);
}

TEST_F(MemoBoxTest, EveryEditWorksOnTheMemoItselfAndUndoGivesItBack)
{
    const QString memo = Paragraph(100'000);
    memoBox->SetText(memo);
    // The first break: the first space at or after the piece's thousandth character.
    const int at = int(memo.indexOf(u' ', 1'000));
    struct Edit {
        const char* name;
        std::function<void()> keys;
        QString expected;
    };
    const Edit edits[] = {
        {"a letter typed", [&] { Select(500, 500); Press(Qt::Key_X, {}, "x"); }, QString(memo).insert(500, u'x')},
        {"Enter before a break", [&] { Select(at, at); Press(Qt::Key_Return, {}, "\r"); }, QString(memo).insert(at, "\r\n")},
        {"Backspace after a break", [&] { Select(at + 1, at + 1); Press(Qt::Key_Backspace); },
         QString(memo).remove(at, 1)},
        {"Delete before a break", [&] { Select(at, at); Press(Qt::Key_Delete); }, QString(memo).remove(at, 1)},
        {"typing over a selection across breaks", [&] { Select(700, 5'000); Press(Qt::Key_Y, {}, "y"); },
         QString(memo).replace(700, 4'300, u'y')},
        {"a paste of lines",
         [&] {
             QApplication::clipboard()->setText("Kelp\nforest");
             Select(at, at);
             Press(Qt::Key_V, Qt::ControlModifier);
         },
         QString(memo).insert(at, "Kelp\r\nforest")},
    };
    for (const Edit& edit : edits) {
        SCOPED_TRACE(edit.name);
        memoBox->SetText(memo);
        ASSERT_TRUE(memoBox->ShownInPieces());
        changes = 0;
        edit.keys();
        EXPECT_FALSE(memoBox->ShownInPieces());
        EXPECT_TRUE(Same(memoBox->Text(), edit.expected));
        EXPECT_EQ(changes, 1) << "the edit, and only the edit, is a change";
        Press(Qt::Key_Z, Qt::ControlModifier);
        EXPECT_TRUE(Same(memoBox->Text(), memo));
    }
}

TEST_F(MemoBoxTest, APressOnASelectionThatCouldBeDraggedAwayTakesTheMemoWhole)
{
    const QString memo = SetLongMemo();
    const auto press = [this] {
        QMouseEvent down(QEvent::MouseButtonPress, QPointF(5, 5), memoBox->viewport()->mapToGlobal(QPointF(5, 5)),
                         Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(memoBox->viewport(), &down);
        QMouseEvent up(QEvent::MouseButtonRelease, QPointF(5, 5), memoBox->viewport()->mapToGlobal(QPointF(5, 5)),
                       Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(memoBox->viewport(), &up);
    };
    press();
    EXPECT_TRUE(memoBox->ShownInPieces()) << "a click that places the cursor";
    Select(0, 2'000);
    press();
    EXPECT_FALSE(memoBox->ShownInPieces());
    EXPECT_TRUE(Same(memoBox->Text(), memo));
}

// A drag out of the box ends on the button's release, which the box never sees; the box's
// scrolling timer may then go on sending moves as if the button were still down. None of
// them may start a drag of its own: it would take the next click anywhere and drop the
// selection where that click falls.
TEST_F(MemoBoxTest, AMoveWithoutTheButtonDownStartsNoDrag)
{
    const QString memo = QStringLiteral("Down the line to the wreck deck.");
    memoBox->SetText(memo);
    memoBox->resize(300, 100);
    memoBox->show();
    Select(21, 26);
    const QPointF onWreck = memoBox->cursorRect().center() - QPointF(10, 0);
    QMouseEvent down(QEvent::MouseButtonPress, onWreck, memoBox->viewport()->mapToGlobal(onWreck), Qt::LeftButton,
                     Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(memoBox->viewport(), &down);   // the press of the drag that took its release
    ASSERT_EQ(QGuiApplication::mouseButtons(), Qt::NoButton);

    const QPointF above(onWreck.x(), -40);
    QMouseEvent move(QEvent::MouseMove, above, memoBox->viewport()->mapToGlobal(above), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(memoBox->viewport(), &move);
    EXPECT_TRUE(memoBox->findChildren<QDrag*>().isEmpty()) << "a drag was started";
    EXPECT_EQ(memoBox->Text(), memo);
    EXPECT_EQ(memoBox->textCursor().selectedText(), "wreck");
}

TEST_F(MemoBoxTest, ADropGoesIntoTheMemoItself)
{
    const QString memo = SetLongMemo();
    memoBox->resize(300, 200);
    QMimeData dropped;
    dropped.setText(QStringLiteral("Kelp\nforest"));
    const QPoint at(40, 40);
    QDragEnterEvent enter(at, Qt::CopyAction, &dropped, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(memoBox->viewport(), &enter);
    QDragMoveEvent move(at, Qt::CopyAction, &dropped, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(memoBox->viewport(), &move);
    QDropEvent drop(at, Qt::CopyAction, &dropped, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(memoBox->viewport(), &drop);
    const QString text = memoBox->Text();
    const qsizetype kelp = text.indexOf(QStringLiteral("Kelp"));
    ASSERT_GE(kelp, 0);
    EXPECT_EQ(text.mid(kelp, 12), "Kelp\r\nforest") << "a line break dropped is the memo's own";
    EXPECT_TRUE(Same(QString(text).remove(kelp, 12), memo));
}

TEST_F(MemoBoxTest, AnInputMethodsDeletionInALongMemoCanBeUndone)
{
    const QString memo = SetLongMemo();
    Select(500, 500);
    QInputMethodEvent deletion;
    deletion.setCommitString({}, -3, 3);
    QCoreApplication::sendEvent(memoBox.get(), &deletion);
    EXPECT_TRUE(Same(memoBox->Text(), QString(memo).remove(497, 3)));
    Press(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(Same(memoBox->Text(), memo));
}

// Memos made of words, spaces of every kind (no-break ones too), every kind of line end
// and characters beyond the basic plane; a long one holds paragraphs long enough to be
// shown in pieces.
QString GeneratedMemo(std::mt19937& random, qsizetype length, int wordsPerLine)
{
    static const QStringList words{"Drift", "along", "the", "wall,", "turtle", "at", "18", "m.", "Kelp", "Grüße",
                                   QStringLiteral("\U0001F422"), QStringLiteral("\U0001D11E")};
    static const QStringList spaces{" ", " ", " ", "  ", "\t", QStringLiteral("\u00A0"), QStringLiteral("\u2007"),
                                    QStringLiteral("\u202F"), QStringLiteral("\u3000")};
    static const QStringList lineEnds{"\n", "\r", "\r\n", "\r\r\n", "\n\r", "\r\n\r\n", QStringLiteral("\u2028"),
                                      QStringLiteral("\u2029")};
    const auto pick = [&random](const QStringList& from) { return from[qsizetype(random() % from.size())]; };
    QString memo;
    while (memo.size() < length)
        memo += pick(words) + (random() % wordsPerLine == 0 ? pick(lineEnds) : pick(spaces));
    return memo;
}

// A line break typed or pasted, as the memo keeps it.
QString AsTyped(const QString& text)
{
    QString typed;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
            continue;   // its line feed follows
        const bool lineBreak = c == u'\n' || c == u'\r' || c == QChar::ParagraphSeparator || c == QChar::LineSeparator;
        typed += lineBreak ? QStringLiteral("\r\n") : QString(c);
    }
    return typed;
}

// The box's position for the memo's position `at`: it shows "\r\n" as one line break.
int ShownAt(const QString& memo, qsizetype at)
{
    qsizetype pairs = 0;
    for (qsizetype i = memo.indexOf(u"\r\n"); i >= 0 && i + 2 <= at; i = memo.indexOf(u"\r\n", i + 2))
        ++pairs;
    return int(at - pairs);
}

// A position between two of the memo's characters as the box counts them.
qsizetype Between(const QString& memo, std::mt19937& random, qsizetype from = 0)
{
    if (from > memo.size())
        return memo.size();
    qsizetype at = from + qsizetype(random() % (memo.size() - from + 1));
    while (at < memo.size() && (memo[at].isLowSurrogate() || (at > 0 && memo[at - 1] == u'\r' && memo[at] == u'\n')))
        ++at;
    return at;
}

// How many of the memo's characters the one character of the box before `at` is.
qsizetype Before(const QString& memo, qsizetype at)
{
    return at >= 2 && (memo[at - 1].isLowSurrogate() || (memo[at - 2] == u'\r' && memo[at - 1] == u'\n')) ? 2 : 1;
}

// The edits' keys, as the table of edits below presses them.
class MemoEditsTest : public MemoBoxTest {
public:
    using MemoBoxTest::Press;
    void SelectMemo(const QString& memo, qsizetype from, qsizetype to) { Select(ShownAt(memo, from), ShownAt(memo, to)); }
    void TypeKeys(const QString& text)
    {
        for (const QChar c : text)
            Press(Qt::Key_A, {}, QString(c));
    }
    void InputMethod(const QString& commit, int replaceFrom = 0, int replaceLength = 0)
    {
        QInputMethodEvent event;
        event.setCommitString(commit, replaceFrom, replaceLength);
        QCoreApplication::sendEvent(memoBox.get(), &event);
    }
    // Keeps pressing the key while the document has something to undo (or redo).
    void PressWhile(bool (QTextDocument::*available)() const, const QKeySequence& keys)
    {
        for (int presses = 0; presses < 200 && (memoBox->document()->*available)(); ++presses)
            Press(keys[0].key(), keys[0].keyboardModifiers());
    }
};

// Each edit, made by the user's keys at a random place, and the memo it leaves.
struct MemoEdit {
    const char* name;
    std::function<QString(MemoEditsTest&, const QString& memo, std::mt19937& random)> make;
};

TEST_F(MemoEditsTest, EveryEditKeepsWhatItLeftAloneAndUndoGivesTheMemoBack)
{
    const QString pasted = "Kelp\nforest\r\nat\r18" + QStringLiteral("\u00A0m\u2028\U0001F422\u2029") + "end";
    const MemoEdit edits[] = {
        {"a word typed",
         [](MemoEditsTest& t, const QString& memo, std::mt19937& random) {
             const qsizetype at = Between(memo, random);
             t.SelectMemo(memo, at, at);
             t.TypeKeys("Reef");
             return QString(memo).insert(at, "Reef");
         }},
        {"Enter and Shift+Enter",
         [](MemoEditsTest& t, const QString& memo, std::mt19937& random) {
             const qsizetype at = Between(memo, random);
             t.SelectMemo(memo, at, at);
             t.Press(Qt::Key_Return, {}, "\r");
             t.Press(Qt::Key_Return, Qt::ShiftModifier, "\r");
             return QString(memo).insert(at, "\r\n\r\n");
         }},
        {"Backspace",
         [](MemoEditsTest& t, const QString& memo, std::mt19937& random) {
             if (memo.isEmpty())
                 return memo;
             const qsizetype at = Between(memo, random, 1);
             t.SelectMemo(memo, at, at);
             t.Press(Qt::Key_Backspace);
             return QString(memo).remove(at - Before(memo, at), Before(memo, at));
         }},
        {"a stretch deleted",
         [](MemoEditsTest& t, const QString& memo, std::mt19937& random) {
             const qsizetype from = Between(memo, random), to = Between(memo, random, from);
             t.SelectMemo(memo, from, to);
             t.Press(Qt::Key_Delete);
             return QString(memo).remove(from, to - from);
         }},
        {"typed over a stretch",
         [](MemoEditsTest& t, const QString& memo, std::mt19937& random) {
             const qsizetype from = Between(memo, random), to = Between(memo, random, from);
             t.SelectMemo(memo, from, to);
             t.TypeKeys("y");
             return QString(memo).replace(from, to - from, "y");
         }},
        {"a paste of lines",
         [&pasted](MemoEditsTest& t, const QString& memo, std::mt19937& random) {
             const qsizetype at = Between(memo, random);
             QApplication::clipboard()->setText(pasted);
             t.SelectMemo(memo, at, at);
             t.Press(Qt::Key_V, Qt::ControlModifier);
             return QString(memo).insert(at, AsTyped(pasted));
         }},
        {"a cut pasted elsewhere",
         [](MemoEditsTest& t, const QString& memo, std::mt19937& random) {
             const qsizetype from = Between(memo, random), to = Between(memo, random, from);
             t.SelectMemo(memo, from, to);
             t.Press(Qt::Key_X, Qt::ControlModifier);
             EXPECT_TRUE(Same(QApplication::clipboard()->text(), memo.mid(from, to - from))) << "the cut is verbatim";
             const QString cut = QString(memo).remove(from, to - from);
             const qsizetype at = Between(cut, random);
             t.SelectMemo(cut, at, at);
             t.Press(Qt::Key_V, Qt::ControlModifier);
             return QString(cut).insert(at, AsTyped(memo.mid(from, to - from)));
         }},
        {"an input method's word",
         [](MemoEditsTest& t, const QString& memo, std::mt19937& random) {
             const qsizetype at = Between(memo, random);
             t.SelectMemo(memo, at, at);
             t.InputMethod(QStringLiteral("Grüße"));
             return QString(memo).insert(at, QStringLiteral("Grüße"));
         }},
        {"an input method's deletion",
         [](MemoEditsTest& t, const QString& memo, std::mt19937& random) {
             if (memo.isEmpty())
                 return memo;
             qsizetype at = Between(memo, random, 1);
             while (at > 1 && memo[at - 1].isLowSurrogate())   // the method deletes code units
                 at = Between(memo, random, 1);
             t.SelectMemo(memo, at, at);
             t.InputMethod({}, -1, 1);
             return QString(memo).remove(at - Before(memo, at), Before(memo, at));
         }},
    };
    struct Memos {
        const char* name;
        qsizetype length;
        int wordsPerLine;
        int count;
    };
    const Memos memos[] = {{"short", 300, 4, 12}, {"long paragraphs", 70'000, 400, 3}};
    std::mt19937 random(20'260'334);
    for (const Memos& kind : memos) {
        for (int m = 0; m < kind.count; ++m) {
            const QString memo = GeneratedMemo(random, kind.length, kind.wordsPerLine);
            SCOPED_TRACE(testing::Message() << kind.name << " memo " << m);
            memoBox->SetText(memo);
            ASSERT_TRUE(Same(memoBox->Text(), memo)) << "as set";
            QString expected = memo;
            for (int e = 0; e < 6; ++e) {
                const MemoEdit& edit = edits[random() % std::size(edits)];
                SCOPED_TRACE(edit.name);
                expected = edit.make(*this, expected, random);
                ASSERT_TRUE(Same(memoBox->Text(), expected));
            }
            PressWhile(&QTextDocument::isUndoAvailable, QKeySequence::Undo);
            EXPECT_TRUE(Same(memoBox->Text(), memo)) << "every edit undone";
            PressWhile(&QTextDocument::isRedoAvailable, QKeySequence::Redo);
            EXPECT_TRUE(Same(memoBox->Text(), expected)) << "every edit done again";
        }
    }
}

} // namespace
} // namespace kvl::test
