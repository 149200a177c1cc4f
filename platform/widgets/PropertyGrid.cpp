#include "platform/widgets/PropertyGrid.h"

#include "platform/widgets/FieldBoxes.h"

#include <QComboBox>
#include <QHeaderView>

#include <algorithm>

namespace kvl {

namespace {
constexpr int KeyRole = Qt::UserRole;
constexpr int KindRole = Qt::UserRole + 1;
}

PropertyGrid::PropertyGrid(QWidget* parent) : QTreeWidget(parent)
{
    setColumnCount(2);
    setHeaderHidden(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setRootIsDecorated(true);
    setIndentation(12);
}

void PropertyGrid::resizeEvent(QResizeEvent* event)
{
    QTreeWidget::resizeEvent(event);
    FitColumns();
}

// The values take the width the widest of them needs, up to nearly half the grid;
// the captions, which are longer, take the rest. Both stay in view in a narrow grid.
void PropertyGrid::FitColumns()
{
    const int width = viewport()->width();
    int valueWidth = 0;
    for (QTreeWidgetItemIterator it(this); *it; ++it) {
        const QWidget* box = itemWidget(*it, 1);
        const int needed = box ? box->sizeHint().width() : fontMetrics().horizontalAdvance((*it)->text(1)) + 12;
        valueWidth = std::max(valueWidth, needed);
    }
    valueWidth = std::min(valueWidth, width * 9 / 20);
    setColumnWidth(0, width - valueWidth);
    setColumnWidth(1, valueWidth);
}

QTreeWidgetItem* PropertyGrid::Item(const QString& key) const
{
    for (QTreeWidgetItemIterator it(const_cast<PropertyGrid*>(this)); *it; ++it)
        if ((*it)->data(0, KeyRole).toString() == key)
            return *it;
    return nullptr;
}

void PropertyGrid::Add(const QString& key, const QString& caption, int kind)
{
    auto* item = new QTreeWidgetItem;
    item->setData(0, KeyRole, key);
    item->setData(0, KindRole, kind);
    item->setText(0, caption);
    item->setToolTip(0, caption.trimmed());   // a caption cut short by a narrow grid
    if (kind == Group) {
        QFont bold = item->font(0);
        bold.setBold(true);
        item->setFont(0, bold);
        addTopLevelItem(item);
        item->setFirstColumnSpanned(true);  // a heading must not widen the caption column
        lastGroup_ = item;
        return;
    }
    if (lastGroup_)
        lastGroup_->addChild(item);
    else
        addTopLevelItem(item);
    if (kind == Choice) {
        auto* box = new ListBox(false, this);   // not turned by a passing mouse wheel
        box->setObjectName(key);
        box->setSizeAdjustPolicy(QComboBox::AdjustToContentsOnFirstShow);
        setItemWidget(item, 1, box);
        // Queued: the handler of ItemValueChange may rebuild the grid, this box included.
        connect(box, &QComboBox::textActivated, this,
                [this, key](const QString& text) { ChooseValue(key, text); }, Qt::QueuedConnection);
    }
}

bool PropertyGrid::Contains(const QString& key) const { return Item(key) != nullptr; }

void PropertyGrid::Remove(const QString& key)
{
    QTreeWidgetItem* item = Item(key);
    if (!item)
        return;
    if (item == lastGroup_)
        lastGroup_ = nullptr;
    delete item;
}

void PropertyGrid::RemoveAll()
{
    for (const QString& key : Keys())
        Remove(key);
}

QStringList PropertyGrid::Keys() const
{
    QStringList keys;
    for (QTreeWidgetItemIterator it(const_cast<PropertyGrid*>(this)); *it; ++it)
        keys << (*it)->data(0, KeyRole).toString();
    return keys;
}

QString PropertyGrid::Caption(const QString& key) const
{
    QTreeWidgetItem* item = Item(key);
    return item ? item->text(0) : QString();
}

int PropertyGrid::Kind(const QString& key) const
{
    QTreeWidgetItem* item = Item(key);
    return item ? item->data(0, KindRole).toInt() : 0;
}

QString PropertyGrid::ValueText(const QString& key) const
{
    QTreeWidgetItem* item = Item(key);
    return item ? item->text(1) : QString();
}

void PropertyGrid::SetValueText(const QString& key, const QString& text)
{
    QTreeWidgetItem* item = Item(key);
    if (!item)
        return;
    item->setText(1, text);
    if (auto* box = qobject_cast<QComboBox*>(itemWidget(item, 1))) {
        const QSignalBlocker quiet(box);
        box->setCurrentIndex(box->findText(text));
    }
    FitColumns();
}

void PropertyGrid::Expand(const QString& key)
{
    if (QTreeWidgetItem* item = Item(key))
        item->setExpanded(true);
}

bool PropertyGrid::IsExpanded(const QString& key) const
{
    QTreeWidgetItem* item = Item(key);
    return item && item->isExpanded();
}

void PropertyGrid::AddChoice(const QString& key, int position, const QString& choiceKey, const QString& text)
{
    QTreeWidgetItem* item = Item(key);
    if (!item || item->data(0, KindRole).toInt() != Choice)
        return;
    auto* box = qobject_cast<QComboBox*>(itemWidget(item, 1));
    const QSignalBlocker quiet(box);
    const int at = position <= 0 || position > box->count() ? box->count() : position - 1;
    box->insertItem(at, text, choiceKey);
    box->setCurrentIndex(box->findText(item->text(1)));
    FitColumns();
}

QStringList PropertyGrid::Choices(const QString& key) const
{
    QStringList texts;
    if (QTreeWidgetItem* item = Item(key))
        if (auto* box = qobject_cast<QComboBox*>(itemWidget(item, 1)))
            for (int i = 0; i < box->count(); ++i)
                texts << box->itemText(i);
    return texts;
}

void PropertyGrid::ChooseValue(const QString& key, const QString& text)
{
    if (!Item(key))
        return;
    SetValueText(key, text);
    emit ItemValueChange(key);
}

} // namespace kvl
