#include "platform/widgets/CheckList.h"

#include "platform/widgets/Captions.h"
#include "platform/widgets/FieldBoxes.h"
#include "platform/widgets/LineBoxGuards.h"
#include "platform/widgets/ListAccessible.h"
#include "platform/widgets/ListTextBox.h"
#include "platform/widgets/TickListAccessible.h"

#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QScopedValueRollback>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyledItemDelegate>

#include <algorithm>

namespace kvl {

namespace {

constexpr int kCaptionColumn = 0;
constexpr int kValueColumn = 1;

bool IsTickable(const CheckItem& item)
{
    return item.Kind() == CheckItemKind::Check || item.Kind() == CheckItemKind::Option;
}

// Up, Down, Home, End and the page keys, alone: the keys that walk the lines.
bool IsLineKey(const QKeyEvent& event)
{
    static constexpr Qt::Key kLineKeys[] = {Qt::Key_Up,  Qt::Key_Down,   Qt::Key_Home,
                                            Qt::Key_End, Qt::Key_PageUp, Qt::Key_PageDown};
    return event.modifiers() == Qt::NoModifier && std::ranges::find(kLineKeys, event.key()) != std::end(kLineKeys);
}

// A value box is read under its line's caption after the caption of the line it hangs
// under ("Max Depth (M) from", "Buddy"); its value stays its own.
QString BoxName(const CheckItem& item)
{
    const QString under = item.Parent() ? NameOfCaption(item.Parent()->Caption()) : QString();
    return (under + QLatin1Char(' ') + NameOfCaption(item.Caption())).trimmed();
}

// Finds a line's tick box as the view's delegate does when it takes a click.
class TickBoxFinder : public QStyledItemDelegate {
public:
    QRect Find(QStyleOptionViewItem option, const QModelIndex& index, const QWidget& view) const
    {
        initStyleOption(&option, index);
        return view.style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, &view);
    }
};

// The circle of an option, chosen or not, as the style draws it.
QIcon OptionIcon(const QWidget& widget, bool chosen, bool enabled)
{
    const QStyle* style = widget.style();
    QPixmap pixmap(style->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth),
                   style->pixelMetric(QStyle::PM_ExclusiveIndicatorHeight));
    pixmap.fill(Qt::transparent);
    QStyleOptionButton option;
    option.rect = pixmap.rect();
    option.state = (chosen ? QStyle::State_On : QStyle::State_Off) | (enabled ? QStyle::State_Enabled : QStyle::State_None);
    option.palette = widget.palette();
    QPainter painter(&pixmap);
    style->drawPrimitive(QStyle::PE_IndicatorRadioButton, &option, &painter, &widget);
    return QIcon(pixmap);
}

// A drop-down item's value box: it shows any value text (a date the calendar wrote,
// or the chosen entry), and its arrow asks the list for a host window first.
class ValueBox : public QComboBox {
public:
    ValueBox(QWidget* parent, std::function<bool()> openHostWindow)
        : QComboBox(parent), openHostWindow_(std::move(openHostWindow))
    {
        TakeFocusByClickOnly(*this);
        setEditable(true);
        LockTextBox(*this);
        lineEdit()->installEventFilter(this);
        setInsertPolicy(QComboBox::NoInsert);
        setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        setMinimumContentsLength(10);   // a whole date
    }
    void showPopup() override
    {
        if (!openHostWindow_())
            QComboBox::showPopup();
    }

protected:
    void wheelEvent(QWheelEvent* event) override { LeaveWheelAlone(event); }
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        // A click on the text opens the box as a click on the arrow does.
        if (watched == lineEdit() && event->type() == QEvent::MouseButtonPress && isEnabled()) {
            showPopup();
            return true;
        }
        return QComboBox::eventFilter(watched, event);
    }

private:
    std::function<bool()> openHostWindow_;
};

} // namespace

CheckList::CheckList(QWidget* parent) : QTreeWidget(parent)
{
    UseListNames();
    ReadTicksAsCheckBoxes(*this);
    setColumnCount(2);
    setHeaderHidden(true);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // The value boxes keep the width their values need; captions take the rest, and a
    // line without a box spans the whole width.
    header()->setStretchLastSection(false);
    header()->setSectionResizeMode(kCaptionColumn, QHeaderView::Stretch);
    header()->setSectionResizeMode(kValueColumn, QHeaderView::Fixed);
    header()->resizeSection(kValueColumn, 0);
    connect(this, &QTreeWidget::itemClicked, this, &CheckList::RowClicked);
    connect(this, &QTreeWidget::itemChanged, this, &CheckList::RowChanged);
    connect(this, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* row) {
        if (const CheckItem* item = ItemOf(row); item && item->Kind() == CheckItemKind::DropDown)
            DropDown(item->Key());
    });
    connect(this, &QTreeWidget::itemSelectionChanged, this, &CheckList::SelectionMoved);
}

