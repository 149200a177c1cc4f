#include "dive/core/DiveSave.h"

#include "shell/core/DiveColumns.h"

namespace kvl {

namespace {

std::unique_ptr<db::Recordset> DiveRow(qint64 diveId)
{
    return gv.DB->OpenRecordset(QStringLiteral("Select * from DIVEDATA where DIVEID = ? ;"), {db::Value(diveId)});
}

} // namespace

bool WriteDiveRecord(qint64 diveId, const DiveDataRec& dive)
{
    auto row = DiveRow(diveId);
    if (row->EOF())
        return false;
    row->Edit();
    for (const DiveColumn& column : DiveColumns())
        if (WritesDiveColumn(column, dive))
            row->SetField(column.column, SavedDiveValue(column, dive));
    row->Update();
    return true;
}

bool DiveRecordDiffers(qint64 diveId, const DiveDataRec& dive)
{
    auto row = DiveRow(diveId);
    if (row->EOF())
        return false;
    for (const DiveColumn& column : DiveColumns())
        if (column.save != DiveColumnSave::AsTemp && WritesDiveColumn(column, dive) &&
            !SameDiveValue(column, row->Field(column.column), SavedDiveValue(column, dive)))
            return true;
    return false;
}

} // namespace kvl
