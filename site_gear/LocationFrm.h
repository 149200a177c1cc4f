#pragma once
// The location child form (form code 5): the current dive's site side. Visibility,
// altitude, three temperatures, the current, surge, swell, surf and tide with their
// speed and heights, highlights and directions, the resort, operator, dive boat and
// GPS names, and the dive's types. Boxes show the diver's units; a save writes only
// the boxes and lists the user changed since the dive was loaded, into that dive.
// Dive-type ticks are stored as soon as the mouse is released over the list.

#include "forms/ChildForm.h"
#include "site_gear/core/EditedControls.h"
#include "site_gear/core/Location.h"
#include "site_gear/core/LocationDiveTypes.h"

#include <QPoint>
#include <QSet>

#include <array>
#include <optional>
#include <vector>

class QLabel;

namespace kvl {

class ButtonPopup;
class CheckList;
class ListBox;
class PickList;
class PopupMenu;

class LocationFrm : public ChildFormOf<LocationFrm> {
public:
    LocationFrm();

    // Loads the dive types, the nine lists and the boxes for the current dive.
    void LOCATION_Init_AllInfo();
    // Rebuilds the dive-type list from the catalog, then ticks the dive's types.
    void LOCATION_Init_DiveType();
    void LOCATION_Load_DiveType();
    // Writes what the user changed into the dive shown, in one transaction; false
    // (after "Data updating error.", the boxes keeping what was typed) on a refusal.
    bool LOCATION_Update_LocationData();
    void LOCATION_Load_LocationInfo();
    void LOCATION_Init_CurrentList();
    void LOCATION_Init_SurgeList();
    void LOCATION_Init_SurfList();
    void LOCATION_Init_SwellList();
    void LOCATION_Init_TideList();
    void LOCATION_Init_ResortList();
    void LOCATION_Init_OperatorList();
    void LOCATION_Init_DiveBoatList();
    void LOCATION_Init_GPSList();
    // Writes the id of the condition named s (list Ind, 0..4) into the dive shown;
    // a name the scale lacks writes nothing.
    void UpdateLocationCombos(int Ind, const QString& s);

    // The controls, by their index enums.
    QWidget& Text4(site::LocationText box) const { return *text4_[Index(box)]; }
    QString Text4Text(site::LocationText box) const;
    PickList& Combo(site::LocationCombo list) const { return *combo_[Index(list)]; }
    QLabel& ComboLbl(site::LocationCombo list) const { return *comboLbl_[Index(list)]; }
    ListBox& Units_Opt(int index) const { return *unitsOpt_[static_cast<size_t>(index)]; }
    // The unit box beside a length, temperature or speed box.
    ListBox& UnitBeside(site::LocationText box) const { return Units_Opt(site::FieldOf(box).unitBox); }
    QLabel& Label4(int index) const;
    CheckList& DiveTypeList() const { return *diveTypeList_; }
    PopupMenu& DiveType_PopUp() const { return *diveTypePopUp_; }
    ButtonPopup& Cmd() const { return *cmd_; }
    QLabel& Hint() const { return *hint_; }
    int PopupIndex() const { return PopupIndex_; }
    // The dive the form shows (its DIVEID), -1 before one is loaded.
    qint64 ShownDiveId() const { return shownDiveId_; }

protected:
    void Form_Load() override;
    void Form_Unload() override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Control arrays, for the record of what the user changed.
    enum class Array { Text4, Combo, DiveTypeList };
    template <typename E>
    static size_t Index(E e) { return static_cast<size_t>(e); }

    void BuildControls();
    void NameControls();
    void OrderTabStops();
    void InitConditionList(site::LocationCombo list);
    void InitNamedList(site::LocationCombo list);
    void LOCATION_Update_DiveType();
    bool StoreDiveTypes();
    void LOCATION_Init_PopupMenu();
    std::vector<qint64> TickedTypes() const;
    site::LocationEdits Edits() const;
    db::Value Stored(site::LocationCombo list) const;

    void Form_Resize();
    void Hint_MouseMove();
    void Text4_Change(site::LocationText box);
    void Text4_KeyUp(site::LocationText box);
    void Combo_GotFocus(int Index);
    void Combo_KeyDown(int Index);
    void Combo_KeyUp(int Index);
    void Combo_LostFocus(int Index);
    void Combo_UserPicked(site::LocationCombo list);
    void Cmd_ItemClick(const QString& key);
    void AddCatalogName();
    void DeleteCatalogName();
    void DiveType_PopUp_ItemClick(const QString& key);
    void AddDiveType();
    void DeleteDiveType();
    void DiveTypeList_ContextMenu(const QPoint& pos);
    void DiveTypeList_MouseMove();

    std::array<QLabel*, 17> label4_{};
    std::array<QWidget*, site::kLocationTextCount> text4_{};
    std::array<PickList*, site::kLocationComboCount> combo_{};
    std::array<QLabel*, site::kLocationComboCount> comboLbl_{};
    std::array<ListBox*, 10> unitsOpt_{};
    CheckList* diveTypeList_ = nullptr;
    PopupMenu* diveTypePopUp_ = nullptr;
    ButtonPopup* cmd_ = nullptr;
    QLabel* hint_ = nullptr;

    int PopupIndex_ = 0;                          // the list that last took the focus
    std::vector<site::DiveType> rsDiveTypeData;   // the catalog the list shows
    QSet<qint64> rsDiveTypes;                     // the shown dive's stored types
    std::optional<site::LocationRow> shownRow_;   // the shown dive's site columns as loaded
    qint64 shownDiveId_ = -1;
    EditedControls edited_;
    bool loading_ = false;      // the form itself is filling its controls
};

} // namespace kvl