CheckList::~CheckList()
{
    // The items go first, so no state change reaches a half-destroyed tree.
    lines_.clear();
    items_.Clear();
}

CheckItem& CheckList::AddItem(CheckItemKind kind, const QString& key, const QString& caption, CheckItem* parent)
{
    CheckItem& item = items_.Add(kind, key, caption, parent);
    Line line;
    if (parent) {
        QTreeWidgetItem* parentRow = lines_.at(parent).row;
        line.row = new QTreeWidgetItem(parentRow);
        parentRow->setExpanded(true);
    } else {
        line.row = new QTreeWidgetItem(this);
    }
    line.row->setData(kCaptionColumn, Qt::UserRole, QVariant::fromValue(reinterpret_cast<quintptr>(&item)));
    if (kind == CheckItemKind::GroupLine) {
        line.row->setFirstColumnSpanned(true);
        QFont bold = font();
        bold.setBold(true);
        line.row->setFont(kCaptionColumn, bold);
    } else if (kind == CheckItemKind::Check) {
        line.row->setFlags(line.row->flags() | Qt::ItemIsUserCheckable);
    } else if (kind == CheckItemKind::DropDown) {
        auto* box = new ValueBox(this, [this, &item] {
            QWidget* window = dropDown_ ? dropDown_(item.Key()) : nullptr;
            if (!window)
                return false;
            const QWidget* under = lines_.at(&item).box;
            window->setWindowFlags(Qt::Popup);
            window->move(under->mapToGlobal(QPoint(0, under->height())));
            window->show();
            window->setFocus(Qt::PopupFocusReason);   // keys go to the window at once
            return true;
        });
        connect(box, &QComboBox::activated, this, [this, &item](int index) { ChooseEntry(item.Key(), index); });
        line.box = box;
        setItemWidget(line.row, kValueColumn, box);
    } else if (kind == CheckItemKind::Text) {
        UseLineBoxGuards();
        auto* edit = new QLineEdit(this);
        edit->setMinimumWidth(40);
        connect(edit, &QLineEdit::textEdited, this, [this, &item](const QString& text) { TypeText(item.Key(), text); });
        line.edit = edit;
        setItemWidget(line.row, kValueColumn, edit);
    }
    lines_[&item] = line;
    FitValueColumn(line);
    Redraw(item, line);
    return item;
}

CheckItem& CheckList::AddGroupLine(const QString& caption)
{
    return AddItem(CheckItemKind::GroupLine, QString(), caption);
}

void CheckList::RemoveItem(const QString& key)
{
    CheckItem* item = items_.Find(key);
    if (!item)
        return;
    QTreeWidgetItem* row = lines_.at(item).row;
    for (const auto& gone : items_.Remove(*item))
        lines_.erase(gone.get());
    delete row;   // its child rows and value boxes go with it
}

// Once a list has value boxes, the lines without one span both columns, so that their
// captions are not cut where the boxes begin. (A list without boxes spans nothing:
// spanned lines are costly in long lists.)
void CheckList::FitValueColumn(const Line& added)
{
    QWidget* value = added.ValueWidget();
    if (!value) {
        if (valueWidth_ > 0)
            added.row->setFirstColumnSpanned(true);
        return;
    }
    if (valueWidth_ == 0)
        for (const auto& [item, line] : lines_)
            if (!line.box && !line.edit)
                line.row->setFirstColumnSpanned(true);
    valueWidth_ = std::max(valueWidth_, value->sizeHint().width());
    header()->resizeSection(kValueColumn, valueWidth_);
}

void CheckList::ClearItems()
{
    lines_.clear();
    items_.Clear();
    clear();
    valueWidth_ = 0;
    header()->resizeSection(kValueColumn, 0);
}

QWidget* CheckList::Line::ValueWidget() const
{
    return box ? static_cast<QWidget*>(box) : edit;
}

