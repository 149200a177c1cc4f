#include "tests/dive/DiveFormTest.h"

#include "shell/core/Units.h"
#include "tests/support/LogFixture.h"

#include <QStringList>

namespace kvl::test {

Columns ManualDive(Columns overrides)
{
    Columns columns{
        {"LIFETIMEDIVENO", 1}, {"DIVEDATE", "2009/05/21"}, {"DIVETIME", "10:00"}, {"STIME", "00:00"},
        {"BTIME", 40},         {"MDEPTH", 60},            {"AVGDEPTH", 30},      {"TEMP", 77},
        {"FO2", 20},           {"VARI", 0},               {"CYLINDERSIZE", 80},  {"SPSI", 3000},
        {"EPSI", 500},         {"TANK1ON", -1},           {"DATATYPE", 0},       {"MODELID", 0},
        {"MODELSERNO", 0},
    };
    for (const auto& [name, value] : overrides) {
        bool replaced = false;
        for (auto& column : columns)
            if (column.first == name) {
                column.second = value;
                replaced = true;
            }
        if (!replaced)
            columns.emplace_back(name, value);
    }
    return columns;
}

void DiveFormTest::SetUp()
{
    KvlTest::SetUp();
    gv = Global_Vars{};
    const QString path = Home() + "/Test.dlg";
    ASSERT_TRUE(MakeFreshLog(path));
    gv.DB = db::Database::Open(path);
    gv.DBIsOpen = true;
    gv.SortOrder = "LIFETIMEDIVENO ASC";
    gv.DiveListSQL = "Select * from DIVEDATA ORDER by " + gv.SortOrder;
    gv.BaseLTD = 1;
    InitUnitFlags();
}

void DiveFormTest::TearDown()
{
    form.reset();
    gv = Global_Vars{};
    KvlTest::TearDown();
}

qint64 DiveFormTest::AddDive(const Columns& columns, db::Value units, db::Value hour, bool settingsRow)
{
    const qint64 id = test::InsertRow(*gv.DB, "DIVEDATA", columns);
    if (settingsRow)
        gv.DB->Execute("Insert into DIVE_DC_SETTINGS (DIVEID, UNITS, HOUR) values (?, ?, ?)", {id, units, hour});
    return id;
}

void DiveFormTest::Show(qint64 diveId)
{
    gv.rsDiveData = gv.DB->OpenRecordset(gv.DiveListSQL);
    ASSERT_TRUE(gv.rsDiveData->FindFirst("DIVEID", diveId));
    gv.CurrentDiveID = static_cast<qint32>(diveId);
    if (!form) {
        form = std::make_unique<DiveFrm>();
        form->Form_Load();
    } else {
        form->DIVE_InitDiveInfo();
    }
}

db::Value DiveFormTest::Stored(qint64 diveId, const QString& column)
{
    return gv.DB->Scalar("Select " + column + " from DIVEDATA where DIVEID = ?", {diveId});
}

bool DiveFormTest::SaveAsMainWindow()
{
    const bool changed = form->Dive_IsAnyChange();
    if (changed)
        form->DIVE_Update_DiveData();
    return changed;
}

void DiveFormTest::Type(EditBox& box, const QString& text)
{
    box.setText(text);
    emit box.KeyDown(0);
}

} // namespace kvl::test
