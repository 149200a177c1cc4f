#pragma once
// The dive record form: shows the current dive in the diver's units, checks each
// edit as its box is left, and writes the record back to the dive's row.
//
// Controls are kept in index-addressed arrays (Text3(n), Masked1(n), Combo1(n),
// Units_Opt(n) ...), each index with a fixed role; one handler per array receives
// the index. Handlers are public so that tests can drive the form as a user would.

#include "dive/core/DiveCatalogs.h"
#include "platform/widgets/DataCombo.h"
#include "platform/widgets/FieldBoxes.h"
#include "platform/widgets/MaskedEdit.h"
#include "platform/widgets/PropertyGrid.h"
#include "shell/ChildForm.h"
#include "shell/core/Global_Vars.h"

#include <QGroupBox>
#include <QLabel>
#include <QLayout>

#include <array>
#include <functional>
#include <optional>
#include <vector>

namespace kvl {

class DiveFrm : public ChildFormOf<DiveFrm> {
    Q_OBJECT
public:
    DiveFrm();
    ~DiveFrm() override;

    // Controls.
    EditBox& Text3(int index) const;          // 0-12, 15-22
    MaskedEdit& Masked1(int index) const;     // 0 date, 1 time in, 2 prior surface interval
    ListBox& AMPM_Opt(int index) const;       // 0 time in, 1 time out
    ListBox& Units_Opt(int index) const;      // 0-13: the unit beside each value
    ListBox& Combo1(int index) const;         // 0 gas of tank 1, 1 ascent rate, 2-3 gas of tanks 2-3
    EditBox& TIDTxt(int index) const;         // transmitter ids of tanks 1-3
    CheckBox& Check1(int index) const;        // tank 1 ON (0) / OFF (1)
    CheckBox& Check2(int index) const;
    CheckBox& Check3(int index) const;
    CheckBox& Check4(int index) const;        // receiver; always hidden
    CheckBox& DataType_Check(int index) const;
    QGroupBox& Frame5(int index) const;       // the three tank frames
    QLabel& Label3(int index) const;          // 0-21, 25-37
    CheckBox& NoDeco_Check() const { return *noDeco_; }
    CheckBox& Deco_Check() const { return *deco_; }
    CheckBox& Viol_Check() const { return *viol_; }
    CheckBox& Gauge_Check() const { return *gauge_; }
    CheckBox& Normal_Check() const { return *normal_; }
    CheckBox& Nav_Check() const { return *nav_; }
    MemoBox& MemoTxt() const { return *memo_; }
    DataCombo& Location_Combo() const { return *location_; }
    DataCombo& DiveSite_Combo() const { return *site_; }
    PropertyGrid& Properties() const { return *properties_; }
    ButtonPopup& Dive_AddDel_Popup() const { return *addDel_; }

    // Form state.
    bool DateTimeChanged = false;
    QString MaskedTextOnFocus;
    QString TimeOutText;
    QString AddDelTarget;                     // "1" location list, "2" dive-site list
    // The DIVEID of the dive shown; the record is written back to this row.
    qint64 LoadedDiveID() const { return loadedDiveId_; }

    // Life of the form.
    void Form_Load() override;
    void Form_Unload() override;

    // Display.
    void DIVE_InitAll();
    void DIVE_ClearInfo();
    void DIVE_InitDiveInfo();

    // Change detection and saving.
    bool Dive_IsAnyChange();
    void DIVE_Update_DiveData();
    bool HasChanges() override { return Dive_IsAnyChange(); }
    void Update_DataType();
    // Runs the lost-focus handling of the box being edited, so that a command
    // started from a bar or menu sees the typed value. False when the box refused
    // its value (a date, time in or elapsed time): the user is to stay on the dive.
    bool CommitPendingEdit() override;

    // Location and dive site.
    void DIVE_InitLocation();
    void DIVE_InitDiveSite();
    void Init_LocationInfo();
    void Init_SiteInfo();

    // Settings stored with the dive, and models.
    void LoadSettings(qint64 id);
    void Update_Settings();
    void Properties_ItemValueChange(const QString& key);

    // Gas and ascent-rate lists, tanks, time out.
    void DIVE_InitBreathingGas();
    void DIVE_InitVARI();
    void EnDis_ableTankInfo();
    void UpdateTime();

