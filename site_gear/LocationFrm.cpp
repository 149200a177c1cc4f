#include "site_gear/LocationFrm.h"

#include "site_gear/SiteFormWrites.h"

#include "platform/dialogs/Dialogs.h"
#include "platform/runtime/Logging.h"
#include "platform/widgets/Captions.h"
#include "platform/widgets/CheckList.h"
#include "platform/widgets/FieldBoxes.h"
#include "platform/widgets/PickList.h"
#include "platform/widgets/PopupMenu.h"
#include "shell/core/DiveRows.h"
#include "shell/core/Global_Vars.h"
#include "site_gear/core/LocationLists.h"

#include <QApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QVBoxLayout>

#include <algorithm>
#include <vector>

namespace kvl {

using site::LocationCombo;
using site::LocationText;

namespace {

// Label4 indices.
enum Label4Index { kDiveTypeCaption = 0, kTitle = 7, kTemperatureCaption = 8, kHighlightsCaption = 15, kDirectionsCaption = 16 };

const char* const kTitleText = " VURO DIVE  LOCATION";

bool IsMemo(LocationText box) { return box == LocationText::Highlights || box == LocationText::Directions; }

// The caption beside each box (Label4 indices 1..5 and the heights' row labels).
struct BoxCaption {
    LocationText box;
    int label4;          // -1: the box stands beside its condition list, no label of its own
    const char* caption;
};
const BoxCaption kBoxCaptions[] = {
    {LocationText::Visibility, 1, "Visibility:"}, {LocationText::Altitude, 2, "Altitude:"},
    {LocationText::Air, 3, "Air:"},               {LocationText::Surface, 4, "Surface:"},
    {LocationText::Minimum, 5, "Minimum:"},
};

// The condition list each height (or speed) box stands beside.
LocationText MeasureOf(LocationCombo list)
{
    static const LocationText measures[] = {LocationText::CurrentSpeed, LocationText::SurgeHeight,
                                            LocationText::SwellHeight, LocationText::SurfHeight,
                                            LocationText::TideHeight};
    return measures[static_cast<size_t>(list)];
}

bool IsNamed(int index) { return index >= static_cast<int>(LocationCombo::Resort); }

// The named lists of the right column, top down.
constexpr LocationCombo kRightColumnLists[] = {LocationCombo::Operator, LocationCombo::DiveBoat, LocationCombo::GPS};

} // namespace

LocationFrm::LocationFrm() : ChildFormOf("VURO Dive Location")
{
    BuildControls();
    setMouseTracking(true);
}

QLabel& LocationFrm::Label4(int index) const { return *label4_.at(static_cast<size_t>(index)); }

// --- Building the window ---------------------------------------------------------------

void LocationFrm::BuildControls()
{
    auto* outer = new QVBoxLayout(this);
    auto* title = new QLabel(QString::fromLatin1(kTitleText), this);
    QFont bold = title->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.4);
    title->setFont(bold);
    title->setAutoFillBackground(true);
    title->setBackgroundRole(QPalette::Button);
    label4_[kTitle] = title;
    outer->addWidget(title);

