#include "site_gear/LocationFrm.h"

#include "shell/core/Global_Vars.h"
#include "shell/core/Lookups.h"

#include <QFormLayout>
#include <QLabel>

#include <functional>

namespace kvl {

namespace {

struct Shown {
    const char* caption;
    std::function<QString(const DiveDataRec&)> text;
};

const Shown shownFields[] = {
    {"Location", [](const DiveDataRec& d) { return d.LOCATIONNAME; }},
    {"Dive site", [](const DiveDataRec& d) { return d.DIVESITE; }},
    {"Resort", [](const DiveDataRec& d) { return d.RESORT; }},
    {"Operator", [](const DiveDataRec& d) { return d.OPERATOR; }},
    {"Dive boat", [](const DiveDataRec& d) { return d.DIVEBOAT; }},
    {"GPS", [](const DiveDataRec& d) { return d.GPS; }},
    {"Current", [](const DiveDataRec& d) { return GetCurrentName(d.CURRENT); }},
    {"Surge", [](const DiveDataRec& d) { return GetSurgeName(d.SURGE); }},
    {"Surf", [](const DiveDataRec& d) { return GetSurfName(d.SURF); }},
    {"Tide", [](const DiveDataRec& d) { return GetTideName(d.TIDE); }},
    {"Swell", [](const DiveDataRec& d) { return GetSwellName(d.SWELL); }},
};

} // namespace

LocationFrm::LocationFrm() : ChildFormOf("VURO Dive Location"), fields_(new QFormLayout(this))
{
    fields_->setContentsMargins(16, 16, 16, 16);
    fields_->setLabelAlignment(Qt::AlignRight);
    for (const Shown& field : shownFields)
        values_[field.caption] = AddShownField(*fields_, field.caption);
}

void LocationFrm::Form_Load()
{
    gv.ActiveFormID = FormCode::Location;
    SetToolBarItemVisible("Save", true);
    LOCATION_Init_AllInfo();
}

void LocationFrm::Form_Unload()
{
    gv.ActiveFormID = FormCode::None;
    SetToolBarItemVisible("Save", false);
    DeselectSideBarItem("Location");
}

void LocationFrm::LOCATION_Init_AllInfo()
{
    for (const Shown& field : shownFields) {
        QString text;
        try {
            text = field.text(gv.CurrentDive);
        } catch (const std::exception&) {
            // A condition the log cannot name is shown empty.
        }
        values_.at(field.caption)->setText(text.trimmed());
    }
}

QString LocationFrm::ShownValue(const QString& caption) const
{
    auto found = values_.find(caption);
    return found == values_.end() ? QString() : found->second->text();
}

} // namespace kvl
