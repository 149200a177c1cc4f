#include "platform/widgets/ValueList.h"

#include <QApplication>
#include <QHeaderView>
#include <QStyle>
#include <QTreeWidgetItemIterator>

namespace kvl {

namespace {

constexpr int kDropDownRole = Qt::UserRole + 1;
constexpr int kCheckedRole = Qt::UserRole + 2;   // the last state ItemCheck reported

} // namespace

ValueList::ValueList(QWidget* parent) : QTreeWidget(parent)
{
    setColumnCount(2);
    setHeaderHidden(true);
    setRootIsDecorated(false);
    header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    connect(this, &QTreeWidget::itemClicked, this, &ValueList::ItemPicked);
    connect(this, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) { ItemPicked(item, 1); });
    connect(this, &QTreeWidget::itemChanged, this, &ValueList::CheckChanged);
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
    for (QTreeWidgetItemIterator it(const_cast<ValueList*>(this)); *it; ++it) {
        if ((*it)->data(0, Qt::UserRole).toString() == key)
            return *it;
    }
    return nullptr;
}

void ValueList::AddCheckItem(const QString& key, const QString& text)
{
    auto* item = new QTreeWidgetItem({text});
    item->setData(0, Qt::UserRole, key);
    item->setData(0, kCheckedRole, false);
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    item->setCheckState(0, Qt::Unchecked);
    addTopLevelItem(item);
    item->setFirstColumnSpanned(true);
}

void ValueList::AddChildLine(const QString& parentKey, const QString& key, const QString& text, const QColor& color)
{
    QTreeWidgetItem* parent = Find(parentKey);
    if (!parent)
        return;
    auto* item = new QTreeWidgetItem(parent, {text});
    item->setData(0, Qt::UserRole, key);
    item->setForeground(0, color);
    item->setFirstColumnSpanned(true);
    parent->setExpanded(true);
}

void ValueList::RemoveItem(const QString& key)
{
    delete Find(key);
}

void ValueList::ClearItems()
{
    clear();
}

QString ValueList::LineText(const QString& key) const
{
    const QTreeWidgetItem* item = Find(key);
    return item ? item->text(0) : QString();
}

void ValueList::SetLineText(const QString& key, const QString& text)
{
    if (QTreeWidgetItem* item = Find(key))
        item->setText(0, text);
}

void ValueList::SetLineIcon(const QString& key, const QIcon& icon)
{
    if (QTreeWidgetItem* item = Find(key))
        item->setIcon(0, icon);
}

bool ValueList::ItemChecked(const QString& key) const
{
    const QTreeWidgetItem* item = Find(key);
    return item && item->checkState(0) == Qt::Checked;
}

void ValueList::SetItemChecked(const QString& key, bool checked)
{
    if (QTreeWidgetItem* item = Find(key))
        item->setCheckState(0, checked ? Qt::Checked : Qt::Unchecked);
}

bool ValueList::ItemEnabled(const QString& key) const
{
    const QTreeWidgetItem* item = Find(key);
    return item && !item->isDisabled();
}

void ValueList::SetItemEnabled(const QString& key, bool enabled)
{
    if (QTreeWidgetItem* item = Find(key))
        item->setDisabled(!enabled);
}

QColor ValueList::ItemColor(const QString& key) const
{
    const QTreeWidgetItem* item = Find(key);
    return item ? item->foreground(0).color() : QColor();
}

QStringList ValueList::Keys() const
{
    QStringList keys;
    for (QTreeWidgetItemIterator it(const_cast<ValueList*>(this)); *it; ++it)
        keys << (*it)->data(0, Qt::UserRole).toString();
    return keys;
}

// Qt reports every change of an item; only a new check state is passed on.
void ValueList::CheckChanged(QTreeWidgetItem* item, int column)
{
    if (column != 0 || !(item->flags() & Qt::ItemIsUserCheckable))
        return;
    const bool checked = item->checkState(0) == Qt::Checked;
    if (item->data(0, kCheckedRole).toBool() == checked)
        return;
    item->setData(0, kCheckedRole, checked);
    emit ItemCheck(item->data(0, Qt::UserRole).toString(), checked);
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
