#include "platform/widgets/DataCombo.h"

#include "platform/widgets/FieldBoxes.h"
#include "platform/widgets/ListAccessible.h"

#include <QLineEdit>

namespace kvl {

DataCombo::DataCombo(QStringList columns, int shownColumn, QWidget* parent)
    : QComboBox(parent), columns_(std::move(columns)), shown_(shownColumn)
{
    UseListNames();
    TakeFocusByClickOnly(*this);
    setEditable(true);
    lineEdit()->setReadOnly(true);
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
    rows_.push_back(tabSeparatedRow.split(QLatin1Char('\t')));
    addItem(rows_.back().value(shown_));
    setEditText(shown);
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

void DataCombo::SetText(const QString& text)
{
    const QSignalBlocker quiet(this);
    setEditText(text);
}

void DataCombo::PickRow(int row)
{
    if (row < 0 || row >= Rows())
        return;
    SetText(rows_[static_cast<size_t>(row)].value(shown_));
    if (row != row_) {
        row_ = row;
        emit RowChange();
    }
    emit Select();
}

void DataCombo::wheelEvent(QWheelEvent* event)
{
    if (!LeaveWheelAlone(*this, event))
        QComboBox::wheelEvent(event);
}

void DataCombo::focusInEvent(QFocusEvent* event)
{
    QComboBox::focusInEvent(event);
    emit Enter();
}

} // namespace kvl
