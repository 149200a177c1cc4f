// The side bar and the switching of child forms.
#include "shell/MDI_MainFrm.h"

#include "people/BuddiesFrm.h"
#include "people/PersonalFrm.h"
#include "platform/widgets/SmartSideBar.h"
#include "platform/widgets/SmartToolBar.h"
#include "shell/Global_Vars.h"
#include "site_gear/GearFrm.h"
#include "site_gear/LocationFrm.h"

namespace kvl {

void MDI_MainFrm::SmartBar_ItemClick(const QString& key)
{
    if (key.isEmpty())
        return;
    if (SelectedForm(key) != gv.ActiveFormID)
        CloseChildForm(gv.ActiveFormID);
    if (key == "Personal") {
        if (gv.ActiveFormID == FormCode::Personal)
            return;
        DisableDiveButtons();
        SmartUI1->Items("Print").SetVisible(1);
        PersonalFrm::Instance().Show();
    }
}

int MDI_MainFrm::SelectedForm(const QString& key) const
{
    static const std::pair<const char*, int> codes[] = {
        {"Queries", FormCode::Queries}, {"Personal", FormCode::Personal}, {"DiveComputer", FormCode::DiveComputer},
        {"Buddies", FormCode::Buddies}, {"Dive", FormCode::Dive},         {"Location", FormCode::Location},
        {"Details", FormCode::Details}, {"Gear", FormCode::Gear},         {"History", FormCode::History},
    };
    for (const auto& [name, code] : codes)
        if (key == QLatin1String(name))
            return code;
    return -1;
}

void MDI_MainFrm::CloseChildForm(int formCode)
{
    switch (formCode) {
    case FormCode::Personal:
        PersonalFrm::Instance().SaveInfo();
        DeselectSideBarItem("Personal");
        PersonalFrm::Instance().Unload();
        if (!DiveListAtEnd())
            EnableDiveButtons();
        break;
    case FormCode::Buddies:
        if (gv.PInfoChanged)
            BuddiesFrm::Instance().SaveInfo();
        DeselectSideBarItem("Buddies");
        BuddiesFrm::Instance().Unload();
        break;
    case FormCode::Location:
        LocationFrm::Instance().LOCATION_Update_LocationData();
        DeselectSideBarItem("Location");
        LocationFrm::Instance().Unload();
        break;
    case FormCode::Gear:
        GearFrm::Instance().UpdateGearInfo();
        DeselectSideBarItem("Gear");
        GearFrm::Instance().Unload();
        break;
    default:
        break;
    }
}

void MDI_MainFrm::OpenChildForm(int formCode)
{
    if (formCode == FormCode::Personal) {
        DisableDiveButtons();
        PersonalFrm::Instance().Show();
    }
}

void MDI_MainFrm::RefreshChildForms(int formCode)
{
    if (formCode == FormCode::Personal) {
        DeselectSideBarItem("Personal");
        SmartBar->Items("Personal").SetSelected(true);
        PersonalFrm::Instance().Show();
    }
}

void MDI_MainFrm::SaveChildFormChanges(int formCode)
{
    if (formCode == FormCode::Personal && gv.PInfoChanged)
        PersonalFrm::Instance().SaveInfo();
}

void MDI_MainFrm::UpdateMDIInfo(bool askToSave)
{
    (void)askToSave;
}

} // namespace kvl
