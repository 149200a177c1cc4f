#pragma once
// A data combo: a drop-down list of rows given as Tab-separated texts, with named
// columns, a current row that code moves through (MoveFirst, MoveNext) and a box
// text that code may set apart from the row. The list shows one column.
// Enter fires when the box takes the focus, RowChange when the user's pick changes
// the current row, Select when the user picks a row (after RowChange). Moves made
// by code fire nothing. The box text is never typed, nor written by an input method.

#include <QComboBox>
#include <QString>
#include <QStringList>

#include <vector>

namespace kvl {

class DataCombo : public QComboBox {
    Q_OBJECT
public:
    // columns: the names rows are read by (matched without regard to letter case);
    // shownColumn: the column the list displays.
    explicit DataCombo(QStringList columns = {}, int shownColumn = 0, QWidget* parent = nullptr);

    void SetColumns(const QStringList& columns, int shownColumn);
    void RemoveAll();
    void AddItem(const QString& tabSeparatedRow);
    int Rows() const { return static_cast<int>(rows_.size()); }
    int Row() const { return row_; }            // -1 when there is no row
    void MoveFirst();
    void MoveNext();                             // stays on the last row
    // The named column of the current row; "" when there is no row.
    QString Column(const QString& name) const;
    QString Text() const;
    // Shows the text; the list's own current entry (where the arrow keys step from
    // and the open list starts) becomes the first row showing that text, or none.
    void SetText(const QString& text);

    // What a user's pick does: the row becomes current, the box shows it, then
    // RowChange and Select fire.
    void PickRow(int row);

signals:
    void Enter();
    void RowChange();
    void Select();

protected:
    void focusInEvent(QFocusEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void ShowRow(int index, const QString& text);

    QStringList columns_;
    int shown_ = 0;
    std::vector<QStringList> rows_;
    int row_ = -1;
};

} // namespace kvl
