#pragma once
// How a screen reader reads the forms' pick lists. Qt names a list by its current
// entry on Linux ("AM", "FT"), so a reader says the value twice and never what the
// list is for. A list that is given a name, or a caption (QLabel::setBuddy), is
// named by it instead. Its entry (or, in a list with a text box, its text) is its
// value and its text: Qt's Linux bridge passes no value text, and a closed list has
// no selected child there, so the text is where a reader finds the entry. A change of
// the entry is told as a change of that text.

#include <functional>

class QAccessibleEvent;
class QComboBox;

namespace kvl {

// Makes the lists read so; the list boxes call it as they are made (once is enough).
void UseListNames();

// Tells a reader the list's entry changed where code changed it with the list's signals
// blocked; the list's own signals tell every other change.
void TellEntryChange(QComboBox& list);

// Qt passes accessibility events on only while a reader listens to the program; a test
// listens to the lists' events here instead (an empty function stops it).
void ListenToListEvents(std::function<void(QAccessibleEvent&)> listener);

} // namespace kvl
