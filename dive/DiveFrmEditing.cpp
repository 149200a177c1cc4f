// The dive record's editing: the boxes' events, the check boxes and lists, and
// the change check and save that the main window calls.
#include "dive/DiveFrm.h"

#include "dive/core/DiveFields.h"
#include "dive/DiveFrmShared.h"
#include "dive/core/DiveSave.h"
#include "dive/core/DiveSettings.h"
#include "dive/core/DiveValidators.h"
#include "platform/runtime/Runtime.h"
#include "shell/core/DiveRows.h"
#include "shell/core/LogCheck.h"
#include "shell/core/Lookups.h"
#include "shell/core/StateCodes.h"
#include "shell/core/Units.h"
#include "site_gear/SiteFormWrites.h"

#include <QApplication>
#include <QTimer>

#include <optional>
#include <utility>

namespace kvl {

using namespace divefrm;

namespace {

// Puts the focus back into a refused box once the focus change under way has ended.
void ReturnFocus(QWidget& box)
{
    QTimer::singleShot(0, &box, [&box] { box.setFocus(); });
}

} // namespace

// ---------------------------------------------------------------- editing

void DiveFrm::Text3_GotFocus(DiveText index) { Text3(index).SelectAll(); }

void DiveFrm::Text3_KeyDown(DiveText index)
{
    if ((index == DiveText::Model || index == DiveText::SerialNo) && gv.CurrentDive.DATATYPE != 0)
        return;
    if (Text3(index).Locked())
        return;
    gv.DiveChanged = kDiveEdited;
    ExpectCommit(Text3(index), [this, index] { Text3_LostFocus(index); });
}

void DiveFrm::TIDTxt_KeyDown(Tank tank)
{
    gv.DiveChanged = kDiveEdited;
    gv.CurrentDive.*TidField(tank) = static_cast<qint32>(RoundHalfEven(Val(TIDTxt(tank).text())));
}

void DiveFrm::Masked1_GotFocus(DiveMasked index)
{
    MaskedTextOnFocus = Masked1(index).Text();
    Masked1(index).SelectAll();
}

void DiveFrm::Masked1_KeyDown(DiveMasked index)
{
    gv.DiveChanged = kDiveEdited;
    if (index == DiveMasked::Date || index == DiveMasked::TimeIn)
        DateTimeChanged = true;
    ExpectCommit(Masked1(index), [this, index] { Masked1_LostFocus(index); });
}

void DiveFrm::Text3_LostFocus(DiveText index)
{
    DiveDataRec& d = gv.CurrentDive;
    const QString text = Text3(index).text();
    if (index == DiveText::LifeTimeDiveNo) {
        if (!IsValid_LifeTimeDiveNo(Val(text)))
            Text3(DiveText::LifeTimeDiveNo).setText(NumberText(d.LIFETIMEDIVENO));
    } else if (index == DiveText::DGDiveNo) {
        if (ShownDiffers(text, PositiveText(d.DIVENO)))
            d.DIVENO = db::Value(Val(text));
    } else if (IsStartPressure(index) || IsEndPressure(index)) {
        CommitPressure(index);
    } else if (TankField(index) || index == DiveText::SacRate) {
        CommitCylinderOrAirConsumption(index);
    } else if (index == DiveText::ElapsedTime) {
        if (const std::optional<double> minutes = ElapsedMinutes())
            ShowTimeOut(TimeIn24(), db::Value(*minutes));
    }
}

void DiveFrm::CommitCylinderOrAirConsumption(DiveText index)
{
    DiveDataRec& d = gv.CurrentDive;
    EditBox& box = Text3(index);
    if (index == DiveText::SacRate) {
        const double shown = Val(box.text());
        // A value shown rounded to bar is no edit: taken back it could land a psi off.
        if (IsValidSacRate(shown) && ShownDiffers(box.text(), AirConsumptionText(d.AIRCONSUMP)))
            d.AIRCONSUMP = SacRateToStore(shown);
        ShowText(box, [&] { return AirConsumptionText(d.AIRCONSUMP); });   // what the log keeps
        return;
    }
    db::Value& field = d.*TankField(index);
    const double size = TextNumber(box.text());
    if (size < 0) {
        ShowText(box, [&] { return CylinderText(field); });
        return;
    }
    if (ShownDiffers(box.text(), CylinderText(field)))
        field = db::Value(static_cast<double>(CSng(CylinderFromDisplay(size, gv.UnitCylinder))));
}

void DiveFrm::CommitPressure(DiveText index)
{
    db::Value& field = gv.CurrentDive.*TankField(index);
    EditBox& box = Text3(index);
    const auto putBack = [&] { ShowText(box, [&] { return PressureText(field); }); };
    if (const QString refusal = Refusal(index, box.text()); !refusal.isEmpty()) {
        FieldWarning(refusal);
        putBack();
        return;
    }
    if (!ShownDiffers(box.text(), PressureText(field)))
        return;
    const double p = TextNumber(box.text());
    field = db::Value(static_cast<double>(CSng(PressureFromDisplay(p, gv.UnitPressure))));
    ShowPressureUsed();
}

QString DiveFrm::Refusal(DiveText index, const QString& text) const
{
    if (index == DiveText::SacRate)
        return SacRateRefusal(Val(text));
    if (!IsStartPressure(index) && !IsEndPressure(index))
        return {};
    const double p = TextNumber(text);
    if (QString outOfRange = PressureRefusal(p); !outOfRange.isEmpty())
        return outOfRange;
    const double q = TextNumber(Text3(PartnerPressure(index)).text());
    if (IsStartPressure(index) && p < q)
        return QStringLiteral("Beginning pressure should not be less than ending pressure.");
    if (IsEndPressure(index) && p > q)
        return QStringLiteral("Ending pressure should not be greater than beginning pressure.");
    return {};
}

bool DiveFrm::Keeps(DiveMasked index, const QString& text) const
{
    if (index == DiveMasked::Date)
        return DateRefusal(text).isEmpty();
    if (index == DiveMasked::TimeIn)
        return TimeTextRefusals(text, gv.UnitTime).isEmpty();
    return true;   // the interval is tidied, never refused
}

void DiveFrm::ShowPressureUsed()
{
    std::array<TankPressures, 3> tanks;
    for (Tank t : kTanks)
        tanks[Slot(t)] = {TextNumber(Text3(TankOf(t).start).text()), TextNumber(Text3(TankOf(t).end).text())};
    Text3(DiveText::PressureUsed).setText(SingleToText(static_cast<float>(PressureUsed(tanks))));
}

void DiveFrm::Masked1_LostFocus(DiveMasked index)
{
    MaskedEdit& box = Masked1(index);
    if (index == DiveMasked::Date) {
        if (!IsValidDate(box.Text())) {
            box.SetText(MaskedTextOnFocus);
            ReturnFocus(box);
            refused_ = true;
            return;
        }
        const QString date = DateToDB(box.Text(), gv.UnitDate);
        if (date != gv.CurrentDive.DIVEDATE) {
            gv.CurrentDive.DIVEDATE = date;
            DateTimeChanged = true;
        }
    } else if (index == DiveMasked::PriorSurfaceInterval) {
        box.SetText(NormalizeSurfaceInterval(box.Text()));
    } else {
        CommitTimeIn();
    }
}

QString DiveFrm::TimeIn24() const
{
    const QString shown = Masked1(DiveMasked::TimeIn).Text();
    return gv.UnitTime == 1 ? TimeTo24Hour(shown, AMPM_Opt(DiveAmPm::TimeIn).Text()) : shown;
}

void DiveFrm::ShowTimeOut(const QString& timeIn24, const db::Value& minutes)
{
    if (timeIn24.contains(QLatin1Char('_')) || timeIn24.size() < 5)
        return;
    const QString sum = AddMinutesToTime(timeIn24, minutes.IsNull() ? db::Value(0) : minutes);
    if (gv.UnitTime == 1) {
        TimeOutText = TimeTo12Hour(sum);
        Text3(DiveText::TimeOut).setText(TimeOutText.left(5));
        AMPM_Opt(DiveAmPm::TimeOut).SetText(TimeOutText.right(2));
    } else {
        TimeOutText = sum;
        Text3(DiveText::TimeOut).setText(sum);
    }
}

std::optional<double> DiveFrm::ElapsedMinutes()
{
    const double minutes = Val(Text3(DiveText::ElapsedTime).text());
    if (minutes >= 0)
        return minutes;
    FieldWarning(QStringLiteral("Elapsed dive time should not be less than 0."));
    Text3(DiveText::ElapsedTime).setText(NumberText(gv.CurrentDive.BTIME));
    refused_ = true;
    return std::nullopt;
}

// The elapsed-time box taken over: false (after its message) when it is negative.
bool DiveFrm::CommitElapsedTime()
{
    DiveDataRec& d = gv.CurrentDive;
    const std::optional<double> minutes = ElapsedMinutes();
    if (!minutes)
        return false;
    const qint64 whole = RoundHalfEven(*minutes);
    if (whole != d.BTimeNum || d.BTIME.IsNull()) {
        d.BTimeNum = static_cast<qint32>(whole);
        d.BTIME = db::Value(whole);
    }
    ShowTimeOut(TimeIn24(), d.BTIME);
    return true;
}

// The time-in box checked and tidied, the elapsed time and time out with it.
void DiveFrm::CommitTimeIn()
{
    MaskedEdit& box = Masked1(DiveMasked::TimeIn);
    if (!IsValidTimeText(box.Text(), gv.UnitTime)) {
        PutBackDiveTime();
        ReturnFocus(box);
        refused_ = true;
        return;
    }
    box.SetText(NormalizeTimeIn(box.Text(), gv.UnitTime));
    if (CommitElapsedTime() && TimeIn24() != gv.CurrentDive.DIVETIME)
        DateTimeChanged = true;
}

void DiveFrm::UpdateTime()
{
    const QString timeIn = TimeIn24();
    // The elapsed time shown counts, even while it is not yet taken into the record.
    const double shown = Val(Text3(DiveText::ElapsedTime).text());
    ShowTimeOut(timeIn, shown >= 0 ? db::Value(shown) : gv.CurrentDive.BTIME);
    if (gv.CurrentDive.DIVETIME != timeIn)
        gv.DiveChanged = kDiveEdited;
}

void DiveFrm::AMPM_Opt_Change(DiveAmPm index)
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
    gv.DiveChanged = kDiveEdited;
}

