#include "dive/DiveFrm.h"

#include "dive/DiveFields.h"
#include "dive/DiveSave.h"
#include "dive/DiveSettings.h"
#include "dive/DiveValidators.h"
#include "platform/dialogs/Dialogs.h"
#include "platform/runtime/Runtime.h"
#include "platform/widgets/SmartToolBar.h"
#include "shell/DiveRows.h"
#include "shell/Lookups.h"
#include "shell/MDI_MainFrm.h"
#include "shell/Units.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include <cassert>
#include <utility>

namespace kvl {

namespace {

// A display step that cannot be carried out (a Null where a number is needed)
// leaves its box empty rather than showing the previous dive's value.
template <class TextOf>
void ShowText(QLineEdit& box, TextOf textOf)
{
    try {
        box.setText(textOf());
    } catch (const std::exception&) {
        box.setText(QString());
    }
}

template <class Step>
void Try(Step step)
{
    try {
        step();
    } catch (const std::exception&) {
    }
}

QString NumberText(const db::Value& v) { return v.IsNull() ? QString() : v.ToString(); }

QString Converted(const db::Value& v, float (*toDisplay)(const db::Value&))
{
    return v.IsNull() ? QString() : SingleToText(toDisplay(v));
}

QString PressureText(const db::Value& v) { return Converted(v, PressureToDisplay); }
QString CylinderText(const db::Value& v) { return Converted(v, CylinderToDisplay); }
QString TempText(const db::Value& v) { return Converted(v, TempToDisplay); }

double TextNumber(const QString& text)
{
    QString copy = text;
    return ParseDecimal(copy);
}

// Whether a box's text says something else than the text shown for the stored
// value: the comparison is made on what the user sees, so a value shown rounded
// is not taken for an edit.
bool ShownDiffers(const QString& box, const QString& shown)
{
    if (box.trimmed().isEmpty() != shown.trimmed().isEmpty())
        return true;
    return static_cast<float>(TextNumber(box)) != static_cast<float>(TextNumber(shown));
}

// The stored value of each tank box.
db::Value DiveDataRec::*TankField(int index)
{
    switch (index) {
    case 5: return &DiveDataRec::CYLINDERSIZE;
    case 15: return &DiveDataRec::CYLINDERSIZE2;
    case 18: return &DiveDataRec::CYLINDERSIZE3;
    case 6: return &DiveDataRec::SPSI;
    case 7: return &DiveDataRec::EPSI;
    case 16: return &DiveDataRec::SPSI2;
    case 17: return &DiveDataRec::EPSI2;
    case 19: return &DiveDataRec::SPSI3;
    case 20: return &DiveDataRec::EPSI3;
    default: return nullptr;
    }
}

bool IsStartPressure(int index) { return index == 6 || index == 16 || index == 19; }
bool IsEndPressure(int index) { return index == 7 || index == 17 || index == 20; }
int PartnerPressure(int index) { return IsStartPressure(index) ? index + 1 : index - 1; }

struct TankBoxes {
    int cylinder, start, end;
};
constexpr TankBoxes kTankBoxes[3] = {{5, 6, 7}, {15, 16, 17}, {18, 19, 20}};

const char* const kElapsedNegative = "Elapsed dive time should not be less than 0.";

} // namespace

// ---------------------------------------------------------------- building

DiveFrm::DiveFrm() : ChildFormOf<DiveFrm>(QStringLiteral("Dive"))
{
    setObjectName(QStringLiteral("DiveFrm"));
    BuildForm();
    ConnectEvents();
}

DiveFrm::~DiveFrm() = default;

void DiveFrm::BuildForm()
{
    static const std::pair<int, const char*> labels[] = {
        {0, "Life Time Dive #:"}, {1, "D.G. Dive #:"}, {2, "Date:"}, {3, "Time In:"}, {4, "Location:"},
        {5, "Dive Site:"}, {6, "Time Out:"}, {7, "Elapsed Time:"}, {8, "Prior S.I.(hr:min):"},
        {9, "Max. Depth:"}, {10, "Ave. Depth:"}, {11, "FO2:"}, {12, "Cylinder Size:"},
        {13, "Start Pressure:"}, {14, "Pressure Used:"}, {15, "End Pressure:"}, {16, "Max. VARI Bars:"},
        {17, "VURO DIVE"}, {18, "Model:"}, {19, "Memo:"}, {20, "Serial No.:"}, {21, "Transmitter ID:"},
        {25, "TID:"}, {26, "Min. Temperature:"}, {27, "Start Pressure:"}, {28, "Cylinder Size:"},
        {29, "End Pressure:"}, {30, "TID:"}, {31, "FO2:"}, {32, "Start Pressure:"}, {33, "Cylinder Size:"},
        {34, "End Pressure:"}, {35, "Receiver:"}, {36, "SAC Rate:"}, {37, "FO2:"},
    };
    for (const auto& [index, caption] : labels)
        label3_[static_cast<size_t>(index)] = new QLabel(QString::fromUtf8(caption), this);
    for (int i = 0; i <= 22; ++i)
        if (i != 13 && i != 14)
            text3_[static_cast<size_t>(i)] = new EditBox(this);
    Text3(12).setText(QStringLiteral("Minutes"));
    Text3(12).setReadOnly(true);
    Text3(12).setFocusPolicy(Qt::NoFocus);
    Text3(12).setFrame(false);
    masked1_[0] = new MaskedEdit(QStringLiteral("##/##/####"), this);
    masked1_[1] = new MaskedEdit(QStringLiteral("##:##"), this);
    masked1_[2] = new MaskedEdit(QStringLiteral("##:##"), this);
    for (auto& box : ampm_) {
        box = new ListBox(true, this);
        box->addItems({QStringLiteral("AM"), QStringLiteral("PM")});
    }
    for (int i = 0; i < 14; ++i) {
        QStringList items{"BAR", "PSI"};
        if (i <= 1)
            items = {"M", "FT"};
        else if (i == 2 || i == 6 || i == 9)
            items = {"L", QString::fromUtf8("FT\u00B3")};
        else if (i == 12)
            items = {"BAR/Min", "PSI/Min"};
        else if (i == 13)
            items = {"C", "F"};
        units_[static_cast<size_t>(i)] = new ListBox(false, this);
        units_[static_cast<size_t>(i)]->addItems(items);
        units_[static_cast<size_t>(i)]->setEnabled(false);   // shows the unit; changed through the settings
    }
    for (auto& box : combo1_)
        box = new ListBox(false, this);
    for (auto& box : tid_)
        box = new EditBox(this);
    TIDTxt(0).setToolTip(QStringLiteral("Transmitter ID Number"));
    for (auto& pair : tankChecks_) {
        pair[0] = new CheckBox(QStringLiteral("ON"), this);
        pair[1] = new CheckBox(QStringLiteral("OFF"), this);
    }
    const char* dataTypes[] = {"Manual Entry", "Radarar Edeze", "Radarar Edeze Modified"};
    for (int i = 0; i < 3; ++i)
        dataType_[static_cast<size_t>(i)] = new CheckBox(QString::fromUtf8(dataTypes[i]), this);
    noDeco_ = new CheckBox(QStringLiteral("No Decompression"), this);
    deco_ = new CheckBox(QStringLiteral("Decompression"), this);
    viol_ = new CheckBox(QStringLiteral("Violation"), this);
    gauge_ = new CheckBox(QStringLiteral("Gauge"), this);
    normal_ = new CheckBox(QStringLiteral("Normal"), this);
    nav_ = new CheckBox(QStringLiteral("Navigation"), this);
    memo_ = new MemoBox(this);
    location_ = new DataCombo({QStringLiteral("LOCID"), QStringLiteral("Location")}, 1, this);
    site_ = new DataCombo({QStringLiteral("SITEID"), QStringLiteral("Dive Site")}, 1, this);
    properties_ = new PropertyGrid(this);
    addDel_ = new ButtonPopup(this);
    addDel_->AddItem(QStringLiteral("Add"), QStringLiteral("+"), QStringLiteral("Add New"));
    addDel_->AddItem(QStringLiteral("Delete"), QStringLiteral("-"), QStringLiteral("Delete"));
    addDel_->hide();

    // Layout: the dive's own values on the left, the tanks in the middle, status,
    // device and memo on the right.
    auto* dive = new QGridLayout;
    int row = 0;
    auto addRow = [&](int label, QWidget* box, QWidget* extra = nullptr) {
        dive->addWidget(&Label3(label), row, 0);
        dive->addWidget(box, row, 1);
        if (extra)
            dive->addWidget(extra, row, 2);
        ++row;
    };
    addRow(0, &Text3(0));
    addRow(1, &Text3(1));
    addRow(2, &Masked1(0));
    addRow(3, &Masked1(1), &AMPM_Opt(0));
    addRow(6, &Text3(2), &AMPM_Opt(1));
    addRow(7, &Text3(11), &Text3(12));
    addRow(8, &Masked1(2));
    addRow(9, &Text3(3), &Units_Opt(0));
    addRow(10, &Text3(4), &Units_Opt(1));
    addRow(26, &Text3(22), &Units_Opt(13));
    addRow(16, &Combo1(1));
    addRow(36, &Text3(21), &Units_Opt(12));
    addRow(4, &Location_Combo());
    addRow(5, &DiveSite_Combo());
    addRow(35, &Check4(0), &Check4(1));
    dive->setRowStretch(row, 1);

    auto* tanks = new QVBoxLayout;
    struct TankLayout {
        int tid, gas, cylinder, start, end;
    };
    const TankLayout tankLabels[3] = {{21, -1, 12, 13, 15}, {25, 37, 28, 27, 29}, {30, 31, 33, 32, 34}};
    const char* frames[] = {"Tank", "Tank 2", "Tank 3"};
    for (int t = 0; t < 3; ++t) {
        frame5_[static_cast<size_t>(t)] = new QGroupBox(QString::fromUtf8(frames[t]), this);
        auto* grid = new QGridLayout(frame5_[static_cast<size_t>(t)]);
        auto* onOff = new QHBoxLayout;
        onOff->addWidget(&TankCheck(t + 1, 0));
        onOff->addWidget(&TankCheck(t + 1, 1));
        grid->addLayout(onOff, 0, 0, 1, 3);
        const TankLayout& l = tankLabels[t];
        const TankBoxes& b = kTankBoxes[t];
        const int unitBase = t == 0 ? 2 : t == 1 ? 6 : 9;
        int r = 1;
        grid->addWidget(&Label3(l.tid), r, 0);
        grid->addWidget(&TIDTxt(t), r++, 1);
        if (l.gas >= 0) {
            grid->addWidget(&Label3(l.gas), r, 0);
            grid->addWidget(&Combo1(t + 1), r++, 1);
        }
        const int boxes[3] = {b.cylinder, b.start, b.end};
        const int captions[3] = {l.cylinder, l.start, l.end};
        for (int k = 0; k < 3; ++k) {
            grid->addWidget(&Label3(captions[k]), r, 0);
            grid->addWidget(&Text3(boxes[k]), r, 1);
            grid->addWidget(&Units_Opt(unitBase + k), r++, 2);
        }
        tanks->addWidget(frame5_[static_cast<size_t>(t)]);
    }
    auto* gas = new QGridLayout;
    gas->addWidget(&Label3(11), 0, 0);
    gas->addWidget(&Combo1(0), 0, 1);
    gas->addWidget(&Label3(14), 1, 0);
    gas->addWidget(&Text3(8), 1, 1);
    gas->addWidget(&Units_Opt(5), 1, 2);
    tanks->insertLayout(1, gas);
    tanks->addStretch(1);

    auto frameOf = [this](const QString& caption, std::initializer_list<QWidget*> boxes) {
        auto* frame = new QGroupBox(caption, this);
        auto* layout = new QVBoxLayout(frame);
        for (QWidget* box : boxes)
            layout->addWidget(box);
        return frame;
    };
    auto* side = new QVBoxLayout;
    side->addWidget(frameOf(QStringLiteral("Dive Status"), {noDeco_, deco_, viol_, gauge_}));
    side->addWidget(frameOf(QStringLiteral("Dive Mode"), {normal_, nav_}));
    side->addWidget(frameOf(QStringLiteral("Dive Data Type"), {dataType_[0], dataType_[1], dataType_[2]}));
    auto* device = new QGridLayout;
    device->addWidget(&Label3(18), 0, 0);
    device->addWidget(&Text3(9), 0, 1);
    device->addWidget(&Label3(20), 1, 0);
    device->addWidget(&Text3(10), 1, 1);
    side->addLayout(device);
    side->addWidget(properties_, 1);
    side->addWidget(&Label3(19));
    side->addWidget(memo_, 1);

    auto* columns = new QHBoxLayout;
    columns->addLayout(dive);
    columns->addLayout(tanks);
    columns->addLayout(side, 1);
    auto* outer = new QVBoxLayout(this);
    QFont banner = Label3(17).font();
    banner.setBold(true);
    banner.setPointSizeF(banner.pointSizeF() * 1.5);
    Label3(17).setFont(banner);
    Label3(17).setAlignment(Qt::AlignCenter);
    outer->addWidget(&Label3(17));
    outer->addLayout(columns, 1);
}

void DiveFrm::ConnectEvents()
{
    for (int i = 0; i <= 22; ++i) {
        EditBox* box = text3_[static_cast<size_t>(i)];
        if (!box)
            continue;
        connect(box, &EditBox::GotFocus, this, [this, i] { Text3_GotFocus(i); });
        connect(box, &EditBox::KeyDown, this, [this, i] { Text3_KeyDown(i); });
        connect(box, &EditBox::LostFocus, this, [this, i] {
            pendingCommit_ = nullptr;
            Text3_LostFocus(i);
        });
    }
    for (int i = 0; i < 3; ++i) {
        connect(masked1_[static_cast<size_t>(i)], &EditBox::GotFocus, this, [this, i] { Masked1_GotFocus(i); });
        connect(masked1_[static_cast<size_t>(i)], &EditBox::KeyDown, this, [this, i] { Masked1_KeyDown(i); });
        connect(masked1_[static_cast<size_t>(i)], &EditBox::LostFocus, this, [this, i] {
            pendingCommit_ = nullptr;
            Masked1_LostFocus(i);
        });
        connect(tid_[static_cast<size_t>(i)], &EditBox::GotFocus, this, [this, i] { TIDTxt(i).SelectAll(); });
        connect(tid_[static_cast<size_t>(i)], &EditBox::KeyDown, this, [this, i] { TIDTxt_KeyDown(i); });
    }
    for (int i = 0; i < 2; ++i) {
        connect(ampm_[static_cast<size_t>(i)], &ListBox::Change, this, [this, i] { AMPM_Opt_Change(i); });
        connect(ampm_[static_cast<size_t>(i)], &ListBox::LostFocus, this, [this] { UpdateTime(); });
    }
    for (int i = 0; i < 4; ++i) {
        connect(combo1_[static_cast<size_t>(i)], &ListBox::DropDown, this, [this, i] { Combo1_DropDown(i); });
        connect(combo1_[static_cast<size_t>(i)], &ListBox::Change, this, [this, i] { Combo1_Change(i); });
        connect(combo1_[static_cast<size_t>(i)], &ListBox::LostFocus, this, [this, i] { Combo1_LostFocus(i); });
    }
    for (int tank = 1; tank <= 3; ++tank)
        for (int i = 0; i < 2; ++i)
            connect(&TankCheck(tank, i), &CheckBox::MouseUp, this, [this, tank, i] { TankCheck_MouseUp(tank, i); });
    for (int i = 0; i < 2; ++i)
        connect(&Check4(i), &CheckBox::MouseUp, this, [this, i] { Check4_MouseUp(i); });
    connect(deco_, &CheckBox::MouseUp, this, &DiveFrm::Deco_Check_MouseUp);
    connect(noDeco_, &CheckBox::MouseUp, this, &DiveFrm::NoDeco_Check_MouseUp);
    connect(gauge_, &CheckBox::MouseUp, this, &DiveFrm::Gauge_Check_MouseUp);
    connect(viol_, &CheckBox::MouseUp, this, &DiveFrm::Viol_Check_MouseUp);
    for (CheckBox* box : {deco_, noDeco_, gauge_, viol_})
        connect(box, &CheckBox::LostFocus, this, &DiveFrm::StatusCheck_LostFocus);
    connect(memo_, &MemoBox::KeyDown, this, &DiveFrm::MemoTxt_KeyDown);
    connect(memo_, &MemoBox::LostFocus, this, [this] {
        pendingCommit_ = nullptr;
        MemoTxt_LostFocus();
    });
    for (const CatalogSide* side : {&LocationSide(), &DiveSiteSide()}) {
        DataCombo& combo = ComboOf(*side);
        connect(&combo, &DataCombo::Enter, this, [this, side] { Catalog_Enter(*side); });
        connect(&combo, &DataCombo::RowChange, this, [this, side] { Catalog_RowChange(*side); });
        connect(&combo, &DataCombo::Select, this, [this, side] { Catalog_Select(*side); });
    }
    connect(addDel_, &ButtonPopup::ItemClick, this, &DiveFrm::Dive_AddDel_Popup_ItemClick);
    connect(properties_, &PropertyGrid::ItemValueChange, this, &DiveFrm::Properties_ItemValueChange);
}

// ---------------------------------------------------------------- controls

EditBox& DiveFrm::Text3(int index) const
{
    assert(index >= 0 && index <= 22 && text3_[static_cast<size_t>(index)]);
    return *text3_[static_cast<size_t>(index)];
}
MaskedEdit& DiveFrm::Masked1(int index) const { return *masked1_.at(static_cast<size_t>(index)); }
ListBox& DiveFrm::AMPM_Opt(int index) const { return *ampm_.at(static_cast<size_t>(index)); }
ListBox& DiveFrm::Units_Opt(int index) const { return *units_.at(static_cast<size_t>(index)); }
ListBox& DiveFrm::Combo1(int index) const { return *combo1_.at(static_cast<size_t>(index)); }
EditBox& DiveFrm::TIDTxt(int index) const { return *tid_.at(static_cast<size_t>(index)); }
CheckBox& DiveFrm::TankCheck(int tank, int index) const
{
    return *tankChecks_.at(static_cast<size_t>(tank - 1)).at(static_cast<size_t>(index));
}
CheckBox& DiveFrm::Check1(int index) const { return TankCheck(1, index); }
CheckBox& DiveFrm::Check2(int index) const { return TankCheck(2, index); }
CheckBox& DiveFrm::Check3(int index) const { return TankCheck(3, index); }
CheckBox& DiveFrm::Check4(int index) const { return TankCheck(4, index); }
CheckBox& DiveFrm::DataType_Check(int index) const { return *dataType_.at(static_cast<size_t>(index)); }
QGroupBox& DiveFrm::Frame5(int index) const { return *frame5_.at(static_cast<size_t>(index)); }
QLabel& DiveFrm::Label3(int index) const
{
    assert(label3_.at(static_cast<size_t>(index)));
    return *label3_.at(static_cast<size_t>(index));
}

DataCombo& DiveFrm::ComboOf(const CatalogSide& side) const
{
    return &side == &LocationSide() ? *location_ : *site_;
}

// ---------------------------------------------------------------- life of the form

void DiveFrm::Form_Load()
{
    gv.ActiveFormID = FormCode::Dive;
    if (MainFrmExists()) {
        MainFrm().EnableDiveButtons();
        MainFrm().SmartUI1->Items("Save").SetChecked(true);
    }
    DIVE_InitAll();
}

void DiveFrm::Form_Unload()
{
    if (MainFrmExists()) {
        MainFrm().SmartUI1->Items("Save").SetChecked(false);
        DeselectSideBarItem(QStringLiteral("Dive"));
    }
    gv.ActiveFormID = FormCode::None;
}

// ---------------------------------------------------------------- display

void DiveFrm::DIVE_InitAll()
{
    DIVE_ClearInfo();
    DIVE_InitLocation();
    DIVE_InitDiveSite();
    DIVE_InitBreathingGas();
    DIVE_InitVARI();
    DIVE_InitDiveInfo();
}

void DiveFrm::DIVE_ClearInfo()
{
    Masked1(0).SetText(QStringLiteral("01/01/2004"));
    Masked1(1).SetText(QStringLiteral("00:00"));
    Masked1(2).SetText(QStringLiteral("00:00"));
    for (int i = 0; i <= 8; ++i)
        Text3(i).clear();
    MemoTxt().clear();
    for (int i = 0; i < 3; ++i)
        TIDTxt(i).setText(QStringLiteral("0"));
    for (int tank = 1; tank <= 4; ++tank) {
        TankCheck(tank, 0).SetValue(0);
        TankCheck(tank, 1).SetValue(1);
    }
    DiveDataRec& d = gv.CurrentDive;
    d.TID1 = d.TID2 = d.TID3 = 0;
    d.TANK1ON = d.TANK2ON = d.TANK3ON = d.RECVON = d.GAUGEDIVE = false;
}

void DiveFrm::DIVE_InitDiveInfo()
{
    gv.DiveChanged = 0;
    DateTimeChanged = false;
    pendingCommit_ = nullptr;
    commitRefused_ = false;
    if (!gv.rsDiveData || gv.rsDiveData->EOF() || gv.rsDiveData->BOF())
        return;
    Location_Combo().SetText(QString());
    DiveSite_Combo().SetText(QString());
    MemoTxt().clear();
    Try(LoadCurrentDive);
    loadedDiveId_ = gv.rsDiveData->Field(QStringLiteral("DIVEID")).ToLong();
    gv.CurrentDiveID = static_cast<qint32>(loadedDiveId_);
    ShowDataType();
    LoadSettings(loadedDiveId_);
    Try(UpdateUnitFlags);
    ShowFields();
    ShowDataType();
}

void DiveFrm::ShowDataType()
{
    const DataTypeView view = ViewOfDataType(gv.CurrentDive.DATATYPE);
    Normal_Check().SetValue(view.navigation ? 0 : 1);
    Nav_Check().SetValue(view.navigation ? 1 : 0);
    DataType_Check(0).SetValue(view.manual);
    DataType_Check(1).SetValue(view.downloaded);
    DataType_Check(2).SetValue(view.modified);
    for (int i : {1, 2, 3, 9, 10, 11})
        Text3(i).SetLocked(view.locked);
}

void DiveFrm::ShowFields()
{
    const DiveDataRec& d = gv.CurrentDive;
    ShowText(Text3(22), [&] { return TempText(d.TEMP); });
    Units_Opt(13).SetListIndex(gv.UnitTemp);
    Frame5(1).setEnabled(true);
    Frame5(2).setEnabled(true);
    TIDTxt(0).setEnabled(true);
    Text3(0).setText(NumberText(d.LIFETIMEDIVENO));
    Masked1(0).SetText(d.DIVEDATE.isEmpty() ? QString() : FormatDBDate(d.DIVEDATE));
    Try([this] { Init_LocationInfo(); });
    Try([this] { Init_SiteInfo(); });
    Text3(1).setText(PositiveText(d.DIVENO));
    ShowTime();
    Text3(11).setText(NumberText(d.BTIME));
    Masked1(2).SetText(d.STIME);
    ShowDepths();
    DIVE_InitVARI();   // the band texts follow the units the dive is shown in
    Combo1(1).SetListIndex(VariListIndex(d.VARI));
    Combo1(0).SetListIndex(GasListIndex(d.FO2));
    for (int t = 0; t < 3; ++t) {
        const TankBoxes& b = kTankBoxes[t];
        ShowText(Text3(b.cylinder), [&] { return CylinderText(d.*TankField(b.cylinder)); });
        ShowText(Text3(b.start), [&] { return PressureText(d.*TankField(b.start)); });
        ShowText(Text3(b.end), [&] { return PressureText(d.*TankField(b.end)); });
    }
    ShowText(Text3(8), [&] {
        const double used = d.SPSI.ToDouble() + d.SPSI2.ToDouble() + d.SPSI3.ToDouble() - d.EPSI.ToDouble() -
                            d.EPSI2.ToDouble() - d.EPSI3.ToDouble();
        return SingleToText(PressureToDisplay(used));
    });
    Units_Opt(2).SetListIndex(gv.UnitCylinder);
    for (int i = 3; i <= 12; ++i)
        Units_Opt(i).SetListIndex(i == 6 || i == 9 ? gv.UnitCylinder : gv.UnitPressure);
    ShowText(Text3(21), [&] {
        if (d.AIRCONSUMP == 0)
            return QString();
        return gv.UnitPressure != 1 ? SingleToText(PsiToBar(static_cast<int>(d.AIRCONSUMP)))
                                    : QString::number(d.AIRCONSUMP);
    });
    TIDTxt(0).setText(TidText(d.TID1));
    TIDTxt(1).setText(TidText(d.TID2));
    TIDTxt(2).setText(TidText(d.TID3));
    ShowTanks();
    Check4(0).hide();
    Check4(1).hide();
    Label3(35).hide();
    Check4(0).SetValue(d.RECVON ? 1 : 0);
    Check4(1).SetValue(d.RECVON ? 0 : 1);
    ShowDiveStatus();
    ShowText(Text3(9), [&] { return GetModelName(d.MODELID); });
    gv.ModelName = Text3(9).text();
    Text3(10).setText(PositiveText(d.MODELSERNO));
    MemoTxt().SetText(d.MEMO);
    Try([&] { gv.CurrentDive.SnapshotText = DiveSampleRateText(static_cast<int>(d.SNAPSHOT), d.MODELID); });
}

void DiveFrm::ShowTime()
{
    const DiveDataRec& d = gv.CurrentDive;
    const bool twelve = gv.UnitTime == 1;
    AMPM_Opt(0).setVisible(twelve);
    AMPM_Opt(1).setVisible(twelve);
    if (d.DIVETIME.isEmpty()) {
        Masked1(1).SetText(QString());
        Text3(2).clear();
        return;
    }
    PutBackDiveTime();
    ShowText(Text3(2), [&] {
        QString out = AddMinutesToTime(d.DIVETIME, d.BTIME.IsNull() ? db::Value(0) : d.BTIME);
        if (twelve) {
            out = TimeTo12Hour(out);
            AMPM_Opt(1).SetText(out.right(2));
        }
        return out.left(5);
    });
}

void DiveFrm::PutBackDiveTime()
{
    const QString& stored = gv.CurrentDive.DIVETIME;
    if (gv.UnitTime != 1) {
        Masked1(1).SetText(stored);
        return;
    }
    const QString twelve = TimeTo12Hour(stored);
    Masked1(1).SetText(twelve.left(5));
    AMPM_Opt(0).SetText(twelve.right(2));
}

void DiveFrm::ShowDepths()
{
    const DiveDataRec& d = gv.CurrentDive;
    Units_Opt(0).SetListIndex(gv.UnitDepth);
    Units_Opt(1).SetListIndex(gv.UnitDepth);
    if (d.MDEPTH.IsNull()) {
        Text3(3).clear();
        Text3(4).clear();
        return;
    }
    const double depth = d.MDEPTH.ToDouble();
    const bool metric = gv.UnitDepth == 0;
    if (depth >= (metric ? 400 : 330)) {
        Text3(3).setText(QStringLiteral("---"));
        Text3(4).setText(QStringLiteral("---"));
        return;
    }
    Text3(3).setText(metric ? FormatOneDecimal(FtToM(d.MDEPTH)) : NumberText(d.MDEPTH));
    Text3(4).setText(FormatOneDecimal(metric ? FtToM(d.AVGDEPTH) : d.AVGDEPTH));
}

void DiveFrm::ShowTanks()
{
    const DiveDataRec& d = gv.CurrentDive;
    const bool on[3] = {d.TANK1ON, d.TANK1ON && d.TANK2ON, d.TANK1ON && d.TANK2ON && d.TANK3ON};
    for (int t = 0; t < 3; ++t) {
        TankCheck(t + 1, 0).SetValue(on[t] ? 1 : 0);
        TankCheck(t + 1, 1).SetValue(InvertBit(on[t] ? 1 : 0));
    }
    EnableTanks();
}

void DiveFrm::ShowDiveStatus()
{
    const DiveDataRec& d = gv.CurrentDive;
    Gauge_Check().SetValue(d.GAUGEDIVE ? 1 : 0);
    Deco_Check().SetValue(d.DECOMDIVE == 1 ? 1 : 0);
    // A dive with a violation is not shown as one without decompression.
    NoDeco_Check().SetValue(d.DECOMDIVE != 1 && d.VIOLATION == 0 ? 1 : 0);
    Viol_Check().SetValue(d.VIOLATION != 0 ? 1 : 0);
}

// ---------------------------------------------------------------- tanks

void DiveFrm::EnableTanks()
{
    const bool on[3] = {gv.CurrentDive.TANK1ON, gv.CurrentDive.TANK2ON, gv.CurrentDive.TANK3ON};
    for (int t = 0; t < 3; ++t) {
        const TankBoxes& b = kTankBoxes[t];
        for (QWidget* box : {static_cast<QWidget*>(&TIDTxt(t)), static_cast<QWidget*>(&Combo1(t == 0 ? 0 : t + 1)),
                             static_cast<QWidget*>(&Text3(b.cylinder)), static_cast<QWidget*>(&Text3(b.start)),
                             static_cast<QWidget*>(&Text3(b.end))})
            box->setEnabled(on[t]);
    }
}

void DiveFrm::EnDis_ableTankInfo()
{
    DiveDataRec& d = gv.CurrentDive;
    d.TANK1ON = Check1(0).Value() == 1;
    d.TANK2ON = Check2(0).Value() == 1;
    d.TANK3ON = Check3(0).Value() == 1;
    if (!d.TANK1ON)
        d.TANK2ON = false;
    if (!d.TANK2ON)
        d.TANK3ON = false;
    for (int tank = 2; tank <= 3; ++tank) {
        const bool on = tank == 2 ? d.TANK2ON : d.TANK3ON;
        if (!on) {
            TankCheck(tank, 0).SetValue(0);
            TankCheck(tank, 1).SetValue(1);
        }
    }
    double used = 0;
    const bool on[3] = {d.TANK1ON, d.TANK2ON, d.TANK3ON};
    for (int t = 0; t < 3; ++t)
        if (on[t])
            used += Val(Text3(kTankBoxes[t].start).text()) - Val(Text3(kTankBoxes[t].end).text());
    Text3(8).setText(SingleToText(static_cast<float>(used)));
    EnableTanks();
}

// ---------------------------------------------------------------- gas and ascent rate

void DiveFrm::DIVE_InitBreathingGas()
{
    for (int i : {0, 2, 3}) {
        Combo1(i).clear();
        Combo1(i).addItems(GasList());
        Combo1(i).SetListIndex(-1);
    }
}

void DiveFrm::DIVE_InitVARI()
{
    Combo1(1).clear();
    Combo1(1).addItems(VariList(gv.UnitDepth));
    Combo1(1).SetListIndex(-1);
}

// ---------------------------------------------------------------- location and dive site

void DiveFrm::DIVE_InitLocation() { InitCatalog(LocationSide()); }
void DiveFrm::DIVE_InitDiveSite() { InitCatalog(DiveSiteSide()); }
void DiveFrm::Init_LocationInfo() { InitCatalogInfo(LocationSide()); }
void DiveFrm::Init_SiteInfo() { InitCatalogInfo(DiveSiteSide()); }

void DiveFrm::InitCatalog(const CatalogSide& side)
{
    DataCombo& combo = ComboOf(side);
    combo.RemoveAll();
    combo.SetText(QString());
    if (!gv.DB)
        return;
    Try([&] {
        for (const CatalogEntry& entry : CatalogEntries(side))
            combo.AddItem(QString::number(entry.id) + QLatin1Char('\t') + entry.name);
    });
    InitCatalogInfo(side);
}

void DiveFrm::InitCatalogInfo(const CatalogSide& side)
{
    const db::Value& id = gv.CurrentDive.*side.member;
    if (id.IsNull() || id.ToLong() <= 0)
        return;
    DataCombo& combo = ComboOf(side);
    for (combo.MoveFirst(); combo.Row() >= 0; combo.MoveNext()) {
        if (Val(combo.Column(side.idColumn)) == id.ToDouble()) {
            combo.SetText(combo.Column(side.listNameColumn));
            return;
        }
        if (combo.Row() == combo.Rows() - 1)
            break;
    }
    combo.SetText(QString());   // the dive names an entry that is no longer listed
}

void DiveFrm::Catalog_Enter(const CatalogSide& side)
{
    AddDelTarget = &side == &LocationSide() ? QStringLiteral("1") : QStringLiteral("2");
    const DataCombo& combo = ComboOf(side);
    const QPoint at = combo.mapTo(this, QPoint(combo.width(), 0));
    addDel_->move(at);
    addDel_->show();
    addDel_->raise();
}

void DiveFrm::Catalog_RowChange(const CatalogSide& side)
{
    gv.CurrentDive.*side.member = db::Value(RoundHalfEven(Val(ComboOf(side).Column(side.idColumn))));
    addDel_->hide();
}

void DiveFrm::Catalog_Select(const CatalogSide& side)
{
    const qint64 id = RoundHalfEven(Val(ComboOf(side).Column(side.idColumn)));
    gv.CurrentDive.*side.member = db::Value(id);
    if (id <= 0)
        return;
    try {
        LinkDiveToCatalogEntry(side, loadedDiveId_, id);
    } catch (const db::DbError&) {
        MsgBox(side.updateError, MsgButtons::OK, MsgIcon::Critical, QStringLiteral("Error"));
    }
}

void DiveFrm::Dive_AddDel_Popup_ItemClick(const QString& key)
{
    if (AddDelTarget != QLatin1String("1") && AddDelTarget != QLatin1String("2"))
        return;
    const CatalogSide& side = AddDelTarget == QLatin1String("1") ? LocationSide() : DiveSiteSide();
    if (key == QLatin1String("Add"))
        AddCatalogName(side);
    else if (key == QLatin1String("Delete"))
        DeleteCatalogName(side);
}

void DiveFrm::AddCatalogName(const CatalogSide& side)
{
    const QString answer = InputBox(side.addPrompt, side.addTitle, QString());
    if (answer.size() > 50) {
        FieldWarning(side.tooLong);
        return;
    }
    if (answer.isEmpty())
        return;
    qint64 id = 0;
    try {
        id = FindCatalogName(side, answer);
        if (id == 0) {
            id = kvl::AddCatalogName(side, answer);
            InitCatalog(side);
        } else {
            MsgBox(side.exists, MsgButtons::OK, MsgIcon::Exclamation, QStringLiteral("Warning"));
        }
    } catch (const db::DbError&) {
        MsgBox(side.updateError, MsgButtons::OK, MsgIcon::Critical, QStringLiteral("Error"));
        return;
    }
    gv.CurrentDive.*side.member = db::Value(id);
    InitCatalogInfo(side);   // the row found by id, also for a name typed in another letter case
    Try([&] { LinkDiveToCatalogEntry(side, loadedDiveId_, id); });
}

void DiveFrm::DeleteCatalogName(const CatalogSide& side)
{
    DataCombo& combo = ComboOf(side);
    const qint64 id = RoundHalfEven(Val(combo.Column(side.idColumn)));
    const QString name = combo.Text();
    if (name.isEmpty())
        return;
    if (MsgBox(side.deleteQuestion + name + QStringLiteral("'?"), MsgButtons::YesNo, MsgIcon::Critical,
               side.deleteTitle) != MsgAnswer::Yes)
        return;
    try {
        DeleteCatalogEntry(side, id);
    } catch (const db::DbError&) {
        MsgBox(side.deleteError, MsgButtons::OK, MsgIcon::Critical, QStringLiteral("Error"));
        return;
    }
    db::Value& own = gv.CurrentDive.*side.member;
    if (own.IsNull() || own.ToLong() == id)
        own = db::Value(0);
    InitCatalog(side);
}

// ---------------------------------------------------------------- settings stored with the dive

void DiveFrm::LoadSettings(qint64 id)
{
    PropertyGrid& grid = Properties();
    grid.RemoveAll();
    const auto failed = [] {
        MsgBox(QStringLiteral("Error loading settings."), MsgButtons::OK, MsgIcon::Critical, QStringLiteral("Error"));
    };
    try {
        gv.rsDiveDCSettings = gv.DB->OpenRecordset(
            QStringLiteral("Select * from DIVE_DC_SETTINGS where DIVEID = ? ;"), {db::Value(id)});
        const db::Recordset& rs = *gv.rsDiveDCSettings;
        if (rs.EOF()) {
            grid.hide();
            failed();
            return;
        }
        grid.show();
        const auto addRow = [&grid](const QString& key, const QString& caption, int kind) {
            grid.Add(key, kind == PropertyGrid::Group ? caption : caption + QLatin1Char('\t'), kind);
            if (kind == PropertyGrid::Group)
                grid.Expand(key);
        };
        if (gv.CurrentDive.DATATYPE != 0) {
            for (const SettingsRowSpec& spec : DownloadedSettingsRows()) {
                addRow(spec.key, spec.caption, spec.column.isEmpty() ? PropertyGrid::Group : PropertyGrid::Value);
                if (!spec.column.isEmpty())
                    grid.SetValueText(spec.key, SettingsValueText(spec, rs));
            }
        } else {
            const db::Value units = EffectiveUnits(rs.Field(QStringLiteral("UNITS")));
            addRow(QStringLiteral("Group1"), QStringLiteral("Utilities Settings"), PropertyGrid::Group);
            addRow(QStringLiteral("Units"), QStringLiteral("Units of Measure"), PropertyGrid::Choice);
            for (const QString& choice : {QStringLiteral("Imperial"), QStringLiteral("Metric")})
                grid.AddChoice(QStringLiteral("Units"), 0, choice, choice);
            grid.SetValueText(QStringLiteral("Units"), DCSettingsText(QStringLiteral("UNITS"), units, units));
            addRow(QStringLiteral("Time"), QStringLiteral("Time Format"), PropertyGrid::Choice);
            for (const QString& choice : {QStringLiteral("12"), QStringLiteral("24")})
                grid.AddChoice(QStringLiteral("Time"), 0, choice, choice);
            grid.SetValueText(QStringLiteral("Time"),
                              DCSettingsText(QStringLiteral("HOUR"), EffectiveHour(rs.Field(QStringLiteral("HOUR"))), units));
        }
        ApplySettingsUnits(rs.Field(QStringLiteral("UNITS")), rs.Field(QStringLiteral("HOUR")));
    } catch (const std::exception&) {
        failed();
    }
}

void DiveFrm::Update_Settings()
{
    if (!gv.rsDiveDCSettings || gv.rsDiveDCSettings->EOF())
        return;
    db::Recordset& rs = *gv.rsDiveDCSettings;
    rs.Edit();
    rs.SetField(QStringLiteral("UNITS"), static_cast<int>(InvertBit(gv.UnitSystem)));
    rs.SetField(QStringLiteral("HOUR"), static_cast<int>(InvertBit(gv.UnitTime)));
    rs.Update();
}

void DiveFrm::Properties_ItemValueChange(const QString& key)
{
    const QString value = Properties().ValueText(key);
    quint8* flag = nullptr;
    quint8 wanted = 0;
    if (key == QLatin1String("Units")) {
        flag = &gv.UnitSystem;
        wanted = value == QLatin1String("Imperial") ? 1 : 0;
    } else if (key == QLatin1String("Time")) {
        flag = &gv.UnitTime;
        wanted = value == QLatin1String("12") ? 1 : 0;
    }
    if (!flag || *flag == wanted)
        return;
    // The dive is shown again in the new units: edits typed in the old ones are saved first.
    if (gv.DiveChanged >= 2) {
        Dive_IsAnyChange();
        if (gv.DiveChanged == 3) {
            LoadSettings(loadedDiveId_);
            return;
        }
        DIVE_Update_DiveData();
    }
    *flag = wanted;
    UpdateUnitFlags();
    Update_Settings();
    DIVE_InitDiveInfo();
}

// ---------------------------------------------------------------- editing

void DiveFrm::Text3_GotFocus(int index) { Text3(index).SelectAll(); }

void DiveFrm::Text3_KeyDown(int index)
{
    if ((index == 9 || index == 10) && gv.CurrentDive.DATATYPE != 0)
        return;
    if (Text3(index).Locked())
        return;
    gv.DiveChanged = 2;
    ExpectCommit([this, index] { Text3_LostFocus(index); });
}

void DiveFrm::TIDTxt_KeyDown(int index)
{
    gv.DiveChanged = 2;
    qint32 DiveDataRec::*tids[] = {&DiveDataRec::TID1, &DiveDataRec::TID2, &DiveDataRec::TID3};
    gv.CurrentDive.*tids[index] = static_cast<qint32>(RoundHalfEven(Val(TIDTxt(index).text())));
}

void DiveFrm::Masked1_GotFocus(int index)
{
    MaskedTextOnFocus = Masked1(index).Text();
    Masked1(index).SelectAll();
}

void DiveFrm::Masked1_KeyDown(int index)
{
    gv.DiveChanged = 2;
    if (index == 0 || index == 1)
        DateTimeChanged = true;
    ExpectCommit([this, index] { Masked1_LostFocus(index); });
}

void DiveFrm::Text3_LostFocus(int index)
{
    DiveDataRec& d = gv.CurrentDive;
    const QString text = Text3(index).text();
    if (index == 0) {
        if (!IsValid_LifeTimeDiveNo(Val(text)))
            Text3(0).setText(NumberText(d.LIFETIMEDIVENO));
    } else if (index == 1) {
        if (ShownDiffers(text, PositiveText(d.DIVENO)))
            d.DIVENO = db::Value(Val(text));
    } else if (index == 5 || index == 15 || index == 18 || index == 21) {
        CommitCylinderOrAirConsumption(index);
    } else if (TankField(index)) {
        CommitPressure(index);
    } else if (index == 11) {
        const double minutes = Val(text);
        if (minutes < 0) {
            FieldWarning(QString::fromUtf8(kElapsedNegative));
            Text3(11).setText(NumberText(d.BTIME));
            refused_ = true;
            return;
        }
        ShowTimeOut(TimeIn24(), db::Value(minutes));
    }
}

void DiveFrm::CommitCylinderOrAirConsumption(int index)
{
    DiveDataRec& d = gv.CurrentDive;
    EditBox& box = Text3(index);
    if (index == 21) {
        const double shown = Val(box.text());
        const double psi = gv.UnitPressure == 0 ? shown / 0.07 : shown;
        if (shown < 0 || RoundHalfEven(psi) > 255) {   // the column holds one byte
            ShowText(box, [&] {
                return d.AIRCONSUMP == 0 ? QString() : SingleToText(PressureToDisplay(static_cast<int>(d.AIRCONSUMP)));
            });
            return;
        }
        d.AIRCONSUMP = static_cast<quint8>(RoundHalfEven(psi));
        return;
    }
    db::Value& field = d.*TankField(index);
    const double size = TextNumber(box.text());
    if (size < 0) {
        ShowText(box, [&] { return CylinderText(field); });
        return;
    }
    if (ShownDiffers(box.text(), CylinderText(field)))
        field = db::Value(static_cast<double>(CSng(gv.UnitCylinder == 0 ? size / 28.31684 : size)));
}

void DiveFrm::CommitPressure(int index)
{
    db::Value& field = gv.CurrentDive.*TankField(index);
    EditBox& box = Text3(index);
    const auto putBack = [&] { ShowText(box, [&] { return PressureText(field); }); };
    const double p = TextNumber(box.text());
    if (!IsValidPressure(p)) {
        putBack();
        return;
    }
    const double q = TextNumber(Text3(PartnerPressure(index)).text());
    if (IsStartPressure(index) && p < q) {
        FieldWarning(QStringLiteral("Beginning pressure should not be less than ending pressure."));
        putBack();
        return;
    }
    if (IsEndPressure(index) && p > q) {
        FieldWarning(QStringLiteral("Ending pressure should not be greater than beginning pressure."));
        putBack();
        return;
    }
    if (!ShownDiffers(box.text(), PressureText(field)))
        return;
    field = db::Value(static_cast<double>(CSng(gv.UnitPressure == 0 ? p / 0.07 : p)));
    ShowPressureUsed();
}

void DiveFrm::ShowPressureUsed()
{
    double used = 0;
    for (const TankBoxes& b : kTankBoxes)
        used += TextNumber(Text3(b.start).text()) - TextNumber(Text3(b.end).text());
    Text3(8).setText(SingleToText(static_cast<float>(used)));
}

void DiveFrm::Masked1_LostFocus(int index)
{
    MaskedEdit& box = Masked1(index);
    if (index == 0) {
        if (!IsValidDate(box.Text())) {
            box.SetText(MaskedTextOnFocus);
            box.setFocus();
            refused_ = true;
            return;
        }
        const QString date = DateToDB(box.Text(), gv.UnitDate);
        if (date != gv.CurrentDive.DIVEDATE) {
            gv.CurrentDive.DIVEDATE = date;
            DateTimeChanged = true;
        }
    } else if (index == 2) {
        box.SetText(NormalizeSurfaceInterval(box.Text()));
    } else {
        CommitTimeIn();
    }
}

QString DiveFrm::TimeIn24() const
{
    const QString shown = Masked1(1).Text();
    return gv.UnitTime == 1 ? TimeTo24Hour(shown, AMPM_Opt(0).Text()) : shown;
}

void DiveFrm::ShowTimeOut(const QString& timeIn24, const db::Value& minutes)
{
    if (timeIn24.contains(QLatin1Char('_')) || timeIn24.size() < 5)
        return;
    const QString sum = AddMinutesToTime(timeIn24, minutes.IsNull() ? db::Value(0) : minutes);
    if (gv.UnitTime == 1) {
        TimeOutText = TimeTo12Hour(sum);
        Text3(2).setText(TimeOutText.left(5));
        AMPM_Opt(1).SetText(TimeOutText.right(2));
    } else {
        TimeOutText = sum;
        Text3(2).setText(sum);
    }
}

// The elapsed-time box taken over: false (after its message) when it is negative.
bool DiveFrm::CommitElapsedTime(bool* changed)
{
    DiveDataRec& d = gv.CurrentDive;
    const double minutes = Val(Text3(11).text());
    if (minutes < 0) {
        FieldWarning(QString::fromUtf8(kElapsedNegative));
        Text3(11).setText(NumberText(d.BTIME));
        refused_ = true;
        return false;
    }
    const qint64 whole = RoundHalfEven(minutes);
    if (whole != d.BTimeNum || d.BTIME.IsNull()) {
        d.BTimeNum = static_cast<qint32>(whole);
        d.BTIME = db::Value(whole);
        if (changed)
            *changed = true;
    }
    ShowTimeOut(TimeIn24(), d.BTIME);
    return true;
}

// The time-in box checked and tidied; false when it was refused.
bool DiveFrm::CommitTimeIn()
{
    MaskedEdit& box = Masked1(1);
    if (!IsValidTimeText(box.Text(), gv.UnitTime)) {
        PutBackDiveTime();
        box.setFocus();
        refused_ = true;
        return false;
    }
    box.SetText(NormalizeTimeIn(box.Text(), gv.UnitTime));
    if (!CommitElapsedTime(nullptr))
        return true;
    if (TimeIn24() != gv.CurrentDive.DIVETIME)
        DateTimeChanged = true;
    return true;
}

void DiveFrm::UpdateTime()
{
    const QString timeIn = TimeIn24();
    ShowTimeOut(timeIn, gv.CurrentDive.BTIME);
    if (gv.CurrentDive.DIVETIME != timeIn)
        gv.DiveChanged = 2;
}

void DiveFrm::AMPM_Opt_Change(int index)
{
    ListBox& box = AMPM_Opt(index);
    box.SetText(box.Text().left(1).toUpper() == QLatin1String("P") ? QStringLiteral("PM") : QStringLiteral("AM"));
    UpdateTime();
}

// ---------------------------------------------------------------- check boxes, lists, memo

namespace {
// A violation code kept as stored while the box stays ticked.
quint8 ViolationOfBox(int boxValue, quint8 stored)
{
    return boxValue == 1 ? (stored != 0 ? stored : 1) : 0;
}
} // namespace

void DiveFrm::StatusCheck_LostFocus()
{
    DiveDataRec& d = gv.CurrentDive;
    d.DECOMDIVE = static_cast<quint8>(Deco_Check().Value());
    d.VIOLATION = ViolationOfBox(Viol_Check().Value(), d.VIOLATION);
    d.GAUGEDIVE = Gauge_Check().Value() == 1;
}

void DiveFrm::Deco_Check_MouseUp()
{
    if (Deco_Check().Value() == 1) {
        NoDeco_Check().SetValue(0);
        Gauge_Check().SetValue(0);
    } else {
        NoDeco_Check().SetValue(1);
    }
    StatusCheck_LostFocus();
    gv.DiveChanged = 2;
}

void DiveFrm::NoDeco_Check_MouseUp()
{
    Deco_Check().SetValue(NoDeco_Check().Value() == 1 ? 0 : 1);
    StatusCheck_LostFocus();
    gv.DiveChanged = 2;
}

void DiveFrm::Gauge_Check_MouseUp()
{
    if (Gauge_Check().Value() == 1) {
        NoDeco_Check().SetValue(0);
        Deco_Check().SetValue(0);
        Viol_Check().SetValue(0);
    }
    StatusCheck_LostFocus();
    gv.DiveChanged = 2;
}

void DiveFrm::Viol_Check_MouseUp()
{
    StatusCheck_LostFocus();
    gv.DiveChanged = 2;
}

void DiveFrm::TankCheck_MouseUp(int tank, int index)
{
    TankCheck(tank, InvertBit(index)).SetValue(InvertBit(TankCheck(tank, index).Value()));
    EnDis_ableTankInfo();
    gv.DiveChanged = 2;
}

void DiveFrm::Check4_MouseUp(int index)
{
    Check4(InvertBit(index)).SetValue(InvertBit(Check4(index).Value()));
    gv.DiveChanged = 2;
}

void DiveFrm::Combo1_DropDown(int) { gv.DiveChanged = 2; }

void DiveFrm::Combo1_Change(int index)
{
    gv.DiveChanged = 2;
    Combo1_LostFocus(index);
}

// A list left on the position the stored value already shows keeps that value
// (a stored FO2 below 21 is the "AIR" entry as much as 20 is).
void DiveFrm::Combo1_LostFocus(int index)
{
    const int position = Combo1(index).ListIndex();
    DiveDataRec& d = gv.CurrentDive;
    if (index == 0 && position >= 0 && position != GasListIndex(d.FO2))
        d.FO2 = db::Value(FO2OfGasListIndex(position));
    else if (index == 1 && position >= 0 && position != VariListIndex(d.VARI))
        d.VARI = db::Value(position);
}

void DiveFrm::MemoTxt_KeyDown()
{
    gv.DiveChanged = 2;
    ExpectCommit([this] { MemoTxt_LostFocus(); });
}

void DiveFrm::MemoTxt_LostFocus() { gv.CurrentDive.MEMO = MemoTxt().Text(); }

// ---------------------------------------------------------------- change detection and saving

void DiveFrm::ExpectCommit(std::function<void()> commit)
{
    pendingCommit_ = std::move(commit);
    commitRefused_ = false;   // a new edit: an earlier refusal is history
}

void DiveFrm::Update_DataType() { gv.CurrentDive.DATATYPE = EditedDataType(gv.CurrentDive.DATATYPE); }

bool DiveFrm::CommitPendingEdit()
{
    refused_ = false;
    if (QWidget* focused = QApplication::focusWidget(); focused && isAncestorOf(focused))
        focused->clearFocus();
    if (auto commit = std::exchange(pendingCommit_, nullptr))
        commit();
    if (std::exchange(refused_, false))
        commitRefused_ = true;   // kept for the change check that follows the command
    return !commitRefused_;
}

bool DiveFrm::Dive_IsAnyChange()
{
    CommitPendingEdit();
    const bool refused = std::exchange(commitRefused_, false);
    if (gv.DiveChanged != 2 && gv.DiveChanged != 3)
        return false;
    if (refused) {   // the box has shown why and holds the stored value again
        gv.DiveChanged = 3;
        return false;
    }
    gv.DiveChanged = 2;   // a refused value is checked again on every attempt
    bool changed = false;
    if (!ReadBackChanges(&changed)) {
        gv.DiveChanged = 3;
        return false;
    }
    return changed || DiveRecordDiffers(loadedDiveId_, gv.CurrentDive);
}

// Takes the boxes that no lost-focus handler took into the record, in stored
// units. False when a date, time or elapsed time is refused.
bool DiveFrm::ReadBackChanges(bool* changed)
{
    DiveDataRec& d = gv.CurrentDive;
    const QString temp = Text3(22).text();
    if (ShownDiffers(temp, TempText(d.TEMP))) {
        d.TEMP = db::Value(gv.UnitTemp == 1 ? static_cast<double>(CSng(Val(temp))) : static_cast<double>(CToF(Val(temp))));
        *changed = true;
    }
    if (d.DATATYPE == 0) {
        QString model = Text3(9).text().toUpper();
        model = NormalizeModelName(model).toUpper();
        if (model != gv.ModelName) {
            gv.ModelName = model;
            UpdateDCTable(gv.ModelName);
            *changed = true;
        }
        if (ShownDiffers(Text3(10).text(), PositiveText(d.MODELSERNO))) {
            d.MODELSERNO = db::Value(RoundHalfEven(Val(Text3(10).text())));
            *changed = true;
        }
    }
    Combo1_LostFocus(0);
    Combo1_LostFocus(1);

    MaskedEdit& dateBox = Masked1(0);
    if (!IsValidDate(dateBox.Text())) {
        dateBox.SetText(d.DIVEDATE.isEmpty() ? MaskedTextOnFocus : FormatDBDate(d.DIVEDATE));
        dateBox.setFocus();
        return false;
    }
    const QString date = DateToDB(dateBox.Text(), gv.UnitDate);
    if (date != d.DIVEDATE) {
        d.DIVEDATE = date;
        *changed = true;
    }
    if (ShownDiffers(Text3(1).text(), PositiveText(d.DIVENO))) {
        d.DIVENO = db::Value(Val(Text3(1).text()));
        *changed = true;
        Update_DataType();
    }
    const auto depthText = [](const db::Value& v) {
        return v.IsNull() ? QString() : gv.UnitDepth == 0 ? FormatOneDecimal(FtToM(v)) : NumberText(v);
    };
    if (Text3(3).text() != QLatin1String("---") && ShownDiffers(Text3(3).text(), depthText(d.MDEPTH))) {
        d.MDEPTH = db::Value(static_cast<double>(DepthFromDisplay(TextNumber(Text3(3).text()))));
        *changed = true;
        Update_DataType();
    }
    const QString avg = Text3(4).text();
    if (avg != QLatin1String("---") &&
        ShownDiffers(avg, FormatOneDecimal(gv.UnitDepth == 0 ? FtToM(d.AVGDEPTH) : d.AVGDEPTH))) {
        d.AVGDEPTH = DepthFromDisplay(TextNumber(avg));
        *changed = true;
    }

    if (!IsValidTimeText(Masked1(1).Text(), gv.UnitTime)) {
        Masked1(1).setFocus();
        return false;
    }
    Masked1(1).SetText(NormalizeTimeIn(Masked1(1).Text(), gv.UnitTime));
    Masked1(2).SetText(NormalizeSurfaceInterval(Masked1(2).Text()));
    d.STIME = Masked1(2).Text();
    if (!CommitElapsedTime(changed))
        return false;
    const QString timeIn = TimeIn24();
    if (timeIn != d.DIVETIME) {
        d.DIVETIME = timeIn;
        Update_DataType();
        *changed = true;
    }

    for (const CatalogSide* side : {&LocationSide(), &DiveSiteSide()}) {
        const DataCombo& combo = ComboOf(*side);
        if (!combo.Text().isEmpty())
            d.*side->member = db::Value(RoundHalfEven(Val(combo.Column(side->idColumn))));
    }
    StatusCheck_LostFocus();
    d.MEMO = MemoTxt().Text();
    return true;
}

void DiveFrm::DIVE_Update_DiveData()
{
    gv.IsNewDive = false;
    if (gv.DiveChanged != 2)
        return;
    WriteDiveRecord(loadedDiveId_, gv.CurrentDive);
    gv.DiveChanged = 0;
    if (DateTimeChanged) {
        RenumberLifeTimeDives();
        ShowCurrentLTD();
    }
}

} // namespace kvl