    const auto label = [this](int index, const QString& caption) {
        auto* l = new QLabel(caption, this);
        label4_[static_cast<size_t>(index)] = l;
        return l;
    };
    for (const site::LocationField& field : site::LocationFields()) {
        QWidget* box = nullptr;
        if (IsMemo(field.box)) {
            auto* memo = new MemoBox(this);
            memo->setTabChangesFocus(true);   // Tab moves on; a tab stored in a note stays
            connect(memo, &QPlainTextEdit::textChanged, this, [this, b = field.box] { Text4_Change(b); });
            memo->installEventFilter(this);
            box = memo;
        } else {
            auto* edit = new EditBox(this);
            edit->setMaximumWidth(90);
            edit->AcceptNumbersOnly(DecimalMark::PointOrComma, field.mayBeNegative);   // read by ParseDecimal
            connect(edit, &QLineEdit::textEdited, this, [this, b = field.box] { Text4_Change(b); });
            box = edit;
        }
        box->setObjectName(QStringLiteral("Text4_%1").arg(Index(field.box)));
        text4_[Index(field.box)] = box;
        if (field.unitBox >= 0) {
            auto* unit = new ListBox(false, this);
            unit->addItems(site::UnitBoxItems(field.unitBox));
            unit->setObjectName(QStringLiteral("Units_Opt_%1").arg(field.unitBox));
            unitsOpt_[static_cast<size_t>(field.unitBox)] = unit;
        }
    }
    for (const site::LocationList& list : site::LocationLists()) {
        const int i = static_cast<int>(list.combo);
        auto* combo = new PickList(list.named ? PickList::Sorted : PickList::AsAdded, this);
        combo->setObjectName(QStringLiteral("Combo_%1").arg(i));
        combo->setMinimumWidth(160);
        combo_[Index(list.combo)] = combo;
        comboLbl_[Index(list.combo)] = new QLabel(QString::fromLatin1(list.caption), this);
        connect(combo, &PickList::GotFocus, this, [this, i] { Combo_GotFocus(i); });
        connect(combo, &PickList::LostFocus, this, [this, i] { Combo_LostFocus(i); });
        connect(combo, &PickList::KeyDown, this, [this, i] { Combo_KeyDown(i); });
        connect(combo, &PickList::KeyUp, this, [this, i] { Combo_KeyUp(i); });
        connect(combo, &PickList::UserPicked, this, [this, c = list.combo] { Combo_UserPicked(c); });
    }
    const auto boxRow = [&](QGridLayout* grid, int row, QWidget* caption, LocationText box) {
        grid->addWidget(caption, row, 0);
        grid->addWidget(&Text4(box), row, 1);
        grid->addWidget(&UnitBeside(box), row, 2);
    };

    auto* columns = new QHBoxLayout;
    outer->addLayout(columns, 1);
    auto* left = new QVBoxLayout;
    columns->addLayout(left, 1);
    left->addWidget(label(kDiveTypeCaption, QStringLiteral("VURO Dive Type:")));
    diveTypeList_ = new CheckList(this);
    diveTypeList_->setObjectName(QStringLiteral("DiveTypeList"));
    diveTypeList_->setMouseTracking(true);
    diveTypeList_->setMinimumHeight(110);
    left->addWidget(diveTypeList_, 1);
    left->addSpacing(fontMetrics().height() + 4);   // room for the hint under the list

    auto* sizes = new QGridLayout;
    for (int i = 0; i < 2; ++i)
        boxRow(sizes, i, label(kBoxCaptions[i].label4, QString::fromLatin1(kBoxCaptions[i].caption)), kBoxCaptions[i].box);
    sizes->setColumnStretch(3, 1);
    left->addLayout(sizes);
    auto* temperature = new QGroupBox(this);
    auto* temperatures = new QGridLayout(temperature);
    for (int i = 2; i < 5; ++i)
        boxRow(temperatures, i - 2, label(kBoxCaptions[i].label4, QString::fromLatin1(kBoxCaptions[i].caption)),
               kBoxCaptions[i].box);
    temperatures->setColumnStretch(3, 1);
    left->addWidget(label(kTemperatureCaption, QStringLiteral("Temperature")));
    left->addWidget(temperature);
    auto* conditions = new QGridLayout;
    for (int i = 0; i <= static_cast<int>(LocationCombo::Tide); ++i) {
        const auto list = static_cast<LocationCombo>(i);
        conditions->addWidget(&ComboLbl(list), 2 * i, 0);
        conditions->addWidget(&Combo(list), 2 * i + 1, 0);
        conditions->addWidget(&Text4(MeasureOf(list)), 2 * i + 1, 1);
        conditions->addWidget(&UnitBeside(MeasureOf(list)), 2 * i + 1, 2);
    }
    conditions->setColumnStretch(3, 1);
    left->addLayout(conditions);

    auto* right = new QVBoxLayout;
    columns->addSpacing(24);
    columns->addLayout(right, 1);
    for (LocationCombo list : kRightColumnLists) {
        right->addWidget(&ComboLbl(list));
        auto* row = new QHBoxLayout;
        row->addWidget(&Combo(list), 1);
        row->addSpacing(110);   // where the Add/Delete strip stands beside the focused list
        right->addLayout(row);
    }
    right->addWidget(label(kHighlightsCaption, QStringLiteral("Highlights:")));
    right->addWidget(&Text4(LocationText::Highlights), 1);
    right->addWidget(label(kDirectionsCaption, QStringLiteral("Directions:")));
    right->addWidget(&Text4(LocationText::Directions), 1);
    // The resort is filled and saved like the other names, but never shown.
    right->addWidget(&ComboLbl(LocationCombo::Resort));
    right->addWidget(&Combo(LocationCombo::Resort));
    ComboLbl(LocationCombo::Resort).setVisible(false);
    Combo(LocationCombo::Resort).setVisible(false);

