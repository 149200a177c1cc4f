// The memo kept beside the document that shows it: changes the document reports
// wider than they are, stretches dragged within the memo, and the document's undo
// history, each carried into the memo without touching what the user left alone.
#include "platform/text/MemoText.h"

#include <gtest/gtest.h>

namespace kvl {
namespace {

constexpr QChar kBreak = QChar::ParagraphSeparator;   // how the document shows any line break

// What the document makes of the text it is given: one character for each line break.
QString Shown(QString text)
{
    return text.replace(QStringLiteral("\r\n"), QString(kBreak)).replace(u'\r', kBreak).replace(u'\n', kBreak);
}

TEST(MemoText, ChangesReportedWiderThanTheyAreKeepTheLineEndsAround)
{
    const QString memo = QStringLiteral("Kelp\rforest\nat\r\n18\u00A0m\u2029end");
    const QString shown = Shown(memo);
    ASSERT_EQ(shown.size(), memo.size() - 1);
    struct Case {
        const char* name;
        QString now;   // what the document shows after the change, reported as a change of all of it
        QString expected;
    };
    const Case cases[] = {
        {"nothing but formats", shown, memo},
        {"a letter typed", QString(shown).insert(7, u'X'), QString(memo).insert(7, u'X')},
        {"a line break typed", QString(shown).insert(7, kBreak), QString(memo).insert(7, "\r\n")},
        {"a letter typed at a line end's place", QString(shown).replace(11, 1, u'X'), QString(memo).replace(11, 1, u'X')},
        {"a line end deleted", QString(shown).remove(11, 1), QString(memo).remove(11, 1)},
        {"the \"\\r\\n\" deleted", QString(shown).remove(14, 1), QString(memo).remove(14, 2)},
        {"a word dragged to the end", shown.mid(4) + "Kelp", memo.mid(4) + "Kelp"},
        {"a word dragged to the start", "end" + shown.left(shown.size() - 3), "end" + memo.left(memo.size() - 3)},
        {"a line dragged to the end", shown.mid(11) + shown.left(11), memo.mid(11) + "Kelp\r\nforest"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MemoText text;
        text.Set(memo, false);
        text.DocumentChanged(0, shown.size(), c.now, {1, true});
        EXPECT_EQ(text.Text(), c.expected);
        EXPECT_TRUE(text.Shows(c.now.size()));
    }
}

// A word dragged across the memo, or a stretch deleted between two line ends: the
// document shows what the expected memo shows, and reports it as a change of all of it.
TEST(MemoText, DragsAndDeletionsKeepEveryLineEndAround)
{
    const QString lines = QStringLiteral("alpha\r\nbeta\u00A0gamma\rdelta\nepsilon\u2029zeta\r\r\neta \U0001F420 theta");
    struct Case {
        const char* name;
        QString memo;
        QString expected;
    };
    const Case cases[] = {
        {"a word dragged behind one ending in its letter", lines, lines.mid(5) + "alpha"},
        {"a word dragged before one starting with its letter", lines,
         QString(lines).replace(QStringLiteral("\neta "), QStringLiteral("\n ")).replace("epsilon", "etaepsilon")},
        {"a word dragged behind one ending in its last letters, past a surrogate pair",
         lines, QString(lines).remove("zeta") + "zeta"},
        {"a word dragged from between a lone CR and a lone LF",
         lines, QString(lines).replace("\rdelta\n", "\r\n\n") + "delta"},
        {"a word deleted between a lone CR and a lone LF", QStringLiteral("first\rdelta\nlast"),
         QStringLiteral("first\r\n\nlast")},
        {"a word deleted between a lone LF and a lone CR", QStringLiteral("first\ndelta\rlast"),
         QStringLiteral("first\n\rlast")},
        {"a word deleted between a lone CR and a CR LF", QStringLiteral("first\rdelta\r\nlast"),
         QStringLiteral("first\r\r\nlast")},
        {"a word dragged to the start from between a lone CR and a lone LF", QStringLiteral("a\rb\nc"),
         QStringLiteral("ba\r\n\nc")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString shown = Shown(c.memo);
        const QString now = Shown(c.expected);
        MemoText text;
        text.Set(c.memo, false);
        text.DocumentChanged(0, shown.size(), now, {1, true});
        EXPECT_EQ(text.Text(), c.expected);
        EXPECT_TRUE(text.Shows(now.size()));
        text.DocumentChanged(0, now.size(), shown, {0, false});   // undone
        EXPECT_EQ(text.Text(), c.memo);
    }
}

TEST(MemoText, UndoAndRedoFollowTheDocumentsSteps)
{
    const QString memo = QStringLiteral("a\rb\nc");
    MemoText text;
    text.Set(memo, false);
    text.DocumentChanged(5, 0, "x", {1, true});   // "a¶b¶cx"
    text.DocumentChanged(6, 0, "y", {1, false});  // typed on: the same step
    text.DocumentChanged(1, 1, "", {2, true});    // "a" "b¶cxy": the "\r" deleted
    EXPECT_EQ(text.Text(), "ab\ncxy");
    text.DocumentChanged(1, 0, QString(kBreak), {1, false});   // undone
    EXPECT_EQ(text.Text(), "a\rb\ncxy") << "the line end comes back as it was";
    text.DocumentChanged(5, 2, "", {0, false});
    EXPECT_EQ(text.Text(), memo);
    text.DocumentChanged(1, 1, "", {2, false});   // both redone at once
    EXPECT_EQ(text.Text(), "ab\ncxy");
    text.DocumentChanged(1, 0, QString(kBreak), {1, false});
    text.DocumentChanged(0, 0, "z", {2, true});   // a new change drops what could be redone
    EXPECT_EQ(text.Text(), "za\rb\ncxy");
    text.DocumentChanged(0, 1, "", {1, false});
    text.DocumentChanged(5, 2, "", {0, false});
    EXPECT_EQ(text.Text(), memo);
}

TEST(MemoText, ALongMemoInPiecesMapsEveryLineEnd)
{
    QString paragraph;
    while (paragraph.size() < 3'000)
        paragraph += QStringLiteral("Drift along the wall ");
    QString memo;
    while (memo.size() < MemoText::kLongMemo)
        memo += "\r\r\n" + paragraph + "\n\r" + paragraph + "\r";
    MemoText text;
    const QString shown = Shown(text.Set(memo, true));
    ASSERT_TRUE(text.InPieces());
    ASSERT_TRUE(text.Shows(shown.size()));
    // Every character shown stands for the memo's own at its position.
    for (qsizetype at = 0; at < shown.size(); ++at) {
        const QChar kept = memo[text.MemoPosition(at)];
        if (shown[at] != kBreak)
            ASSERT_EQ(shown[at], kept) << at;
        else
            ASSERT_TRUE(kept == u' ' || kept == u'\r' || kept == u'\n') << at;
    }
    // An edit past every kind of line end and piece break lands where it was made.
    const qsizetype last = shown.size() - 10;
    text.DocumentChanged(last, 1, "", {1, true});
    EXPECT_EQ(text.Text(), QString(memo).remove(text.MemoPosition(last), 1));
}

} // namespace
} // namespace kvl
