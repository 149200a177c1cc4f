#pragma once
// The companions child form (form code 4): the buddies, captain and crew of the
// current dive. For now it lists them; editing comes with the people forms.

#include "shell/ChildForm.h"

#include <QStringList>

class QListWidget;

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
    // The names listed: 0 buddies, 1 captain, 2 crew.
    QStringList ShownNames(int list) const;

protected:
    void Form_Load() override;
    void Form_Unload() override;

private:
    QListWidget* lists_[3];
};

} // namespace kvl
