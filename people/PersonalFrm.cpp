#include "people/PersonalFrm.h"

#include "forms/FormHost.h"
#include "people/PersonGrid.h"
#include "people/core/DiverUnits.h"
#include "platform/dialogs/Dialogs.h"
#include "platform/widgets/PropertyGrid.h"
#include "shell/core/DiveRows.h"
#include "shell/core/Global_Vars.h"
#include "shell/core/Units.h"

#include <QLabel>
#include <QVBoxLayout>

namespace kvl {

using namespace people;

PersonalFrm::PersonalFrm()
    : ChildFormOf("Personal"), label1_(AddFormHeader(*new QVBoxLayout(this), "PERSONAL")), pinfo_(new PropertyGrid(this))
{
    pinfo_->setObjectName("PInfo");
    pinfo_->setAccessibleName("Personal record");
    static_cast<QVBoxLayout*>(layout())->addWidget(pinfo_, 1);
}

void PersonalFrm::Form_Load()
{
    gv.PersonKind = DiverType;
    gv.ActiveFormID = FormCode::Personal;
    gv.PrintFontName = font().family();
    SetToolBarItemVisible("Units", false);
    PInfo_Initial();
    Personal_InitAll();
}

void PersonalFrm::Form_Unload()
{
    gv.ActiveFormID = FormCode::None;
    DeselectSideBarItem("Personal");
}

void PersonalFrm::Personal_InitAll()
{
    gv.PersonKind = DiverType;
    Personal_InitInfo();
    try {
        Personal_InitUnits();
    } catch (const db::DbError& e) {
        qCWarning(lcPeople) << "units not loaded:" << e.Message();   // the flags stay as they are
    }
}

void PersonalFrm::PInfo_Initial()
{
    PInfo_Build(*pinfo_, OwnPhoneCaption::Phone);
}

void PersonalFrm::Personal_InitInfo()
{
    // A log without a diver row names no one: the last log's name must not reach
    // this log's title and reports.
    gv.DiverName.clear();
    try {
        gv.SQLText = "Select * from USERINFO where USERTYPE = 1 ;";
        const std::optional<StoredPerson> diver = ReadDiver(LogDB());
        if (diver) {
            PInfo_ShowRecord(*pinfo_, diver->record);
            gv.DiverName = diver->record.value("NAME");
            diverId_ = diver->id;
            shown_ = Shown::DiverRow;
        } else {
            shown_ = Shown::NoDiverRow;
        }
    } catch (const db::DbError& e) {
        qCWarning(lcPeople) << "diver not loaded:" << e.Message();
    }
    FormHost().ShowDiverInTitle(gv.DiverName);
    gv.PersonChanged = false;
    gv.CurrentPersonID = 0;
}

bool PersonalFrm::SaveInfo()
{
    if (!gv.DB)
        return true;
    bool saved = true;
    try {
        StoreDiver();
    } catch (const db::DbError& e) {
        qCWarning(lcPeople) << "diver not saved:" << e.Message();
        saved = false;
    }
    try {
        WriteUnitFlags();
    } catch (const db::DbError& e) {
        qCWarning(lcPeople) << "units not saved:" << e.Message();
        saved = false;
    }
    if (saved)
        gv.PersonChanged = false;
    else
        MsgBox("Could not save the diver's information.", MsgButtons::OK, MsgIcon::Critical, "Error");
    try {
        ShowCurrentLTD();
    } catch (const db::DbError& e) {
        qCWarning(lcPeople) << "current dive not refreshed:" << e.Message();
    }
    return saved;
}

// The grid goes into the row it was loaded from; a log that had no diver row gets one.
void PersonalFrm::StoreDiver()
{
    if (shown_ == Shown::Nothing)
        return;
    const PersonRecord record = PInfo_StoreRecord(*pinfo_);
    if (shown_ == Shown::DiverRow && WritePerson(LogDB(), diverId_, record))
        return;
    diverId_ = InsertPerson(LogDB(), DiverType, record);
    shown_ = Shown::DiverRow;
}

void PersonalFrm::Personal_InitUnits()
{
    gv.SQLText = "Select * from UNITS_OF_MEASUREMENT ;";
    gv.rsUnits = LogDB().OpenRecordset(gv.SQLText);
    const std::optional<quint8> system = UnitSystemOfRow(*gv.rsUnits);
    if (!system)
        return;
    gv.UnitSystem = *system;
    SetToolBarItemChecked(QStringLiteral("Imperial"), gv.UnitSystem == 1);
    for (quint8* flag : {&gv.UnitDepth, &gv.UnitPressure, &gv.UnitWeight, &gv.UnitTemp, &gv.UnitTime,
                         &gv.UnitDate, &gv.UnitCylinder})
        *flag = gv.UnitSystem;
}

} // namespace kvl
