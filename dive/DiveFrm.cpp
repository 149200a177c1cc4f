#include "dive/DiveFrm.h"

#include "dive/core/DiveFields.h"
#include "dive/DiveFrmShared.h"
#include "platform/runtime/Logging.h"
#include "platform/runtime/Runtime.h"
#include "platform/widgets/Captions.h"
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

namespace {

const std::pair<DiveLabel, const char*> kCaptions[] = {
    {DiveLabel::LifeTimeDiveNo, "Life Time Dive #:"},
    {DiveLabel::DGDiveNo, "D.G. Dive #:"},
    {DiveLabel::Date, "Date:"},
    {DiveLabel::TimeIn, "Time In:"},
    {DiveLabel::Location, "Location:"},
    {DiveLabel::DiveSite, "Dive Site:"},
    {DiveLabel::TimeOut, "Time Out:"},
    {DiveLabel::ElapsedTime, "Elapsed Time:"},
    {DiveLabel::PriorSurfaceInterval, "Prior S.I.(hr:min):"},
    {DiveLabel::MaxDepth, "Max. Depth:"},
    {DiveLabel::AveDepth, "Ave. Depth:"},
    {DiveLabel::Gas1, "FO2:"},
    {DiveLabel::CylinderSize1, "Cylinder Size:"},
    {DiveLabel::StartPressure1, "Start Pressure:"},
    {DiveLabel::PressureUsed, "Pressure Used:"},
    {DiveLabel::EndPressure1, "End Pressure:"},
    {DiveLabel::AscentRate, "Max. VARI Bars:"},
    {DiveLabel::Banner, "VURO DIVE"},
    {DiveLabel::Model, "Model:"},
    {DiveLabel::Memo, "Memo:"},
    {DiveLabel::SerialNo, "Serial No.:"},
    {DiveLabel::Tid1, "Transmitter ID:"},
    {DiveLabel::Tid2, "TID:"},
    {DiveLabel::Temperature, "Min. Temperature:"},
    {DiveLabel::StartPressure2, "Start Pressure:"},
    {DiveLabel::CylinderSize2, "Cylinder Size:"},
    {DiveLabel::EndPressure2, "End Pressure:"},
    {DiveLabel::Tid3, "TID:"},
    {DiveLabel::Gas3, "FO2:"},
    {DiveLabel::StartPressure3, "Start Pressure:"},
    {DiveLabel::CylinderSize3, "Cylinder Size:"},
    {DiveLabel::EndPressure3, "End Pressure:"},
    {DiveLabel::Receiver, "Receiver:"},
    {DiveLabel::SacRate, "SAC Rate:"},
    {DiveLabel::Gas2, "FO2:"},
};

// The two entries of each unit list: metric first, imperial second.
QStringList UnitItems(DiveUnit unit)
{
    switch (unit) {
    case DiveUnit::MaxDepth:
    case DiveUnit::AveDepth: return {QStringLiteral("M"), QStringLiteral("FT")};
    case DiveUnit::CylinderSize1:
    case DiveUnit::CylinderSize2:
    case DiveUnit::CylinderSize3: return {QStringLiteral("L"), QString::fromUtf8("FT\u00B3")};
    case DiveUnit::SacRate: return {QStringLiteral("BAR/Min"), QStringLiteral("PSI/Min")};
    case DiveUnit::Temperature: return {QStringLiteral("C"), QStringLiteral("F")};
    default: return {QStringLiteral("BAR"), QStringLiteral("PSI")};
    }
}

// Whether the unit list follows the cylinder unit, else the pressure unit.
bool IsCylinderUnit(DiveUnit unit)
{
    return unit == DiveUnit::CylinderSize1 || unit == DiveUnit::CylinderSize2 || unit == DiveUnit::CylinderSize3;
}

// The boxes that hold numbers, with the decimal marks their reader takes (a box read
// by TextNumber takes a comma for the point, one read by Val stops at a comma) and
// whether a value below zero means anything. The SAC rate's rule follows the pressure
// unit (ShowFields).
struct NumberBox {
    DiveText box;
    DecimalMark marks;
    bool negative;
};
constexpr NumberBox kNumberBoxes[] = {
    {DiveText::LifeTimeDiveNo, DecimalMark::None, false},
    {DiveText::DGDiveNo, DecimalMark::None, false},
    {DiveText::MaxDepth, DecimalMark::PointOrComma, false},
    {DiveText::AveDepth, DecimalMark::PointOrComma, false},
    {DiveText::CylinderSize1, DecimalMark::PointOrComma, false},
    {DiveText::StartPressure1, DecimalMark::PointOrComma, false},
    {DiveText::EndPressure1, DecimalMark::PointOrComma, false},
    {DiveText::PressureUsed, DecimalMark::PointOrComma, false},
    {DiveText::SerialNo, DecimalMark::None, false},
    {DiveText::ElapsedTime, DecimalMark::None, false},   // whole minutes
    {DiveText::CylinderSize2, DecimalMark::PointOrComma, false},
    {DiveText::StartPressure2, DecimalMark::PointOrComma, false},
    {DiveText::EndPressure2, DecimalMark::PointOrComma, false},
    {DiveText::CylinderSize3, DecimalMark::PointOrComma, false},
    {DiveText::StartPressure3, DecimalMark::PointOrComma, false},
    {DiveText::EndPressure3, DecimalMark::PointOrComma, false},
    {DiveText::Temperature, DecimalMark::Point, true},
};

} // namespace

