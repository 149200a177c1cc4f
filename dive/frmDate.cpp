#include "dive/frmDate.h"

#include "analysis/QueriesFrm.h"
#include "platform/widgets/CheckList.h"
#include "settings/DCFrm.h"
#include "shell/core/Global_Vars.h"

#include <QCalendarWidget>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace kvl {

namespace {

int PickOrder()
{
    return PickerDateOrder(gv.DatePickerCaller, gv.DCDateFormat, gv.UnitDate);
}

} // namespace

frmDate::frmDate()
{
    MonthView1 = new QCalendarWidget(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(MonthView1);
    connect(MonthView1, &QCalendarWidget::clicked, this, &frmDate::MonthView1_DateClick);
    connect(MonthView1, &QCalendarWidget::activated, this, &frmDate::MonthView1_DateClick);
    connect(MonthView1, &QCalendarWidget::selectionChanged, this, &frmDate::MonthView1_SelChange);
    setFocusProxy(MonthView1);   // the keys move the calendar's selection at once
    Form_Load();
}

frmDate& frmDate::DropDownFor()
{
    frmDate& picker = Instance();
    picker.Form_Load();
    return picker;
}

void frmDate::Form_Load()
{
    const QSignalBlocker quiet(MonthView1);
    MonthView1->setSelectedDate(ReadPickedDate(gv.PickedDate, PickOrder()));
}

void frmDate::MonthView1_DateClick(const QDate& date)
{
    HandBack(date, true);
    hide();
}

// The item follows the selection, but the calendar stays open: moving by the keys
// goes on until Enter or a click picks the date (or Escape leaves).
void frmDate::MonthView1_SelChange()
{
    HandBack(MonthView1->selectedDate(), false);
}

void frmDate::HandBack(const QDate& date, bool picked)
{
    gv.PickedDate = FormatPickedDate(date, PickOrder());
    switch (gv.DatePickerCaller) {
    case kPickFromDate: {
        CheckList& list = *QueriesFrm::Instance().lst2;
        list.Items(QStringLiteral("fromDate")).SetValue(gv.PickedDate);
        // Only the date picked fills an empty end, not the days passed on the way.
        if (picked && list.Items(QStringLiteral("toDate")).Value().isEmpty())
            list.Items(QStringLiteral("toDate")).SetValue(gv.PickedDate);
        break;
    }
    case kPickToDate:
        QueriesFrm::Instance().lst2->Items(QStringLiteral("toDate")).SetValue(gv.PickedDate);
        break;
    case kPickSettingsDate:
        DCFrm::Instance().lst2->Items(QStringLiteral("Date")).SetValue(gv.PickedDate);
        break;
    default:
        break;
    }
}

} // namespace kvl
