#pragma once
// Roads into a line box that bypass its keys. Qt's own accessible for a line box sets
// the text as the program does: a locked box takes it, the box's validator and length
// limit are skipped and the box reports no edit, so a form never learns of a change a
// screen reader or a dictation tool made. And a locked line box takes text an input
// method commits to it. Made so, every line box of the program (the shared boxes, the
// grids' rows, the bars' entries) takes an edit by either road as it takes a typed one.

namespace kvl {

// From now on every line box is edited through the accessibility interface as by
// typing, and a locked one refuses an input method's text. The boxes call it as they
// are made (once is enough).
void UseLineBoxGuards();

} // namespace kvl