void DiveFrm::NoDeco_Check_MouseUp()
{
    Deco_Check().SetValue(NoDeco_Check().Value() == 1 ? 0 : 1);
    StatusCheck_LostFocus();
    gv.DiveChanged = kDiveEdited;
}

void DiveFrm::Gauge_Check_MouseUp()
{
    if (Gauge_Check().Value() == 1) {
        NoDeco_Check().SetValue(0);
        Deco_Check().SetValue(0);
        Viol_Check().SetValue(0);
    }
    StatusCheck_LostFocus();
    gv.DiveChanged = kDiveEdited;
}

void DiveFrm::Viol_Check_MouseUp()
{
    StatusCheck_LostFocus();
    gv.DiveChanged = kDiveEdited;
}

void DiveFrm::TankCheck_MouseUp(Tank tank, OnOff box)
{
    TankCheck(tank, Other(box)).SetValue(InvertBit(TankCheck(tank, box).Value()));
    EnDis_ableTankInfo();
    gv.DiveChanged = kDiveEdited;
}

void DiveFrm::Check4_MouseUp(OnOff box)
{
    Check4(Other(box)).SetValue(InvertBit(Check4(box).Value()));
    gv.DiveChanged = kDiveEdited;
}

void DiveFrm::Combo1_DropDown(DiveList) { gv.DiveChanged = kDiveEdited; }

