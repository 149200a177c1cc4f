#include "people/PersonalFrm.h"

#include "platform/dialogs/Dialogs.h"
#include "platform/widgets/SmartSideBar.h"
#include "platform/widgets/SmartToolBar.h"
#include "shell/core/Global_Vars.h"
#include "shell/MDI_MainFrm.h"

#include <QFormLayout>
#include <QLineEdit>

namespace kvl {

namespace {

struct Field {
    const char* column;
    const char* caption;
};

const Field diverFields[] = {
    {"NAME", "Name"},           {"ADDRESS1", "Address"},      {"ADDRESS2", ""},
    {"CITY", "City"},           {"STATE", "State"},           {"ZIPCODE", "Zip code"},
    {"COUNTRY", "Country"},     {"HOME", "Phone"},            {"EMAIL", "E-mail"},
    {"CONTACTNAME", "Emergency contact"}, {"CONTACTPHONE", "Contact phone"},
    {"PHYSICIAN", "Physician"}, {"MEDPHONE", "Physician phone"}, {"INSURANCE", "Insurance"},
    {"POLICY", "Policy"},       {"BLOODTYPE", "Blood type"},  {"ALLERGIES", "Allergies"},
};

} // namespace

PersonalFrm::PersonalFrm() : ChildFormOf("Personal"), fields_(new QFormLayout(this))
{
    fields_->setContentsMargins(16, 16, 16, 16);
    fields_->setLabelAlignment(Qt::AlignRight);
    for (const Field& field : diverFields) {
        auto* box = new QLineEdit(this);
        box->setObjectName(field.column);
        box->setMaximumWidth(420);
        connect(box, &QLineEdit::textEdited, this, [] { gv.PInfoChanged = true; });
        fields_->addRow(field.caption, box);
    }
}

void PersonalFrm::Form_Load()
{
    gv.ActiveFormID = FormCode::Personal;
    SetToolBarItemVisible("Units", false);
    gv.PrintFontName = font().family();
    Personal_InitInfo();
    try {
        Personal_InitUnits();
    } catch (const db::DbError&) {
        // A log without the units table keeps the flags it has.
    }
}

void PersonalFrm::Form_Unload()
{
    gv.ActiveFormID = FormCode::None;
    DeselectSideBarItem("Personal");
}

void PersonalFrm::Personal_InitInfo()
{
    gv.PInfoChanged = false;
    if (!gv.DB)
        return;
    try {
        auto diver = gv.DB->OpenRecordset("Select * from USERINFO where USERTYPE = 1 ;");
        for (const Field& field : diverFields) {
            const QString value = diver->EOF() ? QString() : diver->Field(field.column).ToString().trimmed();
            findChild<QLineEdit*>(field.column)->setText(value);
        }
    } catch (const db::DbError&) {
        // A log without the diver's table shows empty fields.
    }
}

QString PersonalFrm::ShownValue(const QString& column) const
{
    auto* box = findChild<QLineEdit*>(column);
    return box ? box->text() : QString();
}

void PersonalFrm::TypeValue(const QString& column, const QString& text)
{
    if (auto* box = findChild<QLineEdit*>(column)) {
        box->setText(text);
        emit box->textEdited(text);
    }
}

void PersonalFrm::SaveInfo()
{
    if (!gv.DB)
        return;
    try {
        auto diver = gv.DB->OpenRecordset("Select * from USERINFO where USERTYPE = 1 ;");
        if (diver->EOF()) {
            diver->AddNew();
            diver->SetField("USERTYPE", 1);
        } else {
            diver->Edit();
        }
        for (const Field& field : diverFields)
            diver->SetField(field.column, ShownValue(field.column));
        diver->Update();
        gv.PInfoChanged = false;
    } catch (const db::DbError&) {
        MsgBox("Could not save the diver's information.", MsgButtons::OK, MsgIcon::Critical, "Error");
    }
}

void PersonalFrm::Personal_InitUnits()
{
    gv.SQLText = "Select * from UNITS_OF_MEASUREMENT ;";
    gv.rsUnits = gv.DB->OpenRecordset(gv.SQLText);
    if (gv.rsUnits->EOF())
        return;
    gv.UnitSystem = gv.rsUnits->Field("DEPTH").ToBool() ? 1 : 0;
    MainFrm().SmartUI1->Items("Imperial").SetChecked(gv.UnitSystem == 1);
    for (quint8* flag : {&gv.UnitDepth, &gv.UnitTemp, &gv.UnitPressure, &gv.UnitWeight, &gv.UnitCylinder,
                         &gv.UnitDate, &gv.UnitTime})
        *flag = gv.UnitSystem;
}

} // namespace kvl