void DiveFrm::CreateControls()
{
    for (const auto& [index, caption] : kCaptions)
        label3_[Slot(index)] = new QLabel(QString::fromUtf8(caption), this);
    for (DiveText index : kDiveTexts)
        text3_[Slot(index)] = new EditBox(this);
    EditBox& minutes = Text3(DiveText::Minutes);
    minutes.setText(QStringLiteral("Minutes"));
    minutes.setReadOnly(true);
    minutes.setFocusPolicy(Qt::NoFocus);
    minutes.setFrame(false);
    QPalette caption = minutes.palette();   // reads as the unit beside the box, not as a box
    caption.setColor(QPalette::Base, caption.color(QPalette::Window));
    minutes.setPalette(caption);
    masked1_[Slot(DiveMasked::Date)] = new MaskedEdit(QStringLiteral("##/##/####"), this);
    masked1_[Slot(DiveMasked::TimeIn)] = new MaskedEdit(QStringLiteral("##:##"), this);
    masked1_[Slot(DiveMasked::PriorSurfaceInterval)] = new MaskedEdit(QStringLiteral("##:##"), this);
    // A drop that makes a value the box's check would refuse on leaving is turned away.
    for (DiveMasked i : kDiveMaskeds)
        Masked1(i).TurnAwayDropsItsCheckRefuses([this, i](const QString& text) { return Keeps(i, text); });
    for (auto& box : ampm_) {
        box = new ListBox(true, this);
        box->addItems({QStringLiteral("AM"), QStringLiteral("PM")});
    }
    for (size_t i = 0; i < units_.size(); ++i) {
        units_[i] = new ListBox(false, this);
        units_[i]->addItems(UnitItems(static_cast<DiveUnit>(i)));
        units_[i]->setEnabled(false);   // shows the unit; changed through the settings
    }
    for (auto& box : combo1_)
        box = new ListBox(false, this);
    for (const NumberBox& n : kNumberBoxes)
        Text3(n.box).AcceptNumbersOnly(n.marks, n.negative);
    for (DiveText i : kDiveTexts)   // a drop into a pressure or the SAC rate, as above
        Text3(i).TurnAwayDropsItsCheckRefuses([this, i](const QString& text) { return Refusal(i, text).isEmpty(); });
    for (auto& box : tid_) {
        box = new EditBox(this);
        box->AcceptNumbersOnly(DecimalMark::None, false);   // a whole number
    }
    TIDTxt(Tank::One).setToolTip(QStringLiteral("Transmitter ID Number"));
    auto makePair = [this](std::array<CheckBox*, 2>& pair) {
        pair[Slot(OnOff::On)] = new CheckBox(QStringLiteral("ON"), this);
        pair[Slot(OnOff::Off)] = new CheckBox(QStringLiteral("OFF"), this);
    };
    for (auto& pair : tankChecks_)
        makePair(pair);
    makePair(receiver_);
    dataType_[Slot(DataTypeBox::Manual)] = new CheckBox(QStringLiteral("Manual Entry"), this);
    dataType_[Slot(DataTypeBox::Downloaded)] = new CheckBox(QStringLiteral("Radarar Edeze"), this);
    dataType_[Slot(DataTypeBox::Modified)] = new CheckBox(QStringLiteral("Radarar Edeze Modified"), this);
    noDeco_ = new CheckBox(QStringLiteral("No Decompression"), this);
    deco_ = new CheckBox(QStringLiteral("Decompression"), this);
    viol_ = new CheckBox(QStringLiteral("Violation"), this);
    gauge_ = new CheckBox(QStringLiteral("Gauge"), this);
    normal_ = new CheckBox(QStringLiteral("Normal"), this);
    nav_ = new CheckBox(QStringLiteral("Navigation"), this);
    // Values the record computes or puts back: shown and copied, never changed by hand.
    for (DiveText i : {DiveText::LifeTimeDiveNo, DiveText::TimeOut, DiveText::PressureUsed})
        Text3(i).SetLocked(true);
    AMPM_Opt(DiveAmPm::TimeOut).setEnabled(false);
    normal_->setEnabled(false);
    nav_->setEnabled(false);
    for (CheckBox* box : dataType_)
        box->setEnabled(false);
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
    QFont banner = Label3(DiveLabel::Banner).font();
    banner.setBold(true);
    banner.setPointSizeF(banner.pointSizeF() * 1.5);
    Label3(DiveLabel::Banner).setFont(banner);
    Label3(DiveLabel::Banner).setAlignment(Qt::AlignCenter);
    outer->addWidget(&Label3(DiveLabel::Banner));
    outer->addLayout(columns, 1);
    ChainTabOrder(tabStops_);
}

