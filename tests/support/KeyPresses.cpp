#include "tests/support/KeyPresses.h"

#include "platform/widgets/ContextMenuKey.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QPointer>
#include <QWidget>

namespace kvl::test {

bool ShowActive(QWidget& window)
{
    window.show();
    window.activateWindow();
    QElapsedTimer waited;
    waited.start();
    while (QApplication::activeWindow() != &window && waited.elapsed() < 2000)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    return QApplication::activeWindow() == &window;
}

QWidget* Focused()
{
    return QApplication::focusWidget();
}

namespace {

void Click(Qt::Key key, Qt::KeyboardModifiers modifiers, const QString& text)
{
    QPointer<QWidget> target = Focused();
    if (!target)
        return;
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(target, &press);
    if (!target) {
        QApplication::processEvents();
        return;
    }
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
    QApplication::sendEvent(target, &release);
    QApplication::processEvents();   // as between a user's keys: layouts settle
}

} // namespace

void PressKey(Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    // The text the key brings, as from a real keyboard: a box that took Tab would type it.
    const QString text = key == Qt::Key_Space ? QStringLiteral(" ") : key == Qt::Key_Tab ? QStringLiteral("\t") : QString();
    Click(key, modifiers, text);
}

void TypeText(const QString& text)
{
    for (const QChar c : text) {
        const Qt::Key key = c == QLatin1Char(' ') ? Qt::Key_Space : static_cast<Qt::Key>(c.toUpper().unicode());
        Click(key, c.isUpper() ? Qt::ShiftModifier : Qt::NoModifier, QString(c));
    }
}

void PressMenuKey()
{
    QWidget* target = Focused();
    if (!target)
        return;
    OpenContextMenuByKey(*target);
    QApplication::processEvents();
}

bool ChooseInMenu(int position)
{
    QWidget* menu = QApplication::activePopupWidget();
    if (!menu)
        return false;
    for (int presses = 0; presses <= position; ++presses) {
        QKeyEvent press(QEvent::KeyPress, presses < position ? Qt::Key_Down : Qt::Key_Return, Qt::NoModifier);
        QApplication::sendEvent(menu, &press);
    }
    QApplication::processEvents();   // the entry's command runs once the menu's event is over
    return true;
}

} // namespace kvl::test