    hint_ = new QLabel(QStringLiteral("To add/delete, right click on the list box"), this);
    hint_->setAutoFillBackground(true);
    QPalette yellow = hint_->palette();
    yellow.setColor(QPalette::Window, QColor(255, 255, 225));
    hint_->setPalette(yellow);
    hint_->adjustSize();
    hint_->setMouseTracking(true);
    hint_->installEventFilter(this);
    hint_->hide();

    cmd_ = new ButtonPopup(this);
    cmd_->setObjectName(QStringLiteral("Cmd"));
    cmd_->AddItem(QStringLiteral("Add"), QStringLiteral("Add"), QStringLiteral("Add New"));
    cmd_->AddItem(QStringLiteral("Delete"), QStringLiteral("Delete"), QStringLiteral("Delete"));
    cmd_->hide();
    connect(cmd_, &ButtonPopup::ItemClick, this, &LocationFrm::Cmd_ItemClick);
    connect(cmd_, &ButtonPopup::FocusLeft, this, [this] { Combo_LostFocus(PopupIndex_); });

    diveTypePopUp_ = new PopupMenu(this);
    connect(diveTypePopUp_, &PopupMenu::ItemClick, this, &LocationFrm::DiveType_PopUp_ItemClick);
    NameControls();
    OrderTabStops();
    diveTypeList_->installEventFilter(this);
    connect(diveTypeList_, &CheckList::ContextMenu, this, &LocationFrm::DiveTypeList_ContextMenu);
    connect(diveTypeList_, &CheckList::MouseMove, this, &LocationFrm::DiveTypeList_MouseMove);
    connect(diveTypeList_, &CheckList::ItemClick, this, &LocationFrm::LOCATION_Update_DiveType);
}

// Every box named for a screen reader by its caption; a box without a caption of its
// own by the box it stands beside.
void LocationFrm::NameControls()
{
    TieCaption(Label4(kDiveTypeCaption), *diveTypeList_);
    for (const BoxCaption& c : kBoxCaptions)
        TieCaption(Label4(c.label4), Text4(c.box));
    for (LocationText box : {LocationText::Air, LocationText::Surface, LocationText::Minimum})
        NameBeside(Text4(box), Text4(box), QStringLiteral("temperature"));
    TieCaption(Label4(kHighlightsCaption), Text4(LocationText::Highlights));
    TieCaption(Label4(kDirectionsCaption), Text4(LocationText::Directions));
    for (const site::LocationList& list : site::LocationLists()) {
        TieCaption(ComboLbl(list.combo), Combo(list.combo));
        if (!list.named)
            NameBeside(Text4(MeasureOf(list.combo)), Combo(list.combo),
                       list.combo == LocationCombo::Current ? QStringLiteral("speed") : QStringLiteral("height"));
    }
    for (const site::LocationField& field : site::LocationFields())
        if (field.unitBox >= 0)
            NameBeside(UnitBeside(field.box), Text4(field.box), QStringLiteral("unit"));
}

// Tab follows the window as it is read: the dive types, the boxes of the left column
// top down (each condition's list before its measure), then the right column. The
// boxes were made before the list they stand under, so their making order is no guide.
void LocationFrm::OrderTabStops()
{
    std::vector<QWidget*> stops{diveTypeList_};
    for (const BoxCaption& c : kBoxCaptions)
        stops.insert(stops.end(), {&Text4(c.box), &UnitBeside(c.box)});
    for (int i = 0; i <= static_cast<int>(LocationCombo::Tide); ++i) {
        const auto list = static_cast<LocationCombo>(i);
        stops.insert(stops.end(), {&Combo(list), &Text4(MeasureOf(list)), &UnitBeside(MeasureOf(list))});
    }
    for (LocationCombo list : kRightColumnLists)
        stops.push_back(&Combo(list));
    stops.insert(stops.end(), {&Text4(LocationText::Highlights), &Text4(LocationText::Directions)});
    ChainTabOrder(stops);
}

