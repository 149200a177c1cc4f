#include "site_gear/LocationFrm.h"

#include "shell/Global_Vars.h"

namespace kvl {

LocationFrm::LocationFrm() : ChildFormOf("VURO Dive Location") {}

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

} // namespace kvl
