#pragma once
// A read-only data grid: a caption over a table whose rows are added as
// Tab-separated texts. Columns are found by key or by caption (without regard to
// letter case) and can be hidden. One row is the current row; code moves it with
// MoveFirst/MovePrevious/MoveNext/MoveLast (which stop at the ends) and reads its
// cells by column. The table is model-backed, so thousands of rows cost no widgets.
// RowClick reports the row the user clicked, after it became the current row.
// A check-box column shows each cell as a box the user can tick: a ticked cell
// holds "-1", an unticked one "0" (any other number than 0 shows ticked).

#include <QAbstractTableModel>
#include <QFrame>
#include <QString>
#include <QStringList>

#include <vector>

class QLabel;
class QTableView;

namespace kvl {

struct DataGridColumn {
    QString caption;
    QString key;
    bool visible = true;
    bool checkBox = false;
};

// The rows of a DataGrid: Tab-separated texts split into cells.
class DataGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    void SetColumns(std::vector<DataGridColumn> columns);
    const std::vector<DataGridColumn>& Columns() const { return columns_; }
    void RemoveAll();
    void AddRows(const QStringList& tabSeparatedRows);
    // The cell at row and column; "" outside the grid or past a short row.
    QString Cell(int row, int column) const;
    void SetCell(int row, int column, const QString& text);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

private:
    bool IsCheckBox(int column) const;

    std::vector<DataGridColumn> columns_;
    std::vector<QStringList> rows_;
};

class DataGrid : public QFrame {
    Q_OBJECT
public:
    explicit DataGrid(QWidget* parent = nullptr);

    void SetCaption(const QString& caption);
    QString Caption() const;
    // Replaces the columns (and removes every row).
    void SetColumns(std::vector<DataGridColumn> columns);
    int Columns() const { return model_.columnCount(); }
    // The column with this key, or else with this caption; -1 when there is none.
    int ColumnIndex(const QString& keyOrCaption) const;
    void SetColumnVisible(const QString& keyOrCaption, bool visible);
    // Widens each column that is too narrow for its caption on the header's two lines.
    void FitColumnsToCaptions();
    bool ColumnVisible(const QString& keyOrCaption) const;

    void RemoveAll();
    void AddItem(const QString& tabSeparatedRow);
    // Many rows at once: one model change, so the view lays out once.
    void AddItems(const QStringList& tabSeparatedRows);
    int Rows() const { return model_.rowCount(); }

    int Row() const { return row_; }   // -1 when the grid has no rows
    void SetRow(int row);              // clamped to the rows there are
    void MoveFirst() { SetRow(0); }
    void MovePrevious() { SetRow(row_ - 1); }
    void MoveNext() { SetRow(row_ + 1); }
    void MoveLast() { SetRow(Rows() - 1); }
    bool IsFirst() const { return row_ <= 0; }
    bool IsLast() const { return row_ >= Rows() - 1; }

    // The current row's cell in the column found by key or caption; "" when there is
    // no current row or no such column.
    QString Cell(const QString& keyOrCaption) const;
    QString Cell(int row, const QString& keyOrCaption) const;
    // Changes one cell, as the user's tick of a check-box cell does.
    void SetCell(int row, const QString& keyOrCaption, const QString& text);

    QTableView& View() const { return *view_; }

    // What a user's click on a row does: the row becomes current, then RowClick.
    void ClickRow(int row);
    // Return, keypad Enter and Space on the current row click it (ClickRow), for a grid
    // whose rows open something; other grids leave these keys to the window (its
    // default button) and to their check-box cells.
    void SetKeysClickRows(bool on) { keysClickRows_ = on; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

signals:
    void RowClick(int row);

private:
    void ShowCurrentRow();

    QLabel* caption_ = nullptr;
    QTableView* view_ = nullptr;
    DataGridModel model_;
    int row_ = -1;
    bool keysClickRows_ = false;
};

} // namespace kvl
