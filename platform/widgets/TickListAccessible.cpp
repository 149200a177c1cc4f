#include "platform/widgets/TickListAccessible.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QHash>
#include <QHeaderView>
#include <QPersistentModelIndex>
#include <QPointer>
#include <QTableView>
#include <QTreeView>

#include <utility>

namespace kvl {

namespace {

constexpr char kReadTicks[] = "kvlReadTicksAsCheckBoxes";

// Where the view's items stand among the children as Qt numbers them: a header row
// first (and in a table a header column first in each row), then the rows one after
// another; a tree's rows are its shown lines, a table's rows are the model's.
class ItemLayout {
public:
    explicit ItemLayout(const QAbstractItemView& view) : view_(view), tree_(qobject_cast<const QTreeView*>(&view)) {}

    int HeaderColumns() const { return tree_ ? 0 : 1; }
    int Columns() const { return view_.model() ? view_.model()->columnCount() : 0; }
    int Width() const { return Columns() + HeaderColumns(); }
    int Rows() const
    {
        if (!tree_)
            return view_.model() ? view_.model()->rowCount() : 0;
        int rows = 0;
        for (QModelIndex at = FirstLine(); at.isValid(); at = tree_->indexBelow(at))
            ++rows;
        return rows;
    }
    int RowOf(const QModelIndex& index) const
    {
        if (!tree_)
            return index.row();
        const QModelIndex line = index.siblingAtColumn(0);
        int row = 0;
        for (QModelIndex at = FirstLine(); at.isValid(); at = tree_->indexBelow(at), ++row)
            if (at == line)
                return row;
        return -1;
    }
    QModelIndex IndexAt(int row, int column) const
    {
        if (!view_.model() || row < 0 || column < 0 || column >= Columns())
            return {};
        if (!tree_)
            return view_.model()->index(row, column);
        QModelIndex at = FirstLine();
        for (; at.isValid() && row > 0; --row)
            at = tree_->indexBelow(at);
        return at.siblingAtColumn(column);
    }
    QHeaderView* Header(Qt::Orientation orientation) const
    {
        if (tree_)
            return orientation == Qt::Horizontal ? tree_->header() : nullptr;
        const auto* table = qobject_cast<const QTableView*>(&view_);
        return !table ? nullptr : orientation == Qt::Horizontal ? table->horizontalHeader() : table->verticalHeader();
    }

private:
    QModelIndex FirstLine() const
    {
        const QAbstractItemModel* model = view_.model();
        for (int row = 0; model && row < model->rowCount(); ++row)
            if (!tree_->isRowHidden(row, QModelIndex()))
                return model->index(row, 0);
        return {};
    }

    const QAbstractItemView& view_;
    const QTreeView* tree_;
};

// What the cells and headers share: they belong to a view, have no object and no children.
class ViewPart : public QAccessibleInterface {
public:
    explicit ViewPart(QAbstractItemView* view) : view_(view) {}

    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return view_ ? view_->window()->windowHandle() : nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(view_.data()); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    void setText(QAccessible::Text, const QString&) override {}

protected:
    // An area of the viewport on the screen, as a reader takes a rectangle.
    static QRect OnScreen(const QAbstractScrollArea& area, const QRect& inViewport)
    {
        return QRect(area.viewport()->mapToGlobal(inViewport.topLeft()), inViewport.size());
    }

    QPointer<QAbstractItemView> view_;
};

// A column or row header, or (section -1) the table's corner.
class HeaderCell : public ViewPart {
public:
    HeaderCell(QAbstractItemView* view, Qt::Orientation orientation, int section)
        : ViewPart(view), orientation_(orientation), section_(section)
    {
    }

