#pragma once
// The companions child form (form code 4): the captains, crew and buddies of the log
// in three check lists, ticked for the people on the current dive, and the record of
// the person selected in the person grid. A list's context menu (a right click, the
// Menu key, Shift+F10) adds or deletes.

#include "forms/ChildForm.h"
#include "people/core/PersonRecord.h"

#include <QPoint>

#include <array>

class QLabel;

namespace kvl {

class CheckList;
class PopupMenu;
class PropertyGrid;
namespace people {
struct CompanionKind;
}

class BuddiesFrm : public ChildFormOf<BuddiesFrm> {
public:
    BuddiesFrm();

    // Clears the selection of the two lists that are not the current kind's.
    void Refresh_BuddiesList();
    // Refills the current kind's list and its ticks (after an add or a delete).
    void Update_AddDel_Buddies();
    void BUDDY_Init_All();
    // Empties the three lists.
    void Buddy_Clear_AllInfo();
    // Fills the three lists and ticks the current dive's people.
    void Buddy_Init_AllInfo();
    void Buddy_Init_Crew();
    void Buddy_Init_Buddy();
    void Buddy_Init_Captain();
    void Buddy_Load_Captain();
    void Buddy_Load_Crew();
    void Buddy_load_Buddy();
    // Store one list's ticks as the current dive's links of that kind.
    void BUDDY_Update_Captain();
    void BUDDY_Update_Crew();
    void BUDDY_Update_Buddy();
    // Stores pending edits, then shows the person selected in the current list.
    void Buddy_Init_Personal();
    // Shows the row of gv.CurrentPersonID in the grid.
    void Buddy_Show_Personal();
    // Stores the grid into the person shown; false (after saying so) when the log refuses.
    bool BUDDY_Update_Personal();
    // The same, and clears gv.PersonChanged once stored.
    bool SaveInfo();
    // Saves nothing.
    void Update_AllInfo() {}
    void PInfo_Initial();

    CheckList& CaptainList() const { return *lists_[0]; }
    CheckList& CrewList() const { return *lists_[1]; }
    CheckList& BuddyList() const { return *lists_[2]; }
    PropertyGrid& PInfo() const { return *pinfo_; }
    PopupMenu& AddDel_Popup() const { return *popup_; }
    QLabel& Hint() const { return *hint_; }
    QLabel& Label4() const { return *label4_; }

protected:
    void Form_Load() override;
    void Form_Unload() override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    // The list of a kind (2 captain, 3 crew, 4 buddy), or nullptr.
    CheckList* ListOf(int personKind) const;
    void FillList(const people::CompanionKind& kind);
    void LoadTicks(const people::CompanionKind& kind);
    void StoreTicks(const people::CompanionKind& kind);

    // Makes the kind's list the current one and shows its selected person, after
    // storing pending edits; false when they could not be stored.
    bool ChooseList(const people::CompanionKind& kind);
    void List_MouseDown(const people::CompanionKind& kind, Qt::MouseButton button);
    void List_ContextMenu(const people::CompanionKind& kind, const QPoint& pos);
    void List_MouseMove(const people::CompanionKind& kind);
    void PInfo_KeyDown();
    void AddDel_Popup_ItemClick(const QString& key);
    void Buddy_Init_PopupMenu();
    void AddPerson();
    void DeleteSelectedPerson();
    // Writes the grid into the person it shows; false when the log refuses.
    bool StorePerson();
    // The grid shows the person's record (id 0: no one's) and takes typing only for a person.
    void ShowPerson(qint64 id, const people::PersonRecord& record);

    QLabel* label4_;
    std::array<CheckList*, 3> lists_{};
    PropertyGrid* pinfo_;
    PopupMenu* popup_;
    QLabel* hint_;
    // The person the grid shows, loaded in this opening of the form; 0 until one is.
    // The grid is only ever stored into this person.
    qint64 shownPersonId_ = 0;
};

} // namespace kvl
