#pragma once
// The location child form (form code 5): the current dive's site, conditions and
// dive types. For now it holds the interface the shell uses.

#include "shell/ChildForm.h"

namespace kvl {

class LocationFrm : public ChildFormOf<LocationFrm> {
public:
    LocationFrm();

    // Writes the form's site, condition and dive-type fields to the current dive's row.
    void LOCATION_Update_LocationData() {}
    // Reloads the dive types, location fields and catalog lists for the current dive.
    void LOCATION_Init_AllInfo() {}

protected:
    void Form_Load() override;
    void Form_Unload() override;
};

} // namespace kvl
