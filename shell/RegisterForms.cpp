// The one place that knows every child form: it fills the shell's table of forms and makes
// the main window their host.
#include "shell/RegisterForms.h"

#include "analysis/DetailsFrm.h"
#include "analysis/HistoryFrm.h"
#include "analysis/QueriesFrm.h"
#include "dive/DiveFrm.h"
#include "people/BuddiesFrm.h"
#include "people/PersonalFrm.h"
#include "settings/DCFrm.h"
#include "shell/MDI_MainFrm.h"
#include "shell/core/FormTable.h"
#include "site_gear/GearFrm.h"
#include "site_gear/LocationFrm.h"

namespace kvl {

void RegisterChildForms()
{
    InstallFormHost({[]() -> ChildFormHost* { return MainFrmExists() ? &MainFrm() : nullptr; },
                     []() -> ChildFormHost& { return MainFrm(); }});
    RegisterForm(FormCode::Personal, PersonalFrm::TableEntry(&PersonalFrm::SaveInfo));
    RegisterForm(FormCode::DiveComputer, DCFrm::TableEntry());
    RegisterForm(FormCode::Dive, DiveFrm::TableEntry(&DiveFrm::DIVE_Update_DiveData, &DiveFrm::DIVE_InitDiveInfo));
    RegisterForm(FormCode::Buddies, BuddiesFrm::TableEntry(&BuddiesFrm::SaveInfo, &BuddiesFrm::Buddy_Init_AllInfo));
    RegisterForm(FormCode::Location, LocationFrm::TableEntry(&LocationFrm::LOCATION_Update_LocationData,
                                                             &LocationFrm::LOCATION_Init_AllInfo));
    RegisterForm(FormCode::Details, DetailsFrm::TableEntry(nullptr, &DetailsFrm::Detail_Initinfo));
    RegisterForm(FormCode::Gear, GearFrm::TableEntry(&GearFrm::UpdateGearInfo, &GearFrm::LoadGearInfo));
    RegisterForm(FormCode::History, HistoryFrm::TableEntry());
    FormTableEntry queries = QueriesFrm::TableEntry();
    queries.hidesOnClose = true;   // it keeps its criteria
    RegisterForm(FormCode::Queries, std::move(queries));
}

} // namespace kvl