    // Event handlers.
    void Text3_GotFocus(int index);
    void Text3_KeyDown(int index);
    void Text3_LostFocus(int index);
    void TIDTxt_KeyDown(int index);
    void Masked1_GotFocus(int index);
    void Masked1_KeyDown(int index);
    void Masked1_LostFocus(int index);
    void Deco_Check_MouseUp();
    void NoDeco_Check_MouseUp();
    void Gauge_Check_MouseUp();
    void Viol_Check_MouseUp();
    void StatusCheck_LostFocus();
    void TankCheck_MouseUp(int tank, int index);   // tank 1-3: Check1..Check3
    void Check4_MouseUp(int index);
    void Combo1_DropDown(int index);
    void Combo1_Change(int index);
    void Combo1_LostFocus(int index);
    void AMPM_Opt_Change(int index);
    void MemoTxt_KeyDown();
    void MemoTxt_LostFocus();
    void Catalog_Enter(const CatalogSide& side);
    void Catalog_RowChange(const CatalogSide& side);
    void Catalog_Select(const CatalogSide& side);
    void Dive_AddDel_Popup_ItemClick(const QString& key);

private:
    void CreateControls();
    void LayOutForm();
    QLayout* DiveColumn();
    QLayout* TankColumn();
    QLayout* SideColumn();
    // Places a control in the Tab order, which follows the columns top to bottom.
    QWidget* TabStop(QWidget* control);
    void ConnectEvents();

    DataCombo& ComboOf(const CatalogSide& side) const;
    qint64 ListedId(const CatalogSide& side) const;   // the id of the list's current row
    void InitCatalog(const CatalogSide& side);
    void InitCatalogInfo(const CatalogSide& side);
    void AddCatalogName(const CatalogSide& side);
    void DeleteCatalogName(const CatalogSide& side);

    void ShowDataType();
    void ShowFields();
    void ShowTime();
    void ShowDepths();
    void ShowTanks();
    void ShowDiveStatus();
    // Enables the fields of the tanks in use (tank 1, 2, 3) and disables the others.
    void EnableTanks(const std::array<bool, 3>& inUse);
    QString TimeIn24() const;
    void ShowTimeOut(const QString& timeIn24, const db::Value& minutes);
    void PutBackDiveTime();
    void CommitTimeIn();
    // The elapsed-time box in minutes; nullopt, after its message and with the stored
    // minutes shown again, when it is negative.
    std::optional<double> ElapsedMinutes();
    bool CommitElapsedTime();
    void CommitPressure(int index);
    void CommitCylinderOrAirConsumption(int index);
    void ShowPressureUsed();
    void ExpectCommit(std::function<void()> commit);
    // The change check's reading of the boxes that no lost-focus rule took into the
    // record, in stored units; the date and times are false when refused.
    void ReadBackNumbers();
    bool ReadBackDate();
    bool ReadBackTimes();
    void ReadBackChoices();

    CheckBox& TankCheck(int tank, int index) const;

    std::array<EditBox*, 23> text3_{};
    std::array<MaskedEdit*, 3> masked1_{};
    std::array<ListBox*, 2> ampm_{};
    std::array<ListBox*, 14> units_{};
    std::array<ListBox*, 4> combo1_{};
    std::array<EditBox*, 3> tid_{};
    std::array<std::array<CheckBox*, 2>, 4> tankChecks_{};   // Check1..Check4
    std::array<CheckBox*, 3> dataType_{};
    std::array<QGroupBox*, 3> frame5_{};
    std::array<QLabel*, 38> label3_{};
    CheckBox* noDeco_ = nullptr;
    CheckBox* deco_ = nullptr;
    CheckBox* viol_ = nullptr;
    CheckBox* gauge_ = nullptr;
    CheckBox* normal_ = nullptr;
    CheckBox* nav_ = nullptr;
    MemoBox* memo_ = nullptr;
    DataCombo* location_ = nullptr;
    DataCombo* site_ = nullptr;
    PropertyGrid* properties_ = nullptr;
    ButtonPopup* addDel_ = nullptr;

    std::vector<QWidget*> tabStops_;
    qint64 loadedDiveId_ = -1;
    std::function<void()> pendingCommit_;   // the lost-focus handling of the box typed into
    bool refused_ = false;                  // a lost-focus check refused its box
    bool commitRefused_ = false;            // ... while a command committed it
};

} // namespace kvl
