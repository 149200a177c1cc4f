#pragma once
// The companions child form (form code 4): the buddies, captain and crew of the
// current dive. For now it holds the interface the shell uses.

#include "shell/ChildForm.h"

namespace kvl {

class BuddiesFrm : public ChildFormOf<BuddiesFrm> {
public:
    BuddiesFrm();

    // Writes the record of the person shown to USERINFO.
    void SaveInfo();
    // Reloads the crew, buddy and captain lists of the current dive.
    void Buddy_Init_AllInfo();
    // Saves nothing.
    void Update_AllInfo() {}

protected:
    void Form_Load() override;
    void Form_Unload() override;
};

} // namespace kvl
