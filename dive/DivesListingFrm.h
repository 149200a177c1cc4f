#pragma once
// The dives listing that drops down under the tool bar's "LTD" item: one row per dive
// of the browsed dive set (gv.DiveListSQL), and a pick makes that dive current.

#include "dive/PopupForm.h"

#include <QString>

class QTableWidget;

namespace kvl {

namespace db {
class Recordset;
}

// The texts of a listing row, in the grid's column order, from a DIVEDATA row.
QStringList DivesListingRow(const db::Recordset& row);

class DivesListingFrm : public PopupFormOf<DivesListingFrm> {
    Q_OBJECT
public:
    DivesListingFrm();

    // Fills the grid afresh from the browsed dive set.
    void Form_Load();
    // The user picked a row: that dive becomes the current dive.
    void Grid_Click(int row);

    QTableWidget* Grid;

protected:
    // Enter on the grid picks its current row, as a click does.
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace kvl