    bool isValid() const override { return view_ && view_->model(); }
    QString text(QAccessible::Text kind) const override
    {
        if (!isValid() || kind != QAccessible::Name || section_ < 0)
            return {};
        return view_->model()->headerData(section_, orientation_).toString();
    }
    QRect rect() const override
    {
        const QHeaderView* header = Header();
        if (!header || section_ < 0)
            return {};
        const int at = header->sectionViewportPosition(section_);
        const QRect area = orientation_ == Qt::Horizontal ? QRect(at, 0, header->sectionSize(section_), header->height())
                                                          : QRect(0, at, header->width(), header->sectionSize(section_));
        return OnScreen(*header, area);
    }
    QAccessible::Role role() const override
    {
        return orientation_ == Qt::Horizontal ? QAccessible::ColumnHeader : QAccessible::RowHeader;
    }
    QAccessible::State state() const override
    {
        QAccessible::State state;
        const QHeaderView* header = Header();
        state.invisible = !header || header->isHidden() || section_ < 0 || header->isSectionHidden(section_);
        return state;
    }

private:
    QHeaderView* Header() const { return view_ ? ItemLayout(*view_).Header(orientation_) : nullptr; }

    Qt::Orientation orientation_;
    int section_;
};

// A line or a cell of the view; one that holds a tick box reads as a check box.
class ItemCell : public ViewPart, public QAccessibleTableCellInterface, public QAccessibleActionInterface {
public:
    ItemCell(QAbstractItemView* view, const QModelIndex& index) : ViewPart(view), index_(index) {}

    bool isValid() const override { return view_ && index_.isValid(); }
    QString text(QAccessible::Text kind) const override
    {
        if (!isValid())
            return {};
        if (kind == QAccessible::Description)
            return index_.data(Qt::AccessibleDescriptionRole).toString();
        if (kind != QAccessible::Name)
            return {};
        const QString name = index_.data(Qt::AccessibleTextRole).toString();
        return name.isEmpty() ? index_.data(Qt::DisplayRole).toString() : name;
    }
    QRect rect() const override
    {
        if (!isValid())
            return {};
        const QRect area = view_->visualRect(index_);
        return OnScreen(*view_, area);
    }
    QAccessible::Role role() const override
    {
        if (Tickable())
            return QAccessible::CheckBox;
        return qobject_cast<const QTreeView*>(view_.data()) ? QAccessible::TreeItem : QAccessible::Cell;
    }
    QAccessible::State state() const override
    {
        QAccessible::State state;
        if (!isValid()) {
            state.invalid = true;
            return state;
        }
        const QRect area = view_->visualRect(index_);
        state.invisible = area.isEmpty();
        state.offscreen = !view_->viewport()->rect().intersects(area);
        const Qt::ItemFlags flags = index_.flags();
        state.disabled = !(flags & Qt::ItemIsEnabled);
        state.focusable = true;
        state.focused = view_->hasFocus() && view_->currentIndex() == index_;
        state.selectable = bool(flags & Qt::ItemIsSelectable);
        state.selected = isSelected();
        if (Tickable()) {
            const int tick = index_.data(Qt::CheckStateRole).toInt();
            state.checkable = true;
            state.checked = tick == Qt::Checked;
            state.checkStateMixed = tick == Qt::PartiallyChecked;
        }
        return state;
    }
    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TableCellInterface)
            return static_cast<QAccessibleTableCellInterface*>(this);
        if (type == QAccessible::ActionInterface)
            return static_cast<QAccessibleActionInterface*>(this);
        return nullptr;
    }