CheckItem* CheckList::ItemOf(const QTreeWidgetItem* row) const
{
    return row ? reinterpret_cast<CheckItem*>(row->data(kCaptionColumn, Qt::UserRole).value<quintptr>()) : nullptr;
}

const CheckList::Line* CheckList::LineOf(const QString& key) const
{
    const CheckItem* item = items_.Find(key);
    return item ? &lines_.at(item) : nullptr;
}

CheckItem* CheckList::ItemAt(const QPoint& pos) const
{
    return ItemOf(itemAt(pos));
}

QComboBox* CheckList::DropDownBox(const QString& key) const
{
    const Line* line = LineOf(key);
    return line ? line->box : nullptr;
}

QLineEdit* CheckList::TextBox(const QString& key) const
{
    const Line* line = LineOf(key);
    return line ? line->edit : nullptr;
}

QRect CheckList::TickBoxRect(const QString& key) const
{
    const Line* line = LineOf(key);
    if (!line || items_[key].Kind() != CheckItemKind::Check)
        return {};
    const QModelIndex index = indexFromItem(line->row, kCaptionColumn);
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    option.rect = visualRect(index);
    return TickBoxFinder().Find(option, index, *this);
}

void CheckList::Redraw(const CheckItem& item, const Line& line)
{
    const QScopedValueRollback<bool> quiet(syncing_, true);
    QTreeWidgetItem& row = *line.row;
    row.setText(kCaptionColumn, item.Caption());
    row.setHidden(item.Hidden());
    row.setDisabled(!item.Enabled());
    row.setSelected(item.Selected());
    row.setForeground(kCaptionColumn, item.Color().isValid() ? QBrush(item.Color()) : QBrush());
    if (item.Kind() == CheckItemKind::Check)
        row.setCheckState(kCaptionColumn, item.Ticked() ? Qt::Checked : Qt::Unchecked);
    else if (item.Kind() == CheckItemKind::Option)
        row.setIcon(kCaptionColumn, OptionIndicator(item.Ticked(), item.Enabled()));
    if (line.box) {
        line.box->setEnabled(item.Enabled());
        if (line.box->currentText() != item.Value())
            line.box->setEditText(item.Value());
    }
    if (line.edit) {
        line.edit->setEnabled(item.Enabled());
        if (line.edit->text() != item.Value())
            line.edit->setText(item.Value());
    }
    NameValueBox(item, line);
}

void CheckList::NameValueBox(const CheckItem& item, const Line& line)
{
    if (QWidget* value = line.ValueWidget())
        value->setAccessibleName(BoxName(item));
}

const QIcon& CheckList::OptionIndicator(bool chosen, bool enabled)
{
    auto [found, added] = indicators_.try_emplace({chosen, enabled});
    if (added)
        found->second = OptionIcon(*this, chosen, enabled);
    return found->second;
}

void CheckList::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::StyleChange || event->type() == QEvent::PaletteChange)
        indicators_.clear();
    QTreeWidget::changeEvent(event);
}

bool CheckList::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusIn && valueWidth_ > 0)
        for (const auto& [item, line] : lines_)
            if (watched == line.ValueWidget()) {
                setCurrentItem(line.row, kCaptionColumn);
                return false;
            }
    return QTreeWidget::eventFilter(watched, event);
}

void CheckList::FillEntries(const CheckItem& item, const Line& line)
{
    if (!line.box)
        return;
    const QScopedValueRollback<bool> quiet(syncing_, true);
    QStringList texts;
    texts.reserve(static_cast<qsizetype>(item.Entries().size()));
    for (const CheckEntry& entry : item.Entries())
        texts << entry.text;
    line.box->clear();
    line.box->addItems(texts);
    line.box->setEditText(item.Value());   // the entries do not change the value
}

void CheckList::ItemChanged(CheckItem& item, Change change)
{
    auto found = lines_.find(&item);
    if (found == lines_.end())
        return;   // still being added
    if (change == Change::Entries) {
        FillEntries(item, found->second);
        return;
    }
    Redraw(item, found->second);
    if (valueWidth_ > 0)   // the boxes under the line are named after its caption too
        for (const auto& [child, line] : lines_)
            if (child->Parent() == &item)
                NameValueBox(*child, line);
}

void CheckList::OptionChosen(CheckItem& item)
{
    for (const auto& other : items_.All())
        if (other.get() != &item && other->Kind() == CheckItemKind::Option && other->Group() == item.Group() &&
            other->Parent() == item.Parent())
            other->SetTicked(false);
}

