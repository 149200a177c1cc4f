#pragma once
// The location child form (form code 5): the current dive's site, conditions and
// dive types. For now it shows the site and conditions; editing comes with the
// site and gear forms.

#include "shell/ChildForm.h"

#include <map>

class QFormLayout;
class QLabel;

namespace kvl {

class LocationFrm : public ChildFormOf<LocationFrm> {
public:
    LocationFrm();

    // Writes the form's site, condition and dive-type fields to the current dive's row.
    void LOCATION_Update_LocationData() {}
    // Reloads the dive types, location fields and catalog lists for the current dive.
    void LOCATION_Init_AllInfo();
    // The text shown for a caption ("Location", "Current", ...).
    QString ShownValue(const QString& caption) const;

protected:
    void Form_Load() override;
    void Form_Unload() override;

private:
    QFormLayout* fields_;
    std::map<QString, QLabel*> values_;
};

} // namespace kvl
