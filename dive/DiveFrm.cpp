#include "dive/DiveFrm.h"

#include "dive/core/DiveFields.h"
#include "dive/DiveFrmShared.h"
#include "platform/runtime/Logging.h"
#include "platform/runtime/Runtime.h"
#include "shell/core/DiveCursor.h"
#include "shell/core/DiveRows.h"
#include "shell/core/Lookups.h"
#include "shell/core/StateCodes.h"
#include "shell/core/Units.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include <cassert>
#include <utility>

namespace kvl {

using namespace divefrm;

// ---------------------------------------------------------------- building

DiveFrm::DiveFrm() : ChildFormOf<DiveFrm>(QStringLiteral("Dive"))
{
    setObjectName(QStringLiteral("DiveFrm"));
    CreateControls();
    LayOutForm();
    ConnectEvents();
}

DiveFrm::~DiveFrm() = default;

void DiveFrm::CreateControls()
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
    QPalette caption = Text3(12).palette();   // reads as the unit beside the box, not as a box
    caption.setColor(QPalette::Base, caption.color(QPalette::Window));
    Text3(12).setPalette(caption);
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
    memo_->setTabChangesFocus(true);
    location_ = new DataCombo({QStringLiteral("LOCID"), QStringLiteral("Location")}, 1, this);
    site_ = new DataCombo({QStringLiteral("SITEID"), QStringLiteral("Dive Site")}, 1, this);
    properties_ = new PropertyGrid(this);
    addDel_ = new ButtonPopup(this);
    addDel_->AddItem(QStringLiteral("Add"), QStringLiteral("+"), QStringLiteral("Add New"));
    addDel_->AddItem(QStringLiteral("Delete"), QStringLiteral("-"), QStringLiteral("Delete"));
    addDel_->hide();
}

// The dive's own values on the left, the tanks in the middle, status, device and
// memo on the right.
void DiveFrm::LayOutForm()
{
    auto* columns = new QHBoxLayout;
    columns->addLayout(DiveColumn());
    columns->addLayout(TankColumn());
    columns->addLayout(SideColumn(), 1);
    auto* outer = new QVBoxLayout(this);
    QFont banner = Label3(17).font();
    banner.setBold(true);
    banner.setPointSizeF(banner.pointSizeF() * 1.5);
    Label3(17).setFont(banner);
    Label3(17).setAlignment(Qt::AlignCenter);
    outer->addWidget(&Label3(17));
    outer->addLayout(columns, 1);
    for (size_t i = 1; i < tabStops_.size(); ++i)
        setTabOrder(tabStops_[i - 1], tabStops_[i]);
}

QWidget* DiveFrm::TabStop(QWidget* control)
{
    tabStops_.push_back(control);
    return control;
}

QLayout* DiveFrm::DiveColumn()
{
    auto* dive = new QGridLayout;
    int row = 0;
    auto addRow = [&](int label, QWidget* box, QWidget* extra = nullptr) {
        dive->addWidget(&Label3(label), row, 0);
        dive->addWidget(TabStop(box), row, 1);
        if (extra)
            dive->addWidget(TabStop(extra), row, 2);
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
    return dive;
}

QLayout* DiveFrm::TankColumn()
{
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
        onOff->addWidget(TabStop(&TankCheck(t + 1, 0)));
        onOff->addWidget(TabStop(&TankCheck(t + 1, 1)));
        grid->addLayout(onOff, 0, 0, 1, 3);
        const TankLayout& l = tankLabels[t];
        const TankBoxes& b = kTankBoxes[t];
        const int unitBase = t == 0 ? 2 : t == 1 ? 6 : 9;
        int r = 1;
        grid->addWidget(&Label3(l.tid), r, 0);
        grid->addWidget(TabStop(&TIDTxt(t)), r++, 1);
        if (l.gas >= 0) {
            grid->addWidget(&Label3(l.gas), r, 0);
            grid->addWidget(TabStop(&Combo1(t + 1)), r++, 1);
        }
        const int boxes[3] = {b.cylinder, b.start, b.end};
        const int captions[3] = {l.cylinder, l.start, l.end};
        for (int k = 0; k < 3; ++k) {
            grid->addWidget(&Label3(captions[k]), r, 0);
            grid->addWidget(TabStop(&Text3(boxes[k])), r, 1);
            grid->addWidget(&Units_Opt(unitBase + k), r++, 2);
        }
        tanks->addWidget(frame5_[static_cast<size_t>(t)]);
        if (t == 0) {   // tank 1's gas and the pressure used sit below its frame
            auto* gas = new QGridLayout;
            gas->addWidget(&Label3(11), 0, 0);
            gas->addWidget(TabStop(&Combo1(0)), 0, 1);
            gas->addWidget(&Label3(14), 1, 0);
            gas->addWidget(TabStop(&Text3(8)), 1, 1);
            gas->addWidget(&Units_Opt(5), 1, 2);
            tanks->addLayout(gas);
        }
    }
    tanks->addStretch(1);
    return tanks;
}