    bool isSelected() const override
    {
        return isValid() && view_->selectionModel() && view_->selectionModel()->isSelected(index_);
    }
    QList<QAccessibleInterface*> columnHeaderCells() const override
    {
        QAccessibleInterface* view = parent();
        QAccessibleInterface* header = view && isValid() ? view->child(ItemLayout(*view_).HeaderColumns() + index_.column())
                                                         : nullptr;
        return header ? QList<QAccessibleInterface*>{header} : QList<QAccessibleInterface*>{};
    }
    QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return index_.column(); }
    int rowIndex() const override { return isValid() ? ItemLayout(*view_).RowOf(index_) : -1; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override { return parent(); }

    QStringList actionNames() const override { return Tickable() ? QStringList{toggleAction()} : QStringList{}; }
    // The reader's toggle ticks as the user's click on the tick box does.
    void doAction(const QString& action) override
    {
        if (action != toggleAction() || !Tickable() || !(index_.flags() & Qt::ItemIsEnabled))
            return;
        const bool ticked = index_.data(Qt::CheckStateRole).toInt() == Qt::Checked;
        view_->model()->setData(index_, ticked ? Qt::Unchecked : Qt::Checked, Qt::CheckStateRole);
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

    const QPersistentModelIndex& Index() const { return index_; }

private:
    // A tree's lines may all be tickable by their flags; only those with a tick show a box.
    bool Tickable() const
    {
        return isValid() && (index_.flags() & Qt::ItemIsUserCheckable) && index_.data(Qt::CheckStateRole).isValid();
    }

    QPersistentModelIndex index_;
};

class TickListAccessible : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    explicit TickListAccessible(QAbstractItemView* view)
        : QAccessibleWidget(view, qobject_cast<QTreeView*>(view) ? QAccessible::Tree : QAccessible::Table)
    {
        // The cells are made anew once the rows or columns change, as Qt's own are.
        if (const QAbstractItemModel* model = view->model()) {
            const auto forget = [this] { Forget(); };
            QObject::connect(model, &QAbstractItemModel::modelReset, &guard_, forget);
            QObject::connect(model, &QAbstractItemModel::layoutChanged, &guard_, forget);
            QObject::connect(model, &QAbstractItemModel::rowsRemoved, &guard_, forget);
            QObject::connect(model, &QAbstractItemModel::rowsInserted, &guard_, forget);
            QObject::connect(model, &QAbstractItemModel::columnsRemoved, &guard_, forget);
            QObject::connect(model, &QAbstractItemModel::columnsInserted, &guard_, forget);
        }
    }
    ~TickListAccessible() override { Forget(); }

    int childCount() const override { return (Layout().Rows() + 1) * Layout().Width(); }
    QAccessibleInterface* child(int index) const override
    {
        const ItemLayout layout = Layout();
        if (index < 0 || layout.Width() == 0 || index >= childCount())
            return nullptr;
        const int row = index / layout.Width() - 1;
        const int column = index % layout.Width() - layout.HeaderColumns();
        if (row < 0)
            return Header(index, Qt::Horizontal, column);
        if (column < 0)
            return Header(index, Qt::Vertical, row);
        return Cell(layout.IndexAt(row, column));
    }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        const ItemLayout layout = Layout();
        if (const auto* cell = dynamic_cast<const ItemCell*>(child)) {
            const int row = layout.RowOf(cell->Index());
            return row < 0 ? -1 : (row + 1) * layout.Width() + layout.HeaderColumns() + cell->Index().column();
        }
        const QAccessible::Id id = QAccessible::uniqueId(const_cast<QAccessibleInterface*>(child));
        for (auto it = headers_.cbegin(); it != headers_.cend(); ++it)
            if (it.value() == id)
                return it.key();
        return -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override
    {
        return Cell(View()->indexAt(View()->viewport()->mapFromGlobal(QPoint(x, y))));
    }
    QAccessibleInterface* focusChild() const override
    {
        return View()->hasFocus() ? Cell(View()->currentIndex()) : nullptr;
    }
    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TableInterface)
            return static_cast<QAccessibleTableInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int row, int column) const override { return Cell(Layout().IndexAt(row, column)); }
    int selectedCellCount() const override { return static_cast<int>(Selected().size()); }
    QList<QAccessibleInterface*> selectedCells() const override
    {
        QList<QAccessibleInterface*> cells;
        for (const QModelIndex& index : Selected())
            if (QAccessibleInterface* cell = Cell(index))
                cells << cell;
        return cells;
    }
    QString columnDescription(int column) const override { return HeaderText(Qt::Horizontal, column); }
    QString rowDescription(int row) const override { return Layout().HeaderColumns() ? HeaderText(Qt::Vertical, row) : QString(); }
    int selectedColumnCount() const override { return static_cast<int>(selectedColumns().size()); }
    int selectedRowCount() const override { return static_cast<int>(selectedRows().size()); }
    int columnCount() const override { return Layout().Columns(); }
    int rowCount() const override { return Layout().Rows(); }
    QList<int> selectedColumns() const override
    {
        QList<int> columns;
        if (View()->selectionModel())
            for (const QModelIndex& index : View()->selectionModel()->selectedColumns())
                columns << index.column();
        return columns;
    }
    QList<int> selectedRows() const override
    {
        QList<int> rows;
        if (View()->selectionModel())
            for (const QModelIndex& index : View()->selectionModel()->selectedRows())
                if (const int row = Layout().RowOf(index); row >= 0)
                    rows << row;
        return rows;
    }
    bool isColumnSelected(int column) const override { return selectedColumns().contains(column); }
    bool isRowSelected(int row) const override { return selectedRows().contains(row); }
    bool selectRow(int row) override { return SelectRow(row, true); }
    bool unselectRow(int row) override { return SelectRow(row, false); }
    bool selectColumn(int) override { return false; }     // the views select whole rows
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent*) override { Forget(); }

