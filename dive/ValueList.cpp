#include "dive/ValueList.h"

namespace kvl {

ValueList::ValueList(QWidget* parent) : QTreeWidget(parent)
{
    setColumnCount(2);
    setHeaderHidden(true);
    setRootIsDecorated(false);
}

void ValueList::AddItem(const QString& key, const QString& caption, const QString& text)
{
    auto* item = new QTreeWidgetItem(this, {caption, text});
    item->setData(0, Qt::UserRole, key);
}

QTreeWidgetItem* ValueList::Find(const QString& key) const
{
    for (int i = 0; i < topLevelItemCount(); ++i)
        if (topLevelItem(i)->data(0, Qt::UserRole).toString() == key)
            return topLevelItem(i);
    return nullptr;
}

bool ValueList::HasItem(const QString& key) const
{
    return Find(key) != nullptr;
}

QString ValueList::ItemText(const QString& key) const
{
    const QTreeWidgetItem* item = Find(key);
    return item ? item->text(1) : QString();
}

void ValueList::SetItemText(const QString& key, const QString& text)
{
    if (QTreeWidgetItem* item = Find(key))
        item->setText(1, text);
}

} // namespace kvl
