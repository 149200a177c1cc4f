#include "people/BuddiesFrm.h"

#include "shell/Global_Vars.h"

namespace kvl {

BuddiesFrm::BuddiesFrm() : ChildFormOf("Buddies") {}

void BuddiesFrm::Form_Load()
{
    gv.ActiveFormID = FormCode::Buddies;
    SetToolBarItemVisible("Units", false);
    SetToolBarItemVisible("Save", true);
    Buddy_Init_AllInfo();
}

// The form's code stays in gv.ActiveFormID after it unloads.
void BuddiesFrm::Form_Unload()
{
    SetToolBarItemVisible("Save", false);
    DeselectSideBarItem("Buddies");
}

void BuddiesFrm::SaveInfo()
{
    gv.PInfoChanged = false;
}

void BuddiesFrm::Buddy_Init_AllInfo()
{
    gv.PInfoChanged = false;
}

} // namespace kvl
