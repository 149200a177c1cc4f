#include "people/BuddiesFrm.h"

#include "people/PersonGrid.h"
#include "people/core/Companions.h"
#include "platform/dialogs/Dialogs.h"
#include "platform/widgets/Captions.h"
#include "platform/widgets/CheckList.h"
#include "platform/widgets/PopupMenu.h"
#include "platform/widgets/PropertyGrid.h"
#include "shell/core/Global_Vars.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QVBoxLayout>

#include <algorithm>

namespace kvl {

using namespace people;

namespace {

void ShowError(const QString& text)
{
    MsgBox(text, MsgButtons::OK, MsgIcon::Critical, QStringLiteral("Error"));
}

QString KindWord(const CompanionKind& kind)
{
    return QString::fromLatin1(kind.word);
}

} // namespace

BuddiesFrm::BuddiesFrm() : ChildFormOf("Buddies")
{
    auto* outer = new QVBoxLayout(this);
    label4_ = AddFormHeader(*outer, QStringLiteral("BUDDIES"));
    auto* columns = new QHBoxLayout;
    auto* listsColumn = new QVBoxLayout;
    for (size_t i = 0; i < lists_.size(); ++i) {
        const CompanionKind& kind = CompanionKinds()[i];
        auto* list = new CheckList(this);
        list->setObjectName(QString::fromLatin1(kind.linkTable));
        list->setMouseTracking(true);
        lists_[i] = list;
        auto* caption = new QLabel(QString::fromLatin1(kind.label), this);
        TieCaption(*caption, *list);
        listsColumn->addWidget(caption);
        listsColumn->addWidget(list, 1);
        connect(list, &CheckList::MouseDown, this,
                [this, &kind](Qt::MouseButton button) { List_MouseDown(kind, button); });
        connect(list, &CheckList::KeyMove, this, [this, &kind] { ChooseList(kind); });   // as a click on the line
        connect(list, &CheckList::ContextMenu, this, [this, &kind](const QPoint& pos) { List_ContextMenu(kind, pos); });
        connect(list, &CheckList::MouseMove, this, [this, &kind] { List_MouseMove(kind); });
        connect(list, &CheckList::ItemClick, this, [this, &kind] { StoreTicks(kind); });
    }
    listsColumn->addSpacing(fontMetrics().height() + 6);   // room for the hint under the last list
    columns->addLayout(listsColumn, 2);
    pinfo_ = new PropertyGrid(this);
    pinfo_->setObjectName(QStringLiteral("PInfo"));
    pinfo_->setAccessibleName(QStringLiteral("Companion record"));
    columns->addWidget(pinfo_, 3);
    outer->addLayout(columns, 1);
    connect(pinfo_, &PropertyGrid::KeyDown, this, &BuddiesFrm::PInfo_KeyDown);
    connect(pinfo_, &PropertyGrid::ItemValueChange, this, &BuddiesFrm::PInfo_KeyDown);

    hint_ = new QLabel(QStringLiteral("To add/delete, right click on the list box"), this);
    hint_->adjustSize();
    hint_->hide();
    popup_ = new PopupMenu(this);
    connect(popup_, &PopupMenu::ItemClick, this, &BuddiesFrm::AddDel_Popup_ItemClick);
    setMouseTracking(true);
}

void BuddiesFrm::Form_Load()
{
    gv.ActiveFormID = FormCode::Buddies;
    SetToolBarItemVisible(QStringLiteral("Units"), false);
    SetToolBarItemVisible(QStringLiteral("Save"), true);
    PInfo_Initial();
    Buddy_Init_AllInfo();
}

void BuddiesFrm::Form_Unload()
{
    SetToolBarItemVisible(QStringLiteral("Save"), false);
    DeselectSideBarItem(QStringLiteral("Buddies"));
    gv.ActiveFormID = FormCode::None;
}

void BuddiesFrm::PInfo_Initial()
{
    PInfo_Build(*pinfo_, OwnPhoneCaption::Home);
    PInfo_SetReadOnly(*pinfo_, shownPersonId_ < 1);   // nothing typed is kept until someone is shown
}

CheckList* BuddiesFrm::ListOf(int personKind) const
{
    for (size_t i = 0; i < lists_.size(); ++i)
        if (CompanionKinds()[i].type == personKind)
            return lists_[i];
    return nullptr;
}

// --- The lists and their ticks -----------------------------------------------------

namespace {

// The lines already show these people, in this order.
bool ShowsPeople(const CheckList& list, const std::vector<ListedPerson>& people)
{
    const auto& items = list.AllItems();
    return std::equal(items.begin(), items.end(), people.begin(), people.end(),
                      [](const auto& item, const ListedPerson& person) {
                          return item->Tag() == person.id && item->Caption() == person.name;
                      });
}

} // namespace

// A dive step mostly finds the same people: their lines are then kept (only the
// selection goes, as with new lines) rather than built again.
void BuddiesFrm::FillList(const CompanionKind& kind)
{
    CheckList& list = *ListOf(kind.type);
    try {
        gv.SQLText = QString::fromLatin1(kind.listSql);
        const std::vector<ListedPerson> people = ListPeople(LogDB(), kind);
        if (ShowsPeople(list, people)) {
            for (const auto& item : list.AllItems())
                item->SetSelected(false);
            return;
        }
        list.ClearItems();
        for (const ListedPerson& person : people)
            list.AddItem(CheckItemKind::Check, QString::number(person.id), person.name).SetTag(person.id);
    } catch (const db::DbError& e) {
        list.ClearItems();
        qCWarning(lcPeople) << kind.word << "list not filled:" << e.Message();   // it stays empty
    }
}

void BuddiesFrm::LoadTicks(const CompanionKind& kind)
{
    CheckList& list = *ListOf(kind.type);
    QSet<qint64> ticked;
    try {
        ticked = people::LoadTicks(LogDB(), kind, gv.CurrentDiveID);
    } catch (const db::DbError& e) {
        qCWarning(lcPeople) << kind.word << "ticks not loaded:" << e.Message();
    }
    for (const auto& item : list.AllItems())
        item->SetTicked(ticked.contains(item->Tag()));
}

void BuddiesFrm::StoreTicks(const CompanionKind& kind)
{
    std::vector<qint64> ids;
    for (const auto& item : ListOf(kind.type)->AllItems())
        if (item->Ticked())
            ids.push_back(item->Tag());
    try {
        if (people::StoreTicks(LogDB(), kind, gv.CurrentDiveID, ids))
            return;
    } catch (const db::DbError& e) {
        qCWarning(lcPeople) << kind.word << "ticks not stored:" << e.Message();
        ShowError(QStringLiteral("Error saving dive companions."));
    }
    LoadTicks(kind);   // the list shows what the log holds
}

void BuddiesFrm::Buddy_Init_Captain() { FillList(*CompanionKindOf(CaptainType)); }
void BuddiesFrm::Buddy_Init_Crew() { FillList(*CompanionKindOf(CrewType)); }
void BuddiesFrm::Buddy_Init_Buddy() { FillList(*CompanionKindOf(BuddyType)); }
void BuddiesFrm::Buddy_Load_Captain() { LoadTicks(*CompanionKindOf(CaptainType)); }
void BuddiesFrm::Buddy_Load_Crew() { LoadTicks(*CompanionKindOf(CrewType)); }
void BuddiesFrm::Buddy_load_Buddy() { LoadTicks(*CompanionKindOf(BuddyType)); }
void BuddiesFrm::BUDDY_Update_Captain() { StoreTicks(*CompanionKindOf(CaptainType)); }
void BuddiesFrm::BUDDY_Update_Crew() { StoreTicks(*CompanionKindOf(CrewType)); }
void BuddiesFrm::BUDDY_Update_Buddy() { StoreTicks(*CompanionKindOf(BuddyType)); }

void BuddiesFrm::Buddy_Init_AllInfo()
{
    Buddy_Init_Captain();
    Buddy_Init_Crew();
    Buddy_Init_Buddy();
    Buddy_Load_Captain();
    Buddy_Load_Crew();
    Buddy_load_Buddy();
}

void BuddiesFrm::Buddy_Clear_AllInfo()
{
    for (CheckList* list : lists_)
        list->ClearItems();
}

void BuddiesFrm::BUDDY_Init_All()
{
    Buddy_Clear_AllInfo();
    Buddy_Init_AllInfo();
}

void BuddiesFrm::Refresh_BuddiesList()
{
    for (size_t i = 0; i < lists_.size(); ++i) {
        if (CompanionKinds()[i].type == gv.PersonKind)
            continue;
        for (const auto& item : lists_[i]->AllItems())
            item->SetSelected(false);
    }
}

void BuddiesFrm::Update_AddDel_Buddies()
{
    if (const CompanionKind* kind = CompanionKindOf(gv.PersonKind)) {
        FillList(*kind);
        LoadTicks(*kind);
    }
}

// --- The person shown --------------------------------------------------------------

void BuddiesFrm::Buddy_Init_Personal()
{
    if (gv.PersonChanged && !BUDDY_Update_Personal())
        return;   // the edits stay in the grid
    if (const CheckList* list = ListOf(gv.PersonKind)) {
        for (const auto& item : list->AllItems()) {
            if (!item->Selected())
                continue;
            gv.CurrentPersonID = qint32(item->Tag());
            Buddy_Show_Personal();
        }
    }
    gv.PersonChanged = false;
}

void BuddiesFrm::Buddy_Show_Personal()
{
    if (gv.CurrentPersonID < 1)
        return;
    gv.PersonChanged = false;
    try {
        if (const std::optional<StoredPerson> person = ReadPerson(LogDB(), gv.CurrentPersonID)) {
            ShowPerson(person->id, person->record);
        }
    } catch (const db::DbError& e) {
        qCWarning(lcPeople) << "person not shown:" << e.Message();
    }
}

bool BuddiesFrm::StorePerson()
{
    if (shownPersonId_ < 1)
        return true;   // the grid shows no one yet: there is nothing to store
    try {
        WritePerson(LogDB(), shownPersonId_, PInfo_StoreRecord(*pinfo_));   // a deleted person takes nothing
        return true;
    } catch (const db::DbError& e) {
        qCWarning(lcPeople) << "person not saved:" << e.Message();
        ShowError(QStringLiteral("Error saving companion information."));
        return false;
    }
}

void BuddiesFrm::ShowPerson(qint64 id, const PersonRecord& record)
{
    PInfo_ShowRecord(*pinfo_, record);
    shownPersonId_ = id;
    PInfo_SetReadOnly(*pinfo_, id < 1);
}

bool BuddiesFrm::BUDDY_Update_Personal()
{
    return StorePerson();
}

bool BuddiesFrm::SaveInfo()
{
    if (!StorePerson())
        return false;
    gv.PersonChanged = false;
    return true;
}

void BuddiesFrm::PInfo_KeyDown()
{
    gv.PersonChanged = true;
}

// --- Mouse events and the add/delete menu --------------------------------------------

bool BuddiesFrm::ChooseList(const CompanionKind& kind)
{
    if (gv.PersonChanged && !SaveInfo())
        return false;
    gv.PersonKind = kind.type;
    gv.PersonKindName = KindWord(kind);
    Refresh_BuddiesList();
    Buddy_Init_Personal();
    return true;
}

// A right press is followed by the list's context menu, which chooses the line.
void BuddiesFrm::List_MouseDown(const CompanionKind& kind, Qt::MouseButton button)
{
    if (button != Qt::RightButton)
        ChooseList(kind);
}

// A right click, the Menu key or Shift+F10: the menu acts on the line it opens at.
void BuddiesFrm::List_ContextMenu(const CompanionKind& kind, const QPoint& pos)
{
    if (!ChooseList(kind))
        return;
    Buddy_Init_PopupMenu();
    popup_->Show(PopupMenu::kPopupKey, ListOf(kind.type)->viewport()->mapTo(this, pos));
}

void BuddiesFrm::List_MouseMove(const CompanionKind& kind)
{
    const CheckList& list = *ListOf(kind.type);
    hint_->move(list.x(), list.y() + list.height());
    hint_->raise();
    hint_->show();
}

void BuddiesFrm::mouseMoveEvent(QMouseEvent* event)
{
    hint_->hide();
    ChildForm::mouseMoveEvent(event);
}

// --- Add and delete ----------------------------------------------------------------

void BuddiesFrm::Buddy_Init_PopupMenu()
{
    AddAddDeleteEntries(*popup_);
}

void BuddiesFrm::AddDel_Popup_ItemClick(const QString& key)
{
    if (key == QLatin1String("Add"))
        AddPerson();
    else if (key == QLatin1String("Delete"))
        DeleteSelectedPerson();
}

void BuddiesFrm::AddPerson()
{
    const CompanionKind* kind = CompanionKindOf(gv.PersonKind);
    if (!kind)
        return;
    const QString word = KindWord(*kind);
    const QString name = InputBox("Enter " + word + " full name:", "Add new " + word, QString());
    if (name.isEmpty())
        return;
    qint64 added = 0;
    try {
        added = people::AddPerson(LogDB(), *kind, name);
    } catch (const db::DbError& e) {
        qCWarning(lcPeople) << "person not added:" << e.Message();
        ShowError("Error adding " + word + ".");
        return;
    }
    Update_AddDel_Buddies();
    // The new person's line is the current one, shown as a click on it shows him.
    ListOf(kind->type)->SetCurrentItem(QString::number(added));
    ChooseList(*kind);
}

void BuddiesFrm::DeleteSelectedPerson()
{
    const CompanionKind* kind = CompanionKindOf(gv.PersonKind);
    if (!kind)
        return;
    const CheckItem* selected = nullptr;
    for (const auto& item : ListOf(kind->type)->AllItems())
        if (item->Selected()) {
            selected = item.get();
            break;
        }
    if (!selected)
        return;
    const QString word = KindWord(*kind);
    if (MsgBox("Are you sure to want to delete " + selected->Caption() + " from the " + word + " List?",
               MsgButtons::YesNo, MsgIcon::Exclamation, "Delete " + word) != MsgAnswer::Yes)
        return;
    const qint64 deleted = selected->Tag();
    try {
        DeletePerson(LogDB(), *kind, deleted);
    } catch (const db::DbError& e) {
        qCWarning(lcPeople) << "person not deleted:" << e.Message();
        ShowError("Error deleting " + word + ".");
        return;
    }
    if (deleted == shownPersonId_) {   // nothing typed could be kept for him now
        ShowPerson(0, {});
        gv.PersonChanged = false;
    }
    Update_AddDel_Buddies();
}

} // namespace kvl
