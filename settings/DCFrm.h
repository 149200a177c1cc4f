#pragma once
// The dive computer settings form (form code 2): shows and edits the settings and
// navigation legs stored per model and serial number, and saves them as the set
// waiting to be written to a unit (serial -1). What it shows and saves is worked
// out in settings/core; the form copies it into and out of its controls.

#include "forms/ChildForm.h"
#include "platform/db/Db.h"
#include "settings/core/NavLegs.h"
#include "settings/core/SettingsForm.h"

#include <QString>

#include <array>
#include <functional>
#include <memory>

class QLabel;
class QLineEdit;

namespace kvl {

class CheckBox;
class CheckList;
class DataGrid;
class ListBox;
class MaskedEdit;
class SmartToolBar;

// Two check boxes used as exclusive options: when box i reacts, the other box takes
// the opposite state, then the pair's handler runs with i. A click pair reacts to
// every change of state, a mouse-release pair only to the user's own activation.
class SettingsOptionPair {
public:
    SettingsOptionPair(settings::OptionPair which, QWidget* parent);
    void SetHandler(std::function<void(int index)> handler) { handler_ = std::move(handler); }
    // Ticks box (0) and unticks box (1), or the reverse.
    void SetBox0(bool ticked);
    bool Box0Ticked() const;
    bool Ticked(int index) const;
    void SetEnabled(bool enabled);

    QLabel* label = nullptr;
    std::array<CheckBox*, 2> box{};

private:
    void React(int index);
    std::function<void(int)> handler_;
};

class DCFrm : public ChildFormOf<DCFrm> {
    Q_OBJECT
public:
    DCFrm();
    ~DCFrm() override;

    // The model list, and the model last chosen.
    void DC_InitDC();
    // The model's units; shows the chosen unit's row, or the smallest unit's, or the factory row.
    void DC_InitSerialNo();
    void DC_InitFlag(const settings::ShownSettings& shown);
    void InitSetTimeCombo();
    void InitDepthPressureCombo();
    void InitEDTDTRPO2Combo();
    void InitBackLightCombo();
    void InitDiveSampleCombo();
    // Shows the current row of rsSettings in every control.
    void DC_InitSettings();
    void DC_InitAll();
    // The model's factory row, with the edited set's legs; warns when the model has none.
    void GetDefaultSetting();
    // The chosen unit's last row and its legs (which become the edited legs).
    void GetLastSetting();
    // Stores the form as the set waiting to be written; false (after saying why)
    // when nothing was stored.
    bool SaveSettings();

    void InitDateTime();
    void TimeSettingsOFF();
    void TimeSettingsON();

    void GetLastNavSetting();
    void InitHeadings();
    void ClearNav();
    void UpdateNavInfo(int leg, int heading, qint32 seconds);
    void AddNavInfo(int leg, int heading, qint32 seconds);
    void InsertNavInfo(int leg, int heading, qint32 seconds);
    void DeleteNavInfo(int leg);
    void ReshuffleLeg();
    void Cmd_ItemClick(const QString& key);

    void Model_Combo_Click();
    void Serial_Combo_Click();
    void MaxDepthOpt_Click();
    void MaxPO2Opt_Click();
    void DTROpt_Click();
    void BackLiteOpt_Click();
    void SampleRateOpt_Click();
    void EDTOpt_Click();
    void EDTOpt_LostFocus();
    void Check1_Click();
    void Time_Opt_Click();
    void TimeTxt_LostFocus();
    // The check list asks for an item's drop-down window: the calendar for the date.
    QWidget* lst2_ItemDropDown(const QString& key);

    SettingsOptionPair& Pair(settings::OptionPair which) const { return *pairs_[size_t(which)]; }

    ListBox* Model_Combo = nullptr;
    ListBox* Serial_Combo = nullptr;
    QLineEdit* FirmWareTxt = nullptr;
    SettingsOptionPair* Unit_Opt = nullptr;
    SettingsOptionPair* Water_Opt = nullptr;
    SettingsOptionPair* Hour_Opt = nullptr;
    SettingsOptionPair* Receiver_Opt = nullptr;
    SettingsOptionPair* Audible_Opt = nullptr;
    SettingsOptionPair* FO2_Opt = nullptr;
    SettingsOptionPair* NAV_Opt = nullptr;
    SettingsOptionPair* ASC_Opt = nullptr;
    SettingsOptionPair* CHRONO_Opt = nullptr;
    SettingsOptionPair* CHRONOASCENT_Opt = nullptr;
    SettingsOptionPair* NAVBL_Opt = nullptr;
    SettingsOptionPair* ASCSCALE_Opt = nullptr;
    ListBox* MaxDepthOpt = nullptr;
    ListBox* MaxPO2Opt = nullptr;
    std::array<ListBox*, 2> EDTOpt{};
    ListBox* DTROpt = nullptr;
    ListBox* BackLiteOpt = nullptr;
    ListBox* SampleRateOpt = nullptr;
    CheckBox* Time_Opt = nullptr;
    CheckBox* Check1 = nullptr;
    CheckList* lst2 = nullptr;
    QLabel* TimeLabel = nullptr;   // "Time (Hr:Min):"
    MaskedEdit* TimeTxt = nullptr;
    ListBox* AMPM_Opt = nullptr;
    QLabel* Label1 = nullptr;      // "RADARAR EDEZE"
    QLabel* Label3 = nullptr;      // "SETTINGS"
    SmartToolBar* Cmd = nullptr;
    DataGrid* Grid = nullptr;

    std::unique_ptr<db::Recordset> rsSettings;
    std::unique_ptr<db::Recordset> rsModelList;
    settings::FormSettingsFields FormSettings;
    settings::FlagBits FlagBits1{};
    settings::FlagBits FlagBits2{};

    quint8 NavLegCount = 0;
    quint8 NavAction = settings::NavShowFirst;
    int NavFocusLeg = 0;

protected:
    void Form_Load() override;
    void Form_Unload() override;

private:
    QWidget* MakeUtilities();
    QWidget* MakeAlarms();
    QWidget* MakeTime();
    QWidget* MakeNavigation();
    void ConnectPairs();
    void OrderTabStops();
    bool Metric() const;
    void AmPmRule();
    void SetEntriesEnabled(bool enabled);
    QString EntryText(settings::LegBarEntry entry) const;
    void ShowLegWrite(const settings::LegRequest& request);
    void ShowLegWrite(settings::LegWrite write, int leg, int heading, qint32 seconds);
    void SelectThenClick(ListBox& box, int position, void (DCFrm::*click)());
    std::vector<settings::LegAlarms> GridAlarms() const;

    std::array<SettingsOptionPair*, settings::OptionPairCount> pairs_{};
};

} // namespace kvl
