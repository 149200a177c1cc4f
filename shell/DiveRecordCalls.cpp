#include "shell/MDI_Commands.h"

#if __has_include("dive/DiveFrm.h")
#include "dive/DiveFrm.h"

namespace kvl {

bool DiveRecordLoaded() { return DiveFrm::Exists(); }
bool DiveRecordChanged() { return DiveFrm::Instance().Dive_IsAnyChange(); }
void SaveDiveRecord() { DiveFrm::Instance().DIVE_Update_DiveData(); }
void ReloadDiveRecord() { DiveFrm::Instance().DIVE_InitDiveInfo(); }
void ShowDiveRecord() { DiveFrm::Instance().Show(); }

void CommitDiveRecordEdit()
{
    if (DiveFrm::Exists())
        DiveFrm::Instance().CommitPendingEdit();
}

void UnloadDiveRecord()
{
    if (DiveFrm::Exists())
        DiveFrm::Instance().Unload();
}

} // namespace kvl
#else
namespace kvl {
// Until the dive record form is built the shell has no record to show or save.
bool DiveRecordLoaded() { return false; }
bool DiveRecordChanged() { return false; }
void SaveDiveRecord() {}
void ReloadDiveRecord() {}
void ShowDiveRecord() {}
void CommitDiveRecordEdit() {}
void UnloadDiveRecord() {}
} // namespace kvl
#endif
