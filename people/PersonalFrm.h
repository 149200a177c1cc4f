#pragma once
// The diver's child form (form code 1): the log owner's personal, emergency and
// medical record in the person grid, and the units of measurement behind the scenes.

#include "forms/ChildForm.h"

class QLabel;

namespace kvl {

class PropertyGrid;

class PersonalFrm : public ChildFormOf<PersonalFrm> {
public:
    PersonalFrm();

    // Loads the diver's record and the units.
    void Personal_InitAll();
    // Shows the diver's row (USERTYPE 1) and sets gv.DiverName and the main window's title.
    void Personal_InitInfo();
    // Writes the grid into the diver's row (adding it when the log has none) and the unit
    // flags into the units row, then refreshes the current dive. Writes every time;
    // false (after saying so) when the log refused a write.
    bool SaveInfo();
    // Loads the unit flags from UNITS_OF_MEASUREMENT: DEPTH decides the unit system,
    // which goes into all seven flags and the tool bar's "Imperial" entry.
    void Personal_InitUnits();
    // Builds the grid's rows once.
    void PInfo_Initial();

    PropertyGrid& PInfo() const { return *pinfo_; }
    QLabel& Label1() const { return *label1_; }

protected:
    void Form_Load() override;
    void Form_Unload() override;

private:
    // What the grid shows: nothing loaded yet in this opening of the form (the grid is
    // then never stored), the log's lack of a diver row (a save adds one), or his row.
    enum class Shown { Nothing, NoDiverRow, DiverRow };
    void StoreDiver();

    QLabel* label1_;
    PropertyGrid* pinfo_;
    Shown shown_ = Shown::Nothing;
    qint64 diverId_ = 0;
};

} // namespace kvl
