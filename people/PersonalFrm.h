#pragma once
// The diver's child form (form code 1): the diver's personal, emergency and medical
// record, as plain fields for now; the full form comes with the people forms.

#include "shell/ChildForm.h"

class QFormLayout;

namespace kvl {

class PersonalFrm : public ChildFormOf<PersonalFrm> {
public:
    PersonalFrm();

    // Writes the diver's record and the unit choices to the log.
    void SaveInfo();
    // Loads the unit flags from UNITS_OF_MEASUREMENT: DEPTH decides the unit system,
    // which goes into all seven flags and the tool bar's "Imperial" entry.
    void Personal_InitUnits();
    // The value shown for a USERINFO column ("NAME", "CITY", ...), and typing one.
    QString ShownValue(const QString& column) const;
    void TypeValue(const QString& column, const QString& text);

protected:
    void Form_Load() override;
    void Form_Unload() override;

private:
    void Personal_InitInfo();
    QFormLayout* fields_;
};

} // namespace kvl
