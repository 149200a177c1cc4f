// The data grid: rows from Tab-separated texts, columns by key or caption, hidden
// columns, the current row and the user's row click.
#include "platform/widgets/DataGrid.h"
#include "tests/support/KvlTest.h"

#include <QAccessible>
#include <QTableView>

#include <memory>

namespace kvl::test {
namespace {

class DataGridTest : public KvlTest {
protected:
    void SetUp() override
    {
        KvlTest::SetUp();
        grid = std::make_unique<DataGrid>();
        grid->SetColumns({{QStringLiteral("Index"), QStringLiteral("Ind"), false},
                         {QStringLiteral("Elapsed Time"), QStringLiteral("Time")},
                         {QStringLiteral("Alarms Details"), QStringLiteral("Alarm Description")}});
    }
    void AddThreeRows()
    {
        grid->AddItems({QStringLiteral("0\t00:00:02\t"), QStringLiteral("1\t00:00:04\tEDT"),
                       QStringLiteral("2\t00:00:06")});
    }
    std::unique_ptr<DataGrid> grid;   // made once the application stands
};

TEST_F(DataGridTest, CellsByKeyOrCaption)
{
    AddThreeRows();
    grid->SetRow(1);
    EXPECT_EQ(grid->Cell(QStringLiteral("Ind")), "1");
    EXPECT_EQ(grid->Cell(QStringLiteral("time")), "00:00:04");
    EXPECT_EQ(grid->Cell(QStringLiteral("Elapsed Time")), "00:00:04");
    EXPECT_EQ(grid->Cell(QStringLiteral("Alarm Description")), "EDT");
    EXPECT_EQ(grid->Cell(QStringLiteral("No such column")), "");
    EXPECT_EQ(grid->Cell(2, QStringLiteral("Alarm Description")), "") << "a short row reads blank";
    EXPECT_EQ(grid->View().model()->data(grid->View().model()->index(0, 1)).toString(), "00:00:02");
    EXPECT_EQ(grid->View().model()->headerData(2, Qt::Horizontal).toString(), "Alarms Details");
}

TEST_F(DataGridTest, HiddenColumns)
{
    EXPECT_FALSE(grid->ColumnVisible(QStringLiteral("Ind")));
    EXPECT_TRUE(grid->ColumnVisible(QStringLiteral("Time")));
    grid->SetColumnVisible(QStringLiteral("Alarms Details"), false);
    EXPECT_TRUE(grid->View().isColumnHidden(2));
    grid->SetColumnVisible(QStringLiteral("Alarm Description"), true);
    EXPECT_FALSE(grid->View().isColumnHidden(2));
    grid->SetColumnVisible(QStringLiteral("nothing"), false);   // no such column: no effect
    EXPECT_EQ(grid->ColumnIndex(QStringLiteral("nothing")), -1);
}

TEST_F(DataGridTest, MovesStopAtTheEnds)
{
    EXPECT_EQ(grid->Row(), -1);
    grid->MoveNext();
    EXPECT_EQ(grid->Row(), -1) << "an empty grid has no current row";
    EXPECT_EQ(grid->Cell(QStringLiteral("Ind")), "");
    AddThreeRows();
    EXPECT_EQ(grid->Row(), 0) << "the first rows added make the first row current";
    grid->MovePrevious();
    EXPECT_EQ(grid->Row(), 0);
    EXPECT_TRUE(grid->IsFirst());
    grid->MoveLast();
    grid->MoveNext();
    EXPECT_EQ(grid->Row(), 2);
    EXPECT_TRUE(grid->IsLast());
    EXPECT_EQ(grid->View().currentIndex().row(), 2) << "the table shows the current row";
    grid->MovePrevious();
    EXPECT_EQ(grid->Cell(QStringLiteral("Ind")), "1");
    grid->MoveFirst();
    EXPECT_EQ(grid->Cell(QStringLiteral("Ind")), "0");
    grid->RemoveAll();
    EXPECT_EQ(grid->Rows(), 0);
    EXPECT_EQ(grid->Row(), -1);
}

TEST_F(DataGridTest, RowClickMakesTheRowCurrentFirst)
{
    AddThreeRows();
    int clicked = -1;
    QString cellSeen;
    QObject::connect(grid.get(), &DataGrid::RowClick, [&](int row) {
        clicked = row;
        cellSeen = grid->Cell(QStringLiteral("Ind"));
    });
    emit grid->View().clicked(grid->View().model()->index(2, 1));
    EXPECT_EQ(clicked, 2);
    EXPECT_EQ(cellSeen, "2");
    clicked = -1;
    grid->MoveFirst();   // moves made by code raise nothing
    EXPECT_EQ(clicked, -1);
}

TEST_F(DataGridTest, CaptionShowsWhenSet)
{
    grid->SetCaption(QStringLiteral("Dive Data Details"));
    EXPECT_EQ(grid->Caption(), "Dive Data Details");
}

TEST_F(DataGridTest, CheckBoxCellsTickAndHoldMinusOneOrZero)
{
    grid->SetColumns({{QStringLiteral("Leg #"), QStringLiteral("LEG #")},
                      {QStringLiteral("Audible Alarm"), QStringLiteral("Audible Alarm"), true, true}});
    grid->AddItems({QStringLiteral("1\t-1"), QStringLiteral("2\t0"), QStringLiteral("3")});
    auto* model = grid->View().model();
    const auto state = [&](int row) { return model->index(row, 1).data(Qt::CheckStateRole).value<Qt::CheckState>(); };
    EXPECT_EQ(state(0), Qt::Checked);
    EXPECT_EQ(state(1), Qt::Unchecked);
    EXPECT_EQ(state(2), Qt::Unchecked) << "an empty cell is unticked";
    EXPECT_FALSE(model->index(0, 1).data(Qt::DisplayRole).isValid()) << "the box shows no number";
    EXPECT_TRUE(model->flags(model->index(0, 1)) & Qt::ItemIsUserCheckable);
    EXPECT_FALSE(model->flags(model->index(0, 0)) & Qt::ItemIsUserCheckable);

    EXPECT_TRUE(model->setData(model->index(1, 1), Qt::Checked, Qt::CheckStateRole));
    EXPECT_TRUE(model->setData(model->index(0, 1), Qt::Unchecked, Qt::CheckStateRole));
    EXPECT_EQ(grid->Cell(1, QStringLiteral("AUDIBLE ALARM")), "-1");
    EXPECT_EQ(grid->Cell(0, QStringLiteral("audible alarm")), "0");
    grid->SetCell(2, QStringLiteral("Audible Alarm"), QStringLiteral("-1"));
    EXPECT_EQ(state(2), Qt::Checked);
}

// A screen reader reads a check-box cell as a check box named by its column, ticked or
// not, and ticks it by its toggle; the other cells read their text. Each cell is
// found under the child number Qt's focus events give it: (row + 1) * (columns + 1)
// + column + 1, after the header row and column.
TEST_F(DataGridTest, CheckBoxCellsReadAsCheckBoxesNamedByTheirColumn)
{
    grid->SetColumns({{QStringLiteral("Leg #"), QStringLiteral("LEG #")},
                      {QStringLiteral("Audible Alarm"), QStringLiteral("Audible Alarm"), true, true}});
    grid->AddItems({QStringLiteral("1\t-1"), QStringLiteral("2\t0")});
    QAccessibleInterface* table = QAccessible::queryAccessibleInterface(&grid->View());
    ASSERT_TRUE(table);
    ASSERT_TRUE(table->tableInterface());
    EXPECT_EQ(table->tableInterface()->rowCount(), 2);
    EXPECT_EQ(table->tableInterface()->columnCount(), 2);
    const auto cell = [table](int row, int column) { return table->child((row + 1) * 3 + column + 1); };
    struct Case {
        int row;
        int column;
        QAccessible::Role role;
        const char* name;
        bool checked;
    };
    const Case cases[] = {{0, 0, QAccessible::Cell, "1", false},
                          {0, 1, QAccessible::CheckBox, "Audible Alarm", true},
                          {1, 1, QAccessible::CheckBox, "Audible Alarm", false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.row * 10 + c.column);
        QAccessibleInterface* face = cell(c.row, c.column);
        ASSERT_TRUE(face);
        EXPECT_EQ(face->role(), c.role);
        EXPECT_EQ(face->text(QAccessible::Name), c.name);
        EXPECT_EQ(face->state().checkable, c.role == QAccessible::CheckBox);
        EXPECT_EQ(face->state().checked, c.checked);
        EXPECT_EQ(table->indexOfChild(face), (c.row + 1) * 3 + c.column + 1);
        EXPECT_EQ(face, table->tableInterface()->cellAt(c.row, c.column));
    }
    EXPECT_EQ(table->child(1)->role(), QAccessible::ColumnHeader);
    EXPECT_EQ(table->child(2)->text(QAccessible::Name), "Audible Alarm");

    cell(1, 1)->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    EXPECT_EQ(grid->Cell(1, QStringLiteral("Audible Alarm")), "-1");
    EXPECT_TRUE(cell(1, 1)->state().checked);
}

} // namespace
} // namespace kvl::test
