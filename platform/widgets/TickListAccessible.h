#pragma once
// How a screen reader reads the tick lists: the check lists, and the grids (some with
// a check-box column). Qt reads a line or a cell that holds a tick box as a plain list
// item or cell, and its Linux bridge does not say that such an item can be ticked:
// a reader says the name alone. A view made to read ticks as check boxes reads each
// tickable line or cell as a check box, checked or not, ticked by the reader's
// "toggle"; the other lines and cells, the column headers, the rows and columns and
// the selection read as Qt reads them, under the child numbers Qt gives them (its
// focus events name a cell by that number).

class QAbstractItemView;

namespace kvl {

// Call as the view is made, before a reader first asks for it (once is enough).
void ReadTicksAsCheckBoxes(QAbstractItemView& view);

} // namespace kvl
