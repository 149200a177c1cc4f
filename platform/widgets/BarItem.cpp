#include "platform/widgets/BarItem.h"

#include <stdexcept>

namespace kvl {

BarItem::BarItem(BarItemHost& host, BarItemKind kind, QString key, QString text, QString toolTip)
    : host_(host), kind_(kind), key_(std::move(key)), text_(std::move(text)), toolTip_(std::move(toolTip))
{
}

void BarItem::SetText(const QString& text)
{
    if (text_ == text)
        return;
    text_ = text;
    host_.ItemChanged(*this);
}

template <typename T>
void BarItem::Change(T& state, T value)
{
    if (state == value)
        return;
    state = value;
    host_.ItemChanged(*this);
}

void BarItem::SetVisible(int visible)
{
    Change(visible_, visible != 0 ? 1 : 0);
}

void BarItem::SetEnabled(bool enabled)
{
    Change(enabled_, enabled);
}

// Unlike the other states, selecting raises the click every time, as the bars' users expect.
void BarItem::SetSelected(bool selected)
{
    selected_ = selected;
    host_.ItemChanged(*this);
    if (selected)
        host_.ItemSelected(*this);
}

void BarItem::MarkSelected(bool selected)
{
    Change(selected_, selected);
}

void BarItem::SetChecked(bool checked)
{
    Change(checked_, checked);
}

BarItem& BarItems::Add(BarItemKind kind, const QString& key, const QString& text, const QString& toolTip)
{
    items_.push_back(std::make_unique<BarItem>(host_, kind, key, text, toolTip));
    BarItem& item = *items_.back();
    if (!key.isEmpty())
        byKey_[key] = &item;
    return item;
}

BarItem& BarItems::operator[](const QString& key) const
{
    auto found = byKey_.find(key);
    if (found == byKey_.end())
        throw std::out_of_range("no bar item with the key " + key.toStdString());
    return *found->second;
}

} // namespace kvl