// --- Life cycle --------------------------------------------------------------------------

void LocationFrm::Form_Load()
{
    gv.ActiveFormID = FormCode::Location;
    SetToolBarItemVisible(QStringLiteral("Save"), true);
    Form_Resize();
    LOCATION_Init_AllInfo();
}

// Closing never saves: the main window saves the form before it closes it.
void LocationFrm::Form_Unload()
{
    SetToolBarItemVisible(QStringLiteral("Save"), false);
    gv.ActiveFormID = FormCode::None;
    DeselectSideBarItem(QStringLiteral("Location"));
}

// The layout stretches the title across the window; the floating strip and hint, placed
// for the old size, go until the pointer or the focus brings them back.
void LocationFrm::Form_Resize()
{
    cmd_->hide();
    hint_->hide();
}

void LocationFrm::resizeEvent(QResizeEvent* event)
{
    ChildForm::resizeEvent(event);
    Form_Resize();
}

void LocationFrm::mouseMoveEvent(QMouseEvent* event)
{
    hint_->hide();
    ChildForm::mouseMoveEvent(event);
}

bool LocationFrm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == hint_ && event->type() == QEvent::MouseMove)
        Hint_MouseMove();
    // The pointer may leave the list for a window around the form, which never sees it.
    if (watched == diveTypeList_ && event->type() == QEvent::Leave && !hint_->underMouse())
        hint_->hide();
    if (event->type() == QEvent::KeyRelease)
        for (LocationText box : {LocationText::Highlights, LocationText::Directions})
            if (watched == &Text4(box))
                Text4_KeyUp(box);
    return ChildForm::eventFilter(watched, event);
}

void LocationFrm::Hint_MouseMove() { hint_->hide(); }

// --- Loading -----------------------------------------------------------------------------

void LocationFrm::LOCATION_Init_AllInfo()
{
    if (gv.CurrentDiveID < 1 || !gv.DB)
        return;
    shownDiveId_ = gv.CurrentDiveID;
    shownRow_.reset();
    RunLogged(kvlUi(), "reading the dive's site", [this] { shownRow_ = site::LoadLocationRow(*gv.DB, shownDiveId_); });
    edited_.Clear();
    LOCATION_Init_DiveType();
    LOCATION_Init_CurrentList();
    LOCATION_Init_SurgeList();
    LOCATION_Init_SwellList();
    LOCATION_Init_SurfList();
    LOCATION_Init_TideList();
    LOCATION_Init_ResortList();
    LOCATION_Init_OperatorList();
    LOCATION_Init_DiveBoatList();
    LOCATION_Init_GPSList();
    LOCATION_Load_LocationInfo();
}

void LocationFrm::LOCATION_Load_LocationInfo()
{
    loading_ = true;
    for (const site::LocationField& field : site::LocationFields()) {
        QString text;
        if (shownRow_)
            RunLogged(kvlUi(), "showing a site field", [&] { text = site::ShownLocationText(field.box, shownRow_->texts[Index(field.box)]); });
        if (auto* memo = qobject_cast<MemoBox*>(&Text4(field.box)))
            memo->SetText(text);
        else
            static_cast<EditBox&>(Text4(field.box)).setText(text);
        if (field.unitBox >= 0)
            unitsOpt_[static_cast<size_t>(field.unitBox)]->SetListIndex(site::UnitBoxIndex(field.unitBox));
    }
    loading_ = false;
}

QString LocationFrm::Text4Text(LocationText box) const
{
    if (const auto* memo = qobject_cast<const MemoBox*>(&Text4(box)))
        return memo->Text();
    return static_cast<const EditBox&>(Text4(box)).text();
}

db::Value LocationFrm::Stored(LocationCombo list) const
{
    return shownRow_ ? shownRow_->lists[Index(list)] : db::Value();
}