QWidget* DiveFrm::TabStop(QWidget* control)
{
    tabStops_.push_back(control);
    return control;
}

namespace {

QString TankName(Tank tank) { return QStringLiteral("Tank %1").arg(Slot(tank) + 1); }

void Name(QWidget& box, const QString& name) { box.setAccessibleName(name); }

} // namespace

// Ties a caption to its box (the caption's Alt key, what a screen reader reads), the
// box named after the caption, in a tank's frame after the tank too.
void DiveFrm::Tie(DiveLabel caption, QWidget& box, const QString& prefix)
{
    TieCaption(Label3(caption), box, prefix);
}

QLayout* DiveFrm::DiveColumn()
{
    auto* dive = new QGridLayout;
    int row = 0;
    // extraName: what the box beside the value is to it (its unit, its AM/PM).
    auto addRow = [&](DiveLabel label, QWidget* box, QWidget* extra = nullptr, const char* extraName = nullptr) {
        Tie(label, *box);
        dive->addWidget(&Label3(label), row, 0);
        dive->addWidget(TabStop(box), row, 1);
        if (extra) {
            NameBeside(*extra, *box, QLatin1String(extraName));
            dive->addWidget(TabStop(extra), row, 2);
        }
        ++row;
    };
    addRow(DiveLabel::LifeTimeDiveNo, &Text3(DiveText::LifeTimeDiveNo));
    addRow(DiveLabel::DGDiveNo, &Text3(DiveText::DGDiveNo));
    addRow(DiveLabel::Date, &Masked1(DiveMasked::Date));
    addRow(DiveLabel::TimeIn, &Masked1(DiveMasked::TimeIn), &AMPM_Opt(DiveAmPm::TimeIn), "AM/PM");
    addRow(DiveLabel::TimeOut, &Text3(DiveText::TimeOut), &AMPM_Opt(DiveAmPm::TimeOut), "AM/PM");
    addRow(DiveLabel::ElapsedTime, &Text3(DiveText::ElapsedTime), &Text3(DiveText::Minutes), "unit");
    addRow(DiveLabel::PriorSurfaceInterval, &Masked1(DiveMasked::PriorSurfaceInterval));
    addRow(DiveLabel::MaxDepth, &Text3(DiveText::MaxDepth), &Units_Opt(DiveUnit::MaxDepth), "unit");
    addRow(DiveLabel::AveDepth, &Text3(DiveText::AveDepth), &Units_Opt(DiveUnit::AveDepth), "unit");
    addRow(DiveLabel::Temperature, &Text3(DiveText::Temperature), &Units_Opt(DiveUnit::Temperature), "unit");
    addRow(DiveLabel::AscentRate, &Combo1(DiveList::AscentRate));
    addRow(DiveLabel::SacRate, &Text3(DiveText::SacRate), &Units_Opt(DiveUnit::SacRate), "unit");
    addRow(DiveLabel::Location, &Location_Combo());
    addRow(DiveLabel::DiveSite, &DiveSite_Combo());
    addRow(DiveLabel::Receiver, &Check4(OnOff::On), &Check4(OnOff::Off), "OFF");
    Name(Check4(OnOff::On), NameOfCaption(Label3(DiveLabel::Receiver).text()) + QStringLiteral(" ON"));
    dive->setRowStretch(row, 1);
    return dive;
}