void CheckList::SetCurrentItem(const QString& key)
{
    if (const Line* line = LineOf(key))
        setCurrentItem(line->row, kCaptionColumn);
}

void CheckList::ClickItem(const QString& key)
{
    CheckItem* item = items_.Find(key);
    if (!item || !item->Enabled())
        return;
    if (!IsTickable(*item))
        return;   // value boxes take the user's input; text lines take none
    item->SetTicked(item->Kind() == CheckItemKind::Option || !item->Ticked());
    emit ItemClick(item);
}

void CheckList::ChooseEntry(const QString& key, int index)
{
    CheckItem* item = items_.Find(key);
    if (!item || !item->Enabled() || index < 0 || index >= static_cast<int>(item->Entries().size()))
        return;
    item->SetValue(item->Entries()[static_cast<size_t>(index)].text);
    emit ItemChange(item);
}

void CheckList::TypeText(const QString& key, const QString& text)
{
    CheckItem* item = items_.Find(key);
    if (!item || !item->Enabled() || syncing_)
        return;
    item->SetValue(text);
    emit ItemChange(item);
}

void CheckList::DropDown(const QString& key)
{
    if (const Line* line = LineOf(key); line && line->box && line->box->isEnabled())
        line->box->showPopup();
}

void CheckList::RowClicked(QTreeWidgetItem* row, int column)
{
    CheckItem* item = ItemOf(row);
    if (!item)
        return;
    if (item->Kind() == CheckItemKind::DropDown && column == kValueColumn)
        DropDown(item->Key());
    else if (item->Kind() == CheckItemKind::Option)
        ClickItem(item->Key());
}

// The view ticked or unticked a check item's box under the user's click.
void CheckList::RowChanged(QTreeWidgetItem* row, int column)
{
    CheckItem* item = ItemOf(row);
    if (syncing_ || !item || item->Kind() != CheckItemKind::Check || column != kCaptionColumn)
        return;
    if ((row->checkState(kCaptionColumn) == Qt::Checked) != item->Ticked())
        ClickItem(item->Key());
}

void CheckList::SelectionMoved()
{
    if (syncing_)
        return;
    const QScopedValueRollback<bool> quiet(syncing_, true);
    for (const auto& item : items_.All())
        item->SetSelected(lines_.at(item.get()).row->isSelected());
}

void CheckList::mousePressEvent(QMouseEvent* event)
{
    QTreeWidget::mousePressEvent(event);
    emit MouseDown(event->button(), event->position().toPoint());
}

void CheckList::mouseMoveEvent(QMouseEvent* event)
{
    QTreeWidget::mouseMoveEvent(event);
    emit MouseMove(event->buttons(), event->position().toPoint());
}

void CheckList::mouseReleaseEvent(QMouseEvent* event)
{
    QTreeWidget::mouseReleaseEvent(event);
    emit MouseUp(event->button(), event->position().toPoint());
}

void CheckList::contextMenuEvent(QContextMenuEvent* event)
{
    QPoint at = event->pos();
    if (event->reason() != QContextMenuEvent::Mouse) {
        const QRect line = currentItem() ? visualItemRect(currentItem()) : QRect();
        at = line.isValid() ? line.center() : QPoint(-1, -1);
    }
    event->accept();
    const CheckItem* under = ItemAt(at);   // the menu acts on that line alone
    for (const auto& item : items_.All())
        item->SetSelected(item.get() == under);
    emit ContextMenu(at);
}

void CheckList::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Space) {
        if (const CheckItem* item = ItemOf(currentItem()); item && IsTickable(*item)) {
            ClickItem(item->Key());
            return;
        }
    }
    const QTreeWidgetItem* before = currentItem();
    const bool wasSelected = before && before->isSelected();
    QTreeWidget::keyPressEvent(event);
    QTreeWidgetItem* now = currentItem();
    // The line the focus came in on is current but not selected: a key that stays on
    // it (Home on the first line) selects it, as a key onto it would.
    if (now && now == before && !wasSelected && IsLineKey(*event))
        setCurrentItem(now, kCaptionColumn);
    if (CheckItem* item = ItemOf(now); item && (now != before || (now->isSelected() && !wasSelected)))
        emit KeyMove(item);
}

} // namespace kvl