void LocationFrm::InitConditionList(LocationCombo list)
{
    std::vector<site::ScaleEntry> entries;
    RunLogged(kvlUi(), "reading a condition scale", [&] { entries = site::LoadScale(*gv.DB, site::ListOf(list)); });
    QStringList names;
    for (const auto& entry : entries)
        names << entry.name;
    loading_ = true;
    PickList& combo = Combo(list);
    if (combo.Entries() != names)
        combo.SetItems(names);
    combo.SetListIndex(site::ScaleSelection(entries, Stored(list)));
    loading_ = false;
}

void LocationFrm::InitNamedList(LocationCombo list)
{
    QStringList names;
    RunLogged(kvlUi(), "reading a name catalog", [&] { names = site::LoadNames(*gv.DB, site::ListOf(list)); });
    loading_ = true;
    PickList& combo = Combo(list);
    if (combo.Entries() != names)
        combo.SetItems(names);
    // A name the catalog no longer holds shows no selection; the dive keeps it.
    combo.SetListIndex(combo.FindText(Stored(list).ToString()));
    if (site::IsNoChoice(combo.Text()))
        combo.SetListIndex(-1);
    loading_ = false;
}

void LocationFrm::LOCATION_Init_CurrentList() { InitConditionList(LocationCombo::Current); }
void LocationFrm::LOCATION_Init_SurgeList() { InitConditionList(LocationCombo::Surge); }
void LocationFrm::LOCATION_Init_SurfList() { InitConditionList(LocationCombo::Surf); }
void LocationFrm::LOCATION_Init_SwellList() { InitConditionList(LocationCombo::Swell); }
void LocationFrm::LOCATION_Init_TideList() { InitConditionList(LocationCombo::Tide); }
void LocationFrm::LOCATION_Init_ResortList() { InitNamedList(LocationCombo::Resort); }
void LocationFrm::LOCATION_Init_OperatorList() { InitNamedList(LocationCombo::Operator); }
void LocationFrm::LOCATION_Init_DiveBoatList() { InitNamedList(LocationCombo::DiveBoat); }
void LocationFrm::LOCATION_Init_GPSList() { InitNamedList(LocationCombo::GPS); }

// --- Dive types --------------------------------------------------------------------------

void LocationFrm::LOCATION_Init_DiveType()
{
    std::vector<site::DiveType> types;
    RunLogged(kvlUi(), "reading the dive types", [&] { types = site::LoadDiveTypes(*gv.DB); });
    const auto& items = diveTypeList_->AllItems();
    const bool same = std::equal(items.begin(), items.end(), types.begin(), types.end(),
                                 [](const auto& item, const site::DiveType& type) {
                                     return item->Tag() == type.id && item->Caption() == type.name;
                                 });
    if (!same) {
        diveTypeList_->ClearItems();
        for (const site::DiveType& type : types)
            diveTypeList_->AddItem(CheckItemKind::Check, QString::number(type.id), type.name).SetTag(type.id);
    }
    rsDiveTypeData = std::move(types);
    LOCATION_Load_DiveType();
}

void LocationFrm::LOCATION_Load_DiveType()
{
    rsDiveTypes.clear();
    if (shownDiveId_ > 0)
        RunLogged(kvlUi(), "reading the dive's types", [this] { rsDiveTypes = site::LoadDiveTypeTicks(*gv.DB, shownDiveId_); });
    for (const auto& item : diveTypeList_->AllItems()) {
        item->SetTicked(rsDiveTypes.contains(item->Tag()));
        item->SetSelected(false);
    }
}

std::vector<qint64> LocationFrm::TickedTypes() const
{
    std::vector<qint64> ids;
    for (const auto& item : diveTypeList_->AllItems())
        if (item->Ticked())
            ids.push_back(item->Tag());
    return ids;
}

// Stores the ticks as the dive's types when they differ from what is stored.
void LocationFrm::LOCATION_Update_DiveType()
{
    const std::vector<qint64> ticked = TickedTypes();
    const QSet<qint64> tickedSet(ticked.begin(), ticked.end());
    if (tickedSet == rsDiveTypes)
        return;
    edited_.Mark(Array::DiveTypeList);
    StoreDiveTypes();
}

bool LocationFrm::StoreDiveTypes()
{
    if (shownDiveId_ < 1)
        return true;
    const std::vector<qint64> ticked = TickedTypes();
    if (!WriteOrSay("storing the dive's types", [&] { site::StoreDiveTypeTicks(*gv.DB, shownDiveId_, ticked); }))
        return false;
    rsDiveTypes = QSet<qint64>(ticked.begin(), ticked.end());
    return true;
}

