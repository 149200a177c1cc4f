#pragma once
// How a screen reader reads the forms' pick lists. Qt names a list by its current
// entry on Linux ("AM", "FT"), so a reader says the value twice and never what the
// list is for. A list that is given a name, or a caption (QLabel::setBuddy), is
// named by it instead; its entry (or, in a list with a text box, its text) stays its value.

namespace kvl {

// Makes the lists read so; the list boxes call it as they are made (once is enough).
void UseListNames();

} // namespace kvl
