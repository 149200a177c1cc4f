// The memo box: a long memo shown in pieces gives back every character, looking and
// copying leave it in pieces, and every edit works on the memo itself.
#include "platform/widgets/FieldBoxes.h"
#include "tests/support/KvlTest.h"

#include <QApplication>
#include <QClipboard>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>

#include <memory>

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

// What a box without pieces gives back for the memo (it keeps "\r\n" as one break).
QString AsTheBoxKeepsIt(const QString& memo)
{
    QPlainTextEdit plain;
    plain.setPlainText(memo);
    return plain.toPlainText();
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
        EXPECT_TRUE(Same(memoBox->Text(), AsTheBoxKeepsIt(c.memo)));
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
        {"Enter before a break", [&] { Select(at, at); Press(Qt::Key_Return, {}, "\r"); }, QString(memo).insert(at, u'\n')},
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
         QString(memo).insert(at, "Kelp\nforest")},
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
    EXPECT_TRUE(Same(QString(text).remove(kelp, 11), memo));
}

} // namespace
} // namespace kvl::test
