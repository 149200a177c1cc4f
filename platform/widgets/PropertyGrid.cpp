#include "platform/widgets/PropertyGrid.h"

#include "platform/widgets/Captions.h"
#include "platform/widgets/FieldBoxes.h"
#include "platform/widgets/LineBoxGuards.h"

#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QHeaderView>
#include <QLineEdit>
#include <QStyledItemDelegate>

#include <algorithm>

namespace kvl {

namespace {
constexpr int KeyRole = Qt::UserRole;
constexpr int KindRole = Qt::UserRole + 1;
constexpr int DisplaySettingRole = Qt::UserRole + 2;
constexpr int IndentedSetting = 1;
constexpr int IndentWidth = 16;
constexpr int CaptionGap = 8;   // between the widest caption and the value boxes

bool Indented(const QModelIndex& index)
{
    return index.data(DisplaySettingRole).toInt() == IndentedSetting;
}

// Draws the caption of a row with the display setting 1 one step in.
class CaptionDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QStyleOptionViewItem shifted(option);
        if (Indented(index))
            shifted.rect.adjust(IndentWidth, 0, 0, 0);
        QStyledItemDelegate::paint(painter, shifted, index);
    }
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        const QSize size = QStyledItemDelegate::sizeHint(option, index);
        return Indented(index) ? size + QSize(IndentWidth, 0) : size;
    }
};
} // namespace

PropertyGrid::PropertyGrid(QWidget* parent) : QTreeWidget(parent)
{
    setColumnCount(2);
    setHeaderHidden(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setRootIsDecorated(true);
    setIndentation(12);
    setItemDelegateForColumn(0, new CaptionDelegate(this));
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
    if (!findChildren<QLineEdit*>().isEmpty()) {
        // A record grid: the captions are short, the typed values take the rest. A
        // caption is measured as it is drawn: its closing tab reaches the next tab stop.
        QStyleOptionViewItem option;
        initViewItemOption(&option);
        int captionWidth = 0;
        for (QTreeWidgetItemIterator it(this); *it; ++it)
            if ((*it)->data(0, KindRole).toInt() == Text)
                captionWidth = std::max(captionWidth,
                                        itemDelegateForColumn(0)->sizeHint(option, indexFromItem(*it, 0)).width());
        captionWidth = std::min(captionWidth + CaptionGap, width / 2);
        setColumnWidth(0, captionWidth);
        setColumnWidth(1, width - captionWidth);
        return;
    }
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
    if (kind == Header || kind == Text || kind == Spacer) {
        addTopLevelItem(item);
        setRootIsDecorated(false);
        if (kind == Header) {
            lastHeader_ = caption.trimmed();
            QFont bold = item->font(0);
            bold.setBold(true);
            item->setFont(0, bold);
            item->setFirstColumnSpanned(true);
        }
        if (kind == Text)
            AddTextBox(item, key, caption);
        else
            item->setFlags(Qt::ItemIsEnabled);
        return;
    }
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
        box->setAccessibleName(NameOfCaption(caption));
        box->setSizeAdjustPolicy(QComboBox::AdjustToContentsOnFirstShow);
        PlaceBox(item, box);
        // Queued: the handler of ItemValueChange may rebuild the grid, this box included.
        connect(box, &QComboBox::textActivated, this,
                [this, key](const QString& text) { ChooseValue(key, text); }, Qt::QueuedConnection);
    }
}

void PropertyGrid::AddTextBox(QTreeWidgetItem* item, const QString& key, const QString& caption)
{
    UseLineBoxGuards();
    auto* box = new QLineEdit(this);
    box->setObjectName(key);
    // Named by its header too: a screen reader does not see which "Phone:" of the grid it is in.
    const QString header = lastHeader_.isEmpty() ? QString() : lastHeader_.left(1) + lastHeader_.mid(1).toLower();
    box->setAccessibleName(header.isEmpty() ? NameOfCaption(caption) : header + QLatin1Char(' ') + NameOfCaption(caption));
    box->setFrame(false);
    box->installEventFilter(this);
    PlaceBox(item, box);
    connect(box, &QLineEdit::textEdited, this, [this, key] { emit ItemValueChange(key); });
}

void PropertyGrid::PlaceBox(QTreeWidgetItem* item, QWidget* box)
{
    setItemWidget(item, 1, box);
    if (!focusedKey_.isEmpty() && item->data(0, KeyRole).toString() == focusedKey_) {
        focusedKey_.clear();
        if (hasFocus())
            box->setFocus(Qt::OtherFocusReason);
    }
    // A box made now would join the Tab chain at the window's end: the grid's boxes
    // follow the grid, in row order, and the box after the grid follows them.
    QWidget* previous = this;
    for (QTreeWidgetItemIterator it(this); *it; ++it) {
        if (QWidget* next = itemWidget(*it, 1)) {
            setTabOrder(previous, next);
            previous = next;
        }
    }
}

