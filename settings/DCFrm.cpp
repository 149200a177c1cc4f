#include "settings/DCFrm.h"

#include "dive/frmDate.h"
#include "platform/dialogs/Dialogs.h"
#include "platform/runtime/Runtime.h"
#include "platform/widgets/Captions.h"
#include "platform/widgets/CheckList.h"
#include "platform/widgets/DataGrid.h"
#include "platform/widgets/FieldBoxes.h"
#include "platform/widgets/LineBoxGuards.h"
#include "platform/widgets/MaskedEdit.h"
#include "platform/widgets/SmartToolBar.h"
#include "settings/core/NavLegs.h"
#include "shell/core/Global_Vars.h"
#include "shell/core/LogStore.h"
#include "shell/core/Lookups.h"
#include "shell/core/Units.h"

#include <QDate>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLoggingCategory>
#include <QStyle>
#include <QVBoxLayout>

namespace kvl {

using namespace settings;

namespace {

Q_LOGGING_CATEGORY(lcForm, "kvl.settings")

const QString DateKey = QStringLiteral("Date");
const QString NoTime = QStringLiteral("01:00");

void Fill(ListBox& box, const QStringList& items)
{
    box.clear();
    box.addItems(items);
}

QLabel* Banner(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setAlignment(Qt::AlignCenter);
    QFont font = label->font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 1.3);
    label->setFont(font);
    return label;
}

// A caption and its field on a new row; the caption names the box (the first of a
// field made of several boxes).
QLabel* AddRow(QGridLayout& grid, const QString& label, QWidget* field, QWidget* box = nullptr)
{
    const int row = grid.rowCount();
    auto* caption = new QLabel(label);
    TieCaption(*caption, box ? *box : *field);
    grid.addWidget(caption, row, 0);
    grid.addWidget(field, row, 1);
    return caption;
}

void AddPair(QGridLayout& grid, SettingsOptionPair& pair)
{
    const int row = grid.rowCount();
    grid.addWidget(pair.label, row, 0);
    grid.addWidget(pair.box[Box0], row, 1);
    grid.addWidget(pair.box[Box1], row, 2);
}

// The columns of a settings row, by name.
SettingsValues RowValues(const db::Recordset& rs)
{
    SettingsValues values;
    for (const QString& name : rs.FieldNames())
        values.emplace_back(name, rs.Field(name));
    return values;
}

std::unique_ptr<db::Recordset> OpenSettings(qint32 serial)
{
    return LogDB().OpenRecordset("Select * from DC_SETTINGS where DCID = ? and DCSERIALNO = ? ;",
                                 {gv.SelectedModelID, serial});
}

} // namespace

SettingsOptionPair::SettingsOptionPair(OptionPair which, QWidget* parent)
{
    const OptionPairInfo& info = PairInfo(which);
    label = new QLabel(QString::fromLatin1(info.label), parent);
    box = {new CheckBox(QString::fromLatin1(info.box0), parent), new CheckBox(QString::fromLatin1(info.box1), parent)};
    box[Box0]->setObjectName(QString::fromLatin1(info.name) + "(0)");
    box[Box1]->setObjectName(QString::fromLatin1(info.name) + "(1)");
    label->setBuddy(box[Box0]);
    for (int i = Box0; i <= Box1; ++i) {
        // "Audible Alarm ON": the box's own caption alone says nothing of its setting.
        box[size_t(i)]->setAccessibleName(NameOfCaption(label->text()) + ' ' + box[size_t(i)]->text());
        if (info.reaction == PairReaction::Click)
            QObject::connect(box[size_t(i)], &QCheckBox::toggled, label, [this, i] { React(i); });
        else
            QObject::connect(box[size_t(i)], &CheckBox::MouseUp, label, [this, i] { React(i); });
    }
}

void SettingsOptionPair::React(int index)
{
    box[size_t(1 - index)]->setChecked(!box[size_t(index)]->isChecked());
    if (handler_)
        handler_(index);
}

void SettingsOptionPair::SetBox0(bool ticked)
{
    box[Box0]->setChecked(ticked);
    box[Box1]->setChecked(!ticked);
}

bool SettingsOptionPair::Box0Ticked() const { return box[Box0]->isChecked(); }
bool SettingsOptionPair::Ticked(int index) const { return box[size_t(index)]->isChecked(); }

void SettingsOptionPair::SetEnabled(bool enabled)
{
    box[Box0]->setEnabled(enabled);
    box[Box1]->setEnabled(enabled);
}

