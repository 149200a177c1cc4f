#pragma once
// A memo kept character for character while a text document shows it. The document
// keeps every line break as one character, whatever ended the line ("\n", "\r",
// "\r\n", U+2029), and a long paragraph may be shown broken into pieces at spaces; so
// the memo is kept beside the document: given back as set while unedited, and each
// change of the document carried into it, position for position. What a change left
// alone keeps its characters; a line break typed or pasted becomes "\r\n", and so does
// a lone "\r" a change brings against a lone "\n", which would otherwise read back as one.

#include <QList>
#include <QString>

#include <optional>
#include <vector>

namespace kvl {

class MemoText {
public:
    // A memo this long may hold a paragraph whose layout the user would wait for.
    static constexpr qsizetype kLongMemo = 64 * 1024;

    // Takes the memo and forgets the history. Returns the text the document is to show:
    // the memo itself, or, for a long memo with `pieces`, the memo with its long
    // paragraphs broken into pieces at spaces (a U+2029 in place of each such space).
    QString Set(QString memo, bool pieces);
    // Takes what the document shows as the memo, each line break as "\r\n".
    void SetShown(const QString& shown) { Set(Typed(shown).kept, false); }
    const QString& Text() const { return memo_; }
    // Whether the text shown breaks long paragraphs into pieces.
    bool InPieces() const { return inPieces_; }
    // The memo's position for a position in the document.
    qsizetype MemoPosition(qsizetype shown) const;
    // Whether the document, of `shownLength` characters (its last block's end not
    // counted), can be showing the memo.
    bool Shows(qsizetype shownLength) const { return ShownLength() == shownLength; }

    // How the document's undo history stands after one of its changes.
    struct History {
        int steps = 0;               // the steps that can be undone
        bool commandAdded = false;   // the change began a step of its own
    };
    // The document's `removed` characters at `at` gave way to `added` (the document's
    // characters there now, each line break as U+2029). An undo or redo in the
    // document undoes or redoes the memo's own changes; any other change is the user's.
    void DocumentChanged(qsizetype at, qsizetype removed, const QString& added, History history);

private:
    // A stretch of the memo and what the document shows for it.
    struct Stretch {
        qsizetype shown = 0;            // its length in the document
        QString kept;                   // the memo's characters
        QList<qsizetype> lineEnds;      // where the document shows "\r\n" as one character, from its start
        QList<qsizetype> pieceBreaks;   // where it shows a space as a line break, from its start
    };
    // One change of the memo: the stretch at `at` in the document, before and after.
    struct Change {
        qsizetype at = 0;
        Stretch before, after;
    };
    struct Step {
        int steps = 0;   // the document's undo steps once the change was made
        Change change;
    };

    qsizetype ShownLength() const { return memo_.size() - lineEnds_.size(); }
    static Stretch Typed(QStringView shown);
    static Stretch Joined(Stretch first, const Stretch& second);
    void Edit(qsizetype at, qsizetype removed, const QString& added, int steps);
    std::optional<Change> Dragged(qsizetype at, QStringView before, QStringView added, qsizetype head,
                                  qsizetype tail) const;
    void KeepLineEndsApart(Change& change) const;
    void Apply(const Change& change, bool forward);
    Stretch Kept(qsizetype at, qsizetype length) const;
    QString Shown(qsizetype at, qsizetype length) const;

    QString memo_;
    bool inPieces_ = false;
    QList<qsizetype> lineEnds_;      // document positions, ascending
    QList<qsizetype> pieceBreaks_;   // document positions, ascending
    std::vector<Step> history_;
    size_t done_ = 0;                // the steps of history_ that are in the memo
    int lastSteps_ = 0;
};

} // namespace kvl
