// Which dive items the tool bar shows, and their enabled state.
#include "shell/MDI_MainFrm.h"

#include "platform/widgets/SmartToolBar.h"

namespace kvl {

namespace {

// The dive items in the order the two group routines set them.
const char* const diveItems[] = {"LTD", "Sort", "AddDive", "DeleteDive", "FirstDive",
                                 "LastDive", "PrevDive", "NextDive", "DeleteAllDives"};

} // namespace

void MDI_MainFrm::DisableDiveButtons()
{
    for (const char* key : diveItems)
        SmartUI1->Items(key).SetVisible(0);
}

void MDI_MainFrm::EnableDiveButtons()
{
    for (const char* key : diveItems)
        SmartUI1->Items(key).SetVisible(QLatin1String(key) == QLatin1String("Sort") ? 0 : 1);
}

void MDI_MainFrm::UpdateNavButtons()
{
    for (const char* key : {"FirstDive", "PrevDive", "NextDive", "LastDive", "LTD", "Sort"})
        SmartUI1->Items(key).SetEnabled(true);
}

} // namespace kvl