DCFrm::DCFrm() : ChildFormOf<DCFrm>(QStringLiteral("Radarar Edeze"))
{
    for (int i = 0; i < OptionPairCount; ++i)
        pairs_[size_t(i)] = new SettingsOptionPair(OptionPair(i), this);
    Unit_Opt = &Pair(OptionPair::Unit);
    Water_Opt = &Pair(OptionPair::Water);
    Hour_Opt = &Pair(OptionPair::Hour);
    Receiver_Opt = &Pair(OptionPair::Receiver);
    Audible_Opt = &Pair(OptionPair::Audible);
    FO2_Opt = &Pair(OptionPair::FO2);
    NAV_Opt = &Pair(OptionPair::NAV);
    ASC_Opt = &Pair(OptionPair::ASC);
    CHRONO_Opt = &Pair(OptionPair::CHRONO);
    CHRONOASCENT_Opt = &Pair(OptionPair::CHRONOASCENT);
    NAVBL_Opt = &Pair(OptionPair::NAVBL);
    ASCSCALE_Opt = &Pair(OptionPair::ASCSCALE);

    Label1 = Banner(QStringLiteral("RADARAR EDEZE"), this);
    Label3 = Banner(QStringLiteral("SETTINGS"), this);
    auto* columns = new QHBoxLayout;
    auto* left = new QVBoxLayout;
    left->addWidget(MakeUtilities());
    left->addWidget(MakeTime());
    left->addStretch();
    auto* right = new QVBoxLayout;
    right->addWidget(MakeAlarms());
    right->addWidget(MakeNavigation(), 1);
    columns->addLayout(left);
    columns->addLayout(right, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(Label3);
    layout->addLayout(columns, 1);
    ConnectPairs();
    OrderTabStops();
}

DCFrm::~DCFrm()
{
    for (SettingsOptionPair* pair : pairs_)
        delete pair;
}

QWidget* DCFrm::MakeUtilities()
{
    auto* group = new QGroupBox(QStringLiteral("Utilities"), this);
    auto* grid = new QGridLayout(group);
    Model_Combo = new ListBox(false, group);
    Serial_Combo = new ListBox(false, group);
    UseLineBoxGuards();
    FirmWareTxt = new QLineEdit(group);
    FirmWareTxt->setReadOnly(true);
    AddRow(*grid, QStringLiteral("Model:"), Model_Combo);
    AddRow(*grid, QStringLiteral("Serial No.:"), Serial_Combo);
    AddRow(*grid, QStringLiteral("Firmware Revision:"), FirmWareTxt);
    for (OptionPair pair : {OptionPair::Unit, OptionPair::Water, OptionPair::Hour, OptionPair::Receiver,
                            OptionPair::FO2, OptionPair::NAVBL, OptionPair::ASCSCALE})
        AddPair(*grid, Pair(pair));
    BackLiteOpt = new ListBox(false, group);
    SampleRateOpt = new ListBox(false, group);
    AddRow(*grid, QStringLiteral("Back Light Duration (Sec):"), BackLiteOpt);
    AddRow(*grid, QStringLiteral("Dive Sample Rate:"), SampleRateOpt);
    connect(Model_Combo, &ListBox::Change, this, &DCFrm::Model_Combo_Click);
    connect(Serial_Combo, &ListBox::Change, this, &DCFrm::Serial_Combo_Click);
    connect(BackLiteOpt, &ListBox::Change, this, &DCFrm::BackLiteOpt_Click);
    connect(SampleRateOpt, &ListBox::Change, this, &DCFrm::SampleRateOpt_Click);
    return group;
}

QWidget* DCFrm::MakeAlarms()
{
    auto* group = new QGroupBox(QStringLiteral("Alarm"), this);
    auto* grid = new QGridLayout(group);
    AddPair(*grid, *Audible_Opt);
    MaxDepthOpt = new ListBox(false, group);
    MaxPO2Opt = new ListBox(false, group);
    EDTOpt = {new ListBox(false, group), new ListBox(false, group)};
    DTROpt = new ListBox(false, group);
    AddRow(*grid, QStringLiteral("Max. Depth:"), MaxDepthOpt);
    AddRow(*grid, QStringLiteral("Max. PO2 (ATA):"), MaxPO2Opt);
    auto* edt = new QWidget(group);
    auto* edtRow = new QHBoxLayout(edt);
    edtRow->setContentsMargins(0, 0, 0, 0);
    edtRow->addWidget(EDTOpt[0]);
    edtRow->addWidget(new QLabel(QStringLiteral(":"), edt));
    edtRow->addWidget(EDTOpt[1]);
    AddRow(*grid, QStringLiteral("Elapsed Dive Time (Hr:Min):"), edt, EDTOpt[0]);
    EDTOpt[0]->setAccessibleName(QStringLiteral("Elapsed Dive Time hours"));
    EDTOpt[1]->setAccessibleName(QStringLiteral("Elapsed Dive Time minutes"));
    AddRow(*grid, QStringLiteral("Dive Time Remaining (Min):"), DTROpt);
    for (OptionPair pair : {OptionPair::NAV, OptionPair::ASC, OptionPair::CHRONO, OptionPair::CHRONOASCENT})
        AddPair(*grid, Pair(pair));
    connect(MaxDepthOpt, &ListBox::Change, this, &DCFrm::MaxDepthOpt_Click);
    connect(MaxPO2Opt, &ListBox::Change, this, &DCFrm::MaxPO2Opt_Click);
    connect(DTROpt, &ListBox::Change, this, &DCFrm::DTROpt_Click);
    for (ListBox* box : EDTOpt) {
        connect(box, &ListBox::Change, this, &DCFrm::EDTOpt_Click);
        connect(box, &ListBox::LostFocus, this, &DCFrm::EDTOpt_LostFocus);
    }
    return group;
}

QWidget* DCFrm::MakeTime()
{
    auto* group = new QGroupBox(QStringLiteral("Time"), this);
    auto* grid = new QGridLayout(group);
    Check1 = new CheckBox(QStringLiteral("Change Date and Time"), group);
    Time_Opt = new CheckBox(QStringLiteral("Use the system Date and Time"), group);
    lst2 = new CheckList(group);
    lst2->AddItem(CheckItemKind::DropDown, DateKey, QStringLiteral("Date:"));
    lst2->SetDropDownHandler([this](const QString& key) { return lst2_ItemDropDown(key); });
    lst2->setMaximumHeight(3 * lst2->fontMetrics().height());
    TimeLabel = new QLabel(QStringLiteral("Time (Hr:Min):"), group);
    TimeTxt = new MaskedEdit(QStringLiteral("##:##"), group);
    AMPM_Opt = new ListBox(false, group);
    AMPM_Opt->addItems({QStringLiteral("AM"), QStringLiteral("PM")});
    grid->addWidget(Check1, 0, 0, 1, 3);
    grid->addWidget(Time_Opt, 1, 0, 1, 3);
    grid->addWidget(lst2, 2, 0, 1, 3);
    TieCaption(*TimeLabel, *TimeTxt);
    NameBeside(*AMPM_Opt, *TimeTxt, QStringLiteral("AM/PM"));
    lst2->setAccessibleName(QStringLiteral("Date list"));   // its box is "Date"
    grid->addWidget(TimeLabel, 3, 0);
    grid->addWidget(TimeTxt, 3, 1);
    grid->addWidget(AMPM_Opt, 3, 2);
    connect(Check1, &QCheckBox::toggled, this, &DCFrm::Check1_Click);
    connect(Time_Opt, &QCheckBox::toggled, this, &DCFrm::Time_Opt_Click);
    connect(TimeTxt, &EditBox::LostFocus, this, &DCFrm::TimeTxt_LostFocus);
    // A drop that makes a time the box refuses on leaving is turned away: the text stays where it came from.
    TimeTxt->TurnAwayDropsItsCheckRefuses(
        [this](const QString& text) { return TimeTextRefusals(text, Hour_Opt->Box0Ticked() ? 1 : 0).isEmpty(); });
    return group;
}

QWidget* DCFrm::MakeNavigation()
{
    auto* group = new QGroupBox(QStringLiteral("Navigation Settings"), this);
    auto* layout = new QVBoxLayout(group);
    auto* bar = new QHBoxLayout;
    Cmd = new SmartToolBar(group);
    for (int i = 0; i < LegBarEntryCount; ++i) {
        const LegBarItem& item = LegBarEntryOf(LegBarEntry(i));
        Cmd->AddTextEntry(QString::fromLatin1(item.key), QString::fromLatin1(item.caption),
                          QString::fromLatin1(item.tip));
    }
    for (LegBarEntry entry : {LegEntry, HeadingEntry})   // whole numbers; the CDT is a time
        AcceptNumbersOnly(*Cmd->TextEntryBox(QString::fromLatin1(LegBarEntryOf(entry).key)), DecimalMark::None, false);
    const std::array<QStyle::StandardPixmap, size_t(LegButton::Count)> icons = {
        QStyle::SP_DialogApplyButton, QStyle::SP_ArrowRight, QStyle::SP_FileDialogNewFolder, QStyle::SP_TrashIcon};
    for (int i = 0; i < int(LegButton::Count); ++i) {
        const LegBarItem& item = LegButtonOf(LegButton(i));
        Cmd->AddButton(QString::fromLatin1(item.key), style()->standardIcon(icons[size_t(i)]),
                       QString::fromLatin1(item.tip));
    }
    bar->addWidget(Cmd);
    bar->addStretch();
    layout->addLayout(bar);
    Grid = new DataGrid(group);
    Grid->SetCaption(QStringLiteral("Navigation Legs Listing"));
    std::vector<DataGridColumn> columns;
    for (int i = 0; i < LegColumnCount; ++i) {
        const LegGridColumnInfo& column = LegGridColumnOf(LegGridColumn(i));
        columns.push_back({QString::fromLatin1(column.caption), QString::fromLatin1(column.name), true,
                           i == AudibleColumn || i == LightColumn});
    }
    Grid->SetColumns(std::move(columns));
    layout->addWidget(Grid, 1);
    connect(Cmd, &SmartToolBar::ItemClick, this, &DCFrm::Cmd_ItemClick);
    return group;
}

void DCFrm::ConnectPairs()
{
    Unit_Opt->SetHandler([this](int) {
        InitDepthPressureCombo();
        InitDiveSampleCombo();
        lst2->Items(DateKey).SetValue(DateItemText(QDate::currentDate(), !Metric()));
    });
    Hour_Opt->SetHandler([this](int) {
        if (Check1->isChecked())
            AmPmRule();
    });
    ASC_Opt->SetHandler([this](int) {
        if (ASC_Opt->Box0Ticked())
            CHRONO_Opt->box[Box1]->setChecked(true);
        else
            CHRONO_Opt->box[Box0]->setChecked(true);
    });
    CHRONO_Opt->SetHandler([this](int) {
        if (CHRONO_Opt->Box0Ticked())
            ASC_Opt->box[Box1]->setChecked(true);
        else
            ASC_Opt->box[Box0]->setChecked(true);
    });
    CHRONOASCENT_Opt->SetHandler([this](int) {
        const bool enabled = !CHRONOASCENT_Opt->Ticked(Box1);
        CHRONO_Opt->SetEnabled(enabled);
        ASC_Opt->SetEnabled(enabled);
    });
}

// Tab follows the window as it is read: the left column top down, then the right one.
// The pairs of boxes were all made first, so their making order is no guide.
void DCFrm::OrderTabStops()
{
    std::vector<QWidget*> stops{Model_Combo, Serial_Combo, FirmWareTxt};
    const auto addPairs = [this, &stops](std::initializer_list<OptionPair> pairs) {
        for (OptionPair pair : pairs)
            stops.insert(stops.end(), {Pair(pair).box[Box0], Pair(pair).box[Box1]});
    };
    addPairs({OptionPair::Unit, OptionPair::Water, OptionPair::Hour, OptionPair::Receiver, OptionPair::FO2,
              OptionPair::NAVBL, OptionPair::ASCSCALE});
    stops.insert(stops.end(), {BackLiteOpt, SampleRateOpt, Check1, Time_Opt, lst2, TimeTxt, AMPM_Opt});
    addPairs({OptionPair::Audible});
    stops.insert(stops.end(), {MaxDepthOpt, MaxPO2Opt, EDTOpt[0], EDTOpt[1], DTROpt});
    addPairs({OptionPair::NAV, OptionPair::ASC, OptionPair::CHRONO, OptionPair::CHRONOASCENT});
    stops.insert(stops.end(), {Cmd, Grid});
    ChainTabOrder(stops);
}

bool DCFrm::Metric() const { return !Unit_Opt->Box0Ticked(); }

void DCFrm::Form_Load()
{
    SetToolBarItemVisible(QStringLiteral("Units"), false);
    gv.ActiveFormID = FormCode::DiveComputer;
    NavAction = NavShowFirst;
    DC_InitDC();
    SetEntriesEnabled(false);
    Time_Opt->setEnabled(false);
    TimeSettingsOFF();
}

void DCFrm::Form_Unload()
{
    gv.ActiveFormID = FormCode::None;
}

// ---- models, units and the shown row ----

void DCFrm::DC_InitDC()
{
    Model_Combo->clear();
    rsModelList = LogDB().OpenSnapshot("Select DISTINCT(MODELNAME) From DC_PROPERTIES Where MODELID IN (6774) "
                                       "ORDER BY MODELNAME ASC ;");
    if (rsModelList->EOF()) {
        MsgBox(QStringLiteral("Radarar Edeze list is empty."), MsgButtons::OK, MsgIcon::Exclamation,
               QStringLiteral("Warning"));
        return;
    }
    const QString lastModel = gv.RegLastModel.ToString();
    int chosen = 0;
    for (; !rsModelList->EOF(); rsModelList->MoveNext()) {
        const QString name = rsModelList->Field("MODELNAME").ToString();
        if (name == lastModel)
            chosen = Model_Combo->count();
        Model_Combo->addItem(name);
    }
    Model_Combo->SetListIndex(chosen);
    Model_Combo_Click();
}

void DCFrm::Model_Combo_Click()
{
    gv.SelectedSerialNo = 0;
    gv.ModelName = Model_Combo->Text();
    QString code = gv.ModelName;
    gv.SelectedModelID = ModelCodeToId(code);
    gv.SelectedModel = gv.ModelName;
    gv.RegLastModel = gv.ModelName;
    SaveModelChoice(QStringLiteral("LastModel"), gv.ModelName);
    DC_InitAll();
}

void DCFrm::DC_InitAll() { DC_InitSerialNo(); }

void DCFrm::DC_InitSerialNo()
{
    Serial_Combo->clear();
    auto units = LogDB().OpenSnapshot(
        "Select DCSERIALNO from DC_SETTINGS where DCID = ? and DCSERIALNO > 0 ORDER BY DCSERIALNO ASC ;",
        {gv.SelectedModelID});
    int chosen = -1;
    for (; !units->EOF(); units->MoveNext()) {
        const qint64 serial = units->Field("DCSERIALNO").ToLong();
        if (serial == gv.SelectedSerialNo && chosen < 0)
            chosen = Serial_Combo->count();
        Serial_Combo->addItem(QString::number(serial));
    }
    if (gv.SelectedSerialNo != 0) {
        if (chosen >= 0) {
            Serial_Combo->SetListIndex(chosen);
            Serial_Combo_Click();
            return;
        }
        rsSettings = OpenSettings(gv.SelectedSerialNo);
        if (!rsSettings->EOF())
            DC_InitSettings();
        return;
    }
    if (Serial_Combo->count() == 0) {
        GetDefaultSetting();
        return;
    }
    Serial_Combo->SetListIndex(0);
    Label3->setText(QStringLiteral("SETTINGS"));
    Serial_Combo_Click();
}

void DCFrm::Serial_Combo_Click()
{
    if (Serial_Combo->Text().isEmpty())
        return;
    gv.SelectedSerialNo = static_cast<qint32>(Val(Serial_Combo->Text()));
    GetLastSetting();
}

void DCFrm::GetDefaultSetting()
{
    rsSettings = OpenSettings(FactorySerial);
    if (rsSettings->EOF()) {
        MsgBox(QStringLiteral("Manufacturer setting is not available for this PDC."), MsgButtons::OK,
               MsgIcon::Exclamation, QStringLiteral("Warning"));
        return;
    }
    // The factory set has no legs of its own: the edited set's legs stay listed,
    // as they are what a write sends.
    DC_InitSettings();
}

void DCFrm::GetLastSetting()
{
    rsSettings = OpenSettings(gv.SelectedSerialNo);
    if (rsSettings->EOF()) {
        GetDefaultSetting();
    } else {
        DC_InitSettings();
        GetLastNavSetting();
    }
    InitHeadings();
}

void DCFrm::DC_InitSettings()
{
    const SettingsValues row = RowValues(*rsSettings);
    const ShownSettings shown = ShowSettingsRow(row);
    FirmWareTxt->setText(shown.firmware);
    FormSettings = shown.fields;
    DC_InitFlag(shown);
    Time_Opt->setChecked(ValueOf(row, "SYSTEMCLOCK").ToLong() == 1);
    InitSetTimeCombo();
    InitDepthPressureCombo();
    InitEDTDTRPO2Combo();
    InitBackLightCombo();
    SampleRateOpt->setEnabled(true);
    InitDiveSampleCombo();
    InitDateTime();
    InitHeadings();
}

void DCFrm::DC_InitFlag(const ShownSettings& shown)
{
    FlagBits1 = shown.flagBits1;
    FlagBits2 = shown.flagBits2;
    for (int i = 0; i < OptionPairCount; ++i)
        pairs_[size_t(i)]->SetBox0(shown.box0Ticked[size_t(i)]);
}

void DCFrm::InitSetTimeCombo() { Time_Opt->setChecked(false); }

void DCFrm::SelectThenClick(ListBox& box, int position, void (DCFrm::*click)())
{
    box.SetListIndex(position);
    if (box.ListIndex() >= 0)
        (this->*click)();
}

void DCFrm::InitDepthPressureCombo()
{
    Fill(*MaxDepthOpt, MaxDepthItems(Metric()));
    const ShownSettings placed = PositionsFor(FormSettings);
    FormSettings.MAXDEPTH = std::max(FormSettings.MAXDEPTH, 20);
    SelectThenClick(*MaxDepthOpt, placed.depthPosition, &DCFrm::MaxDepthOpt_Click);
}

void DCFrm::InitEDTDTRPO2Combo()
{
    Fill(*EDTOpt[0], EdtHourItems());
    Fill(*EDTOpt[1], EdtMinuteItems());
    Fill(*DTROpt, DtrItems());
    Fill(*MaxPO2Opt, Po2Items());
    const ShownSettings placed = PositionsFor(FormSettings);
    FormSettings.DTR = placed.fields.DTR;
    FormSettings.PO2 = placed.fields.PO2;
    EDTOpt[0]->SetListIndex(placed.edtHourPosition);
    SelectThenClick(*EDTOpt[1], placed.edtMinutePosition, &DCFrm::EDTOpt_Click);
    SelectThenClick(*DTROpt, placed.dtrPosition, &DCFrm::DTROpt_Click);
    SelectThenClick(*MaxPO2Opt, placed.po2Position, &DCFrm::MaxPO2Opt_Click);
}

void DCFrm::InitBackLightCombo()
{
    Fill(*BackLiteOpt, BacklightItems());
    const ShownSettings placed = PositionsFor(FormSettings);
    FormSettings.BACKLIGHT = placed.fields.BACKLIGHT;
    SelectThenClick(*BackLiteOpt, placed.backlightPosition, &DCFrm::BackLiteOpt_Click);
}

void DCFrm::InitDiveSampleCombo()
{
    Fill(*SampleRateOpt, SampleRateItems(gv.SelectedModelID, Metric()));
    SelectThenClick(*SampleRateOpt, PositionsFor(FormSettings, gv.SelectedModelID, Metric()).samplePosition,
                    &DCFrm::SampleRateOpt_Click);
}

// ---- choice boxes ----

void DCFrm::MaxDepthOpt_Click()
{
    if (MaxDepthOpt->ListIndex() >= 0)
        FormSettings.MAXDEPTH = MaxDepthOfPosition(MaxDepthOpt->ListIndex());
}

void DCFrm::MaxPO2Opt_Click()
{
    if (MaxPO2Opt->ListIndex() >= 0)
        FormSettings.PO2 = Po2OfPosition(MaxPO2Opt->ListIndex());
}

void DCFrm::DTROpt_Click()
{
    if (DTROpt->ListIndex() >= 0)
        FormSettings.DTR = DTROpt->ListIndex();
}

void DCFrm::BackLiteOpt_Click()
{
    if (BackLiteOpt->ListIndex() >= 0)
        FormSettings.BACKLIGHT = static_cast<quint8>(BackLiteOpt->ListIndex());
}

void DCFrm::SampleRateOpt_Click()
{
    if (SampleRateOpt->ListIndex() >= 0)
        FormSettings.DIVESAMPLE = static_cast<quint8>(SampleRateOpt->ListIndex());
}

void DCFrm::EDTOpt_Click()
{
    if (EDTOpt[0]->ListIndex() >= 0 && EDTOpt[1]->ListIndex() >= 0)
        FormSettings.EDT = EdtOfPositions(EDTOpt[0]->ListIndex(), EDTOpt[1]->ListIndex());
    const QString minutes = EdtMinuteAfterPick(EDTOpt[0]->Text(), EDTOpt[1]->Text());
    if (minutes != EDTOpt[1]->Text()) {
        EDTOpt[1]->SetText(minutes);
        EDTOpt_Click();
    }
}

void DCFrm::EDTOpt_LostFocus()
{
    const QString minutes = EdtMinuteAfterLeaving(EDTOpt[0]->Text(), EDTOpt[1]->Text());
    if (minutes != EDTOpt[1]->Text()) {
        EDTOpt[1]->SetText(minutes);
        EDTOpt_Click();
    }
}

// ---- date and time ----

void DCFrm::SetEntriesEnabled(bool enabled)
{
    lst2->setEnabled(enabled);
    TimeTxt->setEnabled(enabled);
    AMPM_Opt->setEnabled(enabled);
}

void DCFrm::Check1_Click()
{
    if (Check1->isChecked()) {
        Time_Opt->setChecked(true);
        Time_Opt->setEnabled(true);
        TimeSettingsON();
    } else {
        SetEntriesEnabled(false);
        Time_Opt->setEnabled(false);
        TimeSettingsOFF();
    }
}

void DCFrm::Time_Opt_Click()
{
    SetEntriesEnabled(!Time_Opt->isChecked());
    if (Check1->isChecked())
        AmPmRule();
}

void DCFrm::AmPmRule()
{
    const bool twelveHour = Hour_Opt->Box0Ticked();
    AMPM_Opt->setVisible(twelveHour);
    if (twelveHour)
        AMPM_Opt->SetListIndex(0);
}

void DCFrm::TimeSettingsOFF()
{
    for (QWidget* w : std::initializer_list<QWidget*>{lst2, TimeLabel, TimeTxt, AMPM_Opt, Time_Opt})
        w->setVisible(false);
}

void DCFrm::TimeSettingsON()
{
    for (QWidget* w : std::initializer_list<QWidget*>{lst2, TimeLabel, TimeTxt, AMPM_Opt, Time_Opt})
        w->setVisible(true);
}

void DCFrm::TimeTxt_LostFocus()
{
    if (!IsValidTimeText(TimeTxt->Text(), Hour_Opt->Box0Ticked() ? 1 : 0)) {
        TimeTxt->SetText(NoTime);
        TimeTxt->setFocus();
    }
}

void DCFrm::InitDateTime()
{
    Check1->setChecked(false);
    lst2->Items(DateKey).SetValue(DateItemText(QDate::currentDate(), !Metric()));
    TimeTxt->SetText(NoTime);
}

QWidget* DCFrm::lst2_ItemDropDown(const QString& key)
{
    gv.DatePickerCaller = kPickSettingsDate;
    gv.DCDateFormat = Unit_Opt->Box0Ticked() ? 1 : 0;
    gv.PickedDate = lst2->Items(key).Value();
    return &frmDate::DropDownFor([](const QString& text, bool) {
        DCFrm::Instance().lst2->Items(DateKey).SetValue(text);
    });
}

// ---- saving ----

std::vector<LegAlarms> DCFrm::GridAlarms() const
{
    std::vector<LegAlarms> alarms;
    int previous = 0;
    const QString legColumn = QString::fromLatin1(LegGridColumnOf(LegColumn).name);
    for (int row = 0; row < Grid->Rows(); ++row) {
        const int leg = static_cast<int>(Val(Grid->Cell(row, legColumn)));
        if (leg == previous)
            break;
        previous = leg;
        alarms.push_back({leg, static_cast<qint64>(Val(Grid->Cell(row, QStringLiteral("AUDIBLE ALARM")))),
                          static_cast<qint64>(Val(Grid->Cell(row, QStringLiteral("LIGHT ALARM"))))});
    }
    return alarms;
}

bool DCFrm::SaveSettings()
{
    const bool twelveHour = Hour_Opt->Box0Ticked();
    if (!IsValidTimeText(TimeTxt->Text(), twelveHour ? 1 : 0)) {
        TimeTxt->SetText(NoTime);
        TimeTxt->setFocus();
        return false;
    }
    ClockChoice clock;
    clock.useSystemTime = Time_Opt->isChecked();
    clock.dateItem = lst2->Items(DateKey).Value();
    clock.monthFirst = !Metric();
    clock.timeText = TimeTxt->Text();
    clock.twelveHour = twelveHour;
    clock.amPm = AMPM_Opt->Text();
    clock.now = QDateTime::currentDateTime();
    const ClockTexts texts = DeviceClockTexts(clock);
    if (Check1->isChecked() && !clock.useSystemTime && !texts.dateValid) {
        MsgBox(InvalidDateMessage(clock.monthFirst), MsgButtons::OK, MsgIcon::Critical, QStringLiteral("Warning"));
        return false;
    }

    EditedChoices choices;
    choices.fields = FormSettings;
    for (int i = 0; i < OptionPairCount; ++i)
        choices.box0Ticked[size_t(i)] = pairs_[size_t(i)]->Box0Ticked();
    choices.maxDepth = FormSettings.MAXDEPTH;
    choices.edtHourText = EDTOpt[0]->Text();
    choices.edtMinuteText = EDTOpt[1]->Text();
    choices.dtrText = DTROpt->Text();
    choices.po2Text = MaxPO2Opt->Text();
    choices.backlightPosition = BackLiteOpt->ListIndex();
    choices.samplePosition = SampleRateOpt->ListIndex();
    choices.changeDateAndTime = Check1->isChecked();
    // The grid lists the edited set's legs whatever row is shown, so its alarms are saved.
    switch (SaveEditedSet(LogDB(), gv.SelectedModelID, EditedSettingsRow(choices), GridAlarms())) {
    case SaveFailure::None: break;
    case SaveFailure::SettingsRow:
        MsgBox(QStringLiteral("Could not save the dive computer settings."), MsgButtons::OK, MsgIcon::Critical,
               QStringLiteral("Error"));
        return false;
    case SaveFailure::LegAlarm:
        MsgBox(QStringLiteral("Error Updating NAV alarm."), MsgButtons::OK, MsgIcon::Critical,
               QStringLiteral("Error"));
        return false;
    }
    gv.DCDateText = texts.date;
    gv.DCTimeText = texts.time;
    rsSettings = OpenSettings(EditedSerial);
    return true;
}

// ---- navigation legs ----

void DCFrm::GetLastNavSetting()
{
    if (gv.SelectedSerialNo == 0)
        return;
    try {
        CopyUnitLegs(LogDB(), gv.SelectedModelID, gv.SelectedSerialNo);
    } catch (const db::DbError& error) {
        qCWarning(lcForm) << "copying the unit's legs failed:" << error.Message();
    }
}

void DCFrm::InitHeadings()
{
    std::vector<NavLegRow> legs;
    try {
        legs = EditedLegs(LogDB(), gv.SelectedModelID);
    } catch (const db::DbError& error) {
        qCWarning(lcForm) << "reading the legs failed:" << error.Message();
    }
    Grid->RemoveAll();
    NavLegCount = static_cast<quint8>(std::min<size_t>(legs.size(), 255));
    QStringList rows;
    for (const NavLegRow& leg : legs)
        rows << LegGridRow(leg);
    Grid->AddItems(rows);
    Grid->SetRow(LegGridRowToShow(legs, NavAction, NavFocusLeg));
}

QString DCFrm::EntryText(LegBarEntry entry) const
{
    return Cmd->Items(QString::fromLatin1(LegBarEntryOf(entry).key)).Text();
}

void DCFrm::ClearNav()
{
    for (int i = 0; i < LegBarEntryCount; ++i)
        Cmd->Items(QString::fromLatin1(LegBarEntryOf(LegBarEntry(i)).key)).SetText(QString());
}

void DCFrm::ShowLegWrite(const LegRequest& request)
{
    const FormMessage failure = WriteLegRequest(LogDB(), gv.SelectedModelID, request);
    if (!failure.text.isEmpty())
        ShowMessage(failure);
}

void DCFrm::ShowLegWrite(LegWrite write, int leg, int heading, qint32 seconds)
{
    LegRequest request;
    request.write = write;
    request.leg = leg;
    request.heading = heading;
    request.seconds = seconds;
    ShowLegWrite(request);
}

void DCFrm::UpdateNavInfo(int leg, int heading, qint32 seconds)
{
    ShowLegWrite(LegWrite::UpdateAt, leg, heading, seconds);
}

void DCFrm::AddNavInfo(int leg, int heading, qint32 seconds) { ShowLegWrite(LegWrite::AddAtEnd, leg, heading, seconds); }

void DCFrm::InsertNavInfo(int leg, int heading, qint32 seconds)
{
    ShowLegWrite(LegWrite::InsertAt, leg, heading, seconds);
}

void DCFrm::DeleteNavInfo(int leg) { ShowLegWrite(LegWrite::DeleteAt, leg, 0, 0); }

void DCFrm::ReshuffleLeg()
{
    try {
        ReshuffleLegs(LogDB(), gv.SelectedModelID);
    } catch (const db::DbError& error) {
        qCWarning(lcForm) << "renumbering the legs failed:" << error.Message();
    }
}

void DCFrm::Cmd_ItemClick(const QString& key)
{
    const LegButton button = LegButtonOfKey(key);
    if (button == LegButton::Count)
        return;
    const LegEntries entries{EntryText(LegEntry), EntryText(HeadingEntry), EntryText(CdtEntry)};
    gv.NavLegNo = static_cast<quint8>(std::clamp(EntryNumber(entries.leg), 0.0, 255.0));
    gv.NavHeading = static_cast<qint16>(std::clamp(EntryNumber(entries.heading), -32768.0, 32767.0));
    const LegRequest request = CheckLegButton(button, entries, NavLegCount);
    if (!request.refusal.text.isEmpty()) {
        ShowMessage(request.refusal);
        return;
    }
    if (request.write == LegWrite::Nothing)
        return;
    gv.NavCDT = request.seconds;
    ShowLegWrite(request);
    NavAction = request.navAction;
    if (request.navAction == NavShowFocusLeg)
        NavFocusLeg = request.focusLeg;
    ClearNav();
    InitHeadings();
}

} // namespace kvl
