#pragma once
// The scrambling pass over the program's protected files (the log template, the
// download template and archives). Each byte is combined by exclusive or with a
// mask that the key derives from the BASIC generator, so the same pass with the
// same key scrambles a plain file and unscrambles a scrambled one.

#include <QByteArray>
#include <QString>

namespace kvl {

class BasicRnd;

// The key text of the log template and the download template and archives.
inline constexpr char ScrambleKey[] = "velmorantiq";

// Files are scrambled in blocks of this many bytes; the k-th byte of every block
// takes the k-th mask value.
inline constexpr int ScrambleBlockSize = 16;

// Copies source to target through the mask, at high process priority. 1 when the
// whole source was written; 0 on failure, and then the target is left as it was.
int ScrambleFile(const QString& source, const QString& target, const QByteArray& key);

// One block (a byte per character) combined with the mask of the key; uses the
// process-wide generator and leaves it where the block left it.
QByteArray ScrambleText(QByteArray text, const QByteArray& key);

// The first `length` mask values of the key, drawn from rng.
QByteArray ScrambleMask(const QByteArray& key, int length, BasicRnd& rng);

// The text before the last separator (compareMode 0 exact, 1 ignoring case); with
// no separator, the whole text when flag is 0, else "".
QString TextBeforeLast(const QString& text, const QString& separator, int compareMode, int flag);

} // namespace kvl
