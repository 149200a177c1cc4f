#pragma once
// The mouse as the user works it on a widget (a list's viewport, a box).

#include <QApplication>
#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QWidget>

namespace kvl::test {

// A right click at the point, as the platform gives it: the press, then the context
// menu; the menu that opens takes the release.
inline void RightClick(QWidget& surface, const QPoint& at)
{
    QMouseEvent press(QEvent::MouseButtonPress, at, surface.mapToGlobal(at), Qt::RightButton, Qt::RightButton,
                      Qt::NoModifier);
    QApplication::sendEvent(&surface, &press);
    QContextMenuEvent menu(QContextMenuEvent::Mouse, at, surface.mapToGlobal(at));
    QApplication::sendEvent(&surface, &menu);
}

} // namespace kvl::test