void DiveFrm::Combo1_Change(DiveList index)
{
    gv.DiveChanged = kDiveEdited;
    Combo1_LostFocus(index);
}

// A list left on the position the stored value already shows keeps that value
// (a stored FO2 below 21 is the "AIR" entry as much as 20 is).
void DiveFrm::Combo1_LostFocus(DiveList index)
{
    const int position = Combo1(index).ListIndex();
    DiveDataRec& d = gv.CurrentDive;
    if (position < 0)
        return;
    if (db::Value DiveDataRec::*gas = GasField(index)) {
        if (position != GasListIndex(d.*gas))
            d.*gas = db::Value(FO2OfGasListIndex(position));
    } else if (position != VariListIndex(d.VARI)) {
        d.VARI = db::Value(position);
    }
}

void DiveFrm::MemoTxt_KeyDown()
{
    gv.DiveChanged = kDiveEdited;
    ExpectCommit(MemoTxt(), [this] { MemoTxt_LostFocus(); });
}

void DiveFrm::MemoTxt_LostFocus() { gv.CurrentDive.MEMO = MemoTxt().Text(); }

// ---------------------------------------------------------------- change detection and saving

void DiveFrm::ExpectCommit(const QWidget& box, std::function<void()> commit)
{
    ForgetCommit(box);
    pendingCommits_.push_back({&box, std::move(commit)});
    commitRefused_ = false;   // a new edit: an earlier refusal is history
}

