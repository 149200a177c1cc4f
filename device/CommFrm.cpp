#include "device/CommFrm.h"

#include "shell/core/Global_Vars.h"

namespace kvl {

CommFrm::CommFrm(QWidget* parent) : QDialog(parent), mode_(gv.CommMode)
{
    setModal(true);
}

void CommFrm::DiveStored()
{
    if (mode_ == 3)
        gv.DivesAdded = true;
}

} // namespace kvl
