#include "platform/widgets/CheckItem.h"

#include <stdexcept>

namespace kvl {

CheckItem::CheckItem(CheckItemHost& host, CheckItemKind kind, QString key, QString caption, CheckItem* parent)
    : host_(host), kind_(kind), key_(std::move(key)), caption_(std::move(caption)), parent_(parent)
{
    if (kind_ == CheckItemKind::Check || kind_ == CheckItemKind::Option)
        value_ = QStringLiteral("0");
}

template <typename T>
void CheckItem::Change(T& state, const T& value)
{
    if (state == value)
        return;
    state = value;
    host_.ItemChanged(*this, CheckItemHost::Change::State);
}

void CheckItem::SetCaption(const QString& caption)
{
    Change(caption_, caption);
}

void CheckItem::SetValue(const QString& value)
{
    Change(value_, value);
    if (kind_ == CheckItemKind::Option && Ticked())
        host_.OptionChosen(*this);
}

void CheckItem::SetEnabled(bool enabled)
{
    Change(enabled_, enabled);
}

void CheckItem::SetHidden(bool hidden)
{
    Change(hidden_, hidden);
}

void CheckItem::SetSelected(bool selected)
{
    Change(selected_, selected);
}

void CheckItem::SetColor(const QColor& color)
{
    Change(color_, color);
}

void CheckItem::ClearEntries()
{
    SetEntries({});
}

void CheckItem::AddEntry(const QString& key, const QString& text)
{
    entries_.push_back({key, text});
    host_.ItemChanged(*this, CheckItemHost::Change::Entries);
}

void CheckItem::SetEntries(std::vector<CheckEntry> entries)
{
    entries_ = std::move(entries);
    host_.ItemChanged(*this, CheckItemHost::Change::Entries);
}

CheckItem& CheckItems::Add(CheckItemKind kind, const QString& key, const QString& caption, CheckItem* parent)
{
    if (!key.isEmpty() && Has(key))
        throw std::invalid_argument("a check list already holds the key " + key.toStdString());
    items_.push_back(std::make_unique<CheckItem>(host_, kind, key, caption, parent));
    CheckItem& item = *items_.back();
    if (!key.isEmpty())
        byKey_[key] = &item;
    return item;
}

CheckItem& CheckItems::operator[](const QString& key) const
{
    CheckItem* item = Find(key);
    if (!item)
        throw std::out_of_range("no check-list item with the key " + key.toStdString());
    return *item;
}

CheckItem* CheckItems::Find(const QString& key) const
{
    auto found = byKey_.find(key);
    return found == byKey_.end() ? nullptr : found->second;
}

std::vector<std::unique_ptr<CheckItem>> CheckItems::Remove(const CheckItem& item)
{
    const auto underRemoved = [&item](const CheckItem& candidate) {
        for (const CheckItem* p = &candidate; p; p = p->Parent())
            if (p == &item)
                return true;
        return false;
    };
    std::vector<std::unique_ptr<CheckItem>> removed;
    for (auto it = items_.begin(); it != items_.end();) {
        if (underRemoved(**it)) {
            byKey_.erase((*it)->Key());
            removed.push_back(std::move(*it));
            it = items_.erase(it);
        } else {
            ++it;
        }
    }
    return removed;
}

void CheckItems::Clear()
{
    byKey_.clear();
    items_.clear();
}

} // namespace kvl
