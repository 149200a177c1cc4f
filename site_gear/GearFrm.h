#pragma once
// The gear child form (form code 7), headed "GEAR BAG": the current dive's gear set,
// its twelve items and three weights, each picked from a catalog the user can grow
// and prune from the strip beside the focused list, and the accessories of the set
// shown. Choosing a set fills in its items and weights; choosing an item writes it
// into the dive at once; saving writes what the user changed since the dive was
// loaded, into the dive and into the set.

#include "forms/ChildForm.h"
#include "site_gear/core/EditedControls.h"
#include "site_gear/core/GearData.h"

#include <QString>

#include <array>
#include <memory>

class QLabel;

namespace kvl {

class ButtonPopup;
class CheckList;
class EditBox;
class ListBox;
class PickList;

class GearFrm : public ChildFormOf<GearFrm> {
public:
    GearFrm();

    // Empties the thirteen lists and the weight boxes.
    void ClearInfo();
    // Shows the current dive's set, items, weights and the set's accessory ticks.
    void LoadGearInfo();
    // Rebuilds the accessory list and ticks the accessories of the set shown.
    void LoadAccessoryInfo();
    // Fills the unit boxes and the thirteen lists from the catalogs, then InitGearData.
    void InitGearInfo();
    // Clears the choices and weights, then shows the current dive.
    void InitGearData();
    // Saves what the user changed into the dive and into the set shown; false (after
    // saying so) when the log refused it.
    bool UpdateGearInfo();
    // Writes the choice of one list into the dive. Throws db::DbError when refused.
    void UpdateEachGearInfo(int Ind);
    // Stores the ticked accessories as the links of the set shown.
    void UpdateAccessory();

    PickList& Combo1(int kind) const { return *combo1_.at(kind); }
    EditBox& Text1(int box) const { return *text1_.at(box); }
    ListBox& Units_Opt(int box) const { return *unitsOpt_.at(box); }
    CheckList& AccessoryList() const { return *accessoryList_; }
    ButtonPopup& Cmd() const { return *cmd_; }
    QLabel& Header() const { return *header_; }

    std::array<QString, gear::kGearKindCount> GearKindCaption;
    // The list that last prepared the strip: a gear kind, or kAccessoryPopup.
    int PopupIndex = gear::kGear;
    // True while the form fills its lists from code: their selection events then write nothing.
    bool GearLoading = false;
    // The accessory catalog, opened when the form fills its lists.
    std::unique_ptr<db::Recordset> rsAccessoryData;

    // The events, as the user's actions raise them (tests call them too).
    void Combo1_GotFocus(int Index);
    void Text1_GotFocus(int Index);
    void Combo1_Click(int Index);
    void Cmd_ItemClick(const QString& key);
    void AccessoryList_Click();
    void AccessoryList_MouseDown();
    void AccessoryList_ItemClick();

protected:
    void Form_Load() override;
    void Form_Unload() override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void Form_QueryUnload();
    void Form_Resize();
    // Puts the strip at the right edge of a widget, with its captions.
    void PlaceCmd(const QWidget& beside, const QString& what);
    // Selects an entry from code, without the selection event's writes.
    void SelectByCode(int kind, int index);
    void SelectTextByCode(int kind, const QString& text);
    // A choice of the set: fills in the set's items and weights (when loadSet and the
    // set has a row) or locks them ("NONE"), all in one transaction.
    void ChooseSet(bool loadSet);
    // Sets every item list that has entries to "NONE" and writes it into the dive, as the
    // user's choice; the caller holds the transaction.
    void WriteItemsAsNone();
    void FillFromSet(const gear::StoredGear& set);
    // Shows stored weights (pounds, Null for none) in the weight boxes.
    void ShowWeights(const std::array<db::Value, gear::kWeightCount>& pounds);
    void SetItemsEnabled(bool enabled);
    // Unticks every accessory and enables or disables the list.
    void ResetAccessories(bool enabled);
    // Ticks the accessories linked to the set shown.
    void ShowSetTicks();
    gear::GearScreen Screen() const;
    // Saves the changes; a new set takes everything shown. False when the log refused.
    bool SaveGear(bool newSet);
    void AddKindName(int kind);
    void DeleteKindName(int kind);
    void AddAccessoryName();
    void DeleteSelectedAccessory();

    QLabel* header_;
    std::array<PickList*, gear::kGearKindCount> combo1_{};
    std::array<EditBox*, gear::kWeightCount> text1_{};
    std::array<ListBox*, gear::kWeightCount> unitsOpt_{};
    CheckList* accessoryList_;
    ButtonPopup* cmd_;
    // The dive the controls show, loaded by LoadGearInfo; every write goes to it.
    qint32 shownDiveId_ = -1;
    // The stored pounds behind each weight box's text, the dive's or the chosen set's.
    std::array<db::Value, gear::kWeightCount> shownPounds_;
    EditedControls edited_;
};

} // namespace kvl
