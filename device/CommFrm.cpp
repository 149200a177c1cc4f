#include "device/CommFrm.h"

#include "shell/core/Global_Vars.h"
#include "shell/core/StateCodes.h"

namespace kvl {

CommFrm::CommFrm(QWidget* parent) : QDialog(parent), mode_(gv.CommMode)
{
    setModal(true);
}

void CommFrm::DiveStored()
{
    if (mode_ == kCommDownload)
        gv.DivesAdded = true;
}

} // namespace kvl
