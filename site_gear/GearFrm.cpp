#include "site_gear/GearFrm.h"

#include "site_gear/SiteFormWrites.h"

#include "people/PersonGrid.h"
#include "platform/dialogs/Dialogs.h"
#include "platform/runtime/Logging.h"
#include "platform/widgets/CheckList.h"
#include "platform/widgets/FieldBoxes.h"
#include "platform/widgets/PickList.h"
#include "shell/core/Global_Vars.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>

namespace kvl {

using namespace gear;

namespace {

const QString kAddKey = QStringLiteral("Add");
const QString kDeleteKey = QStringLiteral("Delete");

} // namespace

GearFrm::GearFrm() : ChildFormOf("Gear")
{
    auto* outer = new QVBoxLayout(this);
    header_ = AddFormHeader(*outer, QStringLiteral("GEAR BAG"));
    auto* columns = new QHBoxLayout;
    outer->addLayout(columns, 1);

    auto* lists = new QGridLayout;
    for (int kind = 0; kind < kGearKindCount; ++kind) {
        auto* combo = new PickList(PickList::AsAdded, this);
        combo->setObjectName(QStringLiteral("Combo1_%1").arg(kind));
        // Sized by a fixed length: measuring hundreds of catalog names would slow the opening.
        combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        combo->setMinimumContentsLength(24);
        combo1_[kind] = combo;
        lists->addWidget(new QLabel(QString::fromLatin1(GearKinds()[kind].label), this), kind, 0);
        lists->addWidget(combo, kind, 1);
        connect(combo, &PickList::GotFocus, this, [this, kind] { Combo1_GotFocus(kind); });
        connect(combo, &PickList::Click, this, [this, kind] { Combo1_Click(kind); });
    }
    lists->setColumnStretch(1, 1);
    // The accessories under the lists, so that the strip finds room beside them too.
    auto* left = new QVBoxLayout;
    left->addLayout(lists);
    left->addWidget(new QLabel(QStringLiteral("Accessories:"), this));
    accessoryList_ = new CheckList(this);
    accessoryList_->setObjectName(QStringLiteral("AccessoryList"));
    left->addWidget(accessoryList_, 1);
    columns->addLayout(left, 3);
    // Room for the strip beside the lists, at its widest captions.
    columns->addSpacing(fontMetrics().horizontalAdvance(QStringLiteral("New Alt. Air Source")) +
                        fontMetrics().horizontalAdvance(QStringLiteral("Delete Alt. Air Source")) + 48);

    auto* right = new QVBoxLayout;
    auto* weights = new QGridLayout;
    for (int box = 0; box < kWeightCount; ++box) {
        auto* text = new EditBox(this);
        text->setObjectName(QStringLiteral("Text1_%1").arg(box));
        text->AcceptNumbersOnly(DecimalMark::Point, false);   // read by Val
        text1_[box] = text;
        auto* units = new ListBox(false, this);
        units->addItems({QStringLiteral("KGS"), QStringLiteral("LBS")});
        units->setEnabled(false);   // shows the diver's unit; the diver form changes it
        unitsOpt_[box] = units;
        weights->addWidget(new QLabel(QString::fromLatin1(GearWeights()[box].label), this), box, 0);
        weights->addWidget(text, box, 1);
        weights->addWidget(units, box, 2);
        connect(text, &EditBox::GotFocus, this, [this, box] { Text1_GotFocus(box); });
        connect(text, &QLineEdit::textEdited, this, [this, box] { edited_.Mark(GearControl::Text1, box); });
    }
    right->addLayout(weights);
    right->addStretch(1);
    columns->addLayout(right, 2);
    connect(accessoryList_, &CheckList::MouseDown, this, [this] { AccessoryList_MouseDown(); });
    connect(accessoryList_, &QTreeWidget::itemSelectionChanged, this, [this] { AccessoryList_Click(); });
    connect(accessoryList_, &CheckList::ItemClick, this, [this] { AccessoryList_ItemClick(); });

    cmd_ = new ButtonPopup(this);
    cmd_->setObjectName(QStringLiteral("Cmd"));
    cmd_->AddItem(kAddKey, QStringLiteral("New Gear"), {});
    cmd_->AddItem(kDeleteKey, QStringLiteral("Delete Gear"), {});
    connect(cmd_, &ButtonPopup::ItemClick, this, &GearFrm::Cmd_ItemClick);
}

// --- Load, close and size -------------------------------------------------------

void GearFrm::Form_Load()
{
    gv.ActiveFormID = FormCode::Gear;
    GearLoading = false;
    SetToolBarItemVisible(QStringLiteral("Save"), true);
    for (int kind = 0; kind < kGearKindCount; ++kind)
        GearKindCaption[kind] = QString::fromLatin1(GearKinds()[kind].caption);
    InitGearInfo();
    Combo1_GotFocus(kGear);   // the strip starts beside the set's list
}

void GearFrm::Form_QueryUnload()
{
    SetToolBarItemVisible(QStringLiteral("Save"), false);
    gv.ActiveFormID = FormCode::None;
    DeselectSideBarItem(QStringLiteral("Gear"));
}

void GearFrm::Form_Unload()
{
    Form_QueryUnload();
}

void GearFrm::resizeEvent(QResizeEvent* event)
{
    ChildForm::resizeEvent(event);
    Form_Resize();
}

// The layout gives the form the child area and the header its width; the strip
// follows the list it stands beside.
void GearFrm::Form_Resize()
{
    if (PopupIndex < kGearKindCount)
        PlaceCmd(Combo1(PopupIndex), GearKindCaption[PopupIndex]);
    else
        PlaceCmd(AccessoryList(), QStringLiteral("Accessory"));
}

// --- Filling the lists and showing the dive --------------------------------------

void GearFrm::ClearInfo()
{
    GearLoading = true;
    for (PickList* combo : combo1_)
        combo->Clear();
    GearLoading = false;
    ShowWeights({});
}

void GearFrm::InitGearInfo()
{
    for (ListBox* units : unitsOpt_)
        units->SetListIndex(gv.UnitWeight);
    ClearInfo();
    GearLoading = true;
    for (int kind = 0; kind < kGearKindCount; ++kind)
        RunLogged(kvlDb(), GearKinds()[kind].table,   // a missing catalog leaves its list empty
                  [&] { Combo1(kind).SetItems(CatalogEntries(LogDB(), kind)); });
    GearLoading = false;
    rsAccessoryData.reset();
    RunLogged(kvlDb(), "opening the accessories", [&] { rsAccessoryData = OpenAccessoryData(LogDB()); });
    InitGearData();
}

void GearFrm::InitGearData()
{
    for (int kind = 0; kind < kGearKindCount; ++kind)
        SelectByCode(kind, -1);
    ShowWeights({});
    LoadGearInfo();
    LoadAccessoryInfo();
}

void GearFrm::LoadGearInfo()
{
    edited_.Clear();
    shownDiveId_ = gv.CurrentDiveID;
    std::optional<StoredGear> gear;
    RunLogged(kvlDb(), "reading the dive's gear", [&] {
        if (shownDiveId_ > 0)
            gear = ReadDiveGear(LogDB(), shownDiveId_);
    });
    if (!gear)
        return;
    const QString setName = gear->set.ToString();
    bool setListed = false;
    RunLogged(kvlDb(), "looking up the set", [&] { setListed = !gear->set.IsNull() && SetExists(LogDB(), setName); });
    if (!setListed)
        SelectTextByCode(kGear, kNone);
    else if (Combo1(kGear).Text().toUpper() != setName.toUpper())
        SelectTextByCode(kGear, setName);

    const bool hasSet = HasSet(gear->set);
    for (int kind = kFirstItem; kind < kGearKindCount; ++kind) {
        if (hasSet)
            SelectTextByCode(kind, gear->items[kind].ToString());
        else
            SelectByCode(kind, 0);
    }
    SetItemsEnabled(hasSet);
    ShowWeights(hasSet ? gear->weights : std::array<db::Value, kWeightCount>{});
    ResetAccessories(hasSet);
    if (hasSet)
        ShowSetTicks();
}

void GearFrm::LoadAccessoryInfo()
{
    AccessoryList().ClearItems();
    std::vector<Accessory> accessories;
    RunLogged(kvlDb(), "reading the accessories", [&] {
        if (rsAccessoryData) {
            rsAccessoryData->Requery();
            accessories = ReadAccessories(*rsAccessoryData);
        }
    });
    for (const Accessory& accessory : accessories) {
        CheckItem& item = AccessoryList().AddItem(CheckItemKind::Check, AccessoryKey(accessory.id), accessory.name);
        item.SetTag(accessory.id);
        item.SetTicked(false);
    }
    ShowSetTicks();
}

void GearFrm::ShowSetTicks()
{
    QSet<qint64> ticked;
    RunLogged(kvlDb(), "reading the set's accessories",
              [&] { ticked = SetAccessories(LogDB(), Combo1(kGear).Text()); });
    for (const auto& item : AccessoryList().AllItems())
        item->SetTicked(ticked.contains(item->Tag()));
}

void GearFrm::SetItemsEnabled(bool enabled)
{
    for (int kind = kFirstItem; kind < kGearKindCount; ++kind)
        Combo1(kind).setEnabled(enabled);
    for (EditBox* text : text1_)
        text->setEnabled(enabled);
}

void GearFrm::ResetAccessories(bool enabled)
{
    for (const auto& item : AccessoryList().AllItems())
        item->SetTicked(false);
    AccessoryList().setEnabled(enabled);
}

void GearFrm::SelectByCode(int kind, int index)
{
    const bool loading = GearLoading;
    GearLoading = true;
    Combo1(kind).SetListIndex(index < Combo1(kind).ListCount() ? index : -1);
    GearLoading = loading;
}

void GearFrm::SelectTextByCode(int kind, const QString& text)
{
    SelectByCode(kind, Combo1(kind).FindText(text));
}

// --- The strip ---------------------------------------------------------------------

void GearFrm::PlaceCmd(const QWidget& beside, const QString& what)
{
    cmd_->move(beside.mapTo(this, QPoint(beside.width(), 0)));
    cmd_->SetItemCaption(kAddKey, "New " + what);
    cmd_->SetItemCaption(kDeleteKey, "Delete " + what);
    cmd_->raise();
    cmd_->show();
}

void GearFrm::Combo1_GotFocus(int Index)
{
    PlaceCmd(Combo1(Index), GearKindCaption[Index]);
    PopupIndex = Index;
}

void GearFrm::Text1_GotFocus(int Index)
{
    EditBox& box = Text1(Index);
    box.SelectAll();
    // A click that brings the focus places the cursor after this: select again once it has.
    QTimer::singleShot(0, &box, [&box] { box.SelectAll(); });
}

void GearFrm::AccessoryList_Click()
{
    PlaceCmd(AccessoryList(), QStringLiteral("Accessory"));
    PopupIndex = kAccessoryPopup;
}

void GearFrm::AccessoryList_MouseDown()
{
    AccessoryList_Click();
}

// --- Choosing -------------------------------------------------------------------------

void GearFrm::Combo1_Click(int Index)
{
    if (GearLoading)
        return;
    if (Index != kGear) {
        edited_.Mark(GearControl::Combo1, Index);
        WriteOrSay("writing a gear item", [&] { UpdateEachGearInfo(Index); });
        return;
    }
    ChooseSet(true);
}

void GearFrm::UpdateEachGearInfo(int Ind)
{
    if (shownDiveId_ < 1 || Ind < 0 || Ind >= kGearKindCount)
        return;
    WriteDiveItem(LogDB(), shownDiveId_, Ind, Combo1(Ind).Text());
}

void GearFrm::WriteItemsAsNone()
{
    for (int kind = kFirstItem; kind < kGearKindCount; ++kind) {
        if (Combo1(kind).ListCount() == 0)
            continue;
        SelectByCode(kind, 0);
        edited_.Mark(GearControl::Combo1, kind);
        UpdateEachGearInfo(kind);
    }
}

void GearFrm::ChooseSet(bool loadSet)
{
    bool anyItems = false;
    for (int kind = kFirstItem; kind < kGearKindCount; ++kind)
        anyItems = anyItems || Combo1(kind).ListCount() > 0;
    if (!anyItems)
        return;   // nothing to fill in: the choice changes nothing
    edited_.Mark(GearControl::Combo1, kGear);
    const QString set = Combo1(kGear).Text();
    const bool none = set.toUpper() == kNone;
    WriteOrSay("choosing a gear set", [&] {
        db::Database& db = LogDB();
        db::Transaction transaction(db);
        if (none) {
            WriteItemsAsNone();
        } else if (loadSet && SetNeedsLoading(StoredSetName(db, shownDiveId_), set)) {
            if (const std::optional<StoredGear> row = ReadSet(db, set))
                FillFromSet(*row);
        }
        UpdateEachGearInfo(kGear);
        transaction.Commit();
    });
    SetItemsEnabled(!none);
    ResetAccessories(!none);
    if (!none)
        ShowSetTicks();
}

void GearFrm::ShowWeights(const std::array<db::Value, kWeightCount>& pounds)
{
    shownPounds_ = pounds;
    for (int box = 0; box < kWeightCount; ++box)
        Text1(box).setText(DiveWeightText(pounds[box]));
}

// The set's items and weights, as a choice of the user: the dive takes the items now,
// the weights (as the set stores them) when the form is saved. An item the list lacks
// keeps the list's choice.
void GearFrm::FillFromSet(const StoredGear& set)
{
    for (int box = 0; box < kWeightCount; ++box) {
        if (set.weights[box].IsNull())
            continue;
        Text1(box).setText(SetWeightText(set.weights[box]));
        shownPounds_[box] = set.weights[box];
        edited_.Unmark(GearControl::Text1, box);   // what was typed there is gone
        edited_.Mark(GearControl::SetWeight, box);
    }
    for (int kind = kFirstItem; kind < kGearKindCount; ++kind) {
        const QString item = set.items[kind].ToString();
        const int index = item.isEmpty() ? 0 : Combo1(kind).FindText(item);
        if (index < 0 || index >= Combo1(kind).ListCount())
            continue;
        SelectByCode(kind, index);
        edited_.Mark(GearControl::Combo1, kind);
        UpdateEachGearInfo(kind);
    }
}

// --- Saving ---------------------------------------------------------------------------

GearScreen GearFrm::Screen() const
{
    GearScreen screen;
    for (int kind = 0; kind < kGearKindCount; ++kind)
        screen.choices[kind] = Combo1(kind).Text();
    for (int box = 0; box < kWeightCount; ++box)
        screen.weights[box] = Text1(box).text();
    screen.pounds = shownPounds_;
    return screen;
}

bool GearFrm::SaveGear(bool newSet)
{
    if (shownDiveId_ < 1 || !edited_.Any())
        return true;
    return WriteOrSay("saving the gear", [&] { gear::SaveGear(LogDB(), shownDiveId_, Screen(), edited_, newSet); });
}

bool GearFrm::UpdateGearInfo()
{
    return SaveGear(false);
}

// --- Adding and deleting ----------------------------------------------------------------

void GearFrm::Cmd_ItemClick(const QString& key)
{
    const bool kind = PopupIndex < kAccessoryPopup;
    if (key == kAddKey)
        kind ? AddKindName(PopupIndex) : AddAccessoryName();
    else if (key == kDeleteKey)
        kind ? DeleteKindName(PopupIndex) : DeleteSelectedAccessory();
}

void GearFrm::AddKindName(int kind)
{
    const QString& caption = GearKindCaption[kind];
    const QString name = InputBox("Enter your desired " + caption + ":", "New " + caption, QString());
    if (name.isEmpty())
        return;
    PickList& list = Combo1(kind);
    for (int i = 0; i < list.ListCount(); ++i)
        if (list.List(i).compare(name, Qt::CaseInsensitive) == 0)
            return;
    if (!WriteOrSay("adding a catalog name", [&] { AddCatalogName(LogDB(), kind, name); }))
        return;
    GearLoading = true;
    if (list.ListCount() == 0)
        list.AddItem(kNone);   // as the catalog lists once it has a name
    list.AddItem(name);
    GearLoading = false;
    SelectByCode(kind, list.ListCount() - 1);
    if (kind != kGear) {
        Combo1_Click(kind);
        SaveGear(false);
        return;
    }
    // A new set has no row to load: it takes what the window shows, and the dive's
    // items then start again from "NONE".
    edited_.Mark(GearControl::Combo1, kGear);
    ChooseSet(false);
    if (!SaveGear(true))
        return;
    WriteOrSay("starting the new set's items", [&] {
        db::Transaction transaction(LogDB());
        WriteItemsAsNone();
        transaction.Commit();
    });
}

void GearFrm::DeleteKindName(int kind)
{
    PickList& list = Combo1(kind);
    const QString name = list.Text();
    if (name.isEmpty() || name == kNone)
        return;
    const int index = list.ListIndex();
    if (!RunLogged(kvlDb(), "deleting a catalog name",
                   [&] { DeleteCatalogName(LogDB(), kind, name, shownDiveId_); })) {
        MsgBox(QStringLiteral("Error deleting Gear."), MsgButtons::OK, MsgIcon::Critical, QStringLiteral("Deleting Gear"));
        return;
    }
    GearLoading = true;
    list.RemoveItem(index);
    list.SetListIndex(-1);
    GearLoading = false;
    edited_.Mark(GearControl::Combo1, kind);
}

void GearFrm::AddAccessoryName()
{
    const QString name = InputBox(QStringLiteral("Enter your desired Accessory:"), QStringLiteral("New Accessory"), QString());
    if (name.isEmpty())
        return;
    if (WriteOrSay("adding an accessory", [&] { AddAccessory(LogDB(), name); }))
        LoadAccessoryInfo();
}

void GearFrm::DeleteSelectedAccessory()
{
    QString name;
    for (const auto& item : AccessoryList().AllItems())
        if (item->Selected()) {
            name = item->Caption();
            break;
        }
    if (name.isEmpty() || name == kNone)
        return;
    if (!RunLogged(kvlDb(), "deleting an accessory", [&] { DeleteAccessory(LogDB(), name); })) {
        MsgBox(QStringLiteral("Error deleting Accessory."), MsgButtons::OK, MsgIcon::Critical,
               QStringLiteral("Delete Accessory"));
        return;
    }
    LoadAccessoryInfo();
}

// --- Accessory ticks ----------------------------------------------------------------------

void GearFrm::AccessoryList_ItemClick()
{
    UpdateAccessory();
}

void GearFrm::UpdateAccessory()
{
    const QString set = Combo1(kGear).Text();
    if (set.isEmpty())
        return;
    std::vector<qint64> ids;
    for (const auto& item : AccessoryList().AllItems())
        if (item->Ticked())
            ids.push_back(AccessoryIdOfKey(item->Key()));
    WriteOrSay("storing the set's accessories", [&] { StoreSetAccessories(LogDB(), set, ids); });
}

} // namespace kvl
