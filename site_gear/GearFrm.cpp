#include "site_gear/GearFrm.h"

#include "shell/core/Global_Vars.h"

namespace kvl {

GearFrm::GearFrm() : ChildFormOf("Gear") {}

void GearFrm::Form_Load()
{
    gv.ActiveFormID = FormCode::Gear;
    SetToolBarItemVisible("Save", true);
    LoadGearInfo();
}

void GearFrm::Form_Unload()
{
    gv.ActiveFormID = FormCode::None;
    SetToolBarItemVisible("Save", false);
    DeselectSideBarItem("Gear");
}

} // namespace kvl
