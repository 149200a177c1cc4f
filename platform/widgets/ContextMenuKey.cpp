#include "platform/widgets/ContextMenuKey.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QWidget>

namespace kvl {

namespace {

class ContextMenuKey : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
            return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() != Qt::Key_F10 || key->modifiers() != Qt::ShiftModifier)
            return false;
        // The key reaches the focused widget first: the menu is that widget's.
        OpenContextMenuByKey(*static_cast<QWidget*>(watched));
        return true;
    }
};

} // namespace

void OpenContextMenuByKey(QWidget& widget)
{
    const QPoint at = widget.inputMethodQuery(Qt::ImCursorRectangle).toRect().center();
    QContextMenuEvent menu(QContextMenuEvent::Keyboard, at, widget.mapToGlobal(at));
    QApplication::sendEvent(&widget, &menu);
}

void InstallContextMenuKey()
{
    static ContextMenuKey* installed = nullptr;
    if (installed)
        return;
    installed = new ContextMenuKey(qApp);
    qApp->installEventFilter(installed);
}

} // namespace kvl