QLayout* DiveFrm::SideColumn()
{
    auto frameOf = [this](const QString& caption, std::initializer_list<QWidget*> boxes) {
        auto* frame = new QGroupBox(caption, this);
        auto* layout = new QVBoxLayout(frame);
        for (QWidget* box : boxes)
            layout->addWidget(TabStop(box));
        return frame;
    };
    auto* side = new QVBoxLayout;
    side->addWidget(frameOf(QStringLiteral("Dive Status"), {noDeco_, deco_, viol_, gauge_}));
    side->addWidget(frameOf(QStringLiteral("Dive Mode"), {normal_, nav_}));
    side->addWidget(frameOf(QStringLiteral("Dive Data Type"), {dataType_[0], dataType_[1], dataType_[2]}));
    auto* device = new QGridLayout;
    device->addWidget(&Label3(18), 0, 0);
    device->addWidget(TabStop(&Text3(9)), 0, 1);
    device->addWidget(&Label3(20), 1, 0);
    device->addWidget(TabStop(&Text3(10)), 1, 1);
    side->addLayout(device);
    side->addWidget(TabStop(properties_), 1);
    side->addWidget(&Label3(19));
    side->addWidget(TabStop(memo_), 1);
    return side;
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
    if (MainWindowExists()) {
        EnableDiveButtons();
        SetToolBarItemVisible(QStringLiteral("Save"), true);
    }
    DIVE_InitAll();
}

void DiveFrm::Form_Unload()
{
    if (MainWindowExists()) {
        SetToolBarItemVisible(QStringLiteral("Save"), false);
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
    gv.DiveChanged = kDiveUnchanged;
    DateTimeChanged = false;
    pendingCommit_ = nullptr;
    commitRefused_ = false;
    if (!gv.rsDiveData || gv.rsDiveData->EOF() || gv.rsDiveData->BOF())
        return;
    Location_Combo().SetText(QString());
    DiveSite_Combo().SetText(QString());
    MemoTxt().clear();
    RunLogged(kvlUi(), "loading the dive", LoadCurrentDive);
    loadedDiveId_ = gv.rsDiveData->Field(QStringLiteral("DIVEID")).ToLong();
    gv.CurrentDiveID = static_cast<qint32>(loadedDiveId_);
    ShowDataType();
    LoadSettings(loadedDiveId_);
    RunLogged(kvlUi(), "taking the dive's units", UpdateUnitFlags);
    // The tool bar's date and time follow the units just taken.
    RunLogged(kvlUi(), "showing the dive caption", ShowDiveCaption);
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
    RunLogged(kvlUi(), "showing the location", [this] { Init_LocationInfo(); });
    RunLogged(kvlUi(), "showing the dive site", [this] { Init_SiteInfo(); });
    Text3(1).setText(PositiveText(d.DIVENO));
    ShowTime();
    Text3(11).setText(NumberText(d.BTIME));
    Masked1(2).SetText(d.STIME);
    ShowDepths();
    DIVE_InitVARI();   // the band texts follow the units the dive is shown in
    Combo1(1).SetListIndex(VariListIndex(d.VARI));
    for (int i : {0, 2, 3})
        Combo1(i).SetListIndex(GasListIndex(d.*GasField(i)));
    for (int t = 0; t < 3; ++t) {
        const TankBoxes& b = kTankBoxes[t];
        ShowText(Text3(b.cylinder), [&] { return CylinderText(d.*TankField(b.cylinder)); });
        ShowText(Text3(b.start), [&] { return PressureText(d.*TankField(b.start)); });
        ShowText(Text3(b.end), [&] { return PressureText(d.*TankField(b.end)); });
    }
    ShowText(Text3(8), [&] {
        const double used = PressureUsed({{{d.SPSI.ToDouble(), d.EPSI.ToDouble()},
                                           {d.SPSI2.ToDouble(), d.EPSI2.ToDouble()},
                                           {d.SPSI3.ToDouble(), d.EPSI3.ToDouble()}}});
        return SingleToText(PressureToDisplay(used));
    });
    Units_Opt(2).SetListIndex(gv.UnitCylinder);
    for (int i = 3; i <= 12; ++i)
        Units_Opt(i).SetListIndex(i == 6 || i == 9 ? gv.UnitCylinder : gv.UnitPressure);
    ShowText(Text3(21), [&] { return AirConsumptionText(d.AIRCONSUMP); });
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
    RunLogged(kvlUi(), "reading the sample rate", [&] {
        gv.CurrentDive.SnapshotText = DiveSampleRateText(static_cast<int>(d.SNAPSHOT), d.MODELID);
    });
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
    Text3(3).setText(DepthText(d.MDEPTH));
    Text3(4).setText(AverageDepthText(d.AVGDEPTH));
}

void DiveFrm::ShowTanks()
{
    const DiveDataRec& d = gv.CurrentDive;
    // A tank counts only with every tank before it, as the boxes show it.
    const std::array<bool, 3> on{d.TANK1ON, d.TANK1ON && d.TANK2ON, d.TANK1ON && d.TANK2ON && d.TANK3ON};
    for (int t = 0; t < 3; ++t) {
        TankCheck(t + 1, 0).SetValue(on[t] ? 1 : 0);
        TankCheck(t + 1, 1).SetValue(InvertBit(on[t] ? 1 : 0));
    }
    EnableTanks(on);
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

void DiveFrm::EnableTanks(const std::array<bool, 3>& on)
{
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
    const std::array<bool, 3> on{d.TANK1ON, d.TANK2ON, d.TANK3ON};
    std::array<TankPressures, 3> tanks;
    for (int t = 0; t < 3; ++t)
        tanks[t] = {Val(Text3(kTankBoxes[t].start).text()), Val(Text3(kTankBoxes[t].end).text()), on[t]};
    Text3(8).setText(SingleToText(static_cast<float>(PressureUsed(tanks))));
    EnableTanks(on);
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

} // namespace kvl