void DiveFrm::ForgetCommit(const QWidget& box)
{
    std::erase_if(pendingCommits_, [&box](const PendingCommit& pending) { return pending.box == &box; });
}

bool DiveFrm::MayHoldEdits() const
{
    return gv.DiveChanged == kDiveEdited || gv.DiveChanged == kDiveRefused || CurrentDiveIsNew();
}

void DiveFrm::Update_DataType() { gv.CurrentDive.DATATYPE = EditedDataType(gv.CurrentDive.DATATYPE); }

bool DiveFrm::CommitPendingEdit()
{
    refused_ = false;
    if (QWidget* focused = QApplication::focusWidget(); focused && isAncestorOf(focused))
        focused->clearFocus();
    for (const PendingCommit& pending : std::exchange(pendingCommits_, {}))
        pending.commit();
    if (std::exchange(refused_, false))
        commitRefused_ = true;   // kept for the change check that follows the command
    return !commitRefused_;
}

bool DiveFrm::Dive_IsAnyChange()
{
    CommitPendingEdit();
    const bool refused = std::exchange(commitRefused_, false);
    if (!MayHoldEdits())
        return false;
    if (refused) {   // the box has shown why and holds the stored value again
        gv.DiveChanged = kDiveRefused;
        return false;
    }
    gv.DiveChanged = kDiveEdited;   // a refused value is checked again on every attempt
    ReadBackNumbers();
    if (!ReadBackDate() || !ReadBackTimes()) {
        gv.DiveChanged = kDiveRefused;
        return false;
    }
    ReadBackChoices();
    return DiveRecordDiffers(loadedDiveId_, gv.CurrentDive);
}

void DiveFrm::ReadBackNumbers()
{
    DiveDataRec& d = gv.CurrentDive;
    const QString temp = Text3(DiveText::Temperature).text();
    if (ShownDiffers(temp, TempText(d.TEMP)))
        d.TEMP = db::Value(static_cast<double>(gv.UnitTemp == 1 ? CSng(Val(temp)) : CToF(Val(temp))));
    if (d.DATATYPE == 0)
        ReadBackModel();
    for (DiveList i : kDiveLists)
        Combo1_LostFocus(i);
    if (ShownDiffers(Text3(DiveText::DGDiveNo).text(), PositiveText(d.DIVENO))) {
        d.DIVENO = db::Value(Val(Text3(DiveText::DGDiveNo).text()));
        Update_DataType();
    }
    const QString depth = Text3(DiveText::MaxDepth).text();
    if (depth != QLatin1String("---") && ShownDiffers(depth, DepthText(d.MDEPTH))) {
        d.MDEPTH = db::Value(static_cast<double>(DepthFromDisplay(TextNumber(depth))));
        Update_DataType();
    }
    const QString avg = Text3(DiveText::AveDepth).text();
    if (avg != QLatin1String("---") && ShownDiffers(avg, AverageDepthText(d.AVGDEPTH)))
        d.AVGDEPTH = DepthFromDisplay(TextNumber(avg));
}

