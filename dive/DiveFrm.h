#pragma once
// The dive record form: shows the current dive in the diver's units, checks each
// edit as its box is left, and writes the record back to the dive's row.
//
// Controls are kept in index-addressed arrays (Text3, Masked1, Combo1, Units_Opt ...),
// each index with a fixed role named in dive/DiveControls.h; one handler per array
// receives the index. Handlers are public so that tests can drive the form as a user would.

#include "dive/DiveControls.h"
#include "dive/core/DiveCatalogs.h"
#include "dive/core/DiveSettings.h"
#include "forms/ChildForm.h"
#include "platform/widgets/DataCombo.h"
#include "platform/widgets/FieldBoxes.h"
#include "platform/widgets/MaskedEdit.h"
#include "platform/widgets/PropertyGrid.h"
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
    EditBox& Text3(DiveText index) const;
    MaskedEdit& Masked1(DiveMasked index) const;
    ListBox& AMPM_Opt(DiveAmPm index) const;
    ListBox& Units_Opt(DiveUnit index) const;
    ListBox& Combo1(DiveList index) const;
    EditBox& TIDTxt(Tank tank) const;         // transmitter ids
    CheckBox& Check1(OnOff box) const;        // tank 1 in use
    CheckBox& Check2(OnOff box) const;
    CheckBox& Check3(OnOff box) const;
    CheckBox& Check4(OnOff box) const;        // receiver; always hidden
    CheckBox& TankCheck(Tank tank, OnOff box) const;   // Check1..Check3
    CheckBox& DataType_Check(DataTypeBox box) const;
    QGroupBox& Frame5(Tank tank) const;       // the three tank frames
    QLabel& Label3(DiveLabel index) const;
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
    // Writes the checked record back to its dive. False when it was not written: a
    // value was refused, or the log refused the write (said to the user); the record
    // keeps what was typed and gv.DiveChanged holds kDiveRefused, so no move goes on.
    bool DIVE_Update_DiveData();
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
    void Text3_GotFocus(DiveText index);
    void Text3_KeyDown(DiveText index);
    void Text3_LostFocus(DiveText index);
    void TIDTxt_KeyDown(Tank tank);
    void Masked1_GotFocus(DiveMasked index);
    void Masked1_KeyDown(DiveMasked index);
    void Masked1_LostFocus(DiveMasked index);
    void Deco_Check_MouseUp();
    void NoDeco_Check_MouseUp();
    void Gauge_Check_MouseUp();
    void Viol_Check_MouseUp();
    void StatusCheck_LostFocus();
    void TankCheck_MouseUp(Tank tank, OnOff box);
    void Check4_MouseUp(OnOff box);
    void Combo1_DropDown(DiveList index);
    void Combo1_Change(DiveList index);
    void Combo1_LostFocus(DiveList index);
    void AMPM_Opt_Change(DiveAmPm index);
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
    void Tie(DiveLabel caption, QWidget& box, const QString& prefix = {});

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
    void CommitPressure(DiveText index);
    // What the box's check, made when the box is left, says of `text` in it: "" when it
    // takes it. A drop the check would refuse is turned away.
    QString Refusal(DiveText index, const QString& text) const;
    // The same for a masked box's text as shown, prompts and all.
    bool Keeps(DiveMasked index, const QString& text) const;
    void CommitCylinderOrAirConsumption(DiveText index);
    void ShowPressureUsed();
    // The box was changed: its lost-focus handling runs when it is left, or at the next
    // command if it never had the focus (a drop).
    void ExpectCommit(const QWidget& box, std::function<void()> commit);
    // The box is left: its lost-focus handling runs now, not again at the next command.
    void ForgetCommit(const QWidget& box);
    // Whether the boxes may hold what the record has not taken: an edit, a refused
    // value, or a dive just added by hand (all it shows is to be kept).
    bool MayHoldEdits() const;
    // The change check's reading of the boxes that no lost-focus rule took into the
    // record, in stored units; the date and times are false when refused.
    void ReadBackNumbers();
    bool ReadBackDate();
    bool ReadBackTimes();
    void ReadBackChoices();
    void ReadBackModel();

    std::array<EditBox*, kDiveTextSlots> text3_{};
    std::array<MaskedEdit*, 3> masked1_{};
    std::array<ListBox*, 2> ampm_{};
    std::array<ListBox*, kDiveUnitCount> units_{};
    std::array<ListBox*, 4> combo1_{};
    std::array<EditBox*, 3> tid_{};
    std::array<std::array<CheckBox*, 2>, 3> tankChecks_{};   // Check1..Check3
    std::array<CheckBox*, 2> receiver_{};                    // Check4
    std::array<CheckBox*, 3> dataType_{};
    std::array<QGroupBox*, 3> frame5_{};
    std::array<QLabel*, kDiveLabelSlots> label3_{};
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
    struct PendingCommit {
        const QWidget* box;
        std::function<void()> commit;
    };
    std::vector<PendingCommit> pendingCommits_;   // boxes changed and not yet left, in order
    std::optional<DCModel> model_;          // the model read back, a new one added with the dive
    bool refused_ = false;                  // a lost-focus check refused its box
    bool commitRefused_ = false;            // ... while a command committed it
};

} // namespace kvl
