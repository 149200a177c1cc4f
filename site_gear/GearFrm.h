#pragma once
// The gear child form (form code 7): the current dive's gear set and accessories.
// For now it holds the interface the shell uses.

#include "shell/ChildForm.h"

namespace kvl {

class GearFrm : public ChildFormOf<GearFrm> {
public:
    GearFrm();

    // Writes the form's gear set to the gear catalogs and the current dive's row.
    void UpdateGearInfo() {}
    // Reloads the gear fields of the current dive.
    void LoadGearInfo() {}

protected:
    void Form_Load() override;
    void Form_Unload() override;
};

} // namespace kvl
