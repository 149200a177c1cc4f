#pragma once
// Captions and the boxes they name. A box is read by a screen reader under the name
// of the caption beside it, and the caption's Alt key takes the keyboard to it.

#include <QString>

class QAbstractButton;
class QLabel;
class QWidget;

namespace kvl {

// What a caption says of its box: its text trimmed, without a closing colon or the
// mnemonic mark ("&Max. Depth:" -> "Max. Depth").
QString NameOfCaption(const QString& caption);
// Makes the caption the box's buddy and names the box after it; in a group of like
// boxes (a tank, a navigation leg) the prefix goes first: "Tank 2 Start".
void TieCaption(QLabel& caption, QWidget& box, const QString& prefix = {});
// Names a button by its own caption as it reads, without the blanks that pad it on
// screen or its mnemonic mark ("  &Cancel  " -> "Cancel").
void NameByCaption(QAbstractButton& button);
// Names a box that has no caption of its own: its neighbour's name and what the box
// is to it ("Visibility" and "unit" -> "Visibility unit").
void NameBeside(QWidget& box, const QWidget& neighbour, const QString& what);

} // namespace kvl