// A new model is only looked at here: the change is still to be asked about, and the
// model goes into the log with the dive.
void DiveFrm::ReadBackModel()
{
    DiveDataRec& d = gv.CurrentDive;
    QString model = Text3(DiveText::Model).text().toUpper();
    model = NormalizeModelName(model).toUpper();
    if (model != gv.ModelName) {
        if (std::optional<DCModel> checked = CheckDCModel(model)) {
            d.MODELID = checked->id;
            model_ = std::move(checked);
            gv.ModelName = model;
        } else {
            Text3(DiveText::Model).setText(gv.ModelName);   // refused: the dive keeps its model
        }
    }
    if (ShownDiffers(Text3(DiveText::SerialNo).text(), PositiveText(d.MODELSERNO)))
        d.MODELSERNO = db::Value(RoundHalfEven(Val(Text3(DiveText::SerialNo).text())));
}

bool DiveFrm::ReadBackDate()
{
    DiveDataRec& d = gv.CurrentDive;
    MaskedEdit& box = Masked1(DiveMasked::Date);
    if (!IsValidDate(box.Text())) {
        box.SetText(d.DIVEDATE.isEmpty() ? MaskedTextOnFocus : FormatDBDate(d.DIVEDATE));
        ReturnFocus(box);
        return false;
    }
    d.DIVEDATE = DateToDB(box.Text(), gv.UnitDate);
    return true;
}

bool DiveFrm::ReadBackTimes()
{
    DiveDataRec& d = gv.CurrentDive;
    if (!IsValidTimeText(Masked1(DiveMasked::TimeIn).Text(), gv.UnitTime)) {
        ReturnFocus(Masked1(DiveMasked::TimeIn));
        return false;
    }
    Masked1(DiveMasked::TimeIn).SetText(NormalizeTimeIn(Masked1(DiveMasked::TimeIn).Text(), gv.UnitTime));
    Masked1(DiveMasked::PriorSurfaceInterval).SetText(NormalizeSurfaceInterval(Masked1(DiveMasked::PriorSurfaceInterval).Text()));
    d.STIME = Masked1(DiveMasked::PriorSurfaceInterval).Text();
    if (!CommitElapsedTime())
        return false;
    const QString timeIn = TimeIn24();
    if (timeIn != d.DIVETIME) {
        d.DIVETIME = timeIn;
        Update_DataType();
    }
    return true;
}

void DiveFrm::ReadBackChoices()
{
    DiveDataRec& d = gv.CurrentDive;
    for (const CatalogSide* side : {&LocationSide(), &DiveSiteSide()})
        if (!ComboOf(*side).Text().isEmpty())
            d.*side->member = db::Value(ListedId(*side));
    StatusCheck_LostFocus();
    d.MEMO = MemoTxt().Text();
}

bool DiveFrm::DIVE_Update_DiveData()
{
    if (gv.DiveChanged == kDiveRefused)
        return false;
    if (gv.DiveChanged == kDiveEdited) {
        const bool renumber = DateTimeChanged;
        const bool written = LogTakesWrites() && WriteOrSay("saving the dive record", [this, renumber] {
            db::Transaction tx(*gv.DB);
            if (model_)
                AddDCModel(*model_);
            WriteDiveRecord(loadedDiveId_, gv.CurrentDive);
            if (renumber)
                RenumberLifeTimeDives();
            tx.Commit();
        });
        if (!written) {
            gv.DiveChanged = kDiveRefused;
            return false;
        }
        gv.DiveChanged = kDiveUnchanged;
        model_.reset();
        if (renumber)
            ShowCurrentLTD();
    }
    gv.IsNewDive = false;
    return true;
}

} // namespace kvl
