#include "dive/DivesListingFrm.h"

#include "shell/core/DiveCursor.h"
#include "shell/core/Global_Vars.h"
#include "shell/core/Lookups.h"
#include "shell/core/Units.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QTableWidget>
#include <QVBoxLayout>

namespace kvl {

namespace {

const QStringList kColumns{"LTD #", "Date", "Time", "Dive #", "PDC Model", "Location", "Dive Site"};

} // namespace

QStringList DivesListingRow(const db::Recordset& row)
{
    return {row.Field("LIFETIMEDIVENO").ToString(),
            FormatDBDate(row.Field("DIVEDATE").ToString()),
            FormatTimeByMode(row.Field("DIVETIME").ToString(), gv.UnitTime),
            row.Field("DIVENO").ToString(),
            GetModelNameLocal(row.Field("MODELID")),
            QString(),
            QString()};
}

DivesListingFrm::DivesListingFrm()
{
    Grid = new QTableWidget(0, kColumns.size(), this);
    Grid->setHorizontalHeaderLabels(kColumns);
    Grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    Grid->setSelectionMode(QAbstractItemView::SingleSelection);
    Grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Grid->setAccessibleName(QStringLiteral("Dives Listing"));   // the grid shows no caption
    Grid->verticalHeader()->hide();
    Grid->verticalHeader()->setDefaultSectionSize(Grid->fontMetrics().height() + 6);
    Grid->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    Grid->horizontalHeader()->setStretchLastSection(true);
    connect(Grid, &QTableWidget::cellClicked, this, [this](int row, int) { Grid_Click(row); });
    Grid->installEventFilter(this);
    setFocusProxy(Grid);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Grid);
    resize(640, 280);
}

void DivesListingFrm::Form_Load()
{
    Grid->setRowCount(0);
    if (!gv.DB)
        return;
    auto rs = gv.DB->OpenRecordset(gv.DiveListSQL, gv.DiveListParams);
    for (; !rs->EOF(); rs->MoveNext()) {
        const int r = Grid->rowCount();
        Grid->insertRow(r);
        const QStringList texts = DivesListingRow(*rs);
        for (int c = 0; c < texts.size(); ++c)
            Grid->setItem(r, c, new QTableWidgetItem(texts[c]));
        Grid->item(r, 0)->setData(Qt::UserRole, QVariant::fromValue(rs->Field("DIVEID").ToLong()));
        if (rs->Field("DIVEID").ToLong() == gv.CurrentDiveID)
            Grid->setCurrentCell(r, 0);   // the list opens on the dive shown
    }
}

bool DivesListingFrm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Grid && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && Grid->currentRow() >= 0) {
            Grid_Click(Grid->currentRow());
            return true;
        }
    }
    return PopupFormOf::eventFilter(watched, event);
}

void DivesListingFrm::Grid_Click(int row)
{
    const QTableWidgetItem* item = Grid->item(row, 0);
    if (!item)
        return;
    hide();
    PickDive(static_cast<qint32>(item->data(Qt::UserRole).toLongLong()));
}

} // namespace kvl