QLayout* DiveFrm::TankColumn()
{
    auto* tanks = new QVBoxLayout;
    const char* frames[] = {"Tank", "Tank 2", "Tank 3"};
    for (Tank tank : kTanks) {
        const TankControls& c = TankOf(tank);
        const QString name = TankName(tank);
        QGroupBox*& frame = frame5_[Slot(tank)];
        frame = new QGroupBox(QString::fromUtf8(frames[Slot(tank)]), this);
        auto* grid = new QGridLayout(frame);
        auto* onOff = new QHBoxLayout;
        for (OnOff box : {OnOff::On, OnOff::Off}) {
            CheckBox& check = TankCheck(tank, box);
            Name(check, name + QLatin1Char(' ') + check.text());
            onOff->addWidget(TabStop(&check));
        }
        grid->addLayout(onOff, 0, 0, 1, 3);
        int r = 1;
        auto addRow = [&](DiveLabel caption, QWidget& box, QWidget* unit = nullptr) {
            Tie(caption, box, name);
            grid->addWidget(&Label3(caption), r, 0);
            grid->addWidget(TabStop(&box), r, 1);
            if (unit) {
                NameBeside(*unit, box, QStringLiteral("unit"));
                grid->addWidget(unit, r, 2);
            }
            ++r;
        };
        addRow(c.tidCaption, TIDTxt(tank));
        if (tank != Tank::One)   // tank 1's gas sits below its frame
            addRow(c.gasCaption, Combo1(c.gas));
        addRow(c.cylinderCaption, Text3(c.cylinder), &Units_Opt(c.cylinderUnit));
        addRow(c.startCaption, Text3(c.start), &Units_Opt(c.startUnit));
        addRow(c.endCaption, Text3(c.end), &Units_Opt(c.endUnit));
        tanks->addWidget(frame);
        if (tank == Tank::One) {   // tank 1's gas and the pressure used sit below its frame
            auto* gas = new QGridLayout;
            Tie(DiveLabel::Gas1, Combo1(DiveList::Gas1), name);
            gas->addWidget(&Label3(DiveLabel::Gas1), 0, 0);
            gas->addWidget(TabStop(&Combo1(DiveList::Gas1)), 0, 1);
            Tie(DiveLabel::PressureUsed, Text3(DiveText::PressureUsed));
            NameBeside(Units_Opt(DiveUnit::PressureUsed), Text3(DiveText::PressureUsed), QStringLiteral("unit"));
            gas->addWidget(&Label3(DiveLabel::PressureUsed), 1, 0);
            gas->addWidget(TabStop(&Text3(DiveText::PressureUsed)), 1, 1);
            gas->addWidget(&Units_Opt(DiveUnit::PressureUsed), 1, 2);
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
    side->addWidget(frameOf(QStringLiteral("Dive Data Type"),
                            {&DataType_Check(DataTypeBox::Manual), &DataType_Check(DataTypeBox::Downloaded),
                             &DataType_Check(DataTypeBox::Modified)}));
    auto* device = new QGridLayout;
    Tie(DiveLabel::Model, Text3(DiveText::Model));
    Tie(DiveLabel::SerialNo, Text3(DiveText::SerialNo));
    device->addWidget(&Label3(DiveLabel::Model), 0, 0);
    device->addWidget(TabStop(&Text3(DiveText::Model)), 0, 1);
    device->addWidget(&Label3(DiveLabel::SerialNo), 1, 0);
    device->addWidget(TabStop(&Text3(DiveText::SerialNo)), 1, 1);
    side->addLayout(device);
    Name(*properties_, QStringLiteral("Settings"));
    side->addWidget(TabStop(properties_), 1);
    Tie(DiveLabel::Memo, *memo_);
    side->addWidget(&Label3(DiveLabel::Memo));
    side->addWidget(TabStop(memo_), 1);
    return side;
}

void DiveFrm::ConnectEvents()
{
    // A box changed by any road other than a key (paste, cut, drop, the context menu's
    // undo, an input method) is marked as a typed key marks it; text the program sets is not.
    const auto onEdit = [this](EditBox& box, const std::function<void()>& edited) {
        connect(&box, &EditBox::KeyDown, this, edited);
        connect(&box, &QLineEdit::textEdited, this, edited);
    };
    for (DiveText i : kDiveTexts) {
        EditBox* box = &Text3(i);
        connect(box, &EditBox::GotFocus, this, [this, i] { Text3_GotFocus(i); });
        onEdit(*box, [this, i] { Text3_KeyDown(i); });
        connect(box, &EditBox::LostFocus, this, [this, i] {
            ForgetCommit(Text3(i));
            Text3_LostFocus(i);
        });
    }
    for (DiveMasked i : kDiveMaskeds) {
        MaskedEdit* box = &Masked1(i);
        connect(box, &EditBox::GotFocus, this, [this, i] { Masked1_GotFocus(i); });
        onEdit(*box, [this, i] { Masked1_KeyDown(i); });
        connect(box, &EditBox::LostFocus, this, [this, i] {
            ForgetCommit(Masked1(i));
            Masked1_LostFocus(i);
        });
    }
    for (Tank t : kTanks) {
        connect(&TIDTxt(t), &EditBox::GotFocus, this, [this, t] { TIDTxt(t).SelectAll(); });
        onEdit(TIDTxt(t), [this, t] { TIDTxt_KeyDown(t); });
        for (OnOff box : {OnOff::On, OnOff::Off})
            connect(&TankCheck(t, box), &CheckBox::MouseUp, this, [this, t, box] { TankCheck_MouseUp(t, box); });
    }
    for (DiveAmPm i : kDiveAmPms) {
        connect(&AMPM_Opt(i), &ListBox::Change, this, [this, i] { AMPM_Opt_Change(i); });
        connect(&AMPM_Opt(i), &ListBox::LostFocus, this, [this] { UpdateTime(); });
    }
    for (DiveList i : kDiveLists) {
        connect(&Combo1(i), &ListBox::DropDown, this, [this, i] { Combo1_DropDown(i); });
        connect(&Combo1(i), &ListBox::Change, this, [this, i] { Combo1_Change(i); });
        connect(&Combo1(i), &ListBox::LostFocus, this, [this, i] { Combo1_LostFocus(i); });
    }
    for (OnOff box : {OnOff::On, OnOff::Off})
        connect(&Check4(box), &CheckBox::MouseUp, this, [this, box] { Check4_MouseUp(box); });
    connect(deco_, &CheckBox::MouseUp, this, &DiveFrm::Deco_Check_MouseUp);
    connect(noDeco_, &CheckBox::MouseUp, this, &DiveFrm::NoDeco_Check_MouseUp);
    connect(gauge_, &CheckBox::MouseUp, this, &DiveFrm::Gauge_Check_MouseUp);
    connect(viol_, &CheckBox::MouseUp, this, &DiveFrm::Viol_Check_MouseUp);
    for (CheckBox* box : {deco_, noDeco_, gauge_, viol_})
        connect(box, &CheckBox::LostFocus, this, &DiveFrm::StatusCheck_LostFocus);
    connect(memo_, &MemoBox::KeyDown, this, &DiveFrm::MemoTxt_KeyDown);
    connect(memo_, &MemoBox::Edited, this, &DiveFrm::MemoTxt_KeyDown);
    connect(memo_, &MemoBox::LostFocus, this, [this] {
        ForgetCommit(MemoTxt());
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

EditBox& DiveFrm::Text3(DiveText index) const
{
    assert(text3_.at(Slot(index)));
    return *text3_.at(Slot(index));
}
MaskedEdit& DiveFrm::Masked1(DiveMasked index) const { return *masked1_.at(Slot(index)); }
ListBox& DiveFrm::AMPM_Opt(DiveAmPm index) const { return *ampm_.at(Slot(index)); }
ListBox& DiveFrm::Units_Opt(DiveUnit index) const { return *units_.at(Slot(index)); }
ListBox& DiveFrm::Combo1(DiveList index) const { return *combo1_.at(Slot(index)); }
EditBox& DiveFrm::TIDTxt(Tank tank) const { return *tid_.at(Slot(tank)); }
CheckBox& DiveFrm::TankCheck(Tank tank, OnOff box) const { return *tankChecks_.at(Slot(tank)).at(Slot(box)); }
CheckBox& DiveFrm::Check1(OnOff box) const { return TankCheck(Tank::One, box); }
CheckBox& DiveFrm::Check2(OnOff box) const { return TankCheck(Tank::Two, box); }
CheckBox& DiveFrm::Check3(OnOff box) const { return TankCheck(Tank::Three, box); }
CheckBox& DiveFrm::Check4(OnOff box) const { return *receiver_.at(Slot(box)); }
CheckBox& DiveFrm::DataType_Check(DataTypeBox box) const { return *dataType_.at(Slot(box)); }
QGroupBox& DiveFrm::Frame5(Tank tank) const { return *frame5_.at(Slot(tank)); }
QLabel& DiveFrm::Label3(DiveLabel index) const
{
    assert(label3_.at(Slot(index)));
    return *label3_.at(Slot(index));
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
    Masked1(DiveMasked::Date).SetText(QStringLiteral("01/01/2004"));
    Masked1(DiveMasked::TimeIn).SetText(QStringLiteral("00:00"));
    Masked1(DiveMasked::PriorSurfaceInterval).SetText(QStringLiteral("00:00"));
    for (DiveText i : {DiveText::LifeTimeDiveNo, DiveText::DGDiveNo, DiveText::TimeOut, DiveText::MaxDepth,
                       DiveText::AveDepth, DiveText::CylinderSize1, DiveText::StartPressure1, DiveText::EndPressure1,
                       DiveText::PressureUsed})
        Text3(i).clear();
    MemoTxt().SetText(QString());
    for (Tank t : kTanks) {
        TIDTxt(t).setText(QStringLiteral("0"));
        TankCheck(t, OnOff::On).SetValue(0);
        TankCheck(t, OnOff::Off).SetValue(1);
    }
    Check4(OnOff::On).SetValue(0);
    Check4(OnOff::Off).SetValue(1);
    DiveDataRec& d = gv.CurrentDive;
    d.TID1 = d.TID2 = d.TID3 = 0;
    d.TANK1ON = d.TANK2ON = d.TANK3ON = d.RECVON = d.GAUGEDIVE = false;
}

void DiveFrm::DIVE_InitDiveInfo()
{
    gv.DiveChanged = kDiveUnchanged;
    DateTimeChanged = false;
    pendingCommits_.clear();
    model_.reset();
    commitRefused_ = false;
    if (!gv.rsDiveData || gv.rsDiveData->EOF() || gv.rsDiveData->BOF())
        return;
    Location_Combo().SetText(QString());
    DiveSite_Combo().SetText(QString());
    MemoTxt().SetText(QString());
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
    DataType_Check(DataTypeBox::Manual).SetValue(view.manual);
    DataType_Check(DataTypeBox::Downloaded).SetValue(view.downloaded);
    DataType_Check(DataTypeBox::Modified).SetValue(view.modified);
    for (DiveText i : {DiveText::DGDiveNo, DiveText::MaxDepth, DiveText::ElapsedTime})
        Text3(i).SetLocked(view.locked);
    // The model and serial number are stored only for a dive entered by hand.
    for (DiveText i : {DiveText::Model, DiveText::SerialNo})
        Text3(i).SetLocked(!view.manual);
}

void DiveFrm::ShowFields()
{
    const DiveDataRec& d = gv.CurrentDive;
    ShowText(Text3(DiveText::Temperature), [&] { return TempText(d.TEMP); });
    Units_Opt(DiveUnit::Temperature).SetListIndex(gv.UnitTemp);
    Frame5(Tank::Two).setEnabled(true);
    Frame5(Tank::Three).setEnabled(true);
    TIDTxt(Tank::One).setEnabled(true);
    Text3(DiveText::LifeTimeDiveNo).setText(NumberText(d.LIFETIMEDIVENO));
    Masked1(DiveMasked::Date).SetText(d.DIVEDATE.isEmpty() ? QString() : FormatDBDate(d.DIVEDATE));
    RunLogged(kvlUi(), "showing the location", [this] { Init_LocationInfo(); });
    RunLogged(kvlUi(), "showing the dive site", [this] { Init_SiteInfo(); });
    Text3(DiveText::DGDiveNo).setText(PositiveText(d.DIVENO));
    ShowTime();
    Text3(DiveText::ElapsedTime).setText(NumberText(d.BTIME));
    Masked1(DiveMasked::PriorSurfaceInterval).SetText(d.STIME);
    ShowDepths();
    DIVE_InitVARI();   // the band texts follow the units the dive is shown in
    Combo1(DiveList::AscentRate).SetListIndex(VariListIndex(d.VARI));
    for (Tank t : kTanks) {
        const TankControls& c = TankOf(t);
        Combo1(c.gas).SetListIndex(GasListIndex(d.*c.gasField));
        ShowText(Text3(c.cylinder), [&] { return CylinderText(d.*c.cylinderField); });
        ShowText(Text3(c.start), [&] { return PressureText(d.*c.startField); });
        ShowText(Text3(c.end), [&] { return PressureText(d.*c.endField); });
    }
    ShowText(Text3(DiveText::PressureUsed), [&] {
        const double used = PressureUsed({{{d.SPSI.ToDouble(), d.EPSI.ToDouble()},
                                           {d.SPSI2.ToDouble(), d.EPSI2.ToDouble()},
                                           {d.SPSI3.ToDouble(), d.EPSI3.ToDouble()}}});
        return SingleToText(PressureToDisplay(used));
    });
    for (size_t i = Slot(DiveUnit::CylinderSize1); i <= Slot(DiveUnit::SacRate); ++i) {
        const auto unit = static_cast<DiveUnit>(i);
        Units_Opt(unit).SetListIndex(IsCylinderUnit(unit) ? gv.UnitCylinder : gv.UnitPressure);
    }
    // The log keeps whole psi a minute: bar takes decimals, read by Val.
    Text3(DiveText::SacRate).AcceptNumbersOnly(gv.UnitPressure == 1 ? DecimalMark::None : DecimalMark::Point, false);
    ShowText(Text3(DiveText::SacRate), [&] { return AirConsumptionText(d.AIRCONSUMP); });
    for (Tank t : kTanks)
        TIDTxt(t).setText(TidText(d.*TidField(t)));
    ShowTanks();
    Check4(OnOff::On).hide();
    Check4(OnOff::Off).hide();
    Label3(DiveLabel::Receiver).hide();
    Check4(OnOff::On).SetValue(d.RECVON ? 1 : 0);
    Check4(OnOff::Off).SetValue(d.RECVON ? 0 : 1);
    ShowDiveStatus();
    ShowText(Text3(DiveText::Model), [&] { return GetModelName(d.MODELID); });
    gv.ModelName = Text3(DiveText::Model).text();
    Text3(DiveText::SerialNo).setText(PositiveText(d.MODELSERNO));
    MemoTxt().SetText(d.MEMO);
    RunLogged(kvlUi(), "reading the sample rate", [&] {
        gv.CurrentDive.SnapshotText = DiveSampleRateText(static_cast<int>(d.SNAPSHOT), d.MODELID, d.DATATYPE == 0);
    });
}

void DiveFrm::ShowTime()
{
    const DiveDataRec& d = gv.CurrentDive;
    const bool twelve = gv.UnitTime == 1;
    AMPM_Opt(DiveAmPm::TimeIn).setVisible(twelve);
    AMPM_Opt(DiveAmPm::TimeOut).setVisible(twelve);
    if (d.DIVETIME.isEmpty()) {
        Masked1(DiveMasked::TimeIn).SetText(QString());
        Text3(DiveText::TimeOut).clear();
        return;
    }
    PutBackDiveTime();
    ShowText(Text3(DiveText::TimeOut), [&] {
        QString out = AddMinutesToTime(d.DIVETIME, d.BTIME.IsNull() ? db::Value(0) : d.BTIME);
        if (twelve) {
            out = TimeTo12Hour(out);
            AMPM_Opt(DiveAmPm::TimeOut).SetText(out.right(2));
        }
        return out.left(5);
    });
}

void DiveFrm::PutBackDiveTime()
{
    const QString& stored = gv.CurrentDive.DIVETIME;
    if (gv.UnitTime != 1) {
        Masked1(DiveMasked::TimeIn).SetText(stored);
        return;
    }
    const QString twelve = TimeTo12Hour(stored);
    Masked1(DiveMasked::TimeIn).SetText(twelve.left(5));
    AMPM_Opt(DiveAmPm::TimeIn).SetText(twelve.right(2));
}

void DiveFrm::ShowDepths()
{
    const DiveDataRec& d = gv.CurrentDive;
    Units_Opt(DiveUnit::MaxDepth).SetListIndex(gv.UnitDepth);
    Units_Opt(DiveUnit::AveDepth).SetListIndex(gv.UnitDepth);
    if (d.MDEPTH.IsNull()) {
        Text3(DiveText::MaxDepth).clear();
        Text3(DiveText::AveDepth).clear();
        return;
    }
    const double depth = d.MDEPTH.ToDouble();
    const bool metric = gv.UnitDepth == 0;
    if (depth >= (metric ? 400 : 330)) {
        Text3(DiveText::MaxDepth).setText(QStringLiteral("---"));
        Text3(DiveText::AveDepth).setText(QStringLiteral("---"));
        return;
    }
    Text3(DiveText::MaxDepth).setText(DepthText(d.MDEPTH));
    Text3(DiveText::AveDepth).setText(AverageDepthText(d.AVGDEPTH));
}

void DiveFrm::ShowTanks()
{
    const DiveDataRec& d = gv.CurrentDive;
    // A tank counts only with every tank before it, as the boxes show it.
    const std::array<bool, 3> on{d.TANK1ON, d.TANK1ON && d.TANK2ON, d.TANK1ON && d.TANK2ON && d.TANK3ON};
    for (Tank t : kTanks) {
        TankCheck(t, OnOff::On).SetValue(on[Slot(t)] ? 1 : 0);
        TankCheck(t, OnOff::Off).SetValue(on[Slot(t)] ? 0 : 1);
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
    for (Tank t : kTanks) {
        const TankControls& c = TankOf(t);
        for (QWidget* box : {static_cast<QWidget*>(&TIDTxt(t)), static_cast<QWidget*>(&Combo1(c.gas)),
                             static_cast<QWidget*>(&Text3(c.cylinder)), static_cast<QWidget*>(&Text3(c.start)),
                             static_cast<QWidget*>(&Text3(c.end))})
            box->setEnabled(on[Slot(t)]);
    }
}

void DiveFrm::EnDis_ableTankInfo()
{
    DiveDataRec& d = gv.CurrentDive;
    d.TANK1ON = Check1(OnOff::On).Value() == 1;
    d.TANK2ON = Check2(OnOff::On).Value() == 1;
    d.TANK3ON = Check3(OnOff::On).Value() == 1;
    if (!d.TANK1ON)
        d.TANK2ON = false;
    if (!d.TANK2ON)
        d.TANK3ON = false;
    const std::array<bool, 3> on{d.TANK1ON, d.TANK2ON, d.TANK3ON};
    for (Tank t : {Tank::Two, Tank::Three}) {
        if (!on[Slot(t)]) {
            TankCheck(t, OnOff::On).SetValue(0);
            TankCheck(t, OnOff::Off).SetValue(1);
        }
    }
    std::array<TankPressures, 3> tanks;
    for (Tank t : kTanks)
        tanks[Slot(t)] = {TextNumber(Text3(TankOf(t).start).text()), TextNumber(Text3(TankOf(t).end).text()),
                          on[Slot(t)]};
    Text3(DiveText::PressureUsed).setText(SingleToText(static_cast<float>(PressureUsed(tanks))));
    EnableTanks(on);
}

// ---------------------------------------------------------------- gas and ascent rate

void DiveFrm::DIVE_InitBreathingGas()
{
    for (DiveList i : kGasLists) {
        Combo1(i).clear();
        Combo1(i).addItems(GasList());
        Combo1(i).SetListIndex(-1);
    }
}

void DiveFrm::DIVE_InitVARI()
{
    Combo1(DiveList::AscentRate).clear();
    Combo1(DiveList::AscentRate).addItems(VariList(gv.UnitDepth));
    Combo1(DiveList::AscentRate).SetListIndex(-1);
}

} // namespace kvl
