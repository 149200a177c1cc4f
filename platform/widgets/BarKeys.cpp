#include "platform/widgets/BarKeys.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <QToolButton>

#include <algorithm>

namespace kvl {

namespace {

void Press(QAbstractButton& button)
{
    auto* tool = qobject_cast<QToolButton*>(&button);
    if (tool && tool->menu())
        tool->showMenu();
    else
        button.click();
}

} // namespace

BarKeys::BarKeys(QWidget& bar, ItemList items) : QObject(&bar), items_(std::move(items)) {}

bool BarKeys::Reachable(const QAbstractButton* button) const
{
    const std::vector<Item> items = items_();
    return std::any_of(items.begin(), items.end(),
                       [button](const Item& item) { return button && item.button == button && item.reachable; });
}

QAbstractButton* BarKeys::Neighbour(const QAbstractButton* from, int step) const
{
    const std::vector<Item> items = items_();
    const int count = static_cast<int>(items.size());
    const auto found =
        std::find_if(items.begin(), items.end(), [from](const Item& item) { return item.button == from; });
    int at = found != items.end() ? static_cast<int>(found - items.begin()) : (step > 0 ? -1 : count);
    for (int tried = 0; tried < count; ++tried) {
        at = (at + step + count) % count;
        const Item& item = items[static_cast<size_t>(at)];
        if (item.button != from && item.reachable)
            return item.button;
    }
    return nullptr;
}

void BarKeys::Update()
{
    const bool focusGoes = stop_ && stop_->hasFocus() && !Reachable(stop_);
    if (!Reachable(stop_))
        stop_ = Neighbour(stop_, 1);
    for (const Item& item : items_()) {
        item.button->removeEventFilter(this);
        item.button->installEventFilter(this);
        item.button->setFocusPolicy(item.button == stop_ ? Qt::TabFocus : Qt::NoFocus);
    }
    if (focusGoes && stop_)
        stop_->setFocus(Qt::OtherFocusReason);
}

void BarKeys::Focus(QAbstractButton* button)
{
    if (!button)
        return;
    stop_ = button;
    Update();
    button->setFocus(Qt::OtherFocusReason);
}

bool BarKeys::eventFilter(QObject* watched, QEvent* event)
{
    auto* button = qobject_cast<QAbstractButton*>(watched);
    if (!button)
        return false;
    if (event->type() == QEvent::FocusIn && stop_ != button) {
        stop_ = button;
        Update();
    }
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->modifiers() & ~Qt::KeypadModifier)
        return false;
    switch (key->key()) {
    case Qt::Key_Left:
    case Qt::Key_Up:
        Focus(Neighbour(button, -1));
        return true;
    case Qt::Key_Right:
    case Qt::Key_Down:
        Focus(Neighbour(button, 1));
        return true;
    case Qt::Key_Home:
        Focus(Neighbour(nullptr, 1));
        return true;
    case Qt::Key_End:
        Focus(Neighbour(nullptr, -1));
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        Press(*button);
        return true;
    default:
        return false;
    }
}

} // namespace kvl
