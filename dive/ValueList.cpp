#include "dive/ValueList.h"

#include <QApplication>
#include <QHeaderView>
#include <QStyle>

namespace kvl {

namespace {

constexpr int kDropDownRole = Qt::UserRole + 1;

} // namespace

ValueList::ValueList(QWidget* parent) : QTreeWidget(parent)
{
    setColumnCount(2);
    setHeaderHidden(true);
    setRootIsDecorated(false);
    header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    connect(this, &QTreeWidget::itemClicked, this, &ValueList::ItemPicked);
    connect(this, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) { ItemPicked(item, 1); });
}

void ValueList::AddItem(const QString& key, const QString& caption, const QString& text)
{
    auto* item = new QTreeWidgetItem(this, {caption, text});
    item->setData(0, Qt::UserRole, key);
}

void ValueList::AddDropDownItem(const QString& key, const QString& caption, const QString& text)
{
    AddItem(key, caption, text);
    QTreeWidgetItem* item = Find(key);
    item->setData(0, kDropDownRole, true);
    item->setIcon(1, QApplication::style()->standardIcon(QStyle::SP_ArrowDown));
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

void ValueList::ItemPicked(QTreeWidgetItem* item, int column)
{
    if (item && column == 1 && item->data(0, kDropDownRole).toBool())
        DropDown(item->data(0, Qt::UserRole).toString());
}

void ValueList::DropDown(const QString& key)
{
    QTreeWidgetItem* item = Find(key);
    QWidget* window = item && dropDown_ ? dropDown_(key) : nullptr;
    if (!window)
        return;
    const QRect value = visualItemRect(item);
    window->setWindowFlags(Qt::Popup);
    window->move(viewport()->mapToGlobal(QPoint(columnViewportPosition(1), value.bottom())));
    window->show();
    window->setFocus(Qt::PopupFocusReason);   // keys go to the window at once
}

} // namespace kvl
