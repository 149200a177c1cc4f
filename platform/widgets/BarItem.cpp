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

void BarItem::SetVisible(int visible)
{
    visible = visible != 0 ? 1 : 0;
    if (visible_ == visible)
        return;
    visible_ = visible;
    host_.ItemChanged(*this);
}

void BarItem::SetEnabled(bool enabled)
{
    if (enabled_ == enabled)
        return;
    enabled_ = enabled;
    host_.ItemChanged(*this);
}

void BarItem::SetSelected(bool selected)
{
    selected_ = selected;
    host_.ItemChanged(*this);
    if (selected)
        host_.ItemSelected(*this);
}

void BarItem::MarkSelected(bool selected)
{
    if (selected_ == selected)
        return;
    selected_ = selected;
    host_.ItemChanged(*this);
}

void BarItem::SetChecked(bool checked)
{
    if (checked_ == checked)
        return;
    checked_ = checked;
    host_.ItemChanged(*this);
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
