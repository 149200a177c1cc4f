#pragma once
// The profile form (form code 6): the depth/time profile and samples of the current
// dive. This is the part the shell uses; the profile subsystem fills in the rest.

#include "shell/ChildForm.h"

namespace kvl {

class DetailsFrm : public ChildFormOf<DetailsFrm> {
    Q_OBJECT
public:
    DetailsFrm();

    // Reloads the profile of the current dive; refuses a dive entered by hand and a
    // dive without depth.
    void Detail_Initinfo();
    // Samples of the dive last shown.
    int SampleCount = 0;

protected:
    void Form_Load() override;
};

} // namespace kvl