private:
    QAbstractItemView* View() const { return static_cast<QAbstractItemView*>(widget()); }
    ItemLayout Layout() const { return ItemLayout(*View()); }
    QModelIndexList Selected() const
    {
        return View()->selectionModel() ? View()->selectionModel()->selectedIndexes() : QModelIndexList{};
    }
    QString HeaderText(Qt::Orientation orientation, int section) const
    {
        return View()->model() ? View()->model()->headerData(section, orientation).toString() : QString();
    }
    bool SelectRow(int row, bool select)
    {
        const QModelIndex index = Layout().IndexAt(row, 0);
        if (!index.isValid() || !View()->selectionModel() ||
            View()->selectionMode() == QAbstractItemView::NoSelection)
            return false;
        if (select && View()->selectionMode() == QAbstractItemView::SingleSelection)
            View()->selectionModel()->clearSelection();
        View()->selectionModel()->select(index, (select ? QItemSelectionModel::Select : QItemSelectionModel::Deselect) |
                                                    QItemSelectionModel::Rows);
        return true;
    }
    QAccessibleInterface* Cell(const QModelIndex& index) const
    {
        if (!index.isValid())
            return nullptr;
        auto found = cells_.constFind(QPersistentModelIndex(index));
        if (found == cells_.cend())
            found = cells_.insert(QPersistentModelIndex(index),
                                  QAccessible::registerAccessibleInterface(new ItemCell(View(), index)));
        return QAccessible::accessibleInterface(found.value());
    }
    QAccessibleInterface* Header(int child, Qt::Orientation orientation, int section) const
    {
        auto found = headers_.constFind(child);
        if (found == headers_.cend())
            found = headers_.insert(child, QAccessible::registerAccessibleInterface(
                                               new HeaderCell(View(), orientation, section)));
        return QAccessible::accessibleInterface(found.value());
    }
    void Forget()
    {
        for (const QAccessible::Id id : std::as_const(cells_))
            QAccessible::deleteAccessibleInterface(id);
        for (const QAccessible::Id id : std::as_const(headers_))
            QAccessible::deleteAccessibleInterface(id);
        cells_.clear();
        headers_.clear();
    }

    QObject guard_;   // ends the model's connections with the interface
    mutable QHash<QPersistentModelIndex, QAccessible::Id> cells_;
    mutable QHash<int, QAccessible::Id> headers_;   // by child number
};

QAccessibleInterface* TickListFactory(const QString&, QObject* object)
{
    auto* view = qobject_cast<QAbstractItemView*>(object);
    if (!view || !view->property(kReadTicks).toBool())
        return nullptr;
    return new TickListAccessible(view);
}

} // namespace

void ReadTicksAsCheckBoxes(QAbstractItemView& view)
{
    static const bool installed = (QAccessible::installFactory(TickListFactory), true);
    Q_UNUSED(installed);
    view.setProperty(kReadTicks, true);
}

} // namespace kvl
