#include "platform/widgets/DataCombo.h"

#include "platform/widgets/FieldBoxes.h"
#include "platform/widgets/ListAccessible.h"
#include "platform/widgets/ListTextBox.h"

#include <QLineEdit>

namespace kvl {

DataCombo::DataCombo(QStringList columns, int shownColumn, QWidget* parent)
    : QComboBox(parent), columns_(std::move(columns)), shown_(shownColumn)
{
    UseListNames();
    TakeFocusByClickOnly(*this);
    setEditable(true);
    LockTextBox(*this);
    setInsertPolicy(QComboBox::NoInsert);
    connect(this, &QComboBox::activated, this, &DataCombo::PickRow);
}

void DataCombo::SetColumns(const QStringList& columns, int shownColumn)
{
    columns_ = columns;
    shown_ = shownColumn;
}

void DataCombo::RemoveAll()
{
    const QSignalBlocker quiet(this);
    rows_.clear();
    row_ = -1;
    clear();
}

void DataCombo::AddItem(const QString& tabSeparatedRow)
{
    const QSignalBlocker quiet(this);
    const QString shown = Text();   // adding a row leaves the box text alone
    const int current = currentIndex();
    rows_.push_back(tabSeparatedRow.split(QLatin1Char('\t')));
    const QString text = rows_.back().value(shown_);
    addItem(text);
    // The list's first row would become its current one; the current row stays the
    // first that shows the box text.
    ShowRow(current < 0 && text == shown ? count() - 1 : current, shown);
}


void DataCombo::MoveFirst() { row_ = rows_.empty() ? -1 : 0; }

void DataCombo::MoveNext()
{
    if (row_ + 1 < Rows())
        ++row_;
}

QString DataCombo::Column(const QString& name) const
{
    if (row_ < 0 || row_ >= Rows())
        return {};
    for (int i = 0; i < columns_.size(); ++i)
        if (columns_[i].compare(name, Qt::CaseInsensitive) == 0)
            return rows_[static_cast<size_t>(row_)].value(i);
    return {};
}

QString DataCombo::Text() const { return lineEdit()->text(); }

void DataCombo::SetText(const QString& text) { ShowRow(findText(text), text); }

void DataCombo::ShowRow(int index, const QString& text)
{
    const QSignalBlocker quiet(this);
    setCurrentIndex(index);
    setEditText(text);
}

void DataCombo::PickRow(int row)
{
    if (row < 0 || row >= Rows())
        return;
    ShowRow(row, rows_[static_cast<size_t>(row)].value(shown_));
    if (row != row_) {
        row_ = row;
        emit RowChange();
    }
    emit Select();
}

void DataCombo::wheelEvent(QWheelEvent* event) { LeaveWheelAlone(event); }

void DataCombo::focusInEvent(QFocusEvent* event)
{
    QComboBox::focusInEvent(event);
    emit Enter();
}

} // namespace kvl
