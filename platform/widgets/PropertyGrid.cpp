#include "platform/widgets/PropertyGrid.h"

#include "platform/widgets/FieldBoxes.h"

#include <QComboBox>
#include <QHeaderView>

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

// Captions and values share the width, so both stay in view in a narrow grid.
void PropertyGrid::resizeEvent(QResizeEvent* event)
{
    QTreeWidget::resizeEvent(event);
    const int captionWidth = viewport()->width() * 11 / 20;
    setColumnWidth(0, captionWidth);
    setColumnWidth(1, viewport()->width() - captionWidth);
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
        box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        box->setMinimumContentsLength(4);
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