void LocationFrm::LOCATION_Init_PopupMenu() { AddAddDeleteEntries(*diveTypePopUp_); }

// A right click, the Menu key or Shift+F10: the menu acts on the line it opens at.
void LocationFrm::DiveTypeList_ContextMenu(const QPoint& pos)
{
    LOCATION_Init_PopupMenu();
    diveTypePopUp_->Show(PopupMenu::kPopupKey, diveTypeList_->viewport()->mapTo(this, pos));
}

void LocationFrm::DiveTypeList_MouseMove()
{
    hint_->move(diveTypeList_->x(), diveTypeList_->y() + diveTypeList_->height());
    hint_->raise();
    hint_->show();
}

void LocationFrm::DiveType_PopUp_ItemClick(const QString& key)
{
    if (key == QLatin1String("Add"))
        AddDiveType();
    else if (key == QLatin1String("Delete"))
        DeleteDiveType();
    else
        LOCATION_Init_DiveType();
}

void LocationFrm::AddDiveType()
{
    const QString name = InputBox(QStringLiteral("Enter new dive type:"), QStringLiteral("Add new dive type"), QString());
    if (name.isEmpty())
        return;
    qint64 added = 0;
    if (!WriteOrSay("adding a dive type", [&] { added = site::AddDiveType(*gv.DB, name); }))
        return;
    LOCATION_Init_DiveType();
    diveTypeList_->SetCurrentItem(QString::number(added));   // the keys go on from the new type
}

void LocationFrm::DeleteDiveType()
{
    const auto& items = diveTypeList_->AllItems();
    const auto selected = std::find_if(items.begin(), items.end(), [](const auto& item) { return item->Selected(); });
    if (selected == items.end())
        return;
    const CheckItem& item = **selected;
    if (MsgBox("Are you sure to want to delete dive type '" + item.Caption() + "'?", MsgButtons::YesNo,
               MsgIcon::Critical, QStringLiteral("Delete dive type")) == MsgAnswer::Yes) {
        if (!RunLogged(kvlDb(), "deleting a dive type", [&] { site::DeleteDiveType(*gv.DB, item.Tag()); })) {
            MsgBox(QStringLiteral("Error deleting Dive Type from database."), MsgButtons::OK, MsgIcon::Critical,
                   QStringLiteral("Error"));
            return;
        }
    }
    LOCATION_Init_DiveType();
}

// --- The user's changes and the save -----------------------------------------------------

void LocationFrm::Text4_Change(LocationText box)
{
    if (!loading_)
        edited_.Mark(Array::Text4, static_cast<int>(box));
}

void LocationFrm::Text4_KeyUp(LocationText box)
{
    if (box == LocationText::Highlights)
        gv.CurrentDive.HIGHLIGHTS = Text4Text(box);
    else if (box == LocationText::Directions)
        gv.CurrentDive.DIRECTIONS = Text4Text(box);
}

void LocationFrm::Combo_UserPicked(LocationCombo list)
{
    edited_.Mark(Array::Combo, static_cast<int>(list));
}

void LocationFrm::Combo_GotFocus(int Index)
{
    PopupIndex_ = Index;
    if (!IsNamed(Index))
        return;
    PickList& list = *combo_[static_cast<size_t>(Index)];
    const QPoint topRight = list.mapTo(this, QPoint(list.width(), 0));
    cmd_->move(topRight.x() + 4, topRight.y() + (list.height() - cmd_->height()) / 2);
    cmd_->Serve(list, site::ListLabel(site::ListOf(static_cast<LocationCombo>(Index))));
    cmd_->raise();
    cmd_->show();
}

// The strip stays while the focus is on it or on the list it serves.
void LocationFrm::Combo_LostFocus(int)
{
    const QWidget* now = QApplication::focusWidget();
    if (!now || !(cmd_->isAncestorOf(now) || now == combo_[static_cast<size_t>(PopupIndex_)]))
        cmd_->hide();
}

void LocationFrm::Combo_KeyDown(int) {}
void LocationFrm::Combo_KeyUp(int) {}

