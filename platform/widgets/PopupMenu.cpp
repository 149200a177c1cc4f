#include "platform/widgets/PopupMenu.h"

#include <QMenu>
#include <QWidget>

#include <algorithm>

namespace kvl {

PopupMenu::PopupMenu(QWidget* owner) : QObject(owner), owner_(owner) {}

PopupMenu::~PopupMenu()
{
    delete shown_;
}

void PopupMenu::RemoveAll()
{
    entries_.clear();
}

void PopupMenu::Add(const QString& key, const QString& caption, int type, int value, const QString& parentKey)
{
    entries_.push_back({key, caption, type, value, parentKey});
}

void PopupMenu::RemoveSubEntries(const QString& key)
{
    std::erase_if(entries_, [&](const Entry& e) { return !e.parentKey.isEmpty() && e.parentKey == key; });
}

QStringList PopupMenu::TopKeys() const
{
    QStringList keys;
    for (const Entry& e : entries_)
        if (e.parentKey.isEmpty())
            keys << e.key;
    return keys;
}

QStringList PopupMenu::SubKeys(const QString& key) const
{
    QStringList keys;
    for (const Entry& e : entries_)
        if (!e.parentKey.isEmpty() && e.parentKey == key)
            keys << e.key;
    return keys;
}

const PopupMenu::Entry* PopupMenu::Find(const QString& key) const
{
    auto it = std::find_if(entries_.begin(), entries_.end(), [&](const Entry& e) { return e.key == key; });
    return it == entries_.end() ? nullptr : &*it;
}

QString PopupMenu::Caption(const QString& key) const
{
    const Entry* e = Find(key);
    return e ? e->caption : QString();
}

int PopupMenu::Value(const QString& key) const
{
    const Entry* e = Find(key);
    return e ? e->value : 0;
}

void PopupMenu::Show(const QString& key, const QPoint& atOwnerPoint)
{
    delete shown_;
    auto* menu = new QMenu(owner_);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    for (const QString& sub : SubKeys(key)) {
        QAction* action = menu->addAction(Caption(sub));
        action->setData(sub);
        // Queued: the handler may show a dialog, which must not run inside the menu's own event.
        connect(action, &QAction::triggered, this, [this, sub] { Click(sub); }, Qt::QueuedConnection);
    }
    shown_ = menu;
    menu->popup(owner_ ? owner_->mapToGlobal(atOwnerPoint) : atOwnerPoint);
}

void PopupMenu::Click(const QString& key)
{
    emit ItemClick(key);
}

void AddAddDeleteEntries(PopupMenu& popup)
{
    popup.RemoveAll();
    popup.Add(PopupMenu::kPopupKey, QString(), PopupMenu::TopEntry);
    popup.RemoveSubEntries(PopupMenu::kPopupKey);
    popup.Add(QStringLiteral("Add"), QStringLiteral("Add"), PopupMenu::SubEntry, 1, PopupMenu::kPopupKey);
    popup.Add(QStringLiteral("Delete"), QStringLiteral("Delete"), PopupMenu::SubEntry, 2, PopupMenu::kPopupKey);
}

} // namespace kvl
