#pragma once
// The dive computer settings form (form code 2): the settings and navigation legs
// stored per model and serial number. This is the part the shell and the date
// picker use; the settings subsystem fills in the rest.

#include "shell/ChildForm.h"

#include <QString>

namespace kvl {

class CheckList;

class DCFrm : public ChildFormOf<DCFrm> {
    Q_OBJECT
public:
    DCFrm();

    // Loads the stored settings of the chosen unit (gv.SelectedModelID, gv.SelectedSerialNo).
    void GetLastSetting();
    // Loads the model's factory settings; warns when the model has none.
    void GetDefaultSetting();
    // Stores the shown settings as the set waiting to be written (serial -1).
    void SaveSettings();
    // Re-reads the list of units, so that settings stored by the download window show.
    void DC_InitAll();
    // The check list asks for an item's drop-down window: the calendar for the date.
    QWidget* lst2_ItemDropDown(const QString& key);

    CheckList* lst2;
    // The form's date order option: 1 month first, 0 day first.
    quint8 DateOrderOption = 0;
    // Serial numbers of the model's units, as DC_InitAll last read them.
    QList<qint32> Units;

protected:
    void Form_Load() override;
    void Form_Unload() override;

private:
    // Shows the settings row of the model and serial; false when there is none.
    bool ShowSettings(qint32 serialNo);
};

} // namespace kvl
