#include "platform/widgets/DataGrid.h"

#include "platform/widgets/FieldBoxes.h"
#include "platform/widgets/TickListAccessible.h"

#include <QFont>
#include <QFontMetrics>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QStyle>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

namespace kvl {

void DataGridModel::SetColumns(std::vector<DataGridColumn> columns)
{
    beginResetModel();
    columns_ = std::move(columns);
    rows_.clear();
    endResetModel();
}

void DataGridModel::RemoveAll()
{
    if (rows_.empty())
        return;
    beginResetModel();
    rows_.clear();
    endResetModel();
}

void DataGridModel::AddRows(const QStringList& tabSeparatedRows)
{
    if (tabSeparatedRows.isEmpty())
        return;
    const int first = rowCount();
    beginInsertRows({}, first, first + static_cast<int>(tabSeparatedRows.size()) - 1);
    rows_.reserve(rows_.size() + static_cast<size_t>(tabSeparatedRows.size()));
    for (const QString& row : tabSeparatedRows)
        rows_.push_back(row.split(QLatin1Char('\t')));
    endInsertRows();
}

QString DataGridModel::Cell(int row, int column) const
{
    if (row < 0 || row >= rowCount() || column < 0)
        return {};
    return rows_[static_cast<size_t>(row)].value(column);
}

void DataGridModel::SetCell(int row, int column, const QString& text)
{
    if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount())
        return;
    QStringList& cells = rows_[static_cast<size_t>(row)];
    while (cells.size() <= column)
        cells << QString();
    cells[column] = text;
    emit dataChanged(index(row, column), index(row, column));
}

bool DataGridModel::IsCheckBox(int column) const
{
    return column >= 0 && column < columnCount() && columns_[static_cast<size_t>(column)].checkBox;
}

int DataGridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int DataGridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(columns_.size());
}

QVariant DataGridModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    if (IsCheckBox(index.column())) {
        if (role == Qt::AccessibleTextRole)   // a tick has no text: the reader names it by its column
            return columns_[static_cast<size_t>(index.column())].caption;
        if (role != Qt::CheckStateRole)
            return {};
        const QString cell = Cell(index.row(), index.column()).trimmed();
        return cell.isEmpty() || cell.toDouble() == 0 ? Qt::Unchecked : Qt::Checked;
    }
    if (role != Qt::DisplayRole)
        return {};
    return Cell(index.row(), index.column());
}

Qt::ItemFlags DataGridModel::flags(const QModelIndex& index) const
{
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    if (index.isValid() && IsCheckBox(index.column()))
        flags |= Qt::ItemIsUserCheckable;
    return flags;
}

bool DataGridModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || role != Qt::CheckStateRole || !IsCheckBox(index.column()))
        return false;
    const bool ticked = value.value<Qt::CheckState>() == Qt::Checked;
    SetCell(index.row(), index.column(), ticked ? QStringLiteral("-1") : QStringLiteral("0"));
    return true;
}

QVariant DataGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= columnCount())
        return QAbstractTableModel::headerData(section, orientation, role);
    if (role == Qt::TextAlignmentRole)   // long captions wrap onto a second line
        return QVariant::fromValue(int(Qt::AlignCenter) | int(Qt::TextWordWrap));
    if (role != Qt::DisplayRole)
        return {};
    return columns_[static_cast<size_t>(section)].caption;
}

DataGrid::DataGrid(QWidget* parent) : QFrame(parent)
{
    caption_ = new QLabel(this);
    caption_->setAlignment(Qt::AlignCenter);
    caption_->hide();
    view_ = new QTableView(this);
    ReadTicksAsCheckBoxes(*view_);
    view_->setModel(&model_);
    view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view_->setSelectionBehavior(QAbstractItemView::SelectRows);
    view_->setSelectionMode(QAbstractItemView::SingleSelection);
    view_->setTabKeyNavigation(false);   // one Tab stop: the arrow keys move inside the table
    view_->verticalHeader()->hide();
    view_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view_->horizontalHeader()->setStretchLastSection(true);
    // Room for captions that wrap onto a second line.
    view_->horizontalHeader()->setMinimumHeight(2 * view_->fontMetrics().height() + 8);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(caption_);
    layout->addWidget(view_);
    connect(view_, &QTableView::clicked, this, [this](const QModelIndex& index) { ClickRow(index.row()); });
    view_->installEventFilter(this);
    // The user's own moves in the table (keys, scrolling selection) move the current row too.
    connect(view_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) { row_ = current.isValid() ? current.row() : row_; });
}

void DataGrid::SetCaption(const QString& caption)
{
    caption_->setText(caption);
    caption_->setVisible(!caption.isEmpty());
    view_->setAccessibleName(caption);
}

