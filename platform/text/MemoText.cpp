#include "platform/text/MemoText.h"

#include <algorithm>
#include <optional>
#include <utility>

namespace kvl {

namespace {

// A paragraph is broken at the first space after this many characters of a piece.
constexpr qsizetype kPiece = 1000;
// The most letters a dragged stretch may share with the text at either side for the drag
// to be found: each more is one more look at the whole stretch.
constexpr qsizetype kMostSharedEnd = 64;
// How the document shows a line break.
constexpr QChar kShownBreak = QChar::ParagraphSeparator;

// The characters the document shows as a line break (the last two mark frames).
bool ShownAsBreak(QChar c)
{
    return c == u'\n' || c == u'\r' || c == QChar::ParagraphSeparator || c == QChar(0xFDD0) || c == QChar(0xFDD1);
}

// Where a long memo's paragraphs are broken: the spaces that end its pieces.
QList<qsizetype> PieceBreaks(const QString& memo)
{
    QList<qsizetype> breaks;
    if (memo.size() < MemoText::kLongMemo)
        return breaks;
    qsizetype pieceStart = 0;
    for (qsizetype i = 0; i < memo.size(); ++i) {
        const QChar c = memo[i];
        if (ShownAsBreak(c)) {
            pieceStart = i + 1;
        } else if (c == u' ' && i - pieceStart >= kPiece) {
            breaks << i;
            pieceStart = i + 1;
        }
    }
    return breaks;
}

qsizetype CountBefore(const QList<qsizetype>& ascending, qsizetype at)
{
    return std::lower_bound(ascending.begin(), ascending.end(), at) - ascending.begin();
}

// The positions of [at, at + length) in `ascending`, from `at`.
QList<qsizetype> Within(const QList<qsizetype>& ascending, qsizetype at, qsizetype length)
{
    QList<qsizetype> within;
    for (qsizetype i = CountBefore(ascending, at); i < ascending.size() && ascending[i] < at + length; ++i)
        within << ascending[i] - at;
    return within;
}

// The positions of a stretch of `fromLength` at `at` give way to `to` (from `at`) of a
// stretch of `toLength`; those after it move along.
void Splice(QList<qsizetype>& ascending, qsizetype at, qsizetype fromLength, qsizetype toLength,
            const QList<qsizetype>& to)
{
    const qsizetype first = CountBefore(ascending, at);
    const qsizetype last = CountBefore(ascending, at + fromLength);
    for (qsizetype i = last; i < ascending.size(); ++i)
        ascending[i] += toLength - fromLength;
    ascending.remove(first, last - first);
    for (qsizetype i = 0; i < to.size(); ++i)
        ascending.insert(first + i, at + to[i]);
}

// Whether two texts hold the same characters, each as many times.
bool SameCharacters(QStringView a, QStringView b)
{
    QString sortedA = a.toString();
    QString sortedB = b.toString();
    std::sort(sortedA.begin(), sortedA.end());
    std::sort(sortedB.begin(), sortedB.end());
    return sortedA == sortedB;
}

// How many characters two texts share at their start, and after those at their end.
std::pair<qsizetype, qsizetype> SharedEnds(QStringView a, QStringView b)
{
    qsizetype head = 0;
    while (head < a.size() && head < b.size() && a[head] == b[head])
        ++head;
    qsizetype tail = 0;
    while (tail < a.size() - head && tail < b.size() - head && a[a.size() - 1 - tail] == b[b.size() - 1 - tail])
        ++tail;
    return {head, tail};
}

} // namespace

QString MemoText::Set(QString memo, bool pieces)
{
    memo_ = std::move(memo);
    history_.clear();
    done_ = 0;
    lastSteps_ = 0;
    lineEnds_.clear();
    pieceBreaks_.clear();
    // The document takes "\r\n" as one line break, as it takes "\r\r\n" as two.
    for (qsizetype at = memo_.indexOf(u"\r\n"); at >= 0; at = memo_.indexOf(u"\r\n", at + 2))
        lineEnds_ << at - lineEnds_.size();
    const QList<qsizetype> breaks = pieces ? PieceBreaks(memo_) : QList<qsizetype>();
    inPieces_ = !breaks.isEmpty();
    if (!inPieces_)
        return memo_;
    QString shown = memo_;
    qsizetype pairs = 0;
    for (const qsizetype at : breaks) {
        while (pairs < lineEnds_.size() && lineEnds_[pairs] + pairs < at)
            ++pairs;
        shown[at] = kShownBreak;
        pieceBreaks_ << at - pairs;
    }
    return shown;
}

qsizetype MemoText::MemoPosition(qsizetype shown) const
{
    return shown + CountBefore(lineEnds_, shown);
}

void MemoText::DocumentChanged(qsizetype at, qsizetype removed, const QString& added, History history)
{
    if (history.steps < lastSteps_) {
        while (done_ > 0 && history_[done_ - 1].steps > history.steps)
            Apply(history_[--done_].change, false);
    } else if (history.steps > lastSteps_ && !history.commandAdded) {
        while (done_ < history_.size() && history_[done_].steps <= history.steps)
            Apply(history_[done_++].change, true);
    } else {
        Edit(at, removed, added, history.steps);
    }
    lastSteps_ = history.steps;
}

// What the user put into the document, each line break as "\r\n".
MemoText::Stretch MemoText::Typed(QStringView shown)
{
    Stretch typed{shown.size(), {}, {}, {}};
    typed.kept.reserve(shown.size());
    for (qsizetype i = 0; i < shown.size(); ++i) {
        if (shown[i] == kShownBreak) {
            typed.lineEnds << i;
            typed.kept += u"\r\n";
        } else {
            typed.kept += shown[i];
        }
    }
    return typed;
}

MemoText::Stretch MemoText::Joined(Stretch first, const Stretch& second)
{
    for (const qsizetype at : second.lineEnds)
        first.lineEnds << first.shown + at;
    for (const qsizetype at : second.pieceBreaks)
        first.pieceBreaks << first.shown + at;
    first.kept += second.kept;
    first.shown += second.shown;
    return first;
}

void MemoText::Edit(qsizetype at, qsizetype removed, const QString& added, int steps)
{
    // The document may report more than changed (a format, a line laid out again, two
    // changes at once): only what differs is the user's.
    const QString before = Shown(at, std::max(qsizetype(0), std::min(removed, ShownLength() - at)));
    const auto [head, tail] = SharedEnds(before, added);
    const qsizetype was = before.size() - head - tail;
    const qsizetype is = added.size() - head - tail;
    if (was == 0 && is == 0)
        return;
    std::optional<Change> dragged;
    if (was == is && was > 1)
        dragged = Dragged(at, before, added, head, tail);
    Change change = dragged ? *std::move(dragged)
                            : Change{at + head, Kept(at + head, was), Typed(QStringView(added).mid(head, is))};
    KeepLineEndsApart(change);
    history_.resize(done_);
    history_.push_back({steps, std::move(change)});
    Apply(history_.back().change, true);
    done_ = history_.size();
}

// A stretch dragged within the memo: what lay between the two places keeps its
// characters. The document then shows the old text turned round at some point; the
// longer part stayed, the other moved. What the two texts share at either side may
// have taken letters of the turned stretch (a word dragged behind one that ends in the
// same letter): those are given back, the fewest first, until the stretch turns round.
std::optional<MemoText::Change> MemoText::Dragged(qsizetype at, QStringView before, QStringView added,
                                                  qsizetype head, qsizetype tail) const
{
    const qsizetype was = before.size() - head - tail;
    if (!SameCharacters(before.mid(head, was), added.mid(head, was)))
        return std::nullopt;
    const qsizetype mostBefore = std::min({head, was, kMostSharedEnd});
    const qsizetype mostAfter = std::min({tail, was, kMostSharedEnd});
    for (qsizetype given = 0; given <= mostBefore + mostAfter; ++given) {
        for (qsizetype ahead = std::max(qsizetype(0), given - mostAfter); ahead <= std::min(given, mostBefore);
             ++ahead) {
            const qsizetype from = head - ahead;
            const qsizetype length = was + given;
            const QStringView now = added.mid(from, length);
            const qsizetype turn = (before.mid(from, length).toString().repeated(2)).indexOf(now);
            if (turn <= 0)
                continue;
            Change change{at + from, Kept(at + from, length), {}};
            if (length - turn >= turn)
                change.after = Joined(Kept(change.at + turn, length - turn), Typed(now.mid(length - turn)));
            else
                change.after = Joined(Typed(now.left(length - turn)), Kept(change.at, turn));
            return change;
        }
    }
    return std::nullopt;
}

// A lone "\r" the change brings right before a lone "\n" becomes "\r\n": read back,
// "\r\n" is one line end, and the document shows two.
void MemoText::KeepLineEndsApart(Change& change) const
{
    const qsizetype end = MemoPosition(change.at + change.before.shown);
    const bool lineFeedAfter = end < memo_.size() && memo_[end] == u'\n';
    Stretch& after = change.after;
    if (after.kept.endsWith(u'\r') && lineFeedAfter) {
        after.kept += u'\n';
        after.lineEnds << after.shown - 1;
    }
    const qsizetype start = MemoPosition(change.at);
    const bool lineFeedFirst = after.kept.isEmpty() ? lineFeedAfter : after.kept.front() == u'\n';
    if (start > 0 && memo_[start - 1] == u'\r' && lineFeedFirst) {
        --change.at;
        change.before = Joined(Kept(change.at, 1), change.before);
        change.after = Joined(Stretch{1, QStringLiteral("\r\n"), {0}, {}}, after);
    }
}

void MemoText::Apply(const Change& change, bool forward)
{
    const Stretch& from = forward ? change.before : change.after;
    const Stretch& to = forward ? change.after : change.before;
    memo_.replace(MemoPosition(change.at), from.kept.size(), to.kept);
    Splice(lineEnds_, change.at, from.shown, to.shown, to.lineEnds);
    Splice(pieceBreaks_, change.at, from.shown, to.shown, to.pieceBreaks);
}

MemoText::Stretch MemoText::Kept(qsizetype at, qsizetype length) const
{
    const qsizetype from = MemoPosition(at);
    return {length, memo_.mid(from, MemoPosition(at + length) - from), Within(lineEnds_, at, length),
            Within(pieceBreaks_, at, length)};
}

QString MemoText::Shown(qsizetype at, qsizetype length) const
{
    QString shown;
    shown.reserve(length);
    qsizetype kept = MemoPosition(at);
    qsizetype lineEnd = CountBefore(lineEnds_, at);
    qsizetype pieceBreak = CountBefore(pieceBreaks_, at);
    for (qsizetype i = at; i < at + length && kept < memo_.size(); ++i) {
        if (lineEnd < lineEnds_.size() && lineEnds_[lineEnd] == i) {
            shown += kShownBreak;
            kept += 2;
            ++lineEnd;
        } else if (pieceBreak < pieceBreaks_.size() && pieceBreaks_[pieceBreak] == i) {
            shown += kShownBreak;
            ++kept;
            ++pieceBreak;
        } else {
            shown += ShownAsBreak(memo_[kept]) ? kShownBreak : memo_[kept];
            ++kept;
        }
    }
    return shown;
}

} // namespace kvl