bool PropertyGrid::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress)
        if (auto* box = qobject_cast<QLineEdit*>(watched); box && !box->isReadOnly())   // a locked box changes nothing
            emit KeyDown(box->objectName());
    return QTreeWidget::eventFilter(watched, event);
}

QTreeWidgetItem* PropertyGrid::RowOfFocusedBox() const
{
    const QWidget* focused = QApplication::focusWidget();
    if (!focused || !isAncestorOf(focused))
        return nullptr;
    for (QTreeWidgetItemIterator it(const_cast<PropertyGrid*>(this)); *it; ++it)
        if (itemWidget(*it, 1) == focused)
            return *it;
    return nullptr;
}

bool PropertyGrid::Contains(const QString& key) const { return Item(key) != nullptr; }

void PropertyGrid::Remove(const QString& key)
{
    QTreeWidgetItem* item = Item(key);
    if (!item)
        return;
    if (item == lastGroup_)
        lastGroup_ = nullptr;
    // The box goes with its row (a group's rows go with it); the focus would jump on to
    // the next box of the form.
    const QTreeWidgetItem* focusedRow = RowOfFocusedBox();
    for (const QTreeWidgetItem* row = focusedRow; row; row = row->parent()) {
        if (row == item) {
            focusedKey_ = focusedRow->data(0, KeyRole).toString();
            setFocus(Qt::OtherFocusReason);
            break;
        }
    }
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
    if (const QLineEdit* box = ValueBox(key))
        return box->text();
    QTreeWidgetItem* item = Item(key);
    return item ? item->text(1) : QString();
}

QLineEdit* PropertyGrid::ValueBox(const QString& key) const
{
    QTreeWidgetItem* item = Item(key);
    return item ? qobject_cast<QLineEdit*>(itemWidget(item, 1)) : nullptr;
}

void PropertyGrid::SetValueText(const QString& key, const QString& text)
{
    QTreeWidgetItem* item = Item(key);
    if (!item)
        return;
    if (auto* edit = qobject_cast<QLineEdit*>(itemWidget(item, 1))) {
        edit->setText(text);
        edit->setCursorPosition(0);
        return;
    }
    item->setText(1, text);
    if (auto* box = qobject_cast<ListBox*>(itemWidget(item, 1)))
        box->SetText(text);
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
    auto* box = qobject_cast<ListBox*>(itemWidget(item, 1));
    const int at = position <= 0 || position > box->count() ? box->count() : position - 1;
    {
        const QSignalBlocker quiet(box);
        box->insertItem(at, text, choiceKey);
    }
    box->SetText(item->text(1));
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

int PropertyGrid::RowCount() const
{
    int rows = 0;
    for (QTreeWidgetItemIterator it(const_cast<PropertyGrid*>(this)); *it; ++it)
        ++rows;
    return rows;
}

void PropertyGrid::SetRowColour(const QString& key, quint32 systemColour)
{
    QTreeWidgetItem* item = Item(key);
    if (!item || systemColour != ButtonFaceColour)
        return;
    const QBrush face = palette().button();
    item->setBackground(0, face);
    item->setBackground(1, face);
}

QColor PropertyGrid::RowColour(const QString& key) const
{
    QTreeWidgetItem* item = Item(key);
    if (!item || item->background(0).style() == Qt::NoBrush)
        return {};
    return item->background(0).color();
}

void PropertyGrid::SetDisplaySetting(const QString& key, int setting)
{
    if (QTreeWidgetItem* item = Item(key))
        item->setData(0, DisplaySettingRole, setting);
}

int PropertyGrid::DisplaySetting(const QString& key) const
{
    QTreeWidgetItem* item = Item(key);
    return item ? item->data(0, DisplaySettingRole).toInt() : 0;
}

void PropertyGrid::ChooseValue(const QString& key, const QString& text)
{
    if (!Item(key))
        return;
    SetValueText(key, text);
    emit ItemValueChange(key);
}

} // namespace kvl

namespace kvl {

void PropertyGrid::TypeValue(const QString& key, const QString& text)
{
    QLineEdit* box = ValueBox(key);
    if (!box || box->isReadOnly())
        return;
    emit KeyDown(key);
    // As typing over the whole value: the box's check may refuse it and say so.
    box->selectAll();
    box->insert(text);
    QCoreApplication::sendPostedEvents(box, QEvent::MetaCall);
}

} // namespace kvl