QString DataGrid::Caption() const { return caption_->text(); }

void DataGrid::SetColumns(std::vector<DataGridColumn> columns)
{
    model_.SetColumns(std::move(columns));
    for (int i = 0; i < Columns(); ++i)
        view_->setColumnHidden(i, !model_.Columns()[static_cast<size_t>(i)].visible);
    row_ = -1;
}

int DataGrid::ColumnIndex(const QString& keyOrCaption) const
{
    const auto& columns = model_.Columns();
    const auto find = [&](QString DataGridColumn::*field) {
        const auto at = std::find_if(columns.begin(), columns.end(), [&](const DataGridColumn& column) {
            return (column.*field).compare(keyOrCaption, Qt::CaseInsensitive) == 0;
        });
        return at == columns.end() ? -1 : static_cast<int>(at - columns.begin());
    };
    const int byKey = find(&DataGridColumn::key);
    return byKey >= 0 ? byKey : find(&DataGridColumn::caption);
}

void DataGrid::SetColumnVisible(const QString& keyOrCaption, bool visible)
{
    const int column = ColumnIndex(keyOrCaption);
    if (column >= 0)
        view_->setColumnHidden(column, !visible);
}

bool DataGrid::ColumnVisible(const QString& keyOrCaption) const
{
    const int column = ColumnIndex(keyOrCaption);
    return column >= 0 && !view_->isColumnHidden(column);
}

void DataGrid::RemoveAll()
{
    model_.RemoveAll();
    row_ = -1;
}

void DataGrid::AddItem(const QString& tabSeparatedRow) { AddItems({tabSeparatedRow}); }

void DataGrid::AddItems(const QStringList& tabSeparatedRows)
{
    model_.AddRows(tabSeparatedRows);
    if (row_ < 0 && Rows() > 0)
        SetRow(0);
}

void DataGrid::SetRow(int row)
{
    const int clamped = Rows() == 0 ? -1 : std::clamp(row, 0, Rows() - 1);
    if (clamped == row_)
        return;
    row_ = clamped;
    ShowCurrentRow();
}

void DataGrid::ShowCurrentRow()
{
    if (row_ < 0)
        return;
    const QModelIndex at = model_.index(row_, std::max(0, view_->horizontalHeader()->logicalIndexAt(0)));
    view_->selectionModel()->setCurrentIndex(at, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    view_->scrollTo(at);
}

QString DataGrid::Cell(const QString& keyOrCaption) const { return Cell(row_, keyOrCaption); }

QString DataGrid::Cell(int row, const QString& keyOrCaption) const
{
    return model_.Cell(row, ColumnIndex(keyOrCaption));
}

void DataGrid::SetCell(int row, const QString& keyOrCaption, const QString& text)
{
    model_.SetCell(row, ColumnIndex(keyOrCaption), text);
}

void DataGrid::ClickRow(int row)
{
    if (row < 0 || row >= Rows())
        return;
    SetRow(row);
    emit RowClick(row);
}

bool DataGrid::eventFilter(QObject* watched, QEvent* event)
{
    if (keysClickRows_ && watched == view_ && event->type() == QEvent::KeyPress && row_ >= 0) {
        if (PressesLikeAClick(*static_cast<QKeyEvent*>(event))) {
            ClickRow(row_);
            return true;
        }
    }
    return QFrame::eventFilter(watched, event);
}

namespace {

// The narrowest width that holds caption on two lines broken at a blank.
int TwoLineWidth(const QString& caption, const QFontMetrics& metrics)
{
    int best = metrics.horizontalAdvance(caption);
    for (qsizetype at = caption.indexOf(QLatin1Char(' ')); at >= 0; at = caption.indexOf(QLatin1Char(' '), at + 1))
        best = std::min(best, std::max(metrics.horizontalAdvance(caption.left(at)),
                                       metrics.horizontalAdvance(caption.mid(at + 1))));
    return best;
}

} // namespace

void DataGrid::FitColumnsToCaptions()
{
    QHeaderView& header = *view_->horizontalHeader();
    QFont font = header.font();
    font.setBold(true);   // the header bolds the captions over the selected row
    const QFontMetrics metrics(font);
    // The header's own padding around the text, and a little air.
    const int padding = 2 * header.style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, &header) + 12;
    for (int i = 0; i < Columns(); ++i) {
        const int needed = TwoLineWidth(model_.Columns()[static_cast<size_t>(i)].caption, metrics) + padding;
        if (header.sectionSize(i) < needed)
            header.resizeSection(i, needed);
    }
}

} // namespace kvl
