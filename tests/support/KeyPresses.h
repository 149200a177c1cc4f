#pragma once
// Keys as the user presses them, for tests that drive windows by keyboard alone. The
// keys go to the widget with the focus, through the application as real keys do
// (event filters, Tab moving the focus, unhandled keys going to the parent).

#include <QString>
#include <Qt>

class QWidget;

namespace kvl::test {

// Shows the window and makes it the active one (the focus lives there); false when it
// never became active.
bool ShowActive(QWidget& window);
QWidget* Focused();
// A press and release of the key on the focused widget; then the events the key
// posted (a layout, a repaint) are handled, as between a user's keys.
void PressKey(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
// Types the text into the focused widget, one key at a time.
void TypeText(const QString& text);
// The Menu key, as the platform gives it: a keyboard context-menu event on the
// focused widget.
void PressMenuKey();
// Chooses the entry at this position (1 the first) of the open popup menu by keys:
// Down to it, then Return; the entry's command has run on return. False when no menu
// is open.
bool ChooseInMenu(int position);

} // namespace kvl::test
