#pragma once
// A list whose text box shows what the program puts there (a catalog row, a chosen
// value) and is never written by the user: not by keys, nor by an input method, which
// Qt's read-only line box takes (a commit sent to a list goes on to its box).

class QComboBox;

namespace kvl {

// Call on an editable list once its text box is made.
void LockTextBox(QComboBox& list);

} // namespace kvl
