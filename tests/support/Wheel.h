#pragma once
// The mouse wheel as the user turns it over a widget. The event is marked as coming
// from the window system and handed to the application as the window system hands it
// (sendEvent would clear the mark): only such an event goes on to the parents (the
// form that scrolls) when the widget leaves it; an event made by code stops there.

#include <QApplication>
#include <QWheelEvent>
#include <QWidget>
#include <QtTest/qtestspontaneevent.h>

namespace kvl::test {

// One notch of the wheel towards the user (the page scrolls down), then the events
// it posted are handled.
inline void TurnWheelDown(QWidget& widget)
{
    constexpr int kNotch = 120;   // QWheelEvent's eighths of a degree per notch
    const QPointF at(5, 5);
    QWheelEvent wheel(at, widget.mapToGlobal(at), QPoint(), QPoint(0, -kNotch), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QSpontaneKeyEvent::setSpontaneous(&wheel);
    QApplication::instance()->notify(&widget, &wheel);
    QApplication::processEvents();
}

} // namespace kvl::test
