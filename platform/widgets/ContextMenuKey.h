#pragma once
// Shift+F10 opens the context menu of the focused box or list, as the Menu key does:
// the key becomes a keyboard context-menu event on the widget that has the focus, at
// the place the Menu key would give it. (Qt turns only the Menu key into such an
// event, and only where the platform does.)

class QWidget;

namespace kvl {

// Sends the widget the keyboard context-menu event the Menu key gives it.
void OpenContextMenuByKey(QWidget& widget);
// Installs the key on the application, once; later calls do nothing.
void InstallContextMenuKey();

} // namespace kvl