site::LocationEdits LocationFrm::Edits() const
{
    site::LocationEdits edits;
    for (const site::LocationField& field : site::LocationFields())
        if (edited_.Has(Array::Text4, static_cast<int>(field.box)))
            edits.texts[field.box] = Text4Text(field.box);
    for (const site::LocationList& list : site::LocationLists())
        if (edited_.Has(Array::Combo, static_cast<int>(list.combo)))
            edits.lists[list.combo] = Combo(list.combo).Text();
    if (edited_.Has(Array::DiveTypeList))
        edits.typeIds = TickedTypes();
    return edits;
}

bool LocationFrm::LOCATION_Update_LocationData()
{
    if (shownDiveId_ < 1 || !gv.DB)
        return true;
    const site::LocationEdits edits = Edits();
    if (edits.Empty())
        return true;
    if (!WriteOrSay("saving the dive's site", [&] { site::SaveLocation(*gv.DB, shownDiveId_, edits); }))
        return false;
    edited_.Clear();
    if (edits.typeIds)
        rsDiveTypes = QSet<qint64>(edits.typeIds->begin(), edits.typeIds->end());
    RunLogged(kvlUi(), "re-reading the dive's site", [this] { shownRow_ = site::LoadLocationRow(*gv.DB, shownDiveId_); });
    if (gv.CurrentDiveID == shownDiveId_ && gv.rsDiveData && !gv.rsDiveData->EOF() &&
        gv.rsDiveData->Field(QStringLiteral("DIVEID")).ToLong() == shownDiveId_)
        LoadCurrentDive();
    return true;
}

void LocationFrm::UpdateLocationCombos(int Ind, const QString& s)
{
    if (Ind < 0 || IsNamed(Ind) || shownDiveId_ < 1)
        return;
    WriteOrSay("writing a condition", [&] {
        db::Transaction tx(*gv.DB);
        site::WriteCondition(*gv.DB, site::ListOf(static_cast<LocationCombo>(Ind)), shownDiveId_, s);
        tx.Commit();
    });
}

// --- The named lists' Add and Delete -----------------------------------------------------

void LocationFrm::Cmd_ItemClick(const QString& key)
{
    if (!IsNamed(PopupIndex_))
        return;
    if (key == QLatin1String("Add"))
        AddCatalogName();
    else if (key == QLatin1String("Delete"))
        DeleteCatalogName();
}

void LocationFrm::AddCatalogName()
{
    const auto listId = static_cast<LocationCombo>(PopupIndex_);
    const site::LocationList& catalog = site::ListOf(listId);
    const QString label = site::ListLabel(catalog);
    const QString name = InputBox("Enter your desired " + label + ":", "New " + label, QString());
    if (name.isEmpty())
        return;
    PickList& list = Combo(listId);
    const int existing = list.FindText(name);
    if (existing >= 0) {
        list.Pick(existing);   // the name is there already: it is chosen, nothing added
        return;
    }
    if (site::IsNoChoice(name))
        return;   // "NONE" means no choice; it is never a name of its own
    if (!WriteOrSay("adding a name", [&] { site::AddCatalogName(*gv.DB, catalog, name); }))
        return;
    list.Pick(list.AddItem(name));
    LOCATION_Update_LocationData();
}

void LocationFrm::DeleteCatalogName()
{
    const auto listId = static_cast<LocationCombo>(PopupIndex_);
    const site::LocationList& catalog = site::ListOf(listId);
    PickList& list = Combo(listId);
    const QString name = list.Text();
    if (name.isEmpty() || site::IsNoChoice(name) || shownDiveId_ < 1)
        return;
    const QString label = site::ListLabel(catalog);
    if (!RunLogged(kvlDb(), "deleting a name", [&] { site::DeleteCatalogName(*gv.DB, catalog, shownDiveId_, name); })) {
        MsgBox("Error deleting " + label, MsgButtons::OK, MsgIcon::Critical, "Delete " + label);
        return;
    }
    list.RemoveItem(list.ListIndex());
    list.SetListIndex(-1);
    edited_.Mark(Array::Combo, PopupIndex_);
    if (shownRow_)
        shownRow_->lists[Index(listId)] = QStringLiteral("NONE");
}

} // namespace kvl
