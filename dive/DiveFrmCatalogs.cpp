// The dive record's location and dive-site lists and the settings stored with the dive.
#include "dive/DiveFrm.h"

#include "dive/DiveFrmShared.h"
#include "dive/core/DiveSettings.h"
#include "dive/core/DiveValidators.h"
#include "platform/dialogs/Dialogs.h"
#include "platform/runtime/Logging.h"
#include "platform/runtime/Runtime.h"
#include "platform/widgets/Captions.h"
#include "shell/core/Lookups.h"
#include "shell/core/StateCodes.h"
#include "shell/core/Units.h"

namespace kvl {

using namespace divefrm;

// ---------------------------------------------------------------- location and dive site

void DiveFrm::DIVE_InitLocation() { InitCatalog(LocationSide()); }
void DiveFrm::DIVE_InitDiveSite() { InitCatalog(DiveSiteSide()); }
void DiveFrm::Init_LocationInfo() { InitCatalogInfo(LocationSide()); }
void DiveFrm::Init_SiteInfo() { InitCatalogInfo(DiveSiteSide()); }

void DiveFrm::InitCatalog(const CatalogSide& side)
{
    DataCombo& combo = ComboOf(side);
    combo.RemoveAll();
    combo.SetText(QString());
    if (!gv.DB)
        return;
    RunLogged(kvlUi(), "listing the catalog", [&] {
        for (const CatalogEntry& entry : CatalogEntries(side))
            combo.AddItem(QString::number(entry.id) + QLatin1Char('\t') + entry.name);
    });
    InitCatalogInfo(side);
}

void DiveFrm::InitCatalogInfo(const CatalogSide& side)
{
    const db::Value& id = gv.CurrentDive.*side.member;
    if (id.IsNull() || id.ToLong() <= 0)
        return;
    DataCombo& combo = ComboOf(side);
    for (combo.MoveFirst(); combo.Row() >= 0; combo.MoveNext()) {
        if (Val(combo.Column(side.idColumn)) == id.ToDouble()) {
            combo.SetText(combo.Column(side.listNameColumn));
            return;
        }
        if (combo.Row() == combo.Rows() - 1)
            break;
    }
    combo.SetText(QString());   // the dive names an entry that is no longer listed
}

qint64 DiveFrm::ListedId(const CatalogSide& side) const
{
    return RoundHalfEven(Val(ComboOf(side).Column(side.idColumn)));
}

void DiveFrm::Catalog_Enter(const CatalogSide& side)
{
    const bool location = &side == &LocationSide();
    AddDelTarget = location ? QStringLiteral("1") : QStringLiteral("2");
    DataCombo& combo = ComboOf(side);
    const QPoint at = combo.mapTo(this, QPoint(combo.width(), 0));
    addDel_->move(at);
    addDel_->Serve(combo, NameOfCaption(Label3(location ? DiveLabel::Location : DiveLabel::DiveSite).text()));
    addDel_->show();
    addDel_->raise();
}

void DiveFrm::Catalog_RowChange(const CatalogSide& side)
{
    gv.CurrentDive.*side.member = db::Value(ListedId(side));
    addDel_->hide();
}

void DiveFrm::Catalog_Select(const CatalogSide& side)
{
    const qint64 id = ListedId(side);
    gv.CurrentDive.*side.member = db::Value(id);
    if (id <= 0)
        return;
    try {
        LinkDiveToCatalogEntry(side, loadedDiveId_, id);
    } catch (const db::DbError&) {
        MsgBox(side.updateError, MsgButtons::OK, MsgIcon::Critical, QStringLiteral("Error"));
    }
}

void DiveFrm::Dive_AddDel_Popup_ItemClick(const QString& key)
{
    if (AddDelTarget != QLatin1String("1") && AddDelTarget != QLatin1String("2"))
        return;
    const CatalogSide& side = AddDelTarget == QLatin1String("1") ? LocationSide() : DiveSiteSide();
    if (key == QLatin1String("Add"))
        AddCatalogName(side);
    else if (key == QLatin1String("Delete"))
        DeleteCatalogName(side);
}

void DiveFrm::AddCatalogName(const CatalogSide& side)
{
    const QString answer = InputBox(side.addPrompt, side.addTitle, QString());
    if (answer.size() > 50) {
        FieldWarning(side.tooLong);
        return;
    }
    if (answer.isEmpty())
        return;
    qint64 id = 0;
    try {
        id = FindCatalogName(side, answer);
        if (id == 0) {
            id = kvl::AddCatalogName(side, answer);
            InitCatalog(side);
        } else {
            MsgBox(side.exists, MsgButtons::OK, MsgIcon::Exclamation, QStringLiteral("Warning"));
        }
    } catch (const db::DbError&) {
        MsgBox(side.updateError, MsgButtons::OK, MsgIcon::Critical, QStringLiteral("Error"));
        return;
    }
    gv.CurrentDive.*side.member = db::Value(id);
    InitCatalogInfo(side);   // the row found by id, also for a name typed in another letter case
    RunLogged(kvlDb(), "linking the dive to the catalog entry",
              [&] { LinkDiveToCatalogEntry(side, loadedDiveId_, id); });
}

void DiveFrm::DeleteCatalogName(const CatalogSide& side)
{
    DataCombo& combo = ComboOf(side);
    const qint64 id = ListedId(side);
    const QString name = combo.Text();
    if (name.isEmpty())
        return;
    if (MsgBox(side.deleteQuestion + name + QStringLiteral("'?"), MsgButtons::YesNo, MsgIcon::Critical,
               side.deleteTitle) != MsgAnswer::Yes)
        return;
    try {
        DeleteCatalogEntry(side, id);
    } catch (const db::DbError&) {
        MsgBox(side.deleteError, MsgButtons::OK, MsgIcon::Critical, QStringLiteral("Error"));
        return;
    }
    db::Value& own = gv.CurrentDive.*side.member;
    if (own.IsNull() || own.ToLong() == id)
        own = db::Value(0);
    InitCatalog(side);
}

// ---------------------------------------------------------------- settings stored with the dive

void DiveFrm::LoadSettings(qint64 id)
{
    PropertyGrid& grid = Properties();
    grid.RemoveAll();
    const auto failed = [] {
        MsgBox(QStringLiteral("Error loading settings."), MsgButtons::OK, MsgIcon::Critical, QStringLiteral("Error"));
    };
    try {
        gv.rsDiveDCSettings = gv.DB->OpenRecordset(
            QStringLiteral("Select * from DIVE_DC_SETTINGS where DIVEID = ? ;"), {db::Value(id)});
        const db::Recordset& rs = *gv.rsDiveDCSettings;
        if (rs.EOF()) {
            grid.hide();
            failed();
            return;
        }
        grid.show();
        const auto addRow = [&grid](const QString& key, const QString& caption, int kind) {
            grid.Add(key, kind == PropertyGrid::Group ? caption : caption + QLatin1Char('\t'), kind);
            if (kind == PropertyGrid::Group)
                grid.Expand(key);
        };
        if (gv.CurrentDive.DATATYPE != 0) {
            for (const SettingsGridRow& gridRow : DownloadedSettingsRows()) {
                addRow(gridRow.key, gridRow.caption, gridRow.column.isEmpty() ? PropertyGrid::Group : PropertyGrid::Value);
                if (!gridRow.column.isEmpty())
                    grid.SetValueText(gridRow.key, SettingsValueText(gridRow, rs));
            }
        } else {
            const db::Value units = EffectiveUnits(rs.Field(QStringLiteral("UNITS")));
            addRow(QStringLiteral("Group1"), QStringLiteral("Utilities Settings"), PropertyGrid::Group);
            addRow(QStringLiteral("Units"), QStringLiteral("Units of Measure"), PropertyGrid::Choice);
            for (const QString& choice : {QStringLiteral("Imperial"), QStringLiteral("Metric")})
                grid.AddChoice(QStringLiteral("Units"), 0, choice, choice);
            grid.SetValueText(QStringLiteral("Units"), DCSettingsText(QStringLiteral("UNITS"), units, units));
            addRow(QStringLiteral("Time"), QStringLiteral("Time Format"), PropertyGrid::Choice);
            for (const QString& choice : {QStringLiteral("12"), QStringLiteral("24")})
                grid.AddChoice(QStringLiteral("Time"), 0, choice, choice);
            grid.SetValueText(QStringLiteral("Time"),
                              DCSettingsText(QStringLiteral("HOUR"), EffectiveHour(rs.Field(QStringLiteral("HOUR"))), units));
        }
        ApplySettingsUnits(rs.Field(QStringLiteral("UNITS")), rs.Field(QStringLiteral("HOUR")));
    } catch (const std::exception&) {
        failed();
    }
}

void DiveFrm::Update_Settings()
{
    if (!gv.rsDiveDCSettings || gv.rsDiveDCSettings->EOF())
        return;
    db::Recordset& rs = *gv.rsDiveDCSettings;
    rs.Edit();
    rs.SetField(QStringLiteral("UNITS"), static_cast<int>(InvertBit(gv.UnitSystem)));
    rs.SetField(QStringLiteral("HOUR"), static_cast<int>(InvertBit(gv.UnitTime)));
    rs.Update();
}

void DiveFrm::Properties_ItemValueChange(const QString& key)
{
    const QString value = Properties().ValueText(key);
    quint8* flag = nullptr;
    quint8 wanted = 0;
    if (key == QLatin1String("Units")) {
        flag = &gv.UnitSystem;
        wanted = value == QLatin1String("Imperial") ? 1 : 0;
    } else if (key == QLatin1String("Time")) {
        flag = &gv.UnitTime;
        wanted = value == QLatin1String("12") ? 1 : 0;
    }
    if (!flag || *flag == wanted)
        return;
    // The dive is shown again in the new units: edits typed in the old ones are saved
    // first. A new dive stays new, so leaving it still asks whether to keep it.
    if (MayHoldEdits()) {
        Dive_IsAnyChange();
        const bool isNew = gv.IsNewDive;
        const bool written = DIVE_Update_DiveData();   // false for a refused value too
        gv.IsNewDive = isNew;
        if (!written) {
            LoadSettings(loadedDiveId_);
            return;
        }
    }
    *flag = wanted;
    UpdateUnitFlags();
    Update_Settings();
    DIVE_InitDiveInfo();
}

} // namespace kvl
